#include "paths/close_step.h"


namespace peltrix::paths {

bool close_step(platform::FileHandle file, const char* path, messages::CloseCode code) {
  if (platform::close_file(file)) return true;
  messages::close_failure(code, path, platform::last_error());
  return false;
}

}  // namespace peltrix::paths
