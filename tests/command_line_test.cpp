// The command line as users meet it: which arguments are accepted, and the
// exact lines of every refusal, run through the built program.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/process.h"

namespace peltrix::testing {
namespace {

using Args = std::vector<std::string>;

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(folder_ / "a.txt", "alpha\n");
    write_file(folder_ / "b.txt", "beta\n");
    make_folders(folder_ / "sub");
  }

  // Runs args in the temporary folder; a refusal ends with status 1 and
  // prints nothing on standard output. Returns standard error.
  std::string refusal(const Args& args) {
    std::string shown;
    for (const std::string& arg : args) shown += arg + " ";
    const RunResult result = run_peltrix(args, {.folder = folder_.path()});
    EXPECT_EQ(result.status, 1) << shown;
    EXPECT_EQ(result.out, "") << shown;
    return result.err;
  }

  TempFolder folder_;
};

TEST_F(CommandLineTest, AcceptedCommandLinesRunToTheirEnd) {
  struct Accepted {
    Args args;
    std::string out;  // the copy on standard output
  };
  const std::vector<Accepted> copied = {
      {{"/I/IFa.txt"}, "alpha\n"},
      {{"/i/ifa.txt"}, "alpha\n"},
      {{"/I//IFa.txt///IC3/"}, "alpha\n"},
      {{"/I/IFa.txt;;b.txt;", "/O"}, "alpha\nbeta\n"},
      {{"/I/IFa.txt", "/O/OJ0007/OE3"}, "alpha\n"},
      {{"/I/IFa.txt/IL2147483647/IP1/IY2/IU1", "/M/"}, "alpha\n"},
      {{"/I/IFsub\\..\\a.txt/IA131072/IM131072"}, ""},
  };
  for (const Accepted& run : copied) {
    const RunResult result = run_peltrix(run.args, {.folder = folder_.path()});
    EXPECT_EQ(result.status, 0) << run.args[0];
    EXPECT_EQ(result.out, run.out) << run.args[0];
    if (!run.out.empty()) {
      EXPECT_EQ(result.err, "") << run.args[0];
    }
  }

  const RunResult files = run_peltrix({"/I/IFa.txt", "/O/OFa.txt;b.txt;new.txt;sub\\new.txt/OU2/OR1"},
                                      {.folder = folder_.path()});
  EXPECT_EQ(files.status, 0);
  EXPECT_EQ(read_file(folder_ / "a.txt") + read_file(folder_ / "b.txt") + read_file(folder_ / "sub/new.txt"),
            "alpha\nalpha\nalpha\n");
  // The rules between options come after the command line.
  EXPECT_EQ(refusal({}), "E062-1 /Iの指定がひとつもありません。\nE062-2 /Iをひとつ以上指定してください。\n");
}

TEST_F(CommandLineTest, PlainSwitchesMatchWholeArgumentsAndGroupsTheirPrefix) {
  for (const std::string argument : {"/NX", "/N1", "/SS", "/", "", "/?", "/X", "-N"}) {
    EXPECT_EQ(refusal({argument, "/N"}),
              "E004-1 無効なオプションを指定しています。\nE004-2 " + argument +
                  "\nE004-3 オプションの指定を変更してください。\n")
        << argument;
  }
  // A group needs its sub-options after the switch itself.
  for (const std::string argument : {"/IFa.txt", "/iF/IFa.txt"}) {
    EXPECT_EQ(refusal({argument}),
              "E007-1 1番目の/Iに無効な指定をしています。\nE007-2 " + argument +
                  "\nE007-3 /Iの指定を変更してください。\n");
  }
  EXPECT_EQ(refusal({"/Oabc"}), "E018-1 1番目の/Oに無効な指定をしています。 /Oabc\nE018-2 /Oの指定を変更してください。\n");
  EXPECT_EQ(refusal({"/Mx"}), "E027-1 /Mに無効な指定をしています。\nE027-2 /Mの指定を変更してください。\n");
}

