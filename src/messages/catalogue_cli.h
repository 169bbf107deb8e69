// The catalogue's messages of the command line: the switches, the group
// arguments and their sub-options, numeric values and file lists. position
// is the 1-based place of the group argument.
#pragma once

#include <cstddef>
#include <cstdint>

namespace peltrix::messages {

// E001: the plain switch name (/N, /S, /T, /W, /C) is given twice.
void switch_repeated(const char* name);
// E002: the group switch name (/I, /O, /M) is given twice.
void group_switch_repeated(const char* name);
// E004: argument is no option.
void unknown_argument(const char* argument);

// E005: the /I group is the switch alone.
void input_group_empty(int position);
// E007: the /I argument does not go on with '/'.
void input_group_invalid(int position, const char* argument);
// E008: a piece of the /I group is shorter than the sub-option names tried.
void input_piece_too_short(int position, const char* piece);
// E010: the /I sub-option name is given twice in the group.
void input_sub_option_repeated(int position, const char* name);
// E015: a piece of the /I group names no sub-option.
void input_piece_unknown(int position, const char* piece);
// E016: the /I group names no file or folder.
void input_group_names_nothing(int position);

// E018: the /O argument does not go on with '/'.
void output_group_invalid(int position, const char* argument);
// E019: a piece of the /O group is shorter than the sub-option names tried.
void output_piece_too_short(int position, const char* piece);
// E021: the /O sub-option name is given twice in the group.
void output_sub_option_repeated(const char* name);
// E024: a piece of the /O group names no sub-option.
void output_piece_unknown(int position, const char* piece);

// E025: the /M group is the switch alone.
void message_group_empty();
// E027: the /M argument does not go on with '/'.
void message_group_invalid();
// E028: a piece of the /M group is shorter than the sub-option names tried.
void message_piece_too_short(const char* piece);
// E030: the /M sub-option name is given twice.
void message_sub_option_repeated(const char* name);
// E031: a piece of the /M group names no sub-option (message_group_invalid's lines).
void message_piece_unknown();

// A sub-option given as its name alone, by group.
enum MissingValueCode : int {
  kInputValueMissing = 9,     // E009
  kOutputValueMissing = 20,   // E020
  kMessageValueMissing = 29,  // E029
};
// The sub-option name has no value.
void value_missing(MissingValueCode code, const char* name);

// Two sub-options of one group that exclude each other: the code tells the
// group and the place of the conflict in the sub-option's table row.
enum SubOptionConflictCode : int {
  kInputConflictFirst = 11,    // E011
  kInputConflictSecond = 12,   // E012
  kInputConflictThird = 13,    // E013
  kInputConflictFourth = 14,   // E014
  kOutputConflictFirst = 22,   // E022
  kOutputConflictSecond = 23,  // E023
};
// name is refused after given in the group label ("/I") at position.
void sub_options_conflict(SubOptionConflictCode code, int position, const char* label, const char* given,
                          const char* name);

// E032: the value text (length bytes) of sub-option name in the group
// group_label ("/I") holds other than digits.
void number_not_digits(int position, const char* group_label, const char* name, const char* text, size_t length);
// E033: the number text (length bytes) lies outside minimum to maximum.
void number_out_of_range(int position, const char* group_label, const char* name, const char* text, size_t length,
                         uint32_t minimum, uint32_t maximum);

// E133: the file list value of sub-option name in group group_name ("I")
// holds no name between its ';'.
void file_list_empty(int position, const char* group_name, const char* name, const char* value);

}  // namespace peltrix::messages
