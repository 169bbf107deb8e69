// The marks the sources begin with, judged once, before anything changes,
// for the joined and the per-file copy alike: the source that decides the
// run's code first, then every other one, each against the marks before it
// and against /IC (E115, E126); a mark /OJ1 to /OJ5 names is refused for
// sources that carry one (E116). The copy is handed the result.
#pragma once

#include <cstdint>

#include "messages/catalogue_files.h"
#include "model/entries.h"
#include "records/code_table.h"
#include "records/output_settings.h"

namespace peltrix::engine {

struct SourceMarks {
  // The mark the sources carry: its code, none (0), or undecided where no
  // source has bytes enough for one.
  int32_t detected_code = records::kCodeUndecided;
  records::ActiveUnits units{};  // every source is read in these
  const model::SourceEntry* decided_by = nullptr;  // the source whose leading bytes decided
};

// The source whose leading bytes decide the run's code: the first file
// that has enough bytes to carry a mark, else the first file; nullptr
// where there is no file source. An empty first file must not leave a
// marked second one to be read in the wrong units.
const model::SourceEntry* deciding_source(const model::SourceList& sources);

// Opens the deciding source (E805), reads its leading bytes (E808) and
// closes it (E815); for the joined copy (not per_file) then every other file
// source that is neither a repeat nor plain bytes (E802, E806, E811). The
// per-file copy judges the others as it takes them (judge_open_source),
// before their destinations are opened. mark: the destinations' mark
// handling. False after the messages.
bool judge_source_marks(const model::SourceList& sources, const records::Mark& mark, bool per_file,
                        SourceMarks& marks);

// The leading bytes of an open source of the per-file copy, read from its
// start, against the run's mark; a read failure is reported under
// read_code. False after the messages.
bool judge_open_source(const model::SourceEntry& source, const SourceMarks& marks, messages::ReadCode read_code);

}  // namespace peltrix::engine