TEST_F(CommandLineTest, NamesMatchInEitherCaseAndPrintAsTheTableWritesThem) {
  EXPECT_EQ(refusal({"/n", "/N"}), "E001-1 /Nを複数個指定しています。\nE001-2 /Nはひとつ指定してください。\n");
  EXPECT_EQ(refusal({"/c", "/c"}), "E001-1 /Cを複数個指定しています。\nE001-2 /Cはひとつ指定してください。\n");
  EXPECT_EQ(refusal({"/I/IFa.txt", "/i/IFb.txt"}),
            "E002-1 /Iを複数個指定しています。\nE002-2 /Iはひとつ指定してください。\n");
  EXPECT_EQ(refusal({"/o", "/O/OFb.txt"}), "E002-1 /Oを複数個指定しています。\nE002-2 /Oはひとつ指定してください。\n");
  EXPECT_EQ(refusal({"/I/if"}), "E009-1 /IFに値の指定がありません。\nE009-2 /IFに値を指定してください。\n");
  EXPECT_EQ(refusal({"/I/ic1/Ic2"}),
            "E010-1 1番目の/Iに/ICを複数個指定しています。\nE010-2 /ICはひとつ指定してください。\n");
  EXPECT_EQ(refusal({"/o/oj"}), "E020-1 /OJに値の指定がありません。\nE020-2 /OJに値を指定してください。\n");
  EXPECT_EQ(refusal({"/o/or1/Or2"}), "E021-1 /ORを複数個指定しています。\nE021-2 /ORはひとつ指定してください。\n");
  EXPECT_EQ(refusal({"/m/mt"}), "E029-1 /MTに値の指定がありません。\nE029-2 /MTに値を指定してください。\n");
  EXPECT_EQ(refusal({"/m/mt1/mT1"}), "E030-1 /MTを複数個指定しています。\nE030-2 /MTはひとつ指定してください。\n");
}

TEST_F(CommandLineTest, ConflictsAreReportedByTheirPlace) {
  struct Case {
    std::string argument;
    std::string code;
    std::string group;
    std::string earlier;
    std::string later;
  };
  const Case cases[] = {
      {"/I/IL5/IT10", "011", "I", "IL", "IT"},  // IL is place 1 of IT
      {"/I/IT10/IL5", "011", "I", "IT", "IL"},  // IT is place 1 of IL
      {"/I/IB1/IL1", "012", "I", "IB", "IL"},
      {"/I/IM1/IL1", "013", "I", "IM", "IL"},
      {"/I/IA1/IP2", "014", "I", "IA", "IP"},
      {"/I/IFa.txt/IDsub", "011", "I", "IF", "ID"},
      {"/O/OFa.txt/ODsub", "022", "O", "OF", "OD"},
      {"/O/ODsub/OFa.txt", "022", "O", "OD", "OF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(refusal({c.argument}),
              "E" + c.code + "-1 1番目の/" + c.group + "に/" + c.earlier + "と/" + c.later + "を指定しています。\nE" +
                  c.code + "-2 /" + c.earlier + "か/" + c.later + "のどちからひとつを指定してください。\n")
        << c.argument;
  }
}

TEST_F(CommandLineTest, GroupsWithoutUsablePieces) {
  EXPECT_EQ(refusal({"/I"}), "E005-1 1番目の/Iにコピー元の指定がありません。\nE005-2 /Iにコピー元を指定してください。\n");
  const std::string no_source =
      "E016-1 1番目の/Iにコピー元の指定がありません。\nE016-2 1番目の/Iにコピー元を指定してください。\n";
  EXPECT_EQ(refusal({"/I/"}), no_source);
  EXPECT_EQ(refusal({"/I/IC3"}), no_source);
  EXPECT_EQ(refusal({"/I/X"}), "E008-1 1番目の/Iに無効な指定をしています。 /X\nE008-2 /Iの指定を変更してください。\n");
  EXPECT_EQ(refusal({"/I/xy"}), "E015-1 1番目の/Iに無効な指定をしています。 /xy\nE015-2 /Iの指定を変更してください。\n");
  EXPECT_EQ(refusal({"/O/x"}), "E019-1 1番目の/Oに無効な指定をしています。 /x\nE019-2 /Oの指定を変更してください。\n");
  EXPECT_EQ(refusal({"/O/OX1"}), "E024-1 1番目の/Oに無効な指定をしています。 /OX1\nE024-2 /Oの指定を変更してください。\n");
  EXPECT_EQ(refusal({"/M"}),
            "E025-1 /Mにメッセージタイプ番号の指定がありません。\nE025-2 /Mにメッセージタイプ番号を指定してください。\n");
  EXPECT_EQ(refusal({"/M/X"}), "E028-1 /Mに無効な指定をしています。 /X\nE028-2 /Mの指定を変更してください。\n");
  EXPECT_EQ(refusal({"/M/XX"}), "E031-1 /Mに無効な指定をしています。\nE031-2 /Mの指定を変更してください。\n");
}

