// Compile-time proof that every command's decorated name follows from its
// row's type letters and from the C++ signature of the function behind it.
#include "commands.h"
#include "decoration.h"

namespace {

constexpr bool agrees(std::string_view row, decoration::Name from_signature) {
  decoration::Row parts = decoration::parse_row(row);
  std::string_view plain = decoration::plain_name(parts.decorated);
  return decoration::from_letters(plain, parts.has_result, parts.letters).view() == parts.decorated &&
         from_signature.view() == parts.decorated;
}

#define EC_COMMAND(id, function, row)                                                     \
  static_assert(agrees(row, decoration::from_signature<decltype(::function)>(#function)), \
                "decorated name, type letters and signature of " #function " disagree");
#include "command_list.inc"
#undef EC_COMMAND

#define EC_PROTOCOL(function, decorated)                                                         \
  static_assert(decoration::from_signature<decltype(::function)>(#function).view() == decorated, \
                "decorated name and signature of " #function " disagree");
#include "protocol_list.inc"
#undef EC_PROTOCOL

}  // namespace
