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

using Pieces = std::vector<std::string>;

TEST(PiecesTest, AdjacentLeadingAndTrailingDelimitersGiveNoEmptyPiece) {
  EXPECT_EQ(split("/I/IFa.txt/IC3", '/'), (Pieces{"I", "IFa.txt", "IC3"}));
  EXPECT_EQ(split("/I//IFa.txt///IC3/", '/'), (Pieces{"I", "IFa.txt", "IC3"}));
  EXPECT_EQ(split("a.txt;;b.txt;", ';'), (Pieces{"a.txt", "b.txt"}));
  EXPECT_EQ(split(";x", ';'), (Pieces{"x"}));
  EXPECT_EQ(split("dir\\a.txt;c:\\b", ';'), (Pieces{"dir\\a.txt", "c:\\b"}));
  EXPECT_EQ(split(";;;", ';'), Pieces{});
  EXPECT_EQ(split("", ';'), Pieces{});
}

TEST(PiecesTest, OnlyDelimitersMeansNoPiece) {
  EXPECT_TRUE(has_no_piece(";", ';'));
  EXPECT_TRUE(has_no_piece(";;", ';'));
  EXPECT_TRUE(has_no_piece("", ';'));
  EXPECT_FALSE(has_no_piece(";a;", ';'));
  EXPECT_FALSE(has_no_piece(" ", ';'));
}

}  // namespace
}  // namespace peltrix::cli
