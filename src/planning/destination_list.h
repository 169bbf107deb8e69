// The destination list: the /OF names, or destinations named in the /OD
// folder after the sources.
#pragma once

#include "cli/option_tables.h"
#include "model/entries.h"
#include "model/repeat_table.h"
#include "planning/in_place_check.h"
#include "model/text_store.h"

namespace peltrix::planning {

// One file entry per /OF name, in the order given, with the group's values
// and the name's given text, full path, flags (in place as the in-place
// check found) and size. An existing file without /OU2 or /OU3 is refused
// (E095). False after the messages.
bool build_file_destinations(const cli::CommandLine& command_line, const InPlaceNames& in_place,
                             model::DestinationList& destinations);

// The /OD folder record, then destinations named in the /OD folder: with /N
// one per source entry (files and folders alike; below a scanned /ID folder
// the subfolder names are kept; a repeat of an /IF file, by any of its
// names, takes its first occurrence's name), without /N one for the first
// file source.
// A name over 260 bytes is refused before it is built (E097), an existing
// file without /OU2 or /OU3 too (E099). Names are kept in texts. False
// after the messages.
bool build_folder_destinations(const cli::CommandLine& command_line, const model::SourceList& sources,
                               const model::RepeatTable& repeats, model::TextStore& texts, model::DestinationList& destinations);

}  // namespace peltrix::planning
