// The run date stamp that dated backup names carry.
#pragma once

#include <cstddef>

#include "platform/platform.h"

namespace peltrix::driver {

inline constexpr size_t kRunDateStampSize = 100;

// Formats "_%d%02d%02d_" of date into stamp (zero-filled first): _20261206_.
void format_run_date_stamp(const platform::LocalDate& date, char (&stamp)[kRunDateStampSize]);

}  // namespace peltrix::driver
