#include "paths/check_messages.h"

#include "messages/messages.h"

namespace peltrix::paths {

void value_lines(int code, const char* first_line, int position, const char* given, const char* advice) {
  messages::line(code, 1, first_line, position);
  messages::line(code, 2, "%s", given);
  messages::line(code, 3, "%s", advice);
}

void io_error_lines(int code, const char* first_line, int position, const char* given, uint32_t error) {
  messages::path_failure(code, given, error, messages::kSeeCause, first_line, position);
}

}  // namespace peltrix::paths
