// The message shapes the path checks share: a first line with the group
// position, the value as given, and an advice or the system error.
#pragma once

#include <cstdint>

namespace peltrix::paths {

// Line 1 (first_line with the group position), line 2 the given text,
// line 3 advice.
void value_lines(int code, const char* first_line, int position, const char* given, const char* advice);

// The same with the advice to read the system error, whose two lines follow
// from line 4.
void io_error_lines(int code, const char* first_line, int position, const char* given, uint32_t error);

}  // namespace peltrix::paths
