#include "driver/option_rules.h"

#include "messages/catalogue_planning.h"
#include "planning/run_settings.h"

namespace peltrix::driver {

namespace {

constexpr size_t kInputSwitch = 0;

bool given(const cli::CommandLine& command_line, size_t top_level_index) {
  return command_line.top_level[top_level_index].present_count > 0;
}

bool names_stdout(const cli::CommandLine& command_line) {
  return command_line.counts.output_files == 0 && command_line.counts.output_folders == 0;
}

}  // namespace

bool check_first_rules(const cli::CommandLine& command_line, int32_t& default_input_code) {
  default_input_code = 0;
  if (!given(command_line, kInputSwitch)) {
    messages::input_group_missing();
    return false;
  }
  const int32_t ou_value = cli::value_of(command_line.output, cli::kOU);
  const int32_t oj_value = cli::value_of(command_line.output, cli::kOJ);
  if (command_line.counts.output_files > 0 && ou_value == 3 && oj_value != 0) {
    messages::append_with_mark_option();
    return false;
  }
  if (command_line.flags.n != 0) {
    if (command_line.counts.output_files > 0) {
      messages::per_file_with_file_destination();
      return false;
    }
    if (names_stdout(command_line)) {
      messages::per_file_to_stdout();
      return false;
    }
  }
  const int32_t ic_value = cli::value_of(command_line.input, cli::kIC);
  if (ic_value != 0 && oj_value != 0 && ic_value != oj_value + 2) {
    messages::input_code_against_mark_option();
    return false;
  }
  if (ic_value == 0 && oj_value >= 1 && oj_value <= 5) default_input_code = oj_value + 2;
  return true;
}

bool check_same_folder_rule(const cli::CommandLine& command_line) {
  if (command_line.counts.input_folders == 0 || command_line.counts.output_folders == 0) return true;
  const cli::ValueSlot& input = cli::definition(command_line.input, cli::kID).slots.front();
  const cli::ValueSlot& output = cli::definition(command_line.output, cli::kOD).slots.front();
  if (input.full_path != output.full_path) return true;
  if (planning::existing_for(cli::value_of(command_line.output, cli::kOU)) != model::Existing::kRefuse) return true;
  messages::same_folder_without_overwrite(input.given_text.c_str());
  return false;
}

bool check_last_rules(const cli::CommandLine& command_line) {
  const cli::GroupTable& input = command_line.input;
  if (cli::value_of(command_line.output, cli::kOR) != 0) {
    if (cli::value_of(input, cli::kIL) != 0) {
      messages::options_conflict(messages::kRecordSkipWithNewlines);
      return false;
    }
    if (cli::value_of(input, cli::kIP) != 0) {
      messages::options_conflict(messages::kRecordLimitWithNewlines);
      return false;
    }
  }
  if (command_line.counts.message_type != 3) return true;
  const struct {
    int number;
    messages::OptionsConflictCode code;
  } byte_options[] = {{cli::kIT, messages::kByteSkipWithRecordCounts},
                      {cli::kIA, messages::kMegabyteSkipWithRecordCounts},
                      {cli::kIB, messages::kByteLimitWithRecordCounts},
                      {cli::kIM, messages::kMegabyteLimitWithRecordCounts}};
  for (const auto& option : byte_options) {
    if (cli::value_of(input, option.number) == 0) continue;
    messages::options_conflict(option.code);
    return false;
  }
  return true;
}

}  // namespace peltrix::driver
