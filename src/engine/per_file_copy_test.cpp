#include "engine/per_file_copy.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/engine_test_support.h"
#include "paths/value_flags.h"
#include "platform/fault_injection.h"
#include "support/system.h"

namespace peltrix::engine {
namespace {

TEST(PerFileCopyTest, ARepeatedSourceFollowsItsFirstCopyWithoutItsMark) {
  const std::string bom = "\xEF\xBB\xBF";
  // The repeat skips one byte (/IT1) of its text, not of its mark; counted
  // records go to the first naming.
  for (const int32_t skip : {0, 1}) {
    SCOPED_TRACE(skip);
    testing::CopyFixture copy;
    copy.put("a", bom + "x\ny\n\x1A");
    copy.put("b", bom + "two\n");
    copy.source("a");
    copy.source("b");
    model::SourceEntry& again = copy.source("a");
    again.flags = paths::value_flag::kRepeat;
    again.settings.bytes_to_skip = skip;
    copy.destination("a.out");
    copy.destination("b.out");
    copy.destination("a.out").flags = paths::value_flag::kRepeat;
    model::RepeatTable repeats(3);
    repeats[2].first_occurrence = 0;
    copy.run.settings.count_records = skip == 0;
    ASSERT_TRUE(copy.judge_marks(true));
    ASSERT_TRUE(per_file_copy(copy.sources, copy.destinations, &repeats, copy.run));
    EXPECT_EQ(copy.get("a.out"), bom + "x\ny\n" + std::string("x\ny\n\x1A").substr(static_cast<size_t>(skip)));
    EXPECT_EQ(copy.get("b.out"), bom + "two\n");
    EXPECT_EQ(repeats[0].record_count, skip == 0 ? 4u : 0u);
  }
}

// A write that succeeds without taking a byte ends the copy as a full disk
// instead of trying again for ever.
TEST(PerFileCopyTest, AWriteThatTakesNothingIsAFullDisk) {
  testing::CopyFixture copy;
  const std::vector<std::intptr_t> before = peltrix::testing::open_files();
  copy.put("a", "x\n");
  copy.source("a");
  copy.destination("a.out");
  ASSERT_TRUE(copy.judge_marks(true));
  const peltrix::testing::Faults taking_nothing(platform::faults::Operation::kWrite, 1, platform::faults::kTakesNothing);
  bool copied = true;
  EXPECT_EQ(peltrix::testing::printed([&] { copied = per_file_copy(copy.sources, copy.destinations, nullptr, copy.run); }).err,
            "E810-1 WriteFile()関数でエラーが発生しました。 \"" + copy.at("a.out") +
                "\"\nE810-2 システムエラーコード=112\nE810-3 " +
                peltrix::testing::system_text(112, "ディスクに十分な空き領域がありません。") + "\n");
  EXPECT_FALSE(copied);
  EXPECT_EQ(platform::faults::calls(platform::faults::Operation::kWrite), 1u);
  // The files a failed copy leaves open, as the process's end closes them.
  peltrix::testing::close_files_opened_since(before);
  EXPECT_EQ(copy.get("a.out"), "");
}

}  // namespace
}  // namespace peltrix::engine
