#include "planning/destination_list.h"

#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "messages/catalogue_memory.h"
#include "messages/catalogue_planning.h"
#include "paths/path_value.h"
#include "paths/value_flags.h"
#include "model/entries.h"
#include "planning/run_settings.h"
#include "planning/path_join.h"
#include "platform/platform.h"

namespace peltrix::planning {

namespace {

constexpr int kGroupPosition = 1;

// The part of a source's path that follows the destination folder, without
// its leading separator: below a scanned /ID folder the path under it,
// otherwise the file name.
std::string_view relative_part(const model::SourceEntry& source, const cli::CommandLine& command_line) {
  const std::string_view path(source.path);
  const bool keeps_subfolders = command_line.flags.n != 0 && command_line.counts.input_files == 0;
  const std::string_view folder(command_line.input_folder_path);
  if (keeps_subfolders && path.size() > folder.size() && path.substr(0, folder.size()) == folder) {
    std::string_view below = path.substr(folder.size());
    while (!below.empty() && platform::is_folder_separator(below.front())) below.remove_prefix(1);
    return below;
  }
  const char* separator = platform::last_folder_separator(source.path);
  return separator == nullptr ? path : std::string_view(separator + 1);
}

model::DestinationEntry* add_destination(model::DestinationList& destinations) {
  return model::add_entry(destinations.entries, destinations.entries.empty() ? messages::kFirstDestinationEntryMemory
                                                                            : messages::kMoreDestinationEntriesMemory);
}

bool make_folder_record(const cli::CommandLine& command_line, model::DestinationList& destinations) {
  destinations.folder_record.reset(new (std::nothrow) model::DestinationEntry());
  if (destinations.folder_record == nullptr) {
    messages::memory_refused(messages::kFolderRecordMemory, sizeof(model::DestinationEntry),
                             platform::kErrorNotEnoughMemory);
    return false;
  }
  const cli::ValueSlot& folder = cli::definition(command_line.output, cli::kOD).slots.front();
  model::DestinationEntry& record = *destinations.folder_record;
  apply_output_values(command_line, record);
  record.kind = model::EntryKind::kFolder;
  record.given_name = folder.given_text.c_str();
  record.path = folder.full_path.c_str();
  record.output_ordinal = 1;
  record.flags = folder.flags;
  return true;
}

// Checks the name of destination d in the folder and keeps it as d's path.
bool name_destination(const std::string& name, model::DestinationEntry& d, model::TextStore& texts) {
  platform::PathStatus status;
  if (!platform::path_status(name.c_str(), &status)) {
    const uint32_t error = platform::last_error();
    if (!paths::is_not_found(error)) {
      messages::destination_io_error(name.c_str(), error);
      return false;
    }
    d.flags |= paths::value_flag::kMissing;
  } else {
    d.flags |= paths::value_flag::kExists;
    d.existing_size = status.size;
    d.checked_existing = status.kind == platform::PathKind::kFile &&
                         platform::path_identity(name.c_str(), &d.checked_identity);
    if (status.kind == platform::PathKind::kFile && d.existing == model::Existing::kRefuse) {
      messages::destination_in_folder_exists(name.c_str());
      return false;
    }
  }
  d.path = texts.keep(name, messages::kDestinationNameMemory);
  return d.path != nullptr;
}

}  // namespace

bool build_file_destinations(const cli::CommandLine& command_line, const InPlaceNames& in_place,
                             model::DestinationList& destinations) {
  const std::vector<cli::ValueSlot>& slots = cli::definition(command_line.output, cli::kOF).slots;
  for (size_t i = 0; i < slots.size(); ++i) {
    const cli::ValueSlot& slot = slots[i];
    model::DestinationEntry* d = add_destination(destinations);
    if (d == nullptr) return false;
    apply_output_values(command_line, *d);
    d->given_name = slot.given_text.c_str();
    d->path = slot.full_path.c_str();
    d->flags = slot.flags;
    if (i < in_place.destinations.size() && in_place.destinations[i]) d->flags |= paths::value_flag::kInPlace;
    d->existing_size = slot.size;
    if (slot.file_information) {
      d->checked_existing = true;
      d->checked_identity = slot.file_information->identity;
    }
    d->output_ordinal = kGroupPosition;
    if ((d->flags & paths::value_flag::kExists) != 0 && d->existing == model::Existing::kRefuse) {
      messages::destination_file_exists(kGroupPosition, d->given_name);
      return false;
    }
    d->kind = model::EntryKind::kFile;
  }
  return true;
}

bool build_folder_destinations(const cli::CommandLine& command_line, const model::SourceList& sources,
                               const model::RepeatTable& repeats, model::TextStore& texts, model::DestinationList& destinations) {
  if (!make_folder_record(command_line, destinations)) return false;
  const model::DestinationEntry& record = *destinations.folder_record;
  const std::string_view folder(command_line.output_folder_path);
  const bool per_file = command_line.flags.n != 0;

  std::vector<const char*> made;  // by source position: the path of its destination
  for (const model::SourceEntry& s : sources.entries) {
    if (!per_file && s.kind != model::EntryKind::kFile) continue;
    model::DestinationEntry* d = add_destination(destinations);
    if (d == nullptr) return false;
    d->newlines = record.newlines;
    d->mark = record.mark;
    d->end_of_file = record.end_of_file;
    d->existing = record.existing;
    d->kind = s.kind;
    d->flags = s.flags;

    // A repeat, under whatever name, goes to its first occurrence's destination.
    const size_t position = made.size();
    if (per_file && position < repeats.size() && repeats[position].is_repeat()) {
      if (!name_destination(made[static_cast<size_t>(repeats[position].first_occurrence)], *d, texts)) return false;
      made.push_back(d->path);
      continue;
    }
    const std::string_view relative = relative_part(s, command_line);
    const size_t length = joined_length(folder, relative);
    if (length > platform::kMaxPath) {
      messages::destination_name_too_long(length, platform::kMaxPath);
      return false;
    }
    if (!name_destination(joined_path(folder, relative), *d, texts)) return false;
    made.push_back(d->path);
    if (!per_file) return true;
  }
  return true;
}

}  // namespace peltrix::planning
