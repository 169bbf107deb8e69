// Opening a destination so that the copy can never write into a source: an
// existing file is held and compared with every source before anything
// changes it, and overwriting truncates only after that.
#pragma once

#include <cstdint>

#include "paths/source_identities.h"
#include "platform/platform.h"

namespace peltrix::engine {

// Opens path for writing with disposition (as CreateFileA takes it) and
// holds it in handle. A file that is one of the sources is refused with
// E130 and left as it was. False after the messages of the failure.
bool open_destination(const char* path, uint32_t disposition, bool write_through, int message_number,
                      paths::SourceIdentities& sources, platform::FileHandle& handle);

}  // namespace peltrix::engine
