// The refusal of a path whose long or absolute form exceeds the 260 bytes
// every path buffer holds.
#pragma once

namespace peltrix::paths {

inline constexpr int kPathTooLongCode = 131;

// Prints the three lines of message 131 naming given, the value as given.
void print_path_too_long(const char* given);

}  // namespace peltrix::paths
