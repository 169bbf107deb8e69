#include "messages/catalogue_cli.h"

#include "messages/line_shapes.h"

namespace peltrix::messages {

namespace {

void switch_twice(int code, const char* name) {
  line(code, 1, "%sを複数個指定しています。", name);
  line(code, 2, "%sはひとつ指定してください。", name);
}

void invalid_piece(int code, const char* label, int position, const char* piece) {
  line(code, 1, "%d番目の%sに無効な指定をしています。 /%s", position, label, piece);
  line(code, 2, "%sの指定を変更してください。", label);
}

void sub_option_twice(int code, const char* name) {
  line(code, 1, "/%sを複数個指定しています。", name);
  line(code, 2, "/%sはひとつ指定してください。", name);
}

void invalid_message_group(int code) { two_lines(code, "/Mに無効な指定をしています。", "/Mの指定を変更してください。"); }

}  // namespace

void switch_repeated(const char* name) { switch_twice(1, name); }

void group_switch_repeated(const char* name) { switch_twice(2, name); }

void unknown_argument(const char* argument) {
  subject_lines(4, "無効なオプションを指定しています。", argument, "オプションの指定を変更してください。");
}

void input_group_empty(int position) {
  line(5, 1, "%d番目の/Iにコピー元の指定がありません。", position);
  line(5, 2, "/Iにコピー元を指定してください。");
}

void input_group_invalid(int position, const char* argument) {
  position_lines(7, "%d番目の/Iに無効な指定をしています。", position, argument, "/Iの指定を変更してください。");
}

void input_piece_too_short(int position, const char* piece) { invalid_piece(8, "/I", position, piece); }

void input_sub_option_repeated(int position, const char* name) {
  line(10, 1, "%d番目の/Iに/%sを複数個指定しています。", position, name);
  line(10, 2, "/%sはひとつ指定してください。", name);
}

void input_piece_unknown(int position, const char* piece) { invalid_piece(15, "/I", position, piece); }

void input_group_names_nothing(int position) {
  line(16, 1, "%d番目の/Iにコピー元の指定がありません。", position);
  line(16, 2, "%d番目の/Iにコピー元を指定してください。", position);
}

void output_group_invalid(int position, const char* argument) {
  line(18, 1, "%d番目の/Oに無効な指定をしています。 %s", position, argument);
  line(18, 2, "/Oの指定を変更してください。");
}

void output_piece_too_short(int position, const char* piece) { invalid_piece(19, "/O", position, piece); }

void output_sub_option_repeated(const char* name) { sub_option_twice(21, name); }

void output_piece_unknown(int position, const char* piece) { invalid_piece(24, "/O", position, piece); }

void message_group_empty() {
  two_lines(25, "/Mにメッセージタイプ番号の指定がありません。", "/Mにメッセージタイプ番号を指定してください。");
}

void message_group_invalid() { invalid_message_group(27); }

void message_piece_too_short(const char* piece) {
  line(28, 1, "/Mに無効な指定をしています。 /%s", piece);
  line(28, 2, "/Mの指定を変更してください。");
}

void message_sub_option_repeated(const char* name) { sub_option_twice(30, name); }

void message_piece_unknown() { invalid_message_group(31); }

void value_missing(MissingValueCode code, const char* name) {
  line(code, 1, "/%sに値の指定がありません。", name);
  line(code, 2, "/%sに値を指定してください。", name);
}

void sub_options_conflict(SubOptionConflictCode code, int position, const char* label, const char* given,
                          const char* name) {
  line(code, 1, "%d番目の%sに/%sと/%sを指定しています。", position, label, given, name);
  line(code, 2, "/%sか/%sのどちからひとつを指定してください。", given, name);
}

void number_not_digits(int position, const char* group_label, const char* name, const char* text, size_t length) {
  line(32, 1, "%d番目の%sの/%sに数字以外を指定しています。%.*s", position, group_label, name,
       static_cast<int>(length), text);
  line(32, 2, "/%sには数字を指定してください。", name);
}

void number_out_of_range(int position, const char* group_label, const char* name, const char* text, size_t length,
                         uint32_t minimum, uint32_t maximum) {
  line(33, 1, "%d番目の%sの/%sに指定可能範囲外の数字\"%.*s\"を指定しています。", position, group_label, name,
       static_cast<int>(length), text);
  line(33, 2, "/%sには %u～%u の数字を指定してください。", name, minimum, maximum);
}

void file_list_empty(int position, const char* group_name, const char* name, const char* value) {
  line(133, 1, "%d番目の/%sの/%sにファイル名がひとつもありません。", position, group_name, name);
  line(133, 2, "%s", value);
  line(133, 3, "/%sには，;で区切ってファイル名を指定してください。", name);
}

}  // namespace peltrix::messages
