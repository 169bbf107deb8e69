#include "engine/write_behind.h"

#include "engine/output_sink.h"

namespace peltrix::engine {

bool WriteBehind::hand_over(OutputSink& sink, const uint8_t* data, uint32_t length, uint64_t records) {
  if (!finish()) return false;
  data_ = data;
  const bool handed = thread_.start([this, &sink, data, length, records] {
    if (!sink.write(data, length, records)) failed_ = true;
  });
  if (!handed) return sink.write(data, length, records);
  ++counts_.blocks_written_behind;
  return true;
}

bool WriteBehind::finish() {
  thread_.wait();
  return !failed_;
}

const uint8_t* WriteBehind::in_flight() { return thread_.busy() ? data_ : nullptr; }

}  // namespace peltrix::engine
