// The library's exports by decorated name: the 66 commands (from the command
// table) and the three protocol exports.  Native builds use this registry
// where Windows uses the DLL's export table.
#pragma once
#include <string_view>

#include "commands.h"
#include "decoration.h"

namespace exports {

struct Command {
  int id;
  std::string_view row;  // the command-table row, character for character
  decoration::Row parts;
  void* address;
};

const Command* commands();  // command_count of them, in table order
using ::command_count;

// The protocol exports' decorated names: protocol_name::ReceiveCoreDataPtr, ...
namespace protocol_name {
#define EC_PROTOCOL(function, decorated) inline constexpr std::string_view function = decorated;
#include "protocol_list.inc"
#undef EC_PROTOCOL
}  // namespace protocol_name

// Any export (command or protocol) by decorated name; null if unknown.
void* find(std::string_view decorated_name);

}  // namespace exports
