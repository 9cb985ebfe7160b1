#include "analysis/cell_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "text/strings.h"

namespace tz::cell_text {
namespace {

// Whatever a cell held before, its new text is the number as std::to_string writes it.
TEST(CellText, NumbersAndRanksAreWrittenAsToStringWritesThem) {
  std::string number = "a text left over from an earlier race";
  std::string rank = "999.9";
  std::string built = "left over";
  for (int v = -150; v <= 250; ++v) {
    SetNumber(number, v);
    EXPECT_EQ(number, std::to_string(v));
    SetRank(rank, v);
    EXPECT_EQ(rank, v > 0 ? std::to_string(v) : std::string()) << v;
    TextBuilder(built).Append("推移　").AppendNumber(v);
    EXPECT_EQ(built, "推移　" + std::to_string(v));
  }
  // Past the two-digit numbers of the panels, to the ends of int.
  for (int v : {std::numeric_limits<int>::min(), std::numeric_limits<int>::min() + 1, -1000000,
                1000, 99999, std::numeric_limits<int>::max()}) {
    SetNumber(number, v);
    EXPECT_EQ(number, std::to_string(v));
    TextBuilder(built).AppendNumber(v).Append("|");
    EXPECT_EQ(built, std::to_string(v) + "|");
  }
}

TEST(CellText, TrimmedPiecesAreWhatTrimGives) {
  const std::vector<std::string> texts = {
      "", " ", "   ", "12.3", "  12.3", "12.3  ", " 1 2 ", "\t1.2\t", "\u3000" "5.6\u3000",
      " \u3000 7.8 \u3000", "ﾄﾘｹｼ", " ﾄﾘｹｼ ", "\xff 1.2", " 1.2 \xe3\x80", "\xe3\x80\x80",
      "\u3000", "a\u3000b", " \xc3 ",
  };
  std::string out = "a tool tip of an earlier race, longer than the new one";
  for (const std::string& t : texts) {
    TextBuilder(out).Append("枠連 1-2  x").AppendTrimmed(t).Append("|");
    EXPECT_EQ(out, "枠連 1-2  x" + text::Trim(t) + "|") << t;
  }
}

// A text longer than the builder's own buffer goes on in the string, in its order.
TEST(CellText, LongTextsAreBuiltWhole) {
  for (std::size_t length : {0u, 1u, 60u, 95u, 96u, 97u, 200u, 1000u}) {
    const std::string piece(length, 'x');
    std::string out = "old";
    TextBuilder(out).Append("ﾜｲﾄﾞ  ").Append(piece).Append(" - ").AppendNumber(123).Append(piece);
    EXPECT_EQ(out, "ﾜｲﾄﾞ  " + piece + " - 123" + piece) << length;
  }
}

}  // namespace
}  // namespace tz::cell_text
