// Windows: the handle of an open file, shared by the Windows files of the layer.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace peltrix::platform {

// The system's handle of an open file.
inline HANDLE to_handle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace peltrix::platform
