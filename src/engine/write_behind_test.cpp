#include "engine/write_behind.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/output_sink.h"

namespace peltrix::engine {
namespace {

// Keeps what it is given; refuses the write numbered fail_at (1-based).
class RecordingSink : public OutputSink {
 public:
  explicit RecordingSink(int fail_at) : fail_at_(fail_at) {}

  bool write(const uint8_t* data, uint32_t length, uint64_t counted) override {
    if (++calls == fail_at_) return false;
    output.append(reinterpret_cast<const char*>(data), length);
    records += counted;
    return true;
  }
  bool takes_ranges() const override { return false; }
  RangeCopy copy_range(const paths::SourceEntry&, int64_t, uint64_t, uint64_t&) override {
    return RangeCopy::kUnsupported;
  }
  void add_records(uint64_t) override {}

  int calls = 0;
  std::string output;
  uint64_t records = 0;

 private:
  int fail_at_;
};

TEST(WriteBehindTest, WritesArriveInOrderAndAFailureStopsTheRest) {
  const std::vector<std::string> blocks = {"first ", "second ", "third"};
  RecordingSink sink(0);
  {
    FastPathCounts counts;
    WriteBehind behind(counts);
    for (const std::string& block : blocks) {
      ASSERT_TRUE(behind.hand_over(sink, reinterpret_cast<const uint8_t*>(block.data()),
                                   static_cast<uint32_t>(block.size()), 2));
    }
    EXPECT_TRUE(behind.finish());
    EXPECT_EQ(sink.output, "first second third");
    EXPECT_EQ(sink.records, 6u);
  }

  // The second write fails: the third is refused when it is handed over and
  // never reaches the output, and the failure is still told at the end.
  RecordingSink failing(2);
  FastPathCounts counts;
  WriteBehind behind(counts);
  EXPECT_TRUE(behind.hand_over(failing, reinterpret_cast<const uint8_t*>(blocks[0].data()), 6, 0));
  EXPECT_TRUE(behind.hand_over(failing, reinterpret_cast<const uint8_t*>(blocks[1].data()), 7, 0));
  EXPECT_FALSE(behind.hand_over(failing, reinterpret_cast<const uint8_t*>(blocks[2].data()), 5, 0));
  EXPECT_FALSE(behind.finish());
  EXPECT_EQ(failing.calls, 2);
  EXPECT_EQ(failing.output, "first ");
}

TEST(WriteBehindTest, NothingHandedOverIsNothingToWaitFor) {
  FastPathCounts counts;
  WriteBehind behind(counts);
  EXPECT_TRUE(behind.finish());
}

}  // namespace
}  // namespace peltrix::engine
