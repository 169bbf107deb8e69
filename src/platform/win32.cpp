// The platform operations on Windows: thin calls of the Windows file API and
// the C runtime. A path whose absolute form is too long for the ANSI calls
// goes to their wide counterparts in the long-path form instead, so that
// every path the program accepts (up to 260 characters) reaches the system.

#include "platform/platform.h"
#include "platform/fault_injection.h"

#include <windows.h>

#include <aclapi.h>

#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cwchar>
#include <string>

namespace peltrix::platform {

const char kFolderSeparator = '\\';

namespace {

HANDLE to_handle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

bool fail(uint32_t code) {
  SetLastError(code);
  return false;
}

// The ANSI calls take paths of fewer than MAX_PATH characters, and a folder
// to create only when room for an 8.3 name is left below that.
constexpr size_t kAnsiPathLimit = MAX_PATH - 12;
constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

std::wstring widen(const char* text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (size <= 1) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
  wide.resize(static_cast<size_t>(size - 1));
  return wide;
}

std::string narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
  result.resize(static_cast<size_t>(size - 1));
  return result;
}

// path in the long-path form ("\\?\" and the absolute path) when it or its
// absolute form is too long for the ANSI calls; empty when they take path
// as it is.
std::wstring long_form(const char* path) {
  const std::wstring wide = widen(path);
  if (wide.empty()) return {};
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return {};
  full.resize(length);
  if (full.size() < kAnsiPathLimit && std::strlen(path) < kAnsiPathLimit) return {};
  // Paths already in the long-path form or naming a device stay as they are.
  if (full.rfind(L"\\\\?\\", 0) == 0 || full.rfind(L"\\\\.\\", 0) == 0) return full;
  if (full.rfind(L"\\\\", 0) == 0) return kLongUncPrefix + full.substr(2);
  return kLongPrefix + full;
}

// A path in the long-path form as the program writes it: without the prefix.
std::string without_prefix(const std::wstring& path) {
  if (path.rfind(kLongUncPrefix, 0) == 0) return narrow(L"\\\\" + path.substr(std::wcslen(kLongUncPrefix)));
  if (path.rfind(kLongPrefix, 0) == 0) return narrow(path.substr(std::wcslen(kLongPrefix)));
  return narrow(path);
}

// The wide form of path for a wide call: the long-path form where needed.
std::wstring wide_path(const char* path) {
  std::wstring wide = long_form(path);
  return wide.empty() ? widen(path) : wide;
}

bool attributes_of(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data) {
  const std::wstring wide = long_form(path);
  return wide.empty() ? GetFileAttributesExA(path, GetFileExInfoStandard, data)
                      : GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, data);
}

