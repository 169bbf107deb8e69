// The catalogue's messages of planning: the rules between options, the
// duplicate and in-place checks, backup names, the source and destination
// lists and the folder scan. position is the 1-based place of the group
// argument.
#pragma once

#include <cstddef>
#include <cstdint>

namespace peltrix::messages {

// E062: no /I group is given.
void input_group_missing();
// E070: /OU3 with /OJ for /OF destinations.
void append_with_mark_option();
// E077: /N with /OF.
void per_file_with_file_destination();
// E078: /N with standard output.
void per_file_to_stdout();
// E127: /IC and /OJ name different marks.
void input_code_against_mark_option();

// Two options that exclude each other, given together.
enum OptionsConflictCode : int {
  kRecordSkipWithNewlines = 71,         // E071: /IL with /OR
  kRecordLimitWithNewlines = 72,        // E072: /IP with /OR; its line 2 alone ends without "。"
  kByteSkipWithRecordCounts = 73,       // E073: /IT with /MT3
  kMegabyteSkipWithRecordCounts = 74,   // E074: /IA with /MT3
  kByteLimitWithRecordCounts = 75,      // E075: /IB with /MT3
  kMegabyteLimitWithRecordCounts = 76,  // E076: /IM with /MT3
};
// The two options the code names were given together.
void options_conflict(OptionsConflictCode code);

// E079: one file is named twice in /IF (first and second as given) without /W.
void source_repeated(int position, const char* first, const char* second);
// E080: /N with two /IF files of the file name name.
void per_file_name_repeated(int position, const char* name);
// E083: the status of the backup name backup could not be read.
void backup_io_error(int position, const char* backup, uint32_t error);
// E084: source (/IF) and destination (/OF), as given, are one file, without /OU2 or /OU3.
void in_place_without_overwrite(int input_position, int output_position, const char* source,
                                const char* destination);
// E085: one file is named twice in /OF (first and second as given).
void destination_repeated(int position, const char* first, const char* second);
// E087: /ID and /OD name the folder given, without /OU2 or /OU3.
void same_folder_without_overwrite(const char* given);
// E089: a backup name would exceed 260 bytes.
void backup_name_too_long();
// E095: the /OF file given exists, without /OU2 or /OU3.
void destination_file_exists(int position, const char* given);
// E097: a destination name in the /OD folder would be length bytes, over limit.
void destination_name_too_long(size_t length, size_t limit);
// E098: the status of the destination path could not be read.
void destination_io_error(const char* path, uint32_t error);
// E099: the destination path in the /OD folder exists, without /OU2 or /OU3.
void destination_in_folder_exists(const char* path);
// E123: the /ID folder (without /S) holds no file.
void source_folder_without_files(const char* folder);
// E124: the /ID tree (/S /N) holds neither file nor folder.
void source_tree_empty(const char* folder);
// E125: the /ID tree (/S without /N) holds no file.
void source_tree_without_files(const char* folder);
// E132: every backup number of the backup name name is taken.
void backup_numbers_used_up(const char* name);
// E134: the source folder could not be listed, or its listing broke off.
void source_folder_not_listed(const char* folder, uint32_t error);
// E135: an item of a source folder has a name that no path can hold.
void unnamable_source_item(const char* path);

}  // namespace peltrix::messages
