// Runs under hostile conditions: other programs changing or holding files
// mid-run, failures at the last moment. Each is refused or reported, and
// no source byte is lost. Also what only the system shows: how a file was
// opened.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/fault_injection.h"
#include "platform/platform.h"
#include "support/run_folder.h"
#include "support/system.h"

namespace peltrix::testing {
namespace {

namespace fs = std::filesystem;
using platform::faults::Operation;

class HostileTest : public RunFolderTest {};

// Another program puts a link to a source in a destination's place between
// the checks of a run and its copy, as the copy opens that path.
struct Swap {
  std::string destination;
  std::string source;
  bool hard_link = false;
  bool done = false;
} g_swap;

void swap_at_open(const char* path, bool writes) {
  if (g_swap.done || !writes || fs::absolute(path) != fs::path(g_swap.destination)) return;
  g_swap.done = true;
  fs::remove(g_swap.destination);
  if (g_swap.hard_link) fs::create_hard_link(g_swap.source, g_swap.destination);
  if (!g_swap.hard_link) fs::create_symlink(g_swap.source, g_swap.destination);
}

TEST_F(HostileTest, ADestinationThatBecomesASourceAfterTheChecksIsRefusedUntouched) {
  struct Case {
    Args args;
    std::string destination;
    std::string source;
    bool hard_link;
  };
  const Case cases[] = {
      {{"/I/IFsrc\\a.txt;src\\b.txt", "/O/OFold.txt/OU2"}, "old.txt", "src/a.txt", false},
      {{"/I/IFsrc\\a.txt;src\\b.txt", "/O/OFold.txt/OU3"}, "old.txt", "src/b.txt", true},
      {{"/I/IDsrc", "/N", "/O/ODdst/OU2"}, "dst/b.txt", "src/a.txt", false},
  };
  const Faults hooked(swap_at_open);
  for (const Case& c : cases) {
    if (!c.hard_link && left_out(c.destination, {{c.destination, "-> " + c.source}})) continue;
    SCOPED_TRACE(c.destination);
    clear();
    put({{"src/a.txt", std::string(1000000, 'a')}, {"src/b.txt", "B\n"}, {"old.txt", "old\n"}, {"dst/b.txt", "old\n"}});
    g_swap = Swap{real(c.destination), real(c.source), c.hard_link};
    const Files before = snapshot();
    const RunResult result = run_here(c.args);
    EXPECT_TRUE(g_swap.done);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, same_file(real(c.destination)));
    EXPECT_TRUE(same_bytes(before.at("src/a.txt"), get("src/a.txt")));
    EXPECT_EQ(get("src/b.txt"), "B\n");
  }
}

TEST_F(HostileTest, AnInPlaceFileThatCannotReachTheDiskKeepsItsBackup) {
  const Args args = {"/I/IFdata.txt", "/O/OFdata.txt/OU2/OR1"};
  put("data.txt", "one\r\ntwo\r\n");
  const Faults counting;
  ASSERT_EQ(run_here(args).status, 0);
  const uint64_t writes = platform::faults::calls(Operation::kWrite);
  // The last two writes put the file's data, then its folder's names, on the disk.
  for (const uint64_t nth : {writes - 1, writes}) {
    clear();
    put("data.txt", "one\r\ntwo\r\n");
    const Faults failing(Operation::kWrite, nth, 1117);
    const RunResult result = run_here(args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.substr(0, result.err.find("E137-4")),
              message(137, {"次のコピー先ファイルの内容をディスクに書き終えることができませんでした。", real("data.txt"),
                            "バックアップファイルは削除せずに残しました。コピー先の内容を確かめてください。"}));
    EXPECT_TRUE(same_files({{"data.txt", "one\ntwo\n"}, {"data" + stamp_ + "0001.txt", "one\r\ntwo\r\n"}}, snapshot()));
  }
}

TEST_F(HostileTest, AFileCopiedOntoItselfKeepsItsPermissionsOwnerAndGroup) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows: the new file takes the rights its folder hands down";
#else
  const std::string file = folder_ / "file";
  const auto mode = [&file] { return fs::status(file).permissions(); };
  // Run as root, the original's owner and group are given back as well.
  const Owners owners = owners_of("").first == 0 ? Owners{4321, 4322} : owners_of("");
  for (const fs::perms given : {fs::perms(0600), fs::perms(0755)}) {
    put("file", "a\r\nb\r\n");
    fs::permissions(file, given);
    give_owners(file, owners);
    EXPECT_EQ(run({"/I/IFfile", "/O/OFfile/OU2/OR1"}).status, 0);
    EXPECT_EQ(get("file"), "a\nb\n");
    EXPECT_EQ(mode(), given);
    EXPECT_EQ(owners_of(file), owners);
  }
  // Until it has them the new file is its owner's alone: where they cannot
  // be given (the original's status is the last one asked for), it stays so.
  const Args args = {"/I/IFfile", "/O/OFfile/OU2"};
  fs::permissions(file, fs::perms(0640));
  const Faults counting;
  ASSERT_EQ(run_here(args).status, 0);
  const Faults failing(Operation::kStatus, platform::faults::calls(Operation::kStatus), 1117);
  const RunResult result = run_here(args);
  EXPECT_EQ(result.err.substr(0, 7), "E136-1 ");
  EXPECT_EQ(mode(), fs::perms(0600));
#endif
}

