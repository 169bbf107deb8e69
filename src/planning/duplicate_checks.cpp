#include "planning/duplicate_checks.h"

#include "messages/messages.h"
#include "planning/same_file.h"

namespace peltrix::planning {

namespace {

// Each group may be given once, so every message names the first.
constexpr int kGroupPosition = 1;

}  // namespace

bool check_duplicate_sources(const cli::CommandLine& command_line, model::RepeatTable& repeats) {
  const std::vector<cli::ValueSlot>& names = cli::definition(command_line.input, cli::kIF).slots;
  repeats.assign(names.size(), model::RepeatRow{});
  if (names.size() <= 1) return true;

  const bool repeats_allowed = command_line.flags.w != 0;
  const bool per_file = command_line.flags.n != 0;
  for (size_t i = 0; i < names.size(); ++i) {
    for (size_t j = i + 1; j < names.size(); ++j) {
      if (repeats[j].is_repeat()) continue;
      if (same_file(names[i], names[j])) {
        if (!repeats_allowed) {
          messages::line(79, 1, "%d番目の/Iの/IFに同じコピー元ファイルを指定しています。", kGroupPosition);
          messages::line(79, 2, "1個目のコピー元ファイル %s", names[i].given_text.c_str());
          messages::line(79, 3, "2個目のコピー元ファイル %s", names[j].given_text.c_str());
          messages::line(79, 4, "コピー元は全て異なるものを指定してください。");
          return false;
        }
        repeats[j].first_occurrence = static_cast<int32_t>(i);
        continue;
      }
      // /W lets the same file come again; two different files of one name
      // would still land on one destination, the second over the first.
      if (per_file && file_name_of(names[i].given_text) == file_name_of(names[j].given_text)) {
        const std::string name(file_name_of(names[i].given_text));
        messages::line(80, 1, "/Nを指定し，%d番目の/Iの/IFに次のファイル名を複数個指定しています。", kGroupPosition);
        messages::line(80, 2, "%s", name.c_str());
        messages::line(80, 3, "/N指定時は異なるファイル名を指定してください。");
        return false;
      }
    }
  }
  return true;
}

bool check_duplicate_destinations(const cli::CommandLine& command_line) {
  const std::vector<cli::ValueSlot>& names = cli::definition(command_line.output, cli::kOF).slots;
  for (size_t j = 0; j < names.size(); ++j) {
    for (size_t k = j + 1; k < names.size(); ++k) {
      if (!same_file(names[j], names[k])) continue;
      messages::line(85, 1, "%d番目の/Oの/OFに同じコピー先ファイルを指定しています。", kGroupPosition);
      messages::line(85, 2, "1個目のコピー先ファイル %s", names[j].given_text.c_str());
      messages::line(85, 3, "2個目のコピー先ファイル %s", names[k].given_text.c_str());
      messages::line(85, 4, "コピー先は全て異なるものを指定してください。");
      return false;
    }
  }
  return true;
}

}  // namespace peltrix::planning
