// When two path values name one file, and the file name of a value.
#pragma once

#include <string_view>

#include "cli/option_tables.h"

namespace peltrix::planning {

// Equal full paths (byte for byte), or file identities both known and equal.
bool same_file(const cli::ValueSlot& a, const cli::ValueSlot& b);

// The part of a given text behind its last folder separator; all of it
// when it has none.
std::string_view file_name_of(const std::string& given);

}  // namespace peltrix::planning
