// The parsers of the /I, /O and /M group arguments: they split an argument
// into its sub-options, identify each in the group table, refuse repeated
// and conflicting ones and store every value, numbers through the numeric
// check and paths through their path checks.
#pragma once

#include "cli/option_tables.h"

namespace peltrix::cli {

// Each is a GroupParser: 0 on success, 1 after its messages are printed.
int parse_input_group(CommandLine& command_line, const char* argument, OptionDefinition* definitions,
                      int definition_count, int occurrence);
int parse_output_group(CommandLine& command_line, const char* argument, OptionDefinition* definitions,
                       int definition_count, int occurrence);
int parse_message_group(CommandLine& command_line, const char* argument, OptionDefinition* definitions,
                        int definition_count, int occurrence);

}  // namespace peltrix::cli
