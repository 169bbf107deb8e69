// The rules between options and the order in which the run checks them: the
// first problem found is the one reported, and nothing on disk changes.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/run_folder.h"

namespace peltrix::testing {
namespace {

using Args = std::vector<std::string>;
using namespace std::string_literals;

const std::string kE062 = message(62, {"/Iの指定がひとつもありません。", "/Iをひとつ以上指定してください。"});
const std::string kE070 = message(70, {"追加書きの/OU3とBOMの設定を行う/OJは，同時に指定できません。",
                                       "追加書きの/OU3を指定する場合，/OJは指定しないでください。"});
const std::string kE077 = message(77, {"/Nを指定し，/Oの/OFを指定しています。", "/N指定時は，/Oの/ODを指定してください。"});
const std::string kE078 =
    message(78, {"/Nを指定し，コピー先に標準出力ファイルを指定しています", "/N指定時は，/Oの/ODを指定してください。"});
const std::string kE127 = message(127, {"/ICの指定値に対応するBOMの値と，/OJに対応するBOMの値が異なります。",
                                        "/ICと/OJの指定値は，同じBOMに対応する値にしてください。"});

std::string conflict(int code, const std::string& a, const std::string& b) {
  return message(code, {"/" + a + "と/" + b + "を指定しています。",
                        "/" + a + "と/" + b + "は同時に指定できません" + (code == 72 ? "" : "。"),
                        "/" + a + "か/" + b + "のどちらかひとつを指定してください。"});
}

class OptionRulesTest : public RunFolderTest {
 protected:
  void SetUp() override {
    put("a.txt", "alpha\n");
    put("b.txt", "beta\n");
    make_folders(folder_ / "empty");
  }
  // Runs args, expecting status 1, nothing on standard output and a.txt,
  // b.txt untouched; returns standard error.
  std::string refused(const Args& args) {
    const RunResult result = run(args);
    EXPECT_EQ(result.status, 1) << args[0];
    EXPECT_EQ(result.out, "") << args[0];
    EXPECT_EQ(get("a.txt"), "alpha\n");
    EXPECT_EQ(get("b.txt"), "beta\n");
    return result.err;
  }
  int status(const Args& args) { return run(args).status; }
};

TEST_F(OptionRulesTest, FirstRulesRefuseAndFixTheDefaultInputCode) {
  EXPECT_EQ(refused({}), kE062);
  EXPECT_EQ(refused({"/O/OFout.txt"}), kE062);
  EXPECT_EQ(refused({"/I/IFa.txt", "/O/OFout.txt/OU3/OJ1"}), kE070);
  EXPECT_EQ(status({"/I/IFa.txt", "/O/ODdir/OU3/OJ1"}), 0);
  EXPECT_EQ(get("dir/a.txt"), "\xEF\xBB\xBF" "alpha\n");
  EXPECT_EQ(refused({"/N", "/I/IFa.txt", "/O/OFout.txt"}), kE077);
  EXPECT_EQ(refused({"/N", "/I/IFa.txt"}), kE078);
  EXPECT_EQ(refused({"/N", "/I/IFa.txt", "/O/OJ1"}), kE078);
  for (const std::string oj : {"/OJ2", "/OJ6", "/OJ7"}) EXPECT_EQ(refused({"/I/IFa.txt/IC3", "/O" + oj}), kE127);
  EXPECT_EQ(refused({"/I/IFa.txt/IC1", "/O/OJ1"}), kE127);
  EXPECT_EQ(status({"/I/IFa.txt/IC3", "/O/OFout.txt/OJ1"}), 0);
  EXPECT_EQ(get("out.txt"), "\xEF\xBB\xBF" "alpha\n");

  // Without /IC, /OJ3 reads the sources as UTF-16 big-endian: 0A 41 is one
  // unit, not a line feed, so the skipped first record is 0A 41 00 0A.
  put("wide.txt", "\x0A\x41\x00\x0A\x00\x62\x00\x0A"s);
  const RunResult wide = run({"/I/IFwide.txt/IL1", "/O/OJ3"});
  EXPECT_EQ(wide.status, 0);
  EXPECT_EQ(wide.out, "\xFE\xFF\x00\x62\x00\x0A"s);
}

TEST_F(OptionRulesTest, LastRulesReadTheFirstEntriesAndPlainBytesSwitchRecordsOff) {
  EXPECT_EQ(refused({"/I/IFa.txt/IL2", "/O/OFout.txt/OR1"}), conflict(71, "IL", "OR"));
  EXPECT_EQ(refused({"/I/IFa.txt/IP2", "/O/OFout.txt/OR1"}), conflict(72, "IP", "OR"));
  EXPECT_EQ(refused({"/I/IFa.txt/IL2", "/O/OR1"}), conflict(71, "IL", "OR"));
  // With /OD the folder's /OR counts; a tree of folders only has a folder first.
  make_folders(folder_ / "tree/sub");
  EXPECT_EQ(refused({"/I/IDtree/IP2", "/O/ODout/OR2", "/S", "/N"}), conflict(72, "IP", "OR"));
  EXPECT_EQ(refused({"/I/IFa.txt/IT100", "/M/MT3"}), conflict(73, "IT", "MT3"));
  EXPECT_EQ(refused({"/I/IFa.txt/IA1", "/M/MT3"}), conflict(74, "IA", "MT3"));
  EXPECT_EQ(refused({"/I/IFa.txt/IB10", "/M/MT3"}), conflict(75, "IB", "MT3"));
  EXPECT_EQ(refused({"/I/IFa.txt/IM1", "/M/MT3"}), conflict(76, "IM", "MT3"));
  EXPECT_FALSE(has("out.txt"));

  put("lines.txt", "one\ntwo\n");
  const RunResult plain = run({"/I/IFlines.txt/IY2/IL5", "/O/OFout.txt", "/M/MT3"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out, "I001-1 コピー元1個，コピー先1個のファイルのコピーが完了しました。\nI001-2 0001 " +
                           real("out.txt") + "\n");
  EXPECT_EQ(get("out.txt"), "one\ntwo\n");
}

TEST_F(OptionRulesTest, TheFirstProblemInRunOrderIsTheOneReported) {
  const std::string e079 = message(79, {"1番目の/Iの/IFに同じコピー元ファイルを指定しています。",
                                        "1個目のコピー元ファイル a.txt", "2個目のコピー元ファイル a.txt",
                                        "コピー元は全て異なるものを指定してください。"});
  const std::string e084 = message(84, {"1番目の/Iの/IFと1番目の/Oの/OFに指定したファイルが同じです。",
                                        "/I/IFの指定値 a.txt", "/O/OFの指定値 a.txt",
                                        "異なるものを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。"});
  const std::string e087 = message(87, {"/IDと/ODに指定した次のフォルダが同じです。", "empty",
                                        "異なるものを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。"});
  const std::string e095 = message(95, {"1番目の/Oの/OFに指定した次のコピー先は既に存在します。", "b.txt",
                                        "コピー先に存在しないファイルを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。"});
  const std::vector<std::pair<Args, std::string>> cases = {
      {{"/N", "/O/OFx.txt/OU3/OJ1"}, kE062},
      {{"/N", "/I/IFa.txt", "/O/OFx.txt/OU3/OJ1"}, kE070},
      {{"/N", "/I/IFa.txt/IC1", "/O/OJ1"}, kE078},
      {{"/N", "/I/IFa.txt;a.txt", "/O/OFx.txt"}, kE077},
      {{"/I/IFa.txt;a.txt", "/O/OFa.txt"}, e079},
      {{"/I/IFa.txt", "/O/OFa.txt;a.txt"}, e084},
      {{"/I/IDempty", "/O/ODempty"}, e087},
      {{"/I/IFa.txt/IL2", "/O/OFb.txt/OR1"}, e095},
  };
  for (const auto& [args, expected] : cases) EXPECT_EQ(refused(args), expected) << args[1];

  // The source list before the destinations, the last rules before the
  // same-file refusal, and that before any folder is made.
  EXPECT_EQ(refused({"/I/IDempty", "/O/ODnew\\deep"}),
            message(123, {"コピー元フォルダにファイルが見つかりません。", real("empty"),
                          "ファイルが存在するフォルダを指定してください。"}));
  put("d/a.txt", "in d\n");
  EXPECT_EQ(refused({"/I/IDd/IL1", "/O/OFd\\a.txt;new\\c.txt/OU2/OR1"}), conflict(71, "IL", "OR"));
  EXPECT_EQ(refused({"/I/IDd", "/O/OFd\\a.txt;new\\c.txt/OU2"}),
            message(130, {"次のコピー先は，バックアップを経由せずに読み込むコピー元と同じファイルです。", real("d/a.txt"),
                          "コピー元と異なるファイルをコピー先に指定してください。"}));
  EXPECT_FALSE(has("new"));
  EXPECT_EQ(get("d/a.txt"), "in d\n");
}

}  // namespace
}  // namespace peltrix::testing
