#include "engine/write_behind.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/output_sink.h"

namespace peltrix::engine {
namespace {

// Keeps what it is given; refuses its second write.
class FailingSink : public OutputSink {
 public:
  bool write(const uint8_t* data, uint32_t length, uint64_t) override {
    if (++calls == 2) return false;
    output.append(reinterpret_cast<const char*>(data), length);
    return true;
  }
  bool takes_ranges() const override { return false; }
  RangeCopy copy_range(const model::SourceEntry&, int64_t, uint64_t, uint64_t&) override {
    return RangeCopy::kUnsupported;
  }
  void add_records(uint64_t) override {}

  int calls = 0;
  std::string output;
};

TEST(WriteBehindTest, AFailedWriteStopsTheRestAndIsToldAtTheEnd) {
  const std::string block = "first ";
  FailingSink sink;
  FastPathCounts counts;
  SecondThread thread;
  WriteBehind behind(thread, counts);
  EXPECT_TRUE(behind.hand_over(sink, reinterpret_cast<const uint8_t*>(block.data()), 6, 0));
  EXPECT_TRUE(behind.hand_over(sink, reinterpret_cast<const uint8_t*>(block.data()), 6, 0));
  EXPECT_FALSE(behind.hand_over(sink, reinterpret_cast<const uint8_t*>(block.data()), 6, 0));
  EXPECT_FALSE(behind.finish());
  EXPECT_EQ(sink.calls, 2);
  EXPECT_EQ(sink.output, "first ");
}

}  // namespace
}  // namespace peltrix::engine
