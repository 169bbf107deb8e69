// In-place copies: a file named both as a source (/IF) and as a destination
// (/OF) is read from a dated backup that the copy moves it to.
#pragma once

#include <string>
#include <vector>

#include "cli/option_tables.h"

namespace peltrix::planning {

// What the in-place check finds, by position of the /IF and /OF names.
struct InPlaceNames {
  std::vector<std::string> backup_paths;  // an in-place source's backup name; empty for the others
  std::vector<bool> destinations;         // the destination is also a source
};

// Judges every pair of an /IF name and an /OF name on its own. A pair that
// names one file is refused without /OU2 or /OU3 (E084); otherwise both
// are in place, and the source gets a backup name with a free number.
// False after the messages.
bool check_in_place(const cli::CommandLine& command_line, const char* run_date_stamp, InPlaceNames& in_place);

}  // namespace peltrix::planning
