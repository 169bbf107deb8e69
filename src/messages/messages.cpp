#include "messages/messages.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace peltrix::messages {

namespace {

// Formats and writes the text whole, in one write where the system allows.
void print_formatted(bool to_error, const char* format, va_list args) {
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) return;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  platform::write_text(to_error, text.data(), static_cast<size_t>(length));
}

}  // namespace

void print(Stream stream, const char* format, ...) {
  va_list args;
  va_start(args, format);
  print_formatted(stream == Stream::kErr, format, args);
  va_end(args);
}

void print_out(const char* format, ...) {
  va_list args;
  va_start(args, format);
  print_formatted(false, format, args);
  va_end(args);
}

int format_bounded(char* buffer, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, size, format, args);
  va_end(args);
  if (length < 0 || static_cast<size_t>(length) >= size) return -1;
  return length;
}

void line(int code, int line_number, const char* format, ...) {
  // The whole line is written at once, whatever its length (E004 prints the
  // argument as typed), so that the lines of one message never interleave.
  char prefix[32];
  const int prefix_length = std::snprintf(prefix, sizeof prefix, "E%03d-%d ", code, line_number);
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int text_length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (text_length < 0) {
    va_end(args);
    return;
  }
  std::string text(static_cast<size_t>(prefix_length + text_length) + 1, '\0');
  std::memcpy(text.data(), prefix, static_cast<size_t>(prefix_length));
  std::vsnprintf(text.data() + prefix_length, static_cast<size_t>(text_length) + 1, format, args);
  va_end(args);
  text.back() = '\n';
  platform::write_text(true, text.data(), text.size());
}

void system_error_lines(int code, int first_line, uint32_t error) {
  char text[1024] = {};
  const uint32_t length = platform::system_message(error, text, sizeof text);
  if (length != 0) {
    line(code, first_line, "システムエラーコード=%d", static_cast<int>(error));
    size_t end = std::strlen(text);
    if (end >= 2 && text[end - 2] == '\r' && text[end - 1] == '\n') text[end - 2] = '\0';
    line(code, first_line + 1, "%s", text);
  } else {
    const uint32_t lookup_error = platform::last_error();
    line(code, first_line, "システムエラーコード=%d;", static_cast<int>(error));
    line(code, first_line + 1, "GetLastError()=%d", static_cast<int>(lookup_error));
  }
}

}  // namespace peltrix::messages
