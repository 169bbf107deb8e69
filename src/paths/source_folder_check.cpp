#include "paths/source_folder_check.h"

#include "messages/catalogue_paths.h"
#include "paths/full_path_step.h"
#include "paths/given_text.h"
#include "paths/value_flags.h"

namespace peltrix::paths {

namespace {

// Room for a separator and '*' that the folder scan appends.
constexpr GivenTextRule kGivenText{.forbidden_code = messages::kForbiddenInSourceFolder,
                                   .memory_code = messages::kSourceFolderNameMemory,
                                   .spare_bytes = 2};
constexpr LongFormRule kLongForm{.error_code = messages::kSourceFolderLongForm, .system_lines = false,
                                 .missing_keeps_given = false, .memory_code = messages::kSourceFolderPathMemory};

}  // namespace

bool check_source_folder(const char* text, int occurrence, PathValue& value) {
  const int position = occurrence + 1;
  if (!take_given_text(text, position, kGivenText, value)) return false;
  const char* given = value.given_text.c_str();

  platform::PathStatus status;
  if (!platform::path_status(given, &status)) {
    const uint32_t error = platform::last_error();
    if (is_not_found(error)) {
      messages::source_folder_not_found(position, given);
    } else {
      messages::source_folder_io_error(position, given, error);
    }
    return false;
  }
  value.flags |= value_flag::kExists;
  if (status.kind != platform::PathKind::kFolder) {
    messages::source_folder_not_a_folder(position, given);
    return false;
  }
  value.flags |= value_flag::kFolder;
  return make_full_path(value.given_text, kLongForm, value.full_path);
}

}  // namespace peltrix::paths
