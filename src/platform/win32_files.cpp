// Windows: open files, their reads and writes, positions and information,
// through the Windows file API. Windows has no copy between two open files
// inside the system: copy_range refuses.

#include "platform/platform.h"
#include "platform/fault_injection.h"
#include "platform/win32_errors.h"
#include "platform/win32_files.h"
#include "platform/win32_names.h"
#include "platform/win32_paths.h"

#include <windows.h>

#include <string>

namespace peltrix::platform {

FileHandle open_file(const char* path, uint32_t access, uint32_t share_mode,
                     uint32_t disposition, uint32_t flags) {
  faults::run_open_hook(path, (access & kGenericWrite) != 0);
  if (faults::fires(faults::Operation::kOpen)) return kInvalidFile;
  // Devices and read-only files are refused as a folder is.
  if (names_device(path) || ((access & kGenericWrite) != 0 && read_only(path))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return kInvalidFile;
  }
  // A file made to take another's access is opened so that its security
  // descriptor can be set; the program's own flag is no business of
  // CreateFile's. CREATE_NEW already refuses any name that exists, a
  // reparse point included.
  if ((flags & kFlagOwnerOnly) != 0) access |= READ_CONTROL | WRITE_DAC | WRITE_OWNER;
  flags &= ~kFlagOwnerOnly;
  const std::wstring wide = long_form(path);
  const HANDLE handle = wide.empty()
                            ? CreateFileA(path, access, share_mode, nullptr, disposition, flags, nullptr)
                            : CreateFileW(wide.c_str(), access, share_mode, nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return kInvalidFile;
  return reinterpret_cast<FileHandle>(handle);
}

bool read_file(FileHandle file, void* buffer, uint32_t size, uint32_t* read_count) {
  *read_count = 0;
  if (faults::fires(faults::Operation::kRead)) return false;
  uint32_t total = 0;
  while (total < size) {
    DWORD n = 0;
    if (!ReadFile(to_handle(file), static_cast<char*>(buffer) + total, size - total, &n, nullptr)) {
      *read_count = total;
      return false;
    }
    if (n == 0) break;
    total += n;
  }
  *read_count = total;
  return true;
}

bool write_file(FileHandle file, const void* buffer, uint32_t size, uint32_t* written_count) {
  *written_count = 0;
  if (faults::fires(faults::Operation::kWrite)) return last_error() == faults::kTakesNothing;
  DWORD n = 0;
  const BOOL ok = WriteFile(to_handle(file), buffer, size, &n, nullptr);
  *written_count = n;
  return ok != FALSE;
}

bool close_file(FileHandle file) {
  if (faults::fires(faults::Operation::kClose)) {
    const DWORD error = GetLastError();
    CloseHandle(to_handle(file));
    SetLastError(error);
    return false;
  }
  return CloseHandle(to_handle(file)) != FALSE;
}

bool read_file_at(FileHandle file, int64_t offset, void* buffer, uint32_t size, uint32_t* read_count) {
  *read_count = 0;
  if (faults::fires(faults::Operation::kRead)) return false;
  // A read at an offset moves the position of a handle opened for reads in
  // turn: it is put back where it was.
  const HANDLE handle = to_handle(file);
  LARGE_INTEGER kept;
  if (!SetFilePointerEx(handle, LARGE_INTEGER{}, &kept, FILE_CURRENT)) return false;
  uint32_t total = 0;
  bool ok = true;
  while (total < size) {
    OVERLAPPED at = {};
    const uint64_t position = static_cast<uint64_t>(offset) + total;
    at.Offset = static_cast<DWORD>(position);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    DWORD n = 0;
    if (!ReadFile(handle, static_cast<char*>(buffer) + total, size - total, &n, &at)) {
      ok = GetLastError() == ERROR_HANDLE_EOF;
      break;
    }
    if (n == 0) break;
    total += n;
  }
  *read_count = total;
  const DWORD error = GetLastError();
  if (!SetFilePointerEx(handle, kept, nullptr, FILE_BEGIN)) return false;
  return ok || fail(error);
}

int64_t copy_range(FileHandle, int64_t, FileHandle, uint64_t) {
  // Windows has no copy between two open files inside the system.
  SetLastError(ERROR_NOT_SUPPORTED);
  return -1;
}

bool seek_file(FileHandle file, int64_t offset, SeekFrom from, int64_t* new_position) {
  if (faults::fires(faults::Operation::kSeek)) return false;
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER result;
  const DWORD method = from == SeekFrom::kBegin ? FILE_BEGIN : from == SeekFrom::kCurrent ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(to_handle(file), distance, &result, method)) return false;
  if (new_position != nullptr) *new_position = result.QuadPart;
  return true;
}

bool file_information(FileHandle file, FileInformation* information) {
  if (faults::fires(faults::Operation::kInformation)) return false;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(to_handle(file), &info)) return false;
  information->identity.volume = info.dwVolumeSerialNumber;
  information->identity.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  information->size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  information->links = info.nNumberOfLinks;
  return true;
}

bool truncate_file(FileHandle file) {
  if (faults::fires(faults::Operation::kWrite)) return false;
  LARGE_INTEGER start = {};
  return SetFilePointerEx(to_handle(file), start, nullptr, FILE_BEGIN) && SetEndOfFile(to_handle(file));
}

bool flush_file(FileHandle file) {
  if (faults::fires(faults::Operation::kWrite)) return false;
  return FlushFileBuffers(to_handle(file)) != FALSE;
}

}  // namespace peltrix::platform
