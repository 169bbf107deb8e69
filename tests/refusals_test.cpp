// Every kind of refusal, run through the built program: the message bytes
// on standard error, status 1, nothing on standard output, and the folder
// exactly as it was.

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "support/run_folder.h"

namespace peltrix::testing {
namespace {

using namespace std::string_literals;

struct Refusal {
  Args args;
  std::string err;  // '$' stands for the folder
  Files files = {};  // beside a.txt, b.txt and the empty folder sub
};

std::string m(int code, const std::vector<std::string>& lines) { return message(code, lines); }
std::string place(int code, const std::string& group, const std::string& earlier, const std::string& later) {
  return m(code, {"1番目の/" + group + "に/" + earlier + "と/" + later + "を指定しています。",
                  "/" + earlier + "か/" + later + "のどちからひとつを指定してください。"});
}
std::string rule(int code, const std::string& a, const std::string& b) {
  return m(code, {"/" + a + "と/" + b + "を指定しています。",
                  "/" + a + "と/" + b + "は同時に指定できません" + (code == 72 ? "" : "。"),
                  "/" + a + "か/" + b + "のどちらかひとつを指定してください。"});
}
std::string missing(int code, const std::string& what, const std::string& name, const std::string& advice) {
  return m(code, {"1番目の/Iの" + what, name, advice});
}
std::string forbidden(int code, const std::string& where, const std::string& character) {
  return m(code, {"1番目の" + where + "指定できない文字を指定しています。", character, "指定できる文字に変更してください。"});
}
std::string too_long(const std::string& path) {
  return m(131, {"次のパスの長さが上限の260バイトを超えています。", path,
                 "260バイト以下のパスになるように，フォルダ名またはファイル名を短くしてください。"});
}
std::string name_too_long(int length) {
  return m(97, {"コピー先の名称の長さが上限を超過しました。", "コピー先の名称の長さ=" + std::to_string(length) + "  上限=260",
                "コピー先の名称の長さが上限を超過しない名称に変更してください。"});
}
const std::string kE062 = m(62, {"/Iの指定がひとつもありません。", "/Iをひとつ以上指定してください。"});
const std::string kE070 = m(70, {"追加書きの/OU3とBOMの設定を行う/OJは，同時に指定できません。",
                                 "追加書きの/OU3を指定する場合，/OJは指定しないでください。"});
const std::string kE127 = m(127, {"/ICの指定値に対応するBOMの値と，/OJに対応するBOMの値が異なります。",
                                  "/ICと/OJの指定値は，同じBOMに対応する値にしてください。"});
const std::string kE115 = m(115, {"コピー元ファイルのBOMの値が異なります。", "コピー元ファイルのBOMの値は，同じものに統一してください。"});
const std::string kOr = "異なるものを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。";
const std::string kMark = "\xEF\xBB\xBF";

std::vector<Refusal> refusals() {
  const std::string stamp = run_date_stamp();
  std::string sources = "/I/IF";
  for (int i = 0; i < 256; ++i) sources += "a.txt;";
  Files all_numbers = {{"full.txt", "full\n"}};
  for (int i = 1; i <= 9999; ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "%04d", i);
    all_numbers["full" + stamp + number + ".txt"] = "";
  }
  // A file whose full path has 247 bytes: its backup name has 261.
  const std::string name247 = sized_path(247, 200, ".txt");
  const std::string deep_name = std::string(100, 'd') + "/" + std::string(100, 'e') + "/" + std::string(100, 'f');
  const std::string deep = typed(deep_name);
  const std::string scanned = "src/" + std::string(room(261, 21), 'x') + "/too-long-a-name";  // 261 bytes
  const std::string folder261(room(261, 7), 'o');
  const std::string folder260(room(260, 1), 'o');
  const std::string up = std::string(250, 'u') + "\\..\\";
  const std::string path261 = sized_path(261, 200);  // shorter as typed, relative
  return {
      // The command line, left to right: the first problem is the one told.
      {{"/NX", "/N"}, m(4, {"無効なオプションを指定しています。", "/NX", "オプションの指定を変更してください。"})},
      {{"/?", "/N"}, m(4, {"無効なオプションを指定しています。", "/?", "オプションの指定を変更してください。"})},
      {{"--version", "--help"}, m(4, {"無効なオプションを指定しています。", "--version", "オプションの指定を変更してください。"})},
      {{"/iF/IFa.txt"}, m(7, {"1番目の/Iに無効な指定をしています。", "/iF/IFa.txt", "/Iの指定を変更してください。"})},
      {{"/Oabc"}, m(18, {"1番目の/Oに無効な指定をしています。 /Oabc", "/Oの指定を変更してください。"})},
      {{"/Mx"}, m(27, {"/Mに無効な指定をしています。", "/Mの指定を変更してください。"})},
      {{"/n", "/N", "/X"}, m(1, {"/Nを複数個指定しています。", "/Nはひとつ指定してください。"})},
      {{"/I/IFa.txt", "/i/IFb.txt"}, m(2, {"/Iを複数個指定しています。", "/Iはひとつ指定してください。"})},
      {{"/I/if"}, m(9, {"/IFに値の指定がありません。", "/IFに値を指定してください。"})},
      {{"/I/ic1/Ic2"}, m(10, {"1番目の/Iに/ICを複数個指定しています。", "/ICはひとつ指定してください。"})},
      {{"/o/or1/Or2"}, m(21, {"/ORを複数個指定しています。", "/ORはひとつ指定してください。"})},
      {{"/I/IL5/IT10"}, place(11, "I", "IL", "IT")},
      {{"/I/IL1/IA1"}, place(13, "I", "IL", "IA")},
      {{"/I/IFa.txt/IDsub"}, place(11, "I", "IF", "ID")},
      {{"/I/IFa.txt", "/O/OFx.txt/ODsub"}, place(22, "O", "OF", "OD")},
      {{"/I/IB1/IL1"}, place(12, "I", "IB", "IL")},
      {{"/I"}, m(5, {"1番目の/Iにコピー元の指定がありません。", "/Iにコピー元を指定してください。"})},
      {{"/I/IC3"}, m(16, {"1番目の/Iにコピー元の指定がありません。", "1番目の/Iにコピー元を指定してください。"})},
      {{"/I/X"}, m(8, {"1番目の/Iに無効な指定をしています。 /X", "/Iの指定を変更してください。"})},
      {{"/M"}, m(25, {"/Mにメッセージタイプ番号の指定がありません。", "/Mにメッセージタイプ番号を指定してください。"})},
      {{"/M/X"}, m(28, {"/Mに無効な指定をしています。 /X", "/Mの指定を変更してください。"})},
      {{"/I/IFa.txt/IL4294967297"},
       m(33, {"1番目の/Iの/ILに指定可能範囲外の数字\"4294967297\"を指定しています。",
              "/ILには 1～2147483647 の数字を指定してください。"})},
      {{"/O/ORx"}, m(32, {"1番目の/Oの/ORに数字以外を指定しています。x", "/ORには数字を指定してください。"})},
      {{"/I/IFa.txt/IL1:"}, m(32, {"1番目の/Iの/ILに数字以外を指定しています。1:", "/ILには数字を指定してください。"})},
      {{"/I/IFnone.txt;a|b", "/X"},
       missing(37, "/IFに指定した次のコピー元ファイルが見つかりません。", "none.txt",
               "/IFには存在するファイルを指定してください。")},
      {{"/I/IFnofolder\\none.txt"},
       missing(128, "/IFに指定した次のコピー元ファイルが見つかりません。", "nofolder\\none.txt",
               "/IFには存在するファイルを指定してください。")},
      {{"/I/IFsub"}, missing(39, "/IFに指定した次のコピー元はファイルではありません。", "sub",
                             "/IFにはファイルを指定してください。")},
      {{"/I/IDnone\\deeper"}, missing(44, "/IDに指定した次のフォルダが見つかりません。", "none\\deeper",
                                      "/IDには存在するフォルダを指定してください。")},
      {{"/I/IDa.txt"}, missing(46, "/IDに指定した次のコピー元はフォルダではありません。", "a.txt",
                               "/IDにはフォルダを指定してください。")},
      {{"/I/IFa.txt", "/O/ODa.txt"},
       m(59, {"1番目の/Oの/ODに指定した次のコピー先はフォルダではありません。", "a.txt", "/ODにはフォルダを指定してください。"})},
      {{"/I/IFa.txt", "/O/OFsub"},
       m(53, {"1番目の/Oの/OFに指定した次のコピー先はファイルではありません。", "sub", "/OFにはファイルを指定してください。"})},
      {{"/I/IFlnk\\..\\f.txt"}, missing(37, "/IFに指定した次のコピー元ファイルが見つかりません。",
                                        "lnk\\..\\f.txt", "/IFには存在するファイルを指定してください。"),
       {{"lnk", "-> d/e"}, {"d/e/", ""}, {"d/f.txt", "behind the link\n"}}},
      {{"/I/IFa.txt;a|b*c"}, forbidden(35, "/Iの/IFに", "*")},
      {{"/I/IDx>y?"}, forbidden(42, "/Iの/IDに次の", "?")},
      {{"/O/OFx<y\"z"}, forbidden(50, "/Oの/OFに次の", "\"")},
      {{"/O/ODout|"}, forbidden(56, "/Oの/ODに次の", "|")},
      {{sources + "bad|name"}, m(34, {"1番目の/Iの/IFに指定したファイルの数が上限の256を超えています。",
                                      "指定するファイルの数を上限の256以下にしてください。"})},
      {{"/I/IFa.txt", "/O/OFc1;c2;c3;c4;c5?"}, m(49, {"1番目の/Oの/OFに指定したファイルの数が上限の4を超えています。",
                                                     "指定するファイルの数を上限の4以下にしてください。"})},
      {{"/I/IF;"}, m(133, {"1番目の/Iの/IFにファイル名がひとつもありません。", ";", "/IFには，;で区切ってファイル名を指定してください。"})},
      // The rules between options, in the order the run checks them.
      {{"/N", "/O/OFx.txt/OU3/OJ1"}, kE062},
      {{"/N", "/I/IFa.txt", "/O/OFx.txt/OU3/OJ1"}, kE070},
      {{"/N", "/I/IFa.txt/IC1", "/O/OJ1"},
       m(78, {"/Nを指定し，コピー先に標準出力ファイルを指定しています", "/N指定時は，/Oの/ODを指定してください。"})},
      {{"/N", "/I/IFa.txt;a.txt", "/O/OFx.txt"},
       m(77, {"/Nを指定し，/Oの/OFを指定しています。", "/N指定時は，/Oの/ODを指定してください。"})},
      {{"/I/IFa.txt/IC3", "/O/OJ2"}, kE127},
      {{"/I/IFa.txt/IL2", "/O/OR1"}, rule(71, "IL", "OR")},
      {{"/I/IDtree/IP2", "/O/ODout/OR2", "/S", "/N"}, rule(72, "IP", "OR"), {{"tree/sub/", ""}}},
      {{"/I/IFa.txt/IT100", "/M/MT3"}, rule(73, "IT", "MT3")},
      {{"/I/IFa.txt;a.txt", "/O/OFa.txt"},
       m(79, {"1番目の/Iの/IFに同じコピー元ファイルを指定しています。", "1個目のコピー元ファイル a.txt",
              "2個目のコピー元ファイル a.txt", "コピー元は全て異なるものを指定してください。"})},
      {{"/I/IFa.txt;d\\a.txt", "/N", "/W", "/O/ODout/OU2"},
       m(80, {"/Nを指定し，1番目の/Iの/IFに次のファイル名を複数個指定しています。", "a.txt",
              "/N指定時は異なるファイル名を指定してください。"}),
       {{"d/a.txt", "second\n"}}},
      {{"/I/IFa.txt;h.txt"},
       m(79, {"1番目の/Iの/IFに同じコピー元ファイルを指定しています。", "1個目のコピー元ファイル a.txt",
              "2個目のコピー元ファイル h.txt", "コピー元は全て異なるものを指定してください。"}),
       {{"h.txt", "=> a.txt"}}},
      {{"/I/IFa.txt", "/O/OFnew.txt;new.txt"},
       m(85, {"1番目の/Oの/OFに同じコピー先ファイルを指定しています。", "1個目のコピー先ファイル new.txt", "2個目のコピー先ファイル new.txt",
              "コピー先は全て異なるものを指定してください。"})},
      {{"/I/IFa.txt", "/O/OFa.txt;a.txt"},
       m(84, {"1番目の/Iの/IFと1番目の/Oの/OFに指定したファイルが同じです。", "/I/IFの指定値 a.txt", "/O/OFの指定値 a.txt", kOr})},
      {{"/I/IDsub", "/O/ODsub"}, m(87, {"/IDと/ODに指定した次のフォルダが同じです。", "sub", kOr})},
      {{"/I/IFa.txt/IL2", "/O/OFb.txt/OR1"},
       m(95, {"1番目の/Oの/OFに指定した次のコピー先は既に存在します。", "b.txt",
              "コピー先に存在しないファイルを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。"})},
      {{"/I/IDsub", "/O/ODnew\\deep"},
       m(123, {"コピー元フォルダにファイルが見つかりません。", "$/sub", "ファイルが存在するフォルダを指定してください。"})},
      {{"/I/IDsrc"},
       m(135, {"コピー元フォルダに，パスとして扱えない名前のファイルまたはフォルダがあります。", "$/src/a\\b",
               "名前からフォルダの区切り文字を除いてから，再度コマンドを実行してください。"}),
       {{"src/a\\b", "x\n"}, {"src/c.txt", "y\n"}}},
      {{"/I/IDsrc", "/S", "/O/OFbare.txt"},
       m(125, {"コピー元フォルダにファイルが見つかりません。", "$/src", "ファイルが存在するフォルダを指定してください。"}),
       {{"src/x/y/", ""}}},
      {{"/I/IDsub", "/S", "/N", "/O/ODout"},
       m(124, {"コピー元フォルダにファイルやフォルダが見つかりません。", "$/sub", "ファイル，またはフォルダが存在するフォルダを指定してください。"})},
      {{"/I/IDd/IL1", "/O/OFd\\a.txt;new\\c.txt/OU2/OR1"}, rule(71, "IL", "OR"), {{"d/a.txt", "in d\n"}}},
      // A destination that is a source read under its own name, before any folder is made.
      {{"/I/IDd", "/O/OFd\\a.txt;new\\c.txt/OU2"}, same_file("$/d/a.txt"), {{"d/a.txt", "in d\n"}}},
      {{"/I/IDd", "/O/ODd/OU3", "/N"}, same_file("$/d/a.txt"), {{"d/a.txt", "A\n"}}},
      {{"/I/IFx\\b.txt;d\\b.txt", "/O/ODd/OU2"}, same_file("$/d/b.txt"), {{"d/b.txt", "B\n"}, {"x/b.txt", "XB\n"}}},
      {{"/I/IFd\\a.txt", "/O/OFlink.txt/OU2"}, same_file("$/link.txt"), {{"d/a.txt", "A\n"}, {"link.txt", "=> d/a.txt"}}},
      {{"/I/IDd", "/O/ODout/OU3"}, same_file("$/out/a.txt"), {{"d/a.txt", "A\n"}, {"out/a.txt", "=> d/a.txt"}}},
      // Marks, checked before anything changes.
      {{"/I/IFa.txt;m.txt", "/O/OFb.txt/OU2"}, kE115, {{"m.txt", kMark + "marked\n"}}},
      // A plain source after a marked one, in place: refused before anything moves.
      {{"/I/IFm.txt;a.txt", "/O/OFa.txt/OU2"}, kE115, {{"m.txt", kMark + "marked\n"}}},
      // /OJ1 without /IC reads the sources as UTF-8 (/IC3).
      {{"/I/IFw.txt", "/O/OJ1"},
       m(126, {"コピー元ファイルのBOMの値と，指定した/IC3に対応するBOMの値が異なります。", "コピー元ファイルのBOMの値:0xFFFE・・・UTF-16のリトルエンディアンのBOMの値",
               "指定した/IC3に対応するBOMの値:0xEFBBBF・・・UTF-8のBOMの値", "/ICの値を，コピー元ファイルのBOMに対応する値に変更してください。"}),
       {{"w.txt", "\xFF\xFEw\0\n\0"s}}},
      {{"/I/IFm.txt/IC1"},
       m(126, {"コピー元ファイルのBOMの有無と，指定した/IC1に対応するBOMの有無が異なります。",
               "/ICの値を，コピー元ファイルのBOMの有無に対応する値に変更してください。"}),
       {{"m.txt", kMark + "marked\n"}}},
      {{"/I/IFm.txt", "/O/OFout.txt/OJ1"},
       m(116, {"コピー元ファイルにBOMが設定されている場合，/OJ1は指定できません。", "/OJ1の指定を削除するか，/OJ6，または/OJ7に変更してください。"}),
       {{"m.txt", kMark + "marked\n"}}},
      // Names that cannot be made.
      {{"/I/IF" + typed(name247), "/O/OF" + typed(name247) + "/OU2"},
       m(89, {"コピー元バックアップファイル名の長さが，システムの上限を超過しました。", "次のどちらかの方法でエラーを回避できます。",
              "コピー先ファイルをコピー元と異なるファイルにする。", "コピー元ファイル名を短くする。"}),
       {{name247, "long\n"}}},
      {{"/I/IFfull.txt", "/O/OFfull.txt/OU3"},
       m(132, {"コピー元ファイルのバックアップファイル名に使える番号がありません。", "$/full" + stamp + "9999.txt",
               "不要なバックアップファイルを削除してから，再度コマンドを実行してください。"}),
       all_numbers},
      {{"/I/IFa.txt", "/O/OD" + folder261}, name_too_long(261)},
      // A folder of 260 bytes, whole: the name below it is what is too long.
      {{"/I/IFa.txt", "/O/OD" + folder260}, name_too_long(266)},
      {{"/I/IDsrc", "/S", "/O/OFscan.txt"}, too_long("$/" + scanned), {{scanned, "lost?\n"}, {"src/r1", "r1\n"}}},
      {{"/I/IF" + deep + "\\a.txt"}, too_long(deep + "\\a.txt"), {{deep_name + "/a.txt", ""}}},
      {{"/I/IFa.txt", "/O/OF" + deep + "\\new\\out.txt"}, too_long(deep + "\\new\\out.txt")},
      // By the length as typed, though '..' would make it short.
      {{"/I/IFa.txt", "/O/OF" + up + "out.txt"}, too_long(up + "out.txt")},
      {{"/I/IFa.txt", "/O/OD" + up + "out.dir"}, too_long(up + "out.dir")},
      {{"/I/IF" + typed(path261)}, too_long(typed(path261)), {{path261, "x\n"}}},
      {{"/I/IFa.txt", "/O/OFa.txt\\sub\\c.txt"},
       m(105, {"次のコピー先フォルダの作成に失敗しました。", "$/a.txt", "_mkdir()関数が戻り値-1で，次のエラーとなりました。",
               "システムエラーコード=183", system_text(183, "既に存在するファイルを作成することはできません。")})},
      {{"/I/IFa.txt", "/O/ODd"},
       m(98, {"次のコピー先にI/Oエラーが発生しました。", "$/d/a.txt", "エラー原因は次のシステムエラーコードとメッセージを参照してください。",
              "システムエラーコード=1921", "ファイル名を解決できません。"}),
       {{"d/a.txt", "-> a.txt"}}},  // a link to itself
      {{"/I/IFa.txt", "/O/ODd"},
       m(99, {"次のコピー先ファイルは既に存在します。", "$/d/a.txt",
              "コピー先にファイルが存在しないフォルダを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。"}),
       {{"d/a.txt", "A\n"}}},
  };
}

// The table, made once.
const std::vector<Refusal>& rows() {
  static const std::vector<Refusal> table = refusals();
  return table;
}

class RefusalTest : public RunFolderTest, public ::testing::WithParamInterface<const Refusal*> {};

// The message's code and the command line, cut short; the row's number where the start is taken.
std::string row_name(const ::testing::TestParamInfo<const Refusal*>& row) {
  std::string text = row.param->err.substr(0, 4);
  for (const std::string& arg : row.param->args) text += " " + arg;
  static std::set<std::string> taken;
  const std::string name = test_name(text).substr(0, 48);
  return taken.insert(name).second ? name : name + "_" + std::to_string(row.index);
}

TEST_P(RefusalTest, SaysItsMessageAndChangesNothing) {
  const Refusal& refusal = *GetParam();
  if (left_out(refusal.args.front(), refusal.files)) GTEST_SKIP();
  put({{"a.txt", "alpha\n"}, {"b.txt", "beta\n"}, {"sub/", ""}});
  put(refusal.files);
  const Files before = snapshot();
  const RunResult result = run(refusal.args);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, at(refusal.err));
  EXPECT_TRUE(same_files(before, snapshot()));
}

INSTANTIATE_TEST_SUITE_P(Rows, RefusalTest, ::testing::ValuesIn(rows_of(rows())), row_name);

}  // namespace
}  // namespace peltrix::testing
