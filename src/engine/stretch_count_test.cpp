#include "engine/stretch_count.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/test_support.h"

namespace peltrix::engine {
namespace {

using testing::CopyFixture;

constexpr size_t kBlock = kBlockLength;

records::TransformSettings counting_settings(CopyFixture& copy, int32_t code) {
  copy.choose_units(code, code);
  records::TransformSettings settings;
  settings.count_records = true;
  settings.units = copy.run.units;
  settings.conversion = copy.run.buffers->conversion;
  settings.conversion_capacity = kConversionBufferSize;
  return settings;
}

platform::FileHandle open_source(const CopyFixture& copy, const std::string& name) {
  return platform::open_file(copy.at(name).c_str(), platform::kGenericRead, 1 /* others may read */,
                             platform::kOpenExisting, platform::kAttributeNormal);
}

// The count touches no byte of the block loop's read buffers, so that a
// count abandoned leaves the loop free to read the same blocks itself; the
// records it finds are those of the carried bytes and the blocks, less the
// bytes the last block carries on, which it hands over.
TEST(StretchCountTest, CountsTheHandedOnBytesAndLeavesTheReadBuffersAlone) {
  CopyFixture copy;
  std::string text;
  for (size_t i = 0; text.size() < 3 * kBlock + 4096; ++i) text += std::string(i % 97, 'r') + "\n";
  copy.put("in", text);
  const records::TransformSettings settings = counting_settings(copy, records::kCodeNone);
  CopyBuffers& buffers = *copy.run.buffers;
  std::memset(buffers.read[0], 'A', kCopyBufferSize);
  std::memset(buffers.read[1], 'B', kCopyBufferSize);
  const std::string carried = text.substr(kBlock - kCarryLength, kCarryLength);

  const platform::FileHandle source = open_source(copy, "in");
  StretchCounter counter;
  counter.start(source, kBlock, 2, reinterpret_cast<const uint8_t*>(carried.data()), buffers, settings);
  std::string carry_out(kCarryLength, '\0');
  const StretchCount counted = counter.finish(reinterpret_cast<uint8_t*>(carry_out.data()));
  platform::close_file(source);

  ASSERT_FALSE(counted.read_failed);
  const std::string handed_on = text.substr(kBlock - kCarryLength, 2 * kBlock);
  EXPECT_EQ(counted.records, static_cast<uint64_t>(std::count(handed_on.begin(), handed_on.end(), '\n')));
  EXPECT_EQ(carry_out, text.substr(3 * kBlock - kCarryLength, kCarryLength));
  EXPECT_TRUE(std::all_of(buffers.read[0], buffers.read[0] + kCopyBufferSize, [](uint8_t b) { return b == 'A'; }));
  EXPECT_TRUE(std::all_of(buffers.read[1], buffers.read[1] + kCopyBufferSize, [](uint8_t b) { return b == 'B'; }));

  // Abandoned at once: it ends without a result and the buffers stay as they were.
  const platform::FileHandle again = open_source(copy, "in");
  StretchCounter abandoned;
  abandoned.start(again, 0, 3, buffers.data[0], buffers, settings);
  abandoned.abandon();
  platform::close_file(again);
  EXPECT_TRUE(std::all_of(buffers.read[0], buffers.read[0] + kCopyBufferSize, [](uint8_t b) { return b == 'A'; }));
  EXPECT_TRUE(std::all_of(buffers.read[1], buffers.read[1] + kCopyBufferSize, [](uint8_t b) { return b == 'B'; }));
}

TEST(StretchCountTest, ASourceShorterThanItsBlocksIsAFailedRead) {
  CopyFixture copy;
  copy.put("in", std::string(2 * kBlock - 1, '\n'));
  const records::TransformSettings settings = counting_settings(copy, records::kCodeNone);
  const platform::FileHandle source = open_source(copy, "in");
  StretchCounter counter;
  const std::string carried(kCarryLength, 'c');
  counter.start(source, 0, 2, reinterpret_cast<const uint8_t*>(carried.data()), *copy.run.buffers, settings);
  uint8_t carry_out[kCarryLength] = {};
  const StretchCount counted = counter.finish(carry_out);
  platform::close_file(source);
  EXPECT_TRUE(counted.read_failed);
  EXPECT_EQ(counted.error, platform::kErrorHandleEof);
  EXPECT_EQ(carry_out[0], 0) << "a failed count hands no carried bytes over";
}

}  // namespace
}  // namespace peltrix::engine
