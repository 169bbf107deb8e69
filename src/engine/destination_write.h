// Writing output to a destination: a file or standard output.
#pragma once

#include <cstdint>

#include "paths/entries.h"
#include "platform/platform.h"

namespace peltrix::engine {

// Message numbers of the write failures.
inline constexpr int kJoinedWrite = 809;
inline constexpr int kPerFileWrite = 810;

// Writes all length bytes to the destination, retrying partial writes until
// every byte is written or the system reports an error. On failure prints
// "WriteFile()" under message_number with the path ("STDOUT" for standard
// output) and the system-error lines, and returns false.
bool write_all(const paths::DestinationEntry& destination, const uint8_t* data, uint32_t length,
               int message_number);

// Whether bytes of a source at source_offset would land at the same place
// within a page of target, at its current position: only then does the
// system copy between them without a slow path.
bool stands_alike(platform::FileHandle target, int64_t source_offset);

// Prints the "WriteFile()" failure of the destination under message_number
// with the system-error lines of platform::last_error().
void report_write_failure(const paths::DestinationEntry& destination, int message_number);

}  // namespace peltrix::engine