TEST_F(HostileTest, FilesHeldByAnotherProgramAreLeftAlone) {
  put({{"a.txt", "alpha\n"}, {"held.txt", "held\r\n"}, {"src/f.txt", "new\n"}, {"dst/f.txt", "old"}});
  const Files before = snapshot();
  const auto refused = [this](const Args& args) {
    const RunResult result = run(args);
    EXPECT_EQ(result.status, 1);
    return result.err;
  };
  {
    const HeldFile held(folder_ / "held.txt");
    const HeldFile held_destination(folder_ / "dst/f.txt");
    ASSERT_TRUE(held.held() && held_destination.held());
    EXPECT_EQ(refused({"/I/IFa.txt;held.txt"}), in_use(816, "コピー元", real("held.txt")));
    EXPECT_EQ(refused({"/I/IFa.txt", "/O/OFheld.txt/OU2"}), in_use(816, "コピー先", real("held.txt")));
    EXPECT_EQ(refused({"/I/IFheld.txt", "/O/OFheld.txt/OU2/OR1"}), in_use(816, "コピー元", real("held.txt")));
    // Held while a folder copy overwrites it: the sharing message of the copy.
    const std::string copy = refused({"/I/IDsrc", "/N", "/O/ODdst/OU2"});
    EXPECT_EQ(copy.find("E804-1 次のコピー先ファイルは，他で使用中です。\n"), 0u) << copy;
  }
  EXPECT_TRUE(same_files(before, snapshot()));
  EXPECT_EQ(run({"/I/IFa.txt", "/O/OFheld.txt/OU2"}).status, 0);
  EXPECT_EQ(get("held.txt"), "alpha\n");
}

// Shrinks the source to kShrunk bytes.
constexpr size_t kShrunk = 2 * 1048576 + 100;
std::string g_shrinking;
void shrink() { fs::resize_file(g_shrinking, kShrunk); }

TEST_F(HostileTest, ASourceThatShrinksWhileItIsCopiedGivesTheBytesReallyThere) {
  struct Case {
    Args args;
    Operation shrinks_at;  // the call of the copy before which the source shrinks
    uint64_t nth;
  };
  // The second write is the system's copy of the middle (the first block's
  // write is the first); the third read is the second block's (after the
  // read of the marks).
  if (kWindows) GTEST_SKIP() << "Windows: no other program changes a source held without sharing";
  const Case cases[] = {
      {{"/I/IFa.txt", "/O/OFout.txt"}, Operation::kWrite, 2},
      {{"/I/IFa.txt", "/O/OFout.txt", "/M/MT3"}, Operation::kWrite, 2},
      {{"/I/IFa.txt", "/N", "/O/ODdst"}, Operation::kWrite, 2},
      {{"/I/IFa.txt/IT1000", "/O/OFout.txt"}, Operation::kRead, 3},
      {{"/I/IFa.txt", "/O/OFout.txt/OR2"}, Operation::kRead, 3},
  };
  g_shrinking = folder_ / "a.txt";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    // What a run over the source as it is at the end gives.
    clear();
    put("a.txt", big().substr(0, kShrunk));
    const RunResult expected = run_here(c.args);
    ASSERT_EQ(expected.status, 0) << expected.err;
    const Files expected_files = snapshot();

    clear();
    put("a.txt", big());
    const Faults shrinking(c.shrinks_at, c.nth, shrink);
    const RunResult result = run_here(c.args);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, expected.out);
    EXPECT_TRUE(same_files(expected_files, snapshot()));
  }
  // Between the copies to two destinations: both get what the first got.
  clear();
  put("a.txt", big());
  const Faults shrinking(Operation::kWrite, 4, shrink);
  EXPECT_EQ(run_here({"/I/IFa.txt", "/O/OFone.txt;two.txt"}).status, 0);
  EXPECT_GE(get("one.txt").size(), kShrunk);
  EXPECT_TRUE(same_bytes(get("one.txt"), get("two.txt")));
}

