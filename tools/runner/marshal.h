// Calls a function of a C++ signature known at compile time with arguments
// parsed from script text: every argument is a 32-bit integer, float or
// unsigned value or a text pointer.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "../../plugin/decoration.h"
#include "../../plugin/fmath.h"
#include "callees.h"

namespace runner {

// Holds the texts passed to one call until it returns.
using TextBuffers = std::deque<std::string>;

// A number written in hexadecimal: 0x or 0X after an optional sign.
bool written_in_hex(const std::string& text);
long long parse_integer(const Argument& argument, int index, long long low, long long high);
float parse_float(const Argument& argument, int index);
char* parse_text(const Argument& argument, int index, TextBuffers& texts);

Value integer_value(int value);
Value float_value(float value);
Value unsigned_value(K value);
Value text_value(const char* text);
void give_back_text(KText text);

template <class T>
T convert(const Argument& argument, int index, TextBuffers& texts) {
  if constexpr (std::is_same_v<T, int>) {
    long long value = parse_integer(argument, index, INT32_MIN, UINT32_MAX);
    return static_cast<int>(static_cast<std::uint32_t>(value));
  } else if constexpr (std::is_same_v<T, K>) {
    return static_cast<K>(parse_integer(argument, index, INT32_MIN, UINT32_MAX));
  } else if constexpr (std::is_same_v<T, float>) {
    return parse_float(argument, index);
  } else if constexpr (std::is_same_v<T, char*>) {
    return parse_text(argument, index, texts);
  } else {
    static_assert(std::is_same_v<T, KText>);
    return as_ktext(parse_text(argument, index, texts));
  }
}

// How a raw result becomes a Value: `result` is the row's result letter (a
// float result comes back as its bit pattern; an "S" text goes back to the
// host's string allocator once copied).
template <class R>
Value make_value(R raw, char result) {
  if constexpr (std::is_same_v<R, int>) {
    return integer_value(raw);
  } else if constexpr (std::is_same_v<R, KFloat>) {
    return float_value(as_float(raw));
  } else if constexpr (std::is_same_v<R, K>) {
    return result == 'F' ? float_value(as_float(raw)) : unsigned_value(raw);
  } else {
    Value value = text_value(text_chars(raw));
    if (result == 'S') give_back_text(raw);
    return value;
  }
}

template <class F>
struct Marshal;

template <class R, class... A>
struct Marshal<R(A...)> {
  using Pointer = R (*)(A...);
  static constexpr std::size_t arity = sizeof...(A);

  // The letters of the arguments a script passes: all but `hidden` leading ones.
  static std::string letters(std::size_t hidden) {
    std::string all = {decoration::type_letter<A>()...};
    return all.substr(hidden);
  }

  // The result's letter; `unsigned_as` for an unsigned result (D, or F for
  // a host getter that carries a float's pattern).
  static constexpr char result_letter(char unsigned_as) {
    if constexpr (std::is_void_v<R>)
      return 0;
    else if constexpr (std::is_same_v<R, K>)
      return unsigned_as;
    else
      return decoration::type_letter<R>();
  }

  // Calls `address`; the first `hidden` parameters (the text slot of a text
  // result) are passed as null.  The argument count is checked by the caller.
  static Value call(void* address, std::size_t hidden, char result, const std::vector<Argument>& arguments) {
    return call(reinterpret_cast<Pointer>(address), hidden, result, arguments, std::index_sequence_for<A...>{});
  }

 private:
  template <std::size_t... I>
  static Value call(Pointer function, std::size_t hidden, char result, const std::vector<Argument>& arguments,
                    std::index_sequence<I...>) {
    TextBuffers texts;
    std::tuple<A...> values{(I < hidden ? A{} : convert<A>(arguments[I - hidden], int(I - hidden) + 1, texts))...};
    if constexpr (std::is_void_v<R>) {
      std::apply(function, values);
      return {};
    } else {
      return make_value(std::apply(function, values), result);
    }
  }
};

}  // namespace runner
