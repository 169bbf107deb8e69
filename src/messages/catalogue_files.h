// The catalogue's failures of the calls on files and folders: each names
// the call and the file, then the system error. The code tells which step
// of the run made the call.
#pragma once

#include <cstdint>

namespace peltrix::messages {

// Kind words of the open failures: what the file is to the run.
inline constexpr char kSourceWord[] = "コピー元";
inline constexpr char kDestinationWord[] = "コピー先";

enum OpenCode : int {
  kJoinedDestinationOpen = 801,   // E801: a destination of the joined copy (an in-place file too)
  kJoinedSourceOpen = 802,        // E802: a source of the joined copy, or one moved to its backup
  kPerFileSourceOpen = 803,       // E803: a source of the per-file copy
  kPerFileDestinationOpen = 804,  // E804: a destination of the per-file copy
  kFirstSourceOpen = 805,         // E805: the source whose leading bytes decide the run's code
  kIdentityOpen = 816,            // E816: a file opened to ask its identity
};

// The open of path (a file of kind_word) failed with error: another
// program's use of it (4 lines with the advice), or any other error.
void open_failure(OpenCode code, const char* kind_word, const char* path, uint32_t error);

enum ReadCode : int {
  kJoinedRead = 806,       // E806: a source of the joined copy, and the other sources' leading bytes
  kPerFileRead = 807,      // E807: a source of the per-file copy
  kFirstSourceRead = 808,  // E808: the leading bytes of the source that decides the code
};

// "ReadFile()" failed on path with error.
void read_failure(ReadCode code, const char* path, uint32_t error);

enum WriteCode : int {
  kJoinedWrite = 809,   // E809: a destination of the joined copy, standard output too
  kPerFileWrite = 810,  // E810: a destination of the per-file copy
};

// "WriteFile()" failed on name (a path, or "STDOUT") with error.
void write_failure(WriteCode code, const char* name, uint32_t error);

enum CloseCode : int {
  kJoinedSourceClose = 811,        // E811: a source of the joined copy, and a backup held since its move
  kJoinedDestinationClose = 812,   // E812: a destination of the joined copy
  kPerFileSourceClose = 813,       // E813: a source of the per-file copy
  kPerFileDestinationClose = 814,  // E814: a destination of the per-file copy
  kFirstSourceClose = 815,         // E815: the source that decides the code
  kIdentityClose = 817,            // E817: a file opened to ask its identity
};

// The close of path failed with error. Every close is worded as a source's.
void close_failure(CloseCode code, const char* path, uint32_t error);

enum FolderCreationCode : int {
  kDestinationFolderCreation = 105,  // E105: a destination folder, or one on the way, before the copy
  kPerFileFolderCreation = 108,      // E108: a folder of the tree the per-file copy makes
};

// "_mkdir()" returned result and error on path.
void folder_not_made(FolderCreationCode code, const char* path, int result, uint32_t error);

}  // namespace peltrix::messages
