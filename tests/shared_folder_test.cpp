// In-place copies in a folder that others can write: whatever another user
// puts at a name mid-run, the run never writes through it, never hands out
// an access the original did not give, and an interrupted run leaves every
// original under its own name.

#include <csignal>
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

// Who owns a file, and its permission and set-id bits.
struct Access {
  uint32_t owner = 0;
  uint32_t group = 0;
  uint32_t mode = 0;
  bool operator==(const Access&) const = default;
};

Access access_of(const std::string& path) {
  const Owners owners = owners_of(path);
  return {owners.first, owners.second, static_cast<uint32_t>(fs::status(path).permissions()) & 07777u};
}

void set_access(const std::string& path, const Access& access) {
  give_owners(path, {access.owner, access.group});
  fs::permissions(path, static_cast<fs::perms>(access.mode));
}

bool running_as_root() { return owners_of("").first == 0; }

// An access ACL as the system stores it: a version, then entries of a tag
// (owner 0x01, user 0x02, owning group 0x04, group 0x08, mask 0x10, others
// 0x20), permissions (rwx as 4, 2, 1) and an id.
struct AclEntry {
  uint16_t tag;
  uint16_t permissions;
  uint32_t id;
};
std::string acl(const std::vector<AclEntry>& entries) {
  constexpr uint32_t kVersion = 2;
  std::string blob(reinterpret_cast<const char*>(&kVersion), 4);
  for (const AclEntry& e : entries) blob.append(reinterpret_cast<const char*>(&e), sizeof e);
  return blob;
}
constexpr char kAccessAcl[] = "system.posix_acl_access";
constexpr char kDefaultAcl[] = "system.posix_acl_default";

class SharedFolderTest : public RunFolderTest {
 protected:
  // The folder as an upload folder is: anyone may create and rename in it.
  void open_to_all() const { fs::permissions(folder_.path(), fs::perms::all); }
  // Whether user nobody can enter the folder and start the program there:
  // a temporary folder inside a private one is out of its reach.
  bool others_reach_it() const {
    open_to_all();
    RunOptions as_nobody;
    as_nobody.user = as_nobody.group = 65534;
    return run({"--version"}, as_nobody).status == 0;
  }
  std::string backup(const std::string& stem) const { return stem + stamp_ + "0001.txt"; }
};

// What another user does at the moment the run opens `name` to write it.
struct Planted {
  std::string name;
  void (*act)(const std::string& folder) = nullptr;
  std::string folder;
  bool done = false;
} g_planted;

void plant_at_open(const char* path, bool writes) {
  if (g_planted.done || !writes || fs::path(path).filename() != g_planted.name) return;
  g_planted.done = true;
  g_planted.act(g_planted.folder);
}

void link_to_victim(const std::string& f) { fs::create_symlink(f + "/victim.txt", f + "/data.txt"); }
void link_to_nothing(const std::string& f) { fs::create_symlink(f + "/made.txt", f + "/data.txt"); }
void hard_link_to_victim(const std::string& f) { fs::create_hard_link(f + "/victim.txt", f + "/data.txt"); }

TEST_F(SharedFolderTest, SomethingPutWhereTheOriginalWasIsNeverWrittenThrough) {
  const Args args = {"/I/IFdata.txt", "/O/OFdata.txt/OU2/OR1"};
  for (void (*act)(const std::string&) : {link_to_victim, link_to_nothing, hard_link_to_victim}) {
    clear();
    put({{"data.txt", "upload\r\n"}, {"victim.txt", "private\n"}});
    set_access(folder_ / "victim.txt", {0, 0, 0600});
    g_planted = Planted{"data.txt", act, real()};
    const RunResult result = [&] { const Faults hooked(plant_at_open); return run_here(args); }();
    ASSERT_TRUE(g_planted.done);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              message(138, {"1番目の/Oに指定したコピー先ファイルを作成できませんでした。元のファイルを移した後の名前に，"
                            "ほかのプログラムがファイルかリンクを置きました。",
                            real("data.txt"),
                            "どのファイルにも書き込んでいません。元のファイルは次のバックアップファイルにあります。",
                            real(backup("data")),
                            "その名前にあるものを確かめてから，バックアップファイルを元の名前に戻してください。"}));
    EXPECT_EQ(get("victim.txt"), "private\n");
    EXPECT_EQ(access_of(folder_ / "victim.txt"), (Access{0, 0, 0600}));
    EXPECT_FALSE(fs::exists(folder_ / "made.txt"));
    EXPECT_EQ(get(backup("data")), "upload\r\n");
  }
}

