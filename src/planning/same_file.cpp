#include "planning/same_file.h"

#include "platform/platform.h"

namespace peltrix::planning {

bool same_file(const cli::ValueSlot& a, const cli::ValueSlot& b) {
  if (a.full_path == b.full_path) return true;
  return a.file_information.has_value() && b.file_information.has_value() &&
         a.file_information->identity == b.file_information->identity;
}

std::string_view file_name_of(const std::string& given) {
  const char* separator = platform::last_folder_separator(given.c_str());
  if (separator == nullptr) return given;
  return std::string_view(separator + 1);
}

}  // namespace peltrix::planning
