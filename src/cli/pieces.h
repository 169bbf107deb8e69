// Cuts a text in place into its pieces between delimiters: sub-options at
// '/', file names at ';'.
#pragma once

namespace peltrix::cli {

// The next piece from cursor on, terminated in place; adjacent and trailing
// delimiters give no empty piece. nullptr when no piece is left. cursor moves
// past the piece.
char* next_piece(char*& cursor, char delimiter);

// True when text holds nothing but delimiters, so it gives no piece at all.
bool has_no_piece(const char* text, char delimiter);

}  // namespace peltrix::cli