void old_to_victim(const std::string& f) {
  fs::remove(f + "/old.txt");
  fs::create_symlink(f + "/victim.txt", f + "/old.txt");
}
void new_to_victim(const std::string& f) { fs::create_symlink(f + "/victim.txt", f + "/new.txt"); }

// The same for a destination that is not in place: a name that held a file
// when it was checked must hold that file still, one that held none is made new.
TEST_F(SharedFolderTest, ADestinationReplacedAfterTheChecksIsNeverWrittenThrough) {
  const std::string replaced =
      message(140, {"次のコピー先ファイルは，確認の後にほかのファイルかリンクに置き換えられました。", real("old.txt"),
                    "何も書き込んでいません。その名前にあるものを確かめてから，もう一度コマンドを実行してください。"});
  const std::string taken = message(801, {"次のコピー先ファイルのopenが失敗しました。", real("new.txt"),
                                          "システムエラーコード=80", "ファイルが存在します。"});
  struct Case {
    Args args;
    std::string name;
    void (*act)(const std::string&);
    std::string err;
  };
  const Case cases[] = {
      {{"/I/IFa.txt", "/O/OFold.txt/OU2"}, "old.txt", old_to_victim, replaced},
      {{"/I/IFa.txt", "/O/OFold.txt/OU3"}, "old.txt", old_to_victim, replaced},
      {{"/I/IFa.txt", "/O/OFnew.txt/OU2"}, "new.txt", new_to_victim, taken},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[1]);
    clear();
    put({{"a.txt", "a\n"}, {"old.txt", "old\n"}, {"victim.txt", "private\n"}});
    g_planted = Planted{c.name, c.act, real()};
    const RunResult result = [&] { const Faults hooked(plant_at_open); return run_here(c.args); }();
    ASSERT_TRUE(g_planted.done);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(get("victim.txt"), "private\n");
  }
}

void backup_to_secret(const std::string& f) {
  const std::string moved = f + "/data" + run_date_stamp() + "0001.txt";
  fs::remove(moved);
  fs::create_symlink(f + "/secret.txt", moved);
}

TEST_F(SharedFolderTest, TheFileReadAndTheAccessTakenAreTheOriginalWhateverItsBackupNameHolds) {
  put({{"data.txt", "upload\r\n"}, {"secret.txt", "secret\r\n"}});
  set_access(folder_ / "data.txt", {0, 0, 0644});
  set_access(folder_ / "secret.txt", {0, 0, 0600});
  g_planted = Planted{"data.txt", backup_to_secret, real()};
  const Args args = {"/I/IFdata.txt", "/O/OFdata.txt/OU2/OR1"};
  const RunResult result = [&] { const Faults hooked(plant_at_open); return run_here(args); }();
  ASSERT_TRUE(g_planted.done);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(same_files({{"data.txt", "upload\n"}, {"secret.txt", "secret\r\n"}}, snapshot()));
  EXPECT_EQ(access_of(folder_ / "data.txt").mode, 0644u);
}

