#include "planning/path_join.h"

#include <string>

#include "platform/platform.h"

namespace peltrix::planning {

namespace {

// Found character by character: a folder whose name ends in a trail byte 5C
// (CP932 表) still needs one.
bool needs_separator(std::string_view folder) {
  const std::string text(folder);
  const char* separator = platform::last_folder_separator(text.c_str());
  return separator == nullptr || separator + 1 != text.c_str() + text.size();
}

}  // namespace

size_t joined_length(std::string_view folder, std::string_view name) {
  return folder.size() + (needs_separator(folder) ? 1 : 0) + name.size();
}

std::string joined_path(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(joined_length(folder, name));
  path.append(folder);
  if (needs_separator(folder)) path.push_back(platform::kFolderSeparator);
  path.append(name);
  return path;
}

}  // namespace peltrix::planning
