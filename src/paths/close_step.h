// Closes a file that the program read from, and reports a failed close in
// the numbered form of the caller's message number.
#pragma once

#include "platform/platform.h"

namespace peltrix::paths {

// Message number of a failed close after the file identity query.
inline constexpr int kIdentityClose = 817;

// Closes file; on failure prints "次のコピー元ファイルのcloseが失敗しました。"
// with path in double quotes under message_number, then the system-error
// lines, and returns false.
bool close_step(platform::FileHandle file, const char* path, int message_number);

}  // namespace peltrix::paths
