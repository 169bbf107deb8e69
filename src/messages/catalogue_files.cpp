#include "messages/catalogue_files.h"

#include "messages/messages.h"
#include "platform/platform.h"

namespace peltrix::messages {

void open_failure(OpenCode code, const char* kind_word, const char* path, uint32_t error) {
  if (error == platform::kErrorSharingViolation) {
    line(code, 1, "次の%sファイルは，他で使用中です。", kind_word);
    line(code, 2, "%s", path);
    line(code, 3, "他で使用が終了したら，再度コマンドを実行してください。");
    system_error_lines(code, 4, error);
  } else {
    line(code, 1, "次の%sファイルのopenが失敗しました。", kind_word);
    line(code, 2, "%s", path);
    system_error_lines(code, 3, error);
  }
}

void read_failure(ReadCode code, const char* path, uint32_t error) {
  line(code, 1, "ReadFile()関数でエラーが発生しました。 \"%s\"", path);
  system_error_lines(code, 2, error);
}

void write_failure(WriteCode code, const char* name, uint32_t error) {
  line(code, 1, "WriteFile()関数でエラーが発生しました。 \"%s\"", name);
  system_error_lines(code, 2, error);
}

void close_failure(CloseCode code, const char* path, uint32_t error) {
  line(code, 1, "次のコピー元ファイルのcloseが失敗しました。 \"%s\"", path);
  system_error_lines(code, 2, error);
}

void folder_not_made(FolderCreationCode code, const char* path, int result, uint32_t error) {
  line(code, 1, "次のコピー先フォルダの作成に失敗しました。");
  line(code, 2, "%s", path);
  line(code, 3, "_mkdir()関数が戻り値%dで，次のエラーとなりました。", result);
  system_error_lines(code, 4, error);
}

}  // namespace peltrix::messages
