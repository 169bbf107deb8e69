// Folder separators, the same on every system: users write '\', and the
// system's own separator is accepted wherever a path is taken apart.

#include "platform/platform.h"

namespace peltrix::platform {

bool is_folder_separator(char c) { return c == '\\' || c == kFolderSeparator; }

const char* last_folder_separator(const char* path) {
  const char* found = nullptr;
  for (const char* p = path; *p != '\0'; p += char_length(p)) {
    if (is_folder_separator(*p)) found = p;
  }
  return found;
}

}  // namespace peltrix::platform
