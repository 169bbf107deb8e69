#include "cli/name_match.h"

namespace peltrix::cli {

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool starts_with_name(const char* text, const char* name, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    // Stops at the end of text, so nothing past it is read.
    if (text[i] == '\0' || upper(text[i]) != upper(name[i])) return false;
  }
  return true;
}

}  // namespace peltrix::cli
