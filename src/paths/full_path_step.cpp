#include "paths/full_path_step.h"

#include <cstring>

#include "messages/catalogue_paths.h"
#include "paths/heap_text.h"
#include "paths/path_value.h"
#include "platform/platform.h"

namespace peltrix::paths {

namespace {

constexpr size_t kBufferSize = platform::kMaxPath + 1;

// The long form of given into long_form; false after its messages.
bool long_form_of(const std::string& given, const LongFormRule& rule, char (&long_form)[kBufferSize]) {
  const uint32_t length = platform::long_path(given.c_str(), long_form, kBufferSize);
  if (length > platform::kMaxPath) {
    // The call reports the size it would need instead of writing.
    messages::path_too_long(given.c_str());
    return false;
  }
  if (length != 0) return true;

  const uint32_t error = platform::last_error();
  if (rule.missing_keeps_given && is_not_found(error)) {
    if (given.size() > platform::kMaxPath) {
      messages::path_too_long(given.c_str());
      return false;
    }
    std::memcpy(long_form, given.c_str(), given.size() + 1);
    return true;
  }
  messages::long_form_failure(rule.error_code, error, rule.system_lines);
  return false;
}

}  // namespace

bool make_full_path(const std::string& given, const LongFormRule& rule, std::string& full_path) {
  char long_form[kBufferSize] = {};
  if (!long_form_of(given, rule, long_form)) return false;

  char absolute[kBufferSize] = {};
  if (!platform::full_path(long_form, absolute, sizeof absolute)) {
    // Making a path absolute fails when the result would not fit the buffer.
    messages::path_too_long(given.c_str());
    return false;
  }
  const size_t length = std::strlen(absolute);
  return hold_text(rule.memory_code, std::string_view(absolute, length),
                   length + 1, full_path);
}

}  // namespace peltrix::paths