TEST_F(CommandLineTest, NumbersMustBeDigitsWithinTheirRange) {
  const std::string range_il = "E033-2 /ILには 1～2147483647 の数字を指定してください。\n";
  for (const std::string value : {"2147483648", "4294967297", "99999999999999999999"}) {
    EXPECT_EQ(refusal({"/I/IFa.txt/IL" + value}),
              "E033-1 1番目の/Iの/ILに指定可能範囲外の数字\"" + value + "\"を指定しています。\n" + range_il)
        << value;
  }
  EXPECT_EQ(refusal({"/M/MT4"}),
            "E033-1 1番目の/Mの/MTに指定可能範囲外の数字\"4\"を指定しています。\n"
            "E033-2 /MTには 1～3 の数字を指定してください。\n");
  EXPECT_EQ(refusal({"/O/ORx"}),
            "E032-1 1番目の/Oの/ORに数字以外を指定しています。x\nE032-2 /ORには数字を指定してください。\n");
}

TEST_F(CommandLineTest, SourcesMustExistAsWhatTheyAreNamedFor) {
  EXPECT_EQ(refusal({"/I/IFa.txt;none.txt;b.txt"}),
            "E037-1 1番目の/Iの/IFに指定した次のコピー元ファイルが見つかりません。\n"
            "E037-2 none.txt\n"
            "E037-3 /IFには存在するファイルを指定してください。\n");
  EXPECT_EQ(refusal({"/I/IFnofolder\\none.txt"}),
            "E128-1 1番目の/Iの/IFに指定した次のコピー元ファイルが見つかりません。\n"
            "E128-2 nofolder\\none.txt\n"
            "E128-3 /IFには存在するファイルを指定してください。\n");
  EXPECT_EQ(refusal({"/I/IFsub"}),
            "E039-1 1番目の/Iの/IFに指定した次のコピー元はファイルではありません。\n"
            "E039-2 sub\n"
            "E039-3 /IFにはファイルを指定してください。\n");
  for (const std::string folder : {"none", "none\\deeper"}) {
    EXPECT_EQ(refusal({"/I/ID" + folder}),
              "E044-1 1番目の/Iの/IDに指定した次のフォルダが見つかりません。\n"
              "E044-2 " + folder + "\n"
              "E044-3 /IDには存在するフォルダを指定してください。\n");
  }
  EXPECT_EQ(refusal({"/I/IDa.txt"}),
            "E046-1 1番目の/Iの/IDに指定した次のコピー元はフォルダではありません。\n"
            "E046-2 a.txt\n"
            "E046-3 /IDにはフォルダを指定してください。\n");
  EXPECT_EQ(refusal({"/I/IFa.txt", "/O/ODa.txt"}),
            "E059-1 1番目の/Oの/ODに指定した次のコピー先はフォルダではありません。\n"
            "E059-2 a.txt\n"
            "E059-3 /ODにはフォルダを指定してください。\n");
  EXPECT_EQ(refusal({"/I/IFa.txt", "/O/OFsub"}),
            "E053-1 1番目の/Oの/OFに指定した次のコピー先はファイルではありません。\n"
            "E053-2 sub\n"
            "E053-3 /OFにはファイルを指定してください。\n");
}

