// The catalogue's messages of the copy: the marks of the sources, in-place
// backups and files, appending, and the end of an interrupted run.
// position is the 1-based place of the group argument.
#pragma once

#include <cstdint>

namespace peltrix::messages {

// E106: the in-place source could not be moved to its backup name backup.
void backup_not_made(int position, const char* backup, uint32_t error);
// E107: the backup could not be deleted after the copy.
void backup_not_deleted(int position, const char* backup, uint32_t error);
// E109: the per-file copy met a file source without a file destination.
void program_logic_error();
// E115: a source's mark differs from the marks of the sources before it.
void source_marks_differ();
// E116: /OJ with the value mark_option (1 to 5) for sources that carry a mark.
void mark_option_for_marked_sources(int mark_option);
// E126, a source's mark against /IC input_code: another code's mark (found
// and expected, described: 4 lines), or a mark where /IC names a code
// without one or none where it names a marked code (2 lines).
void source_mark_against_input_code(int input_code, const char* found, const char* expected);
void source_mark_presence_against_input_code(int input_code);

// A step of the positioning for appending that failed, by the call it made.
enum AppendPositionCode : int {
  kAppendSeekToLastUnit = 117,      // E117: the seek to the last unit of the destination
  kAppendReadLastUnit = 118,        // E118: the read of that unit ("ReadFile()")
  kAppendSeekBackToLastUnit = 119,  // E119: the seek back to overwrite it
  kAppendSeekToEnd = 120,           // E120: the seek to the end
};
// The call failed with error on the destination path.
void append_position_failure(AppendPositionCode code, const char* path, uint32_t error);

// E136: the in-place file path at position could not be given the original's access.
void access_not_copied(int position, const char* path, uint32_t error);
// E137: the in-place file path could not be written out to the disk.
void in_place_not_flushed(const char* path, uint32_t error);
// E138: another program put something at the name path the original left;
// the original is at backup.
void in_place_name_taken(int position, const char* path, const char* backup);
// E140: the destination path became another file or a link after the checks.
void destination_replaced(const char* path);

// E139, the run stopped on request: line 1, then a line for each original
// moved to its backup, put back (line 2) or not (line 3), then line 4.
void interrupted_run_stopped();
void interrupted_run_put_back(const char* path);
void interrupted_run_not_put_back(const char* path, const char* backup, uint32_t error);
void interrupted_run_left_behind();

}  // namespace peltrix::messages
