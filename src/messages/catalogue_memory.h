// The catalogue's out-of-memory messages: one line with the size asked for
// and the system error, named by what the memory was for.
#pragma once

#include <cstddef>
#include <cstdint>

namespace peltrix::messages {

// A text the parse or a path check keeps: the one line alone.
enum TextMemoryCode : int {
  kInputArgumentMemory = 6,             // E006: the copy of an /I argument that the parse cuts
  kOutputArgumentMemory = 17,           // E017: the same for /O
  kMessageArgumentMemory = 26,          // E026: the same for /M
  kSourceFileNameMemory = 36,           // E036: an /IF name as given
  kSourceFilePathMemory = 41,           // E041: the full path of an /IF name
  kSourceFolderNameMemory = 43,         // E043: the /ID value as given
  kSourceFolderPathMemory = 48,         // E048: its full path
  kDestinationFileNameMemory = 51,      // E051: an /OF name as given
  kDestinationFilePathMemory = 55,      // E055: its full path
  kDestinationFolderNameMemory = 57,    // E057: the /OD value as given
  kDestinationFolderPathMemory = 61,    // E061: its full path
};

// The one out-of-memory line of code for requested bytes.
void text_memory_refused(TextMemoryCode code, size_t requested);

// An entry, text or buffer of planning and the copy: the line, then the
// system-error lines of the error.
enum MemoryCode : int {
  kBackupNameMemory = 88,               // E088: an in-place source's backup name
  kFirstSourceEntryMemory = 90,         // E090: the first /IF source entry
  kScannedNameMemory = 91,              // E091: the name of an item a folder scan found
  kScannedPathMemory = 92,              // E092: its path
  kFirstScannedEntryMemory = 93,        // E093: the first source entry of a folder scan
  kMoreSourceEntriesMemory = 94,        // E094: every further source entry
  kFolderRecordMemory = 96,             // E096: the record of the /OD folder
  kDestinationNameMemory = 100,         // E100: a destination's name in the /OD folder
  kStdoutEntryMemory = 101,             // E101: the standard-output destination entry
  kFirstDestinationEntryMemory = 102,   // E102: the first destination entry
  kMoreDestinationEntriesMemory = 103,  // E103: every further destination entry
  kFirstReadBufferMemory = 110,         // E110: the first read buffer
  kSecondReadBufferMemory = 111,        // E111: the second read buffer
  kRelayBufferMemory = 112,             // E112: the relay buffer
  kCountingBufferMemory = 113,          // E113: the counting thread's buffer
  kConversionBufferMemory = 114,        // E114: the newline conversion buffer
};

// The out-of-memory line of code for requested bytes, then the system-error
// lines of error from line 2.
void memory_refused(MemoryCode code, size_t requested, uint32_t error);

}  // namespace peltrix::messages
