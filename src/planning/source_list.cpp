#include "planning/source_list.h"

#include <cstring>

#include "paths/value_flags.h"
#include "model/entries.h"

namespace peltrix::planning {

namespace {

constexpr int kFirstEntryMemoryCode = 90;
constexpr int kMoreEntriesMemoryCode = 94;

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

InputValues input_values(const cli::CommandLine& command_line) {
  const cli::GroupTable& input = command_line.input;
  return InputValues{
      .ic = cli::value_of(input, cli::kIC),
      .il = cli::value_of(input, cli::kIL),
      .ip = cli::value_of(input, cli::kIP),
      .it = cli::value_of(input, cli::kIT),
      .ia = cli::value_of(input, cli::kIA),
      .ib = cli::value_of(input, cli::kIB),
      .im = cli::value_of(input, cli::kIM),
      .plain_bytes = cli::value_of(input, cli::kIY) == 2,
      .keeps_backup = cli::value_of(input, cli::kIU) == 1,
  };
}

void apply_input_values(const InputValues& values, model::SourceEntry& entry) {
  entry.ic = values.ic;
  entry.il = values.il;
  entry.ip = values.ip;
  entry.it = values.it;
  entry.ia = values.ia;
  entry.ib = values.ib;
  entry.im = values.im;
  entry.plain_bytes = values.plain_bytes;
  entry.keeps_backup = values.keeps_backup;
}

bool build_source_list(const cli::CommandLine& command_line, int32_t default_input_code, model::SourceList& sources) {
  InputValues values = input_values(command_line);
  if (values.ic == 0) values.ic = default_input_code;
  for (const cli::ValueSlot& slot : cli::definition(command_line.input, cli::kIF).slots) {
    model::SourceEntry* entry =
        model::add_entry(sources.entries, sources.entries.empty() ? kFirstEntryMemoryCode : kMoreEntriesMemoryCode);
    if (entry == nullptr) return false;
    apply_input_values(values, *entry);
    entry->given_name = text_or_null(slot.given_text);
    entry->path = text_or_null(slot.full_path);
    entry->backup_path = text_or_null(slot.backup_path);
    entry->kind = model::EntryKind::kFile;
    entry->flags = slot.flags;
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
