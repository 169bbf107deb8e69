// Whole runs of the program: a folder of files and a command line, and the
// files, words and status the run leaves. The matrix's rows also feed the
// fault-injection matrix, which fails every platform call of their runs in
// turn.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/usage.h"
#include "platform/fault_injection.h"
#include "support/run_folder.h"

namespace peltrix::testing {
namespace {

using namespace std::string_literals;
using platform::faults::Operation;

constexpr size_t kBlock = 1048576;
const std::string kMark = "\xEF\xBB\xBF";
const std::string kText = "first\r\nsecond\r\nthird";
const std::string kAlpha = "alpha\n";

struct Scenario {
  std::string name;
  Files files;    // the folder before the run
  Args args;      // run in the folder; '$' stands for the folder, typed
  Files changes = {};  // what the run makes or changes there; "*" any bytes
  std::string out = "";  // standard output and error; '$' stands for the folder
  std::string err = "";
  int status = 0;
  RunOptions options = {};
};

std::string random_text(size_t size, uint64_t seed) {
  std::string text(size, ' ');
  for (char& c : text) {
    seed = seed * 6364136223846793005u + 1442695040888963407u;
    c = "abcdefghij \r\n"[(seed >> 33) % 13];
  }
  return text;
}

std::string repeat(std::string text, size_t times) {
  const size_t size = text.size() * times;
  while (text.size() < size) text += text;
  return text.substr(0, size);
}

std::string done(int sources, int destinations) {
  return "I001-1 コピー元" + std::to_string(sources) + "個，コピー先" + std::to_string(destinations) +
         "個のファイルのコピーが完了しました。\n";
}

// A line of the /MT3 report.
std::string counted(int number, size_t records, const std::string& name) {
  char line[64];
  std::snprintf(line, sizeof line, "I001-2 %04d %010zu ", number, records);
  return line + name + "\n";
}

// A failed call of the system ("WriteFile", "ReadFile") on path.
std::string failed(const std::string& call, int code, const std::string& path, const std::string& error,
                   const std::string& text) {
  return message(code, {call + "()関数でエラーが発生しました。 \"" + path + "\"", "システムエラーコード=" + error, text});
}

// A stack limit this large leaves the system no room for a thread's stack.
constexpr uint64_t kNoThread = uint64_t{1} << 40;

std::string usage_text() { return printed(cli::print_usage).out; }

const Files kTree = {{"src/r1", kText}, {"src/a/a1", "one\ntwo\n\x1A"}, {"src/a/deep/d1", "d"}, {"src/b/b1", "b1\n"},
                     {"src/a/empty/", ""}};

// The rows, moved into the table rather than copied: some hold megabytes.
template <size_t N>
std::vector<Scenario> table_of(Scenario (&&rows)[N]) {
  return {std::make_move_iterator(rows), std::make_move_iterator(rows + N)};
}

// The rows of the fault-injection matrix.
const std::vector<Scenario>& matrix_rows() {
  static const std::vector<Scenario> table = [] {
    const std::string stamp = run_date_stamp();
    const std::string marked = kMark + "one\ntwo\n\x1A";
    return table_of({
        {"joined copy into files", {{"a.txt", kText}, {"b.txt", "b\n"}, {"out1.txt", "old"}},
         {"/I/IFa.txt;b.txt", "/O/OFout1.txt;out2.txt/OU2", "/M/MT3"}, {{"out1.txt", kText + "b\n"}, {"out2.txt", kText + "b\n"}},
         done(2, 2) + counted(1, 4, "$/out1.txt") + counted(2, 4, "$/out2.txt")},
        {"joined copy to standard output", {{"a.txt", kText}}, {"/I/IFa.txt/IL1", "/M/MT2"}, {}, "second\r\nthird",
         done(1, 1) + "I001-2 0001 STDOUT\n"},
        {"in-place copy", {{"data.txt", kText}}, {"/I/IFdata.txt", "/O/OFdata.txt/OU2/OR1"}, {{"data.txt", "first\nsecond\nthird\n"}}},
        {"in-place append keeping its backup", {{"data.txt", marked}}, {"/I/IFdata.txt/IU1", "/O/OFdata.txt/OU3"},
         {{"data.txt", marked}, {"data" + stamp + "0001.txt", marked}}},
        {"large joined copy through the system", {{"big.bin", std::string(3 * kBlock + 5, 'q')}},
         {"/I/IFbig.bin/IT7/IB3000000", "/O/OFout1.bin;out2.bin"},
         {{"out1.bin", std::string(3000000, 'q')}, {"out2.bin", std::string(3000000, 'q')}}},
        {"large window written while the next block is read", {{"big.bin", std::string(3 * kBlock + 5, 'w')}},
         {"/I/IFbig.bin/IT1000", "/O/OFout.bin"}, {{"out.bin", std::string(3 * kBlock + 5 - 1000, 'w')}}},
        {"records counted beside the system's copy", {{"lines.txt", big()}}, {"/I/IFlines.txt", "/O/OFout.txt", "/M/MT3"},
         {{"out.txt", big()}}, done(1, 1) + counted(1, 300000, "$/out.txt")},
        {"append onto an end-of-file character", {{"a.txt", kText}, {"out.txt", "old\n\x1A"}}, {"/I/IFa.txt", "/O/OFout.txt/OU3"},
         {{"out.txt", "old\n" + kText}}},
        {"tree copy, breadth first", kTree, {"/I/IDsrc", "/S", "/N", "/O/ODout", "/M/MT2"},
         {{"out/r1", kText}, {"out/a/a1", "one\ntwo\n\x1A"}, {"out/a/deep/d1", "d"}, {"out/b/b1", "b1\n"}, {"out/a/empty/", ""}},
         done(4, 4) + "I001-2 0001 $/out/r1\nI001-2 0002 $/out/a/a1\nI001-2 0003 $/out/b/b1\nI001-2 0004 $/out/a/deep/d1\n"},
        {"a repeated source appended to its first destination, behind its mark", {{"a.txt", "1\n2\n\x1A"}, {"b.txt", "3\n"}},
         {"/I/IFa.txt;b.txt;a.txt;a.txt", "/N", "/W", "/O/ODout/OJ1", "/M/MT3"},
         {{"out/a.txt", kMark + "1\n2\n1\n2\n1\n2\n\x1A"}, {"out/b.txt", kMark + "3\n"}},
         done(2, 2) + counted(1, 6, "$/out/a.txt") + counted(2, 1, "$/out/b.txt")},
        {"a mark put in front", {{"a.txt", kText}}, {"/I/IFa.txt", "/O/OFout.txt/OJ1"}, {{"out.txt", kMark + kText}}},
    });
  }();
  return table;
}

// The rows beyond the matrix's.
const std::vector<Scenario>& scenarios() {
  static const std::vector<Scenario> table = [] {
    const std::string stamp = run_date_stamp();
    const Files ab = {{"a.txt", kAlpha}, {"b.txt", "beta\n"}, {"sub/", ""}};
    const std::string a = random_text(kBlock + 4321, 1);
    const std::string c = random_text(2 * kBlock + 3, 2);
    const std::string r = random_text(2 * kBlock + 100, 3);
    const std::string p = random_text(kBlock + 202, 4);
    const std::string long_folder(room(260, 7), 'o');
    const std::string path260 = sized_path(260, 200);
    const std::string new260 = path260.substr(0, path260.size() - 1) + "g";
    const std::string deep = path260.substr(0, path260.find('/'));
    const std::string path246 = sized_path(246, 200);  // its backup name: 260
    const std::string long_argument = "/X" + std::string(100000, 'x');
    // Windows: the redirection holds the file open, and the check of the
    // sources, which opens each exclusively, finds it in use.
    const std::string stdout_source = kWindows ? in_use(816, "コピー元", "$/a.txt") : same_file("STDOUT");
    const std::string no_bytes = "I001-1 次が成り立つため，コピー先への出力は0バイトとなります。\n"
                                 "I001-2 スキップバイト数 ＞＝ コピー元のバイト数\n";
    const std::string too_big = "ファイルのサイズが制限を超えているため、保存できません。";
    Files many;
    Files many_copied;
    std::string many_report = done(300, 300);
    for (int i = 1000; i < 1300; ++i) {
      many["many/" + std::to_string(i)] = many_copied["out/" + std::to_string(i)] = "x\ny\n";
      many_report += counted(i - 999, 2, "$/out/" + std::to_string(i));
    }
    return table_of({
        // Blocks, records and bytes.
        {"usage", {}, {"/?"}, {}, usage_text()},
        {"usage by --help", {}, {"--help"}, {}, usage_text()},
        {"version", {}, {"--version"}, {}, "peltrix " PELTRIX_VERSION "\n"},
        {"three sources into two destinations", {{"a.txt", a}, {"b.txt", "middle\r\n"}, {"c.txt", c}},
         {"/I/IFa.txt;b.txt;c.txt", "/O/OFx.txt;y.txt"}, {{"x.txt", a + "middle\r\n" + c}, {"y.txt", a + "middle\r\n" + c}}},
        {"newlines only, doubled", {{"lf.bin", std::string(2 * kBlock, '\n')}}, {"/I/IFlf.bin", "/O/OFout.bin/OR2"},
         {{"out.bin", repeat("\r\n", 2 * kBlock)}}},
        {"megabytes skipped and taken", {{"r.txt", r}}, {"/I/IFr.txt/IA1/IM1", "/O/OFout.txt"}, {{"out.txt", r.substr(kBlock, kBlock)}}},
        // A skip of a block and a page: the later source's middle, on a page of the output, goes through the system.
        {"each source's byte skip, past its first block", {{"q.bin", std::string(3 * kBlock, 'q')}, {"c.txt", c}},
         {"/I/IFq.bin;c.txt/IT1052672", "/O/OFout.txt"}, {{"out.txt", std::string(3 * kBlock - 1052672, 'q') + c.substr(1052672)}}},
        // The later source's window begins 101 bytes into a page of the output.
        {"a later source's window copied from within a page", {{"p.txt", p}, {"c.txt", c}},
         {"/I/IFp.txt;c.txt/IT1048677/IB200", "/O/OFout.txt"}, {{"out.txt", p.substr(1048677) + c.substr(1048677, 200)}}},
        {"records skipped and limited", {{"in.txt", "a\nb\nc\nd\n"}}, {"/I/IFin.txt/IL1/IP2", "/O/OFout.txt"}, {{"out.txt", "b\nc\n"}}},
        {"a record skip past the end", {{"in.txt", "a\nb\nc\n"}}, {"/I/IFin.txt/IL5", "/O/OFout.txt", "/M/MT1"}, {{"out.txt", ""}},
         "I001-1 次が成り立つため，コピー先への出力レコード件数は0件となります。\n"
         "I001-2 スキップレコード件数 ＞＝ コピー元のレコード件数\n"
         "I001-3 コピー元1個，コピー先1個のファイルのコピーが完了しました。\n"},
        {"a byte skip of the whole source", {{"in.bin", "wxyz"}}, {"/I/IFin.bin/IT4", "/O/OFout.bin"}, {{"out.bin", ""}},
         no_bytes},
        {"plain bytes switch records off", {{"in.txt", "one\ntwo\n"}}, {"/I/IFin.txt/IY2/IL5", "/O/OFout.txt", "/M/MT3"},
         {{"out.txt", "one\ntwo\n"}}, done(1, 1) + "I001-2 0001 $/out.txt\n"},
        // Marks and end-of-file characters.
        {"an empty first source leaves mark and code to the next", {{"empty.txt", ""}, {"wide.txt", "\xFF\xFE" "a\0\r\0\n\0"s}},
         {"/I/IFempty.txt;wide.txt", "/O/OFout.txt/OR1"}, {{"out.txt", "\xFF\xFE" "a\0\n\0"s}}},
        {"a first source too short for a mark leaves the code to the next", {{"x", "x"}, {"wide.txt", "\xFF\xFE" "a\0\r\0\n\0"s}},
         {"/I/IFx;wide.txt", "/O/OFout.txt/OR1"}, {{"out.txt", "x\n\0a\0\n\0"s}}},
        {"/OJ3 reads the sources as UTF-16 big-endian", {{"wide.txt", "\x0A\x41\x00\x0A\x00\x62\x00\x0A"s}},
         {"/I/IFwide.txt/IL1", "/O/OJ3"}, {}, "\xFE\xFF\x00\x62\x00\x0A"s},
        {"output appended to one byte carries no mark, a new file does", {{"h.txt", kMark + "head\nbody\n"}, {"out.txt", "\n"}},
         {"/I/IFh.txt/IL1", "/O/OFout.txt;new.txt/OU3"}, {{"out.txt", "\nbody\n"}, {"new.txt", kMark + "body\n"}}},
        {"the first source's end-of-file character", {{"eof.txt", "a\n\x1A"}, {"b.txt", "b\n"}},
         {"/I/IFeof.txt;b.txt", "/O/OFout.txt"}, {{"out.txt", "a\nb\n\x1A"}}},
        {"no end-of-file character of the first source", {{"eof.txt", "a\n\x1A"}, {"b.txt", "b\n"}},
         {"/I/IFb.txt;eof.txt", "/O/OFout.txt"}, {{"out.txt", "b\na\n"}}},
        {"each file copied apart has its newlines converted", {{"src/a.txt", "a\r\n"}, {"src/b/b.txt", "b\r\nc"}},
         {"/I/IDsrc", "/S", "/N", "/O/ODout/OR1"}, {{"out/a.txt", "a\n"}, {"out/b/b.txt", "b\nc\n"}}},
        {"listed files land by bare name with their own settings", {{"p/a.txt", kMark + "a\n"}, {"q/b.txt", kMark + "b\n"}},
         {"/I/IFp\\a.txt;q\\b.txt", "/N", "/O/ODout/OE2"}, {{"out/a.txt", kMark + "a\n\x1A"}, {"out/b.txt", kMark + "b\n\x1A"}}},
        // Files written over or appended to.
        {"overwriting a longer file leaves none of its bytes", {{"a.txt", kAlpha}, {"out.txt", kText}},
         {"/I/IFa.txt", "/O/OFout.txt/OU2"}, {{"out.txt", kAlpha}}},
        {"a second destination appended to, relayed from the first", {{"c.txt", c}, {"out2.txt", "old\n"}},
         {"/I/IFc.txt", "/O/OFout1.txt;out2.txt/OU3"}, {{"out1.txt", c}, {"out2.txt", "old\n" + c}}},
        {"a per-file copy over a longer file", {{"a.txt", kAlpha}, {"dir/a.txt", kText}}, {"/I/IFa.txt", "/N", "/O/ODdir/OU2"},
         {{"dir/a.txt", kAlpha}}},
        {"plain bytes appended after an end-of-file character, which is data", {{"a.bin", "new\x1A"}, {"out.bin", "old\x1A"}},
         {"/I/IFa.bin/IY2", "/O/OFout.bin/OU3"}, {{"out.bin", "old\x1Anew\x1A"}}},
        // In place.
        {"the first free dated backup, kept, before the last dot",
         {{"data.v1.txt", "one\r\ntwo\r\n"}, {"data.v1" + stamp + "0001.txt", "taken"}, {"data.v1" + stamp + "0002.txt", "-> nowhere"}},
         {"/I/IFdata.v1.txt/IU1", "/O/OFdata.v1.txt/OU2/OR1"},
         {{"data.v1.txt", "one\ntwo\n"}, {"data.v1" + stamp + "0003.txt", "one\r\ntwo\r\n"}}},
        {"a destination's name is no backup name, a folder's dot no extension", {{"old.data/README", "readme\n"}},
         {"/I/IFold.data\\README", "/O/OFold.data\\README;old.data\\README" + stamp + "0001/OU2"},
         {{"old.data/README" + stamp + "0001", "readme\n"}}},
        {"a second name of a file is a repeat, appended to the first name's destination",
         {{"a.txt", kMark + "1\n"}, {"ln_a.txt", "-> a.txt"}}, {"/I/IFa.txt;ln_a.txt", "/N", "/W", "/O/ODout", "/M/MT3"},
         {{"out/a.txt", kMark + "1\n1\n"}}, done(1, 1) + counted(1, 2, "$/out/a.txt")},
        {"a file named twice in place is moved once and read twice", {{"data.txt", "one\n"}},
         {"/I/IFdata.txt;data.txt", "/W", "/O/OFdata.txt/OU2"}, {{"data.txt", "one\none\n"}}},
        // The command line and its rules.
        {"case, empty pieces and names", ab, {"/i//iFa.txt;;b.txt;///IC3/"}, {}, kAlpha + "beta\n"},
        {"leading zeros, standard output named", ab, {"/I/IFa.txt", "/O/OJ0007/OE3"}, {}, kAlpha},
        {"the largest record skip; plain bytes", ab, {"/I/IFa.txt/IL2147483647/IP1/IY2/IU1", "/M/"}, {}, kAlpha},
        {"the largest megabyte skip", ab, {"/I/IFsub\\..\\a.txt/IA131072/IM131072"}, {}, "", no_bytes},
        {"four destinations, one in place", ab, {"/I/IFa.txt", "/O/OFa.txt;b.txt;new.txt;sub\\new.txt/OU2/OR1"},
         {{"b.txt", kAlpha}, {"new.txt", kAlpha}, {"sub/new.txt", kAlpha}}},
        {"256 sources", ab, {"/I/IF" + repeat("a.txt;", 256), "/W", "/O/OFall.txt"}, {{"all.txt", repeat(kAlpha, 256)}}},
        {"/OU3 and /OJ1 for a folder", ab, {"/I/IFa.txt", "/O/ODdir/OU3/OJ1"}, {{"dir/a.txt", kMark + kAlpha}}},
        {"/IC3 goes with /OJ1", ab, {"/I/IFa.txt/IC3", "/O/OFout.txt/OJ1"}, {{"out.txt", kMark + kAlpha}}},
        // Folders and paths.
        {"missing folders on the way are made", ab, {"/I/IFa.txt", "/O/OFnew\\one\\two\\three\\d.txt;m\\x.txt;m\\y.txt"},
         {{"new/one/two/three/d.txt", kAlpha}, {"m/x.txt", kAlpha}, {"m/y.txt", kAlpha}}},
        {"a scan of '.', the current folder", ab, {"/I/ID.", "/O/OFsub\\all.txt"}, {{"sub/all.txt", kAlpha + "beta\n"}}},
        {"a link to a folder is no file of a scan", {{"src/a.txt", "a\n"}, {"src/lnk", "-> ../d"}, {"d/", ""}},
         {"/I/IDsrc", "/O/OFout.txt"}, {{"out.txt", "a\n"}}},
        {"a folder scan joined breadth first", kTree, {"/I/IDsrc", "/S", "/O/OFall.txt"}, {{"all.txt", kText + "one\ntwo\nb1\nd"}}},
        {"a tree of folders only", {{"src/x/y/", ""}, {"src/z/", ""}}, {"/I/IDsrc", "/S", "/N", "/O/ODout", "/M/MT1"},
         {{"out/x/y/", ""}, {"out/z/", ""}}, done(0, 0)},
        {"300 files with repeats allowed", many, {"/I/IDmany", "/W", "/N", "/O/ODout", "/M/MT3"}, many_copied, many_report},
        {"a destination name of 260 bytes", ab, {"/I/IFa.txt", "/O/OD" + long_folder}, {{long_folder + "/a.txt", kAlpha}}},
        {"a source and a new destination of 260 bytes, typed whole", {{path260, "x\n"}},
         {"/I/IF$\\" + typed(path260), "/O/OF$\\" + typed(new260)}, {{new260, "x\n"}}},
        {"a scanned path of 260 bytes", {{path260, "x\n"}}, {"/I/ID" + deep}, {}, "x\n"},
        {"a backup name of 260 bytes", {{path246, "x\r\n"}}, {"/I/IF" + typed(path246), "/O/OF" + typed(path246) + "/OU2/OR1"},
         {{path246, "x\n"}}},
        // CP932 names: a trail byte 5C (表, ソ, 申, 予, 能, 十) is no folder
        // separator, ポ (83 7C) holds no '|', and a lone lead byte (Latin-1 é)
        // takes no '/' as its trail.
        {"CP932 names in place, with a backup and a new folder", {{"表/ソ.txt", "x\r\n"}},
         {"/I/IF表\\ソ.txt/IU1", "/O/OF表\\ソ.txt;申\\ポ.txt/OU2/OR1"},
         {{"表/ソ.txt", "x\n"}, {"表/ソ" + stamp + "0001.txt", "x\r\n"}, {"申/ポ.txt", "x\n"}}},
        {"CP932 names scanned and made", {{"表/ソ.txt", "x\n"}, {"表/能/十.txt", "y\n"}, {"表/caf\xE9/a.txt", "z\n"}},
         {"/I/ID表", "/S", "/N", "/O/OD予\\申"}, {{"予/申/ソ.txt", "x\n"}, {"予/申/能/十.txt", "y\n"}, {"予/申/caf\xE9/a.txt", "z\n"}}},
        {"'..' behind a link is the name beside the link", {{"lnk", "-> d/e"}, {"d/e/", ""}, {"f.txt", "one\n"}, {"d/out.txt", "old"}},
         {"/I/IFlnk\\..\\f.txt", "/O/OFlnk\\..\\out.txt", "/M/MT3"}, {{"out.txt", "one\n"}}, done(1, 1) + counted(1, 1, "$/out.txt")},
        {"folders listed and made beside the link", {{"lnk", "-> d/e"}, {"d/e/", ""}, {"tree/f.txt", "one\n"}},
         {"/I/IDlnk\\..\\tree", "/O/ODlnk\\..\\copy"}, {{"copy/f.txt", "one\n"}}},
        // Standard output and the system's limits.
        {"standard output that is a source, at its start", {{"a.txt", kText}}, {"/I/IFa.txt", "/O/OR1"}, {}, "", stdout_source, 1,
         {.stdout_path = "a.txt"}},
        {"standard output that is a source, appending", {{"a.txt", kText}}, {"/I/IFa.txt", "/O/OR1"}, {}, "", stdout_source, 1,
         {.stdout_path = "a.txt", .stdout_appends = true}},
        {"standard output on another file", {{"a.txt", kText}, {"b.txt", ""}}, {"/I/IFa.txt", "/O/OR1"},
         {{"b.txt", "first\nsecond\nthird\n"}}, "", "", 0, {.stdout_path = "b.txt"}},
        {"a source the device cannot read", {{"mem", "-> /proc/self/mem"}}, {"/I/IFmem"}, {}, "",
         failed("ReadFile", 808, "$/mem", "1117", "I/O デバイス エラーが発生したため、要求を実行できませんでした。"), 1},
        {"standard output closed", {{"a.txt", kText}}, {"/I/IFa.txt", "/M/MT1"}, {}, "",
         failed("WriteFile", 809, "STDOUT", "6", system_text(6, "ハンドルが無効です。")), 1, {.stdout_path = "-"}},
        {"standard output on a device the system cannot copy into", {{"a.txt", big()}}, {"/I/IFa.txt"}, {}, "", "", 0,
         {.stdout_path = "/dev/null"}},
        {"standard output full", {{"a.txt", kText}}, {"/I/IFa.txt", "/M/MT1"}, {}, "",
         failed("WriteFile", 809, "STDOUT", "112", "ディスクに十分な空き領域がありません。"), 1, {.stdout_path = "/dev/full"}},
        {"a slow reader of non-blocking pipes", {{"a.txt", big()}}, {"/I/IFa.txt"}, {}, big(), "", 0, {.pipes_non_blocking = true}},
        {"a long message to a slow reader", {}, {long_argument}, {}, "",
         message(4, {"無効なオプションを指定しています。", long_argument, "オプションの指定を変更してください。"}), 1,
         {.pipes_non_blocking = true}},
        {"no second thread: records counted", {{"a.txt", big()}}, {"/I/IFa.txt", "/O/OFout.txt", "/M/MT3"}, {{"out.txt", big()}},
         done(1, 1) + counted(1, 300000, "$/out.txt"), "", 0, {.stack_limit = kNoThread}},
        {"no second thread: a window", {{"a.txt", big()}}, {"/I/IFa.txt/IT1", "/O/OFout.txt"}, {{"out.txt", big().substr(1)}}, "",
         "", 0, {.stack_limit = kNoThread}},
        {"no second thread: standard output", {{"a.txt", big()}}, {"/I/IFa.txt"}, {}, big(), "", 0, {.stack_limit = kNoThread}},
        {"a file-size limit past the first block", {{"a.txt", big()}}, {"/I/IFa.txt", "/O/OFout.txt"}, {{"out.txt", "*"}}, "",
         failed("WriteFile", 809, "$/out.txt", "223", too_big), 1, {.file_size_limit = 1536 * 1024}},
        {"a file-size limit within the first block", {{"a.txt", big()}}, {"/I/IFa.txt", "/N", "/O/ODcopy"}, {{"copy/a.txt", "*"}},
         "", failed("WriteFile", 810, "$/copy/a.txt", "223", too_big), 1, {.file_size_limit = 512 * 1024}},
    });
  }();
  return table;
}

Files after(const Scenario& scenario) {
  Files files = scenario.files;
  for (const auto& [name, bytes] : scenario.changes) {
    if (name.back() != '/') files.erase(name.substr(0, name.rfind('/') + 1));  // a folder no longer empty
    files[name] = bytes;
  }
  return files;
}

class ScenarioTest : public RunFolderTest, public ::testing::WithParamInterface<const Scenario*> {};

std::string row_name(const ::testing::TestParamInfo<const Scenario*>& row) { return test_name(row.param->name); }

TEST_P(ScenarioTest, LeavesTheFilesAndWordsOfItsRow) {
  const Scenario& s = *GetParam();
  if (left_out(s.name, s.files, s.options)) GTEST_SKIP();
  put(s.files);
  const RunResult result = run(s.args, s.options);
  EXPECT_EQ(result.status, s.status);
  EXPECT_TRUE(same_bytes(at(s.out), result.out));
  EXPECT_EQ(result.err, at(s.err));
  EXPECT_TRUE(same_files(after(s), snapshot()));
}

INSTANTIATE_TEST_SUITE_P(Rows, ScenarioTest, ::testing::ValuesIn(rows_of(matrix_rows(), scenarios())), row_name);

class FaultMatrix : public RunFolderTest, public ::testing::WithParamInterface<const Scenario*> {};


// Each call of each platform operation that the row's run makes, failed in
// turn: the failure is reported with its system error and status 1, or (a
// failed seek or information query, which has a way round) the run gives
// what it gives without it; every source keeps its bytes, in its
// place or under its dated backup name. Files named "out..." are
// destinations, free to be left half written.
TEST_P(FaultMatrix, EveryFailedCallIsReportedAndLosesNoSourceByte) {
  static const char* const kNames[] = {"open", "read", "write", "close", "seek", "rename",
                                       "remove", "mkdir", "find", "status", "information"};
  const Scenario& s = *GetParam();
  if (left_out(s.name, s.files, s.options)) GTEST_SKIP();
  put(s.files);
  const Faults counting;
  ASSERT_EQ(run_here(s.args).status, 0);
  uint64_t calls[platform::faults::kOperationCount];
  for (int op = 0; op < platform::faults::kOperationCount; ++op) calls[op] = platform::faults::calls(Operation(op));
  int runs = 0;
  for (int op = 0; op < platform::faults::kOperationCount; ++op) {
    for (uint64_t nth = 1; nth <= calls[op]; ++nth, ++runs) {
      SCOPED_TRACE(std::string(kNames[op]) + " call " + std::to_string(nth));
      clear();
      put(s.files);
      const Faults failing(Operation(op), nth, 1117);
      const RunResult result = run_here(s.args);
      EXPECT_EQ(platform::faults::failed_calls(), 1u) << "the call was not made to fail";
      const Files now = snapshot();
      if (result.status == 0) {
        EXPECT_TRUE(Operation(op) == Operation::kSeek || Operation(op) == Operation::kInformation) << "unreported";
        EXPECT_TRUE(same_files(after(s), now)) << "a failure passed unreported";
        EXPECT_EQ(result.err, at(s.err));
        EXPECT_TRUE(same_bytes(at(s.out), result.out));
        continue;
      }
      EXPECT_EQ(result.status, 1);
      EXPECT_NE(result.err.find("システムエラーコード=1117\n"), std::string::npos) << result.err;
      EXPECT_TRUE(numbered(result.err));
      for (const auto& [name, bytes] : s.files) {
        if (name.rfind("out", 0) == 0 || name.back() == '/') continue;
        const std::filesystem::path path(name);
        const std::string backup =
            (path.parent_path() / (path.stem().string() + stamp_ + "0001" + path.extension().string())).string();
        const std::string& original = bytes;
        const auto kept = [&](const std::string& place) { return now.count(place) != 0 && now.at(place) == original; };
        EXPECT_TRUE(kept(name) || kept(backup)) << name << " lost its bytes\n" << result.err;
      }
    }
  }
  EXPECT_GT(runs, 0);
  std::printf("%s: %d calls failed in turn\n", s.name.c_str(), runs);
}

INSTANTIATE_TEST_SUITE_P(Rows, FaultMatrix, ::testing::ValuesIn(rows_of(matrix_rows())), row_name);

}  // namespace
}  // namespace peltrix::testing
