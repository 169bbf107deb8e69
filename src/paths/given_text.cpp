#include "paths/given_text.h"

#include <cstring>

#include "paths/forbidden_characters.h"
#include "paths/heap_text.h"

namespace peltrix::paths {

bool take_given_text(const char* text, int position, const GivenTextRule& rule, PathValue& value) {
  if (refuse_forbidden_character(text, rule.forbidden_code, position)) return false;
  const size_t length = std::strlen(text);
  return hold_text(rule.memory_code, std::string_view(text, length), length + 1 + rule.spare_bytes,
                   value.given_text);
}

}  // namespace peltrix::paths
