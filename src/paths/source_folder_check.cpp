#include "paths/source_folder_check.h"

#include "paths/check_messages.h"
#include "paths/full_path_step.h"
#include "paths/given_text.h"
#include "paths/value_flags.h"

namespace peltrix::paths {

namespace {

// Room for a separator and '*' that the folder scan appends.
constexpr GivenTextRule kGivenText{.forbidden_code = 42,
                                   .forbidden_line = "%d番目の/Iの/IDに次の指定できない文字を指定しています。",
                                   .memory_code = 43,
                                   .spare_bytes = 2};
constexpr LongFormRule kLongForm{.error_code = 47, .system_lines = false, .missing_keeps_given = false,
                                 .memory_code = 48};

}  // namespace

bool check_source_folder(const char* text, int occurrence, PathValue& value) {
  const int position = occurrence + 1;
  if (!take_given_text(text, position, kGivenText, value)) return false;
  const char* given = value.given_text.c_str();

  platform::PathStatus status;
  if (!platform::path_status(given, &status)) {
    const uint32_t error = platform::last_error();
    if (is_not_found(error)) {
      value_lines(44, "%d番目の/Iの/IDに指定した次のフォルダが見つかりません。", position, given,
                  "/IDには存在するフォルダを指定してください。");
    } else {
      io_error_lines(45, "%d番目の/Iの/IDに指定した次のフォルダにI/Oエラーが発生しました。", position, given, error);
    }
    return false;
  }
  value.flags |= value_flag::kExists;
  if (status.kind != platform::PathKind::kFolder) {
    value_lines(46, "%d番目の/Iの/IDに指定した次のコピー元はフォルダではありません。", position, given,
                "/IDにはフォルダを指定してください。");
    return false;
  }
  value.flags |= value_flag::kFolder;
  return make_full_path(value.given_text, kLongForm, value.full_path);
}

}  // namespace peltrix::paths
