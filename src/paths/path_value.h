// What a path check finds out about one value of /IF, /ID, /OF or /OD; the
// group parser stores it into the value's slot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace peltrix::paths {

// Most names one /IF value and one /OF value may hold.
inline constexpr int kMaxSourceFiles = 256;
inline constexpr int kMaxDestinationFiles = 4;

// True for the errors of a path that does not exist: the file (2) or a
// folder on the way (3).
inline bool is_not_found(uint32_t error) {
  return error == platform::kErrorFileNotFound || error == platform::kErrorPathNotFound;
}

struct PathValue {
  uint32_t flags = 0;      // value_flag bits
  int64_t size = 0;        // existing files only
  std::string given_text;  // the value as typed
  std::string full_path;   // absolute long path, at most 260 bytes
  std::optional<platform::FileInformation> file_information;  // existing files only
};

}  // namespace peltrix::paths