// The output of the count beside the system's copy, once that copy is whole.
std::string g_output;
constexpr size_t kCopied = 3 * 1048576 - 1024;  // the first block but its carried bytes, and the middle

TEST_F(HostileTest, TheCountOfASourceCutWhileItsMiddleIsCopiedDescribesTheOutput) {
  if (!platform::kSystemCopies) GTEST_SKIP() << "no copy inside the system to count beside";
  // The counting thread's first read (after the read of the marks and of
  // the first block) waits for the system's copy of the middle, then cuts
  // the source: its next read comes up short.
  g_shrinking = folder_ / "a.txt";
  g_output = folder_ / "out.txt";
  put("a.txt", big());
  const Faults cutting(Operation::kRead, 3, [] {
    for (int i = 0; i < 2000 && (!fs::exists(g_output) || fs::file_size(g_output) < kCopied); ++i) {
      pause_milliseconds(10);
    }
    shrink();
  });
  const RunResult result = run_here({"/I/IFa.txt", "/O/OFout.txt", "/M/MT3"});
  const std::string copied = big().substr(0, kCopied);
  ASSERT_TRUE(same_bytes(copied, get("out.txt")));
  const size_t records = std::count(copied.begin(), copied.end(), '\n') + (copied.back() != '\n');
  char line[64];
  std::snprintf(line, sizeof line, "I001-2 0001 %010zu ", records);
  EXPECT_EQ(result.out, "I001-1 コピー元1個，コピー先1個のファイルのコピーが完了しました。\n" + std::string(line) + real("out.txt") + "\n");
}

// The open flags of out.txt just before the run's first write.
bool g_writes_through = false;
void note_out_flags() { g_writes_through = held_writing_through("out.txt"); }

TEST_F(HostileTest, ANewDestinationHasTheUsualPermissionsAndWritesThroughTheCacheOnlyWithC) {
  if (kWindows) GTEST_SKIP() << "the flags a file was opened with are read from /proc";
  put("a.txt", "alpha\n");
  for (const bool through : {false, true}) {
    const Faults noting(Operation::kWrite, 1, note_out_flags);
    Args args = {"/I/IFa.txt", "/O/OFout.txt/OU2"};
    if (through) args.push_back("/C");
    EXPECT_EQ(run_here(args).status, 0);
    EXPECT_EQ(g_writes_through, through);
  }
  // What any program's new file gets from the process's mask.
  put("usual.txt", "");
  EXPECT_EQ(fs::status(folder_ / "out.txt").permissions(), fs::status(folder_ / "usual.txt").permissions());
}

// The system copies only within one file system: a source on another is read and written through the buffers.
TEST_F(HostileTest, ASourceOnAnotherFileSystemIsCopiedThroughTheBuffers) {
  const std::string other = "/dev/shm/peltrix-test-" + run_date_stamp() + std::to_string(std::rand());
  if (kWindows || !fs::is_directory("/dev/shm") || one_file_system("/dev/shm", folder_.path())) {
    GTEST_SKIP() << "no second file system at /dev/shm";
  }
  write_file(other, big());
  const RunResult result = run({"/I/IF" + typed(other), "/O/OFout.txt"});
  fs::remove(other);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(same_bytes(big(), get("out.txt")));
}

}  // namespace
}  // namespace peltrix::testing
