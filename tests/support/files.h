// Temporary folders and whole-file helpers for test data.
#pragma once

#include <cstdint>
#include <string>

namespace peltrix::testing {

// A fresh folder below the system's temporary folder, removed with its contents.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // path() joined with a relative name that uses '/', with the system's
  // separators, as the program prints a path.
  std::string operator/(const std::string& name) const;

 private:
  std::string path_;
};

// Whole-file helpers for test data.
void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);
bool exists(const std::string& path);
void make_folders(const std::string& path);

// The date stamp that dated backup names carry today: "_YYYYMMDD_".
std::string run_date_stamp();

// Single-byte text as UTF-16 or UTF-32 code units (width 2 or 4).
std::string widen(const std::string& text, int width, bool big_endian);

// Holds a file as another program would: open, with an exclusive lock
// (POSIX) or without sharing (Windows).
class HeldFile {
 public:
  explicit HeldFile(const std::string& path);
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool held() const { return handle_ != -1; }

 private:
  std::intptr_t handle_;
};

// path with every '/' turned into '\', as a user types it on the command
// line, where '/' introduces the next option.
std::string typed(const std::string& path);

}  // namespace peltrix::testing
