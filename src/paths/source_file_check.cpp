#include "paths/source_file_check.h"

#include "messages/catalogue_paths.h"
#include "paths/file_identity.h"
#include "paths/full_path_step.h"
#include "paths/given_text.h"
#include "paths/open_step.h"
#include "paths/value_flags.h"

namespace peltrix::paths {

namespace {

constexpr GivenTextRule kGivenText{.forbidden_code = messages::kForbiddenInSourceFile,
                                   .memory_code = messages::kSourceFileNameMemory,
                                   .spare_bytes = 0};
constexpr LongFormRule kLongForm{.error_code = messages::kSourceFileLongForm, .system_lines = true,
                                 .missing_keeps_given = false, .memory_code = messages::kSourceFilePathMemory};

void print_status_failure(int position, const char* given, uint32_t error) {
  if (error == platform::kErrorFileNotFound) {
    messages::source_file_not_found(position, given);
  } else if (error == platform::kErrorPathNotFound) {
    messages::source_file_folder_not_found(position, given);
  } else {
    messages::source_file_io_error(position, given, error);
  }
}

}  // namespace

bool check_source_file(const char* name, int occurrence, int accepted, PathValue& value) {
  const int position = occurrence + 1;
  if (accepted >= kMaxSourceFiles) {
    messages::too_many_source_files(position);
    return false;
  }
  if (!take_given_text(name, position, kGivenText, value)) return false;
  const char* given = value.given_text.c_str();

  platform::PathStatus status;
  if (!platform::path_status(given, &status)) {
    print_status_failure(position, given, platform::last_error());
    return false;
  }
  value.flags |= value_flag::kExists;
  value.size = status.size;
  if (status.kind != platform::PathKind::kFile) {
    messages::source_file_not_a_file(position, given);
    return false;
  }
  value.flags |= value_flag::kFile;

  if (!make_full_path(value.given_text, kLongForm, value.full_path)) return false;
  platform::FileInformation information;
  if (!query_file_identity(value.full_path.c_str(), messages::kSourceWord, information)) return false;
  value.file_information = information;
  return true;
}

}  // namespace peltrix::paths
