// Opening a destination so that the copy can never write into a source: an
// existing file is held and compared with every source before anything
// changes it, and overwriting truncates only after that.
#pragma once

#include <cstdint>

#include "paths/source_identities.h"
#include "platform/platform.h"

namespace peltrix::engine {

// How a destination is opened.
struct DestinationOpen {
  uint32_t disposition = platform::kCreateNew;  // as CreateFileA takes it
  bool write_through = false;                   // /C
  bool owner_only = false;  // created for its owner alone: its permissions are set next
  int message_number = 0;
};

// Opens path for writing and holds it in handle. A file that is one of the
// sources is refused with E130 and left as it was. False after the
// messages of the failure.
bool open_destination(const char* path, const DestinationOpen& how, paths::SourceIdentities& sources,
                      platform::FileHandle& handle);

}  // namespace peltrix::engine
