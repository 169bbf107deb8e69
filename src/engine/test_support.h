// Helpers for the copy tests: files in a temporary folder, and source and
// destination lists built by hand as planning would build them.
#pragma once

#include <unistd.h>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/copy_buffers.h"
#include "engine/copy_state.h"
#include "paths/entries.h"
#include "records/code_table.h"
#include "support/files.h"

namespace peltrix::engine::testing {

using peltrix::testing::widen;

class CopyFixture {
 public:
  CopyFixture() {
    static int serial = 0;
    folder_ = std::filesystem::temp_directory_path() /
              ("peltrix-copy-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(folder_);
    EXPECT_TRUE(allocate_copy_buffers(buffers_));
    run.buffers = &buffers_;
  }
  ~CopyFixture() {
    release_copy_buffers(buffers_);
    std::filesystem::remove_all(folder_);
  }

  std::string at(const std::string& name) const { return (folder_ / name).string(); }

  void put(const std::string& name, const std::string& bytes) const {
    std::ofstream(at(name), std::ios::binary) << bytes;
  }
  std::string get(const std::string& name) const {
    std::ifstream file(at(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  // Adds a file source with the given options; the file must exist.
  paths::SourceEntry& source(const std::string& name) {
    texts_.push_back(at(name));
    paths::SourceEntry& entry = source_entries_.emplace_back();
    entry.path = texts_.back().c_str();
    entry.given_name = entry.path;
    entry.kind = paths::kKindFile;
    entry.input_ordinal = 1;
    entry.size = std::filesystem::is_regular_file(at(name)) ? static_cast<int64_t>(std::filesystem::file_size(at(name))) : 0;
    link(sources, entry);
    return entry;
  }

  paths::DestinationEntry& destination(const std::string& name) {
    texts_.push_back(at(name));
    paths::DestinationEntry& entry = destination_entries_.emplace_back();
    entry.path = texts_.back().c_str();
    entry.kind = paths::kKindFile;
    entry.output_ordinal = 1;
    link(destinations, entry);
    return entry;
  }

  // Chooses the run's units as the driver does, from the first source's mark.
  void choose_units(int32_t detected_code, int32_t ic) { run.units = records::select_active_units(detected_code, ic); }

  paths::SourceList sources;
  paths::DestinationList destinations;
  CopyRun run;

 private:
  template <typename List, typename Entry>
  static void link(List& list, Entry& entry) {
    if (list.head == nullptr) {
      list.head = &entry;
    } else {
      list.current->next = &entry;
    }
    list.current = &entry;
  }

  std::filesystem::path folder_;
  CopyBuffers buffers_;
  std::deque<std::string> texts_;
  std::deque<paths::SourceEntry> source_entries_;
  std::deque<paths::DestinationEntry> destination_entries_;
};

// Text of n lines "line <i>" ended by newline, in single-byte units.
inline std::string numbered_lines(size_t n, const std::string& newline) {
  std::string text;
  for (size_t i = 0; i < n; ++i) text += "line " + std::to_string(i) + newline;
  return text;
}

}  // namespace peltrix::engine::testing