// Run by another user, who may not keep the original's owner or group: the
// bits of the one not kept reach no one else.
TEST_F(SharedFolderTest, BitsOfAnOwnerOrGroupThatCannotBeKeptGoToNoOneElse) {
  if (!running_as_root()) GTEST_SKIP() << "the files need owners other than the test's user";
  struct Case {
    Access original;
    RunOptions runner;
    Access expected;
  };
  const Case cases[] = {
      // The group cannot be given: the payroll is not opened to the runner's group.
      {{65534, 1000, 0640}, {.user = 65534, .group = 65534}, {65534, 65534, 0600}},
      // The owner cannot be given: the runner keeps only what its group had.
      {{1000, 1000, 0744}, {.user = 65534, .group = 1000}, {65534, 1000, 0444}},
      {{1000, 1000, 0764}, {.user = 65534, .group = 65534, .groups = {1000}}, {65534, 1000, 0664}},
  };
  if (!others_reach_it()) GTEST_SKIP() << "another user cannot reach the temporary folder";
  for (const Case& c : cases) {
    // Without the Linux calls a backup is made by a hard link, which Linux
    // refuses for another owner's file (E106, nothing changed).
    if (!platform::kKeepsAttributes && c.original.owner != c.runner.user) continue;
    clear();
    put("pay.txt", "1\r\n");
    set_access(folder_ / "pay.txt", c.original);
    const RunResult result = run({"/I/IFpay.txt", "/O/OFpay.txt/OU2/OR1"}, c.runner);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(get("pay.txt"), "1\n");
    EXPECT_EQ(access_of(folder_ / "pay.txt"), c.expected);
  }
}

TEST_F(SharedFolderTest, TheAccessListAndTheAttributesOfTheOriginalAreKept) {
  if (!platform::kKeepsAttributes) GTEST_SKIP() << "this build keeps no extended attributes";
  put("data.txt", "a\r\n");
  const std::string file = folder_ / "data.txt";
  const Args in_place = {"/I/IFdata.txt", "/O/OFdata.txt/OU2/OR1"};
  // Owner rw, user 65534 rw, owning group r, mask rw, others nothing.
  const auto list = [](uint16_t group) {
    return acl({{0x01, 6, ~0u}, {0x02, 6, 65534}, {0x04, group, ~0u}, {0x10, 6, ~0u}, {0x20, 0, ~0u}});
  };
  try {
    set_attribute(file, kAccessAcl, list(4));
    set_attribute(file, "user.note", "kept");
  } catch (const std::exception& e) {
    GTEST_SKIP() << "the test folder's file system takes no ACL or attribute: " << e.what();
  }
  const Access before = access_of(file);
  EXPECT_EQ(run(in_place).status, 0);
  EXPECT_EQ(get("data.txt"), "a\n");
  EXPECT_EQ(attribute(file, kAccessAcl), list(4));
  EXPECT_EQ(attribute(file, "user.note"), "kept");
  EXPECT_EQ(access_of(file), before);

  // A folder's default list reaches no copy of a file that had none.
  clear();
  put("data.txt", "a\r\n");
  set_access(file, {0, 0, 0640});
  set_attribute(folder_.path(), kDefaultAcl, list(4));
  EXPECT_EQ(run(in_place).status, 0);
  EXPECT_EQ(attribute(file, kAccessAcl), "-");
  EXPECT_EQ(access_of(file).mode, 0640u);

  if (!running_as_root()) GTEST_SKIP() << "the rest needs owners other than the test's user";
  if (!others_reach_it()) GTEST_SKIP() << "another user cannot reach the temporary folder";
  RunOptions as_nobody;
  as_nobody.user = 65534;
  as_nobody.group = 65534;
  // Run by the owner, who may not keep the group: the owning group's entry goes.
  clear();
  put("data.txt", "a\r\n");
  set_access(file, {65534, 1000, 0660});
  set_attribute(file, kAccessAcl, list(4));
  EXPECT_EQ(run(in_place, as_nobody).status, 0);
  EXPECT_EQ(attribute(file, kAccessAcl), list(0));

  // An attribute the runner may not set: the new file stays its owner's
  // alone, and the original stays under its backup name.
  clear();
  put("data.txt", "a\r\n");
  set_access(file, {65534, 65534, 0644});
  try {
    set_attribute(file, "security.peltrix", "x");
  } catch (const std::exception& e) {
    GTEST_SKIP() << "this root may not put a security attribute on: " << e.what();
  }
  const RunResult refused = run(in_place, as_nobody);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err.substr(0, refused.err.find("E136-3")),
            message(136, {"1番目の/Oに指定したコピー先ファイルに元のファイルのアクセス権を設定できませんでした。", real("data.txt")}));
  EXPECT_EQ(access_of(file).mode, 0600u);
  EXPECT_EQ(get(backup("data")), "a\r\n");
}

// Records enough for several blocks.
std::string lines(size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += "line " + std::to_string(text.size()) + "\r\n";
  return text;
}

