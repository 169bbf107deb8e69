// In-place copies through dated backups, and the refusal of a destination
// that is a source the copy would still read under its own name.

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/fault_injection.h"
#include "support/in_process.h"
#include "support/run_folder.h"

namespace peltrix::testing {
namespace {

using Args = std::vector<std::string>;
namespace fs = std::filesystem;

// Another program puts a link to a source in a destination's place between
// the checks of a run and its copy: as the copy opens that path.
struct Swap {
  std::string destination;
  std::string source;
  bool hard_link = false;
  bool done = false;
};
Swap g_swap;

void swap_at_open(const char* path, bool writes) {
  if (g_swap.done || !writes || g_swap.destination != path) return;
  g_swap.done = true;
  fs::remove(g_swap.destination);
  if (g_swap.hard_link) {
    fs::create_hard_link(g_swap.source, g_swap.destination);
  } else {
    fs::create_symlink(g_swap.source, g_swap.destination);
  }
}

class SameFileTest : public RunFolderTest {
 protected:
  // Every file below the folder with its contents.
  std::map<std::string, std::string> snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder_.path())) {
      const std::string name = item.path().lexically_relative(folder_.path()).string();
      files[name] = item.is_regular_file() ? read_file(item.path().string()) : "(folder)";
    }
    return files;
  }
  // Runs args, expecting E130 for destination and every file as it was.
  void refused(const Args& args, const std::string& destination) {
    const auto before = snapshot();
    const RunResult result = run(args);
    EXPECT_EQ(result.status, 1) << args[0] << " " << args[1];
    EXPECT_EQ(result.err, message(130, {"次のコピー先は，バックアップを経由せずに読み込むコピー元と同じファイルです。",
                                        real(destination), "コピー元と異なるファイルをコピー先に指定してください。"}))
        << args[0] << " " << args[1];
    EXPECT_EQ(snapshot(), before) << args[0] << " " << args[1];
  }
  const std::string stamp_ = run_date_stamp();
};

