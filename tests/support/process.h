// Runs the built program in a folder of its own and captures what it says.
#pragma once

#include <string>
#include <vector>

namespace peltrix::testing {

struct RunResult {
  int status = -1;       // exit status, or -1 when the program did not exit normally
  std::string out;       // bytes written to standard output
  std::string err;       // bytes written to standard error
};

struct RunOptions {
  std::string folder;              // working folder; the test's own when empty
  bool stdout_to_dev_full = false; // standard output on /dev/full
  bool stdout_closed = false;      // standard output closed
};

// Runs the program with args (without the program name).
RunResult run_peltrix(const std::vector<std::string>& args, const RunOptions& options = {});

// A fresh folder below the system's temporary folder, removed with its contents.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // path() joined with a relative name that uses '/'.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Whole-file helpers for test data.
void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);
bool exists(const std::string& path);
void make_folders(const std::string& path);

}  // namespace peltrix::testing
