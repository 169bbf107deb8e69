#include "records/windowed_conversion.h"

#include <string>

#include <gtest/gtest.h>

#include "records/byte_window.h"
#include "records/test_support.h"

namespace peltrix::records {
namespace {

using testing::Transform;

// Converts data[skip, skip + limit) as a file of its own.
std::string cut_then_convert(const std::string& data, size_t skip, size_t limit, int32_t or_value) {
  Transform whole(kCodeNone, or_value);
  return whole.run(data.substr(skip, limit));
}

std::string windowed(const std::string& data, ByteCounters counters, int32_t or_value, bool last = true) {
  Transform transform(kCodeNone, or_value);
  std::vector<uint8_t> buffer = testing::block(data);
  transform.state.last_block = last;
  uint32_t t = 0;
  window_then_convert(buffer.data(), static_cast<uint32_t>(data.size()), t, counters, transform.state,
                      transform.settings);
  return testing::output_of(buffer.data(), t, transform.state, transform.settings);
}

TEST(WindowedConversionTest, ConvertsTheSelectedBytesAsACutFileWouldBe) {
  const std::string data = "ab\r\ncd\r\nef\r\ngh";
  for (size_t skip = 0; skip <= data.size(); ++skip) {
    for (size_t limit = 1; limit <= data.size() - skip; ++limit) {
      SCOPED_TRACE("skip " + std::to_string(skip) + " limit " + std::to_string(limit));
      const bool whole_rest = skip + limit == data.size();
      // A limit reaching the end of the data is no limit: leave it out then.
      const ByteCounters counters{skip, whole_rest ? 0 : limit};
      EXPECT_EQ(windowed(data, counters, 1), cut_then_convert(data, skip, limit, 1));
      EXPECT_EQ(windowed(data, counters, 2), cut_then_convert(data, skip, limit, 2));
    }
  }
}

TEST(WindowedConversionTest, BlocksGiveWhatOneWindowOverTheWholeDataGives) {
  // A CR LF that straddles a block boundary and the limit: the limit cuts
  // it, so it is no unit, in blocks as in one pass.
  const std::string data = "ab\r\ncd";
  Transform one(kCodeNone, 1);
  std::vector<uint8_t> whole = testing::block(data);
  one.state.last_block = true;
  ByteCounters whole_counters{0, 3};
  uint32_t t = 0;
  window_then_convert(whole.data(), static_cast<uint32_t>(data.size()), t, whole_counters, one.state, one.settings);
  const std::string expected = testing::output_of(whole.data(), t, one.state, one.settings);
  EXPECT_EQ(expected, "ab\r\n");

  Transform blocks(kCodeNone, 1);
  std::vector<uint8_t> buffer = testing::block(data);
  ByteCounters counters{0, 3};
  blocks.state.last_block = false;
  window_then_convert(buffer.data(), 2, t, counters, blocks.state, blocks.settings);
  std::string output = testing::output_of(buffer.data(), t, blocks.state, blocks.settings);
  blocks.state.last_block = true;
  window_then_convert(buffer.data() + 2, 4, t, counters, blocks.state, blocks.settings);
  output += testing::output_of(buffer.data() + 2, t, blocks.state, blocks.settings);
  EXPECT_EQ(output, expected);
}

TEST(WindowedConversionTest, CodeUnitsKeepTheirPlacesWhenTheWindowStartsOffOne) {
  // UTF-16 skipped by an odd count: the newline at an even source offset is
  // still found where the window puts it at an odd one.
  Transform crlf(kCodeUtf16Le, 2);
  const std::string data("a\0\n\0b\0\n\0", 8);
  std::vector<uint8_t> buffer = testing::block(data);
  crlf.state.last_block = true;
  ByteCounters counters{3, 0};
  uint32_t t = 0;
  window_then_convert(buffer.data(), static_cast<uint32_t>(data.size()), t, counters, crlf.state, crlf.settings);
  EXPECT_EQ(testing::output_of(buffer.data(), t, crlf.state, crlf.settings), std::string("\0b\0\r\0\n\0", 7));
}

TEST(WindowedConversionTest, ASkipSwallowingTheBlockOutputsNothing) {
  EXPECT_EQ(windowed("a\r\n", ByteCounters{10, 0}, 1, false), "");
}

}  // namespace
}  // namespace peltrix::records
