// Windows: the last error of this layer is the system's own, and the
// system's text for an error code comes in the user's language.

#include "platform/platform.h"
#include "platform/win32_errors.h"

#include <windows.h>

#include <clocale>

namespace peltrix::platform {

bool fail(uint32_t code) {
  SetLastError(code);
  return false;
}

uint32_t last_error() { return GetLastError(); }
void set_last_error(uint32_t code) { SetLastError(code); }

uint32_t system_message(uint32_t code, char* buffer, uint32_t size) {
  // The user's locale, so that the text comes in the user's language.
  const char* locale = std::setlocale(LC_CTYPE, "");
  std::setlocale(LC_ALL, locale);
  return FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, buffer, size, nullptr);
}

}  // namespace peltrix::platform