void interrupt() { std::raise(SIGINT); }
void terminate_run() { std::raise(SIGTERM); }
// A second request while the originals are put back.
void interrupt_twice() {
  std::raise(SIGINT);
  platform::faults::arm_action(Operation::kRename, 1, terminate_run);
}

std::string to_lf(std::string text) {
  std::erase(text, '\r');
  return text;
}

TEST_F(SharedFolderTest, AnInterruptedRunPutsEveryOriginalBackAndSaysSo) {
  const std::string a = lines(3 * 1048576);
  const std::string b = lines(1500000);
  const std::string stopped = "中断の指示を受けたため，処理を中止しました。";
  const std::string rest = "中止までに書き込んだほかのコピー先は，そのまま残っています。コピーを終えるには，もう一度コマンドを実行してください。";
  const auto put_back = [&](const std::string& name) { return "E139-2 次のファイルを元の内容に戻しました。 " + real(name) + "\n"; };
  struct Case {
    Args args;
    Operation at;  // the request comes just before this call
    uint64_t nth;  // 0: the run's last write
    void (*act)();
    Files after;
    std::vector<std::string> restored;
  };
  const Case cases[] = {
      // In the middle of the copy, before any byte, and twice.
      {{"/I/IFa.txt", "/O/OFa.txt/OU2/OR1"}, Operation::kWrite, 2, interrupt, {{"a.txt", a}, {"b.txt", b}}, {"a.txt"}},
      // As the second original moves: both go back, before any new file has data.
      {{"/I/IFa.txt;b.txt", "/O/OFa.txt;b.txt/OU2"}, Operation::kRename, 2, terminate_run, {{"a.txt", a}, {"b.txt", b}},
       {"a.txt", "b.txt"}},
      {{"/I/IFa.txt", "/O/OFa.txt/OU2/OR1"}, Operation::kWrite, 2, interrupt_twice, {{"a.txt", a}, {"b.txt", b}},
       {"a.txt"}},
      // Everything written but the backup not yet deleted: still put back.
      {{"/I/IFb.txt", "/O/OFb.txt/OU2/OR1"}, Operation::kWrite, 0, interrupt, {{"a.txt", a}, {"b.txt", b}},
       {"b.txt"}},
      // Not in place: what was written stays, as a copy command leaves it.
      {{"/I/IFa.txt", "/O/OFout.txt/OR1"}, Operation::kWrite, 2, interrupt, {{"a.txt", a}, {"b.txt", b}, {"out.txt", "*"}},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    clear();
    put({{"a.txt", a}, {"b.txt", b}});
    uint64_t nth = c.nth;
    if (nth == 0) {
      // The last write before the deletion: the folder's names put on the disk.
      const Faults counting;
      ASSERT_EQ(run_here(c.args).status, 0);
      nth = platform::faults::calls(Operation::kWrite);
      clear();
      put({{"a.txt", a}, {"b.txt", b}});
    }
    const Faults requesting(c.at, nth, c.act);
    const RunResult result = run_here(c.args);
    EXPECT_EQ(result.status, 1);
    std::string expected = "E139-1 " + stopped + "\n";
    for (const std::string& name : c.restored) expected += put_back(name);
    EXPECT_EQ(result.err, expected + "E139-4 " + rest + "\n");
    EXPECT_TRUE(same_files(c.after, snapshot()));
    if (c.after.count("out.txt") != 0) {
      const std::string written = get("out.txt");
      EXPECT_LT(written.size(), to_lf(a).size());
      EXPECT_EQ(written, to_lf(a).substr(0, written.size()));
    }
  }
}

// A reader that takes nothing (a pager left open) keeps the program waiting
// on a full pipe: a request to stop still ends it, with its message.
TEST_F(SharedFolderTest, ARunWaitingOnAFullPipeStopsWhenAsked) {
  put("a.txt", lines(3 * 1048576));
  RunOptions slow_reader;
  slow_reader.stop_signal = SIGTERM;
  const RunResult result = run({"/I/IFa.txt"}, slow_reader);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.substr(0, 7), "E139-1 ");
  EXPECT_LT(result.out.size(), get("a.txt").size());
}

}  // namespace
}  // namespace peltrix::testing
