// POSIX (Linux and other POSIX systems): path text as the system wants it,
// shared by the POSIX files of the layer. Users write '\' between folder
// names; it becomes '/', and '.' and '..' parts go by the text.
#pragma once

#include <string>
#include <vector>

namespace peltrix::platform {

// The parts of path with '/' between them, '.' and '..' taken away by the text.
std::vector<std::string> lexical_parts(const std::string& path);
// path with every '\' that is a character of its own turned into '/'.
std::string slashed_path(const char* path);
// The path as the system wants it: '/' between its parts, '.' and '..' gone.
std::string native(const char* path);

}  // namespace peltrix::platform
