#include "support/run_folder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <filesystem>

#include "platform/platform.h"

namespace peltrix::testing {

namespace fs = std::filesystem;

std::string message(int code, const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "E%03d-%zu ", code, i + 1);
    text += prefix + lines[i] + "\n";
  }
  return text;
}

std::string same_file(const std::string& destination) {
  return message(130, {"次のコピー先は，バックアップを経由せずに読み込むコピー元と同じファイルです。", destination,
                       "コピー元と異なるファイルをコピー先に指定してください。"});
}

std::string in_use(int code, const std::string& what, const std::string& path) {
  return message(code, {"次の" + what + "ファイルは，他で使用中です。", path, "他で使用が終了したら，再度コマンドを実行してください。",
                        "システムエラーコード=32", system_text(32, "プロセスはファイルにアクセスできません。別のプロセスが使用中です。")});
}

// Wine makes no symbolic links (Windows only with a privilege), the C
// runtime of MinGW lists no folder of more than 257 characters, and Windows
// sets no process limits and has no /dev/full.
bool left_out(const std::string& row, const Files& files, const RunOptions& options) {
  static const size_t root = fs::canonical(fs::temp_directory_path()).string().size() + 20;
  std::string why;
  for (const auto& [name, bytes] : files) {
    if (bytes.rfind("-> ", 0) == 0) why = "symbolic links";
    if (name.find('\\') != std::string::npos) why = "names that hold '\\'";
    if (root + name.rfind('/') + 1 > 257) why = "folders of more than 257 characters";
    // Names in the code page are the Windows tests' own (JapaneseNamesNeedCodePage932).
    if (std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; })) why = "byte names in the code page";
  }
  if (options.stack_limit != 0 || options.file_size_limit != 0) why = "process limits";
  if (options.pipes_non_blocking || options.stdout_path.rfind("/dev/", 0) == 0) why = "POSIX pipes or devices";
  if (!kWindows || why.empty()) return false;
  std::printf("left out here: %s (the Windows tests have no %s)\n", row.c_str(), why.c_str());
  return true;
}

::testing::AssertionResult numbered(const std::string& text) {
  std::istringstream lines(text);
  std::string code;
  int next = 1;
  for (std::string line; std::getline(lines, line);) {
    if (line.substr(0, 4) != code) next = 1;
    code = line.substr(0, 4);
    if (line.find('-') != 4 || std::atoi(line.c_str() + 5) != next++) return ::testing::AssertionFailure() << text;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult same_files(const Files& expected, const Files& actual) {
  std::string wrong;
  for (const auto& [name, bytes] : expected) {
    const auto found = actual.find(name);
    if (found == actual.end()) wrong += " missing " + name;
    else if (found->second != bytes && bytes != "*") wrong += " " + name + " (" + same_bytes(bytes, found->second).message() + ")";
  }
  for (const auto& item : actual) {
    if (expected.count(item.first) == 0) wrong += " more " + item.first;
  }
  if (wrong.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "files:" << wrong;
}

const std::string& big() {
  static const std::string text = [] {
    std::string lines;
    char line[32];
    for (size_t i = 0; i < 300000; ++i) lines.append(line, std::snprintf(line, sizeof line, "line %zu\n", i * 7919 % 100003));
    return lines;
  }();
  return text;
}

std::string test_name(const std::string& text) {
  std::string name;
  for (const char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    else if (!name.empty() && name.back() != '_') name += '_';
  }
  return name;
}

size_t room(size_t length, size_t beside) {
  // The run folder is the system's temporary folder, resolved, and "/peltrix-test-XXXXXX".
  static const size_t root = fs::canonical(fs::temp_directory_path()).string().size() + 20;
  return length > root + beside ? length - root - beside : 1;
}

std::string sized_path(size_t length, size_t folder, const std::string& tail) {
  const size_t names = std::max<size_t>(room(length, 2 + tail.size()), 2);
  const size_t kept = std::min(folder, names - 1);
  return std::string(kept, 'd') + "/" + std::string(names - kept, 'f') + tail;
}

RunResult RunFolderTest::run(Args args, RunOptions options) const {
  for (std::string& arg : args) {
    if (const size_t at = arg.find('$'); at != std::string::npos) arg.replace(at, 1, typed(real()));
  }
  options.folder = folder_.path();
  return run_peltrix(args, options);
}

void RunFolderTest::put(const Files& files) const {
  for (const auto& [name, bytes] : files) {
    const fs::path path = folder_ / name;
    fs::create_directories(path.parent_path());
    if (name.back() == '/') {
      fs::create_directories(path);
    } else if (bytes.rfind("-> ", 0) == 0) {
      fs::create_symlink(bytes.substr(3), path);
    } else if (bytes.rfind("=> ", 0) == 0) {
      fs::create_hard_link(folder_ / bytes.substr(3), path);
    } else {
      write_file(path.string(), bytes);
    }
  }
}

Files RunFolderTest::snapshot() const {
  Files files;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder_.path())) {
    const std::string name = e.path().lexically_relative(folder_.path()).generic_string();
    if (e.is_symlink()) {
      files[name] = "-> " + fs::read_symlink(e.path()).generic_string();
    } else if (e.is_regular_file()) {
      files[name] = read_file(e.path().string());
    } else if (fs::is_empty(e.path())) {
      files[name + "/"] = "";
    }
  }
  return files;
}

void RunFolderTest::clear() const {
  for (const fs::directory_entry& e : fs::directory_iterator(folder_.path())) fs::remove_all(e.path());
}

std::string RunFolderTest::real(const std::string& name) const {
  const fs::path root = fs::canonical(folder_.path());
  return fs::path(name.empty() ? root : root / name).make_preferred().string();
}

std::string RunFolderTest::at(std::string text) const {
  const std::string root = real();
  for (size_t i = text.find('$'); i != std::string::npos; i = text.find('$', i)) {
    text.replace(i, 1, root);
    for (i += root.size(); i < text.size() && text[i] != ' ' && text[i] != '\n' && text[i] != '"'; ++i) {
      if (text[i] == '/') text[i] = platform::kFolderSeparator;
    }
  }
  return text;
}

}  // namespace peltrix::testing
