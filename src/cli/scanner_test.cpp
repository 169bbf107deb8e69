#include "cli/scanner.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace peltrix::cli {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

// What the group parsers were handed, in order.
struct ParserCall {
  std::string argument;
  OptionDefinition* definitions;
  int definition_count;
  int occurrence;
};
std::vector<ParserCall> g_calls;

int recording_parser(CommandLine&, const char* argument, OptionDefinition* definitions, int definition_count,
                     int occurrence) {
  g_calls.push_back({argument, definitions, definition_count, occurrence});
  return 0;
}

class ScannerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    prepare_working_tables(command_line_);
    for (TopLevelEntry& entry : command_line_.top_level) {
      if (entry.group != 0) entry.group_parser = recording_parser;
    }
  }

  int scan(std::vector<const char*> args) {
    args.insert(args.begin(), "peltrix");
    return scan_command_line(command_line_, static_cast<int>(args.size()), args.data());
  }

  CommandLine command_line_;
};

TEST_F(ScannerTest, PlainSwitchesSetTheirFlagsAndGroupsReachTheirParsers) {
  CaptureStderr();
  EXPECT_EQ(scan({"/n", "/S", "/t", "/W", "/c", "/i/IFa", "/O", "/m/MT1"}), 0);
  EXPECT_EQ(GetCapturedStderr(), "");
  const RunFlags& flags = command_line_.flags;
  EXPECT_EQ((std::vector<uint32_t>{flags.n, flags.s, flags.t, flags.w, flags.c}),
            (std::vector<uint32_t>{1, 1, 1, 1, 1}));
  for (const TopLevelEntry& entry : command_line_.top_level) EXPECT_EQ(entry.present_count, 1) << entry.name;

  ASSERT_EQ(g_calls.size(), 3u);
  EXPECT_EQ(g_calls[0].argument, "/i/IFa");
  EXPECT_EQ(g_calls[0].definitions, command_line_.input.data());
  EXPECT_EQ(g_calls[0].definition_count, 11);
  EXPECT_EQ(g_calls[1].definitions, command_line_.output.data());
  EXPECT_EQ(g_calls[1].definition_count, 6);
  EXPECT_EQ(g_calls[2].definitions, command_line_.message.data());
  EXPECT_EQ(g_calls[2].definition_count, 1);
  for (const ParserCall& call : g_calls) EXPECT_EQ(call.occurrence, 0);
}

}  // namespace
}  // namespace peltrix::cli
