// POSIX (Linux and other POSIX systems): open files, their reads and
// writes, positions and information, and the copy between two files inside
// the system. With PELTRIX_LINUX_CALLS (Linux only) that copy is
// copy_file_range; without it, the bytes pass through a buffer of this layer.

#include "platform/platform.h"
#include "platform/fault_injection.h"
#include "platform/posix_errors.h"
#include "platform/posix_interruptions.h"
#include "platform/posix_paths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/posix_portable.h"

namespace peltrix::platform {

namespace {

int64_t given_up_range() {
  g_last_error = kErrorOperationAborted;
  return -1;
}

int open_flags(uint32_t access, uint32_t disposition, uint32_t flags) {
  int result = O_CLOEXEC | O_NONBLOCK;
  const bool reads = (access & kGenericRead) != 0;
  const bool writes = (access & kGenericWrite) != 0;
  result |= writes ? (reads ? O_RDWR : O_WRONLY) : O_RDONLY;
  // A new file is made at the name itself: a link planted there is refused.
  if (disposition == kCreateNew) result |= O_CREAT | O_EXCL | O_NOFOLLOW;
  if (disposition == kCreateAlways || disposition == kOpenAlways) result |= O_CREAT;
  if (writes && (flags & kFlagWriteThrough) != 0) result |= O_DSYNC;
  return result;
}

// Fills the buffer as far as the file allows, as ReadFile does for a disk
// file: read_some(into, wanted, done) is one read call.
template <typename ReadSome>
bool fill(void* buffer, uint32_t size, uint32_t* read_count, ReadSome&& read_some) {
  *read_count = 0;
  if (faults::fires(faults::Operation::kRead)) return false;
  uint32_t total = 0;
  while (total < size) {
    const uint32_t wanted = size - total;
    const ssize_t n = read_some(static_cast<char*>(buffer) + total, wanted, total);
    if (n < 0) {
      if (errno == EINTR) continue;
      *read_count = total;
      return fail_errno("");
    }
    total += static_cast<uint32_t>(n);
    // A regular file reads short only at its end: no call to confirm it.
    if (static_cast<uint32_t>(n) < wanted) break;
  }
  *read_count = total;
  return true;
}

}  // namespace

FileHandle open_file(const char* path, uint32_t access, uint32_t share_mode,
                     uint32_t disposition, uint32_t flags) {
  const std::string name = native(path);
  faults::run_open_hook(name.c_str(), (access & kGenericWrite) != 0);
  if (faults::fires(faults::Operation::kOpen)) return kInvalidFile;
  const mode_t mode = (flags & kFlagOwnerOnly) != 0 ? 0600 : 0666;
  const int fd = open(name.c_str(), open_flags(access, disposition, flags), mode);
  if (fd < 0) {
    g_last_error = errno == EEXIST ? kErrorFileExists : map_errno(errno, name);
    return kInvalidFile;
  }
  // Only regular files are opened; anything else (a folder, a pipe, a device
  // met in a folder scan) is refused as Windows refuses a folder.
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    g_last_error = kErrorAccessDenied;
    return kInvalidFile;
  }
  // An exclusive open holds the file for as long as it stays open.
  if ((share_mode & ~kShareDelete) == 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(fd);
    g_last_error = error == EWOULDBLOCK ? kErrorSharingViolation : map_errno(error, name);
    return kInvalidFile;
  }
  // Truncate only now that the file is held, so a file held elsewhere is never changed.
  if (disposition == kCreateAlways && st.st_size > 0 && ftruncate(fd, 0) != 0) {
    const int error = errno;
    close(fd);
    g_last_error = map_errno(error, name);
    return kInvalidFile;
  }
  // O_NONBLOCK stays: it kept a pipe from blocking the open, and changes
  // nothing for the regular file this is.
  return fd;
}

bool read_file(FileHandle file, void* buffer, uint32_t size, uint32_t* read_count) {
  return fill(buffer, size, read_count, [file](char* into, uint32_t wanted, uint32_t) {
    return read(static_cast<int>(file), into, wanted);
  });
}

bool write_file(FileHandle file, const void* buffer, uint32_t size, uint32_t* written_count) {
  *written_count = 0;
  if (faults::fires(faults::Operation::kWrite)) return last_error() == faults::kTakesNothing;
  for (;;) {
    const ssize_t n = write(static_cast<int>(file), buffer, size);
    if (n >= 0) {
      *written_count = static_cast<uint32_t>(n);
      return true;
    }
    if (errno != EINTR) {
      *written_count = 0;
      return fail_errno("");
    }
  }
}

bool close_file(FileHandle file) {
  if (faults::fires(faults::Operation::kClose)) {
    const uint32_t error = g_last_error;
    close(static_cast<int>(file));
    return fail(error);
  }
  if (close(static_cast<int>(file)) != 0) return fail_errno("");
  return true;
}

bool read_file_at(FileHandle file, int64_t offset, void* buffer, uint32_t size, uint32_t* read_count) {
  return fill(buffer, size, read_count, [file, offset](char* into, uint32_t wanted, uint32_t done) {
    return pread(static_cast<int>(file), into, wanted, static_cast<off_t>(offset + done));
  });
}

