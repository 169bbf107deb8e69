// Faults of the real system: a full disk, a file-size limit, files held by
// another program, standard output closed or non-blocking. Each is reported
// (or waited out) and no source byte is lost.

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/process.h"
#include "support/run_folder.h"

namespace peltrix::testing {
namespace {

namespace fs = std::filesystem;

std::string text(size_t size) {
  std::string bytes;
  while (bytes.size() < size) bytes += "line " + std::to_string(bytes.size()) + "\n";
  bytes.resize(size);
  return bytes;
}

// A 1 MiB file system of its own, for as long as the test runs.
class SmallDisk {
 public:
  explicit SmallDisk(const std::string& path) : path_(path) {
    make_folders(path);
    mounted_ = geteuid() == 0 && mount("tmpfs", path.c_str(), "tmpfs", 0, "size=1m") == 0;
  }
  ~SmallDisk() {
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

 private:
  std::string path_;
  bool mounted_ = false;
};

class RealFaultsTest : public ::testing::Test {
 protected:
  RunResult run(const std::vector<std::string>& args, RunOptions options = {}) {
    options.folder = folder_.path();
    return run_peltrix(args, options);
  }
  TempFolder folder_;
};

TEST_F(RealFaultsTest, AClosedStandardOutputRefusesTheData) {
  write_file(folder_ / "a.txt", "data\n");
  RunOptions closed;
  closed.stdout_closed = true;
  const RunResult result = run({"/I/IFa.txt"}, closed);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "E809-1 WriteFile()関数でエラーが発生しました。 \"STDOUT\"\n"
            "E809-2 システムエラーコード=6\n"
            "E809-3 ハンドルが無効です。\n");
  EXPECT_EQ(read_file(folder_ / "a.txt"), "data\n");
}

TEST_F(RealFaultsTest, AFullDiskStopsJoinedAndPerFileCopiesWithTheSourcesIntact) {
  SmallDisk disk(folder_ / "disk");
  if (!disk.mounted()) GTEST_SKIP() << "a small file system cannot be mounted here";
  const std::string big = text(700000);
  write_file(folder_ / "a.txt", big);
  write_file(folder_ / "b.txt", big);

  const RunResult joined = run({"/I/IFa.txt;b.txt", "/O/OFdisk\\joined.txt"});
  EXPECT_EQ(joined.status, 1);
  EXPECT_EQ(joined.err.substr(0, 7), "E809-1 ");
  EXPECT_NE(joined.err.find("システムエラーコード=112\n"), std::string::npos);
  fs::remove(folder_ / "disk/joined.txt");

  make_folders(folder_ / "tree/sub");
  write_file(folder_ / "tree/a.txt", big);
  write_file(folder_ / "tree/sub/b.txt", big);
  const RunResult per_file = run({"/I/IDtree", "/S", "/N", "/O/ODdisk\\copy"});
  EXPECT_EQ(per_file.status, 1);
  EXPECT_EQ(per_file.err.substr(0, 7), "E810-1 ");
  EXPECT_NE(per_file.err.find("システムエラーコード=112\n"), std::string::npos);

  for (const char* name : {"a.txt", "b.txt", "tree/a.txt", "tree/sub/b.txt"}) {
    EXPECT_TRUE(read_file(folder_ / name) == big) << name;
  }
}

TEST_F(RealFaultsTest, AFileSizeLimitFailsTheWriteInsteadOfEndingTheRun) {
  const std::string big = text(3000000);
  write_file(folder_ / "big.txt", big);
  const auto failure = [](int code, const std::string& path) {
    return message(code, {"WriteFile()関数でエラーが発生しました。 \"" + path + "\"", "システムエラーコード=223",
                          "ファイルのサイズが制限を超えているため、保存できません。"});
  };
  // Past the first block, where the system copies the rest itself.
  RunOptions limited;
  limited.file_size_limit = 1536 * 1024;
  RunResult result = run({"/I/IFbig.txt", "/O/OFout.txt"}, limited);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, failure(809, folder_ / "out.txt"));
  // Within the first block, written by the program.
  limited.file_size_limit = 512 * 1024;
  result = run({"/I/IFbig.txt", "/N", "/O/ODcopy"}, limited);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, failure(810, folder_ / "copy/big.txt"));
  EXPECT_TRUE(read_file(folder_ / "big.txt") == big);
}

TEST_F(RealFaultsTest, ANonBlockingStandardOutputIsWaitedForUntilEveryByteIsTaken) {
  const std::string data = text(3 * 1048576);
  write_file(folder_ / "a.txt", data);
  RunOptions slow_reader;
  slow_reader.stdout_non_blocking = true;
  const RunResult result = run({"/I/IFa.txt"}, slow_reader);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out.size(), data.size());
  EXPECT_TRUE(result.out == data);
}

TEST_F(RealFaultsTest, FilesHeldByAnotherProgramAreLeftAlone) {
  write_file(folder_ / "a.txt", "a\r\n");
  {
    // An in-place copy of a held file is refused before anything moves.
    HeldFile held(folder_ / "a.txt");
    ASSERT_TRUE(held.held());
    const RunResult result = run({"/I/IFa.txt", "/O/OFa.txt/OU2/OR1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.find("E816-1 次のコピー元ファイルは，他で使用中です。\n"), 0u) << result.err;
  }
  EXPECT_EQ(read_file(folder_ / "a.txt"), "a\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 1);

  // A destination held while a folder copy overwrites it: the sharing
  // message of the copy, and the held file keeps its bytes.
  make_folders(folder_ / "src");
  make_folders(folder_ / "dst");
  write_file(folder_ / "src/f.txt", "new contents\n");
  write_file(folder_ / "dst/f.txt", "old");
  HeldFile held(folder_ / "dst/f.txt");
  ASSERT_TRUE(held.held());
  const RunResult result = run({"/I/IDsrc", "/N", "/O/ODdst/OU2"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.find("E804-1 次のコピー先ファイルは，他で使用中です。\n"), 0u) << result.err;
  EXPECT_EQ(read_file(folder_ / "dst/f.txt"), "old");
}

}  // namespace
}  // namespace peltrix::testing
