// The end-of-file unit at the end of a source: found on the first source,
// removed from every source, and written once where an output ends.
// Sources handled as plain bytes (/IY2) skip all three.
#pragma once

#include <cstdint>

#include "records/code_table.h"
#include "records/output_settings.h"

namespace peltrix::records {

// Whether data[0, length) ends with the unit; a block shorter than the unit does not.
bool ends_with_eof_unit(const uint8_t* data, uint32_t length, const UnitPattern& eof);

// Removes one trailing unit from data[0, length): zeroes its bytes and lowers length.
// Returns whether there was one.
bool strip_eof_unit(uint8_t* data, uint32_t& length, const UnitPattern& eof);

// Whether an output ends with the unit: never, always, or when its first
// source ended with it.
bool output_takes_eof_unit(EndOfFile end_of_file, bool first_source_ended_with_eof);

// Writes the unit behind data[0, length) and raises length by its length.
void append_eof_unit(uint8_t* data, uint32_t& length, const UnitPattern& eof);

}  // namespace peltrix::records
