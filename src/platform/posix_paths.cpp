// POSIX (Linux and other POSIX systems): path text. Users write '\' between
// folder names; it becomes '/' before a path reaches the system, and '.' and
// '..' parts are taken away by the text, as Windows takes them away. Also
// the long and full forms of a path and the characters of the names' code
// page (CP932 or UTF-8, as the build chose).

#include "platform/platform.h"
#include "platform/posix_errors.h"
#include "platform/posix_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/posix_portable.h"

namespace peltrix::platform {

const char kFolderSeparator = '/';

// The parts of a path with '/' between them, '.' and empty parts left out
// and each '..' taking the part before it away; a '..' above the start of a
// relative path stays, one above the root goes. Symbolic links play no part.
std::vector<std::string> lexical_parts(const std::string& path) {
  const bool absolute = !path.empty() && path.front() == '/';
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..") {
        parts.pop_back();
      } else if (!absolute) {
        parts.push_back(part);
      }
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  return parts;
}

// path with every '\' that is a character of its own turned into '/': the
// trail byte of a two-byte character stays (CP932 build: 表 is 95 5C).
std::string slashed_path(const char* path) {
  std::string slashed(path);
  for (size_t i = 0; i < slashed.size(); i += char_length(slashed.c_str() + i)) {
    if (slashed[i] == '\\') slashed[i] = '/';
  }
  return slashed;
}

// The path as the system wants it: every '\' becomes '/', and '.' and '..'
// parts go by the text, as the full path goes, so that "link\..\f.txt" is
// the f.txt beside the link (as on Windows), the file the copy opens, never
// the one beside the link's target.
std::string native(const char* path) {
  const std::string slashed = slashed_path(path);
  if (slashed.empty()) return slashed;
  std::string result(slashed.front() == '/' ? "/" : "");
  for (const std::string& part : lexical_parts(slashed)) {
    if (!result.empty() && result.back() != '/') result.push_back('/');
    result += part;
  }
  if (result.empty()) result.push_back('.');
  // A final separator still asks for a folder.
  if (slashed.back() == '/' && result.back() != '/') result.push_back('/');
  return result;
}

uint32_t long_path(const char* path, char* out, uint32_t out_size) {
  // There are no short names: the long form of an existing path is the path.
  const std::string name = native(path);
  struct stat st;
  if (stat(name.c_str(), &st) != 0) {
    fail_errno(name);
    return 0;
  }
  const size_t length = std::strlen(path);
  if (length + 1 > out_size) return static_cast<uint32_t>(length + 1);
  std::memcpy(out, path, length + 1);
  return static_cast<uint32_t>(length);
}

bool full_path(const char* path, char* out, size_t out_size) {
  std::string joined;
  if (!is_folder_separator(path[0])) {
    std::vector<char> cwd(4096);
    if (getcwd(cwd.data(), cwd.size()) == nullptr) return fail_errno("");
    joined = cwd.data();
    joined += '/';
  }
  joined += slashed_path(path);

  // Symbolic links are not resolved: the parts go by the text alone.
  std::string result;
  for (const std::string& part : lexical_parts(joined)) result += "/" + part;
  if (result.empty()) result.push_back('/');

  if (result.size() + 1 > out_size) return fail(kErrorFilenameTooLong);
  std::memcpy(out, result.c_str(), result.size() + 1);
  return true;
}

#ifdef PELTRIX_CP932_NAMES
// Names are CP932, as on Windows with code page 932: a lead byte (81-9F,
// E0-FC) and a trail byte (40-7E, 80-FC) are one character, so that a trail
// byte is never taken for '\' or '|'. A byte that cannot be a trail, such
// as the '/' of a full path, stands alone.
size_t char_length(const char* text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead == 0) return 0;
  const auto trail = static_cast<unsigned char>(text[1]);
  const bool is_lead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  const bool is_trail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
  return is_lead && is_trail ? 2 : 1;
}
#else
// Names are UTF-8, whose characters never hold a byte below 0x80 but their own.
size_t char_length(const char* text) { return text[0] == '\0' ? 0 : 1; }
#endif

}  // namespace peltrix::platform
