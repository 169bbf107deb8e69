// Windows: folder listings, by the ANSI calls or, for a long path, by the
// wide calls through the long-path form.

#include "platform/platform.h"
#include "platform/fault_injection.h"
#include "platform/win32_paths.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace peltrix::platform {

struct FindSearch {
  HANDLE handle;
  bool wide;  // listed by the wide calls, through the long-path form
};

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

}  // namespace peltrix::platform
