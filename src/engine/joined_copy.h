// The joined copy: every file source, in list order, into every destination
// (or standard output), so that each receives the concatenation of all
// sources. In-place sources are read from their backups.
#pragma once

#include "engine/copy_state.h"
#include "model/entries.h"

namespace peltrix::engine {

// Runs the joined copy, the sources' marks judged (run.marks): backups,
// opening every destination, the sources block by block, closing, and
// deleting the backups. Returns false after the
// messages of the first failure; nothing done before it is undone.
bool joined_copy(model::SourceList& sources, model::DestinationList& destinations, CopyRun& run);

}  // namespace peltrix::engine
