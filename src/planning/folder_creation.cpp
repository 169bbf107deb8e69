#include "planning/folder_creation.h"

#include <cstring>

#include "messages/catalogue_files.h"
#include "paths/path_value.h"
#include "platform/platform.h"

namespace peltrix::planning {

namespace {

constexpr size_t kBufferSize = platform::kMaxPath + 1;

bool is_folder(const char* path) {
  platform::PathStatus status;
  return platform::path_status(path, &status) && status.kind == platform::PathKind::kFolder;
}

}  // namespace

bool create_folder(const char* folder) {
  char work[kBufferSize] = {};
  // Every pass creates at least one missing folder, so there are never more
  // passes than separators.
  for (size_t pass = 0; pass <= platform::kMaxPath; ++pass) {
    std::strncpy(work, folder, platform::kMaxPath);
    bool full = true;
    for (;;) {
      const int result = platform::make_folder(work);
      if (result == 0) {
        if (full) return true;
        break;  // an ancestor was made: start again from the whole path
      }
      const uint32_t error = platform::last_error();
      if (!paths::is_not_found(error)) {
        if (error == platform::kErrorAlreadyExists && is_folder(work)) {
          if (full) return true;
          break;
        }
        messages::folder_not_made(messages::kDestinationFolderCreation, work, result, error);
        return false;
      }
      char* separator = const_cast<char*>(platform::last_folder_separator(work));
      if (separator == nullptr) {
        // Nothing above it can be made either (a drive that does not exist).
        messages::folder_not_made(messages::kDestinationFolderCreation, folder, result, error);
        return false;
      }
      *separator = '\0';
      full = false;
    }
  }
  // Only a folder system that keeps changing under the run gets here.
  messages::folder_not_made(messages::kDestinationFolderCreation, folder, -1, platform::last_error());
  return false;
}

}  // namespace peltrix::planning
