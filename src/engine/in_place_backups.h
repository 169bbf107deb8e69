// The life of the backups of an in-place copy: the sources that are also
// destinations move to their backup names before the copy, are read from
// there, and their backups go once the new files are safely on the disk.
// Each original is held open from before its move to the end of the copy,
// so that what is read, and whose access the new file takes, is the file
// that was moved, whatever another program puts at either name meanwhile.
#pragma once

#include "model/entries.h"
#include "platform/platform.h"

namespace peltrix::engine {

bool is_in_place(const model::SourceEntry& source);

// Holds every in-place source and moves it to its backup name; E106 on
// failure. Stops without a message when the run is asked to stop.
bool move_to_backups(model::SourceList& sources);

// The handle the source is read from when the copy holds it already (an
// in-place original, or a second naming of one under /W), at its start;
// kInvalidFile when the source is to be opened by its name.
platform::FileHandle held_original(const model::SourceList& sources, const model::SourceEntry& source);

// Creates the new file of an in-place destination at the name its original
// left, never through anything put there meanwhile (E138), and gives it the
// original's access before any byte is written (E136).
bool create_in_place_file(const model::SourceList& sources, model::DestinationEntry& destination,
                          bool write_through);

// Puts the data of every in-place destination on the disk, before the
// destinations are closed, where backups are to be deleted; E137 on failure.
bool flush_in_place_files(const model::SourceList& sources, const model::DestinationList& destinations);

// After the destinations are closed: lets go of the originals, puts the
// folders of the in-place destinations on the disk (the new file's name and
// the backup's), then deletes the backups that are not kept (/IU1 keeps
// them); E137, E107. A run asked to stop before the first deletion stops
// there without a message, its backups whole.
bool finish_backups(model::SourceList& sources, const model::DestinationList& destinations);

// Puts a moved original back under its own name, over its partial copy
// (whatever the name holds then is replaced, never followed); false with
// the error in last_error().
bool put_back(model::SourceEntry& source);

}  // namespace peltrix::engine
