#include "planning/path_join.h"

#include "platform/platform.h"

namespace peltrix::planning {

namespace {

bool needs_separator(std::string_view folder) {
  return folder.empty() || !platform::is_folder_separator(folder.back());
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
