// POSIX (Linux and other POSIX systems): the standard streams: guarded when
// closed, standard output for copied data, and the writes of data and
// messages that wait while a non-blocking pipe is full. Also the guard
// against the file-size limit's signal.

#include "platform/platform.h"
#include "platform/fault_injection.h"
#include "platform/posix_errors.h"
#include "platform/posix_interruptions.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix_portable.h"

namespace peltrix::platform {

FileHandle stdout_handle() { return STDOUT_FILENO; }

void guard_standard_streams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // Read-only: data meant for a closed stream is refused, never swallowed.
    const int placeholder = open("/dev/null", O_RDONLY);
    if (placeholder >= 0 && placeholder != fd) {
      dup2(placeholder, fd);
      close(placeholder);
    }
  }
}

void guard_file_size_limit() {
  // Past the limit write() then fails with EFBIG, which is reported as 223.
  signal(SIGXFSZ, SIG_IGN);
}

void set_stdout_binary() {
  // Bytes pass unchanged already; a closed pipe must give an error, not a signal.
  signal(SIGPIPE, SIG_IGN);
}

bool write_stdout(const void* buffer, uint32_t size, uint32_t* written_count) {
  *written_count = 0;
  if (faults::fires(faults::Operation::kWrite)) return false;
  // A reader that takes nothing must not keep a stopped run waiting.
  if (g_interrupted != 0) return fail(kErrorOperationAborted);
  for (;;) {
    const ssize_t n = write(STDOUT_FILENO, buffer, size);
    if (n >= 0) {
      *written_count = static_cast<uint32_t>(n);
      return true;
    }
    if (given_up(errno)) return fail(kErrorOperationAborted);
    if (is_full(errno) && wait_until_writable(STDOUT_FILENO)) continue;
    if (errno != EINTR) {
      *written_count = 0;
      return fail_errno("");
    }
  }
}

void write_text(bool to_error, const char* text, size_t size) {
  const int fd = to_error ? STDERR_FILENO : STDOUT_FILENO;
  while (size > 0) {
    const ssize_t n = write(fd, text, size);
    if (n > 0) {
      text += n;
      size -= static_cast<size_t>(n);
    } else if (n == 0 || (errno != EINTR && !(is_full(errno) && wait_until_writable(fd)))) {
      return;
    }
  }
}

}  // namespace peltrix::platform
