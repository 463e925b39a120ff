// Decorated export names, worked out at compile time two ways:
//  - from a command-table row's type letters (L, F, D, S and the result mark);
//  - from the C++ type of the function that implements it.
// The build checks that both agree with the name written in the row.
#pragma once
#include <cstddef>
#include <string_view>
#include <type_traits>

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
  return {row.substr(0, result ? first - 1 : first), row.substr(first + 1, second - first - 1),
          row.substr(second + 1), result};
}

// "?plain@@YA..." -> "plain"
constexpr std::string_view plain_name(std::string_view decorated) {
  return decorated.substr(1, decorated.find("@@") - 1);
}

constexpr std::string_view parameter_code(char letter) {
  switch (letter) {
    case 'L': return "H";
    case 'F': return "M";
    case 'D': return "K";
    case 'S': return "PAD";
  }
  return "?";
}

constexpr std::string_view result_code(char letter) { return letter == 'L' ? "H" : "K"; }

// Parameter codes in order; a repeated char pointer is written as the
// back-reference "0".
template <std::size_t N>
constexpr void append_parameters(Name& name, const std::string_view (&codes)[N], std::size_t count) {
  bool seen_text = false;
  for (std::size_t i = 0; i < count; ++i) {
    if (codes[i] == "PAD" && seen_text) {
      name.append("0");
    } else {
      name.append(codes[i]);
      seen_text = seen_text || codes[i] == "PAD";
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
    if (letters[0] == 'S') codes[count++] = "PAD";  // the text given back to the host
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
  if constexpr (std::is_void_v<T>) return "X";
  else if constexpr (std::is_same_v<T, int>) return "H";
  else if constexpr (std::is_same_v<T, float>) return "M";
  else if constexpr (std::is_same_v<T, char*>) return "PAD";
  else if constexpr (std::is_same_v<T, const char*>) return "PBD";
  else if constexpr (std::is_same_v<T, void*>) return "PAX";
  else if constexpr (std::is_integral_v<T> && std::is_unsigned_v<T>) return "K";
  else if constexpr (std::is_enum_v<T>) return "K";  // a text address
  else return "?";
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
