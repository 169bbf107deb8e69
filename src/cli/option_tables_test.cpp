#include "cli/option_tables.h"

#include <cstring>

#include <gtest/gtest.h>

namespace peltrix::cli {
namespace {

TEST(OptionTablesTest, TopLevelTableListsTheEightSwitchesInScanOrder) {
  CommandLine command_line;
  prepare_working_tables(command_line);
  const char* names[] = {"/I", "/O", "/M", "/N", "/S", "/T", "/W", "/C"};
  for (int i = 0; i < 8; ++i) {
    const TopLevelEntry& entry = command_line.top_level[static_cast<size_t>(i)];
    EXPECT_STREQ(entry.name, names[i]);
    EXPECT_EQ(entry.group, i < 3 ? 1u : 0u);
    EXPECT_EQ(entry.flag_target != nullptr, i >= 3) << names[i];
  }
  EXPECT_EQ(command_line.top_level[0].group_table, &command_line.input);
  EXPECT_EQ(command_line.top_level[0].sub_option_count, 11);
  EXPECT_EQ(command_line.top_level[1].sub_option_count, 6);
  EXPECT_EQ(command_line.top_level[2].sub_option_count, 1);
  command_line.flags.*command_line.top_level[6].flag_target = 1;
  EXPECT_EQ(command_line.flags.w, 1u);
}

TEST(OptionTablesTest, ConflictsKeepTheirPlaceOrder) {
  const GroupTable& input = input_template();
  const OptionDefinition& il = definition(input, kIL);
  EXPECT_STREQ(il.name, "IL");
  EXPECT_EQ((std::vector<int32_t>{il.conflicts[0], il.conflicts[1], il.conflicts[2], il.conflicts[3]}),
            (std::vector<int32_t>{kIT, kIB, kIM, kIA}));
  const OptionDefinition& ip = definition(input, kIP);
  EXPECT_EQ(ip.conflicts[3], kIA);
  EXPECT_EQ(definition(input, kIA).maximum, 131072u);
  EXPECT_EQ(definition(input, kIL).maximum, 2147483647u);
  EXPECT_EQ(definition(input, kIF).kind, OptionKind::kFileList);
  EXPECT_EQ(definition(input, kID).conflicts[0], kIF);
  EXPECT_STREQ(definition(output_template(), kOU).name, "OU");
  EXPECT_EQ(definition(output_template(), kOJ).maximum, 7u);
  EXPECT_EQ(definition(message_template(), kMT).maximum, 3u);
}

TEST(OptionTablesTest, WorkingTablesAreCopiesWithRoomForEverySlot) {
  CommandLine command_line;
  prepare_working_tables(command_line);
  OptionDefinition& ic = definition(command_line.input, kIC);
  ic.specified = 1;
  ic.value = 5;
  EXPECT_EQ(value_of(command_line.input, kIC), 5);
  EXPECT_EQ(definition(input_template(), kIC).specified, 0u);
  EXPECT_EQ(value_of(command_line.input, kIL), 0);

  // Entries point into the slots, so storing values must never move them.
  OptionDefinition& files = definition(command_line.input, kIF);
  ASSERT_GE(files.slots.capacity(), static_cast<size_t>(kMaxValues));
  files.slots.emplace_back();
  const ValueSlot* first = &files.slots[0];
  for (int i = 1; i < kMaxValues; ++i) files.slots.emplace_back();
  EXPECT_EQ(first, &files.slots[0]);
}

}  // namespace
}  // namespace peltrix::cli
