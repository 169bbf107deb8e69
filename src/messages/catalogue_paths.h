// The catalogue's messages of the path values: the checks of /IF, /ID, /OF
// and /OD, file identities and path lengths. position is the 1-based place
// of the group argument, given the value as typed.
#pragma once

#include <cstdint>

namespace peltrix::messages {

// E034: more names in one /IF value than the 256 allowed.
void too_many_source_files(int position);
// E037: the /IF file given does not exist.
void source_file_not_found(int position, const char* given);
// E128: a folder on the way to the /IF file given does not exist (source_file_not_found's lines).
void source_file_folder_not_found(int position, const char* given);
// E038: the status of the /IF file given could not be read.
void source_file_io_error(int position, const char* given, uint32_t error);
// E039: the /IF name given is no file.
void source_file_not_a_file(int position, const char* given);
// E044: the /ID folder given does not exist.
void source_folder_not_found(int position, const char* given);
// E045: the status of the /ID folder given could not be read.
void source_folder_io_error(int position, const char* given, uint32_t error);
// E046: the /ID value given is no folder.
void source_folder_not_a_folder(int position, const char* given);
// E049: more names in one /OF value than the 4 allowed.
void too_many_destination_files(int position);
// E052: the status of the /OF name given could not be read.
void destination_file_io_error(int position, const char* given, uint32_t error);
// E053: the /OF name given is something other than a file.
void destination_file_not_a_file(int position, const char* given);
// E058: the status of the /OD folder given could not be read.
void destination_folder_io_error(int position, const char* given, uint32_t error);
// E059: the /OD value given is something other than a folder.
void destination_folder_not_a_folder(int position, const char* given);

// A forbidden character in a value, by the option that holds it.
enum ForbiddenCharacterCode : int {
  kForbiddenInSourceFile = 35,         // E035: /IF
  kForbiddenInSourceFolder = 42,       // E042: /ID
  kForbiddenInDestinationFile = 50,    // E050: /OF
  kForbiddenInDestinationFolder = 56,  // E056: /OD
};
// The value holds character, which no path may hold.
void forbidden_character(ForbiddenCharacterCode code, int position, char character);

// The long form of a value could not be had, by the option that holds it.
enum LongFormCode : int {
  kSourceFileLongForm = 40,         // E040: /IF
  kSourceFolderLongForm = 47,       // E047: /ID
  kDestinationFileLongForm = 54,    // E054: /OF
  kDestinationFolderLongForm = 60,  // E060: /OD
};
// The line of error, and with system_lines the system-error lines after it.
void long_form_failure(LongFormCode code, uint32_t error, bool system_lines);

// E122: the system could not tell about path.
void information_failure(const char* path, uint32_t error);
// E130: the destination (its path, or "STDOUT") is a file a source is read
// from directly.
void destination_is_source(const char* destination_name);
// E131: the path given, or its long or absolute form, exceeds 260 bytes.
void path_too_long(const char* given);

}  // namespace peltrix::messages
