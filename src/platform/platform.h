// The operations PELTRIX needs from the operating system, and nothing else.
//
// The win32_*.cpp files implement them with the Windows file API and the C
// runtime; the posix_*.cpp files give the same contract on Linux and other
// POSIX systems, one file per concept on both (paths, errors, files, names,
// access, folders, console, interruptions, process). Every
// failing operation leaves a Windows error number in last_error(), so that
// the rest of the program tells failures apart the same way on both.
#pragma once

#include <cstddef>
#include <cstdint>

namespace peltrix::platform {

// Windows error numbers that the program tells apart.
inline constexpr uint32_t kErrorFileNotFound = 2;
inline constexpr uint32_t kErrorPathNotFound = 3;
inline constexpr uint32_t kErrorAccessDenied = 5;
inline constexpr uint32_t kErrorNotEnoughMemory = 8;
inline constexpr uint32_t kErrorNoMoreFiles = 18;
inline constexpr uint32_t kErrorHandleEof = 38;
inline constexpr uint32_t kErrorSharingViolation = 32;
inline constexpr uint32_t kErrorNotSupported = 50;
inline constexpr uint32_t kErrorFileExists = 80;
inline constexpr uint32_t kErrorBrokenPipe = 109;
inline constexpr uint32_t kErrorDiskFull = 112;
inline constexpr uint32_t kErrorAlreadyExists = 183;
inline constexpr uint32_t kErrorFilenameTooLong = 206;
// An operation given up because the user asked the run to stop.
inline constexpr uint32_t kErrorOperationAborted = 995;

// Access, sharing, disposition and flag values as CreateFileA takes them.
inline constexpr uint32_t kGenericRead = 0x80000000u;
inline constexpr uint32_t kGenericWrite = 0x40000000u;
inline constexpr uint32_t kCreateNew = 1;
inline constexpr uint32_t kCreateAlways = 2;
inline constexpr uint32_t kOpenExisting = 3;
inline constexpr uint32_t kOpenAlways = 4;
// Share mode that lets others only rename or delete the file: it stays held
// for reading and writing, and can be moved while it is open.
inline constexpr uint32_t kShareDelete = 0x4u;
inline constexpr uint32_t kAttributeNormal = 0x80u;
inline constexpr uint32_t kFlagWriteThrough = 0x80000000u;
// The program's own flag beside them: a file the open creates is for its
// owner alone (POSIX mode 0600) until its permissions are set.
inline constexpr uint32_t kFlagOwnerOnly = 0x00010000u;

// Longest path the program builds, in bytes without the terminator.
inline constexpr size_t kMaxPath = 260;

// The system's own folder separator ('\' on Windows, '/' on POSIX).
extern const char kFolderSeparator;

// An open file; kInvalidFile when an open failed.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kInvalidFile = -1;

// Two names denote the same file when both identities are known and equal.
struct FileIdentity {
  uint64_t volume = 0;  // volume serial number (POSIX: st_dev)
  uint64_t index = 0;   // file index (POSIX: st_ino)
  bool operator==(const FileIdentity&) const = default;
};

// What the system tells about an open file.
struct FileInformation {
  FileIdentity identity;
  uint64_t size = 0;
  uint32_t links = 0;
};

enum class PathKind { kOther, kFile, kFolder };

// What the system tells about a path without opening it.
struct PathStatus {
  PathKind kind = PathKind::kOther;
  int64_t size = 0;
};

// One item of a folder listing.
struct FindItem {
  char name[kMaxPath + 1] = {};
  bool is_folder = false;
  uint64_t size = 0;
};

// A folder listing in progress.
struct FindSearch;

// Windows error number of the last failed operation of this layer.
uint32_t last_error();
void set_last_error(uint32_t code);

// Opens path with CreateFileA semantics; share mode 0 or kShareDelete takes
// the file exclusively (a second exclusive open fails with 32), and a truncating
// disposition truncates only once the file is held. kCreateNew never goes
// through anything already at the name, a link included (fails with 80).
// Only files are opened: a folder or a device fails with 5, and so does
// writing a file with the read-only attribute (Windows). kInvalidFile on failure.
FileHandle open_file(const char* path, uint32_t access, uint32_t share_mode,
                     uint32_t disposition, uint32_t flags);
// Reads at most size bytes; *read_count is 0 at the end of the file.
bool read_file(FileHandle file, void* buffer, uint32_t size, uint32_t* read_count);
// Writes size bytes; *written_count may be less than size without an error.
bool write_file(FileHandle file, const void* buffer, uint32_t size, uint32_t* written_count);
bool close_file(FileHandle file);
// Reads at most size bytes from offset, leaving the file position alone.
bool read_file_at(FileHandle file, int64_t offset, void* buffer, uint32_t size, uint32_t* read_count);
// Copies length bytes of source, from source_offset, to destination at its
// current position, inside the system (copy_file_range on Linux; Windows
// has none and refuses), without passing them through the program. Returns the bytes copied (fewer only at the source's end), or -1
// with the error in last_error(): 50 when the system cannot copy between
// these two files, before anything was copied. Waits while a non-blocking
// destination is full.
int64_t copy_range(FileHandle source, int64_t source_offset, FileHandle destination, uint64_t length);
// Whether copy_range copies at all: Windows has no copy between two open
// files inside the system, and nothing is to wait for one there.
#ifdef _WIN32
inline constexpr bool kSystemCopies = false;
#else
inline constexpr bool kSystemCopies = true;
#endif
// Standard output, for copy_range.
FileHandle stdout_handle();
enum class SeekFrom { kBegin, kCurrent, kEnd };
bool seek_file(FileHandle file, int64_t offset, SeekFrom from, int64_t* new_position);
bool file_information(FileHandle file, FileInformation* information);

// Identity of the file path names (links followed), asked without opening
// it for its data, so that it works while the file is held exclusively.
bool path_identity(const char* path, FileIdentity* identity);
// Cuts an open file to 0 bytes.
bool truncate_file(FileHandle file);
// Returns once the file's data written so far is on the disk.
bool flush_file(FileHandle file);
// Returns once the names in the folder that holds path are on the disk
// (POSIX; Windows keeps a file's name with the file, so nothing is to do).
bool flush_folder_of(const char* path);

// Status of a path. Fails with 2 when the folder exists but the name does
// not, with 3 when a folder on the way is missing. A device name (Windows:
// CON, NUL, COM1 ... in any folder, with any extension) is kOther.
bool path_status(const char* path, PathStatus* status);
// Status of the name itself: a symbolic link is not followed, so a dangling
// one exists (kind kOther). Fails as path_status does.
bool name_status(const char* path, PathStatus* status);

// Long form of an existing path (GetLongPathNameA), which keeps every part
// as typed, '..' too. Returns its length, the size needed with the
// terminator when out_size is too small, or 0 on failure with 2 or 3 in
// last_error().
uint32_t long_path(const char* path, char* out, uint32_t out_size);
// Absolute form of path (_fullpath). False, with nothing promised in out,
// when it would not fit in out_size bytes with its terminator.
bool full_path(const char* path, char* out, size_t out_size);

// Creates one folder; 0 on success, -1 on failure (_mkdir).
int make_folder(const char* path);
// Renames a file; fails with 183 when the new name exists, never replacing
// it, and with 5 for a file with the read-only attribute (Windows).
int rename_path(const char* from, const char* to);
// Renames a file over whatever the new name holds (a link is replaced, never
// followed); 0 on success. Puts an original back over a partial copy.
int replace_path(const char* from, const char* to);
// Deletes a file (remove); 0 on success.
int remove_file(const char* path);
// Gives the open file `to`, made by this run, the access of the open file
// `from`: owner and group where the process may set them, the permission
// bits, the extended attributes with the access control list (Windows: the
// owner and the access control list of its security descriptor). No one
// gets an access through `to` that `from` did not give them: the bits of an
// owner or group that cannot be kept, and the set-id bit that goes with it,
// are not handed to another. False with the error when something cannot be
// read or set; `to` is then its owner's alone.
bool copy_access(FileHandle from, FileHandle to);
// Whether copy_access keeps extended attributes and ACLs (Linux, Windows);
// elsewhere it keeps the owner, the group and the bits alone.
extern const bool kKeepsAttributes;

// Lists a folder; pattern is the folder followed by a separator and '*'.
// Returns nullptr when the folder cannot be listed; the first item is in *item.
FindSearch* find_first(const char* pattern, FindItem* item);
// Next item; false at the end (last_error() 18) or on failure.
bool find_next(FindSearch* search, FindItem* item);
bool find_close(FindSearch* search);

// The system's text for an error code, as FormatMessageA gives it (it may end
// with CR LF). Returns its length, or 0 when the system has no text, with the
// reason in last_error().
uint32_t system_message(uint32_t code, char* buffer, uint32_t size);

// Keeps a closed standard stream occupied, so that no file the program
// opens takes its place; writes to it then fail and are reported.
void guard_standard_streams();
// A write past the process's file-size limit fails with 223 and is reported,
// instead of ending the process (SIGXFSZ; Windows has no such limit).
void guard_file_size_limit();

// From here on, Ctrl-C, Ctrl-Break, SIGINT, SIGTERM, SIGHUP and the closing
// of the console ask the run to stop instead of ending the process; a wait
// for a full pipe then gives up with 995. Clears an earlier request.
void watch_interruptions();
// Whether the run has been asked to stop.
bool interrupted();
// While on, a request to stop also cuts short a blocking call of the calling
// thread (a second thread that may wait on a full pipe); off before it ends.
void wake_on_interruption(bool on);

// Standard output carries copied data unchanged from here on.
void set_stdout_binary();

// Size of the pages memory and the file cache are made of, and of the large
// pages the system may back memory with.
inline constexpr size_t kPageSize = 4096;
inline constexpr size_t kLargePageSize = 2097152;
// Asks the system to back [start, start + length) with large pages, so that
// its first use takes one fault instead of one per page; only a hint.
void advise_large_pages(void* start, size_t length);
// Writes to standard output; *written_count may be less than size. Waits
// while a non-blocking standard output is full.
bool write_stdout(const void* buffer, uint32_t size, uint32_t* written_count);

// Writes all of text to standard output (to_error false) or standard
// error, waiting while a non-blocking pipe is full; messages go this way.
// A stream that refuses the text is left alone: there is nowhere to say so.
void write_text(bool to_error, const char* text, size_t size);

struct LocalDate {
  int year = 0;   // e.g. 2026
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
};
LocalDate local_date();

// Length in bytes (1 or 2) of the character that starts at text in the
// system code page, so that a trail byte is never taken for '\' or '|'.
size_t char_length(const char* text);

// True for '\' and for the system's own folder separator.
bool is_folder_separator(char c);
// The last folder separator in path, found character by character in the
// system code page; nullptr when there is none.
const char* last_folder_separator(const char* path);

}  // namespace peltrix::platform
