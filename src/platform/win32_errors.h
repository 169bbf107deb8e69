// Windows: the failure helper shared by the Windows files of the layer.
#pragma once

#include <cstdint>

namespace peltrix::platform {

// Sets code as the last error; returns false.
bool fail(uint32_t code);

}  // namespace peltrix::platform
