#include "paths/destination_file_check.h"

#include "messages/catalogue_paths.h"
#include "paths/file_identity.h"
#include "paths/full_path_step.h"
#include "paths/given_text.h"
#include "paths/open_step.h"
#include "paths/value_flags.h"

namespace peltrix::paths {

namespace {

constexpr GivenTextRule kGivenText{.forbidden_code = messages::kForbiddenInDestinationFile,
                                   .memory_code = messages::kDestinationFileNameMemory,
                                   .spare_bytes = 0};
constexpr LongFormRule kLongForm{.error_code = messages::kDestinationFileLongForm, .system_lines = false,
                                 .missing_keeps_given = true, .memory_code = messages::kDestinationFilePathMemory};

// Flags of the status of given: exists, no file (its folder exists) or
// missing (a folder on the way is missing). False after the messages.
bool read_status(const char* given, int position, PathValue& value) {
  platform::PathStatus status;
  if (!platform::path_status(given, &status)) {
    const uint32_t error = platform::last_error();
    if (error == platform::kErrorFileNotFound) {
      value.flags |= value_flag::kNoFile;
      return true;
    }
    if (error == platform::kErrorPathNotFound) {
      value.flags |= value_flag::kMissing;
      return true;
    }
    messages::destination_file_io_error(position, given, error);
    return false;
  }
  if (status.kind != platform::PathKind::kFile) {
    messages::destination_file_not_a_file(position, given);
    return false;
  }
  value.flags |= value_flag::kExists;
  value.size = status.size;
  return true;
}

}  // namespace

bool check_destination_file(const char* name, int occurrence, int accepted, PathValue& value) {
  const int position = occurrence + 1;
  if (accepted >= kMaxDestinationFiles) {
    messages::too_many_destination_files(position);
    return false;
  }
  if (!take_given_text(name, position, kGivenText, value)) return false;
  if (!read_status(value.given_text.c_str(), position, value)) return false;
  if (!make_full_path(value.given_text, kLongForm, value.full_path)) return false;

  if ((value.flags & value_flag::kExists) != 0) {
    // A destination that another program holds is refused already here.
    platform::FileInformation information;
    if (!query_file_identity(value.full_path.c_str(), messages::kDestinationWord, information)) return false;
    value.file_information = information;
  }
  return true;
}

}  // namespace peltrix::paths
