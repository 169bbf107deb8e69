#include "messages/catalogue_copy.h"

#include "messages/line_shapes.h"

namespace peltrix::messages {

void backup_not_made(int position, const char* backup, uint32_t error) {
  path_failure(106, backup, error, kSeeCause,
               "%d番目の/Iに指定したコピー元ファイルの次のバックアップファイルの作成に失敗しました。", position);
}

void backup_not_deleted(int position, const char* backup, uint32_t error) {
  path_failure(107, backup, error, kSeeCause,
               "%d番目の/Iに指定したコピー元ファイルの次のバックアップファイルの削除に失敗しました。", position);
}

void program_logic_error() { line(109, 1, "プログラム論理エラー発生"); }

void source_marks_differ() {
  two_lines(115, "コピー元ファイルのBOMの値が異なります。", "コピー元ファイルのBOMの値は，同じものに統一してください。");
}

void mark_option_for_marked_sources(int mark_option) {
  line(116, 1, "コピー元ファイルにBOMが設定されている場合，/OJ%dは指定できません。", mark_option);
  line(116, 2, "/OJ%dの指定を削除するか，/OJ6，または/OJ7に変更してください。", mark_option);
}

void source_mark_against_input_code(int input_code, const char* found, const char* expected) {
  line(126, 1, "コピー元ファイルのBOMの値と，指定した/IC%dに対応するBOMの値が異なります。", input_code);
  line(126, 2, "コピー元ファイルのBOMの値:%s", found);
  line(126, 3, "指定した/IC%dに対応するBOMの値:%s", input_code, expected);
  line(126, 4, "/ICの値を，コピー元ファイルのBOMに対応する値に変更してください。");
}

void source_mark_presence_against_input_code(int input_code) {
  line(126, 1, "コピー元ファイルのBOMの有無と，指定した/IC%dに対応するBOMの有無が異なります。", input_code);
  line(126, 2, "/ICの値を，コピー元ファイルのBOMの有無に対応する値に変更してください。");
}

void append_position_failure(AppendPositionCode code, const char* path, uint32_t error) {
  const char* call = code == kAppendReadLastUnit ? "ReadFile()" : "SetFilePointerEx()";
  line(code, 1, "%s関数でエラーが発生しました。 \"%s\"", call, path);
  system_error_lines(code, 2, error);
}

void access_not_copied(int position, const char* path, uint32_t error) {
  path_failure(136, path, error, kSeeCause,
               "%d番目の/Oに指定したコピー先ファイルに元のファイルのアクセス権を設定できませんでした。", position);
}

void in_place_not_flushed(const char* path, uint32_t error) {
  path_failure(137, path, error, "バックアップファイルは削除せずに残しました。コピー先の内容を確かめてください。",
               "次のコピー先ファイルの内容をディスクに書き終えることができませんでした。");
}

void in_place_name_taken(int position, const char* path, const char* backup) {
  line(138, 1, "%d番目の/Oに指定したコピー先ファイルを作成できませんでした。元のファイルを移した後の名前に，"
       "ほかのプログラムがファイルかリンクを置きました。", position);
  line(138, 2, "%s", path);
  line(138, 3, "どのファイルにも書き込んでいません。元のファイルは次のバックアップファイルにあります。");
  line(138, 4, "%s", backup);
  line(138, 5, "その名前にあるものを確かめてから，バックアップファイルを元の名前に戻してください。");
}

void destination_replaced(const char* path) {
  subject_lines(140, "次のコピー先ファイルは，確認の後にほかのファイルかリンクに置き換えられました。", path,
                "何も書き込んでいません。その名前にあるものを確かめてから，もう一度コマンドを実行してください。");
}

void interrupted_run_stopped() { line(139, 1, "中断の指示を受けたため，処理を中止しました。"); }

void interrupted_run_put_back(const char* path) { line(139, 2, "次のファイルを元の内容に戻しました。 %s", path); }

void interrupted_run_not_put_back(const char* path, const char* backup, uint32_t error) {
  line(139, 3, "次のファイルを元に戻せませんでした（システムエラーコード=%u）。元の内容はバックアップファイル %s にあります。 %s",
       error, backup, path);
}

void interrupted_run_left_behind() {
  line(139, 4, "中止までに書き込んだほかのコピー先は，そのまま残っています。コピーを終えるには，もう一度コマンドを実行してください。");
}

}  // namespace peltrix::messages
