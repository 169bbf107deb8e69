#include "cli/group_parsers.h"

#include <string>

#include <gtest/gtest.h>

#include "paths/value_flags.h"
#include "support/files.h"

namespace peltrix::cli {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;
using testing::TempFolder;
using testing::typed;

class GroupParsersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prepare_working_tables(command_line_);
    testing::write_file(folder_ / "a.txt", "alpha");
    testing::write_file(folder_ / "b.txt", "be");
    testing::make_folders(folder_ / "sub");
  }

  // Parses argument as the group's first occurrence; returns what was printed.
  std::string parse(GroupParser parser, GroupTable& table, const std::string& argument, int* status = nullptr) {
    CaptureStderr();
    const int result = parser(command_line_, argument.c_str(), table.data(), static_cast<int>(table.size()), 0);
    if (status != nullptr) *status = result;
    return GetCapturedStderr();
  }
  std::string input(const std::string& argument, int* status = nullptr) {
    return parse(parse_input_group, command_line_.input, argument, status);
  }
  std::string output(const std::string& argument, int* status = nullptr) {
    return parse(parse_output_group, command_line_.output, argument, status);
  }

  // A name of the temporary folder as a user types it.
  std::string at(const std::string& name) const { return typed(folder_ / name); }

  TempFolder folder_;
  CommandLine command_line_;
};

TEST_F(GroupParsersTest, FileNamesFillTheSlotsInTheirOrder) {
  int status = -1;
  EXPECT_EQ(input("/i//if" + at("a.txt") + ";;" + at("b.txt") + ";/ic0003", &status), "");
  EXPECT_EQ(status, 0);

  const OptionDefinition& files = definition(command_line_.input, kIF);
  EXPECT_EQ(files.specified, 1u);
  ASSERT_EQ(files.value_count, 2);
  ASSERT_EQ(files.slots.size(), 2u);
  EXPECT_EQ(command_line_.counts.input_files, 2);
  EXPECT_EQ(files.slots[0].given_text, at("a.txt"));
  EXPECT_EQ(files.slots[0].full_path, folder_ / "a.txt");
  EXPECT_EQ(files.slots[0].flags, paths::value_flag::kExists | paths::value_flag::kFile);
  EXPECT_EQ(files.slots[0].size, 5);
  EXPECT_EQ(files.slots[1].full_path, folder_ / "b.txt");
  EXPECT_EQ(files.slots[1].size, 2);
  ASSERT_TRUE(files.slots[0].file_information.has_value());
  ASSERT_TRUE(files.slots[1].file_information.has_value());
  EXPECT_NE(files.slots[0].file_information->identity, files.slots[1].file_information->identity);
  EXPECT_EQ(value_of(command_line_.input, kIC), 3);
}

TEST_F(GroupParsersTest, FolderValuesAreCopiedIntoTheFolderPaths) {
  EXPECT_EQ(input("/I/ID" + at("sub") + "\\"), "");
  const OptionDefinition& folder = definition(command_line_.input, kID);
  ASSERT_EQ(folder.value_count, 1);
  EXPECT_EQ(folder.slots[0].flags, paths::value_flag::kExists | paths::value_flag::kFolder);
  EXPECT_EQ(folder.slots[0].given_text, at("sub") + "\\");
  EXPECT_EQ(std::string(command_line_.input_folder_path), folder_ / "sub");
  EXPECT_EQ(command_line_.counts.input_folders, 1);

  EXPECT_EQ(output("/O/OD" + at("new\\deeper")), "");
  EXPECT_EQ(definition(command_line_.output, kOD).slots[0].flags,
            paths::value_flag::kMissing | paths::value_flag::kFolder);
  EXPECT_EQ(std::string(command_line_.output_folder_path), folder_ / "new/deeper");
  EXPECT_EQ(command_line_.counts.output_folders, 1);
  EXPECT_EQ(command_line_.counts.stdout_destinations, 0);
}

TEST_F(GroupParsersTest, OutputGroupsWithoutFileOrFolderNameStandardOutput) {
  int status = -1;
  EXPECT_EQ(output("/o", &status), "");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(command_line_.counts.stdout_destinations, 1);
  EXPECT_EQ(command_line_.counts.stdout_options, 0);

  CommandLine with_options;
  prepare_working_tables(with_options);
  CaptureStderr();
  EXPECT_EQ(parse_output_group(with_options, "/O/OJ1/oe2", with_options.output.data(), 6, 0), 0);
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_EQ(with_options.counts.stdout_destinations, 1);
  EXPECT_EQ(with_options.counts.stdout_options, 1);
  EXPECT_EQ(value_of(with_options.output, kOJ), 1);
  EXPECT_EQ(value_of(with_options.output, kOE), 2);

  CommandLine with_file;
  prepare_working_tables(with_file);
  const std::string argument = "/O/OF" + at("out.txt") + "/OU2";
  CaptureStderr();
  EXPECT_EQ(parse_output_group(with_file, argument.c_str(), with_file.output.data(), 6, 0), 0);
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_EQ(with_file.counts.stdout_destinations, 0);
  EXPECT_EQ(with_file.counts.output_files, 1);
  EXPECT_EQ(definition(with_file.output, kOF).slots[0].flags, paths::value_flag::kNoFile);
}

TEST_F(GroupParsersTest, MessageGroupSetsTheMessageType) {
  int status = -1;
  EXPECT_EQ(parse(parse_message_group, command_line_.message, "/M/", &status), "");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(command_line_.counts.message_type, 0);
  EXPECT_EQ(parse(parse_message_group, command_line_.message, "/m/mt2", &status), "");
  EXPECT_EQ(command_line_.counts.message_type, 2);
}

TEST_F(GroupParsersTest, ConflictsFollowTheTableAndItsPlaceOrder) {
  // Places the shipped /O table leaves empty: the second is examined (E023),
  // the third never is.
  definition(command_line_.output, kOR).conflicts[1] = kOJ;
  definition(command_line_.output, kOE).conflicts[2] = kOJ;
  int status = -1;
  EXPECT_EQ(output("/O/OJ1/OE1", &status), "");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(output("/O/OR1", &status),
            "E023-1 1番目の/Oに/OJと/ORを指定しています。\nE023-2 /OJか/ORのどちからひとつを指定してください。\n");
  EXPECT_EQ(status, 1);
}

}  // namespace
}  // namespace peltrix::cli
