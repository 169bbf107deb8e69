// The check of the /OD value: an existing folder or one still to be
// created, turned into its full path.
#pragma once

#include "paths/path_value.h"

namespace peltrix::paths {

// Checks text (not empty) of the /O group at occurrence (0-based). On
// success value holds the given text, the full path, the folder flag and the
// exists flag, or the missing flag for a folder still to be created. False
// after the messages.
bool check_destination_folder(const char* text, int occurrence, PathValue& value);

}  // namespace peltrix::paths
