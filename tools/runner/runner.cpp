#include "runner.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "../../hostsim/core_state.h"
#include "../../hostsim/hostsim.h"
#include "../../plugin/exports.h"
#include "../../plugin/platform_native.h"
#include "callees.h"
#include "marshal.h"
#include "pictures.h"
#include "session.h"

namespace runner {
namespace {

namespace fs = std::filesystem;

using Variables = std::map<std::string, Value>;

// A fresh host with every module loaded and the core record handed over,
// as the host does before the first command, and the plug-in as freshly
// loaded: a page runs one script after another in the same module.
bool start_host(const Options& options) {
  hostsim::reset();
  platform::native::reload_library();
  if (!hostsim::load_modules()) return false;
  if (options.host_started) options.host_started();
  auto receive = reinterpret_cast<void (*)(void*)>(exports::find(exports::protocol_name::ReceiveCoreDataPtr));
  if (!receive) return false;
  receive(hostsim::core_record());
  return true;
}

std::string letters_as_types(const std::string& letters) {
  std::string list;
  for (char letter : letters) list += (list.empty() ? "" : ", ") + type_name(letter);
  return list;
}

std::string unknown_name(const std::string& name) {
  std::string message = "unknown command \"" + name + "\"";
  std::vector<std::string> nearest = nearest_names(name);
  for (std::size_t i = 0; i < nearest.size(); ++i)
    message += (i == 0 ? "; did you mean " : i + 1 == nearest.size() ? " or " : ", ") + quote(nearest[i]);
  return message + (nearest.empty() ? "" : "?");
}

// The overload of `name` that takes `count` arguments.
const Callee& choose(const std::string& name, std::size_t count) {
  std::vector<const Callee*> found = find_callees(name);
  std::string accepted;
  for (const Callee* callee : found) {
    bool variadic = callee->parameters == "*";
    if (variadic || callee->parameters.size() == count) return *callee;
    std::size_t wanted = callee->parameters.size();
    accepted += (accepted.empty() ? "" : " or ") + std::to_string(wanted) + (wanted == 1 ? " argument" : " arguments");
    if (wanted) accepted += " (" + letters_as_types(callee->parameters) + ")";
  }
  throw ScriptError(name + " takes " + accepted + ", " + std::to_string(count) + " given");
}

void substitute(std::vector<Argument>& arguments, const Variables& variables) {
  for (Argument& argument : arguments) {
    if (argument.quoted || argument.text.empty() || argument.text[0] != '$') continue;
    auto found = variables.find(argument.text.substr(1));
    if (found == variables.end()) throw ScriptError("unknown variable " + argument.text);
    argument = found->second.value;
  }
}

// A number as written: hexadecimal ones are unsigned values, whole ones
// integers, the others floats.
Value number_value(const Argument& number) {
  if (written_in_hex(number.text)) return unsigned_value(K(parse_integer(number, 1, INT32_MIN, UINT32_MAX)));
  try {
    return integer_value(int(parse_integer(number, 1, INT32_MIN, INT32_MAX)));
  } catch (const ScriptError&) {
    return float_value(parse_float(number, 1));
  }
}

// A repeat line: the loop counts `remaining` more passes, setting the
// variable (if any) to next, next + step, ...
struct Loop {
  std::size_t repeat_line = 0, end_line = 0;
  std::string variable;
  long long next = 0, step = 1, remaining = 0;
};

// A line that assigns nothing and whose first word is `word`.
bool opens_with(const Line& line, const char* word) {
  return line.variable.empty() && !line.words.empty() && line.words[0] == word;
}
bool is_repeat(const Line& line) { return opens_with(line, "repeat"); }
bool is_loop(const Line& line) { return opens_with(line, "loop"); }
bool is_end_repeat(const Line& line) {
  return opens_with(line, "end") && line.words.size() == 2 && line.words[1] == "repeat" && line.rest.empty();
}

// At the script's end: whether the lines after "loop" run once more.
bool loops_again(const Options& options, std::size_t passes_done) {
  const Session& current = session();
  if (current.loop_line == 0) return false;
  if (current.loop_passes == 0) return options.endless_loops;
  return passes_done < static_cast<std::size_t>(current.loop_passes);
}

class Run {
 public:
  Run(const Options& options, std::ostream& out) : options_(options), out_(out) {}

