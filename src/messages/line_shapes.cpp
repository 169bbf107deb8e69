#include "messages/line_shapes.h"

#include <cstdarg>
#include <cstdio>

namespace peltrix::messages {

void two_lines(int code, const char* first, const char* second) {
  line(code, 1, "%s", first);
  line(code, 2, "%s", second);
}

void subject_lines(int code, const char* first, const char* subject, const char* advice) {
  line(code, 1, "%s", first);
  line(code, 2, "%s", subject);
  line(code, 3, "%s", advice);
}

void position_lines(int code, const char* first_line, int position, const char* subject, const char* advice) {
  line(code, 1, first_line, position);
  line(code, 2, "%s", subject);
  line(code, 3, "%s", advice);
}

const char kSeeCause[] = "エラー原因は次のシステムエラーコードとメッセージを参照してください。";

void path_failure(int code, const char* path, uint32_t error, const char* advice, const char* first_line, ...) {
  va_list args;
  va_start(args, first_line);
  char text[1024];
  std::vsnprintf(text, sizeof text, first_line, args);
  va_end(args);
  line(code, 1, "%s", text);
  line(code, 2, "%s", path);
  line(code, 3, "%s", advice);
  system_error_lines(code, 4, error);
}

}  // namespace peltrix::messages
