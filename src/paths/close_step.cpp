#include "paths/close_step.h"

#include "messages/messages.h"

namespace peltrix::paths {

bool close_step(platform::FileHandle file, const char* path, int message_number) {
  if (platform::close_file(file)) return true;
  const uint32_t error = platform::last_error();
  messages::line(message_number, 1, "次のコピー元ファイルのcloseが失敗しました。 \"%s\"", path);
  messages::system_error_lines(message_number, 2, error);
  return false;
}

}  // namespace peltrix::paths
