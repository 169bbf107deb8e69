// Helpers for the copy tests: files in a temporary folder, and source and
// destination lists built by hand as planning would build them.
#pragma once

#include <deque>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/copy_buffers.h"
#include "engine/copy_state.h"
#include "paths/entries.h"
#include "records/code_table.h"
#include "support/files.h"

namespace peltrix::engine::testing {

class CopyFixture {
 public:
  CopyFixture() {
    EXPECT_TRUE(allocate_copy_buffers(buffers_));
    run.buffers = &buffers_;
  }
  ~CopyFixture() { release_copy_buffers(buffers_); }

  std::string at(const std::string& name) const { return folder_ / name; }
  void put(const std::string& name, const std::string& bytes) const { peltrix::testing::write_file(at(name), bytes); }
  std::string get(const std::string& name) const { return peltrix::testing::read_file(at(name)); }

  paths::SourceEntry& source(const std::string& name, int32_t kind = paths::kKindFile) {
    paths::SourceEntry& entry = add(sources, source_entries_, name, kind);
    entry.given_name = entry.path;
    entry.input_ordinal = 1;
    if (std::filesystem::is_regular_file(entry.path)) entry.size = static_cast<int64_t>(std::filesystem::file_size(entry.path));
    return entry;
  }
  paths::DestinationEntry& destination(const std::string& name, int32_t kind = paths::kKindFile) {
    paths::DestinationEntry& entry = add(destinations, destination_entries_, name, kind);
    entry.output_ordinal = 1;
    // As planning finds it: a file there already is the one to be opened.
    entry.checked_existing = std::filesystem::is_regular_file(entry.path) &&
                             platform::path_identity(entry.path, &entry.checked_identity);
    return entry;
  }

  // The run's units, as the driver chooses them from the first source's mark.
  void choose_units(int32_t detected_code, int32_t ic) { run.units = records::select_active_units(detected_code, ic); }

  paths::SourceList sources;
  paths::DestinationList destinations;
  CopyRun run;

 private:
  template <typename List, typename Entry>
  Entry& add(List& list, std::deque<Entry>& entries, const std::string& name, int32_t kind) {
    texts_.push_back(at(name));
    Entry& entry = entries.emplace_back();
    entry.path = texts_.back().c_str();
    entry.kind = kind;
    (list.head == nullptr ? list.head : list.current->next) = &entry;
    list.current = &entry;
    return entry;
  }

  peltrix::testing::TempFolder folder_;
  CopyBuffers buffers_;
  std::deque<std::string> texts_;
  std::deque<paths::SourceEntry> source_entries_;
  std::deque<paths::DestinationEntry> destination_entries_;
};

}  // namespace peltrix::engine::testing
