// The numbered message lines and the print operations that all output of
// messages goes through.
//
// An error message is a series of lines "E%03d-%d text", one call of line()
// each; the lines after a failed system call end with system_error_lines().
// The program raises every message by its name in the catalogue
// (catalogue_*.h), which alone writes the codes and texts with these.
#pragma once

#include <cstddef>
#include <cstdint>

#define PELTRIX_PRINTF(format_index, first_arg) __attribute__((format(printf, format_index, first_arg)))

namespace peltrix::messages {

enum class Stream { kOut, kErr };

// Prints formatted text on a stream; a failed write is ignored.
void print(Stream stream, const char* format, ...) PELTRIX_PRINTF(2, 3);
// Prints formatted text on standard output (the usage text).
void print_out(const char* format, ...) PELTRIX_PRINTF(1, 2);
// Formats into buffer of size bytes with its terminator; the number of
// characters written, or -1 when the text does not fit or formatting fails.
int format_bounded(char* buffer, size_t size, const char* format, ...) PELTRIX_PRINTF(3, 4);

// Prints line line_number of error message code on standard error:
// "E%03d-%d " followed by the formatted text and a line feed.
void line(int code, int line_number, const char* format, ...) PELTRIX_PRINTF(3, 4);

// The two lines that explain system error code `error` after message code,
// numbered from first_line.
void system_error_lines(int code, int first_line, uint32_t error);

}  // namespace peltrix::messages
