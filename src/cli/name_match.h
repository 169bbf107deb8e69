// Option names match without regard to case, as the user may type them.
#pragma once

#include <cstddef>

namespace peltrix::cli {

// True when text begins with the length bytes of name, ASCII letters
// compared without regard to case; a shorter text never matches.
bool starts_with_name(const char* text, const char* name, size_t length);

}  // namespace peltrix::cli
