// Joined copies from the command line to the bytes on disk or on standard
// output, and the completion report.

#include <sys/mount.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "support/process.h"

namespace peltrix::testing {
namespace {

using namespace std::string_literals;

constexpr size_t kBlock = 1048576;
const std::string kUtf8Mark = "\xEF\xBB\xBF";

std::string random_text(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  const std::string alphabet = "abcdefghij \r\n";
  std::string text(size, ' ');
  for (char& c : text) c = alphabet[random() % alphabet.size()];
  return text;
}

std::string lines(size_t count, const std::string& newline) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += "record " + std::to_string(i) + newline;
  return text;
}

class JoinedCopyE2e : public ::testing::Test {
 protected:
  RunResult run(const std::vector<std::string>& args, RunOptions options = {}) {
    options.folder = folder_.path();
    return run_peltrix(args, options);
  }
  void put(const std::string& name, const std::string& bytes) { write_file(folder_ / name, bytes); }
  std::string get(const std::string& name) { return read_file(folder_ / name); }
  bool has(const std::string& name) { return exists(folder_ / name); }

  TempFolder folder_;
};

TEST_F(JoinedCopyE2e, ThreeSourcesJoinIntoTwoDestinations) {
  const std::string a = random_text(kBlock + 4321, 1);
  const std::string b = "middle\r\n";
  const std::string c = random_text(2 * kBlock + 3, 2);
  put("a.txt", a);
  put("b.txt", b);
  put("c.txt", c);
  const RunResult result = run({"/I/IFa.txt;b.txt;c.txt", "/O/OFx.txt;y.txt"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(get("x.txt") == a + b + c);
  EXPECT_TRUE(get("y.txt") == a + b + c);
}

TEST_F(JoinedCopyE2e, RecordsAcrossTheBlockBoundaryAreCountedOnce) {
  // 1,100,000 bytes of 11-byte records: several straddle 1,048,576.
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "0123456789\n";
  put("in.txt", text);
  const RunResult result = run({"/I/IFin.txt", "/O/OFout.txt", "/M/MT3"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "I001-1 コピー元1個，コピー先1個のファイルのコピーが完了しました。\n"
            "I001-2 0001 0000100000 " + folder_.path() + "/out.txt\n");
  EXPECT_TRUE(get("out.txt") == text);
}

TEST_F(JoinedCopyE2e, NewlinesConvertInEveryUnitWidth) {
  const std::string crlf = lines(150000, "\r\n");
  const std::string lf = lines(150000, "\n");
  put("crlf.txt", crlf);
  ASSERT_EQ(run({"/I/IFcrlf.txt", "/O/OFlf.txt/OR1"}).status, 0);
  EXPECT_TRUE(get("lf.txt") == lf);
  ASSERT_EQ(run({"/I/IFlf.txt", "/O/OFback.txt/OR2"}).status, 0);
  EXPECT_TRUE(get("back.txt") == crlf);

  struct Wide {
    std::string mark;
    int width;
    bool big;
  };
  for (const Wide& w : {Wide{"\xFF\xFE", 2, false}, Wide{"\xFE\xFF", 2, true}, Wide{"\xFF\xFE\0\0"s, 4, false},
                        Wide{"\0\0\xFE\xFF"s, 4, true}}) {
    SCOPED_TRACE(w.width * 10 + w.big);
    put("wide.txt", w.mark + widen(crlf, w.width, w.big));
    std::filesystem::remove(folder_ / "wide-lf.txt");
    ASSERT_EQ(run({"/I/IFwide.txt", "/O/OFwide-lf.txt/OR1"}).status, 0);
    EXPECT_TRUE(get("wide-lf.txt") == w.mark + widen(lf, w.width, w.big));
  }
}

TEST_F(JoinedCopyE2e, BlocksOfNewlinesOnlyDoubleIntoCrLf) {
  for (size_t size : {2 * kBlock, 3 * kBlock}) {
    SCOPED_TRACE(size);
    put("lf.bin", std::string(size, '\n'));
    std::filesystem::remove(folder_ / "crlf.bin");
    const RunResult result = run({"/I/IFlf.bin", "/O/OFcrlf.bin/OR2"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::string expected;
    expected.reserve(2 * size);
    for (size_t i = 0; i < size; ++i) expected += "\r\n";
    EXPECT_TRUE(get("crlf.bin") == expected);
  }
}

TEST_F(JoinedCopyE2e, SkipsAndLimitsOfRecordsAndBytes) {
  put("in.txt", "a\nb\nc\nd\n");
  struct Case {
    std::string options;
    std::string expected;
  };
  for (const Case& c : {Case{"/IL1", "b\nc\nd\n"}, Case{"/IP2", "a\nb\n"}, Case{"/IL1/IP2", "b\nc\n"},
                        Case{"/IT3", "\nc\nd\n"}, Case{"/IB3", "a\nb"}, Case{"/IT2/IB4", "b\nc\n"}}) {
    SCOPED_TRACE(c.options);
    std::filesystem::remove(folder_ / "out.txt");
    const RunResult result = run({"/I/IFin.txt" + c.options, "/O/OFout.txt"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(get("out.txt"), c.expected);
    EXPECT_EQ(result.out, "");
  }
  // Megabytes: /IA1 skips exactly 1,048,576 bytes, /IM1 takes exactly as many.
  const std::string big = random_text(kBlock + 100, 3);
  put("big.txt", big);
  ASSERT_EQ(run({"/I/IFbig.txt/IA1", "/O/OFtail.txt"}).status, 0);
  EXPECT_EQ(get("tail.txt"), big.substr(kBlock));
  ASSERT_EQ(run({"/I/IFbig.txt/IM1", "/O/OFhead.txt"}).status, 0);
  EXPECT_TRUE(get("head.txt") == big.substr(0, kBlock));
}

TEST_F(JoinedCopyE2e, AnOutputThatSkipsLeftEmptyIsExplained) {
  put("in.txt", "a\nb\nc\n");
  const RunResult records = run({"/I/IFin.txt/IL5", "/O/OFout.txt", "/M/MT1"});
  EXPECT_EQ(records.status, 0);
  EXPECT_EQ(records.out,
            "I001-1 次が成り立つため，コピー先への出力レコード件数は0件となります。\n"
            "I001-2 スキップレコード件数 ＞＝ コピー元のレコード件数\n"
            "I001-3 コピー元1個，コピー先1個のファイルのコピーが完了しました。\n");
  EXPECT_EQ(get("out.txt"), "");

  put("four.bin", "wxyz");
  const RunResult bytes = run({"/I/IFfour.bin/IT10", "/O/OFempty.bin"});
  EXPECT_EQ(bytes.status, 0);
  EXPECT_EQ(bytes.out,
            "I001-1 次が成り立つため，コピー先への出力は0バイトとなります。\n"
            "I001-2 スキップバイト数 ＞＝ コピー元のバイト数\n");
  EXPECT_TRUE(has("empty.bin"));
}

TEST_F(JoinedCopyE2e, MarksOfLaterSourcesGoAndTheOutputKeepsOne) {
  put("a.txt", kUtf8Mark + "one\n");
  put("b.txt", kUtf8Mark + "two\n");
  put("c.txt", kUtf8Mark + "three\n");
  ASSERT_EQ(run({"/I/IFa.txt;b.txt;c.txt", "/O/OFout.txt"}).status, 0);
  EXPECT_EQ(get("out.txt"), kUtf8Mark + "one\ntwo\nthree\n");
  ASSERT_EQ(run({"/I/IFa.txt;b.txt;c.txt", "/O/OFnone.txt/OJ7"}).status, 0);
  EXPECT_EQ(get("none.txt"), "one\ntwo\nthree\n");

  put("p.txt", "one\n");
  put("q.txt", "two\n");
  put("r.txt", "three\n");
  ASSERT_EQ(run({"/I/IFp.txt;q.txt;r.txt", "/O/OFmarked.txt;again.txt/OJ1"}).status, 0);
  EXPECT_EQ(get("marked.txt"), kUtf8Mark + "one\ntwo\nthree\n");
  EXPECT_EQ(get("again.txt"), get("marked.txt"));
}

TEST_F(JoinedCopyE2e, AnEmptyFirstSourceLeavesTheMarkAndTheCodeToTheNext) {
  put("empty.txt", "");
  put("wide.txt", "\xFF\xFE" "a\0\r\0\n\0"s);
  const RunResult result = run({"/I/IFempty.txt;wide.txt", "/O/OFout.txt/OR1"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(get("out.txt"), "\xFF\xFE" "a\0\n\0"s);
}

TEST_F(JoinedCopyE2e, OutputAppendedBehindContentsCarriesNoMark) {
  put("h.txt", kUtf8Mark + "head\nbody\n");
  put("log.txt", "old\n");
  ASSERT_EQ(run({"/I/IFh.txt/IL1", "/O/OFlog.txt/OU3"}).status, 0);
  EXPECT_EQ(get("log.txt"), "old\nbody\n");
  ASSERT_EQ(run({"/I/IFh.txt", "/O/OFlog.txt/OU3"}).status, 0);
  EXPECT_EQ(get("log.txt"), "old\nbody\nhead\nbody\n");
  // A file that holds nothing yet begins with the mark.
  ASSERT_EQ(run({"/I/IFh.txt", "/O/OFfresh.txt/OU3"}).status, 0);
  EXPECT_EQ(get("fresh.txt"), kUtf8Mark + "head\nbody\n");
}

TEST_F(JoinedCopyE2e, MarksAreCheckedBeforeAnythingChanges) {
  put("plain.txt", "plain\n");
  put("marked.txt", kUtf8Mark + "marked\n");
  put("out.txt", "keep");
  const std::string mismatch = "E115-1 コピー元ファイルのBOMの値が異なります。\n"
                               "E115-2 コピー元ファイルのBOMの値は，同じものに統一してください。\n";
  const RunResult overwrite = run({"/I/IFplain.txt;marked.txt", "/O/OFout.txt/OU2"});
  EXPECT_EQ(overwrite.status, 1);
  EXPECT_EQ(overwrite.err, mismatch);
  EXPECT_EQ(get("out.txt"), "keep");

  const RunResult in_place = run({"/I/IFplain.txt;marked.txt", "/O/OFplain.txt/OU2"});
  EXPECT_EQ(in_place.err, mismatch);
  EXPECT_EQ(get("plain.txt"), "plain\n");
  EXPECT_FALSE(has("plain" + run_date_stamp() + "0001.txt"));

  const RunResult named = run({"/I/IFmarked.txt", "/O/OFnew.txt/OJ2"});
  EXPECT_EQ(named.status, 1);
  EXPECT_EQ(named.err.find("E126-1 "), 0u);  // /OJ2 reads the sources as UTF-16
  EXPECT_FALSE(has("new.txt"));
}

TEST_F(JoinedCopyE2e, EndOfFileCharacterBySetting) {
  put("with.txt", "a\n\x1A");
  put("without.txt", "b\n");
  struct Case {
    std::string sources;
    std::string setting;
    std::string expected;
  };
  for (const Case& c : {Case{"with.txt;without.txt", "", "a\nb\n\x1A"}, Case{"without.txt;with.txt", "", "b\na\n"},
                        Case{"with.txt;without.txt", "/OE1", "a\nb\n"},
                        Case{"without.txt;without.txt", "/OE2", "b\nb\n\x1A"},
                        Case{"with.txt;with.txt", "/OE3", "a\na\n\x1A"}}) {
    SCOPED_TRACE(c.sources + c.setting);
    std::filesystem::remove(folder_ / "out.txt");
    const RunResult result = run({"/I/IF" + c.sources, "/O/OFout.txt" + c.setting, "/W"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(get("out.txt"), c.expected);
  }
}

TEST_F(JoinedCopyE2e, AppendingStartsOnATrailingEndOfFileCharacter) {
  put("new.txt", "new\n");
  put("log.txt", "old\n\x1A");
  ASSERT_EQ(run({"/I/IFnew.txt", "/O/OFlog.txt/OU3"}).status, 0);
  EXPECT_EQ(get("log.txt"), "old\nnew\n");
  ASSERT_EQ(run({"/I/IFnew.txt", "/O/OFlog.txt/OU3"}).status, 0);
  EXPECT_EQ(get("log.txt"), "old\nnew\nnew\n");
}

TEST_F(JoinedCopyE2e, InPlaceCopyGoesThroughADatedBackup) {
  const std::string backup = "data" + run_date_stamp() + "0001.txt";
  put("data.txt", "a\r\nb\r\n");
  ASSERT_EQ(run({"/I/IFdata.txt", "/O/OFdata.txt/OU2/OR1"}).status, 0);
  EXPECT_EQ(get("data.txt"), "a\nb\n");
  EXPECT_FALSE(has(backup));

  const RunResult kept = run({"/I/IFdata.txt/IU1", "/O/OFdata.txt/OU2/OR2"});
  ASSERT_EQ(kept.status, 0) << kept.err;
  EXPECT_EQ(get("data.txt"), "a\r\nb\r\n");
  EXPECT_EQ(get(backup), "a\nb\n");
}

TEST_F(JoinedCopyE2e, ReportByMessageType) {
  put("a.txt", "1\n2\n");
  put("b.txt", "3\n");
  const RunResult one = run({"/I/IFa.txt;b.txt", "/O/OFo1.txt", "/M/MT1"});
  EXPECT_EQ(one.out, "I001-1 コピー元2個，コピー先1個のファイルのコピーが完了しました。\n");
  const RunResult two = run({"/I/IFa.txt;b.txt", "/O/OFo2.txt;o3.txt", "/M/MT2"});
  EXPECT_EQ(two.out,
            "I001-1 コピー元2個，コピー先2個のファイルのコピーが完了しました。\n"
            "I001-2 0001 " + folder_.path() + "/o2.txt\n"
            "I001-2 0002 " + folder_.path() + "/o3.txt\n");
  const RunResult three = run({"/I/IFa.txt;b.txt", "/M/MT3"});
  EXPECT_EQ(three.status, 0);
  EXPECT_EQ(three.out, "1\n2\n3\n");
  EXPECT_EQ(three.err,
            "I001-1 コピー元2個，コピー先1個のファイルのコピーが完了しました。\n"
            "I001-2 0001 0000000003 STDOUT\n");
}

TEST_F(JoinedCopyE2e, AFailedWriteToStandardOutputIsReported) {
  put("a.txt", "data\n");
  RunOptions full;
  full.stdout_to_dev_full = true;
  const RunResult result = run({"/I/IFa.txt", "/M/MT1"}, full);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "E809-1 WriteFile()関数でエラーが発生しました。 \"STDOUT\"\n"
            "E809-2 システムエラーコード=112\n"
            "E809-3 ディスクに十分な空き領域がありません。\n");
}

TEST_F(JoinedCopyE2e, AFullDiskLeavesTheOriginalUnderItsBackupName) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  const std::string disk = folder_ / "disk";
  make_folders(disk);
  if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=1m") != 0) GTEST_SKIP() << "tmpfs cannot be mounted here";
  const std::string original = random_text(600000, 4);
  write_file(disk + "/data.txt", original);
  RunOptions options;
  options.folder = disk;
  const RunResult result = run_peltrix({"/I/IFdata.txt", "/O/OFdata.txt/OU2/OR2"}, options);
  const std::string backup = disk + "/data" + run_date_stamp() + "0001.txt";
  const bool backup_kept = exists(backup) && read_file(backup) == original;
  umount(disk.c_str());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.substr(0, 7), "E809-1 ");
  EXPECT_NE(result.err.find("システムエラーコード=112\n"), std::string::npos);
  EXPECT_TRUE(backup_kept);
}

}  // namespace
}  // namespace peltrix::testing
