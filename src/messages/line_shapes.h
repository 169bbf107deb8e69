// The shapes of lines that messages of several catalogue files share; only
// the catalogue uses them.
#pragma once

#include <cstdint>

#include "messages/messages.h"

namespace peltrix::messages {

// Two lines of code: what happened, then what to do.
void two_lines(int code, const char* first, const char* second);

// Three lines of code: what happened, the path or value it concerns alone,
// then advice.
void subject_lines(int code, const char* first, const char* subject, const char* advice);

// The same with line 1 formatted from first_line, which takes the group
// position.
void position_lines(int code, const char* first_line, int position, const char* subject, const char* advice);

// Line 3 of most failures about a path: the cause follows.
extern const char kSeeCause[];

// A failure about a path: line 1 formatted from first_line, line 2 the
// path, line 3 advice, then the system-error lines of error from line 4.
void path_failure(int code, const char* path, uint32_t error, const char* advice, const char* first_line, ...)
    PELTRIX_PRINTF(5, 6);

}  // namespace peltrix::messages
