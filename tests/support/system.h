// What the tests need to know about the system they run on. posix.cpp and
// windows.cpp implement it, beside the parts of files.h and process.h that
// each system does its own way.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace peltrix::testing {

#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

// The text the program prints for a system error code: Windows's own, in
// the language of the system; elsewhere posix_text, the platform layer's.
std::string system_text(uint32_t code, const std::string& posix_text);

void pause_milliseconds(unsigned milliseconds);

// The files this process holds open; closes those opened since before.
std::vector<std::intptr_t> open_files();
void close_open_file(std::intptr_t file);
void close_files_opened_since(const std::vector<std::intptr_t>& before);

#ifdef _WIN32
// The code page of the ANSI calls (932 for Japanese).
unsigned ansi_code_page();
#else
// POSIX user and group ids: of a file, or (path "") of this process.
using Owners = std::pair<uint32_t, uint32_t>;
Owners owners_of(const std::string& path);
void give_owners(const std::string& path, const Owners& owners);
// An extended attribute's value; "-" when the file has none of that name.
std::string attribute(const std::string& path, const std::string& name);
void set_attribute(const std::string& path, const std::string& name, const std::string& value);
#endif
// Whether two paths lie on one file system (POSIX; true on Windows).
bool one_file_system(const std::string& a, const std::string& b);
// Whether this process holds a file of this name open with writes that go
// through the cache (Linux, from /proc; false elsewhere).
bool held_writing_through(const std::string& file_name);

}  // namespace peltrix::testing
