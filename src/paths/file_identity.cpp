#include "paths/file_identity.h"

#include "messages/messages.h"
#include "paths/close_step.h"
#include "paths/open_step.h"

namespace peltrix::paths {

void print_information_failure(const char* path, uint32_t error) {
  messages::line(kInformationCode, 1, "次のファイルの情報獲得に失敗しました。");
  messages::line(kInformationCode, 2, "%s", path);
  messages::system_error_lines(kInformationCode, 3, error);
}

bool query_file_identity(const char* full_path, const char* kind_word, platform::FileInformation& information) {
  OpenRequest request = source_request(kind_word);
  request.path = full_path;
  if (!open_step(request, kIdentityOpen)) return false;

  if (!platform::file_information(request.handle, &information)) {
    const uint32_t error = platform::last_error();
    // The run ends here, but the file is not left held.
    platform::close_file(request.handle);
    print_information_failure(full_path, error);
    return false;
  }
  return close_step(request.handle, full_path, kIdentityClose);
}

}  // namespace peltrix::paths
