// The platform operations on Linux and other POSIX systems.
//
// Users write '\' between folder names; it becomes '/' before a path reaches
// the system, and '.' and '..' parts are taken away by the text, as Windows
// takes them away. Failures are reported with the Windows error numbers that
// the rest of the program tells apart, and their texts are this layer's own.
// With PELTRIX_LINUX_CALLS the layer copies between files inside the system
// (copy_file_range) and renames without replacing (renameat2); without it,
// it uses only what every POSIX system has.

#include "platform/platform.h"
#include "platform/fault_injection.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/types.h>
#ifdef PELTRIX_LINUX_CALLS
#include <sys/xattr.h>
#endif
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#ifndef PELTRIX_LINUX_CALLS
#pragma GCC poison copy_file_range renameat2 loff_t
#endif

namespace peltrix::platform {

const char kFolderSeparator = '/';

namespace {

thread_local uint32_t g_last_error = 0;

// A request to stop, set by the signal handler and read between blocks.
volatile sig_atomic_t g_interrupted = 0;
// The second thread whose blocking call a request cuts short, and the
// handlers busy sending it the signal (it must not end meanwhile).
std::atomic<bool> g_wake_set{false};
pthread_t g_wake_thread;
std::atomic<int> g_waking{0};
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

void on_stop_signal(int signal_number) {
  const bool first = g_interrupted == 0;
  g_interrupted = 1;
  if (!first) return;
  g_waking.fetch_add(1);
  if (g_wake_set.load() && pthread_equal(g_wake_thread, pthread_self()) == 0) {
    pthread_kill(g_wake_thread, signal_number);
  }
  g_waking.fetch_sub(1);
}

// Codes of this layer's own choosing for errno values that Windows has no
// direct counterpart for: the customer bit with the errno value, which the
// system-error lines report with the "no text" wording.
constexpr uint32_t kCustomerBit = 0x20000000u;
constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorTooManyOpenFiles = 4;
constexpr uint32_t kErrorNotSameDevice = 17;
constexpr uint32_t kErrorWriteProtect = 19;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorInsufficientBuffer = 122;
constexpr uint32_t kErrorNegativeSeek = 131;
constexpr uint32_t kErrorDirNotEmpty = 145;
constexpr uint32_t kErrorBusy = 170;
constexpr uint32_t kErrorFileTooLarge = 223;
constexpr uint32_t kErrorMessageNotFound = 317;
constexpr uint32_t kErrorIoDevice = 1117;
constexpr uint32_t kErrorCantResolveFilename = 1921;

// The parts of a path with '/' between them, '.' and empty parts left out
// and each '..' taking the part before it away; a '..' above the start of a
// relative path stays, one above the root goes. Symbolic links play no part.
std::vector<std::string> lexical_parts(const std::string& path) {
  const bool absolute = !path.empty() && path.front() == '/';
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..") {
        parts.pop_back();
      } else if (!absolute) {
        parts.push_back(part);
      }
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  return parts;
}

// path with every '\' that is a character of its own turned into '/': the
// trail byte of a two-byte character stays (CP932 build: 表 is 95 5C).
std::string slashed_path(const char* path) {
  std::string slashed(path);
  for (size_t i = 0; i < slashed.size(); i += char_length(slashed.c_str() + i)) {
    if (slashed[i] == '\\') slashed[i] = '/';
  }
  return slashed;
}

// The path as the system wants it: every '\' becomes '/', and '.' and '..'
// parts go by the text, as the full path goes, so that "link\..\f.txt" is
// the f.txt beside the link (as on Windows), the file the copy opens, never
// the one beside the link's target.
std::string native(const char* path) {
  const std::string slashed = slashed_path(path);
  if (slashed.empty()) return slashed;
  std::string result(slashed.front() == '/' ? "/" : "");
  for (const std::string& part : lexical_parts(slashed)) {
    if (!result.empty() && result.back() != '/') result.push_back('/');
    result += part;
  }
  if (result.empty()) result.push_back('.');
  // A final separator still asks for a folder.
  if (slashed.back() == '/' && result.back() != '/') result.push_back('/');
  return result;
}

// ENOENT means 2 when the folder that would hold the name exists, else 3.
uint32_t not_found_code(const std::string& native_path) {
  std::string parent;
  const size_t slash = native_path.find_last_of('/');
  if (slash == std::string::npos) {
    parent.assign(1, '.');
  } else if (slash == 0) {
    parent.assign(1, '.');
  } else {
    parent = native_path.substr(0, slash);
  }
  struct stat st;
  if (stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return kErrorFileNotFound;
  return kErrorPathNotFound;
}

// Windows error number for errno after an operation on native_path.
uint32_t map_errno(int error, const std::string& native_path) {
  switch (error) {
    case ENOENT: return not_found_code(native_path);
    case ENOTDIR: return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR: return kErrorAccessDenied;
    case EWOULDBLOCK: return kErrorSharingViolation;
    case EEXIST: return kErrorAlreadyExists;
    case EPIPE: return kErrorBrokenPipe;
    case ENOSPC:
    case EDQUOT: return kErrorDiskFull;
    case ENAMETOOLONG: return kErrorFilenameTooLong;
    case EBADF: return kErrorInvalidHandle;
    case EMFILE:
    case ENFILE: return kErrorTooManyOpenFiles;
    case ENOMEM: return kErrorNotEnoughMemory;
    case EXDEV: return kErrorNotSameDevice;
    case EROFS: return kErrorWriteProtect;
    case ENOTSUP: return kErrorNotSupported;
    case EINVAL: return kErrorInvalidParameter;
    case ENOTEMPTY: return kErrorDirNotEmpty;
    case EBUSY:
    case ETXTBSY: return kErrorBusy;
    case EFBIG: return kErrorFileTooLarge;
    case EIO: return kErrorIoDevice;
    case ELOOP: return kErrorCantResolveFilename;
    default: return kCustomerBit | static_cast<uint32_t>(error);
  }
}

bool fail(uint32_t code) {
  g_last_error = code;
  return false;
}

bool fail_errno(const std::string& native_path) {
  return fail(map_errno(errno, native_path));
}

// A write that a non-blocking file (standard output on a pipe its reader
// set so) refuses for now, because it is full.
bool is_full(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

// Waits until fd can take more bytes; false with errno set when it cannot be
// waited for.
bool wait_until_writable(int fd) {
  pollfd wanted{fd, POLLOUT, 0};
  while (poll(&wanted, 1, -1) < 0) {
    if (errno != EINTR || g_interrupted != 0) return false;
  }
  return true;
}

// A call that a signal cut short, or a wait for a full pipe, after the run
// was asked to stop: the operation gives up with 995.
bool given_up(int error) { return (error == EINTR || is_full(error)) && g_interrupted != 0; }

int64_t given_up_range() {
  g_last_error = kErrorOperationAborted;
  return -1;
}

// A change of owner or group that the system refuses to this process (not
// privileged, or an id it does not know).
bool owner_refused(int error) { return error == EPERM || error == EINVAL; }

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

struct SystemText {
  uint32_t code;
  const char* text;
};

// The texts that the system-error lines print for the codes this layer
// reports, in the wording Windows uses for them.
constexpr SystemText kSystemTexts[] = {
    {2, "指定されたファイルが見つかりません。"},
    {3, "指定されたパスが見つかりません。"},
    {4, "システムはファイルを開くことができません。"},
    {5, "アクセスが拒否されました。"},
    {6, "ハンドルが無効です。"},
    {8, "このコマンドを実行するのに十分な記憶域がありません。"},
    {17, "システムはファイルを別のディスク ドライブに移動できません。"},
    {18, "これ以上ファイルはありません。"},
    {19, "メディアは書き込み禁止になっています。"},
    {32, "プロセスはファイルにアクセスできません。別のプロセスが使用中です。"},
    {38, "ファイルの終わりに達しました。"},
    {50, "要求はサポートされていません。"},
    {80, "ファイルが存在します。"},
    {87, "パラメーターが間違っています。"},
    {109, "パイプは終了しました。"},
    {112, "ディスクに十分な空き領域がありません。"},
    {122, "システム コール エリアに渡されるデータ領域が小さすぎます。"},
    {131, "ファイル ポインターをファイルの先頭より前に設定しようとしました。"},
    {145, "ディレクトリが空ではありません。"},
    {170, "要求されたリソースは使用中です。"},
    {183, "既に存在するファイルを作成することはできません。"},
    {206, "ファイル名または拡張子が長すぎます。"},
    {223, "ファイルのサイズが制限を超えているため、保存できません。"},
    {995, "スレッドの終了またはアプリケーションの要求によって、I/O 処理は中止されました。"},
    {1117, "I/O デバイス エラーが発生したため、要求を実行できませんでした。"},
    {1921, "ファイル名を解決できません。"},
};

}  // namespace

uint32_t last_error() { return g_last_error; }
void set_last_error(uint32_t code) { g_last_error = code; }

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

FileHandle stdout_handle() { return STDOUT_FILENO; }

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

bool path_status(const char* path, PathStatus* status) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  const std::string name = native(path);
  struct stat st;
  if (stat(name.c_str(), &st) != 0) return fail_errno(name);
  status->kind = S_ISREG(st.st_mode) ? PathKind::kFile : S_ISDIR(st.st_mode) ? PathKind::kFolder : PathKind::kOther;
  status->size = static_cast<int64_t>(st.st_size);
  return true;
}

bool path_identity(const char* path, FileIdentity* identity) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  const std::string name = native(path);
  struct stat st;
  if (stat(name.c_str(), &st) != 0) return fail_errno(name);
  identity->volume = static_cast<uint64_t>(st.st_dev);
  identity->index = static_cast<uint64_t>(st.st_ino);
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

bool name_status(const char* path, PathStatus* status) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  const std::string name = native(path);
  struct stat st;
  if (lstat(name.c_str(), &st) != 0) return fail_errno(name);
  status->kind = S_ISREG(st.st_mode) ? PathKind::kFile : S_ISDIR(st.st_mode) ? PathKind::kFolder : PathKind::kOther;
  status->size = static_cast<int64_t>(st.st_size);
  return true;
}

