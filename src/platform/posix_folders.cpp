// POSIX (Linux and other POSIX systems): folder listings, read whole and
// sorted by name.

#include "platform/platform.h"
#include "platform/fault_injection.h"
#include "platform/posix_errors.h"
#include "platform/posix_paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix_portable.h"

namespace peltrix::platform {

// A listing read whole and sorted by name, so that every run lists a folder
// in the same order.
struct FindSearch {
  std::vector<FindItem> items;
  size_t next = 0;
};

FindSearch* find_first(const char* pattern, FindItem* item) {
  if (faults::fires(faults::Operation::kFind)) return nullptr;
  std::string folder = native(pattern);
  if (!folder.empty() && folder.back() == '*') folder.pop_back();
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder.empty()) folder.push_back('.');

  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) {
    fail_errno(folder);
    return nullptr;
  }
  auto* search = new FindSearch;
  const int dir_fd = dirfd(dir);
  while (const dirent* entry = readdir(dir)) {
    FindItem found;
    const size_t length = std::strlen(entry->d_name);
    if (length > kMaxPath) continue;
    std::memcpy(found.name, entry->d_name, length + 1);
    struct stat st;
    if (fstatat(dir_fd, entry->d_name, &st, 0) == 0 ||
        fstatat(dir_fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
      found.is_folder = S_ISDIR(st.st_mode);
      found.size = found.is_folder ? 0 : static_cast<uint64_t>(st.st_size);
    }
    search->items.push_back(found);
  }
  closedir(dir);
  std::sort(search->items.begin(), search->items.end(),
            [](const FindItem& a, const FindItem& b) { return std::strcmp(a.name, b.name) < 0; });
  if (search->items.empty()) {
    delete search;
    fail(kErrorFileNotFound);
    return nullptr;
  }
  *item = search->items[0];
  search->next = 1;
  return search;
}

bool find_next(FindSearch* search, FindItem* item) {
  if (faults::fires(faults::Operation::kFind)) return false;
  if (search->next >= search->items.size()) return fail(kErrorNoMoreFiles);
  *item = search->items[search->next++];
  return true;
}

bool find_close(FindSearch* search) {
  delete search;
  return true;
}

}  // namespace peltrix::platform
