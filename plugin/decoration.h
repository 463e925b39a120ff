// The type letters of the command table, and decorated export names worked
// out at compile time two ways:
//  - from a command-table row's type letters (L, F, D, S and the result mark);
//  - from the C++ type of the function that implements it.
// The build checks that both agree with the name written in the row.
#pragma once
#include <cstddef>
#include <string_view>
#include <type_traits>

#include "fmath.h"

namespace decoration {

struct Name {
  char text[64] = {};
  std::size_t size = 0;
  constexpr void append(std::string_view part) {
    for (char c : part) text[size++] = c;
  }
  constexpr std::string_view view() const { return {text, size}; }
};

// The parts of a row "NAME[%LETTERS%?decorated@@YA...@Z".
struct Row {
  std::string_view command, letters, decorated;
  bool has_result;
};

constexpr Row parse_row(std::string_view row) {
  std::size_t first = row.find('%');
  std::size_t second = row.find('%', first + 1);
  bool result = first > 0 && row[first - 1] == '[';
  return {row.substr(0, result ? first - 1 : first), row.substr(first + 1, second - first - 1), row.substr(second + 1),
          result};
}

// "?plain@@YA..." -> "plain"
constexpr std::string_view plain_name(std::string_view decorated) {
  return decorated.substr(1, decorated.find("@@") - 1);
}

// The command table's type letters: what each stands for, its decoration
// code as a parameter and as a result (every result but an integer comes
// back as a 32-bit unsigned), and its name for readers.
struct TypeLetter {
  char letter;
  std::string_view parameter_code, result_code, name;
};
inline constexpr TypeLetter type_letters[] = {
    {'L', "H", "H", "integer"},
    {'F', "M", "K", "float"},
    {'D', "K", "K", "unsigned"},
    {'S', "PAD", "K", "text"},
};

// Any other letter finds codes that match no decorated name, and "value".
constexpr TypeLetter find_letter(char letter) {
  for (const TypeLetter& row : type_letters)
    if (row.letter == letter) return row;
  return {letter, "?", "?", "value"};
}

constexpr std::string_view parameter_code(char letter) { return find_letter(letter).parameter_code; }
constexpr std::string_view result_code(char letter) { return find_letter(letter).result_code; }
constexpr std::string_view letter_name(char letter) { return find_letter(letter).name; }

// The letter of a C++ type that a command or host function passes or
// returns: a float's bit pattern counts as F, a text address as S.
template <class T>
constexpr char type_letter() {
  if constexpr (std::is_same_v<T, int>)
    return 'L';
  else if constexpr (std::is_same_v<T, float> || std::is_same_v<T, KFloat>)
    return 'F';
  else if constexpr (std::is_same_v<T, K>)
    return 'D';
  else if constexpr (std::is_same_v<T, char*> || std::is_same_v<T, KText>)
    return 'S';
  else
    return 0;
}

// Parameter codes in order; a repeated char pointer is written as the
// back-reference "0".
template <std::size_t N>
constexpr void append_parameters(Name& name, const std::string_view (&codes)[N], std::size_t count) {
  bool seen_text = false;
  for (std::size_t i = 0; i < count; ++i) {
    bool text = codes[i] == parameter_code('S');
    if (text && seen_text) {
      name.append("0");
    } else {
      name.append(codes[i]);
      seen_text = seen_text || text;
    }
  }
  name.append(count == 0 ? "XZ" : "@Z");
}

constexpr Name from_letters(std::string_view plain, bool has_result, std::string_view letters) {
  Name name;
  name.append("?");
  name.append(plain);
  name.append("@@YA");
  std::string_view codes[16];
  std::size_t count = 0;
  if (has_result) {
    name.append(result_code(letters[0]));
    if (letters[0] == 'S') codes[count++] = parameter_code('S');  // the text given back to the host
    letters.remove_prefix(1);
  } else {
    name.append("X");
  }
  for (char letter : letters) codes[count++] = parameter_code(letter);
  append_parameters(name, codes, count);
  return name;
}

template <class T>
constexpr std::string_view type_code() {
  if constexpr (std::is_void_v<T>)
    return "X";
  else if constexpr (std::is_same_v<T, int> || std::is_same_v<T, float> || std::is_same_v<T, char*>)
    return parameter_code(type_letter<T>());
  else if constexpr (std::is_same_v<T, const char*>)
    return "PBD";
  else if constexpr (std::is_same_v<T, void*>)
    return "PAX";
  else if constexpr (std::is_integral_v<T> && std::is_unsigned_v<T>)
    return parameter_code('D');
  else if constexpr (std::is_enum_v<T>)
    return parameter_code('D');  // a text address or a float's bits
  else
    return "?";
}

template <class F>
struct Signature;
template <class R, class... A>
struct Signature<R(A...)> {
  static constexpr Name decorate(std::string_view plain) {
    Name name;
    name.append("?");
    name.append(plain);
    name.append("@@YA");
    name.append(type_code<R>());
    const std::string_view codes[sizeof...(A) + 1] = {type_code<A>()..., ""};
    append_parameters(name, codes, sizeof...(A));
    return name;
  }
};

template <class F>
constexpr Name from_signature(std::string_view plain) {
  return Signature<F>::decorate(plain);
}

}  // namespace decoration