#ifdef PELTRIX_LINUX_CALLS
int64_t copy_range(FileHandle source, int64_t source_offset, FileHandle destination, uint64_t length) {
  if (faults::fires(faults::Operation::kWrite)) return -1;
  loff_t offset = source_offset;
  uint64_t copied = 0;
  // The system copies whole pages much faster than parts of them: a range
  // that starts inside a page is copied up to that page's end first.
  const uint64_t head = (kPageSize - static_cast<uint64_t>(source_offset) % kPageSize) % kPageSize;
  while (copied < length) {
    uint64_t wanted = length - copied;
    if (copied == 0 && head != 0 && head < wanted) wanted = head;
    const ssize_t n = copy_file_range(static_cast<int>(source), &offset, static_cast<int>(destination), nullptr,
                                      wanted, 0);
    if (n > 0) {
      copied += static_cast<uint64_t>(n);
      // A long copy stops between its calls when the run is asked to.
      if (g_interrupted != 0 && copied < length) return given_up_range();
      continue;
    }
    if (n == 0) break;  // the source ends here
    if (given_up(errno)) return given_up_range();
    if (errno == EINTR) continue;
    if (is_full(errno) && wait_until_writable(static_cast<int>(destination))) continue;
    // These two files cannot be copied between inside the system (another
    // file system, a pipe): the caller copies through its own buffers. Any
    // other error, such as EFBIG past the file-size limit, is a failed write.
    const bool unsupported = errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
                             errno == EBADF || errno == ETXTBSY;
    if (unsupported && copied == 0) {
      g_last_error = kErrorNotSupported;
      return -1;
    }
    g_last_error = map_errno(errno, "");
    return -1;
  }
  return static_cast<int64_t>(copied);
}
#else
// No copy inside the system: the bytes pass through a buffer of this layer,
// read at their place and written at the destination's position, with the
// failures and waits of the system's copy.
int64_t copy_range(FileHandle source, int64_t source_offset, FileHandle destination, uint64_t length) {
  if (faults::fires(faults::Operation::kWrite)) return -1;
  const int to = static_cast<int>(destination);
  std::vector<char> buffer(static_cast<size_t>(std::min<uint64_t>(length, 1048576)));
  uint64_t copied = 0;
  while (copied < length) {
    // A long copy stops between its pieces when the run is asked to.
    if (g_interrupted != 0) return given_up_range();
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(length - copied, buffer.size()));
    const ssize_t n = pread(static_cast<int>(source), buffer.data(), wanted, static_cast<off_t>(source_offset + copied));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      g_last_error = map_errno(errno, "");
      return -1;
    }
    if (n == 0) break;  // the source ends here
    for (ssize_t done = 0; done < n;) {
      const ssize_t written = write(to, buffer.data() + done, static_cast<size_t>(n - done));
      if (written > 0) {
        done += written;
      } else if (written < 0 && given_up(errno)) {
        return given_up_range();
      } else if (written == 0 || (errno != EINTR && !(is_full(errno) && wait_until_writable(to)))) {
        g_last_error = written == 0 ? kErrorDiskFull : map_errno(errno, "");
        return -1;
      }
    }
    copied += static_cast<uint64_t>(n);
  }
  return static_cast<int64_t>(copied);
}
#endif

bool seek_file(FileHandle file, int64_t offset, SeekFrom from, int64_t* new_position) {
  if (faults::fires(faults::Operation::kSeek)) return false;
  const int whence = from == SeekFrom::kBegin ? SEEK_SET : from == SeekFrom::kCurrent ? SEEK_CUR : SEEK_END;
  const off_t result = lseek(static_cast<int>(file), static_cast<off_t>(offset), whence);
  if (result < 0) return fail(errno == EINVAL ? kErrorNegativeSeek : map_errno(errno, ""));
  if (new_position != nullptr) *new_position = result;
  return true;
}

bool file_information(FileHandle file, FileInformation* information) {
  if (faults::fires(faults::Operation::kInformation)) return false;
  struct stat st;
  if (fstat(static_cast<int>(file), &st) != 0) return fail_errno("");
  information->identity.volume = static_cast<uint64_t>(st.st_dev);
  information->identity.index = static_cast<uint64_t>(st.st_ino);
  information->size = static_cast<uint64_t>(st.st_size);
  information->links = static_cast<uint32_t>(st.st_nlink);
  return true;
}

bool truncate_file(FileHandle file) {
  if (faults::fires(faults::Operation::kWrite)) return false;
  if (ftruncate(static_cast<int>(file), 0) != 0) return fail_errno("");
  return true;
}

bool flush_file(FileHandle file) {
  if (faults::fires(faults::Operation::kWrite)) return false;
  while (fdatasync(static_cast<int>(file)) != 0) {
    if (errno != EINTR) return fail_errno("");
  }
  return true;
}

}  // namespace peltrix::platform
