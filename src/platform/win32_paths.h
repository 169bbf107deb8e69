// Windows: the forms of a path the ANSI and wide calls take, shared by the
// Windows files of the layer. A path whose absolute form is too long for the
// ANSI calls goes to their wide counterparts in the long-path form instead.
#pragma once

#include <windows.h>

#include <string>

namespace peltrix::platform {

// text in the system code page as UTF-16, and back.
std::wstring widen(const char* text);
std::string narrow(const std::wstring& text);
// path in the long-path form when it or its absolute form is too long for
// the ANSI calls; empty when they take path as it is.
std::wstring long_form(const char* path);
// A path in the long-path form as the program writes it: without the prefix.
std::string without_prefix(const std::wstring& path);
// The wide form of path for a wide call: the long-path form where needed.
std::wstring wide_path(const char* path);
// The attributes of path, by the ANSI or the wide call as its length needs.
bool attributes_of(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data);
// Whether the last name in path is one that Windows gives to a device in every folder.
bool names_device(const char* path);

}  // namespace peltrix::platform
