// The folders the destinations need, created before any file is opened.
#pragma once

#include "cli/option_tables.h"
#include "model/entries.h"

namespace peltrix::driver {

// With /OF the folder of every destination whose folder is missing, with
// /OD the missing /OD folder; each with all its missing parents. False
// after the messages of the first failure.
bool create_destination_folders(const cli::CommandLine& command_line, const model::DestinationList& destinations);

// A folder scan that found folders only: every missing destination folder,
// in list order. False after the messages of the first failure.
bool create_folder_tree(const model::DestinationList& destinations);

}  // namespace peltrix::driver
