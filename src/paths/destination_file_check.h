// The check of one name of an /OF value: a regular file or a name still to
// be created, turned into its full path.
#pragma once

#include "paths/path_value.h"

namespace peltrix::paths {

// Checks name (not empty) of the /O group at occurrence (0-based), after
// accepted names of the same value. On success value holds the given text,
// the full path and the exists, no-file or missing flag; an existing file
// also its size and file information. False after the messages.
bool check_destination_file(const char* name, int occurrence, int accepted, PathValue& value);

}  // namespace peltrix::paths
