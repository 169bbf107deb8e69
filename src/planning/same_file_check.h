// The last check before anything on disk changes: no destination file may
// be a file that the copy still has to read under its own name, because
// opening the destination would destroy the data before it is read.
#pragma once

#include "model/entries.h"

namespace peltrix::planning {

// Refuses (E130, naming the destination's path) the first destination file,
// in list order, that is the same file as a source file read directly: by
// equal full path, or by equal file identity when both exist. An in-place
// source of the joined copy (not per_file) is read from its backup and so
// passes against a destination of exactly its own path, but not against the
// same file under another name. False after the messages.
bool check_destinations_apart_from_sources(const model::SourceList& sources, const model::DestinationList& destinations,
                                           bool per_file);

}  // namespace peltrix::planning
