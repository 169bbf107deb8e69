// The dated backup name of an in-place source: the run date stamp and a
// four-digit number before the extension of its file name.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/option_tables.h"

namespace peltrix::planning {

struct BackupName {
  std::string text;
  size_t number_position = 0;  // where the four digits start
};

// The backup name of full_path with number 0001: data.txt gives
// data_20261206_0001.txt, README gives README_20261206_0001. Only the file
// name's last '.' counts, never one in a folder name. Refuses a name over
// 260 bytes (E089); false after the messages.
bool make_backup_name(const std::string& full_path, const char* run_date_stamp, BackupName& name);

// Writes the first free number from 0001 to 9999 into name: free when
// nothing (no file, folder or link, even one leading nowhere) has that name
// and no destination of the run (taken, full paths) is named so. A status
// query failing otherwise gives E083 naming the name tried, no free number
// E132 naming 9999's name; false after the messages.
bool choose_backup_number(BackupName& name, int input_position, const std::vector<cli::ValueSlot>& taken);

}  // namespace peltrix::planning
