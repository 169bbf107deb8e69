// The identities of the files the sources are read from, so that a
// destination can be refused when it is one of them (E130).
#pragma once

#include <vector>

#include "model/entries.h"
#include "platform/platform.h"

namespace peltrix::paths {

// Asks the system for every file source's identity once, on first need.
class SourceIdentities {
 public:
  // read_from_backups: in-place sources have been moved to their backups
  // and are read from there.
  SourceIdentities(const model::SourceList& sources, bool read_from_backups)
      : sources_(sources), read_from_backups_(read_from_backups) {}

  enum class Match { kNone, kSource, kFailed };
  // Whether identity is that of a source; kFailed after the message of a
  // source the system could not tell about. A source the system cannot find
  // any more is no file a destination can be.
  Match match(const platform::FileIdentity& identity);

 private:
  const model::SourceList& sources_;
  bool read_from_backups_;
  bool taken_ = false;
  bool failed_ = false;
  std::vector<platform::FileIdentity> identities_;  // sorted
};

}  // namespace peltrix::paths