  // Runs the script's lines; on a fault, `at` holds the line's index.
  void lines(const std::vector<std::string>& source, std::size_t& at) {
    std::vector<std::size_t> ends = match_loops(source, at);
    std::vector<Loop> loops;
    for (at = 0, passes_ = 1; at < source.size(); at = next_line(at, source.size())) {
      session().line = static_cast<int>(at) + 1;
      Line parsed;
      if (!split_line(source[at], parsed)) continue;
      if (is_repeat(parsed)) {
        Loop loop = start_loop(parsed, at, ends[at]);
        if (loop.remaining == 0) {
          at = loop.end_line;
          continue;
        }
        enter(loop);
        loops.push_back(loop);
      } else if (is_end_repeat(parsed)) {
        Loop& loop = loops.back();
        if (--loop.remaining == 0) {
          loops.pop_back();
          continue;
        }
        loop.next += loop.step;
        enter(loop);
        at = loop.repeat_line;
      } else {
        line(parsed);
      }
    }
  }

 private:
  // The line after `at`, once the line has run: at the script's end, the
  // first line after "loop" while the loop runs again.
  std::size_t next_line(std::size_t at, std::size_t count) {
    if (options_.after_line) options_.after_line();
    if (at + 1 == count && loops_again(options_, passes_++)) return std::size_t(session().loop_line);
    return at + 1;
  }

  // For each repeat line, the index of its end repeat; the first unmatched
  // line is a fault.
  static std::vector<std::size_t> match_loops(const std::vector<std::string>& source, std::size_t& at) {
    std::vector<std::size_t> ends(source.size()), open;
    for (at = 0; at < source.size(); ++at) {
      Line parsed;
      try {
        if (!split_line(source[at], parsed)) continue;
      } catch (const ScriptError&) {
        continue;  // reported when the line is reached
      }
      // The script's end goes back to the line after "loop": inside a block
      // that would land between a repeat and its end.
      if (!open.empty() && is_loop(parsed)) throw ScriptError("loop cannot stand inside a repeat block");
      if (is_repeat(parsed)) open.push_back(at);
      if (!is_end_repeat(parsed)) continue;
      if (open.empty()) throw ScriptError("end repeat without a repeat before it");
      ends[open.back()] = at;
      open.pop_back();
    }
    if (!open.empty()) {
      at = open.back();
      throw ScriptError("this repeat has no end repeat");
    }
    return ends;
  }

  // repeat COUNT, or repeat $name, FIRST, LAST [, STEP]: whole numbers.
  Loop start_loop(const Line& parsed, std::size_t repeat_line, std::size_t end_line) {
    std::string rest = parsed.rest;
    for (std::size_t i = parsed.words.size(); i > 1; --i) rest = parsed.words[i - 1] + " " + rest;
    std::vector<Argument> arguments = parse_arguments(rest);
    Loop loop{repeat_line, end_line, "", 0, 1, 0};
    if (arguments.size() >= 3 && !arguments[0].quoted && arguments[0].text.rfind('$', 0) == 0) {
      loop.variable = arguments[0].text.substr(1);
      arguments.erase(arguments.begin());
    }
    substitute(arguments, variables_);
    constexpr long long low = INT32_MIN, high = INT32_MAX;
    if (loop.variable.empty() && arguments.size() == 1) {
      loop.remaining = parse_integer(arguments[0], 1, 0, high);
    } else if (!loop.variable.empty() && arguments.size() <= 3) {
      long long first = parse_integer(arguments[0], 2, low, high), last = parse_integer(arguments[1], 3, low, high);
      loop.step = arguments.size() == 3 ? parse_integer(arguments[2], 4, low, high) : (last >= first ? 1 : -1);
      if (loop.step == 0) throw ScriptError("repeat: the step must not be 0");
      loop.next = first;
      bool runs = loop.step > 0 ? first <= last : first >= last;
      loop.remaining = runs ? (last - first) / loop.step + 1 : 0;
    } else {
      throw ScriptError("repeat takes a count, or $variable, first, last and an optional step");
    }
    return loop;
  }

  void enter(const Loop& loop) {
    if (!loop.variable.empty()) variables_[loop.variable] = integer_value(int(loop.next));
  }

  // $name = VALUE: a text, an integer or a float.
  void assign(const Line& parsed) {
    std::vector<Argument> arguments = parse_arguments(parsed.rest);
    if (arguments.size() != 1) throw ScriptError("$" + parsed.variable + " = takes one value");
    substitute(arguments, variables_);
    variables_[parsed.variable] = arguments[0].quoted ? Value{'S', arguments[0]} : number_value(arguments[0]);
  }

