#include "script.h"

#include <cctype>

namespace runner {
namespace {

bool is_name_start(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool is_name_char(char c) { return is_name_start(c) || std::isdigit(static_cast<unsigned char>(c)); }
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string trim(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && is_blank(text[first])) ++first;
  while (last > first && is_blank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The line without its comment; a # inside a text stays.
std::string strip_comment(const std::string& source) {
  bool in_text = false;
  for (std::size_t i = 0; i < source.size(); ++i) {
    char c = source[i];
    if (in_text && c == '\\')
      ++i;
    else if (c == '"')
      in_text = !in_text;
    else if (c == '#' && !in_text)
      return source.substr(0, i);
  }
  return source;
}

// Reads a quoted text starting at `at` (on the opening quote); leaves `at`
// after the closing quote.
std::string read_text(const std::string& text, std::size_t& at) {
  std::string value;
  for (++at; at < text.size(); ++at) {
    char c = text[at];
    if (c == '"') {
      ++at;
      return value;
    }
    if (c == '\\' && at + 1 < text.size()) c = text[++at];
    value += c;
  }
  throw ScriptError("unterminated text: a \" is missing");
}

}  // namespace

bool split_line(const std::string& source, Line& line) {
  std::string text = trim(strip_comment(source));
  line = Line{};
  if (text.empty()) return false;
  std::size_t at = 0;
  if (text[0] == '$') {
    std::size_t equals = text.find('=');
    if (equals == std::string::npos) throw ScriptError("a line starting with $name must store a result: $name = ...");
    line.variable = trim(text.substr(1, equals - 1));
    if (line.variable.empty() || !is_name_start(line.variable[0]))
      throw ScriptError("bad variable name \"$" + line.variable + "\"");
    for (char c : line.variable)
      if (!is_name_char(c)) throw ScriptError("bad variable name \"$" + line.variable + "\"");
    at = equals + 1;
  }
  for (;;) {
    while (at < text.size() && is_blank(text[at])) ++at;
    if (at >= text.size() || !is_name_start(text[at])) break;
    std::size_t end = at;
    while (end < text.size() && is_name_char(text[end])) ++end;
    line.words.push_back(text.substr(at, end - at));
    at = end;
  }
  line.rest = trim(text.substr(at));
  if (line.words.empty() && line.variable.empty())
    throw ScriptError("a line must start with a command name, got \"" + text + "\"");
  return true;
}

std::string join_words(const std::vector<std::string>& words, std::size_t count) {
  std::string name;
  for (std::size_t i = 0; i < count && i < words.size(); ++i) name += (i ? " " : "") + words[i];
  return name;
}

std::vector<Argument> parse_arguments(std::string text) {
  text = trim(text);
  if (!text.empty() && text[0] == '(') {
    // Find the closing parenthesis outside texts.
    std::size_t at = 1, close = std::string::npos;
    while (at < text.size()) {
      if (text[at] == '"')
        read_text(text, at);
      else if (text[at] == ')')
        close = at++;
      else
        ++at;
    }
    if (close == std::string::npos) throw ScriptError("a ) is missing");
    if (!trim(text.substr(close + 1)).empty()) throw ScriptError("unexpected text after the )");
    text = trim(text.substr(1, close - 1));
  }
  std::vector<Argument> arguments;
  if (text.empty()) return arguments;
  std::size_t at = 0;
  for (;;) {
    while (at < text.size() && is_blank(text[at])) ++at;
    Argument argument;
    if (at < text.size() && text[at] == '"') {
      argument.text = read_text(text, at);
      argument.quoted = true;
      while (at < text.size() && is_blank(text[at])) ++at;
      if (at < text.size() && text[at] != ',')
        throw ScriptError("argument " + std::to_string(arguments.size() + 1) + ": unexpected text after a closing \"");
    } else {
      std::size_t comma = text.find(',', at);
      if (comma == std::string::npos) comma = text.size();
      argument.text = trim(text.substr(at, comma - at));
      if (argument.text.find('"') != std::string::npos)
        throw ScriptError("argument " + std::to_string(arguments.size() + 1) + ": a text must be quoted as a whole");
      at = comma;
      if (argument.text.empty()) throw ScriptError("argument " + std::to_string(arguments.size() + 1) + " is empty");
    }
    arguments.push_back(argument);
    if (at >= text.size()) return arguments;
    ++at;  // the comma
  }
}

std::string quote(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace runner
