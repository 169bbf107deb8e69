#include "engine/in_place_backups.h"

#include <cstring>

#include "messages/catalogue_copy.h"
#include "messages/catalogue_files.h"
#include "paths/close_step.h"
#include "paths/open_step.h"
#include "paths/value_flags.h"

namespace peltrix::engine {

namespace {

bool deletes_backups(const model::SourceList& sources) {
  for (const model::SourceEntry& s : sources.entries) {
    if (s.kind == model::EntryKind::kFile && is_in_place(s) && !s.settings.keeps_backup) return true;
  }
  return false;
}

bool report_flush_failure(const char* path) {
  messages::in_place_not_flushed(path, platform::last_error());
  return false;
}

// An in-place file must be on the disk, data and name, before its backup
// (until then the only whole copy of the original) is deleted: otherwise a
// power cut soon after the run could leave it short with the backup gone.
template <typename Flush>
bool flush_in_place(const model::DestinationList& destinations, Flush&& flush) {
  for (const model::DestinationEntry& d : destinations.entries) {
    if (d.kind != model::EntryKind::kFile || (d.flags & paths::value_flag::kInPlace) == 0) continue;
    if (!flush(d)) return report_flush_failure(d.path);
  }
  return true;
}

// The original whose name destination takes over.
const model::SourceEntry* original_of(const model::SourceList& sources, const model::DestinationEntry& d) {
  for (const model::SourceEntry& s : sources.entries) {
    if (s.kind == model::EntryKind::kFile && is_in_place(s) && std::strcmp(s.path, d.path) == 0) return &s;
  }
  return nullptr;
}

// Held, then moved: if the name changes hands between the two, the file held
// is still the one read.
bool hold_and_move(model::SourceEntry& s) {
  paths::OpenRequest request = paths::source_request();
  request.path = s.path;
  request.share_mode = platform::kShareDelete;
  if (!paths::open_step(request, messages::kJoinedSourceOpen)) return false;
  if (platform::rename_path(s.path, s.backup_path) != 0) {
    const uint32_t error = platform::last_error();
    platform::close_file(request.handle);
    messages::backup_not_made(s.input_ordinal, s.backup_path, error);
    return false;
  }
  s.handle = request.handle;
  s.moved = true;
  return true;
}

}  // namespace

bool is_in_place(const model::SourceEntry& source) { return (source.flags & paths::value_flag::kInPlace) != 0; }

bool move_to_backups(model::SourceList& sources) {
  for (model::SourceEntry& s : sources.entries) {
    if (s.kind != model::EntryKind::kFile || !is_in_place(s)) continue;
    if (platform::interrupted() || !hold_and_move(s)) return false;
  }
  return true;
}

platform::FileHandle held_original(const model::SourceList& sources, const model::SourceEntry& source) {
  const model::SourceEntry* holder = nullptr;
  if (is_in_place(source)) holder = &source;
  // A file named again under /W is read from the backup its first naming moved it to.
  for (const model::SourceEntry& s : sources.entries) {
    if (holder != nullptr || &s == &source) break;
    if (s.moved && std::strcmp(s.backup_path, source.path) == 0) holder = &s;
  }
  if (holder == nullptr || !holder->moved) return platform::kInvalidFile;
  platform::seek_file(holder->handle, 0, platform::SeekFrom::kBegin, nullptr);
  return holder->handle;
}

bool create_in_place_file(const model::SourceList& sources, model::DestinationEntry& d, bool write_through) {
  const model::SourceEntry* original = original_of(sources, d);
  paths::OpenRequest request = paths::destination_request(write_through);
  request.path = d.path;
  // For its owner alone until it has the original's access.
  request.flags_and_attributes |= platform::kFlagOwnerOnly;
  request.handle = platform::open_file(request.path, request.desired_access, request.share_mode,
                                       platform::kCreateNew, request.flags_and_attributes);
  if (request.handle == platform::kInvalidFile) {
    const uint32_t error = platform::last_error();
    if (error == platform::kErrorFileExists && original != nullptr) {
      messages::in_place_name_taken(d.output_ordinal, d.path, original->backup_path);
    } else {
      paths::report_open_failure(request, messages::kJoinedDestinationOpen, error);
    }
    return false;
  }
  d.handle = request.handle;
  if (original == nullptr || platform::copy_access(original->handle, d.handle)) return true;
  messages::access_not_copied(d.output_ordinal, d.path, platform::last_error());
  return false;
}

bool flush_in_place_files(const model::SourceList& sources, const model::DestinationList& destinations) {
  if (!deletes_backups(sources)) return true;
  return flush_in_place(destinations, [](const model::DestinationEntry& d) { return platform::flush_file(d.handle); });
}

bool finish_backups(model::SourceList& sources, const model::DestinationList& destinations) {
  // A backup cannot be deleted while it is held (Windows).
  for (model::SourceEntry& s : sources.entries) {
    if (!s.moved || s.handle == platform::kInvalidFile) continue;
    const platform::FileHandle held = s.handle;
    s.handle = platform::kInvalidFile;
    if (!paths::close_step(held, s.backup_path, messages::kJoinedSourceClose)) return false;
  }
  if (!deletes_backups(sources)) return true;
  const bool flushed = flush_in_place(
      destinations, [](const model::DestinationEntry& d) { return platform::flush_folder_of(d.path); });
  if (!flushed) return false;
  // The last point at which a request to stop puts every original back.
  if (platform::interrupted()) return false;
  for (model::SourceEntry& s : sources.entries) {
    if (s.kind != model::EntryKind::kFile || !is_in_place(s) || s.settings.keeps_backup) continue;
    if (platform::remove_file(s.backup_path) == 0) {
      s.moved = false;  // nothing left to put back
    } else {
      messages::backup_not_deleted(s.input_ordinal, s.backup_path, platform::last_error());
      return false;
    }
  }
  return true;
}

bool put_back(model::SourceEntry& source) {
  if (platform::replace_path(source.backup_path, source.path) != 0) return false;
  source.moved = false;
  return true;
}

}  // namespace peltrix::engine
