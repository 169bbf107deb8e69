// The characters that no path value may hold.
#pragma once

namespace peltrix::paths {

// The first of '/', '*', '?', '"', '<', '>' and '|', in that order, that
// occurs anywhere in name, read character by character in the system code
// page (a trail byte is never taken for '|'); '\0' when there is none.
char forbidden_character(const char* name);

// When name holds a forbidden character, prints under code the first line
// (first_line with the group position), the character and the advice, and
// returns true.
bool refuse_forbidden_character(const char* name, int code, const char* first_line, int position);

}  // namespace peltrix::paths
