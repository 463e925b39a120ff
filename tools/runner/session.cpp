#include "session.h"

#include <filesystem>

namespace runner {

Session& session() {
  static Session current;
  return current;
}

std::string input_path(const std::string& name) {
  std::filesystem::path path(name);
  if (path.is_absolute()) return name;
  std::filesystem::path beside_script = std::filesystem::path(session().script_dir) / path;
  std::filesystem::path written = std::filesystem::path(session().output_dir) / path;
  std::error_code ignored;
  bool only_written = !std::filesystem::exists(beside_script, ignored) && std::filesystem::exists(written, ignored);
  return (only_written ? written : beside_script).string();
}

std::string output_path(const std::string& name) {
  std::filesystem::path path(name);
  if (!path.is_absolute()) path = std::filesystem::path(session().output_dir) / path;
  std::error_code ignored;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
  return path.string();
}

}  // namespace runner
