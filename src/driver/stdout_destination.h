// The destination entry of standard output, made when /O names neither
// files nor a folder (or no /O group is given).
#pragma once

#include <memory>

#include "cli/option_tables.h"
#include "paths/entries.h"

namespace peltrix::driver {

// Makes entry (kind standard output) the only entry of destinations. When
// the /O group carries sub-options, the entry takes its /OR, /OJ, /OE and
// /OU where given and /O ordinal 1. False after E101 on refused memory.
bool make_stdout_destination(const cli::CommandLine& command_line, std::unique_ptr<paths::DestinationEntry>& entry,
                             paths::DestinationList& destinations);

}  // namespace peltrix::driver