// A file with the read-only attribute is neither written over nor moved
// away to be replaced (an in-place copy), whoever runs the program.
bool read_only(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return attributes_of(path, &data) && (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 &&
         (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Whether the last name in path is one that Windows gives to a device in
// every folder (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with any
// extension). The program copies files: it never opens a device.
bool names_device(const char* path) {
  const char* name = path[0] != '\0' && path[1] == ':' ? path + 2 : path;
  for (const char* p = name; *p != '\0'; p += char_length(p)) {
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  size_t length = std::strcspn(name, ".:");
  while (length > 0 && name[length - 1] == ' ') --length;
  for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
    if (length == 3 && _strnicmp(name, device, 3) == 0) return true;
  }
  const bool numbered = _strnicmp(name, "COM", 3) == 0 || _strnicmp(name, "LPT", 3) == 0;
  return length == 4 && numbered && name[3] >= '1' && name[3] <= '9';
}

}  // namespace

struct FindSearch {
  HANDLE handle;
  bool wide;  // listed by the wide calls, through the long-path form
};

uint32_t last_error() { return GetLastError(); }
void set_last_error(uint32_t code) { SetLastError(code); }

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

bool truncate_file(FileHandle file) {
  if (faults::fires(faults::Operation::kWrite)) return false;
  LARGE_INTEGER start = {};
  return SetFilePointerEx(to_handle(file), start, nullptr, FILE_BEGIN) && SetEndOfFile(to_handle(file));
}

bool flush_file(FileHandle file) {
  if (faults::fires(faults::Operation::kWrite)) return false;
  return FlushFileBuffers(to_handle(file)) != FALSE;
}

bool flush_folder_of(const char*) {
  if (faults::fires(faults::Operation::kWrite)) return false;
  return true;
}

// GetFileAttributesExA does not follow a symbolic link: it tells about the
// name itself already.
bool name_status(const char* path, PathStatus* status) { return path_status(path, status); }

uint32_t long_path(const char* path, char* out, uint32_t out_size) {
  // A path longer than the limit as typed is refused by that length, as on
  // every system, even where '..' parts would make it shorter: the long form
  // keeps every part as typed.
  const size_t typed = std::strlen(path);
  if (typed > kMaxPath && typed + 1 > out_size) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return attributes_of(path, &data) ? static_cast<uint32_t>(typed + 1) : 0;
  }
  const std::wstring wide = long_form(path);
  if (wide.empty()) return GetLongPathNameA(path, out, out_size);
  // The long form comes back absolute; making it absolute again keeps it.
  const DWORD size = GetLongPathNameW(wide.c_str(), nullptr, 0);
  if (size == 0) return 0;
  std::wstring found(size, L'\0');
  const DWORD length = GetLongPathNameW(wide.c_str(), found.data(), size);
  if (length == 0) return 0;
  if (length >= size) {
    // The name grew between the two calls.
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return 0;
  }
  found.resize(length);
  const std::string result = without_prefix(found);
  if (result.size() + 1 > out_size) return static_cast<uint32_t>(result.size() + 1);
  std::memcpy(out, result.c_str(), result.size() + 1);
  return static_cast<uint32_t>(result.size());
}

bool full_path(const char* path, char* out, size_t out_size) {
  const std::wstring wide = long_form(path);
  if (wide.empty()) {
    if (_fullpath(out, path, out_size) == nullptr) return fail(ERROR_FILENAME_EXCED_RANGE);
    return true;
  }
  const std::string result = without_prefix(wide);
  if (result.empty() || result.size() + 1 > out_size) return fail(ERROR_FILENAME_EXCED_RANGE);
  std::memcpy(out, result.c_str(), result.size() + 1);
  return true;
}

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

namespace {

void take_item(const char* name, DWORD attributes, DWORD size_high, DWORD size_low, FindItem* item) {
  std::strncpy(item->name, name, kMaxPath);
  item->name[kMaxPath] = '\0';
  item->is_folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  item->size = (static_cast<uint64_t>(size_high) << 32) | size_low;
}

void take_item(const WIN32_FIND_DATAA& data, FindItem* item) {
  take_item(data.cFileName, data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, item);
}

void take_item(const WIN32_FIND_DATAW& data, FindItem* item) {
  take_item(narrow(data.cFileName).c_str(), data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, item);
}

}  // namespace

// A file created in place of the original takes the rights its folder hands
// down, as any new file there does; nothing is copied.
const bool kKeepsAttributes = true;

bool copy_access(FileHandle from, FileHandle to) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  constexpr SECURITY_INFORMATION kWanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD error = GetSecurityInfo(to_handle(from), SE_FILE_OBJECT, kWanted, &owner, nullptr, &dacl, nullptr,
                                &descriptor);
  if (error != ERROR_SUCCESS) return fail(error);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(descriptor, &control, &revision);
  // The original's list of rights, as protected from its folder as it was.
  const SECURITY_INFORMATION dacl_kind = DACL_SECURITY_INFORMATION | ((control & SE_DACL_PROTECTED) != 0
                                                                          ? PROTECTED_DACL_SECURITY_INFORMATION
                                                                          : UNPROTECTED_DACL_SECURITY_INFORMATION);
  error = SetSecurityInfo(to_handle(to), SE_FILE_OBJECT, dacl_kind | OWNER_SECURITY_INFORMATION, owner, nullptr, dacl,
                          nullptr);
  // An owner the process may not give: the file stays the process's, with the original's rights.
  if (error == ERROR_INVALID_OWNER || error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD) {
    error = SetSecurityInfo(to_handle(to), SE_FILE_OBJECT, dacl_kind, nullptr, nullptr, dacl, nullptr);
  }
  LocalFree(descriptor);
  return error == ERROR_SUCCESS || fail(error);
}

FindSearch* find_first(const char* pattern, FindItem* item) {
  if (faults::fires(faults::Operation::kFind)) return nullptr;
  const std::wstring wide = long_form(pattern);
  if (wide.empty()) {
    WIN32_FIND_DATAA data;
    const HANDLE handle = FindFirstFileA(pattern, &data);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    take_item(data, item);
    return new FindSearch{handle, false};
  }
  WIN32_FIND_DATAW data;
  const HANDLE handle = FindFirstFileW(wide.c_str(), &data);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  take_item(data, item);
  return new FindSearch{handle, true};
}

bool find_next(FindSearch* search, FindItem* item) {
  if (faults::fires(faults::Operation::kFind)) return false;
  if (search->wide) {
    WIN32_FIND_DATAW data;
    if (!FindNextFileW(search->handle, &data)) return false;
    take_item(data, item);
    return true;
  }
  WIN32_FIND_DATAA data;
  if (!FindNextFileA(search->handle, &data)) return false;
  take_item(data, item);
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

namespace {

// A request to stop, set by the console's handler, read between blocks.
volatile LONG g_interrupted = 0;
HANDLE g_main_thread = nullptr;
HANDLE g_wake_thread = nullptr;

BOOL WINAPI on_console_event(DWORD event) {
  InterlockedExchange(&g_interrupted, 1);
  // A write blocked on a full pipe gives up (995), so that the request is seen.
  if (g_main_thread != nullptr) CancelSynchronousIo(g_main_thread);
  if (HANDLE wake = g_wake_thread) CancelSynchronousIo(wake);
  // Closing the console ends the process once this returns: the run puts
  // its originals back meanwhile, and its end ends this thread too.
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) Sleep(INFINITE);
  return TRUE;
}

HANDLE this_thread() {
  HANDLE thread = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  return thread;
}

}  // namespace

void watch_interruptions() {
  InterlockedExchange(&g_interrupted, 0);
  if (g_main_thread == nullptr) g_main_thread = this_thread();
  SetConsoleCtrlHandler(on_console_event, TRUE);
}

bool interrupted() { return g_interrupted != 0; }

void wake_on_interruption(bool on) {
  HANDLE thread = on ? this_thread() : nullptr;
  HANDLE old = static_cast<HANDLE>(InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&g_wake_thread), thread));
  if (old != nullptr) CloseHandle(old);
}

void set_stdout_binary() { _setmode(_fileno(stdout), _O_BINARY); }

// Large pages need a privilege that a copy command should not ask for.
void advise_large_pages(void*, size_t) {}

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
