#include "paths/source_file_check.h"

#include "messages/messages.h"
#include "paths/check_messages.h"
#include "paths/file_identity.h"
#include "paths/full_path_step.h"
#include "paths/given_text.h"
#include "paths/open_step.h"
#include "paths/value_flags.h"

namespace peltrix::paths {

namespace {

constexpr GivenTextRule kGivenText{.forbidden_code = 35,
                                   .forbidden_line = "%d番目の/Iの/IFに指定できない文字を指定しています。",
                                   .memory_code = 36,
                                   .spare_bytes = 0};
constexpr LongFormRule kLongForm{.error_code = 40, .system_lines = true, .missing_keeps_given = false,
                                 .memory_code = 41};

void print_status_failure(int position, const char* given, uint32_t error) {
  constexpr char kAdvice[] = "/IFには存在するファイルを指定してください。";
  if (error == platform::kErrorFileNotFound) {
    value_lines(37, "%d番目の/Iの/IFに指定した次のコピー元ファイルが見つかりません。", position, given, kAdvice);
  } else if (error == platform::kErrorPathNotFound) {
    value_lines(128, "%d番目の/Iの/IFに指定した次のコピー元ファイルが見つかりません。", position, given, kAdvice);
  } else {
    io_error_lines(38, "%d番目の/Iに指定したコピー元にI/Oエラーが発生しました。", position, given, error);
  }
}

}  // namespace

bool check_source_file(const char* name, int occurrence, int accepted, PathValue& value) {
  const int position = occurrence + 1;
  if (accepted >= kMaxSourceFiles) {
    messages::line(34, 1, "%d番目の/Iの/IFに指定したファイルの数が上限の256を超えています。", position);
    messages::line(34, 2, "指定するファイルの数を上限の256以下にしてください。");
    return false;
  }
  if (!take_given_text(name, position, kGivenText, value)) return false;
  const char* given = value.given_text.c_str();

  platform::PathStatus status;
  if (!platform::path_status(given, &status)) {
    print_status_failure(position, given, platform::last_error());
    return false;
  }
  value.flags |= value_flag::kExists;
  value.size = status.size;
  if (status.kind != platform::PathKind::kFile) {
    value_lines(39, "%d番目の/Iの/IFに指定した次のコピー元はファイルではありません。", position, given,
                "/IFにはファイルを指定してください。");
    return false;
  }
  value.flags |= value_flag::kFile;

  if (!make_full_path(value.given_text, kLongForm, value.full_path)) return false;
  platform::FileInformation information;
  if (!query_file_identity(value.full_path.c_str(), kSourceWord, information)) return false;
  value.file_information = information;
  return true;
}

}  // namespace peltrix::paths
