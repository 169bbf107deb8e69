// Per-file copies (/N): folder trees, files by bare name, repeated sources.

#include <filesystem>
#include <random>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/process.h"

namespace peltrix::testing {
namespace {

namespace fs = std::filesystem;

class PerFileCopyE2e : public ::testing::Test {
 protected:
  RunResult run(const std::vector<std::string>& args) {
    RunOptions options;
    options.folder = folder_.path();
    return run_peltrix(args, options);
  }
  void put(const std::string& name, const std::string& bytes) {
    make_folders(fs::path(folder_ / name).parent_path().string());
    write_file(folder_ / name, bytes);
  }
  std::string get(const std::string& name) { return read_file(folder_ / name); }

  // Every file and folder below root, relative, with '/' between names.
  std::set<std::string> tree(const std::string& root) {
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder_ / root)) {
      names.insert(fs::relative(e.path(), folder_ / root).string() + (e.is_directory() ? "/" : ""));
    }
    return names;
  }

  TempFolder folder_;
};

TEST_F(PerFileCopyE2e, ATreeOfThreeLevelsIsCopiedFileByFileAndFolderByFolder) {
  std::mt19937 random(7);
  std::string big(1048576 + 333, '\0');
  for (char& c : big) c = static_cast<char>(random());
  put("src/top.txt", "top\n");
  put("src/one/a.txt", "a\n");
  put("src/one/two/b.bin", big);
  put("src/one/two/three/c.txt", "c\r\n");
  make_folders(folder_ / "src/empty");
  make_folders(folder_ / "src/one/two/empty-too");

  const RunResult result = run({"/I/IDsrc", "/S", "/N", "/O/ODdst", "/M/MT1"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "I001-1 コピー元4個，コピー先4個のファイルのコピーが完了しました。\n");
  EXPECT_EQ(tree("dst"), tree("src"));
  for (const char* name : {"top.txt", "one/a.txt", "one/two/b.bin", "one/two/three/c.txt"}) {
    EXPECT_TRUE(get(std::string("dst/") + name) == get(std::string("src/") + name)) << name;
  }
}

TEST_F(PerFileCopyE2e, AFolderTreeWithoutFilesIsCreatedAlone) {
  make_folders(folder_ / "src/x/y");
  make_folders(folder_ / "src/z");
  const RunResult result = run({"/I/IDsrc", "/S", "/N", "/O/ODdst"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(tree("dst"), (std::set<std::string>{"x/", "x/y/", "z/"}));
}

TEST_F(PerFileCopyE2e, ListedFilesLandByBareNameWithTheirOwnSettings) {
  put("p/a.txt", "\xEF\xBB\xBF" "a\n");
  put("q/b.txt", "\xEF\xBB\xBF" "b\n");
  const RunResult result = run({"/I/IFp\\a.txt;q\\b.txt", "/N", "/O/ODout/OE2"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(tree("out"), (std::set<std::string>{"a.txt", "b.txt"}));
  // Each file keeps its own mark and ends with its own 0x1A.
  EXPECT_EQ(get("out/a.txt"), "\xEF\xBB\xBF" "a\n\x1A");
  EXPECT_EQ(get("out/b.txt"), "\xEF\xBB\xBF" "b\n\x1A");
}

TEST_F(PerFileCopyE2e, ASourceNamedTwiceIsAppendedOnceToItsFirstDestination) {
  put("a.txt", "1\n2\n\x1A");
  put("b.txt", "3\n");
  const RunResult result = run({"/I/IFa.txt;b.txt;a.txt", "/N", "/W", "/O/ODout", "/M/MT3"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(get("out/a.txt"), "1\n2\n1\n2\n\x1A");
  EXPECT_EQ(get("out/b.txt"), "3\n");
  const std::string out = folder_.path() + "/out/";
  EXPECT_EQ(result.out,
            "I001-1 コピー元2個，コピー先2個のファイルのコピーが完了しました。\n"
            "I001-2 0001 0000000004 " + out + "a.txt\n"
            "I001-2 0002 0000000001 " + out + "b.txt\n");
}

TEST_F(PerFileCopyE2e, TwoDifferentFilesOfOneNameAreRefusedEvenWhenRepeatsAreAllowed) {
  put("a.txt", "first\n");
  put("d/a.txt", "second\n");
  const RunResult result = run({"/I/IFa.txt;d\\a.txt", "/N", "/W", "/O/ODout/OU2"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "E080-1 /Nを指定し，1番目の/Iの/IFに次のファイル名を複数個指定しています。\n"
            "E080-2 a.txt\n"
            "E080-3 /N指定時は異なるファイル名を指定してください。\n");
  EXPECT_FALSE(exists(folder_ / "out"));
}

}  // namespace
}  // namespace peltrix::testing
