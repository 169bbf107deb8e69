#include "paths/source_identities.h"

#include <algorithm>
#include <tuple>

#include "messages/catalogue_paths.h"
#include "paths/value_flags.h"

namespace peltrix::paths {

namespace {

bool before(const platform::FileIdentity& a, const platform::FileIdentity& b) {
  return std::tie(a.volume, a.index) < std::tie(b.volume, b.index);
}

}  // namespace

SourceIdentities::Match SourceIdentities::match(const platform::FileIdentity& identity) {
  if (!taken_) {
    taken_ = true;
    for (const model::SourceEntry& s : sources_.entries) {
      if (failed_) break;
      if (s.kind != model::EntryKind::kFile) continue;
      const bool moved = read_from_backups_ && (s.flags & value_flag::kInPlace) != 0 && s.backup_path != nullptr;
      const char* path = moved ? s.backup_path : s.path;
      platform::FileIdentity found;
      if (platform::path_identity(path, &found)) {
        identities_.push_back(found);
        continue;
      }
      const uint32_t error = platform::last_error();
      if (error == platform::kErrorFileNotFound || error == platform::kErrorPathNotFound) continue;
      messages::information_failure(path, error);
      failed_ = true;
    }
    std::sort(identities_.begin(), identities_.end(), before);
  }
  if (failed_) return Match::kFailed;
  return std::binary_search(identities_.begin(), identities_.end(), identity, before) ? Match::kSource : Match::kNone;
}

}  // namespace peltrix::paths
