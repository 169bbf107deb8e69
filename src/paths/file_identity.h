// The identity of an existing file (volume and file index), which tells two
// names of one file apart from two files.
#pragma once

#include "platform/platform.h"

namespace peltrix::paths {

// Opens full_path exclusively (E816 with kind_word on failure), reads its
// information (E122) and closes it (E817). False after the messages; a file
// held by another program is refused with the sharing message.
bool query_file_identity(const char* full_path, const char* kind_word, platform::FileInformation& information);

}  // namespace peltrix::paths
