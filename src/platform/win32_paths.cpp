// Windows: path text and the forms of a path the calls take. A path whose
// absolute form is too long for the ANSI calls goes to their wide
// counterparts in the long-path form instead, so that every path the program
// accepts (up to 260 characters) reaches the system. Also the long and full
// forms of a path, device names and the characters of the system code page.

#include "platform/platform.h"
#include "platform/win32_errors.h"
#include "platform/win32_paths.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace peltrix::platform {

const char kFolderSeparator = '\\';

namespace {

// The ANSI calls take paths of fewer than MAX_PATH characters, and a folder
// to create only when room for an 8.3 name is left below that.
constexpr size_t kAnsiPathLimit = MAX_PATH - 12;
constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

}  // namespace

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

size_t char_length(const char* text) {
  if (text[0] == '\0') return 0;
  if (IsDBCSLeadByte(static_cast<BYTE>(text[0])) && text[1] != '\0') return 2;
  return 1;
}

}  // namespace peltrix::platform
