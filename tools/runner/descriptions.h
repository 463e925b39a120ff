// What each command does, in the words of its reference entry.  The command
// list gives the names, type letters and export names; this table adds the
// meaning.  docs/commands.md is generated from both.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace runner {

struct Parameter {
  std::string_view name, meaning;
};

struct Description {
  std::string_view command;           // as the command table spells it
  std::string_view family;            // the example script and picture: examples/<family>.ecs
  std::vector<Parameter> parameters;  // the declared parameters, in order
  std::string_view result;            // what the result means; empty when there is none
  std::string_view does;
  std::string_view side_effects;  // host settings and resources left changed
  std::string_view example;       // one script line
  bool shown_in_motion = false;   // its picture is an animation
};

struct Family {
  std::string_view id, title, summary;
  bool has_picture;
};

const std::vector<Family>& families();
const std::vector<Description>& descriptions();
const Description* find_description(std::string_view command);

// Each command has its own example script, examples/commands/<stem>.ecs,
// which makes its picture in the reference, docs/images/<command_picture>.
std::string command_stem(std::string_view command);     // lower case, blanks as '-': "filled-circle"
std::string command_picture(std::string_view command);  // "commands/<stem>.png", or .gif in motion

}  // namespace runner
