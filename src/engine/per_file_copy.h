// The per-file copy (/N): every file source into a destination of its own in
// the destination folder, every scanned folder as a folder there, one pair
// at a time. A source named again under /W is appended to the destination of
// its first occurrence.
#pragma once

#include "engine/copy_state.h"
#include "model/entries.h"
#include "model/repeat_table.h"

namespace peltrix::engine {

// Walks the source and destination lists in step (one destination per
// source), the deciding source's mark judged (run.marks); every other
// source's mark is judged as its pair is taken. repeats has a row per pair
// when /W is given, else is null.
// Returns false after the messages of the first failure.
bool per_file_copy(model::SourceList& sources, model::DestinationList& destinations, model::RepeatTable* repeats,
                   CopyRun& run);

}  // namespace peltrix::engine
