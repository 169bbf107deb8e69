// Faults of the real system: a full disk, a file-size limit, files held by
// another program, standard output closed or non-blocking. Each is reported
// (or waited out) and no source byte is lost.

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/fault_injection.h"
#include "support/in_process.h"
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
  slow_reader.pipes_non_blocking = true;
  const RunResult result = run({"/I/IFa.txt"}, slow_reader);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out.size(), data.size());
  EXPECT_TRUE(result.out == data);

  // A message longer than the pipe holds arrives whole too.
  const std::string argument = "/X" + std::string(100000, 'x');
  const RunResult refused = run({argument}, slow_reader);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err.size(), 100096u);
  EXPECT_NE(refused.err.find(argument + "\n"), std::string::npos);
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

TEST_F(RealFaultsTest, WithoutASecondThreadOneThreadDoesAllTheWork) {
  // With a stack limit this large the system has no room for a thread's stack.
  const std::string big = text(3 * 1048576 + 5);
  write_file(folder_ / "a.txt", big);
  RunOptions no_threads;
  no_threads.stack_limit = uint64_t{1} << 40;
  const std::vector<std::vector<std::string>> runs = {
      {"/I/IFa.txt", "/O/OFcounted.txt", "/M/MT3"},  // records counted beside the system's copy
      {"/I/IFa.txt/IT1", "/O/OFwindow.txt"},          // a window written while the next block is read
  };
  for (const auto& args : runs) {
    const RunResult result = run(args, no_threads);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
  }
  EXPECT_TRUE(read_file(folder_ / "counted.txt") == big);
  EXPECT_TRUE(read_file(folder_ / "window.txt") == big.substr(1));
  const RunResult piped = run({"/I/IFa.txt"}, no_threads);
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_TRUE(piped.out == big);
}

// Shrinks a.txt to kShrunk bytes.
constexpr size_t kShrunk = 2 * 1048576 + 100;
std::string g_shrinking;
void shrink() { fs::resize_file(g_shrinking, kShrunk); }

TEST_F(RealFaultsTest, ASourceThatShrinksWhileItIsCopiedGivesTheBytesReallyThere) {
  using platform::faults::Operation;
  const std::string big = text(3 * 1048576 + 5);
  struct Case {
    std::vector<std::string> pattern;
    Operation shrinks_at;  // the call of the copy before which the source shrinks
    uint64_t nth;
  };
  // The second write is copy_range (the first block's write is the first);
  // the fourth read is the second block's (after the two reads of the marks).
  const Case cases[] = {
      {{"/I/IF@\\a.txt", "/O/OF@\\out.txt"}, Operation::kWrite, 2},
      {{"/I/IF@\\a.txt", "/O/OF@\\out.txt", "/M/MT3"}, Operation::kWrite, 2},
      {{"/I/IF@\\a.txt", "/N", "/O/OD@\\dst"}, Operation::kWrite, 2},
      {{"/I/IF@\\a.txt/IT1000", "/O/OF@\\out.txt"}, Operation::kRead, 4},
      {{"/I/IF@\\a.txt", "/O/OF@\\out.txt/OR2"}, Operation::kRead, 4},
  };
  TempFolder reference;
  for (const Case& c : cases) {
    const std::vector<std::string>& pattern = c.pattern;
    SCOPED_TRACE(pattern[0] + " " + pattern[1] + " " + pattern.back());
    // The run over the source as it is at the end is what the output must be.
    auto in = [&pattern](const std::string& root) {
      std::vector<std::string> args(pattern);
      for (std::string& arg : args) {
        if (const size_t at = arg.find('@'); at != std::string::npos) arg.replace(at, 1, typed(root));
      }
      return args;
    };
    fs::remove_all(reference / "dst");
    fs::remove(reference / "out.txt");
    write_file(reference / "a.txt", big.substr(0, kShrunk));
    const RunResult expected = run_in_process(in(reference.path()));
    ASSERT_EQ(expected.status, 0) << expected.err;

    fs::remove_all(folder_ / "dst");
    fs::remove(folder_ / "out.txt");
    write_file(folder_ / "a.txt", big);
    g_shrinking = folder_ / "a.txt";
    platform::faults::arm_action(c.shrinks_at, c.nth, shrink);
    const RunResult result = run_in_process(in(folder_.path()));
    platform::faults::disarm();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    const std::string name = pattern[1] == "/N" ? "dst/a.txt" : "out.txt";
    EXPECT_TRUE(read_file(folder_ / name) == read_file(reference / name));
    EXPECT_EQ(fs::file_size(folder_ / "a.txt"), kShrunk);
    std::string report = result.out;
    for (size_t at = report.find(folder_.path()); at != std::string::npos; at = report.find(folder_.path())) {
      report.replace(at, folder_.path().size(), reference.path());
    }
    EXPECT_EQ(report, expected.out);
  }

  // Between the copies to two destinations: both get what the first got.
  write_file(folder_ / "a.txt", big);
  platform::faults::arm_action(Operation::kWrite, 4, shrink);
  const RunResult two = run_in_process({"/I/IF" + typed(folder_ / "a.txt"),
                                        "/O/OF" + typed(folder_ / "one.txt") + ";" + typed(folder_ / "two.txt")});
  platform::faults::disarm();
  EXPECT_EQ(two.status, 0) << two.err;
  EXPECT_EQ(fs::file_size(folder_ / "a.txt"), kShrunk);
  EXPECT_TRUE(read_file(folder_ / "one.txt") == read_file(folder_ / "two.txt"));
  EXPECT_GE(fs::file_size(folder_ / "one.txt"), kShrunk);
}

}  // namespace
}  // namespace peltrix::testing
