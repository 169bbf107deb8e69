// The one destination writer: the output of a copy as one or more
// destinations that receive the same bytes. The joined copy makes one for
// the whole run over every destination, the per-file copy one for each
// pair. The first output goes through the byte-order-mark step and, for a
// destination that appends, behind what the file holds; every byte and
// record written is counted on the destination entries.
#pragma once

#include <cstdint>
#include <deque>

#include "engine/copy_state.h"
#include "engine/output_sink.h"
#include "engine/source_steps.h"
#include "messages/catalogue_files.h"
#include "model/entries.h"
#include "model/repeat_table.h"
#include "records/bom_step.h"

namespace peltrix::engine {

struct OutputPlan {
  // The destinations [first, end), in list order.
  std::deque<model::DestinationEntry>::iterator first;
  std::deque<model::DestinationEntry>::iterator end;
  messages::WriteCode write_code = messages::kJoinedWrite;  // the code of a write failure
  records::Mark mark;  // the mark handling the byte-order-mark step follows
  // Per-file copy: the bytes the run has written into the destination's
  // file so far (a repeated source's destination shares its first
  // occurrence's), and where /W counts the records.
  uint64_t* bytes_in_file = nullptr;
  model::RepeatRow* counted_row = nullptr;
};

class DestinationOutput : public OutputSink {
 public:
  DestinationOutput(const OutputPlan& plan, CopyRun& run) : plan_(plan), run_(run) {}

  // The source whose output comes next, and how it was opened.
  void start_source(const model::SourceEntry& source, const SourceRole& role) {
    source_ = &source;
    role_ = &role;
  }

  bool write(const uint8_t* data, uint32_t length, uint64_t records) override;
  bool takes_ranges() const override { return platform::kSystemCopies && !first_output_; }
  // The first destination decides: where copy_range cannot serve it, the
  // blocks are read. Every other destination gets the bytes the first one
  // got, from the first one, through the relay buffer where copy_range
  // cannot reach it.
  RangeCopy copy_range(const model::SourceEntry& source, int64_t offset, uint64_t length,
                       uint64_t& copied) override;
  void add_records(uint64_t records) override;
  CopiedPlace copied_place() const override { return copied_place_; }

 private:
  bool begin_appending(const model::DestinationEntry& d, bool& follows_contents);
  bool write_edited(model::DestinationEntry& d, const uint8_t* data, uint32_t length, const records::BomEdit& edit,
                    uint64_t records);
  bool copy_same(model::DestinationEntry& d, const model::DestinationEntry& first, int64_t from, uint64_t length);
  bool relay(model::DestinationEntry& d, const model::DestinationEntry& first, int64_t from, uint64_t length);
  void count(model::DestinationEntry& d, uint64_t bytes, uint64_t records);
  template <typename Each>
  bool for_each_destination(Each&& each);

  OutputPlan plan_;
  CopyRun& run_;
  const model::SourceEntry* source_ = nullptr;
  const SourceRole* role_ = nullptr;
  bool first_output_ = true;
  CopiedPlace copied_place_;
};

}  // namespace peltrix::engine
