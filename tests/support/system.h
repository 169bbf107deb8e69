// What the tests need to know about the system they run on. posix.cpp and
// windows.cpp implement it, beside the parts of files.h and process.h that
// each system does its own way.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace peltrix::testing {

#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif
// Whether the platform layer copies between two files inside the system
// (Windows has no such copy: the engine reads and writes instead).
inline constexpr bool kSystemCopies = !kWindows;

// The text the program prints for a system error code: Windows's own, in
// the language of the system; elsewhere posix_text, the platform layer's.
std::string system_text(uint32_t code, const std::string& posix_text);

// Every file (its bytes), empty folder (its name ending in '/') and
// symbolic link ("-> " and its target) below folder, named relative to it
// with '/'; paths of any length.
std::map<std::string, std::string> files_below(const std::string& folder);
// Removes everything below folder.
void remove_below(const std::string& folder);

// The files this process holds open; closes those opened since before.
std::vector<std::intptr_t> open_files();
void close_files_opened_since(const std::vector<std::intptr_t>& before);

#ifdef _WIN32
// The code page of the ANSI calls (932 for Japanese).
unsigned ansi_code_page();
#else
// POSIX owners of files: user and group ids.
struct Owners {
  uint32_t user = 0;
  uint32_t group = 0;
  bool operator==(const Owners&) const = default;
};
bool superuser();
Owners own_owners();
Owners owners_of(const std::string& path);
void give_owners(const std::string& path, const Owners& owners);
#endif

}  // namespace peltrix::testing
