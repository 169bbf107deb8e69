#include "paths/destination_folder_check.h"

#include <cstring>

#include "paths/check_messages.h"
#include "paths/forbidden_characters.h"
#include "paths/full_path_step.h"
#include "paths/heap_text.h"
#include "paths/value_flags.h"

namespace peltrix::paths {

namespace {

constexpr LongFormRule kLongForm{.error_code = 60, .system_lines = false, .missing_keeps_given = true,
                                 .memory_code = 61};

}  // namespace

bool check_destination_folder(const char* text, int occurrence, PathValue& value) {
  const int position = occurrence + 1;
  if (refuse_forbidden_character(text, 56, "%d番目の/Oの/ODに次の指定できない文字を指定しています。", position)) {
    return false;
  }
  // Room for a separator and '*', as for the source folder.
  const size_t length = std::strlen(text);
  if (!hold_text(57, std::string_view(text, length), length + 3, value.given_text)) return false;
  const char* given = value.given_text.c_str();

  platform::PathStatus status;
  if (platform::path_status(given, &status)) {
    value.flags |= value_flag::kExists;
    if (status.kind != platform::PathKind::kFolder) {
      value_lines(59, "%d番目の/Oの/ODに指定した次のコピー先はフォルダではありません。", position, given,
                  "/ODにはフォルダを指定してください。");
      return false;
    }
  } else {
    const uint32_t error = platform::last_error();
    if (error != platform::kErrorFileNotFound && error != platform::kErrorPathNotFound) {
      io_error_lines(58, "%d番目の/Oの/ODに指定した次のコピー先にI/Oエラーが発生しました。", position, given, error);
      return false;
    }
    // Created before the copy.
    value.flags |= value_flag::kMissing;
  }
  value.flags |= value_flag::kFolder;
  return make_full_path(value.given_text, kLongForm, value.full_path);
}

}  // namespace peltrix::paths
