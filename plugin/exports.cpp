#include "exports.h"

#include "commands.h"

namespace exports {
namespace {

#define EC_COMMAND(id, function, row) {id, row, decoration::parse_row(row), reinterpret_cast<void*>(&::function)},
const Command all_commands[] = {
#include "command_list.inc"
};
#undef EC_COMMAND

struct Protocol {
  std::string_view decorated;
  void* address;
};
const Protocol protocol[] = {
#define EC_PROTOCOL(function, decorated) {decorated, reinterpret_cast<void*>(&::function)},
#include "protocol_list.inc"
#undef EC_PROTOCOL
};

}  // namespace

const Command* commands() { return all_commands; }

void* find(std::string_view decorated_name) {
  for (const Command& command : all_commands)
    if (command.parts.decorated == decorated_name) return command.address;
  for (const Protocol& entry : protocol)
    if (entry.decorated == decorated_name) return entry.address;
  return nullptr;
}

}  // namespace exports
