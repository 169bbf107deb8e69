#include "engine/append_positioning.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/fault_injection.h"
#include "platform/platform.h"
#include "support/files.h"
#include "support/system.h"

namespace peltrix::engine {
namespace {

using namespace std::string_literals;

std::string g_path;
void lose_last_byte() { std::filesystem::resize_file(g_path, std::filesystem::file_size(g_path) - 1); }

TEST(AppendPositioningTest, OnlyATrailingUnitReadWholeIsWrittenOver) {
  peltrix::testing::TempFolder folder;
  g_path = folder / "out";
  struct Row {
    std::string bytes;
    bool shrinks;  // the file loses its last byte between its size and the read of its last unit
    int64_t position;
  };
  for (const Row& row : {Row{"ab\x1A\0"s, false, 2}, Row{"ab\x1A\0"s, true, 3}}) {
    // Windows: no other program changes a file held without sharing.
    if (row.shrinks && peltrix::testing::kWindows) continue;
    peltrix::testing::write_file(g_path, row.bytes);
    model::DestinationEntry d;
    d.path = g_path.c_str();
    d.handle = platform::open_file(d.path, platform::kGenericRead | platform::kGenericWrite, 0,
                                   platform::kOpenExisting, platform::kAttributeNormal);
    const peltrix::testing::Faults shrinking(platform::faults::Operation::kRead, row.shrinks ? 1 : 0, lose_last_byte);
    EXPECT_TRUE(position_for_append(d, records::kEofUnits[records::kCodeUtf16Le], false));
    int64_t position = -1;
    EXPECT_TRUE(platform::seek_file(d.handle, 0, platform::SeekFrom::kCurrent, &position));
    EXPECT_EQ(position, row.position);
    platform::close_file(d.handle);
  }
}

}  // namespace
}  // namespace peltrix::engine
