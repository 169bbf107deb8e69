// What only the Windows program meets: names that Windows reads its own
// way, files marked read-only, code pages. (Files another program holds
// without sharing: HostileTest.FilesHeldByAnotherProgramAreLeftAlone.)

#include <filesystem>

#include "support/run_folder.h"

namespace peltrix::testing {
namespace {

namespace fs = std::filesystem;

struct Row {
  Args args;
  std::string err;  // '$' stands for the folder; one ending in "..." is the start of what is said
  std::string out = "";
  int status = 1;
};

const std::string kDenied = system_text(5, "アクセスが拒否されました。");

std::string done(const std::string& destination) {
  return "I001-1 コピー元1個，コピー先1個のファイルのコピーが完了しました。\nI001-2 0001 " + destination + "\n";
}

class WindowsTest : public RunFolderTest {
 protected:
  void each(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.args.front() + (row.args.size() > 1 ? " " + row.args[1] : ""));
      const Files before = row.status != 0 ? snapshot() : Files{};
      const RunResult result = run(row.args);
      const std::string err = at(row.err);
      const size_t length = err.ends_with("...") ? err.size() - 3 : std::string::npos;
      EXPECT_EQ(result.status, row.status);
      EXPECT_EQ(result.out, at(row.out));
      EXPECT_EQ(result.err.substr(0, length), err.substr(0, length));
      EXPECT_TRUE(row.status == 0 || same_files(before, snapshot()));
    }
  }
};

// A device name is never opened: as a value it is no file or folder, and
// met in a folder scan it is refused (5) before anything is written.
TEST_F(WindowsTest, DeviceNamesAreNeverOpened) {
  put({{"a.txt", "alpha\n"}, {"d/ok.txt", "ok\n"}});
  // Not a file (E039, E053), not a folder (E046, E059).
  each({{{"/I/IFCON"}, "E039-1 ..."},
        {{"/I/IFd\\Nul.txt"}, "E039-1 ..."},
        {{"/I/IDNUL"}, "E046-1 ..."},
        {{"/I/IFa.txt", "/O/OFCOM1"}, "E053-1 ..."},
        {{"/I/IFa.txt", "/O/OFcon.txt"}, "E053-1 ..."},
        {{"/I/IFa.txt", "/O/ODlpt1"}, "E059-1 ..."}});
  // Only the long-path form makes, reads and removes a file of such a name.
  const std::string device_file = "\\\\?\\" + (folder_ / "d/con.txt");
  write_file(device_file, "console?\n");
  const RunResult scan = run({"/I/IDd", "/O/OFall.txt"});
  EXPECT_EQ(scan.err, at(message(805, {"次のコピー元ファイルのopenが失敗しました。", "$/d/con.txt", "システムエラーコード=5", kDenied})));
  EXPECT_FALSE(fs::exists(folder_ / "all.txt"));
  EXPECT_EQ(read_file(device_file), "console?\n");
  fs::remove(device_file);
}

// The attribute keeps the file from being written over, also by an
// in-place copy, which would move it away to its backup first.
TEST_F(WindowsTest, AFileWithTheReadOnlyAttributeIsNeitherWrittenOverNorReplaced) {
  put({{"a.txt", "alpha\n"}, {"ro.txt", "old\r\n"}});
  fs::permissions(folder_ / "ro.txt", fs::perms::all, fs::perm_options::remove);
  each({{{"/I/IFa.txt", "/O/OFro.txt/OU2"},
         message(801, {"次のコピー先ファイルのopenが失敗しました。", "$/ro.txt", "システムエラーコード=5", kDenied})},
        {{"/I/IFro.txt", "/O/OFro.txt/OU2/OR1"},
         message(106, {"1番目の/Iに指定したコピー元ファイルの次のバックアップファイルの作成に失敗しました。",
                       "$/ro" + stamp_ + "0001.txt", "エラー原因は次のシステムエラーコードとメッセージを参照してください。",
                       "システムエラーコード=5", kDenied})}});
  fs::permissions(folder_ / "ro.txt", fs::perms::owner_write, fs::perm_options::add);
}

// Names the system shortens or reads by its own rules, and names that
// differ only in case, which are one file.
TEST_F(WindowsTest, NamesAreTakenAsWindowsReadsThem) {
  put({{"a.txt", "alpha\n"}, {"d/a.txt", "in d\n"}});
  const std::string drive = real().substr(0, 2);
  const std::string missing = fs::exists("Q:\\") ? "W:" : "Q:";
  each({// Trailing dots and spaces go; a drive's own current folder is this one.
        {{"/I/IFa.txt. ", "/O/OFb.txt.", "/M/MT2"}, "", done("$/b.txt"), 0},
        {{"/I/IF" + drive + "a.txt", "/O/OF" + drive + "c.txt", "/M/MT2"}, "", done("$/c.txt"), 0},
        // A stream of a file (Wine: a file of that name) is written and read back.
        {{"/I/IFa.txt", "/O/OFs.txt:x"}, "", "", 0},
        {{"/I/IFs.txt:x"}, "", "alpha\n", 0},
        {{"/I/IF\\\\server\\share\\a.txt"},
         message(38, {"1番目の/Iに指定したコピー元にI/Oエラーが発生しました。", "\\\\server\\share\\a.txt"}) + "..."},
        {{"/I/IFa.txt;A.TXT"}, "E079-1 ..."},
        {{"/I/IDd", "/O/OFD\\A.TXT/OU2"}, same_file("$/d/a.txt")},
        // Nothing above a folder on a drive that does not exist can be made.
        {{"/I/IFa.txt", "/O/OF" + missing + "\\x\\y.txt"},
         message(105, {"次のコピー先フォルダの作成に失敗しました。", missing + "\\x", "_mkdir()関数が戻り値-1で，次のエラーとなりました。",
                       "システムエラーコード=3", system_text(3, "指定されたパスが見つかりません。")})}});
  EXPECT_EQ(get("b.txt") + get("c.txt"), "alpha\nalpha\n");
}

// The program takes its arguments and names in the system's code page: in
// code page 932 Japanese names are files and folders like any other ('表'
// and 'ソ' end in the byte of '\', 'ポ' in that of '|'); in another code
// page they arrive as '?' and are refused. ctest runs this test in both.
TEST_F(WindowsTest, JapaneseNamesNeedCodePage932) {
  put("a.txt", "alpha\n");
  if (ansi_code_page() != 932) {
    each({{{"/I/IF表\\ソポ.txt"}, message(35, {"1番目の/Iの/IFに指定できない文字を指定しています。", "?",
                                              "指定できる文字に変更してください。"})}});
    return;
  }
  each({{{"/I/IFa.txt", "/O/OF表\\ソポ.txt", "/M/MT2"}, "", done("$/表/ソポ.txt"), 0},
        {{"/I/IF表\\ソポ.txt", "/O/OR1"}, "", "alpha\n", 0}});
}

}  // namespace
}  // namespace peltrix::testing
