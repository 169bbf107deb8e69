// The life of the backups of an in-place copy: the sources that are also
// destinations move to their backup names before the copy, are read from
// there, and their backups go once the new files are safely on the disk.
#pragma once

#include "paths/entries.h"

namespace peltrix::engine {

bool is_in_place(const paths::SourceEntry& source);

// Moves every in-place source to its backup name; E106 on failure.
bool move_to_backups(const paths::SourceList& sources);

// An in-place destination, opened anew under its name, gets the original's
// permissions, owner and group from the backup the original moved to,
// before any byte is written; E136 on failure.
bool keep_permissions(const paths::SourceList& sources, const paths::DestinationEntry& destination);

// Puts the data of every in-place destination on the disk, before the
// destinations are closed, where backups are to be deleted; E137 on failure.
bool flush_in_place_files(const paths::SourceList& sources, const paths::DestinationList& destinations);

// After the destinations are closed: puts the folders of the in-place
// destinations on the disk (the new file's name and the backup's), then
// deletes the backups that are not kept (/IU1 keeps them); E137, E107.
bool finish_backups(const paths::SourceList& sources, const paths::DestinationList& destinations);

}  // namespace peltrix::engine
