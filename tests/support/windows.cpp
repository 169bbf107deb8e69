// The parts of the test support that Windows does its own way.

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <thread>

#include "support/files.h"
#include "support/process.h"
#include "support/system.h"

namespace peltrix::testing {

namespace {

// Files this process opens through the C runtime, the captures of standard
// output and error among them, take no CR: what the program prints in this
// process is compared as it prints it.
const bool kBinaryFiles = [] {
  _fmode = _O_BINARY;
  return true;
}();

// Test texts are CP932, as the messages are: what a user types.
std::wstring wide(const std::string& text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
  return result;
}

// One argument as the C runtime splits a command line.
std::wstring quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring result = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    result.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    result.push_back(c);
  }
  result.append(backslashes * 2, L'\\');
  return result + L"\"";
}

// Whether the run's standard output carries the copied data (binary) rather
// than text: no /O group naming files or a folder, and no usage request.
bool data_on_stdout(const std::vector<std::string>& args) {
  if (args.size() == 1 && args[0] == "/?") return false;
  for (const std::string& arg : args) {
    std::string upper = arg;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    if (upper.rfind("/O", 0) == 0 && (upper.find("/OF") != std::string::npos || upper.find("/OD") != std::string::npos)) {
      return false;
    }
  }
  return true;
}

std::string without_cr(std::string text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result.push_back(text[i]);
  }
  return result;
}

void read_all(HANDLE pipe, std::string& into) {
  char buffer[65536];
  DWORD n = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) into.append(buffer, n);
}

std::string narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

// The long-path form, which the system takes at any length.
std::wstring long_form(const std::string& folder) {
  std::wstring path = L"\\\\?\\" + std::filesystem::absolute(folder).make_preferred().wstring();
  while (path.back() == L'\\') path.pop_back();
  return path;
}

std::string contents(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read " + narrow(path));
  std::string bytes;
  char buffer[65536];
  DWORD n = 0;
  while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
  CloseHandle(file);
  return bytes;
}

// Calls each(path, relative name, attributes) for every item in folder.
template <typename Each>
void for_each_item(const std::wstring& folder, const std::string& prefix, Each&& each) {
  WIN32_FIND_DATAW data;
  const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot list " + narrow(folder));
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") each(folder + L"\\" + name, prefix + narrow(name), data.dwFileAttributes);
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

void collect(const std::wstring& folder, const std::string& prefix, std::map<std::string, std::string>& files) {
  bool empty = true;
  for_each_item(folder, prefix, [&](const std::wstring& path, const std::string& name, DWORD attributes) {
    empty = false;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      files[name] = "-> ";
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      collect(path, name + "/", files);
    } else {
      files[name] = contents(path);
    }
  });
  if (empty && !prefix.empty()) files[prefix] = "";
}

void remove_items(const std::wstring& folder) {
  for_each_item(folder, "", [](const std::wstring& path, const std::string&, DWORD attributes) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      DeleteFileW(path.c_str());
      return;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) remove_items(path);
    RemoveDirectoryW(path.c_str());
  });
}

HANDLE inheritable(HANDLE handle) {
  SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  return handle;
}

}  // namespace

std::string cannot_run(const RunOptions& options) {
  if (options.stack_limit != 0 || options.file_size_limit != 0) return "Windows sets no process limits";
  if (options.pipes_non_blocking) return "Windows pipes do not refuse a writer for a while";
  if (options.stdout_path.rfind("/dev/", 0) == 0) return "Windows has no " + options.stdout_path;
  return "";
}

RunResult run_peltrix(const std::vector<std::string>& args, const RunOptions& options) {
  if (!cannot_run(options).empty()) throw std::runtime_error(cannot_run(options));
  std::wstring command_line = quoted(wide(PELTRIX_EXE));
  for (const std::string& arg : args) command_line += L" " + quoted(wide(arg));

  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE out_read = nullptr;
  HANDLE out_write = nullptr;
  HANDLE err_read = nullptr;
  HANDLE err_write = nullptr;
  if (!CreatePipe(&out_read, &out_write, &inherit, 0) || !CreatePipe(&err_read, &err_write, &inherit, 0)) {
    throw std::runtime_error("CreatePipe");
  }
  SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
  HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  HANDLE output = out_write;
  HANDLE stdout_file = INVALID_HANDLE_VALUE;
  if (options.stdout_path == "-") {
    output = nullptr;
  } else if (!options.stdout_path.empty()) {
    const std::string path = options.folder.empty() ? options.stdout_path : options.folder + "\\" + options.stdout_path;
    const DWORD access = options.stdout_appends ? FILE_APPEND_DATA | GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    stdout_file = inheritable(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
    output = stdout_file;
  }

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = err_write;
  PROCESS_INFORMATION process{};
  const std::wstring folder = wide(options.folder);
  const BOOL started = CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      folder.empty() ? nullptr : folder.c_str(), &startup, &process);
  CloseHandle(out_write);
  CloseHandle(err_write);
  CloseHandle(input);
  if (stdout_file != INVALID_HANDLE_VALUE) CloseHandle(stdout_file);
  RunResult result;
  if (started) {
    std::thread err_reader(read_all, err_read, std::ref(result.err));
    read_all(out_read, result.out);
    err_reader.join();
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.status = static_cast<int>(code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  CloseHandle(out_read);
  CloseHandle(err_read);
  result.err = without_cr(result.err);
  if (!data_on_stdout(args)) result.out = without_cr(result.out);
  return result;
}

std::map<std::string, std::string> files_below(const std::string& folder) {
  std::map<std::string, std::string> files;
  collect(long_form(folder), "", files);
  return files;
}

void remove_below(const std::string& folder) { remove_items(long_form(folder)); }

unsigned ansi_code_page() { return GetACP(); }

std::string run_date_stamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, "_%04d%02d%02d_", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return stamp;
}

HeldFile::HeldFile(const std::string& path)
    : handle_(reinterpret_cast<std::intptr_t>(
          CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {}

HeldFile::~HeldFile() {
  if (held()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::string system_text(uint32_t code, const std::string&) {
  char text[1024];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) --length;
  return std::string(text, length);
}

// Kernel handles are numbered by fours from 4; the few a test process holds
// lie far below the end of this range.
std::vector<std::intptr_t> open_files() {
  std::vector<std::intptr_t> files;
  // The standard streams, and what the C runtime holds for them (a capture
  // of this process's output gives them back in new handles).
  const HANDLE standard[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                             GetStdHandle(STD_ERROR_HANDLE), reinterpret_cast<HANDLE>(_get_osfhandle(0)),
                             reinterpret_cast<HANDLE>(_get_osfhandle(1)), reinterpret_cast<HANDLE>(_get_osfhandle(2))};
  for (std::intptr_t value = 4; value < 16384; value += 4) {
    const HANDLE handle = reinterpret_cast<HANDLE>(value);
    DWORD flags = 0;
    if (!GetHandleInformation(handle, &flags) || GetFileType(handle) != FILE_TYPE_DISK) continue;
    if (std::find(std::begin(standard), std::end(standard), handle) != std::end(standard)) continue;
    files.push_back(value);
  }
  return files;
}

void close_files_opened_since(const std::vector<std::intptr_t>& before) {
  for (const std::intptr_t value : open_files()) {
    if (std::find(before.begin(), before.end(), value) == before.end()) CloseHandle(reinterpret_cast<HANDLE>(value));
  }
}

}  // namespace peltrix::testing
