// The destination entry of standard output, made when /O names neither
// files nor a folder (or no /O group is given).
#pragma once

#include "cli/option_tables.h"
#include "model/entries.h"

namespace peltrix::driver {

// Makes an entry of kind standard output the only entry of destinations.
// When the /O group carries sub-options, the entry takes its /OR, /OJ, /OE
// and /OU where given and /O ordinal 1. False after E101 on refused memory.
bool make_stdout_destination(const cli::CommandLine& command_line, model::DestinationList& destinations);

}  // namespace peltrix::driver
