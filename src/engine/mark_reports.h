// The messages of the mark checks: records/ tells what it found, these
// report it (E115, E116, E126) for the copy and for the driver.
#pragma once

#include <cstdint>

#include "records/bom_step.h"
#include "records/leading_bytes.h"

namespace peltrix::engine {

// Whether the leading bytes agree; otherwise prints E115 or E126 for the
// input code input_code (/IC) and returns false.
bool leading_bytes_agree(const records::LeadingBytes& found, int32_t input_code);

// Whether the mark handling goes with the sources' mark; otherwise prints
// E116 and returns false.
bool mark_handling_accepted(const records::BomSettings& settings);

}  // namespace peltrix::engine
