#include "paths/forbidden_characters.h"

#include "platform/platform.h"

namespace peltrix::paths {

namespace {

// In the order they are looked for: the first found in this order is reported.
constexpr char kForbidden[] = {'/', '*', '?', '"', '<', '>', '|'};

bool holds(const char* name, char wanted) {
  for (const char* p = name; *p != '\0'; p += platform::char_length(p)) {
    if (*p == wanted) return true;
  }
  return false;
}

}  // namespace

char forbidden_character(const char* name) {
  for (char c : kForbidden) {
    if (holds(name, c)) return c;
  }
  return '\0';
}

bool refuse_forbidden_character(const char* name, messages::ForbiddenCharacterCode code, int position) {
  const char found = forbidden_character(name);
  if (found == '\0') return false;
  messages::forbidden_character(code, position, found);
  return true;
}

}  // namespace peltrix::paths
