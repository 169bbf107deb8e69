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

}  // namespace
}  // namespace peltrix::testing