TEST_F(SameFileTest, InPlaceCopiesGoThroughTheFirstFreeDatedBackup) {
  put("data.txt", "one\r\ntwo\r\n");
  put("data" + stamp_ + "0001.txt", "taken 1");
  // A link that leads nowhere holds its name too, and stays as it is.
  const std::filesystem::path dangling = folder_ / ("data" + stamp_ + "0002.txt");
  ASSERT_EQ(symlink("nowhere", dangling.c_str()), 0);
  RunResult result = run({"/I/IFdata.txt/IU1", "/O/OFdata.txt/OU2/OR1"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(get("data.txt"), "one\ntwo\n");
  EXPECT_EQ(get("data" + stamp_ + "0003.txt"), "one\r\ntwo\r\n");
  EXPECT_EQ(std::filesystem::read_symlink(dangling), "nowhere");

  // Without /IU1 the backup goes; a name that a destination takes is no
  // backup name; only the file name's '.' counts, not a folder's.
  put("old.data/README", "readme\n");
  result = run({"/I/IFold.data\\README", "/O/OFold.data\\README;old.data\\README" + stamp_ + "0001/OU2"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(get("old.data/README"), "readme\n");
  EXPECT_EQ(get("old.data/README" + stamp_ + "0001"), "readme\n");
  EXPECT_FALSE(has("old.data/README" + stamp_ + "0002"));
  EXPECT_EQ(snapshot().size(), 7u);

  // A file named twice under /W is moved once and read twice.
  result = run({"/I/IFdata.txt;data.txt", "/W", "/O/OFdata.txt/OU2"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(get("data.txt"), "one\ntwo\none\ntwo\n");
  EXPECT_EQ(snapshot().size(), 7u);
}

TEST_F(SameFileTest, AFileCopiedOntoItselfKeepsItsPermissionsOwnerAndGroup) {
  // Run as root, the original's owner and group are given back as well.
  const bool root = geteuid() == 0;
  const uid_t owner = root ? 4321 : geteuid();
  const gid_t group = root ? 4322 : getegid();
  for (const mode_t mode : {0600, 0755}) {
    SCOPED_TRACE(mode);
    put("file", "a\r\nb\r\n");
    ASSERT_EQ(chmod((folder_ / "file").c_str(), mode), 0);
    ASSERT_EQ(chown((folder_ / "file").c_str(), owner, group), 0);
    const RunResult result = run({"/I/IFfile", "/O/OFfile/OU2/OR1"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(get("file"), "a\nb\n");
    struct stat copied {};
    ASSERT_EQ(stat((folder_ / "file").c_str(), &copied), 0);
    EXPECT_EQ(copied.st_mode & 07777, mode);
    EXPECT_EQ(copied.st_uid, owner);
    EXPECT_EQ(copied.st_gid, group);
  }

  // Until it has them, the new file is its owner's alone: where they cannot
  // be given (the original's status is the last one asked for), it stays so.
  using platform::faults::Operation;
  put("file", "secret\n");
  ASSERT_EQ(chmod((folder_ / "file").c_str(), 0640), 0);
  const Args args = {"/I/IF" + typed(folder_ / "file"), "/O/OF" + typed(folder_ / "file") + "/OU2"};
  platform::faults::disarm();
  ASSERT_EQ(run_in_process(args).status, 0);
  const uint64_t last_status = platform::faults::calls(Operation::kStatus);
  put("file", "secret\n");
  platform::faults::arm(Operation::kStatus, last_status, 1117);
  const RunResult result = run_in_process(args);
  platform::faults::disarm();
  EXPECT_EQ(result.err.substr(0, 7), "E136-1 ");
  struct stat made {};
  ASSERT_EQ(stat((folder_ / "file").c_str(), &made), 0);
  EXPECT_EQ(made.st_mode & 0777, 0600u);
}

TEST_F(SameFileTest, BackupNamesThatCannotBeMadeChangeNothing) {
  // A backup name over 260 bytes.
  const std::string folder = std::string(200, 'd');
  const std::string name = folder + "/" + std::string(254 - real(folder).size(), 'f') + ".txt";
  put(name, "long\n");
  ASSERT_EQ(real(name).size(), 259u);
  RunResult result = run({"/I/IF" + typed(name), "/O/OF" + typed(name) + "/OU2"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, message(89, {"コピー元バックアップファイル名の長さが，システムの上限を超過しました。",
                                     "次のどちらかの方法でエラーを回避できます。",
                                     "コピー先ファイルをコピー元と異なるファイルにする。", "コピー元ファイル名を短くする。"}));

  // Every number taken.
  put("full.txt", "full\n");
  for (int i = 1; i <= 9999; ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "%04d", i);
    put("full" + stamp_ + number + ".txt", "");
  }
  const auto before = snapshot();
  result = run({"/I/IFfull.txt", "/O/OFfull.txt/OU3"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, message(132, {"コピー元ファイルのバックアップファイル名に使える番号がありません。",
                                      real("full" + stamp_ + "9999.txt"),
                                      "不要なバックアップファイルを削除してから，再度コマンドを実行してください。"}));
  EXPECT_EQ(snapshot(), before);
}

TEST_F(SameFileTest, DestinationsThatAreSourcesReadDirectlyAreRefused) {
  put("d/a.txt", "A\n");
  put("d/b.txt", "B\n");
  put("x/b.txt", "XB\n");
  // The joined output named after the first source in its own folder.
  refused({"/I/IDd", "/O/ODd/OU2"}, "d/a.txt");
  refused({"/I/IDd", "/O/ODd/OU3", "/N"}, "d/a.txt");
  refused({"/I/IDd", "/O/OFd\\a.txt/OU2"}, "d/a.txt");
  refused({"/I/IFd\\a.txt", "/O/ODd/OU2"}, "d/a.txt");
  refused({"/I/IFd\\b.txt", "/O/ODd/OU2", "/N"}, "d/b.txt");
  refused({"/I/IFx\\b.txt;d\\b.txt", "/O/ODd/OU2"}, "d/b.txt");

  // One file under two names: in place, and between a folder scan and the
  // destination folder.
  std::filesystem::create_hard_link(folder_ / "d/a.txt", folder_ / "link.txt");
  refused({"/I/IFd\\a.txt", "/O/OFlink.txt/OU2"}, "link.txt");
  put("out/b.txt", "YZ\n");
  std::filesystem::create_hard_link(folder_ / "d/a.txt", folder_ / "out/a.txt");
  refused({"/I/IDd", "/O/ODout/OU2", "/N"}, "out/a.txt");
  refused({"/I/IDd", "/O/ODout/OU3"}, "out/a.txt");

  // The in-place pair by one path still works, and so does a destination of
  // the same size that is another file.
  EXPECT_EQ(run({"/I/IFd\\b.txt", "/O/OFd\\b.txt/OU3"}).status, 0);
  EXPECT_EQ(get("d/b.txt"), "B\n");
  EXPECT_EQ(run({"/I/IFx\\b.txt", "/O/OFout\\b.txt/OU2"}).status, 0);
  EXPECT_EQ(get("out/b.txt"), "XB\n");
}

TEST_F(SameFileTest, ADestinationThatBecomesASourceAfterTheChecksIsRefusedUntouched) {
  const std::string big(1000000, 'a');
  put("src/a.txt", big);
  put("src/b.txt", "B\n");
  put("old.txt", "old\n");
  put("dst/b.txt", "old\n");
  const std::string root = typed(folder_.path());
  struct Case {
    Args args;
    std::string destination;
    std::string source;
    bool hard_link;
  };
  const Case cases[] = {
      {{"/I/IF" + root + "\\src\\a.txt;" + root + "\\src\\b.txt", "/O/OF" + root + "\\old.txt/OU2"},
       "old.txt", "src/a.txt", false},
      {{"/I/IF" + root + "\\src\\a.txt;" + root + "\\src\\b.txt", "/O/OF" + root + "\\old.txt/OU3"},
       "old.txt", "src/b.txt", true},
      {{"/I/ID" + root + "\\src", "/N", "/O/OD" + root + "\\dst/OU2"}, "dst/b.txt", "src/a.txt", false},
  };
  platform::faults::set_open_hook(swap_at_open);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.destination);
    g_swap = Swap{folder_ / c.destination, folder_ / c.source, c.hard_link};
    const RunResult result = run_in_process(c.args);
    EXPECT_TRUE(g_swap.done);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, message(130, {"次のコピー先は，バックアップを経由せずに読み込むコピー元と同じファイルです。",
                                        folder_ / c.destination,
                                        "コピー元と異なるファイルをコピー先に指定してください。"}));
    EXPECT_TRUE(get("src/a.txt") == big);
    EXPECT_EQ(get("src/b.txt"), "B\n");
    fs::remove(folder_ / c.destination);
    put(c.destination, "old\n");
  }
  platform::faults::set_open_hook(nullptr);
}

TEST_F(SameFileTest, StandardOutputThatIsASourceIsRefusedBeforeAnythingIsRead) {
  put("a.txt", "one\r\ntwo\r\n");
  for (const bool appends : {true, false}) {
    const RunResult result = run_peltrix({"/I/IFa.txt", "/O/OR1"},
                                         {.folder = folder_.path(), .stdout_file = folder_ / "a.txt",
                                          .stdout_appends = appends});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, message(130, {"次のコピー先は，バックアップを経由せずに読み込むコピー元と同じファイルです。",
                                        "STDOUT", "コピー元と異なるファイルをコピー先に指定してください。"}));
    EXPECT_EQ(get("a.txt"), "one\r\ntwo\r\n");
  }
  // Standard output on another file takes the data.
  put("b.txt", "");
  const RunResult result =
      run_peltrix({"/I/IFa.txt", "/O/OR1"}, {.folder = folder_.path(), .stdout_file = folder_ / "b.txt"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(get("b.txt"), "one\ntwo\n");
}

TEST_F(SameFileTest, AnInPlaceFileIsOnTheDiskBeforeItsBackupIsDeleted) {
  using platform::faults::Operation;
  const std::string original = "one\r\ntwo\r\n";
  const Args args = {"/I/IF" + typed(folder_ / "data.txt"), "/O/OF" + typed(folder_ / "data.txt") + "/OU2/OR1"};
  put("data.txt", original);
  platform::faults::disarm();
  ASSERT_EQ(run_in_process(args).status, 0);
  const uint64_t writes = platform::faults::calls(Operation::kWrite);
  // The last two writes to the system put the file's data, then its
  // folder's names, on the disk; either failing keeps the backup.
  for (const uint64_t nth : {writes - 1, writes}) {
    put("data.txt", original);
    platform::faults::arm(Operation::kWrite, nth, 1117);
    const RunResult result = run_in_process(args);
    platform::faults::disarm();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.substr(0, result.err.find("E137-4")),
              message(137, {"次のコピー先ファイルの内容をディスクに書き終えることができませんでした。",
                            folder_ / "data.txt",
                            "バックアップファイルは削除せずに残しました。コピー先の内容を確かめてください。"}));
    EXPECT_EQ(get("data" + stamp_ + "0001.txt"), original);
    EXPECT_EQ(get("data.txt"), "one\ntwo\n");
    fs::remove(folder_ / ("data" + stamp_ + "0001.txt"));
  }
}

}  // namespace
}  // namespace peltrix::testing
