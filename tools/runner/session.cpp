#include "session.h"

#include <filesystem>

namespace runner {

Session& session() {
  static Session current;
  return current;
}

std::string input_path(const std::string& name) {
  std::filesystem::path path(name);
  return path.is_absolute() ? name : (std::filesystem::path(session().script_dir) / path).string();
}

std::string output_path(const std::string& name) {
  std::filesystem::path path(name);
  if (!path.is_absolute()) path = std::filesystem::path(session().output_dir) / path;
  std::error_code ignored;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
  return path.string();
}

}  // namespace runner
