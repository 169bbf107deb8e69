// The texts the path checks and parsers keep for the whole run.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "messages/catalogue_memory.h"

namespace peltrix::paths {

// Copies text into out. When the memory is refused, prints the
// out-of-memory line of memory_code with requested bytes and returns false.
bool hold_text(messages::TextMemoryCode memory_code, std::string_view text, size_t requested, std::string& out);

}  // namespace peltrix::paths
