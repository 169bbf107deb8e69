#include "messages/catalogue_paths.h"

#include "messages/line_shapes.h"

namespace peltrix::messages {

namespace {

// The failure about a value as given, with the advice to read the system
// error that follows.
void io_error_lines(int code, const char* first_line, int position, const char* given, uint32_t error) {
  path_failure(code, given, error, kSeeCause, first_line, position);
}

constexpr char kSourceFileAdvice[] = "/IFには存在するファイルを指定してください。";

const char* forbidden_first_line(ForbiddenCharacterCode code) {
  switch (code) {
    case kForbiddenInSourceFile: return "%d番目の/Iの/IFに指定できない文字を指定しています。";
    case kForbiddenInSourceFolder: return "%d番目の/Iの/IDに次の指定できない文字を指定しています。";
    case kForbiddenInDestinationFile: return "%d番目の/Oの/OFに次の指定できない文字を指定しています。";
    case kForbiddenInDestinationFolder: return "%d番目の/Oの/ODに次の指定できない文字を指定しています。";
  }
  return "";
}

}  // namespace

void too_many_source_files(int position) {
  line(34, 1, "%d番目の/Iの/IFに指定したファイルの数が上限の256を超えています。", position);
  line(34, 2, "指定するファイルの数を上限の256以下にしてください。");
}

void source_file_not_found(int position, const char* given) {
  position_lines(37, "%d番目の/Iの/IFに指定した次のコピー元ファイルが見つかりません。", position, given, kSourceFileAdvice);
}

void source_file_folder_not_found(int position, const char* given) {
  position_lines(128, "%d番目の/Iの/IFに指定した次のコピー元ファイルが見つかりません。", position, given, kSourceFileAdvice);
}

void source_file_io_error(int position, const char* given, uint32_t error) {
  io_error_lines(38, "%d番目の/Iに指定したコピー元にI/Oエラーが発生しました。", position, given, error);
}

void source_file_not_a_file(int position, const char* given) {
  position_lines(39, "%d番目の/Iの/IFに指定した次のコピー元はファイルではありません。", position, given,
                 "/IFにはファイルを指定してください。");
}

void source_folder_not_found(int position, const char* given) {
  position_lines(44, "%d番目の/Iの/IDに指定した次のフォルダが見つかりません。", position, given,
                 "/IDには存在するフォルダを指定してください。");
}

void source_folder_io_error(int position, const char* given, uint32_t error) {
  io_error_lines(45, "%d番目の/Iの/IDに指定した次のフォルダにI/Oエラーが発生しました。", position, given, error);
}

void source_folder_not_a_folder(int position, const char* given) {
  position_lines(46, "%d番目の/Iの/IDに指定した次のコピー元はフォルダではありません。", position, given,
                 "/IDにはフォルダを指定してください。");
}

void too_many_destination_files(int position) {
  line(49, 1, "%d番目の/Oの/OFに指定したファイルの数が上限の4を超えています。", position);
  line(49, 2, "指定するファイルの数を上限の4以下にしてください。");
}

void destination_file_io_error(int position, const char* given, uint32_t error) {
  io_error_lines(52, "%d番目の/Oの/OFに指定した次のコピー先にI/Oエラーが発生しました。", position, given, error);
}

void destination_file_not_a_file(int position, const char* given) {
  position_lines(53, "%d番目の/Oの/OFに指定した次のコピー先はファイルではありません。", position, given,
                 "/OFにはファイルを指定してください。");
}

void destination_folder_io_error(int position, const char* given, uint32_t error) {
  io_error_lines(58, "%d番目の/Oの/ODに指定した次のコピー先にI/Oエラーが発生しました。", position, given, error);
}

void destination_folder_not_a_folder(int position, const char* given) {
  position_lines(59, "%d番目の/Oの/ODに指定した次のコピー先はフォルダではありません。", position, given,
                 "/ODにはフォルダを指定してください。");
}

void forbidden_character(ForbiddenCharacterCode code, int position, char character) {
  const char text[2] = {character, '\0'};
  position_lines(code, forbidden_first_line(code), position, text, "指定できる文字に変更してください。");
}

void long_form_failure(LongFormCode code, uint32_t error, bool system_lines) {
  line(code, 1, "GetLongPathNameエラー。 %d", static_cast<int>(error));
  if (system_lines) system_error_lines(code, 2, error);
}

void information_failure(const char* path, uint32_t error) {
  line(122, 1, "次のファイルの情報獲得に失敗しました。");
  line(122, 2, "%s", path);
  system_error_lines(122, 3, error);
}

void destination_is_source(const char* destination_name) {
  subject_lines(130, "次のコピー先は，バックアップを経由せずに読み込むコピー元と同じファイルです。", destination_name,
                "コピー元と異なるファイルをコピー先に指定してください。");
}

void path_too_long(const char* given) {
  subject_lines(131, "次のパスの長さが上限の260バイトを超えています。", given,
                "260バイト以下のパスになるように，フォルダ名またはファイル名を短くしてください。");
}

}  // namespace peltrix::messages
