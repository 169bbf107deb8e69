#include "driver/option_rules.h"

#include "messages/messages.h"
#include "planning/in_place_check.h"
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

void two_lines(int code, const char* first, const char* second) {
  messages::line(code, 1, "%s", first);
  messages::line(code, 2, "%s", second);
}

// The three lines that refuse two options given together.
void conflict_lines(int code, const char* a, const char* b) {
  messages::line(code, 1, "/%sと/%sを指定しています。", a, b);
  messages::line(code, 2, "/%sと/%sは同時に指定できません%s", a, b, code == 72 ? "" : "。");
  messages::line(code, 3, "/%sか/%sのどちらかひとつを指定してください。", a, b);
}

}  // namespace

bool check_first_rules(const cli::CommandLine& command_line, int32_t& default_input_code) {
  default_input_code = 0;
  if (!given(command_line, kInputSwitch)) {
    two_lines(62, "/Iの指定がひとつもありません。", "/Iをひとつ以上指定してください。");
    return false;
  }
  const int32_t ou_value = cli::value_of(command_line.output, cli::kOU);
  const int32_t oj_value = cli::value_of(command_line.output, cli::kOJ);
  if (command_line.counts.output_files > 0 && ou_value == 3 && oj_value != 0) {
    two_lines(70, "追加書きの/OU3とBOMの設定を行う/OJは，同時に指定できません。",
              "追加書きの/OU3を指定する場合，/OJは指定しないでください。");
    return false;
  }
  if (command_line.flags.n != 0) {
    if (command_line.counts.output_files > 0) {
      two_lines(77, "/Nを指定し，/Oの/OFを指定しています。", "/N指定時は，/Oの/ODを指定してください。");
      return false;
    }
    if (names_stdout(command_line)) {
      two_lines(78, "/Nを指定し，コピー先に標準出力ファイルを指定しています", "/N指定時は，/Oの/ODを指定してください。");
      return false;
    }
  }
  const int32_t ic_value = cli::value_of(command_line.input, cli::kIC);
  if (ic_value != 0 && oj_value != 0 && ic_value != oj_value + 2) {
    two_lines(127, "/ICの指定値に対応するBOMの値と，/OJに対応するBOMの値が異なります。",
              "/ICと/OJの指定値は，同じBOMに対応する値にしてください。");
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
  messages::line(87, 1, "/IDと/ODに指定した次のフォルダが同じです。");
  messages::line(87, 2, "%s", input.given_text.c_str());
  messages::line(87, 3, "%s", planning::kInPlaceAdvice);
  return false;
}

bool check_last_rules(const cli::CommandLine& command_line) {
  const cli::GroupTable& input = command_line.input;
  if (cli::value_of(command_line.output, cli::kOR) != 0) {
    if (cli::value_of(input, cli::kIL) != 0) {
      conflict_lines(71, "IL", "OR");
      return false;
    }
    if (cli::value_of(input, cli::kIP) != 0) {
      conflict_lines(72, "IP", "OR");
      return false;
    }
  }
  if (command_line.counts.message_type != 3) return true;
  const struct {
    int number;
    int code;
    const char* name;
  } byte_options[] = {{cli::kIT, 73, "IT"}, {cli::kIA, 74, "IA"}, {cli::kIB, 75, "IB"}, {cli::kIM, 76, "IM"}};
  for (const auto& option : byte_options) {
    if (cli::value_of(input, option.number) == 0) continue;
    conflict_lines(option.code, option.name, "MT3");
    return false;
  }
  return true;
}

}  // namespace peltrix::driver
