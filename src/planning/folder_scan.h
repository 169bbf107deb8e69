// The source list from the /ID folder: its files, and with /S its
// subfolders and their files, breadth first.
#pragma once

#include "cli/option_tables.h"
#include "model/entries.h"
#include "model/text_store.h"

namespace peltrix::planning {

// Lists the /ID folder into sources in listing order; with /S every folder
// found becomes a folder entry and is listed in its turn after all items
// listed before it. Item names and paths are kept in texts. An item path
// over 260 bytes is refused (E131) rather than shortened or passed over.
// Without /S a folder with no file gives E123; with /S a tree with no file
// gives E125 without /N, and with /N a tree with no file and no folder gives
// E124. False after the messages.
bool scan_source_folder(const cli::CommandLine& command_line, model::TextStore& texts, model::SourceList& sources);

}  // namespace peltrix::planning
