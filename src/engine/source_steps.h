// One source on its way to the output: the settings and counters it is
// copied with, its block reader, and the steps every block takes, which the
// three copy loops share.
#pragma once

#include <cstdint>

#include "engine/block_reader.h"
#include "engine/block_steps.h"
#include "engine/copy_state.h"
#include "engine/output_sink.h"
#include "messages/catalogue_files.h"
#include "model/entries.h"
#include "records/record_transform.h"
#include "records/transform_state.h"

namespace peltrix::engine {

// How one source takes part in its output.
struct SourceRole {
  bool keeps_mark = false;        // the first source of its output: its mark is not cut
  bool decides_eof = false;       // its end tells whether the output ends with the EOF unit
  bool completes_output = false;  // its end is the output's end: the /OE rule applies
  records::EndOfFile end_of_file = records::EndOfFile::kLikeFirstSource;  // of the destination that decides the end
  records::Newlines newlines = records::Newlines::kUnchanged;  // of the destination that decides the newlines
  messages::ReadCode read_code = messages::kJoinedRead;  // the code of a read failure
  const char* read_path = nullptr;  // the path the source was opened by, for messages
};

class SourceSteps {
 public:
  SourceSteps(const model::SourceEntry& source, const SourceRole& role, CopyRun& run, OutputSink& output);

  // Reads the next block and applies what its place asks: the end-of-file
  // unit on the last, the cut of a later source's mark on the first. False
  // after the messages.
  bool take(Block& block);

  // Runs the record and byte steps over the block and writes its output.
  // While records are processed, a block that does not end the source
  // carries its last bytes on; otherwise its output is written on the
  // write-behind thread while the next block is read.
  bool emit(const Block& block);

  bool finished(const Block& block) const { return stopped() || block.last; }
  // A limit was reached, or the output ended with the middle: no further block is read.
  bool stopped() const { return processing_.state.stop; }

  // Prints the read failure of error (of path, by default the source's),
  // unless a write before it failed first.
  void report_read_failure(uint32_t error, const char* path = nullptr);

  const model::SourceEntry& source() const { return source_; }
  const SourceRole& role() const { return role_; }
  CopyRun& run() const { return run_; }
  OutputSink& output() const { return output_; }
  const BlockProcessing& processing() const { return processing_; }
  // Bytes of the source read or passed so far.
  uint64_t position() const { return reader_.position(); }
  // The full blocks from position() on before the source's last block.
  uint64_t middle_length() { return reader_.middle_length(); }
  // The bytes carried in front of the next block.
  const uint8_t* carried() const { return reader_.carried(); }
  bool middle_refused() const { return middle_refused_; }

  // What a copy of the middle (middle_copy.cpp) did:
  // copy_range, or the thread beside it, cannot serve this source: its blocks are read.
  void refuse_middle() { middle_refused_ = true; }
  // bytes of the source went to the output past the reader, leaving the
  // byte window's counters as counters; stop: the limit ended the output.
  void pass_middle(uint64_t bytes, const records::ByteCounters& counters, bool stop);
  // bytes of full blocks went to the output and their records were counted:
  // the next block follows the last kCarryLength bytes counted (carried),
  // and open is the record they leave open.
  void pass_counted_middle(uint64_t bytes, const records::OpenRecord& open, const uint8_t* carried);
  // The output ends with what the middle copy gave.
  void stop() { processing_.state.stop = true; }

 private:
  void end_steps(Block& block);
  bool write(const BlockOutput& output, bool more_follow);

  const model::SourceEntry& source_;
  const SourceRole& role_;
  CopyRun& run_;
  OutputSink& output_;
  BlockProcessing processing_;
  BlockReader reader_;
  bool middle_refused_ = false;
};

}  // namespace peltrix::engine
