#include "cli/pieces.h"

namespace peltrix::cli {

char* next_piece(char*& cursor, char delimiter) {
  while (*cursor == delimiter) ++cursor;
  if (*cursor == '\0') return nullptr;
  char* piece = cursor;
  while (*cursor != '\0' && *cursor != delimiter) ++cursor;
  if (*cursor == delimiter) *cursor++ = '\0';
  return piece;
}

bool has_no_piece(const char* text, char delimiter) {
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != delimiter) return false;
  }
  return true;
}

}  // namespace peltrix::cli
