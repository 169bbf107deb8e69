#include "planning/duplicate_checks.h"

#include "messages/catalogue_planning.h"
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
          messages::source_repeated(kGroupPosition, names[i].given_text.c_str(), names[j].given_text.c_str());
          return false;
        }
        repeats[j].first_occurrence = static_cast<int32_t>(i);
        continue;
      }
      // /W lets the same file come again; two different files of one name
      // would still land on one destination, the second over the first.
      if (per_file && file_name_of(names[i].given_text) == file_name_of(names[j].given_text)) {
        const std::string name(file_name_of(names[i].given_text));
        messages::per_file_name_repeated(kGroupPosition, name.c_str());
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
      messages::destination_repeated(kGroupPosition, names[j].given_text.c_str(), names[k].given_text.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace peltrix::planning
