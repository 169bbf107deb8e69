#include "planning/same_file_check.h"

#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "messages/catalogue_paths.h"
#include "messages/catalogue_planning.h"
#include "paths/file_identity.h"
#include "paths/open_step.h"
#include "paths/source_identities.h"
#include "paths/value_flags.h"
#include "platform/platform.h"

namespace peltrix::planning {

namespace {

struct Source {
  const model::SourceEntry* entry;
  bool through_backup;  // moved to its backup name and read from there
  std::optional<platform::FileIdentity> identity;  // asked for only when a destination has its size
};

// Standard output that is a source's file would read its own output back
// (appending) or overwrite what is still to be read.
bool stdout_apart_from_sources(const model::SourceList& sources) {
  platform::FileInformation information;
  // A standard output the system tells nothing about is no file.
  if (!platform::file_information(platform::stdout_handle(), &information)) return true;
  paths::SourceIdentities identities(sources, false);
  switch (identities.match(information.identity)) {
    case paths::SourceIdentities::Match::kNone: return true;
    case paths::SourceIdentities::Match::kSource: messages::destination_is_source("STDOUT"); return false;
    case paths::SourceIdentities::Match::kFailed: return false;
  }
  return false;
}

// Whether writing d would touch source s: the one harmless case is an
// in-place source whose backup move takes it away from d's very path.
bool conflicts(const Source& s, const model::DestinationEntry& d) {
  return !(s.through_backup && std::strcmp(s.entry->path, d.path) == 0);
}

enum class Existence { kFile, kNone, kUnknown };

// Whether a destination exists as a file now. The flags of a destination
// named after a source carry the source's exists flag, so a missing flag
// decides. A status the system cannot give is reported: without it, another
// name of a source could pass unnoticed.
Existence existing_file(const model::DestinationEntry& d) {
  constexpr uint32_t kAbsent = paths::value_flag::kMissing | paths::value_flag::kNoFile;
  if ((d.flags & paths::value_flag::kExists) == 0 || (d.flags & kAbsent) != 0) return Existence::kNone;
  platform::PathStatus status;
  if (platform::path_status(d.path, &status)) {
    return status.kind == platform::PathKind::kFile ? Existence::kFile : Existence::kNone;
  }
  const uint32_t error = platform::last_error();
  if (error == platform::kErrorFileNotFound || error == platform::kErrorPathNotFound) return Existence::kNone;
  messages::destination_io_error(d.path, error);
  return Existence::kUnknown;
}

bool identity_of(const char* path, const char* kind_word, platform::FileIdentity& identity) {
  platform::FileInformation information;
  if (!paths::query_file_identity(path, kind_word, information)) return false;
  identity = information.identity;
  return true;
}

}  // namespace

bool check_destinations_apart_from_sources(const model::SourceList& sources, const model::DestinationList& destinations,
                                           bool per_file) {
  // A repeated source that reads its first occurrence's backup is checked
  // through that first occurrence.
  std::unordered_set<std::string_view> backups;
  for (const model::SourceEntry& s : sources.entries) {
    if (s.backup_path != nullptr) backups.insert(s.backup_path);
  }
  std::vector<Source> files;
  std::unordered_map<std::string_view, std::vector<size_t>> by_path;
  std::unordered_map<int64_t, std::vector<size_t>> by_size;
  for (const model::SourceEntry& s : sources.entries) {
    if (s.kind != model::EntryKind::kFile || backups.contains(s.path)) continue;
    const bool in_place = (s.flags & paths::value_flag::kInPlace) != 0 && s.backup_path != nullptr;
    by_path[s.path].push_back(files.size());
    by_size[s.size].push_back(files.size());
    files.push_back(Source{&s, !per_file && in_place, std::nullopt});
  }

  for (const model::DestinationEntry& d : destinations.entries) {
    if (d.kind == model::EntryKind::kStdout && !stdout_apart_from_sources(sources)) return false;
    if (d.kind != model::EntryKind::kFile) continue;
    if (auto named = by_path.find(d.path); named != by_path.end()) {
      for (size_t i : named->second) {
        if (conflicts(files[i], d)) {
          messages::destination_is_source(d.path);
          return false;
        }
      }
    }
    // Another name of a source (a hard link) can only be an existing file
    // of the same size; only then are the identities asked for.
    const auto sized = by_size.find(d.existing_size);
    if (sized == by_size.end()) continue;
    const Existence existence = existing_file(d);
    if (existence == Existence::kUnknown) return false;
    if (existence == Existence::kNone) continue;
    platform::FileIdentity destination_identity;
    if (!identity_of(d.path, messages::kDestinationWord, destination_identity)) return false;
    for (size_t i : sized->second) {
      Source& s = files[i];
      if (!s.identity.has_value()) {
        platform::FileIdentity identity;
        if (!identity_of(s.entry->path, messages::kSourceWord, identity)) return false;
        s.identity = identity;
      }
      if (*s.identity == destination_identity && conflicts(s, d)) {
        messages::destination_is_source(d.path);
        return false;
      }
    }
  }
  return true;
}

}  // namespace peltrix::planning
