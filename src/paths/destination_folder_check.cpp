#include "paths/destination_folder_check.h"

#include "messages/catalogue_paths.h"
#include "paths/full_path_step.h"
#include "paths/given_text.h"
#include "paths/value_flags.h"

namespace peltrix::paths {

namespace {

// Room for a separator and '*', as for the source folder.
constexpr GivenTextRule kGivenText{.forbidden_code = messages::kForbiddenInDestinationFolder,
                                   .memory_code = messages::kDestinationFolderNameMemory,
                                   .spare_bytes = 2};
constexpr LongFormRule kLongForm{.error_code = messages::kDestinationFolderLongForm, .system_lines = false,
                                 .missing_keeps_given = true, .memory_code = messages::kDestinationFolderPathMemory};

}  // namespace

bool check_destination_folder(const char* text, int occurrence, PathValue& value) {
  const int position = occurrence + 1;
  if (!take_given_text(text, position, kGivenText, value)) return false;
  const char* given = value.given_text.c_str();

  platform::PathStatus status;
  if (platform::path_status(given, &status)) {
    value.flags |= value_flag::kExists;
    if (status.kind != platform::PathKind::kFolder) {
      messages::destination_folder_not_a_folder(position, given);
      return false;
    }
  } else {
    const uint32_t error = platform::last_error();
    if (!is_not_found(error)) {
      messages::destination_folder_io_error(position, given, error);
      return false;
    }
    // Created before the copy.
    value.flags |= value_flag::kMissing;
  }
  value.flags |= value_flag::kFolder;
  return make_full_path(value.given_text, kLongForm, value.full_path);
}

}  // namespace peltrix::paths
