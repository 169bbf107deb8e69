#include "messages/catalogue_planning.h"

#include "messages/line_shapes.h"

namespace peltrix::messages {

namespace {

// The advice after a file or folder refused as both source and destination.
constexpr char kInPlaceAdvice[] =
    "異なるものを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。";

// The options, without their '/', that a conflict code names.
struct ConflictNames {
  const char* first;
  const char* second;
};

ConflictNames conflict_names(OptionsConflictCode code) {
  switch (code) {
    case kRecordSkipWithNewlines: return {"IL", "OR"};
    case kRecordLimitWithNewlines: return {"IP", "OR"};
    case kByteSkipWithRecordCounts: return {"IT", "MT3"};
    case kMegabyteSkipWithRecordCounts: return {"IA", "MT3"};
    case kByteLimitWithRecordCounts: return {"IB", "MT3"};
    case kMegabyteLimitWithRecordCounts: return {"IM", "MT3"};
  }
  return {"", ""};
}

}  // namespace

void input_group_missing() { two_lines(62, "/Iの指定がひとつもありません。", "/Iをひとつ以上指定してください。"); }

void append_with_mark_option() {
  two_lines(70, "追加書きの/OU3とBOMの設定を行う/OJは，同時に指定できません。",
            "追加書きの/OU3を指定する場合，/OJは指定しないでください。");
}

void per_file_with_file_destination() {
  two_lines(77, "/Nを指定し，/Oの/OFを指定しています。", "/N指定時は，/Oの/ODを指定してください。");
}

void per_file_to_stdout() {
  two_lines(78, "/Nを指定し，コピー先に標準出力ファイルを指定しています", "/N指定時は，/Oの/ODを指定してください。");
}

void input_code_against_mark_option() {
  two_lines(127, "/ICの指定値に対応するBOMの値と，/OJに対応するBOMの値が異なります。",
            "/ICと/OJの指定値は，同じBOMに対応する値にしてください。");
}

void options_conflict(OptionsConflictCode code) {
  const ConflictNames names = conflict_names(code);
  line(code, 1, "/%sと/%sを指定しています。", names.first, names.second);
  line(code, 2, "/%sと/%sは同時に指定できません%s", names.first, names.second,
       code == kRecordLimitWithNewlines ? "" : "。");
  line(code, 3, "/%sか/%sのどちらかひとつを指定してください。", names.first, names.second);
}

void source_repeated(int position, const char* first, const char* second) {
  line(79, 1, "%d番目の/Iの/IFに同じコピー元ファイルを指定しています。", position);
  line(79, 2, "1個目のコピー元ファイル %s", first);
  line(79, 3, "2個目のコピー元ファイル %s", second);
  line(79, 4, "コピー元は全て異なるものを指定してください。");
}

void per_file_name_repeated(int position, const char* name) {
  position_lines(80, "/Nを指定し，%d番目の/Iの/IFに次のファイル名を複数個指定しています。", position, name,
                 "/N指定時は異なるファイル名を指定してください。");
}

void backup_io_error(int position, const char* backup, uint32_t error) {
  path_failure(83, backup, error, kSeeCause,
               "%d番目の/Iに指定したコピー元ファイルの次のバックアップファイルにI/Oエラーが発生しました。", position);
}

void in_place_without_overwrite(int input_position, int output_position, const char* source,
                                const char* destination) {
  line(84, 1, "%d番目の/Iの/IFと%d番目の/Oの/OFに指定したファイルが同じです。", input_position, output_position);
  line(84, 2, "/I/IFの指定値 %s", source);
  line(84, 3, "/O/OFの指定値 %s", destination);
  line(84, 4, "%s", kInPlaceAdvice);
}

void destination_repeated(int position, const char* first, const char* second) {
  line(85, 1, "%d番目の/Oの/OFに同じコピー先ファイルを指定しています。", position);
  line(85, 2, "1個目のコピー先ファイル %s", first);
  line(85, 3, "2個目のコピー先ファイル %s", second);
  line(85, 4, "コピー先は全て異なるものを指定してください。");
}

void same_folder_without_overwrite(const char* given) {
  subject_lines(87, "/IDと/ODに指定した次のフォルダが同じです。", given, kInPlaceAdvice);
}

void backup_name_too_long() {
  line(89, 1, "コピー元バックアップファイル名の長さが，システムの上限を超過しました。");
  line(89, 2, "次のどちらかの方法でエラーを回避できます。");
  line(89, 3, "コピー先ファイルをコピー元と異なるファイルにする。");
  line(89, 4, "コピー元ファイル名を短くする。");
}

void destination_file_exists(int position, const char* given) {
  line(95, 1, "%d番目の/Oの/OFに指定した次のコピー先は既に存在します。", position);
  line(95, 2, "%s", given);
  line(95, 3, "コピー先に存在しないファイルを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。");
}

void destination_name_too_long(size_t length, size_t limit) {
  line(97, 1, "コピー先の名称の長さが上限を超過しました。");
  line(97, 2, "コピー先の名称の長さ=%d  上限=%d", static_cast<int>(length), static_cast<int>(limit));
  line(97, 3, "コピー先の名称の長さが上限を超過しない名称に変更してください。");
}

void destination_io_error(const char* path, uint32_t error) {
  path_failure(98, path, error, kSeeCause, "次のコピー先にI/Oエラーが発生しました。");
}

void destination_in_folder_exists(const char* path) {
  subject_lines(99, "次のコピー先ファイルは既に存在します。", path,
                "コピー先にファイルが存在しないフォルダを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。");
}

void source_folder_without_files(const char* folder) {
  subject_lines(123, "コピー元フォルダにファイルが見つかりません。", folder, "ファイルが存在するフォルダを指定してください。");
}

void source_tree_empty(const char* folder) {
  subject_lines(124, "コピー元フォルダにファイルやフォルダが見つかりません。", folder,
                "ファイル，またはフォルダが存在するフォルダを指定してください。");
}

void source_tree_without_files(const char* folder) {
  subject_lines(125, "コピー元フォルダにファイルが見つかりません。", folder, "ファイルが存在するフォルダを指定してください。");
}

void backup_numbers_used_up(const char* name) {
  subject_lines(132, "コピー元ファイルのバックアップファイル名に使える番号がありません。", name,
                "不要なバックアップファイルを削除してから，再度コマンドを実行してください。");
}

void source_folder_not_listed(const char* folder, uint32_t error) {
  path_failure(134, folder, error, kSeeCause, "次のコピー元フォルダの一覧を取得できませんでした。");
}

void unnamable_source_item(const char* path) {
  subject_lines(135, "コピー元フォルダに，パスとして扱えない名前のファイルまたはフォルダがあります。", path,
                "名前からフォルダの区切り文字を除いてから，再度コマンドを実行してください。");
}

}  // namespace peltrix::messages
