// Windows: the read-only test of a name, shared by the Windows files of the layer.
#pragma once

namespace peltrix::platform {

// Whether path is a file with the read-only attribute.
bool read_only(const char* path);

}  // namespace peltrix::platform
