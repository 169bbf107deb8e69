// POSIX (Linux and other POSIX systems): names in folders: what a path
// denotes (status, identity), and the changes to names: folders made, files
// renamed and removed, a folder's names flushed to the disk. With
// PELTRIX_LINUX_CALLS (Linux only) a rename refuses to replace with
// renameat2; without it, with a new link and an unlink.

#include "platform/platform.h"
#include "platform/fault_injection.h"
#include "platform/posix_errors.h"
#include "platform/posix_paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/posix_portable.h"

namespace peltrix::platform {

namespace {

// What path names: through a symbolic link at its end, or (follow false) the link itself.
bool status_of(const char* path, PathStatus* status, bool follow) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  const std::string name = native(path);
  struct stat st;
  if ((follow ? stat(name.c_str(), &st) : lstat(name.c_str(), &st)) != 0) return fail_errno(name);
  status->kind = S_ISREG(st.st_mode) ? PathKind::kFile : S_ISDIR(st.st_mode) ? PathKind::kFolder : PathKind::kOther;
  status->size = static_cast<int64_t>(st.st_size);
  return true;
}

}  // namespace

bool path_status(const char* path, PathStatus* status) { return status_of(path, status, true); }

bool path_identity(const char* path, FileIdentity* identity) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  const std::string name = native(path);
  struct stat st;
  if (stat(name.c_str(), &st) != 0) return fail_errno(name);
  identity->volume = static_cast<uint64_t>(st.st_dev);
  identity->index = static_cast<uint64_t>(st.st_ino);
  return true;
}

bool flush_folder_of(const char* path) {
  if (faults::fires(faults::Operation::kWrite)) return false;
  std::string folder = native(path);
  const size_t slash = folder.find_last_of('/');
  folder = slash == std::string::npos ? "." : slash == 0 ? "/" : folder.substr(0, slash);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return fail_errno(folder);
  int result = fsync(fd);
  while (result != 0 && errno == EINTR) result = fsync(fd);
  const int error = errno;
  close(fd);
  // Some file systems cannot sync a folder; their names need no more.
  if (result != 0 && error != EINVAL && error != EROFS) {
    errno = error;
    return fail_errno(folder);
  }
  return true;
}

bool name_status(const char* path, PathStatus* status) { return status_of(path, status, false); }

int make_folder(const char* path) {
  if (faults::fires(faults::Operation::kMkdir)) return -1;
  const std::string name = native(path);
  if (mkdir(name.c_str(), 0777) == 0) return 0;
  g_last_error = errno == ENOENT ? kErrorPathNotFound : map_errno(errno, name);
  return -1;
}

int rename_path(const char* from, const char* to) {
  if (faults::fires(faults::Operation::kRename)) return -1;
  const std::string old_name = native(from);
  const std::string new_name = native(to);
#ifdef PELTRIX_LINUX_CALLS
  if (renameat2(AT_FDCWD, old_name.c_str(), AT_FDCWD, new_name.c_str(), RENAME_NOREPLACE) == 0) return 0;
#else
  errno = ENOSYS;  // no rename that refuses to replace
#endif
  if (errno == EINVAL || errno == ENOSYS) {
    // The file system (or the system) cannot rename without replacing: a
    // new link fails where the name exists, and a link it meets is moved
    // itself, not followed.
    if (linkat(AT_FDCWD, old_name.c_str(), AT_FDCWD, new_name.c_str(), 0) == 0) {
      if (unlink(old_name.c_str()) == 0) return 0;
      const int error = errno;
      unlink(new_name.c_str());
      errno = error;
    }
  }
  if (errno == ENOENT) {
    struct stat st;
    g_last_error = stat(old_name.c_str(), &st) != 0 ? not_found_code(old_name) : kErrorPathNotFound;
    return -1;
  }
  g_last_error = map_errno(errno, new_name);
  return -1;
}

int replace_path(const char* from, const char* to) {
  if (faults::fires(faults::Operation::kRename)) return -1;
  const std::string old_name = native(from);
  const std::string new_name = native(to);
  if (rename(old_name.c_str(), new_name.c_str()) == 0) return 0;
  g_last_error = map_errno(errno, new_name);
  return -1;
}

int remove_file(const char* path) {
  if (faults::fires(faults::Operation::kRemove)) return -1;
  const std::string name = native(path);
  if (unlink(name.c_str()) == 0) return 0;
  g_last_error = map_errno(errno, name);
  return -1;
}

}  // namespace peltrix::platform
