#include "planning/folder_creation.h"

#include <cstring>

#include "messages/messages.h"
#include "paths/path_value.h"
#include "platform/platform.h"

namespace peltrix::planning {

namespace {

constexpr size_t kBufferSize = platform::kMaxPath + 1;

bool is_folder(const char* path) {
  platform::PathStatus status;
  return platform::path_status(path, &status) && status.kind == platform::PathKind::kFolder;
}

void print_failure(const char* path, int result, uint32_t error) {
  messages::line(105, 1, "次のコピー先フォルダの作成に失敗しました。");
  messages::line(105, 2, "%s", path);
  messages::line(105, 3, "_mkdir()関数が戻り値%dで，次のエラーとなりました。", result);
  messages::system_error_lines(105, 4, error);
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
        print_failure(work, result, error);
        return false;
      }
      char* separator = const_cast<char*>(platform::last_folder_separator(work));
      if (separator == nullptr) {
        // Nothing above it can be made either (a drive that does not exist).
        print_failure(folder, result, error);
        return false;
      }
      *separator = '\0';
      full = false;
    }
  }
  // Only a folder system that keeps changing under the run gets here.
  print_failure(folder, -1, platform::last_error());
  return false;
}

}  // namespace peltrix::planning
