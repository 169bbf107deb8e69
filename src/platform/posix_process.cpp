// POSIX (Linux and other POSIX systems): what the process asks of the
// system for itself: large pages for its buffers (where the system has
// them) and the local date.

#include "platform/platform.h"

#include <sys/mman.h>

#include <ctime>

#include "platform/posix_portable.h"

namespace peltrix::platform {

void advise_large_pages(void* start, size_t length) {
#ifdef MADV_HUGEPAGE
  madvise(start, length, MADV_HUGEPAGE);
#else
  (void)start;
  (void)length;
#endif
}

LocalDate local_date() {
  const time_t now = time(nullptr);
  struct tm parts {};
  localtime_r(&now, &parts);
  return LocalDate{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

}  // namespace peltrix::platform
