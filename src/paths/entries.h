// The source and destination entries: one record per file (or folder) that
// the copy reads or writes, chained in copy order. Planning makes them, the
// copy loops walk them, the completion report reads their totals.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "platform/platform.h"
#include "records/output_settings.h"

namespace peltrix::paths {

// /OU: an existing destination is refused (1 or not given), overwritten
// (2) or appended to (3).
enum class Existing : uint8_t { kRefuse, kOverwrite, kAppend };

// Entry kinds.
inline constexpr int32_t kKindFile = 8;
inline constexpr int32_t kKindFolder = 16;
inline constexpr int32_t kKindStdout = 32;

// One source file, or a subfolder found by a folder scan with /S. Texts
// point at storage owned by the option slots or by the folder scan.
struct SourceEntry {
  SourceEntry* pool_link = nullptr;  // first entry of a pool: first entry of the next pool
  const char* given_name = nullptr;  // /IF: the name as typed; folder scan: the bare name found
  const char* path = nullptr;        // absolute path
  const char* backup_path = nullptr; // in-place source: read from here after the move
  int64_t size = 0;
  int32_t ic = 0;  // input code: /IC, or for /IF sources the default input code
  int32_t il = 0;
  int32_t ip = 0;
  int32_t it = 0;
  int32_t ia = 0;
  int32_t ib = 0;
  int32_t im = 0;
  bool plain_bytes = false;   // /IY2: no record, mark or end-of-file processing
  bool keeps_backup = false;  // /IU1: an in-place copy keeps its backup
  bool moved = false;         // in-place source: moved to its backup name by this run
  int32_t kind = 0;           // kKindFile or kKindFolder
  int32_t input_ordinal = 0;  // 1-based position of the /I group that named it
  platform::FileHandle handle = platform::kInvalidFile;
  uint32_t flags = 0;  // value_flag bits
  SourceEntry* next = nullptr;
};

// One output target: a file, a folder of a per-file copy, or standard output.
struct DestinationEntry {
  DestinationEntry* pool_link = nullptr;
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
  int32_t kind = 0;           // kKindFile, kKindFolder or kKindStdout
  int32_t output_ordinal = 0;
  uint32_t flags = 0;
  platform::FileHandle handle = platform::kInvalidFile;
  DestinationEntry* next = nullptr;
};

// Entries come from pools of 4096 that live as long as the list; entries
// never move once made.
inline constexpr int32_t kEntriesPerPool = 4096;

// Frees a pool's storage; entries hold nothing to release.
struct PoolStorageRelease {
  void operator()(void* storage) const { ::operator delete(storage); }
};

// Each pool is storage for kEntriesPerPool entries in which entries are made
// one at a time as they are taken, so that a run touches only the memory of
// the entries it uses.
template <typename Entry>
struct EntryPools {
  static_assert(std::is_trivially_destructible_v<Entry>);
  std::vector<std::unique_ptr<Entry, PoolStorageRelease>> pools;
};

struct SourceList {
  EntryPools<SourceEntry> storage;
  SourceEntry* head = nullptr;
  SourceEntry* last_pool = nullptr;
  SourceEntry* current = nullptr;
  int32_t file_count = 0;
  int32_t folder_count = 0;
};

struct DestinationList {
  EntryPools<DestinationEntry> storage;
  DestinationEntry* head = nullptr;
  DestinationEntry* last_pool = nullptr;
  DestinationEntry* current = nullptr;
  int32_t count = 0;  // entries made
  std::unique_ptr<DestinationEntry> folder_record;  // the /OD folder itself
};

}  // namespace peltrix::paths
