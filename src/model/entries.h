// The source and destination entries: one record per file (or folder) that
// the copy reads or writes, in copy order. Planning makes them, the copy
// loops walk them, the completion report reads their totals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

#include "messages/catalogue_memory.h"
#include "model/settings.h"
#include "platform/platform.h"
#include "records/output_settings.h"

namespace peltrix::model {

// /OU: an existing destination is refused (1 or not given), overwritten
// (2) or appended to (3).
enum class Existing : uint8_t { kRefuse, kOverwrite, kAppend };

enum class EntryKind : uint8_t { kFile, kFolder, kStdout };

// One source file, or a subfolder found by a folder scan with /S. Texts
// point at storage owned by the option slots or by the run's text store.
struct SourceEntry {
  const char* given_name = nullptr;  // /IF: the name as typed; folder scan: the bare name found
  const char* path = nullptr;        // absolute path
  const char* backup_path = nullptr; // in-place source: read from here after the move
  int64_t size = 0;
  SourceSettings settings;
  bool moved = false;         // in-place source: moved to its backup name by this run
  EntryKind kind = EntryKind::kFile;
  int32_t input_ordinal = 0;  // 1-based position of the /I group that named it
  platform::FileHandle handle = platform::kInvalidFile;
  uint32_t flags = 0;  // value_flag bits
};

// One output target: a file, a folder of a per-file copy, or standard output.
struct DestinationEntry {
  const char* given_name = nullptr;  // /OF: the name as typed
  const char* path = nullptr;        // absolute path; empty for standard output
  records::Newlines newlines = records::Newlines::kUnchanged;
  records::Mark mark;
  records::EndOfFile end_of_file = records::EndOfFile::kLikeFirstSource;
  Existing existing = Existing::kRefuse;
  uint64_t bytes_written = 0;
  uint64_t records_written = 0;
  int64_t existing_size = 0;  // size at planning time, for appending
  // The file the name held when it was checked; a destination that held none
  // is made new, and one that did must still be that file when it is opened.
  platform::FileIdentity checked_identity;
  bool checked_existing = false;
  EntryKind kind = EntryKind::kFile;
  int32_t output_ordinal = 0;
  uint32_t flags = 0;
  platform::FileHandle handle = platform::kInvalidFile;
};

// A deque keeps every entry where it was made while more are added: the
// copy and the report hold pointers to entries.
struct SourceList {
  std::deque<SourceEntry> entries;
  int32_t file_count = 0;
  int32_t folder_count = 0;
};

struct DestinationList {
  std::deque<DestinationEntry> entries;
  std::unique_ptr<DestinationEntry> folder_record;  // the /OD folder itself
};

// A new entry at the end of entries; nullptr after the out-of-memory
// messages of memory_code.
SourceEntry* add_entry(std::deque<SourceEntry>& entries, messages::MemoryCode memory_code);
DestinationEntry* add_entry(std::deque<DestinationEntry>& entries, messages::MemoryCode memory_code);

}  // namespace peltrix::model
