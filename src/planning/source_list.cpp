#include "planning/source_list.h"

#include <cstring>

#include "messages/catalogue_memory.h"
#include "paths/value_flags.h"

namespace peltrix::planning {

namespace {

const char* text_or_null(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// A file named again (/W) and copied in place has the same backup name as
// its first occurrence, whose move takes the file there: it is read from
// the backup as it stands, and neither moved nor deleted a second time.
void read_moved_source(const model::SourceList& sources, model::SourceEntry& entry) {
  if ((entry.flags & paths::value_flag::kRepeat) == 0 || entry.backup_path == nullptr) return;
  for (const model::SourceEntry& earlier : sources.entries) {
    if (&earlier == &entry) return;
    if (earlier.backup_path == nullptr || std::strcmp(earlier.backup_path, entry.backup_path) != 0) continue;
    entry.path = entry.backup_path;
    entry.backup_path = nullptr;
    entry.flags &= ~paths::value_flag::kInPlace;
    return;
  }
}

}  // namespace

bool build_source_list(const cli::CommandLine& command_line, const model::SourceSettings& settings,
                       const model::RepeatTable& repeats, const InPlaceNames& in_place, model::SourceList& sources) {
  const std::vector<cli::ValueSlot>& slots = cli::definition(command_line.input, cli::kIF).slots;
  for (size_t i = 0; i < slots.size(); ++i) {
    const cli::ValueSlot& slot = slots[i];
    model::SourceEntry* entry =
        model::add_entry(sources.entries, sources.entries.empty() ? messages::kFirstSourceEntryMemory
                                                                  : messages::kMoreSourceEntriesMemory);
    if (entry == nullptr) return false;
    entry->settings = settings;
    entry->given_name = text_or_null(slot.given_text);
    entry->path = text_or_null(slot.full_path);
    entry->kind = model::EntryKind::kFile;
    entry->flags = slot.flags;
    if (i < repeats.size() && repeats[i].is_repeat()) entry->flags |= paths::value_flag::kRepeat;
    if (i < in_place.backup_paths.size() && !in_place.backup_paths[i].empty()) {
      entry->backup_path = in_place.backup_paths[i].c_str();
      entry->flags |= paths::value_flag::kInPlace;
    }
    entry->size = slot.size;
    entry->input_ordinal = 1;
    read_moved_source(sources, *entry);
    ++sources.file_count;
  }
  return true;
}

int32_t count_distinct_sources(const model::SourceList& sources) {
  int32_t count = 0;
  for (const model::SourceEntry& s : sources.entries) {
    if (s.kind == model::EntryKind::kFile && (s.flags & paths::value_flag::kRepeat) == 0) ++count;
  }
  return count;
}

}  // namespace peltrix::planning
