// The characters that no path value may hold.
#pragma once

#include "messages/catalogue_paths.h"

namespace peltrix::paths {

// The first of '/', '*', '?', '"', '<', '>' and '|', in that order, that
// occurs anywhere in name, read character by character in the system code
// page (a trail byte is never taken for '|'); '\0' when there is none.
char forbidden_character(const char* name);

// When name holds a forbidden character, prints its message under code
// with the group position, and returns true.
bool refuse_forbidden_character(const char* name, messages::ForbiddenCharacterCode code, int position);

}  // namespace peltrix::paths
