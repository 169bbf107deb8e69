// The check of one name of an /IF value: an existing regular file, turned
// into its full path with its size and file identity.
#pragma once

#include "paths/path_value.h"

namespace peltrix::paths {

// Checks name (not empty) of the /I group at occurrence (0-based), after
// accepted names of the same value. On success value holds the given text,
// full path, exists and file flags, size and file information; false after
// the messages.
bool check_source_file(const char* name, int occurrence, int accepted, PathValue& value);

}  // namespace peltrix::paths
