#include "planning/in_place_check.h"

#include "messages/catalogue_planning.h"
#include "planning/backup_name.h"
#include "planning/run_settings.h"
#include "planning/same_file.h"

namespace peltrix::planning {

namespace {

constexpr int kGroupPosition = 1;

}  // namespace

bool check_in_place(const cli::CommandLine& command_line, const char* run_date_stamp, InPlaceNames& in_place) {
  const std::vector<cli::ValueSlot>& destinations = cli::definition(command_line.output, cli::kOF).slots;
  const std::vector<cli::ValueSlot>& sources = cli::definition(command_line.input, cli::kIF).slots;
  in_place.backup_paths.assign(sources.size(), std::string());
  in_place.destinations.assign(destinations.size(), false);
  const model::Existing existing = existing_for(cli::value_of(command_line.output, cli::kOU));

  for (size_t i = 0; i < sources.size(); ++i) {
    const cli::ValueSlot& source = sources[i];
    for (size_t j = 0; j < destinations.size(); ++j) {
      const cli::ValueSlot& destination = destinations[j];
      if (!same_file(source, destination)) continue;
      if (existing == model::Existing::kRefuse) {
        messages::in_place_without_overwrite(kGroupPosition, kGroupPosition, source.given_text.c_str(),
                                             destination.given_text.c_str());
        return false;
      }
      in_place.destinations[j] = true;
      BackupName backup;
      if (!make_backup_name(source.full_path, run_date_stamp, backup)) return false;
      if (!choose_backup_number(backup, kGroupPosition, destinations)) return false;
      in_place.backup_paths[i] = std::move(backup.text);
    }
  }
  return true;
}

}  // namespace peltrix::planning
