// The rules between options that no single group parser can check: the first
// set right after the command line, the same-folder rule after the duplicate
// and in-place checks, and the last set once the lists exist.
#pragma once

#include <cstdint>

#include "cli/option_tables.h"

namespace peltrix::driver {

// An /I group is required (E062); /OU3 excludes /OJ with /OF (E070); /N
// needs /OD (E077 with /OF, E078 with standard output); /IC and /OJ must
// name the same mark (E127). Sets default_input_code: the code whose mark
// /OJ names when /IC is not given, otherwise 0. False after the messages.
bool check_first_rules(const cli::CommandLine& command_line, int32_t& default_input_code);

// /ID and /OD naming one folder: refused without /OU2 or /OU3 (E087).
// False after the messages.
bool check_same_folder_rule(const cli::CommandLine& command_line);

// /OR with /IL or /IP (E071, E072); /MT3 with /IT, /IA, /IB or /IM (E073 to
// E076): checked once the lists exist, on the values as given (/IY2, which
// makes the others count for nothing, does not excuse them). False after
// the messages.
bool check_last_rules(const cli::CommandLine& command_line);

}  // namespace peltrix::driver
