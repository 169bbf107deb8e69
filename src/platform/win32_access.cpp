// Windows: the access a new file takes from the one it stands in for: the
// owner and the access control list of its security descriptor.

#include "platform/platform.h"
#include "platform/fault_injection.h"
#include "platform/win32_errors.h"
#include "platform/win32_files.h"

#include <windows.h>

#include <aclapi.h>

namespace peltrix::platform {

// The owner and the list of rights (with its protection from the folder's
// inherited rights) go from the original to the file made in its place.
const bool kKeepsAttributes = true;

bool copy_access(FileHandle from, FileHandle to) {
  if (faults::fires(faults::Operation::kStatus)) return false;
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  constexpr SECURITY_INFORMATION kWanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD error = GetSecurityInfo(to_handle(from), SE_FILE_OBJECT, kWanted, &owner, nullptr, &dacl, nullptr,
                                &descriptor);
  if (error != ERROR_SUCCESS) return fail(error);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(descriptor, &control, &revision);
  // The original's list of rights, as protected from its folder as it was.
  const SECURITY_INFORMATION dacl_kind = DACL_SECURITY_INFORMATION | ((control & SE_DACL_PROTECTED) != 0
                                                                          ? PROTECTED_DACL_SECURITY_INFORMATION
                                                                          : UNPROTECTED_DACL_SECURITY_INFORMATION);
  error = SetSecurityInfo(to_handle(to), SE_FILE_OBJECT, dacl_kind | OWNER_SECURITY_INFORMATION, owner, nullptr, dacl,
                          nullptr);
  // An owner the process may not give: the file stays the process's, with the original's rights.
  if (error == ERROR_INVALID_OWNER || error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD) {
    error = SetSecurityInfo(to_handle(to), SE_FILE_OBJECT, dacl_kind, nullptr, nullptr, dacl, nullptr);
  }
  LocalFree(descriptor);
  return error == ERROR_SUCCESS || fail(error);
}

}  // namespace peltrix::platform
