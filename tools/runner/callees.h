// Everything a script line can call: the plug-in's 66 commands (found by
// their decorated names, as a host finds them), the stand-in host's own
// functions (by their plain names: Position, MakeCube, Rgb) and the runner's
// directives (lower case: screenshot, load image, ...).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "script.h"

namespace runner {

// A result: its type letter (L integer, F float, D unsigned, S text; 0 for
// none) and its value written as a script argument, so that it can be passed
// on through a variable.
struct Value {
  char type = 0;
  Argument value;
};

std::string to_string(const Value& value);  // 12, 1.5, 0xFF00FF00, "text"

struct Callee {
  std::string name;
  std::string kind;        // "command", "host function" or "directive"
  std::string parameters;  // type letters of the arguments; "?" takes any value, "*" any number of values
  char result = 0;         // type letter of the result; 0 for none
  std::function<Value(const std::vector<Argument>&)> run;
};

const std::vector<Callee>& callees();

// The callees called `name`, one per accepted argument count.
std::vector<const Callee*> find_callees(const std::string& name);

// Up to three names close to `name` (by edit distance, ignoring case).
std::vector<std::string> nearest_names(const std::string& name);

// The longest name that the leading words make up, as a word count; 0 if none.
std::size_t match_words(const std::vector<std::string>& words);

std::string type_name(char letter);  // "integer", "float", "unsigned", "text"

}  // namespace runner
