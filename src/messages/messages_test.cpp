#include "messages/messages.h"

#include <string>

#include <gtest/gtest.h>

#include "support/files.h"
#include "support/system.h"

namespace peltrix::messages {
namespace {

TEST(MessagesTest, LinesCarryTheCodeAndTheLineNumberInShiftJis) {
  const std::string printed = testing::printed([] {
    line(38, 1, "%d番目の/Iです。", 1);
    line(4, 2, "%s", std::string(5000, 'a').c_str());
    system_error_lines(808, 2, 2);
    system_error_lines(105, 4, 0x20000000u | 12345u);
  }).err;
  // メ is 83 81 in CP932, ン 83 93, ス 83 58.
  EXPECT_EQ(printed,
            "E038-1 1番目の/Iです。\n"
            "E004-2 " + std::string(5000, 'a') + "\n"
            "E808-2 システムエラーコード=2\n"
            "E808-3 " + testing::system_text(2, "指定されたファイルが見つかりません。") + "\n"
            "E105-4 システムエラーコード=536883257;\n"
            "E105-5 GetLastError()=317\n");
  EXPECT_EQ(std::string("メ"), "\x83\x81");
}

}  // namespace
}  // namespace peltrix::messages
