#include "messages/messages.h"

#include <string>

#include <gtest/gtest.h>

namespace peltrix::messages {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

TEST(MessagesTest, LinesCarryTheCodeAndTheLineNumber) {
  CaptureStderr();
  line(38, 1, "%d番目の/Iに指定したコピー元にI/Oエラーが発生しました。", 1);
  line(808, 2, "x");
  line(4, 2, "%s", std::string(5000, 'a').c_str());
  EXPECT_EQ(GetCapturedStderr(),
            "E038-1 1番目の/Iに指定したコピー元にI/Oエラーが発生しました。\n"
            "E808-2 x\n"
            "E004-2 " + std::string(5000, 'a') + "\n");
}

TEST(MessagesTest, SystemErrorLinesCutTheSystemTextsLineEnd) {
  CaptureStderr();
  system_error_lines(38, 4, 2);
  system_error_lines(808, 2, 2);
  EXPECT_EQ(GetCapturedStderr(),
            "E038-4 システムエラーコード=2\n"
            "E038-5 指定されたファイルが見つかりません。\n"
            "E808-2 システムエラーコード=2\n"
            "E808-3 指定されたファイルが見つかりません。\n");
}

TEST(MessagesTest, ACodeWithoutSystemTextGivesTheLookupError) {
  CaptureStderr();
  system_error_lines(105, 4, 0x20000000u | 12345u);
  EXPECT_EQ(GetCapturedStderr(),
            "E105-4 システムエラーコード=536883257;\n"
            "E105-5 GetLastError()=317\n");
}

TEST(MessagesTest, OutOfMemoryHasOneWording) {
  CaptureStderr();
  out_of_memory(110, 2098176, 8);
  EXPECT_EQ(GetCapturedStderr(), "E110-1 メモリ不足が発生しました。 2098176 8\n");
}

TEST(MessagesTest, BoundedFormatRefusesWhatDoesNotFit) {
  char buffer[8];
  EXPECT_EQ(format_bounded(buffer, sizeof buffer, "%04d", 7), 4);
  EXPECT_STREQ(buffer, "0007");
  EXPECT_EQ(format_bounded(buffer, sizeof buffer, "%s", "123456789"), -1);
}

TEST(MessagesTest, TextsAreCompiledToShiftJis) {
  // メ is 83 81 and the full-width comma 81 43 in CP932.
  const std::string text = "メ，";
  EXPECT_EQ(text, std::string("\x83\x81\x81\x43"));
}

}  // namespace
}  // namespace peltrix::messages
