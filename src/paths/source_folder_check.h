// The check of the /ID value: an existing folder, turned into its full path.
#pragma once

#include "paths/path_value.h"

namespace peltrix::paths {

// Checks text (not empty) of the /I group at occurrence (0-based). On
// success value holds the given text, full path and the exists and folder
// flags; false after the messages.
bool check_source_folder(const char* text, int occurrence, PathValue& value);

}  // namespace peltrix::paths
