// Places the file pointer of a destination opened for appending behind its
// contents, or on a trailing end-of-file unit so that the new output
// replaces it.
#pragma once

#include <cstdint>

#include "model/entries.h"
#include "records/code_table.h"

namespace peltrix::engine {

// Positions destination.handle for appending. The trailing unit is compared
// whole in the run's code (1, 2 or 4 bytes), against the file as it is now;
// with plain_bytes (/IY2) nothing is replaced. Prints E117 to E120 on failure.
bool position_for_append(const model::DestinationEntry& destination, const records::UnitPattern& eof,
                         bool plain_bytes);

}  // namespace peltrix::engine
