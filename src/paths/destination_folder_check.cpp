#include "paths/destination_folder_check.h"

#include "paths/check_messages.h"
#include "paths/full_path_step.h"
#include "paths/given_text.h"
#include "paths/value_flags.h"

namespace peltrix::paths {

namespace {

// Room for a separator and '*', as for the source folder.
constexpr GivenTextRule kGivenText{.forbidden_code = 56,
                                   .forbidden_line = "%d番目の/Oの/ODに次の指定できない文字を指定しています。",
                                   .memory_code = 57,
                                   .spare_bytes = 2};
constexpr LongFormRule kLongForm{.error_code = 60, .system_lines = false, .missing_keeps_given = true,
                                 .memory_code = 61};

}  // namespace

bool check_destination_folder(const char* text, int occurrence, PathValue& value) {
  const int position = occurrence + 1;
  if (!take_given_text(text, position, kGivenText, value)) return false;
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
    if (!is_not_found(error)) {
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
