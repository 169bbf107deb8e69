// Helpers for the copy tests: files in a temporary folder, and source and
// destination lists built by hand as planning would build them.
#pragma once

#include <deque>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/copy_buffers.h"
#include "engine/copy_state.h"
#include "model/entries.h"
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

  model::SourceEntry& source(const std::string& name, model::EntryKind kind = model::EntryKind::kFile) {
    model::SourceEntry& entry = add(sources.entries, name, kind);
    entry.given_name = entry.path;
    entry.input_ordinal = 1;
    if (std::filesystem::is_regular_file(entry.path)) entry.size = static_cast<int64_t>(std::filesystem::file_size(entry.path));
    return entry;
  }
  model::DestinationEntry& destination(const std::string& name, model::EntryKind kind = model::EntryKind::kFile) {
    model::DestinationEntry& entry = add(destinations.entries, name, kind);
    entry.output_ordinal = 1;
    // As planning finds it: a file there already is the one to be opened.
    entry.checked_existing = std::filesystem::is_regular_file(entry.path) &&
                             platform::path_identity(entry.path, &entry.checked_identity);
    return entry;
  }

  // The sources' marks, judged as the driver judges them before the copy.
  bool judge_marks(bool per_file = false) {
    return judge_source_marks(sources, destinations.entries.front().mark, per_file, run.marks);
  }

  model::SourceList sources;
  model::DestinationList destinations;
  CopyRun run;

 private:
  template <typename Entry>
  Entry& add(std::deque<Entry>& entries, const std::string& name, model::EntryKind kind) {
    texts_.push_back(at(name));
    Entry& entry = entries.emplace_back();
    entry.path = texts_.back().c_str();
    entry.kind = kind;
    return entry;
  }

  peltrix::testing::TempFolder folder_;
  CopyBuffers buffers_;
  std::deque<std::string> texts_;
};

}  // namespace peltrix::engine::testing
