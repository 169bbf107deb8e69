// Path values the file system refuses or the program's path buffers cannot
// hold, run through the built program.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/process.h"

namespace peltrix::testing {
namespace {

class PathValuesTest : public ::testing::Test {
 protected:
  RunResult run(const std::vector<std::string>& args, const std::string& folder = "") {
    return run_peltrix(args, {.folder = folder.empty() ? folder_.path() : folder});
  }

  // The folder as the program sees it: the current folder with links resolved.
  std::string real(const std::string& name) const {
    return std::filesystem::canonical(folder_.path()).string() + "/" + name;
  }

  TempFolder folder_;
};

std::string sharing_lines(const std::string& word, const std::string& full_path) {
  return "E816-1 次の" + word + "ファイルは，他で使用中です。\n"
         "E816-2 " + full_path + "\n"
         "E816-3 他で使用が終了したら，再度コマンドを実行してください。\n"
         "E816-4 システムエラーコード=32\n"
         "E816-5 プロセスはファイルにアクセスできません。別のプロセスが使用中です。\n";
}

std::string too_long_lines(const std::string& given) {
  return "E131-1 次のパスの長さが上限の260バイトを超えています。\n"
         "E131-2 " + given + "\n"
         "E131-3 260バイト以下のパスになるように，フォルダ名またはファイル名を短くしてください。\n";
}

TEST_F(PathValuesTest, FilesHeldByAnotherProgramAreRefusedByFullPath) {
  write_file(folder_ / "a.txt", "alpha\n");
  write_file(folder_ / "held.txt", "held\n");
  {
    HeldFile held(folder_ / "held.txt");
    ASSERT_TRUE(held.held());
    const RunResult source = run({"/I/IFa.txt;held.txt"});
    EXPECT_EQ(source.status, 1);
    EXPECT_EQ(source.err, sharing_lines("コピー元", real("held.txt")));
    const RunResult destination = run({"/I/IFa.txt", "/O/OFheld.txt/OU2"});
    EXPECT_EQ(destination.status, 1);
    EXPECT_EQ(destination.err, sharing_lines("コピー先", real("held.txt")));
  }
  // Nothing was changed while it was held; once released, it is overwritten.
  EXPECT_EQ(read_file(folder_ / "held.txt"), "held\n");
  const RunResult accepted = run({"/I/IFa.txt", "/O/OFheld.txt/OU2"});
  EXPECT_EQ(accepted.status, 0);
  EXPECT_EQ(accepted.err, "");
  EXPECT_EQ(read_file(folder_ / "held.txt"), "alpha\n");
}

TEST_F(PathValuesTest, PathsOverTwoHundredSixtyBytesAreRefusedWithTheValueAsGiven) {
  const std::string deep = std::string(100, 'd') + "/" + std::string(100, 'e') + "/" + std::string(100, 'f');
  make_folders(folder_ / deep);
  write_file(folder_ / (deep + "/a.txt"), "alpha\n");
  write_file(folder_ / "a.txt", "alpha\n");

  const std::string long_source = typed(deep + "/a.txt");
  RunResult result = run({"/I/IF" + long_source});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, too_long_lines(long_source));

  // Short values whose absolute form is too long: the current folder is deep.
  result = run({"/I/IFa.txt"}, folder_ / deep);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, too_long_lines("a.txt"));

  // Destinations that do not exist yet keep their value as long form.
  const std::string long_missing = typed(deep + "/new/out.txt");
  result = run({"/I/IFa.txt", "/O/OF" + long_missing});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, too_long_lines(long_missing));
}

TEST_F(PathValuesTest, ADotDotBehindALinkNamesWhatTheTextNamesForChecksAndCopyAlike) {
  // lnk leads to d/e: lnk\..\x is the x beside lnk, never d/x.
  make_folders(folder_ / "d/e");
  make_folders(folder_ / "d/tree");
  ASSERT_EQ(symlink("d/e", (folder_ / "lnk").c_str()), 0);
  write_file(folder_ / "f.txt", "one\ntwo\n");
  write_file(folder_ / "d/out.txt", "old");

  RunResult result = run({"/I/IFlnk\\..\\f.txt", "/O/OFlnk\\..\\out.txt", "/M/MT3"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "I001-1 コピー元1個，コピー先1個のファイルのコピーが完了しました。\n"
                        "I001-2 0001 0000000002 " + real("out.txt") + "\n");
  EXPECT_EQ(read_file(folder_ / "out.txt"), "one\ntwo\n");
  EXPECT_EQ(read_file(folder_ / "d/out.txt"), "old");

  // Folders: made and listed beside the link as well.
  result = run({"/I/IFf.txt", "/O/ODlnk\\..\\tree"});
  EXPECT_EQ(result.status, 0) << result.err;
  result = run({"/I/IDlnk\\..\\tree"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "one\ntwo\n");

  // Missing beside the link, present behind it: missing.
  std::filesystem::rename(folder_ / "f.txt", folder_ / "d/f.txt");
  result = run({"/I/IFlnk\\..\\f.txt", "/O/OFother.txt"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "E037-1 1番目の/Iの/IFに指定した次のコピー元ファイルが見つかりません。\n"
                        "E037-2 lnk\\..\\f.txt\n"
                        "E037-3 /IFには存在するファイルを指定してください。\n");
}

}  // namespace
}  // namespace peltrix::testing
