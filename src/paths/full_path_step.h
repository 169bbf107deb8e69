// Turns a path value into its full path: the long form of the value, made
// absolute, at most 260 bytes.
#pragma once

#include <string>

namespace peltrix::paths {

// How a check treats the long form of its value. The codes are plain
// numbers so that a test can make a rule of its own.
struct LongFormRule {
  int error_code = 0;                // a messages::LongFormCode: the long form could not be had
  bool system_lines = false;         // the system-error lines follow that line
  bool missing_keeps_given = false;  // a path that does not exist keeps its given text
  int memory_code = 0;               // a messages::TextMemoryCode: out of memory for the full path text
};

// Makes the full path of given into full_path. A long or absolute form over
// 260 bytes is refused with E131 naming given; never truncated.
bool make_full_path(const std::string& given, const LongFormRule& rule, std::string& full_path);

}  // namespace peltrix::paths
