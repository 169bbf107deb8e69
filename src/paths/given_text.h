// The first steps of every path check: the value may hold no forbidden
// character, and is kept exactly as typed.
#pragma once

#include <cstddef>

#include "messages/catalogue_memory.h"
#include "messages/catalogue_paths.h"
#include "paths/path_value.h"

namespace peltrix::paths {

struct GivenTextRule {
  messages::ForbiddenCharacterCode forbidden_code;  // message of a forbidden character
  messages::TextMemoryCode memory_code;             // out-of-memory code of the given text
  size_t spare_bytes = 0;                           // room asked for beyond the text and its terminator
};

// Refuses a forbidden character in text, then keeps text as
// value.given_text; false after the messages.
bool take_given_text(const char* text, int position, const GivenTextRule& rule, PathValue& value);

}  // namespace peltrix::paths
