// Turns a path value into its full path: the long form of the value, made
// absolute, at most 260 bytes.
#pragma once

#include <string>

#include "messages/catalogue_memory.h"
#include "messages/catalogue_paths.h"

namespace peltrix::paths {

// How a check treats the long form of its value.
struct LongFormRule {
  messages::LongFormCode error_code{};     // the long form could not be had
  bool system_lines = false;               // the system-error lines follow that line
  bool missing_keeps_given = false;        // a path that does not exist keeps its given text
  messages::TextMemoryCode memory_code{};  // out of memory for the full path text
};

// Makes the full path of given into full_path. A long or absolute form over
// 260 bytes is refused with E131 naming given; never truncated.
bool make_full_path(const std::string& given, const LongFormRule& rule, std::string& full_path);

}  // namespace peltrix::paths
