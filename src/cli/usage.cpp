#include "cli/usage.h"

#include "messages/messages.h"

namespace peltrix::cli {

namespace {

// The /I alternatives share their option lines, as do the /O alternatives.
constexpr const char* kInputOptionLines[] = {
    "       [/IYファイルの扱い]",
    "       [/IC文字コード]",
    "    {[[/ILスキップ入力レコード件数][/IP入力レコード件数の上限]]",
    "        |[{[/ITバイト単位の入力スキップ]|[/IAメガバイト単位の入力スキップ]}",
    "          {[/IBバイト単位の入力の上限]|[/IMメガバイト単位の入力の上限]}]}",
    "       [/IUバックアップファイルの削除]",
};

constexpr const char* kOutputOptionLines[] = {
    "        [/OR改行文字]",
    "        [/OJボムコード]",
    "        [/OEファイル終端文字の設定]",
    "        [/OUコピー先ファイルの扱い]",
};

void print_lines(const char* const* lines, int count) {
  for (int i = 0; i < count; ++i) messages::print_out("%s\n", lines[i]);
}

}  // namespace

void print_usage() {
  messages::print_out("PELTRIX\n");
  messages::print_out("   { /I/IFコピー元ファイル[;コピー元ファイル･･･]\n");
  print_lines(kInputOptionLines, 6);
  messages::print_out("   | /I/IDコピー元フォルダ\n");
  print_lines(kInputOptionLines, 6);
  messages::print_out("   [{ /O/OFコピー先ファイル[;コピー先ファイル･･･]\n");
  print_lines(kOutputOptionLines, 4);
  messages::print_out("    | /O/ODコピー先フォルダ\n");
  print_lines(kOutputOptionLines, 4);
  messages::print_out("    | /O\n");
  messages::print_out("        [/OR改行文字]\n");
  messages::print_out("        [/OJボムコード] }]\n");
  messages::print_out("        [/OEファイル終端文字の設定]\n");
  messages::print_out("    [/M/MTメッセージタイプ]\n");
  messages::print_out("    [/N]     ・・・コピー元を結合しない\n");
  messages::print_out("    [/S]     ・・・サブフォルダもコピー対象\n");
  messages::print_out("    [/W]     ・・・コピー元に同一ファイルを指定可能\n");
  messages::print_out("    [/C]     ・・・キャッシュを経由しない書き込み\n");
}

void print_version() { messages::print_out("peltrix %s\n", PELTRIX_VERSION); }

}  // namespace peltrix::cli
