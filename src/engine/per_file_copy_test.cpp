#include "engine/per_file_copy.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/test_support.h"
#include "paths/value_flags.h"

namespace peltrix::engine {
namespace {

using testing::CopyFixture;
using namespace std::string_literals;

TEST(PerFileCopyTest, EveryDestinationGetsWhatAJoinedCopyOfItsOwnSourceGives) {
  CopyFixture copy;
  copy.put("a", "\xEF\xBB\xBF" "one\n\x1A");
  copy.put("b", "\xEF\xBB\xBF" "two\n");
  copy.source("a");
  copy.source("b");
  copy.destination("a.out");
  copy.destination("b.out");
  copy.choose_units(records::kCodeUtf8, 0);
  ASSERT_TRUE(per_file_copy(copy.sources, copy.destinations, nullptr, copy.run));
  // Each keeps its mark, and each ends with 0x1A only where its source did.
  EXPECT_EQ(copy.get("a.out"), "\xEF\xBB\xBF" "one\n\x1A");
  EXPECT_EQ(copy.get("b.out"), "\xEF\xBB\xBF" "two\n");
  EXPECT_EQ(copy.run.destination_count, 2);
}

TEST(PerFileCopyTest, MarkSettingsActOnEveryDestination) {
  CopyFixture copy;
  copy.put("a", "\xFF\xFE" "a\0"s);
  copy.put("b", "\xFF\xFE" "b\0"s);
  copy.source("a");
  copy.source("b");
  copy.destination("a.out").mark = records::mark_for(7);
  copy.destination("b.out").mark = records::mark_for(7);
  copy.choose_units(records::kCodeUtf16Le, 0);
  ASSERT_TRUE(per_file_copy(copy.sources, copy.destinations, nullptr, copy.run));
  EXPECT_EQ(copy.get("a.out"), "a\0"s);
  EXPECT_EQ(copy.get("b.out"), "b\0"s);

  CopyFixture added;
  added.put("a", "a\n");
  added.put("b", "b\n");
  added.source("a");
  added.source("b");
  paths::DestinationEntry& a = added.destination("a.out");
  paths::DestinationEntry& b = added.destination("b.out");
  a.mark = b.mark = records::mark_for(1);
  a.end_of_file = b.end_of_file = records::EndOfFile::kAlways;
  added.choose_units(0, 0);
  ASSERT_TRUE(per_file_copy(added.sources, added.destinations, nullptr, added.run));
  EXPECT_EQ(added.get("a.out"), "\xEF\xBB\xBF" "a\n\x1A");
  EXPECT_EQ(added.get("b.out"), "\xEF\xBB\xBF" "b\n\x1A");
}

TEST(PerFileCopyTest, ARepeatedSourceIsAppendedToItsFirstDestinationOnce) {
  CopyFixture copy;
  copy.put("a", "\xEF\xBB\xBF" "x\ny\n\x1A");
  copy.put("b", "b\n");
  copy.source("a");
  copy.source("b").ic = 0;
  paths::SourceEntry& again = copy.source("a");
  again.flags = paths::value_flag::kRepeat;
  copy.destination("a.out");
  copy.destination("b.out");
  paths::DestinationEntry& repeat = copy.destination("a.out");
  repeat.flags = paths::value_flag::kRepeat;
  planning::RepeatTable repeats(3);
  repeats[2].first_occurrence = 0;
  repeats[2].repeat_mark = planning::kRepeatMark;
  copy.run.settings.count_records = true;
  copy.choose_units(records::kCodeUtf8, 0);
  // Sources must carry one mark or none: b carries none.
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(per_file_copy(copy.sources, copy.destinations, &repeats, copy.run));
  EXPECT_EQ(::testing::internal::GetCapturedStderr().substr(0, 7), "E115-1 ");

  CopyFixture same;
  same.put("a", "\xEF\xBB\xBF" "x\ny\n\x1A");
  same.source("a");
  same.source("a").flags = paths::value_flag::kRepeat;
  same.destination("a.out");
  same.destination("a.out").flags = paths::value_flag::kRepeat;
  planning::RepeatTable table(2);
  table[1].first_occurrence = 0;
  table[1].repeat_mark = planning::kRepeatMark;
  same.run.settings.count_records = true;
  same.choose_units(records::kCodeUtf8, 0);
  ASSERT_TRUE(per_file_copy(same.sources, same.destinations, &table, same.run));
  // The second copy follows the first over its 0x1A, without a mark between.
  EXPECT_EQ(same.get("a.out"), "\xEF\xBB\xBF" "x\ny\nx\ny\n\x1A");
  EXPECT_EQ(table[0].record_count, 4u);
  EXPECT_EQ(table[1].record_count, 0u);
}

TEST(PerFileCopyTest, FoldersAreMadeAsTheyComeAndExistingOnesLeftAlone) {
  CopyFixture copy;
  std::filesystem::create_directory(copy.at("source"));
  std::filesystem::create_directory(copy.at("kept"));
  copy.put("source/f", "f");
  paths::SourceEntry& folder = copy.source("source");
  folder.kind = paths::kKindFolder;
  paths::SourceEntry& kept = copy.source("source");
  kept.kind = paths::kKindFolder;
  copy.source("source/f");
  paths::DestinationEntry& made = copy.destination("made");
  made.kind = paths::kKindFolder;
  made.flags = paths::value_flag::kMissing;
  paths::DestinationEntry& existing = copy.destination("kept");
  existing.kind = paths::kKindFolder;
  existing.flags = paths::value_flag::kExists;
  copy.destination("made/f");
  copy.choose_units(0, 0);
  ASSERT_TRUE(per_file_copy(copy.sources, copy.destinations, nullptr, copy.run));
  EXPECT_TRUE(std::filesystem::is_directory(copy.at("made")));
  EXPECT_EQ(copy.get("made/f"), "f");
  EXPECT_EQ(copy.run.destination_count, 1);
}

TEST(PerFileCopyTest, AFileSourceWithoutAFileDestinationIsALogicError) {
  CopyFixture copy;
  copy.put("a", "a");
  copy.source("a");
  paths::DestinationEntry& d = copy.destination("folder");
  d.kind = paths::kKindFolder;
  d.flags = paths::value_flag::kMissing;
  copy.choose_units(0, 0);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(per_file_copy(copy.sources, copy.destinations, nullptr, copy.run));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "E109-1 プログラム論理エラー発生\n");
}

}  // namespace
}  // namespace peltrix::engine
