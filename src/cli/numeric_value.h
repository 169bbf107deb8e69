// The check of every numeric sub-option value: plain decimal digits within
// the definition's range.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cli/option_tables.h"

namespace peltrix::cli {

// Checks text (length bytes) against minimum and maximum, compared as
// unsigned 32-bit numbers, and stores the number in target. On refusal
// prints E032 (not digits) or E033 (out of range) with the group position
// (occurrence + 1), group_label ("/I") and the definition's name, leaves
// target unchanged and returns false.
bool check_number(const char* text, size_t length, const OptionDefinition& definition, uint32_t minimum,
                  uint32_t maximum, uint32_t& target, const char* group_label, int occurrence);

}  // namespace peltrix::cli
