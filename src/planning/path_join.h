// Paths that planning builds from a folder and a name below it.
#pragma once

#include <string>
#include <string_view>

namespace peltrix::planning {

// Length of joined_path(folder, name) without building it.
size_t joined_length(std::string_view folder, std::string_view name);
// folder, the system's folder separator unless folder ends with one, name.
std::string joined_path(std::string_view folder, std::string_view name);

}  // namespace peltrix::planning
