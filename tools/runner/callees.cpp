#include "callees.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../../hostsim/hostsim.h"
#include "../../plugin/commands.h"
#include "../../plugin/exports.h"
#include "directives.h"
#include "marshal.h"

// The stand-in host's exports, one per host table entry.
#define HOST_FN(module, field, decorated, Ret, Params) extern "C" Ret hs_##module##_##field Params;
#include "../../plugin/host_functions.inc"
#undef HOST_FN

namespace runner {
namespace {

std::string ordinal(int index) { return "argument " + std::to_string(index); }

}  // namespace

// A text command's result comes from the host's string allocator; the value
// keeps a copy and the text goes back, as a host gives back a previous result.
void give_back_text(KText text) {
  using Allocator = void (*)(char**, int);
  Allocator allocate;
  std::memcpy(&allocate, hostsim::core_record(), sizeof allocate);
  char* slot = text_chars(text);
  if (allocate && slot) allocate(&slot, 0);
}

namespace {

template <class F>
void add_command(std::vector<Callee>& list, const exports::Command& row) {
  const decoration::Row& parts = row.parts;
  std::size_t hidden = parts.has_result && parts.letters[0] == 'S' ? 1 : 0;
  char result = parts.has_result ? parts.letters[0] : 0;
  std::string name(parts.command);
  void* address = exports::find(parts.decorated);
  list.push_back({name, "command", Marshal<F>::letters(hidden), result, [=](const std::vector<Argument>& arguments) {
                    return Marshal<F>::call(address, hidden, result, arguments);
                  }});
}

template <class F>
void add_host_function(std::vector<Callee>& list, const std::string& field, void* address) {
  char result = Marshal<F>::result_letter('D');
  list.push_back({field, "host function", Marshal<F>::letters(0), result, [=](const std::vector<Argument>& arguments) {
                    return Marshal<F>::call(address, 0, result, arguments);
                  }});
}

std::vector<Callee> make_callees() {
  std::vector<Callee> list;
  const exports::Command* rows = exports::commands();
#define EC_COMMAND(id, function, row) add_command<decltype(::function)>(list, rows[id - 101]);
#include "../../plugin/command_list.inc"
#undef EC_COMMAND
#define HOST_FN(module, field, decorated, Ret, Params) \
  add_host_function<Ret Params>(list, #field, reinterpret_cast<void*>(&hs_##module##_##field));
#include "../../plugin/host_functions.inc"
#undef HOST_FN
  add_directives(list);
  return list;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::size_t edit_distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

const std::vector<Callee>& callees() {
  static const std::vector<Callee> list = make_callees();
  return list;
}

std::vector<const Callee*> find_callees(const std::string& name) {
  std::vector<const Callee*> found;
  for (const Callee& callee : callees())
    if (callee.name == name) found.push_back(&callee);
  return found;
}

std::size_t match_words(const std::vector<std::string>& words) {
  for (std::size_t count = words.size(); count > 0; --count)
    if (!find_callees(join_words(words, count)).empty()) return count;
  return 0;
}

std::vector<std::string> nearest_names(const std::string& name) {
  constexpr std::size_t most_suggestions = 3;
  std::string wanted = upper(name);
  std::size_t allowed = std::max<std::size_t>(2, wanted.size() / 3);
  std::vector<std::pair<std::size_t, std::string>> scored;
  for (const Callee& callee : callees()) {
    std::size_t distance = edit_distance(wanted, upper(callee.name));
    bool listed = std::any_of(scored.begin(), scored.end(), [&](auto& s) { return s.second == callee.name; });
    if (distance <= allowed && !listed) scored.push_back({distance, callee.name});
  }
  std::stable_sort(scored.begin(), scored.end(), [](auto& a, auto& b) { return a.first < b.first; });
  std::vector<std::string> names;
  for (std::size_t i = 0; i < scored.size() && i < most_suggestions; ++i) names.push_back(scored[i].second);
  return names;
}

std::string type_name(char letter) { return std::string(decoration::letter_name(letter)); }

std::string to_string(const Value& value) { return value.value.quoted ? quote(value.value.text) : value.value.text; }

bool written_in_hex(const std::string& text) {
  std::size_t start = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  return text.size() > start + 2 && text[start] == '0' && (text[start + 1] == 'x' || text[start + 1] == 'X');
}

// Integers: decimal or hexadecimal, with an optional sign.
long long parse_integer(const Argument& argument, int index, long long low, long long high) {
  const std::string& text = argument.text;
  bool negative = !text.empty() && text[0] == '-';
  std::size_t start = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  bool hex = written_in_hex(text);
  std::string digits = text.substr(start + (hex ? 2 : 0));
  bool valid = !argument.quoted && !digits.empty() && digits.size() <= 20;
  for (char c : digits)
    valid = valid && (hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c)));
  if (!valid)
    throw ScriptError(ordinal(index) + ": expected an integer, got " + (argument.quoted ? quote(text) : text));
  errno = 0;
  long long value = std::strtoll(digits.c_str(), nullptr, hex ? 16 : 10);
  if (negative) value = -value;
  if (errno == ERANGE || value < low || value > high)
    throw ScriptError(ordinal(index) + ": " + text + " does not fit in 32 bits");
  return value;
}

float parse_float(const Argument& argument, int index) {
  const std::string& text = argument.text;
  bool looks_numeric = !argument.quoted && !text.empty() &&
                       (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-' || text[0] == '+' ||
                        text[0] == '.' || upper(text) == "NAN" || upper(text) == "INF");
  char* end = nullptr;
  double value = looks_numeric ? std::strtod(text.c_str(), &end) : 0;
  if (!looks_numeric || end != text.c_str() + text.size())
    throw ScriptError(ordinal(index) + ": expected a number, got " + (argument.quoted ? quote(text) : text));
  if (std::isfinite(value) && std::fabs(value) > FLT_MAX) return value > 0 ? INFINITY : -INFINITY;
  return static_cast<float>(value);
}

char* parse_text(const Argument& argument, int index, TextBuffers& texts) {
  if (!argument.quoted) throw ScriptError(ordinal(index) + ": expected a text in double quotes, got " + argument.text);
  texts.push_back(argument.text);
  return texts.back().data();
}

Value integer_value(int value) { return {'L', {std::to_string(value), false}}; }

Value float_value(float value) { return {'F', {hostsim::format_float(value), false}}; }

Value unsigned_value(K value) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(value));
  return {'D', {hex, false}};
}

Value text_value(const char* text) { return {'S', {text ? text : "", true}}; }

}  // namespace runner
