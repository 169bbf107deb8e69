#include "driver/run_date.h"

#include <cstring>

#include "messages/messages.h"

namespace peltrix::driver {

void format_run_date_stamp(const platform::LocalDate& date, char (&stamp)[kRunDateStampSize]) {
  std::memset(stamp, 0, sizeof stamp);
  messages::format_bounded(stamp, sizeof stamp, "_%d%02d%02d_", date.year, date.month, date.day);
}

}  // namespace peltrix::driver
