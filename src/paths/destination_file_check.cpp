#include "paths/destination_file_check.h"

#include "messages/messages.h"
#include "paths/check_messages.h"
#include "paths/file_identity.h"
#include "paths/full_path_step.h"
#include "paths/given_text.h"
#include "paths/open_step.h"
#include "paths/value_flags.h"

namespace peltrix::paths {

namespace {

constexpr GivenTextRule kGivenText{.forbidden_code = 50,
                                   .forbidden_line = "%d番目の/Oの/OFに次の指定できない文字を指定しています。",
                                   .memory_code = 51,
                                   .spare_bytes = 0};
constexpr LongFormRule kLongForm{.error_code = 54, .system_lines = false, .missing_keeps_given = true,
                                 .memory_code = 55};

// Flags of the status of given: exists, no file (its folder exists) or
// missing (a folder on the way is missing). False after the messages.
bool read_status(const char* given, int position, PathValue& value) {
  platform::PathStatus status;
  if (!platform::path_status(given, &status)) {
    const uint32_t error = platform::last_error();
    if (error == platform::kErrorFileNotFound) {
      value.flags |= value_flag::kNoFile;
      return true;
    }
    if (error == platform::kErrorPathNotFound) {
      value.flags |= value_flag::kMissing;
      return true;
    }
    io_error_lines(52, "%d番目の/Oの/OFに指定した次のコピー先にI/Oエラーが発生しました。", position, given, error);
    return false;
  }
  if (status.kind != platform::PathKind::kFile) {
    value_lines(53, "%d番目の/Oの/OFに指定した次のコピー先はファイルではありません。", position, given,
                "/OFにはファイルを指定してください。");
    return false;
  }
  value.flags |= value_flag::kExists;
  value.size = status.size;
  return true;
}

}  // namespace

bool check_destination_file(const char* name, int occurrence, int accepted, PathValue& value) {
  const int position = occurrence + 1;
  if (accepted >= kMaxDestinationFiles) {
    messages::line(49, 1, "%d番目の/Oの/OFに指定したファイルの数が上限の4を超えています。", position);
    messages::line(49, 2, "指定するファイルの数を上限の4以下にしてください。");
    return false;
  }
  if (!take_given_text(name, position, kGivenText, value)) return false;
  if (!read_status(value.given_text.c_str(), position, value)) return false;
  if (!make_full_path(value.given_text, kLongForm, value.full_path)) return false;

  if ((value.flags & value_flag::kExists) != 0) {
    // A destination that another program holds is refused already here.
    platform::FileInformation information;
    if (!query_file_identity(value.full_path.c_str(), kDestinationWord, information)) return false;
    value.file_information = information;
  }
  return true;
}

}  // namespace peltrix::paths
