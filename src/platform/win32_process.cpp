// Windows: what the process asks of the system for itself: no large pages,
// and the local date.

#include "platform/platform.h"

#include <windows.h>

#include <ctime>

namespace peltrix::platform {

// Large pages need a privilege that a copy command should not ask for.
void advise_large_pages(void*, size_t) {}

LocalDate local_date() {
  __time64_t now;
  _time64(&now);
  struct tm parts {};
  _localtime64_s(&parts, &now);
  return LocalDate{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

}  // namespace peltrix::platform
