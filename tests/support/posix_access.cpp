#include "support/posix_access.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace peltrix::testing {

bool running_as_root() { return geteuid() == 0; }

Access access_of(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) throw std::runtime_error("lstat " + path);
  return Access{st.st_uid, st.st_gid, st.st_mode & 07777u};
}

void set_access(const std::string& path, const Access& access) {
  if (chown(path.c_str(), access.owner, access.group) != 0 || chmod(path.c_str(), access.mode) != 0) {
    throw std::runtime_error("chown/chmod " + path);
  }
}

std::string attribute(const std::string& path, const std::string& name) {
  char value[4096];
  const ssize_t size = getxattr(path.c_str(), name.c_str(), value, sizeof value);
  return size < 0 ? "-" : std::string(value, static_cast<size_t>(size));
}

void set_attribute(const std::string& path, const std::string& name, const std::string& value) {
  if (setxattr(path.c_str(), name.c_str(), value.data(), value.size(), 0) != 0) {
    throw std::runtime_error("setxattr " + name + " " + path);
  }
}

std::string acl(const std::vector<AclEntry>& entries) {
  constexpr uint32_t kVersion = 2;
  std::string blob(reinterpret_cast<const char*>(&kVersion), 4);
  for (const AclEntry& e : entries) blob.append(reinterpret_cast<const char*>(&e), sizeof e);
  return blob;
}

}  // namespace peltrix::testing
