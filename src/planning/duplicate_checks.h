// The same file named twice: among the sources, allowed and recorded with /W,
// and among the destinations, never allowed.
#pragma once

#include "cli/option_tables.h"
#include "model/repeat_table.h"

namespace peltrix::planning {

// Compares every pair of /IF names. A file named again is refused (E079),
// or with /W marked as a repeat of its earliest name in its row of repeats
// (one row per /IF name). With /N and without /W two
// names with the same file name are refused (E080). False after the messages.
bool check_duplicate_sources(const cli::CommandLine& command_line, model::RepeatTable& repeats);

// Refuses a file named twice among the /OF names (E085), whatever /W says.
bool check_duplicate_destinations(const cli::CommandLine& command_line);

}  // namespace peltrix::planning
