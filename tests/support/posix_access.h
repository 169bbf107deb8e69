// Owners, permission bits, extended attributes and access control lists of
// files, as the tests of in-place copies on POSIX systems set and read them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace peltrix::testing {

struct Access {
  uint32_t owner = 0;
  uint32_t group = 0;
  uint32_t mode = 0;  // permission and set-id bits
  bool operator==(const Access&) const = default;
};

bool running_as_root();
Access access_of(const std::string& path);
void set_access(const std::string& path, const Access& access);

// An extended attribute's value; "-" when the file has none of that name.
std::string attribute(const std::string& path, const std::string& name);
void set_attribute(const std::string& path, const std::string& name, const std::string& value);

// One entry of an access ACL: ACL_USER_OBJ 0x01, ACL_USER 0x02, ACL_GROUP_OBJ
// 0x04, ACL_GROUP 0x08, ACL_MASK 0x10, ACL_OTHER 0x20; permissions rwx as 4, 2, 1.
struct AclEntry {
  uint16_t tag;
  uint16_t permissions;
  uint32_t id;
};
// The entries as the system stores them, for set_attribute.
std::string acl(const std::vector<AclEntry>& entries);
inline constexpr char kAccessAcl[] = "system.posix_acl_access";
inline constexpr char kDefaultAcl[] = "system.posix_acl_default";

}  // namespace peltrix::testing
