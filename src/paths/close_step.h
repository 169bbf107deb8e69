// Closes a file that the program read from, and reports a failed close
// under the caller's message code.
#pragma once

#include "messages/catalogue_files.h"
#include "platform/platform.h"

namespace peltrix::paths {

// Closes file; on failure prints the close failure of path under code and
// returns false.
bool close_step(platform::FileHandle file, const char* path, messages::CloseCode code);

}  // namespace peltrix::paths
