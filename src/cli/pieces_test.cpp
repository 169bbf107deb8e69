#include "cli/pieces.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace peltrix::cli {
namespace {

std::vector<std::string> split(std::string text, char delimiter) {
  std::vector<std::string> pieces;
  char* cursor = text.data();
  while (char* piece = next_piece(cursor, delimiter)) pieces.emplace_back(piece);
  return pieces;
}

TEST(PiecesTest, AdjacentLeadingAndTrailingDelimitersGiveNoEmptyPiece) {
  using Pieces = std::vector<std::string>;
  EXPECT_EQ(split("/I//IFa.txt///IC3/", '/'), (Pieces{"I", "IFa.txt", "IC3"}));
  EXPECT_EQ(split("a.txt;;b.txt;", ';'), (Pieces{"a.txt", "b.txt"}));
  EXPECT_EQ(split(";;;", ';'), Pieces{});
}

}  // namespace
}  // namespace peltrix::cli
