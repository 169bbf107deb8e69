#include "driver/stdout_destination.h"

#include <new>

#include "planning/destination_list.h"
#include "planning/entry_pools.h"

namespace peltrix::driver {

bool make_stdout_destination(const cli::CommandLine& command_line, std::unique_ptr<paths::DestinationEntry>& entry,
                             paths::DestinationList& destinations) {
  destinations.head = nullptr;
  destinations.current = nullptr;
  destinations.last_pool = nullptr;
  destinations.count = 0;
  entry.reset(new (std::nothrow) paths::DestinationEntry());
  if (entry == nullptr) {
    planning::print_memory_refused(101, sizeof(paths::DestinationEntry));
    return false;
  }
  destinations.head = entry.get();
  destinations.current = entry.get();
  destinations.count = 1;
  entry->kind = paths::kKindStdout;
  if (command_line.counts.stdout_options > 0) {
    planning::apply_output_values(command_line.output, *entry);
    entry->output_ordinal = 1;
  }
  return true;
}

}  // namespace peltrix::driver
