// Opening a destination so that the copy never writes through a name that
// changed hands after the checks: a name that held nothing is made new, a
// file that was there must be that file still and no source, and
// overwriting truncates only after that.
#pragma once

#include <cstdint>

#include "messages/catalogue_files.h"
#include "paths/source_identities.h"
#include "platform/platform.h"

namespace peltrix::engine {

// How a destination is opened.
struct DestinationOpen {
  uint32_t disposition = platform::kCreateNew;  // what an existing file gets, as CreateFileA takes it
  bool write_through = false;                   // /C
  messages::OpenCode open_code = messages::kJoinedDestinationOpen;
  // The file the name held when the run checked it, if it held one.
  bool checked_existing = false;
  platform::FileIdentity checked_identity;
};

// Opens path for writing and holds it in handle; the file's identity in
// *opened when asked for. A file that is not the one checked is refused with
// E140, one of the sources with E130, and left as it was. False after the
// messages of the failure.
bool open_destination(const char* path, const DestinationOpen& how, paths::SourceIdentities& sources,
                      platform::FileHandle& handle, platform::FileIdentity* opened = nullptr);

}  // namespace peltrix::engine
