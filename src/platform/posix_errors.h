// POSIX (Linux and other POSIX systems): the last error of this layer and
// the Windows error numbers that errno values are reported with, shared by
// the POSIX files of the layer.
#pragma once

#include <cstdint>
#include <string>

namespace peltrix::platform {

// Windows error number of the last failed operation, per thread.
extern thread_local uint32_t g_last_error;

// Codes of this layer's own choosing for errno values that Windows has no
// direct counterpart for: the customer bit with the errno value, which the
// system-error lines report with the "no text" wording.
constexpr uint32_t kCustomerBit = 0x20000000u;
constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorTooManyOpenFiles = 4;
constexpr uint32_t kErrorNotSameDevice = 17;
constexpr uint32_t kErrorWriteProtect = 19;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorInsufficientBuffer = 122;
constexpr uint32_t kErrorNegativeSeek = 131;
constexpr uint32_t kErrorDirNotEmpty = 145;
constexpr uint32_t kErrorBusy = 170;
constexpr uint32_t kErrorFileTooLarge = 223;
constexpr uint32_t kErrorMessageNotFound = 317;
constexpr uint32_t kErrorIoDevice = 1117;
constexpr uint32_t kErrorCantResolveFilename = 1921;

// ENOENT means 2 when the folder that would hold the name exists, else 3.
uint32_t not_found_code(const std::string& native_path);
// Windows error number for errno after an operation on native_path.
uint32_t map_errno(int error, const std::string& native_path);
// Sets code as the last error; returns false.
bool fail(uint32_t code);
// Sets the number for errno after an operation on native_path; returns false.
bool fail_errno(const std::string& native_path);

}  // namespace peltrix::platform
