// The parts of the test support that Windows does its own way.

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdlib.h>

#include <algorithm>

#include "support/files.h"
#include "support/process.h"
#include "support/system.h"

namespace peltrix::testing {

namespace {

// Files this process opens through the C runtime, the captures of standard
// output and error among them, take no CR: what the program prints in this
// process is compared as it prints it.
const int kBinaryFiles = _fmode = _O_BINARY;

// Test texts are CP932, as the messages are: what a user types.
std::wstring wide(const std::string& text) {
  std::wstring result(text.size(), L'\0');
  const int size = static_cast<int>(text.size());
  result.resize(static_cast<size_t>(MultiByteToWideChar(932, 0, text.data(), size, result.data(), size)));
  return result;
}

// One argument as the C runtime splits a command line (no test argument
// has a '\' before a '"', nor ends in '\' where it needs quotes).
std::wstring quoted(std::wstring arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  for (size_t i = arg.find(L'"'); i != std::wstring::npos; i = arg.find(L'"', i + 2)) arg.insert(i, 1, L'\\');
  return L"\"" + arg + L"\"";
}

// The console streams carry text with CR LF; standard output carries the
// copied data as it is when no /O group names files or a folder.
std::string as_printed(std::string text, bool is_text) {
  for (size_t i = text.find("\r\n"); is_text && i != std::string::npos; i = text.find("\r\n", i)) text.erase(i, 1);
  return text;
}

bool data_on_stdout(const std::vector<std::string>& args) {
  return std::none_of(args.begin(), args.end(), [](std::string arg) {
    for (char& c : arg) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return arg == "/?" || arg == "--HELP" || arg == "--VERSION" || (arg.rfind("/O", 0) == 0 && (arg.find("/OF") != arg.npos || arg.find("/OD") != arg.npos));
  });
}

}  // namespace

RunResult run_peltrix(const std::vector<std::string>& args, const RunOptions& options) {
  std::wstring command_line = quoted(wide(PELTRIX_EXE));
  for (const std::string& arg : args) command_line += L" " + quoted(wide(arg));
  const TempFolder streams;  // standard output and error land in files here
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const auto open = [&inherit](const std::string& path, DWORD access, DWORD disposition) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition, 0, nullptr);
  };
  const std::string out = options.stdout_path.empty() ? streams / "out" : options.folder + "\\" + options.stdout_path;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = open("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = options.stdout_path == "-" ? nullptr
                       : open(out, options.stdout_appends ? FILE_APPEND_DATA : GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  startup.hStdError = open(streams / "err", GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION process{};
  DWORD code = 0;
  RunResult result;
  if (CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, wide(options.folder).c_str(),
                     &startup, &process) &&
      WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(process.hProcess, &code)) {
    result.status = static_cast<int>(code);
  }
  for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError, process.hProcess, process.hThread}) {
    CloseHandle(handle);
  }
  result.out = options.stdout_path.empty() ? as_printed(read_file(out), !data_on_stdout(args)) : "";
  result.err = as_printed(read_file(streams / "err"), true);
  return result;
}

unsigned ansi_code_page() { return GetACP(); }

bool one_file_system(const std::string&, const std::string&) { return true; }
bool held_writing_through(const std::string&) { return false; }

std::string system_text(uint32_t code, const std::string&) {
  char text[1024];
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, text, sizeof text, nullptr);
  return std::string(text, length).substr(0, std::string(text, length).find_last_not_of("\r\n") + 1);
}

// Kernel handles are numbered by fours from 4; the few a test process holds
// lie far below the end of this range. The standard streams, and what the
// C runtime holds for them, stay open.
void pause_milliseconds(unsigned milliseconds) { Sleep(milliseconds); }

std::vector<std::intptr_t> open_files() {
  std::vector<std::intptr_t> files;
  const std::intptr_t standard[] = {_get_osfhandle(0), _get_osfhandle(1), _get_osfhandle(2)};
  for (std::intptr_t value = 4; value < 16384; value += 4) {
    DWORD flags = 0;
    const HANDLE handle = reinterpret_cast<HANDLE>(value);
    if (!GetHandleInformation(handle, &flags) || GetFileType(handle) != FILE_TYPE_DISK) continue;
    if (std::find(std::begin(standard), std::end(standard), value) == std::end(standard)) files.push_back(value);
  }
  return files;
}

void close_open_file(std::intptr_t file) { CloseHandle(reinterpret_cast<HANDLE>(file)); }

}  // namespace peltrix::testing
