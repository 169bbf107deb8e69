#include "records/record_selection.h"

#include "records/newline_scan.h"

namespace peltrix::records {

namespace {

// Scans for the run's LF units, visit(unit_end) for each; bytes past the
// data are zero on a last block.
template <typename Visit>
ScanEnd scan_lf(const uint8_t* data, int64_t length, const ActiveUnits& units, const TransformState& state,
                Visit&& visit) {
  const uint32_t beyond = state.last_block ? 0 : kBytesBeyondBlock;
  return scan_units(data, length, units.lf, Alignment{units.lf.length, 0}, beyond,
                    [&](int64_t, int64_t unit_end) { return visit(unit_end); });
}

// The LF units of a block that holds no skip or limit point: counted, not visited.
UnitCount count_lf(const uint8_t* data, int64_t length, const ActiveUnits& units, const TransformState& state) {
  const uint32_t beyond = state.last_block ? 0 : kBytesBeyondBlock;
  return count_units(data, length, units.lf, Alignment{units.lf.length, 0}, beyond);
}

// Whether a last block ends with bytes after its last unit: the final record.
bool has_final_record(const UnitCount& count, int64_t length, const TransformState& state) {
  return state.last_block && count.last_end < length;
}

// The skip is over once records_to_skip reaches 0; the first unit that gets
// it there ends the last skipped record, and the output starts behind it.
bool reaches_skip_point(const RecordCounters& counters, const TransformState& state) {
  return counters.records_to_skip == 0 && state.window_start == 0;
}

// A skip still running at the end of the block leaves nothing to output.
void finish_skip(RecordCounters& counters, uint64_t& count, TransformState& state) {
  if (counters.records_to_skip > 0) {
    count = 0;
    state.window_end = 0;
  } else {
    counters.skip_ended = true;
  }
  state.block_record_count = count;
  if (state.last_block && count == 0) state.zero_record = true;
}

// Counts the block's records against the limit: where the limit lies beyond
// the block they are only counted; otherwise the scan stops at the unit
// that uses it up, which ends the output. Returns whether it was used up.
bool count_to_limit(const uint8_t* data, int64_t length, const ActiveUnits& units, const UnitCount& found,
                    RecordCounters& counters, TransformState& state, uint64_t& count) {
  if (found.units < static_cast<uint64_t>(counters.record_limit)) {
    counters.record_limit -= static_cast<int64_t>(found.units);
    count += found.units;
    return false;
  }
  bool reached = false;
  scan_lf(data, length, units, state, [&](int64_t unit_end) {
    ++count;
    if (--counters.record_limit == 0) {
      state.stop = true;
      state.window_end = unit_end;
      reached = true;
      return false;
    }
    return true;
  });
  return reached;
}

// A block met while records are still to be skipped: output starts just
// past the unit that ends the last skipped record (past the block where its
// final record is that one). With limits, the records after that point
// count against the limit, and the unit that uses it up ends the output;
// the record that ends the skip does not count.
void skip_through(const uint8_t* data, int64_t length, const ActiveUnits& units, const UnitCount& found, bool limits,
                  RecordCounters& counters, TransformState& state, uint64_t& count) {
  bool reached = false;
  if (found.units < static_cast<uint64_t>(counters.records_to_skip)) {
    // The whole block lies before the skip point.
    counters.records_to_skip -= static_cast<int64_t>(found.units);
    count = found.units;
  } else {
    scan_lf(data, length, units, state, [&](int64_t unit_end) {
      --counters.records_to_skip;
      ++count;
      if (limits && state.window_start != 0 && --counters.record_limit == 0) {
        state.stop = true;
        state.window_end = unit_end;
        reached = true;
        return false;
      }
      if (reaches_skip_point(counters, state)) {
        state.window_start = unit_end;
        count = 0;
      }
      return true;
    });
  }
  if (!reached && has_final_record(found, length, state)) {
    --counters.records_to_skip;
    ++count;
    if (reaches_skip_point(counters, state)) {
      state.window_start = length;
      count = 0;
    }
  }
}

}  // namespace

void count_records(const uint8_t* data, int64_t length, const ActiveUnits& units, TransformState& state) {
  const UnitCount found = count_lf(data, length, units, state);
  uint64_t count = found.units;
  const ScanEnd end{found.last_end < length, found.last_end, false};
  carry_open_record(state.open, data, length, end, units.eof, state.last_block ? 0 : kBytesBeyondBlock);
  if (has_final_record(found, length, state) && !is_eof_unit(state.open, units.eof)) ++count;
  state.block_record_count = count;
}

void skip_records(const uint8_t* data, int64_t length, const ActiveUnits& units, RecordCounters& counters,
                  TransformState& state) {
  uint64_t count = 0;
  const UnitCount found = count_lf(data, length, units, state);
  if (counters.records_to_skip <= 0) {
    // After the skip: the records are only counted.
    state.block_record_count = found.units + (has_final_record(found, length, state) ? 1 : 0);
    return;
  }
  skip_through(data, length, units, found, false, counters, state, count);
  finish_skip(counters, count, state);
}

void limit_records(const uint8_t* data, int64_t length, const ActiveUnits& units, RecordCounters& counters,
                   TransformState& state) {
  const UnitCount found = count_lf(data, length, units, state);
  uint64_t count = 0;
  if (!count_to_limit(data, length, units, found, counters, state, count) && has_final_record(found, length, state)) {
    ++count;
    if (--counters.record_limit == 0) state.stop = true;
  }
  state.block_record_count = count;
}

void skip_and_limit_records(const uint8_t* data, int64_t length, const ActiveUnits& units, RecordCounters& counters,
                            TransformState& state) {
  uint64_t count = 0;
  const UnitCount found = count_lf(data, length, units, state);
  if (counters.records_to_skip <= 0) {
    // The final record after the skip leaves the limit alone.
    if (!count_to_limit(data, length, units, found, counters, state, count) &&
        has_final_record(found, length, state)) {
      ++count;
    }
  } else {
    skip_through(data, length, units, found, true, counters, state, count);
  }
  finish_skip(counters, count, state);
}

}  // namespace peltrix::records