uint32_t long_path(const char* path, char* out, uint32_t out_size) {
  // There are no short names: the long form of an existing path is the path.
  const std::string name = native(path);
  struct stat st;
  if (stat(name.c_str(), &st) != 0) {
    fail_errno(name);
    return 0;
  }
  const size_t length = std::strlen(path);
  if (length + 1 > out_size) return static_cast<uint32_t>(length + 1);
  std::memcpy(out, path, length + 1);
  return static_cast<uint32_t>(length);
}

bool full_path(const char* path, char* out, size_t out_size) {
  std::string joined;
  if (!is_folder_separator(path[0])) {
    std::vector<char> cwd(4096);
    if (getcwd(cwd.data(), cwd.size()) == nullptr) return fail_errno("");
    joined = cwd.data();
    joined += '/';
  }
  joined += slashed_path(path);

  // Symbolic links are not resolved: the parts go by the text alone.
  std::string result;
  for (const std::string& part : lexical_parts(joined)) result += "/" + part;
  if (result.empty()) result.push_back('/');

  if (result.size() + 1 > out_size) return fail(kErrorFilenameTooLong);
  std::memcpy(out, result.c_str(), result.size() + 1);
  return true;
}

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

namespace {

// Whether the process counts as a member of group when the system checks access.
bool in_group(gid_t group) {
  if (getegid() == group) return true;
  const int count = getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<size_t>(count));
  const int listed = getgroups(count, groups.data());
  return listed > 0 && std::find(groups.begin(), groups.begin() + listed, group) != groups.begin() + listed;
}

