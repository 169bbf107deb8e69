// One source on its way to the output: the settings and counters it is
// copied with, its block reader, and the steps every block takes, which the
// three copy loops share.
#pragma once

#include <cstdint>

#include "engine/block_reader.h"
#include "engine/block_steps.h"
#include "engine/copy_state.h"
#include "engine/output_sink.h"
#include "paths/entries.h"
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
  int read_message = 806;         // message number of a read failure
  const char* read_path = nullptr;  // the path the source was opened by, for messages
};

class SourceSteps {
 public:
  SourceSteps(const paths::SourceEntry& source, const SourceRole& role, CopyRun& run, OutputSink& output);

  // Reads the next block and applies what its place asks: the leading-bytes
  // check on the first, the end-of-file unit on the last, the cut of a later
  // source's mark. False after the messages.
  bool take(Block& block);

  // Runs the record and byte steps over the block and writes its output.
  // While records are processed, a block that does not end the source
  // carries its last bytes on; otherwise its output is written on the
  // write-behind thread while the next block is read.
  bool emit(const Block& block);

  bool finished(const Block& block) const { return processing.state.stop || block.last; }

  // Prints the read failure of error (of path, by default the source's),
  // unless a write before it failed first.
  void report_read_failure(uint32_t error, const char* path = nullptr);

  const paths::SourceEntry& source;
  const SourceRole& role;
  CopyRun& run;
  OutputSink& output;
  BlockProcessing processing;
  BlockReader reader;
  bool system_copy_refused = false;  // copy_range cannot serve this source: its blocks are read

 private:
  void end_steps(Block& block);
  bool write(const BlockOutput& output, bool more_follow);
};

}  // namespace peltrix::engine
