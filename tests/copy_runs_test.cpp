// Whole runs from the command line to the files on disk: joined copies, the
// folder scan, names in the destination folder and the folders they need.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/run_folder.h"

namespace peltrix::testing {
namespace {

std::string done(int sources, int destinations) {
  return "I001-1 コピー元" + std::to_string(sources) + "個，コピー先" + std::to_string(destinations) +
         "個のファイルのコピーが完了しました。\n";
}

class CopyRunsTest : public RunFolderTest {
 protected:
  void SetUp() override {
    // Listed breadth first: r1, then a's a1, then b's b1, then a/deep's d1.
    put("src/r1", "r1\n");
    put("src/a/a1", "a1\n");
    put("src/a/deep/d1", "d1\n");
    put("src/b/b1", "b1\n");
    make_folders(folder_ / "src/a/empty");
  }
};

TEST_F(CopyRunsTest, JoinedCopiesReachEveryDestinationAndStandardOutput) {
  RunResult result = run({"/I/IFsrc\\r1;src\\a\\a1", "/O/OFc.txt;new\\one\\two\\three\\d.txt", "/M/MT2"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, done(2, 2) + "I001-2 0001 " + real("c.txt") + "\nI001-2 0002 " +
                            real("new/one/two/three/d.txt") + "\n");
  EXPECT_EQ(get("c.txt"), "r1\na1\n");
  EXPECT_EQ(get("new/one/two/three/d.txt"), "r1\na1\n");

  // Two destinations in one missing folder; then standard output.
  EXPECT_EQ(run({"/I/IFsrc\\r1", "/O/OFm\\x.txt;m\\y.txt"}).status, 0);
  EXPECT_EQ(get("m/x.txt") + get("m/y.txt"), "r1\nr1\n");
  result = run({"/I/IFsrc\\b\\b1", "/M/MT2"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "b1\n");
  EXPECT_EQ(result.err, done(1, 1) + "I001-2 0001 STDOUT\n");
}

TEST_F(CopyRunsTest, FolderScansGoBreadthFirstAndNameTheirDestinations) {
  RunResult result = run({"/I/IDsrc", "/S", "/O/OFall.txt"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(get("all.txt"), "r1\na1\nb1\nd1\n");
  // Without /N the one destination in the folder is named after the first file.
  EXPECT_EQ(run({"/I/IDsrc", "/O/ODjoined"}).status, 0);
  EXPECT_EQ(get("joined/r1"), "r1\n");

  result = run({"/I/IDsrc", "/S", "/N", "/O/ODtree\\copy", "/M/MT2"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, done(4, 4) + "I001-2 0001 " + real("tree/copy/r1") + "\nI001-2 0002 " +
                            real("tree/copy/a/a1") + "\nI001-2 0003 " + real("tree/copy/b/b1") + "\nI001-2 0004 " +
                            real("tree/copy/a/deep/d1") + "\n");
  EXPECT_EQ(get("tree/copy/a/deep/d1"), "d1\n");
  EXPECT_TRUE(has("tree/copy/a/empty"));

  // /IF sources keep only their file names.
  EXPECT_EQ(run({"/I/IFsrc\\a\\a1;src\\b\\b1", "/N", "/O/ODflat"}).status, 0);
  EXPECT_EQ(get("flat/a1") + get("flat/b1"), "a1\nb1\n");

  // A tree of folders only is made, nothing is copied.
  make_folders(folder_ / "bare/x/y");
  result = run({"/I/IDbare", "/S", "/N", "/O/ODbare2", "/M/MT1"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, done(0, 0));
  EXPECT_TRUE(has("bare2/x/y"));
  result = run({"/I/IDbare", "/S", "/O/OFbare.txt"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, message(125, {"コピー元フォルダにファイルが見つかりません。", real("bare"),
                                      "ファイルが存在するフォルダを指定してください。"}));
}

TEST_F(CopyRunsTest, RepeatsAllowedStillCountEveryFileOfAFolderCopy) {
  for (int i = 0; i < 300; ++i) put("many/" + std::to_string(1000 + i), "x\ny\n");
  const RunResult result = run({"/I/IDmany", "/W", "/N", "/O/ODcopy", "/M/MT3"});
  EXPECT_EQ(result.status, 0);
  const std::string count_line = done(300, 300);
  EXPECT_EQ(result.out.substr(0, count_line.size()), count_line);
  const std::string last = "I001-2 0300 0000000002 " + real("copy/1299") + "\n";
  ASSERT_GT(result.out.size(), last.size());
  EXPECT_EQ(result.out.substr(result.out.size() - last.size()), last);
  EXPECT_EQ(get("copy/1299"), "x\ny\n");
}

TEST_F(CopyRunsTest, PathsOverTwoHundredSixtyBytesAreRefusedBeforeAnythingIsMade) {
  // A destination name of 261 bytes is refused; 260 is made.
  const size_t base = real("").size();  // the folder and its separator
  const std::string long_folder(261 - base - 3, 'o');
  RunResult result = run({"/I/IFsrc\\r1", "/O/OD" + long_folder});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, message(97, {"コピー先の名称の長さが上限を超過しました。", "コピー先の名称の長さ=261  上限=260",
                                     "コピー先の名称の長さが上限を超過しない名称に変更してください。"}));
  EXPECT_FALSE(has(long_folder));
  EXPECT_EQ(run({"/I/IFsrc\\r1", "/O/OD" + long_folder.substr(1)}).status, 0);
  EXPECT_EQ(get(long_folder.substr(1) + "/r1"), "r1\n");

  // A scanned item whose path would pass 260 bytes.
  const std::string deep = "src/b/" + std::string(250 - real("src/b").size(), 'x');
  put(deep + "/too-long-a-name", "lost?\n");
  result = run({"/I/IDsrc", "/S", "/O/OFscan.txt"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, message(131, {"次のパスの長さが上限の260バイトを超えています。", real(deep + "/too-long-a-name"),
                                      "260バイト以下のパスになるように，フォルダ名またはファイル名を短くしてください。"}));
  EXPECT_FALSE(has("scan.txt"));
}

TEST_F(CopyRunsTest, DestinationsThatCannotBeMadeAreRefused) {
  RunResult result = run({"/I/IFsrc\\r1", "/O/OFsrc\\r1\\sub\\c.txt"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, message(105, {"次のコピー先フォルダの作成に失敗しました。", real("src/r1"),
                                      "_mkdir()関数が戻り値-1で，次のエラーとなりました。", "システムエラーコード=183",
                                      "既に存在するファイルを作成することはできません。"}));
  result = run({"/I/IFsrc\\r1", "/O/ODsrc"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, message(99, {"次のコピー先ファイルは既に存在します。", real("src/r1"),
                                     "コピー先にファイルが存在しないフォルダを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。"}));
}

}  // namespace
}  // namespace peltrix::testing