// What the new file's owner and group are of the original's.
struct Kept {
  bool owner;
  bool group;
  mode_t owner_may;  // rwx (as owner bits) the process had on the original, when the owner is not kept
};

Kept kept_of(const struct stat& original, const struct stat& now) {
  const mode_t mode = original.st_mode;
  const mode_t through_class = in_group(original.st_gid) ? (mode & S_IRWXG) << 3 : (mode & S_IRWXO) << 6;
  return Kept{now.st_uid == original.st_uid, now.st_gid == original.st_gid, through_class};
}

// The original's permission bits, less what would reach someone else: the
// owner's bits go to a new owner only as far as it had them already, the
// group's bits and set-id bits never to another owner or group.
mode_t kept_mode(mode_t mode, const Kept& kept) {
  mode &= 07777;
  if (!kept.owner) mode = (mode & ~static_cast<mode_t>(S_IRWXU | S_ISUID)) | (mode & kept.owner_may & S_IRWXU);
  if (!kept.group) mode &= ~static_cast<mode_t>(S_IRWXG | S_ISGID);
  return mode;
}

#ifdef PELTRIX_LINUX_CALLS
constexpr char kAccessAcl[] = "system.posix_acl_access";
constexpr char kDefaultAcl[] = "system.posix_acl_default";

