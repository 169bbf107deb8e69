// Windows: names in folders: what a path denotes (status, identity), and
// the changes to names: folders made, files renamed and removed. A name
// with the read-only attribute is neither written over nor moved away.

#include "platform/platform.h"
#include "platform/fault_injection.h"
#include "platform/win32_errors.h"
#include "platform/win32_names.h"
#include "platform/win32_paths.h"

#include <windows.h>

#include <string>

namespace peltrix::platform {

// A file with the read-only attribute is neither written over nor moved
// away to be replaced (an in-place copy), whoever runs the program.
bool read_only(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return attributes_of(path, &data) && (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 &&
         (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool path_status(const char* path, PathStatus* status) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  // A device is there in every folder, and is neither file nor folder.
  if (names_device(path)) {
    *status = PathStatus{PathKind::kOther, 0};
    return true;
  }
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!attributes_of(path, &data)) return false;
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

bool path_identity(const char* path, FileIdentity* identity) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  // No data access: a file held without sharing still answers.
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const std::wstring wide = long_form(path);
  const HANDLE handle =
      wide.empty()
          ? CreateFileA(path, 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)
          : CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const BOOL ok = GetFileInformationByHandle(handle, &info);
  const DWORD error = GetLastError();
  CloseHandle(handle);
  if (!ok) return fail(error);
  identity->volume = info.dwVolumeSerialNumber;
  identity->index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

bool flush_folder_of(const char*) {
  if (faults::fires(faults::Operation::kWrite)) return false;
  return true;
}

// GetFileAttributesExA does not follow a symbolic link: it tells about the
// name itself already.
bool name_status(const char* path, PathStatus* status) { return path_status(path, status); }

int make_folder(const char* path) {
  if (faults::fires(faults::Operation::kMkdir)) return -1;
  const std::wstring wide = long_form(path);
  const BOOL made = wide.empty() ? CreateDirectoryA(path, nullptr) : CreateDirectoryW(wide.c_str(), nullptr);
  return made ? 0 : -1;
}

int rename_path(const char* from, const char* to) {
  if (faults::fires(faults::Operation::kRename)) return -1;
  if (read_only(from)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return -1;
  }
  if (long_form(from).empty() && long_form(to).empty()) return MoveFileExA(from, to, 0) ? 0 : -1;
  return MoveFileExW(wide_path(from).c_str(), wide_path(to).c_str(), 0) ? 0 : -1;
}

int replace_path(const char* from, const char* to) {
  if (faults::fires(faults::Operation::kRename)) return -1;
  constexpr DWORD kReplace = MOVEFILE_REPLACE_EXISTING;
  if (long_form(from).empty() && long_form(to).empty()) return MoveFileExA(from, to, kReplace) ? 0 : -1;
  return MoveFileExW(wide_path(from).c_str(), wide_path(to).c_str(), kReplace) ? 0 : -1;
}

int remove_file(const char* path) {
  if (faults::fires(faults::Operation::kRemove)) return -1;
  const std::wstring wide = long_form(path);
  const BOOL deleted = wide.empty() ? DeleteFileA(path) : DeleteFileW(wide.c_str());
  return deleted ? 0 : -1;
}

}  // namespace peltrix::platform
