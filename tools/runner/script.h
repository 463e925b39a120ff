// One line of a runner script, taken apart:
//
//   [$variable =] NAME [arguments]        NAME may hold blanks: FILLED CIRCLE
//   [$variable =] NAME(arguments)         parentheses around the list are optional
//   $variable = VALUE                     a number, a text or another variable
//
// Arguments are separated by commas: numbers (42, -3, 0xFF00FF00, 1.5, 2e3),
// texts in double quotes ("a \"quoted\" word", with \\ for a backslash) and
// variables ($name).  A # outside a text starts a comment.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

namespace runner {

// A fault in a script line; the runner adds the file and line.
struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Argument {
  std::string text;  // a number or variable as written, or a text's characters
  bool quoted = false;
};

struct Line {
  std::string variable;            // "" unless the line stores its result
  std::vector<std::string> words;  // the leading words that may make up the name
  std::string rest;                // what follows those words: the argument list
};

// Splits a line; false for a blank or comment line.
bool split_line(const std::string& source, Line& line);

// The words (blank-separated) that begin a name: each starts with a letter
// or an underscore and holds letters, digits and underscores.
std::string join_words(const std::vector<std::string>& words, std::size_t count);

// Parses an argument list, with or without surrounding parentheses.
std::vector<Argument> parse_arguments(std::string text);

std::string quote(const std::string& text);  // as a script would write it

}  // namespace runner
