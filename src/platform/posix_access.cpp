// POSIX (Linux and other POSIX systems): the access a new file takes from
// the one it stands in for: owner and group, the permission bits, and on
// Linux (PELTRIX_LINUX_CALLS) the extended attributes with the access
// control list; other POSIX systems keep the owner, the group and the bits.

#include "platform/platform.h"
#include "platform/fault_injection.h"
#include "platform/posix_errors.h"

#include <sys/stat.h>
#include <sys/types.h>
#ifdef PELTRIX_LINUX_CALLS
#include <sys/xattr.h>
#endif
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix_portable.h"

namespace peltrix::platform {

namespace {

// A change of owner or group that the system refuses to this process (not
// privileged, or an id it does not know).
bool owner_refused(int error) { return error == EPERM || error == EINVAL; }

// Whether the process counts as a member of group when the system checks access.
bool in_group(gid_t group) {
  if (getegid() == group) return true;
  const int count = getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<size_t>(count));
  const int listed = getgroups(count, groups.data());
  return listed > 0 && std::find(groups.begin(), groups.begin() + listed, group) != groups.begin() + listed;
}

// What the new file's owner and group are of the original's.
struct Kept {
  bool owner;
  bool group;
  mode_t owner_may;  // rwx (as owner bits) the process had on the original, when the owner is not kept
};

Kept kept_of(const struct stat& original, const struct stat& now) {
  const mode_t mode = original.st_mode;
  const mode_t through_class = in_group(original.st_gid) ? (mode & S_IRWXG) << 3 : (mode & S_IRWXO) << 6;
  return Kept{now.st_uid == original.st_uid, now.st_gid == original.st_gid, through_class};
}

// The original's permission bits, less what would reach someone else: the
// owner's bits go to a new owner only as far as it had them already, the
// group's bits and set-id bits never to another owner or group.
mode_t kept_mode(mode_t mode, const Kept& kept) {
  mode &= 07777;
  if (!kept.owner) mode = (mode & ~static_cast<mode_t>(S_IRWXU | S_ISUID)) | (mode & kept.owner_may & S_IRWXU);
  if (!kept.group) mode &= ~static_cast<mode_t>(S_IRWXG | S_ISGID);
  return mode;
}

#ifdef PELTRIX_LINUX_CALLS
constexpr char kAccessAcl[] = "system.posix_acl_access";
constexpr char kDefaultAcl[] = "system.posix_acl_default";

// An extended attribute's value; false with errno set when it cannot be read.
bool attribute_of(int fd, const char* name, std::string& value) {
  for (;;) {
    const ssize_t size = fgetxattr(fd, name, nullptr, 0);
    if (size < 0) return false;
    value.resize(static_cast<size_t>(size));
    const ssize_t got = fgetxattr(fd, name, value.data(), value.size());
    if (got >= 0) {
      value.resize(static_cast<size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;  // grew meanwhile: ask again
  }
}

// The names of fd's extended attributes, each ended by '\0'.
bool attribute_names(int fd, std::string& names) {
  for (;;) {
    const ssize_t size = flistxattr(fd, nullptr, 0);
    names.clear();
    if (size == 0 || (size < 0 && errno == ENOTSUP)) return true;
    if (size < 0) return false;
    names.resize(static_cast<size_t>(size));
    const ssize_t got = flistxattr(fd, names.data(), names.size());
    if (got >= 0) {
      names.resize(static_cast<size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;
  }
}

// An access ACL as the system stores it: a version word, then entries of a
// tag, permissions and an id. The owner's and the owning group's entries
// are cut as kept_mode cuts the bits.
constexpr size_t kAclHeader = 4;
constexpr size_t kAclEntry = 8;
constexpr uint16_t kAclUserObject = 0x01;
constexpr uint16_t kAclGroupObject = 0x04;

void keep_acl(std::string& acl, const Kept& kept) {
  for (size_t at = kAclHeader; at + kAclEntry <= acl.size(); at += kAclEntry) {
    uint16_t tag = 0;
    uint16_t permissions = 0;
    std::memcpy(&tag, acl.data() + at, 2);
    std::memcpy(&permissions, acl.data() + at + 2, 2);
    if (tag == kAclUserObject && !kept.owner) permissions &= static_cast<uint16_t>(kept.owner_may >> 6);
    if (tag == kAclGroupObject && !kept.group) permissions = 0;
    std::memcpy(acl.data() + at + 2, &permissions, 2);
  }
}

// Every extended attribute of from on to but the ACLs, an equal one left alone.
bool copy_attributes(int from, int to) {
  std::string names;
  if (!attribute_names(from, names)) return false;
  for (size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1) {
    const char* name = names.c_str() + at;
    if (std::strcmp(name, kAccessAcl) == 0 || std::strcmp(name, kDefaultAcl) == 0) continue;
    std::string value;
    std::string present;
    if (!attribute_of(from, name, value)) {
      if (errno == ENODATA) continue;  // gone meanwhile
      return false;
    }
    if (attribute_of(to, name, present) && present == value) continue;
    if (fsetxattr(to, name, value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}

// The original's access ACL, cut to what is kept; without one, any ACL the
// new file took from its folder goes, so that only its bits decide.
bool copy_acl(int from, int to, const Kept& kept) {
  std::string acl;
  if (!attribute_of(from, kAccessAcl, acl)) {
    if (errno != ENODATA && errno != ENOTSUP) return false;
    return fremovexattr(to, kAccessAcl) == 0 || errno == ENODATA || errno == ENOTSUP;
  }
  keep_acl(acl, kept);
  return fsetxattr(to, kAccessAcl, acl.data(), acl.size(), 0) == 0;
}

#else
// Other systems keep their attributes and ACLs their own ways: only the
// owner, the group and the bits are copied there.
bool copy_attributes(int, int) { return true; }
bool copy_acl(int, int, const Kept&) { return true; }
#endif

}  // namespace

#ifdef PELTRIX_LINUX_CALLS
const bool kKeepsAttributes = true;
#else
const bool kKeepsAttributes = false;
#endif

bool copy_access(FileHandle from, FileHandle to) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  const int source = static_cast<int>(from);
  const int fd = static_cast<int>(to);
  struct stat original;
  if (fstat(source, &original) != 0) return fail_errno("");
  // Owner and group first: a change of owner clears set-id bits, which the
  // mode then sets. Where the owner may not be given, the group still may.
  if (fchown(fd, original.st_uid, original.st_gid) != 0) {
    if (!owner_refused(errno)) return fail_errno("");
    if (fchown(fd, static_cast<uid_t>(-1), original.st_gid) != 0 && !owner_refused(errno)) return fail_errno("");
  }
  struct stat now;
  if (fstat(fd, &now) != 0) return fail_errno("");
  const Kept kept = kept_of(original, now);
  // The attributes go on while the file is still its owner's alone; the
  // ACL last, as it sets the bits again from its entries.
  if (!copy_attributes(source, fd)) return fail_errno("");
  if (fchmod(fd, kept_mode(original.st_mode, kept)) != 0) return fail_errno("");
  if (copy_acl(source, fd, kept)) return true;
  const int error = errno;
  fchmod(fd, 0600);
  errno = error;
  return fail_errno("");
}

}  // namespace peltrix::platform