TEST_F(CommandLineTest, ForbiddenCharactersAreLookedForInTheirOrder) {
  EXPECT_EQ(refusal({"/I/IFa.txt;a|b*c"}),
            "E035-1 1番目の/Iの/IFに指定できない文字を指定しています。\nE035-2 *\n"
            "E035-3 指定できる文字に変更してください。\n");
  EXPECT_EQ(refusal({"/I/IDx>y?"}),
            "E042-1 1番目の/Iの/IDに次の指定できない文字を指定しています。\nE042-2 ?\n"
            "E042-3 指定できる文字に変更してください。\n");
  EXPECT_EQ(refusal({"/O/OFx<y\"z"}),
            "E050-1 1番目の/Oの/OFに次の指定できない文字を指定しています。\nE050-2 \"\n"
            "E050-3 指定できる文字に変更してください。\n");
  EXPECT_EQ(refusal({"/O/ODout|"}),
            "E056-1 1番目の/Oの/ODに次の指定できない文字を指定しています。\nE056-2 |\n"
            "E056-3 指定できる文字に変更してください。\n");
}

TEST_F(CommandLineTest, FileListsHoldAtMost256SourcesAndFourDestinations) {
  std::string sources = "/I/IF";
  for (int i = 0; i < 256; ++i) sources += "a.txt;";
  const RunResult all = run_peltrix({sources, "/W", "/O/OFall.txt"}, {.folder = folder_.path()});
  EXPECT_EQ(all.status, 0);
  EXPECT_EQ(read_file(folder_ / "all.txt").size(), 256u * 6);
  // The 257th name is refused for the count before its characters are read.
  EXPECT_EQ(refusal({sources + "bad|name"}),
            "E034-1 1番目の/Iの/IFに指定したファイルの数が上限の256を超えています。\n"
            "E034-2 指定するファイルの数を上限の256以下にしてください。\n");

  EXPECT_EQ(run_peltrix({"/I/IFa.txt", "/O/OFc1;c2;c3;c4"}, {.folder = folder_.path()}).status, 0);
  EXPECT_EQ(read_file(folder_ / "c4"), "alpha\n");
  EXPECT_EQ(refusal({"/I/IFa.txt", "/O/OFc1;c2;c3;c4;c5?"}),
            "E049-1 1番目の/Oの/OFに指定したファイルの数が上限の4を超えています。\n"
            "E049-2 指定するファイルの数を上限の4以下にしてください。\n");
}

TEST_F(CommandLineTest, FileListsWithoutAnyNameAreRefused) {
  EXPECT_EQ(refusal({"/I/IF;"}),
            "E133-1 1番目の/Iの/IFにファイル名がひとつもありません。\n"
            "E133-2 ;\n"
            "E133-3 /IFには，;で区切ってファイル名を指定してください。\n");
  EXPECT_EQ(refusal({"/I/IFa.txt", "/o/of;;/OU2"}),
            "E133-1 1番目の/Oの/OFにファイル名がひとつもありません。\n"
            "E133-2 ;;\n"
            "E133-3 /OFには，;で区切ってファイル名を指定してください。\n");
}

TEST_F(CommandLineTest, ArgumentsAfterTheFirstRefusalAreNotLookedAt) {
  EXPECT_EQ(refusal({"/X", "/I/IFnone.txt", "/Y"}),
            "E004-1 無効なオプションを指定しています。\nE004-2 /X\nE004-3 オプションの指定を変更してください。\n");
  // Left to right: the group's files are checked before the bad option.
  EXPECT_EQ(refusal({"/I/IFnone.txt;a|b", "/X"}),
            "E037-1 1番目の/Iの/IFに指定した次のコピー元ファイルが見つかりません。\n"
            "E037-2 none.txt\n"
            "E037-3 /IFには存在するファイルを指定してください。\n");
  EXPECT_EQ(refusal({"/N", "/N", "/X"}), "E001-1 /Nを複数個指定しています。\nE001-2 /Nはひとつ指定してください。\n");
}

}  // namespace
}  // namespace peltrix::testing