// An extended attribute's value; false with errno set when it cannot be read.
bool attribute_of(int fd, const char* name, std::string& value) {
  for (;;) {
    const ssize_t size = fgetxattr(fd, name, nullptr, 0);
    if (size < 0) return false;
    value.resize(static_cast<size_t>(size));
    const ssize_t got = fgetxattr(fd, name, value.data(), value.size());
    if (got >= 0) {
      value.resize(static_cast<size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;  // grew meanwhile: ask again
  }
}

// The names of fd's extended attributes, each ended by '\0'.
bool attribute_names(int fd, std::string& names) {
  for (;;) {
    const ssize_t size = flistxattr(fd, nullptr, 0);
    names.clear();
    if (size == 0 || (size < 0 && errno == ENOTSUP)) return true;
    if (size < 0) return false;
    names.resize(static_cast<size_t>(size));
    const ssize_t got = flistxattr(fd, names.data(), names.size());
    if (got >= 0) {
      names.resize(static_cast<size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;
  }
}

// An access ACL as the system stores it: a version word, then entries of a
// tag, permissions and an id. The owner's and the owning group's entries
// are cut as kept_mode cuts the bits.
constexpr size_t kAclHeader = 4;
constexpr size_t kAclEntry = 8;
constexpr uint16_t kAclUserObject = 0x01;
constexpr uint16_t kAclGroupObject = 0x04;

void keep_acl(std::string& acl, const Kept& kept) {
  for (size_t at = kAclHeader; at + kAclEntry <= acl.size(); at += kAclEntry) {
    uint16_t tag = 0;
    uint16_t permissions = 0;
    std::memcpy(&tag, acl.data() + at, 2);
    std::memcpy(&permissions, acl.data() + at + 2, 2);
    if (tag == kAclUserObject && !kept.owner) permissions &= static_cast<uint16_t>(kept.owner_may >> 6);
    if (tag == kAclGroupObject && !kept.group) permissions = 0;
    std::memcpy(acl.data() + at + 2, &permissions, 2);
  }
}

// Every extended attribute of from on to but the ACLs, an equal one left alone.
bool copy_attributes(int from, int to) {
  std::string names;
  if (!attribute_names(from, names)) return false;
  for (size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1) {
    const char* name = names.c_str() + at;
    if (std::strcmp(name, kAccessAcl) == 0 || std::strcmp(name, kDefaultAcl) == 0) continue;
    std::string value;
    std::string present;
    if (!attribute_of(from, name, value)) {
      if (errno == ENODATA) continue;  // gone meanwhile
      return false;
    }
    if (attribute_of(to, name, present) && present == value) continue;
    if (fsetxattr(to, name, value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}

// The original's access ACL, cut to what is kept; without one, any ACL the
// new file took from its folder goes, so that only its bits decide.
bool copy_acl(int from, int to, const Kept& kept) {
  std::string acl;
  if (!attribute_of(from, kAccessAcl, acl)) {
    if (errno != ENODATA && errno != ENOTSUP) return false;
    return fremovexattr(to, kAccessAcl) == 0 || errno == ENODATA || errno == ENOTSUP;
  }
  keep_acl(acl, kept);
  return fsetxattr(to, kAccessAcl, acl.data(), acl.size(), 0) == 0;
}

#else
// Other systems keep their attributes and ACLs their own ways: only the
// owner, the group and the bits are copied there.
bool copy_attributes(int, int) { return true; }
bool copy_acl(int, int, const Kept&) { return true; }
#endif

}  // namespace

#ifdef PELTRIX_LINUX_CALLS
const bool kKeepsAttributes = true;
#else
const bool kKeepsAttributes = false;
#endif

bool copy_access(FileHandle from, FileHandle to) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  const int source = static_cast<int>(from);
  const int fd = static_cast<int>(to);
  struct stat original;
  if (fstat(source, &original) != 0) return fail_errno("");
  // Owner and group first: a change of owner clears set-id bits, which the
  // mode then sets. Where the owner may not be given, the group still may.
  if (fchown(fd, original.st_uid, original.st_gid) != 0) {
    if (!owner_refused(errno)) return fail_errno("");
    if (fchown(fd, static_cast<uid_t>(-1), original.st_gid) != 0 && !owner_refused(errno)) return fail_errno("");
  }
  struct stat now;
  if (fstat(fd, &now) != 0) return fail_errno("");
  const Kept kept = kept_of(original, now);
  // The attributes go on while the file is still its owner's alone; the
  // ACL last, as it sets the bits again from its entries.
  if (!copy_attributes(source, fd)) return fail_errno("");
  if (fchmod(fd, kept_mode(original.st_mode, kept)) != 0) return fail_errno("");
  if (copy_acl(source, fd, kept)) return true;
  const int error = errno;
  fchmod(fd, 0600);
  errno = error;
  return fail_errno("");
}

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

uint32_t system_message(uint32_t code, char* buffer, uint32_t size) {
  for (const SystemText& entry : kSystemTexts) {
    if (entry.code != code) continue;
    const size_t length = std::strlen(entry.text) + 2;
    if (length + 1 > size) {
      fail(kErrorInsufficientBuffer);
      return 0;
    }
    std::snprintf(buffer, size, "%s\r\n", entry.text);
    return static_cast<uint32_t>(length);
  }
  fail(kErrorMessageNotFound);
  return 0;
}

void guard_standard_streams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // Read-only: data meant for a closed stream is refused, never swallowed.
    const int placeholder = open("/dev/null", O_RDONLY);
    if (placeholder >= 0 && placeholder != fd) {
      dup2(placeholder, fd);
      close(placeholder);
    }
  }
}

void guard_file_size_limit() {
  // Past the limit write() then fails with EFBIG, which is reported as 223.
  signal(SIGXFSZ, SIG_IGN);
}

void advise_large_pages(void* start, size_t length) {
#ifdef MADV_HUGEPAGE
  madvise(start, length, MADV_HUGEPAGE);
#else
  (void)start;
  (void)length;
#endif
}

void watch_interruptions() {
  g_interrupted = 0;
  struct sigaction action {};
  action.sa_handler = on_stop_signal;
  sigemptyset(&action.sa_mask);
  for (const int signal_number : kStopSignals) sigaddset(&action.sa_mask, signal_number);
  // No SA_RESTART: a write blocked on a full pipe returns, so that the
  // request is seen.
  action.sa_flags = 0;
  for (const int signal_number : kStopSignals) sigaction(signal_number, &action, nullptr);
}

bool interrupted() { return g_interrupted != 0; }

void wake_on_interruption(bool on) {
  if (on) {
    g_wake_thread = pthread_self();
    g_wake_set = true;
    return;
  }
  g_wake_set = false;
  // A handler that read the thread before it was taken away sends its signal first.
  while (g_waking.load() != 0) {
  }
}

void set_stdout_binary() {
  // Bytes pass unchanged already; a closed pipe must give an error, not a signal.
  signal(SIGPIPE, SIG_IGN);
}

bool write_stdout(const void* buffer, uint32_t size, uint32_t* written_count) {
  *written_count = 0;
  if (faults::fires(faults::Operation::kWrite)) return false;
  // A reader that takes nothing must not keep a stopped run waiting.
  if (g_interrupted != 0) return fail(kErrorOperationAborted);
  for (;;) {
    const ssize_t n = write(STDOUT_FILENO, buffer, size);
    if (n >= 0) {
      *written_count = static_cast<uint32_t>(n);
      return true;
    }
    if (given_up(errno)) return fail(kErrorOperationAborted);
    if (is_full(errno) && wait_until_writable(STDOUT_FILENO)) continue;
    if (errno != EINTR) {
      *written_count = 0;
      return fail_errno("");
    }
  }
}

void write_text(bool to_error, const char* text, size_t size) {
  const int fd = to_error ? STDERR_FILENO : STDOUT_FILENO;
  while (size > 0) {
    const ssize_t n = write(fd, text, size);
    if (n > 0) {
      text += n;
      size -= static_cast<size_t>(n);
    } else if (n == 0 || (errno != EINTR && !(is_full(errno) && wait_until_writable(fd)))) {
      return;
    }
  }
}

LocalDate local_date() {
  const time_t now = time(nullptr);
  struct tm parts {};
  localtime_r(&now, &parts);
  return LocalDate{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

#ifdef PELTRIX_CP932_NAMES
// Names are CP932, as on Windows with code page 932: a lead byte (81-9F,
// E0-FC) and a trail byte (40-7E, 80-FC) are one character, so that a trail
// byte is never taken for '\' or '|'. A byte that cannot be a trail, such
// as the '/' of a full path, stands alone.
size_t char_length(const char* text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead == 0) return 0;
  const auto trail = static_cast<unsigned char>(text[1]);
  const bool is_lead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  const bool is_trail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
  return is_lead && is_trail ? 2 : 1;
}
#else
// Names are UTF-8, whose characters never hold a byte below 0x80 but their own.
size_t char_length(const char* text) { return text[0] == '\0' ? 0 : 1; }
#endif

}  // namespace peltrix::platform
