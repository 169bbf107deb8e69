// The platform operations on Windows: thin calls of the Windows file API and
// the C runtime.

#include "platform/platform.h"
#include "platform/fault_injection.h"

#include <windows.h>

#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace peltrix::platform {

const char kFolderSeparator = '\\';

namespace {

HANDLE to_handle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

bool fail(uint32_t code) {
  SetLastError(code);
  return false;
}

}  // namespace

struct FindSearch {
  HANDLE handle;
};

uint32_t last_error() { return GetLastError(); }
void set_last_error(uint32_t code) { SetLastError(code); }

FileHandle open_file(const char* path, uint32_t access, uint32_t share_mode,
                     uint32_t disposition, uint32_t flags) {
  if (faults::fires(faults::Operation::kOpen)) return kInvalidFile;
  const HANDLE handle = CreateFileA(path, access, share_mode, nullptr, disposition, flags, nullptr);
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
  if (faults::fires(faults::Operation::kWrite)) return false;
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
  uint32_t total = 0;
  while (total < size) {
    OVERLAPPED at = {};
    const uint64_t position = static_cast<uint64_t>(offset) + total;
    at.Offset = static_cast<DWORD>(position);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    DWORD n = 0;
    if (!ReadFile(to_handle(file), static_cast<char*>(buffer) + total, size - total, &n, &at)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      *read_count = total;
      return false;
    }
    if (n == 0) break;
    total += n;
  }
  *read_count = total;
  return true;
}

int64_t copy_range(FileHandle, int64_t, FileHandle, uint64_t) {
  // Windows has no copy between two open files inside the system.
  SetLastError(ERROR_NOT_SUPPORTED);
  return -1;
}

FileHandle stdout_handle() { return reinterpret_cast<FileHandle>(GetStdHandle(STD_OUTPUT_HANDLE)); }

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

bool path_status(const char* path, PathStatus* status) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    status->kind = PathKind::kFolder;
  } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0) {
    status->kind = PathKind::kOther;
  } else {
    status->kind = PathKind::kFile;
  }
  status->size = static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  return true;
}

// GetFileAttributesExA does not follow a symbolic link: it tells about the
// name itself already.
bool name_status(const char* path, PathStatus* status) { return path_status(path, status); }

uint32_t long_path(const char* path, char* out, uint32_t out_size) {
  return GetLongPathNameA(path, out, out_size);
}

bool full_path(const char* path, char* out, size_t out_size) {
  if (_fullpath(out, path, out_size) == nullptr) return fail(ERROR_FILENAME_EXCED_RANGE);
  return true;
}

int make_folder(const char* path) {
  if (faults::fires(faults::Operation::kMkdir)) return -1;
  return CreateDirectoryA(path, nullptr) ? 0 : -1;
}

int rename_path(const char* from, const char* to) {
  if (faults::fires(faults::Operation::kRename)) return -1;
  return MoveFileExA(from, to, 0) ? 0 : -1;
}

int remove_file(const char* path) {
  if (faults::fires(faults::Operation::kRemove)) return -1;
  return DeleteFileA(path) ? 0 : -1;
}

// A file created in place of the original takes the rights its folder hands
// down, as any new file there does; nothing is copied.
bool copy_permissions(const char*, FileHandle) { return true; }

FindSearch* find_first(const char* pattern, FindItem* item) {
  if (faults::fires(faults::Operation::kFind)) return nullptr;
  WIN32_FIND_DATAA data;
  const HANDLE handle = FindFirstFileA(pattern, &data);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  std::strncpy(item->name, data.cFileName, kMaxPath);
  item->name[kMaxPath] = '\0';
  item->is_folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  item->size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return new FindSearch{handle};
}

bool find_next(FindSearch* search, FindItem* item) {
  if (faults::fires(faults::Operation::kFind)) return false;
  WIN32_FIND_DATAA data;
  if (!FindNextFileA(search->handle, &data)) return false;
  std::strncpy(item->name, data.cFileName, kMaxPath);
  item->name[kMaxPath] = '\0';
  item->is_folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  item->size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

bool find_close(FindSearch* search) {
  const BOOL ok = FindClose(search->handle);
  delete search;
  return ok != FALSE;
}

uint32_t system_message(uint32_t code, char* buffer, uint32_t size) {
  // The user's locale, so that the text comes in the user's language.
  const char* locale = std::setlocale(LC_CTYPE, "");
  std::setlocale(LC_ALL, locale);
  return FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, buffer, size, nullptr);
}

void guard_standard_streams() {
  // Handles the program opens never take the place of a standard stream here.
}

// Windows has no file-size limit that ends a process.
void guard_file_size_limit() {}

void set_stdout_binary() { _setmode(_fileno(stdout), _O_BINARY); }

// Large pages need a privilege that a copy command should not ask for.
void advise_large_pages(void*, size_t) {}

bool write_stdout(const void* buffer, uint32_t size, uint32_t* written_count) {
  *written_count = 0;
  if (faults::fires(faults::Operation::kWrite)) return false;
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

LocalDate local_date() {
  __time64_t now;
  _time64(&now);
  struct tm parts {};
  _localtime64_s(&parts, &now);
  return LocalDate{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

size_t char_length(const char* text) {
  if (text[0] == '\0') return 0;
  if (IsDBCSLeadByte(static_cast<BYTE>(text[0])) && text[1] != '\0') return 2;
  return 1;
}

}  // namespace peltrix::platform
