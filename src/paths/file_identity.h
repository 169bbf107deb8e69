// The identity of an existing file (volume and file index), which tells two
// names of one file apart from two files.
#pragma once

#include "platform/platform.h"

namespace peltrix::paths {

inline constexpr int kInformationCode = 122;

// Opens full_path exclusively (message 816 with kind_word on failure), reads
// its information and closes it (message 817). False after the messages; a
// file held by another program is refused with the sharing message.
bool query_file_identity(const char* full_path, const char* kind_word, platform::FileInformation& information);

// E122: the system could not tell about path.
void print_information_failure(const char* path, uint32_t error);

}  // namespace peltrix::paths
