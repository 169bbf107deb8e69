#include "engine/copy_buffers.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace peltrix::engine {
namespace {

// Refuses the allocation numbered g_refuse_at (1-based) with error 8.
int g_calls = 0;
int g_refuse_at = 0;

void* refusing_allocator(size_t size) {
  if (++g_calls == g_refuse_at) {
    platform::set_last_error(8);
    return nullptr;
  }
  return allocate_zeroed(size);
}

TEST(CopyBuffersTest, LayoutOfTheReadBuffers) {
  CopyBuffers buffers;
  ASSERT_TRUE(allocate_copy_buffers(buffers));
  EXPECT_EQ(buffers.data[0], buffers.read[0] + 1024);
  EXPECT_EQ(buffers.data[1], buffers.read[1] + 1024);
  // The data areas fill whole large pages; the carry areas lie just before.
  for (uint8_t* data : buffers.data) EXPECT_EQ(reinterpret_cast<uintptr_t>(data) % platform::kLargePageSize, 0u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(buffers.conversion) % platform::kPageSize, 0u);
  EXPECT_EQ(buffers.read[1][kCopyBufferSize - 1], 0);
  release_copy_buffers(buffers);
  EXPECT_EQ(buffers.counting, nullptr);
}

TEST(CopyBuffersTest, EachRefusalHasItsOwnCode) {
  for (int refused = 1; refused <= 5; ++refused) {
    SCOPED_TRACE(refused);
    g_calls = 0;
    g_refuse_at = refused;
    CopyBuffers buffers;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(allocate_copy_buffers(buffers, refusing_allocator));
    const int code = 109 + refused;
    // Appended piece by piece: GCC 12 takes a literal + temporary for overlapping copies (-Wrestrict).
    std::string prefix = "E";
    prefix += std::to_string(code) + "-";
    const std::string size = code == 114 ? "2102272" : "2098176";
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              prefix + "1 メモリ不足が発生しました。 " + size + " 8\n" +
              prefix + "2 システムエラーコード=8\n" +
              prefix + "3 このコマンドを実行するのに十分な記憶域がありません。\n");
    release_copy_buffers(buffers);
  }
}

}  // namespace
}  // namespace peltrix::engine
