// The flag word of a path value, carried from its slot into the source and
// destination entries.
#pragma once

#include <cstdint>

namespace peltrix::paths::value_flag {

inline constexpr uint32_t kInPlace = 0x01;  // the value is both a source and a destination
inline constexpr uint32_t kNoFile = 0x02;   // destination file missing, its folder exists
inline constexpr uint32_t kMissing = 0x04;  // a folder to create before copying
inline constexpr uint32_t kFile = 0x08;     // the source is a regular file
inline constexpr uint32_t kFolder = 0x10;   // the value denotes a folder
inline constexpr uint32_t kExists = 0x40;   // the path exists
inline constexpr uint32_t kRepeat = 0x80;   // names the same file as an earlier source (/W)

}  // namespace peltrix::paths::value_flag