  void line(const Line& parsed) {
    if (parsed.words.empty()) return assign(parsed);
    std::size_t count = match_words(parsed.words);
    if (count == 0) throw ScriptError(unknown_name(join_words(parsed.words, parsed.words.size())));
    std::string name = join_words(parsed.words, count);
    // Words after the name (nan, inf) belong to the arguments.
    std::string rest = parsed.rest;
    for (std::size_t i = parsed.words.size(); i > count; --i) rest = parsed.words[i - 1] + " " + rest;
    std::vector<Argument> arguments = parse_arguments(rest);
    substitute(arguments, variables_);
    const Callee& callee = choose(name, arguments.size());
    if (!parsed.variable.empty() && !callee.result)
      throw ScriptError(name + " gives no result to store in $" + parsed.variable);
    std::size_t logged = hostsim::log().size(), printed = hostsim::core_state.printed.size();
    session().missing.clear();
    Value result;
    try {
      result = callee.run(arguments);
    } catch (const ScriptError& error) {
      throw ScriptError(name + ": " + error.what());
    }
    report(parsed, name, result, logged, printed);
  }

  void report(const Line& parsed, const std::string& name, const Value& result, std::size_t logged,
              std::size_t printed) {
    const std::vector<std::string>& log = hostsim::log();
    if (options_.trace)
      for (std::size_t i = logged; i < log.size(); ++i) out_ << "  | " << log[i] << '\n';
    warn_of_missing();
    const std::vector<std::string>& lines = hostsim::core_state.printed;
    for (std::size_t i = printed; i < lines.size(); ++i) out_ << "printed: " << lines[i] << '\n';
    if (!parsed.variable.empty()) {
      variables_[parsed.variable] = result;
      out_ << '$' << parsed.variable << " = " << to_string(result) << '\n';
    } else if (result.type) {
      out_ << name << " = " << to_string(result) << '\n';
    }
  }

  // The resources the line's host calls found missing, each once for its
  // line however often the line runs; under "strict" the first is the line's
  // fault, as a game stops on it.
  void warn_of_missing() {
    for (const hostsim::Missing& met : session().missing) {
      std::string warning = std::string(met.function) + ": " + met.resource + " does not exist";
      if (session().strict) throw ScriptError(warning);
      if (warned_.insert({session().line, met.resource}).second)
        out_ << "line " << session().line << ": " << warning << '\n';
    }
  }

  const Options& options_;
  std::ostream& out_;
  Variables variables_;
  std::set<std::pair<int, std::string>> warned_;  // line and resource
  std::size_t passes_ = 1;                        // of the lines after "loop"; 1 the first time
};

}  // namespace

int run_source(const std::string& source, const std::string& name, const std::string& script_dir,
               const Options& options, std::ostream& out, std::ostream& err) {
  // Host functions that write files (SAVESOUND) write into the output folder.
  std::error_code failed;
  fs::path output_dir = fs::absolute(options.output_dir, failed);
  if (!failed) fs::create_directories(output_dir, failed);
  if (!failed) fs::current_path(output_dir, failed);
  if (failed) {
    err << name << ": cannot use the output folder " << options.output_dir << ": " << failed.message() << '\n';
    return 1;
  }
  session() = Session{fs::absolute(script_dir).string(), output_dir.string(), &out, {}};
  if (!start_host(options)) {
    err << name << ": the stand-in host could not be started\n";
    return 1;
  }
  // Frames the host presents go to the recording, if there is one.
  hostsim::on_present = record_presented_frame;
  hostsim::on_missing = [](const hostsim::Missing& met) { session().missing.push_back(met); };
  struct Unhook {
    ~Unhook() {
      hostsim::on_present = nullptr;
      hostsim::on_missing = nullptr;
    }
  } unhook;
  std::vector<std::string> source_lines;
  std::istringstream lines(source);
  for (std::string text; std::getline(lines, text);) source_lines.push_back(text);
  Run run(options, out);
  std::size_t at = 0;
  try {
    run.lines(source_lines, at);
    if (session().pictures.recording.active) {
      at = source_lines.size() - 1;
      out << "wrote " << finish_recording() << '\n';
    }
  } catch (const ScriptError& error) {
    err << name << ':' << at + 1 << ": " << error.what() << '\n';
    return 1;
  }
  return 0;
}

int run_file(const std::string& path, const Options& options, std::ostream& out, std::ostream& err,
             const std::string& name) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << (name.empty() ? path : name) << ": cannot read the script\n";
    return 1;
  }
  std::ostringstream source;
  source << file.rdbuf();
  std::string dir = fs::path(path).parent_path().string();
  return run_source(source.str(), name.empty() ? path : name, dir.empty() ? "." : dir, options, out, err);
}

}  // namespace runner
