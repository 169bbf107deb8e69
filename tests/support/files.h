// What the unit and end-to-end tests share: temporary folders and whole
// files of test data, what a step printed, fault injection armed for one
// scope, and long byte strings compared with a short account of where they
// differ.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "platform/fault_injection.h"

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

// The date stamp that dated backup names carry today: "_YYYYMMDD_".
std::string run_date_stamp();

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

struct Printed {
  std::string out;
  std::string err;
};

// What step printed on standard output and standard error.
inline Printed printed(const std::function<void()>& step) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  step();
  std::string out = ::testing::internal::GetCapturedStdout();
  return {std::move(out), ::testing::internal::GetCapturedStderr()};
}

// Fault injection for one scope: counting calls from 0, or with one call
// armed, or with an open hook; disarmed on every way out, so that a failed
// assertion leaves nothing armed for the next run.
class Faults {
 public:
  using Operation = platform::faults::Operation;
  Faults() { platform::faults::disarm(); }
  Faults(Operation operation, uint64_t nth, uint32_t error) { platform::faults::arm(operation, nth, error); }
  Faults(Operation operation, uint64_t nth, void (*action)()) { platform::faults::arm_action(operation, nth, action); }
  explicit Faults(platform::faults::OpenHook hook) { platform::faults::set_open_hook(hook); }
  ~Faults() {
    platform::faults::disarm();
    platform::faults::set_open_hook(nullptr);
  }
  Faults(const Faults&) = delete;
  Faults& operator=(const Faults&) = delete;
};

// Equal bytes; a mismatch shows the sizes and the first difference, not megabytes.
inline ::testing::AssertionResult same_bytes(const std::string& expected, const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  const size_t from = at < 40 ? 0 : at - 40;
  return ::testing::AssertionFailure() << "sizes " << expected.size() << " and " << actual.size()
                                       << ", first difference at " << at << ":\nexpected ..."
                                       << expected.substr(from, 120) << "\nactual   ..." << actual.substr(from, 120);
}

}  // namespace peltrix::testing
