#include "driver/stdout_destination.h"

#include "messages/catalogue_memory.h"
#include "model/entries.h"
#include "planning/run_settings.h"

namespace peltrix::driver {

bool make_stdout_destination(const cli::CommandLine& command_line, model::DestinationList& destinations) {
  destinations.entries.clear();
  model::DestinationEntry* entry = model::add_entry(destinations.entries, messages::kStdoutEntryMemory);
  if (entry == nullptr) return false;
  entry->kind = model::EntryKind::kStdout;
  if (command_line.counts.stdout_options > 0) {
    planning::apply_output_values(command_line, *entry);
    entry->output_ordinal = 1;
  }
  return true;
}

}  // namespace peltrix::driver
