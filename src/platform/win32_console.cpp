// Windows: the standard streams: standard output for copied data, and the
// writes of data and messages through the C runtime. The guards that POSIX
// systems need have nothing to do here.

#include "platform/platform.h"
#include "platform/fault_injection.h"
#include "platform/win32_errors.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <cstdlib>

namespace peltrix::platform {

FileHandle stdout_handle() { return reinterpret_cast<FileHandle>(GetStdHandle(STD_OUTPUT_HANDLE)); }

void guard_standard_streams() {
  // Handles the program opens never take the place of a standard stream here.
}

// Windows has no file-size limit that ends a process.
void guard_file_size_limit() {}

void set_stdout_binary() { _setmode(_fileno(stdout), _O_BINARY); }

bool write_stdout(const void* buffer, uint32_t size, uint32_t* written_count) {
  *written_count = 0;
  if (faults::fires(faults::Operation::kWrite)) return false;
  if (interrupted()) return fail(ERROR_OPERATION_ABORTED);
  const int n = _write(1, buffer, size);
  if (n < 0) {
    *written_count = 0;
    const unsigned long os_error = _doserrno;
    SetLastError(os_error != 0 ? static_cast<DWORD>(os_error) : ERROR_WRITE_FAULT);
    return false;
  }
  *written_count = static_cast<uint32_t>(n);
  return true;
}

void write_text(bool to_error, const char* text, size_t size) {
  while (size > 0) {
    const unsigned piece = size < 0x40000000u ? static_cast<unsigned>(size) : 0x40000000u;
    const int n = _write(to_error ? 2 : 1, text, piece);
    if (n <= 0) return;
    text += n;
    size -= static_cast<size_t>(n);
  }
}

}  // namespace peltrix::platform
