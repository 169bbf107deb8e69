// The first stage after start-up: matches every command-line argument
// against the top-level option table.
#pragma once

#include "cli/option_tables.h"

namespace peltrix::cli {

// Scans argv[1] to argv[argc - 1] in order: a plain switch sets its run
// flag, a group switch hands its argument to the group's parser. Returns 0
// when every argument was accepted, or 1 after the messages of the first
// refused one; the arguments after it are not looked at.
int scan_command_line(CommandLine& command_line, int argc, const char* const* argv);

}  // namespace peltrix::cli
