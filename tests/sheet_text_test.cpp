// The component table as a spreadsheet's text: parsing, copying, the
// conversion to Latin-1, refusals and where a paste lands.
#include "app/sheet_text.h"
#include "core/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table_shape.h"

namespace brisel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct ParseCase {
  const char* name;
  std::string text;
  Rows rows;
};

class ParseCells : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCells, GivesTheRowsASpreadsheetMeant) {
  EXPECT_EQ(parseCells(GetParam().text), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseCells,
    ::testing::Values(ParseCase{"Empty", "", {}}, ParseCase{"OneCellNoLineEnd", "R1", {{"R1"}}},
                      ParseCase{"LineEndAddsNoRow", "R1\t10K\n", {{"R1", "10K"}}},
                      ParseCase{"CrLf", "R1\t10K\r\nC1\t1uF\r\n", {{"R1", "10K"}, {"C1", "1uF"}}},
                      ParseCase{"EmptyFieldsAndLines", "\tb\t\n\nc", {{"", "b", ""}, {""}, {"c"}}},
                      ParseCase{
                          "QuotedTabAndLineEnd", "\"a\tb\"\t\"90 \n\"\n", {{"a\tb", "90 \n"}}},
                      ParseCase{"QuotedQuotes", "\"say \"\"hi\"\"\"\tx\n", {{"say \"hi\"", "x"}}},
                      ParseCase{"QuoteInsideIsAChar", "5\"\t7\n", {{"5\"", "7"}}},
                      ParseCase{"UnclosedQuoteIsAChar", "\"abc\tdef\nx", {{"\"abc", "def"}, {"x"}}},
                      ParseCase{"QuoteClosedMidFieldIsAChar", "\"ab\"cd\te", {{"\"ab\"cd", "e"}}},
                      ParseCase{"Latin1BytesKept", "\xB0\xE9", {{"\xB0\xE9"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SheetText, CopyThenParseGivesTheSameCells) {
  Grid grid(10, 4);
  const std::vector<std::string> texts = {
      "",   "a\tb", "90 \n", "\"quoted", "x\"y", "\r", "\xE9t\xE9", "  pad  ", "12.3999996185303",
      "\"", "\"\"", "a\"\tb"};
  std::size_t next = 0;
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 4; ++c) grid.setCell(c, r, texts[next++ % texts.size()]);
  const Rows rows = parseCells(copyCells(grid, {1, 1, 4, 3}));
  ASSERT_EQ(rows.size(), 3u);
  for (int r = 1; r <= 3; ++r) {
    ASSERT_EQ(rows[r - 1].size(), 4u);
    for (int c = 1; c <= 4; ++c) EXPECT_EQ(rows[r - 1][c - 1], grid.cell(c, r)) << c << "," << r;
  }
}

TEST(SheetText, CopyTakesTheRectangleClampedToTheGrid) {
  Grid grid(10, 3);
  grid.setCell(8, 2, "C0603");
  grid.setCell(9, 2, "z");
  EXPECT_EQ(copyCells(grid, {8, 2, 40, 2}), "C0603\tz\n");
  EXPECT_EQ(copyCells(grid, {9, 1, 9, 9}), "\nz\n");
}

TEST(SheetText, ToLatin1) {
  const std::pair<std::string, std::string> cases[] = {
      {"R1 10K", "R1 10K"},
      {"\xC3\xA9\xC2\xB0", "\xE9\xB0"},  // UTF-8 é and °
      {"\xE2\x82\xAC 5", "? 5"},         // the euro sign is no Latin-1
      {"\xF0\x9F\x98\x80", "?"},         // nor is an emoji
      {"\xE9t\xE9", "\xE9t\xE9"},        // Latin-1 already
      {"\xC0\xAF", "\xC0\xAF"},          // an overlong form is no UTF-8
      {"\xED\xA0\x80", "\xED\xA0\x80"},  // nor a surrogate
      {"\xC3", "\xC3"},                  // nor a sequence cut short
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(toLatin1(in), out) << in;
}

TEST(SheetText, RefusesWhatIsNoTable) {
  const std::pair<std::string, const char*> cases[] = {
      {std::string(kMaxPasteBytes + 1, 'a'), "Testo troppo grande da incollare"},
      {std::string("R1\t10K\n\0\n", 9), "Il testo da incollare contiene dati binari"},
      {"\x01\x02\x03\x04 R1\t10K\n", "Il testo da incollare contiene dati binari"},
  };
  for (const auto& [text, message] : cases) {
    try {
      parseCells(text);
      ADD_FAILURE() << "accepted: " << message;
    } catch (const PasteRefused& refused) {
      EXPECT_EQ(std::string(refused.what()).rfind(message, 0), 0u) << refused.what();
    }
  }
  EXPECT_NO_THROW(parseCells(std::string(kMaxPasteBytes, 'a')));
  EXPECT_THROW(checkPasteSize(kMaxPasteBytes + 1), PasteRefused);
}

TEST(SheetText, PasteGrowsTheTableAndDropsCellsPastColumnNine) {
  Workspace w;
  ASSERT_EQ(w.StringGrid1.RowCount(), 10);
  const Outcome outcome = pasteCells(w, 7, 8, {{"a", "b", "c", "d"}, {"e"}, {"f", "g"}, {"", "h"}});
  EXPECT_TRUE(outcome.messages.empty());
  // Row 10 was past the end and raised the count to 10 + 10; row 11 fitted then.
  EXPECT_EQ(w.StringGrid1.RowCount(), 20);
  EXPECT_EQ(w.StringGrid1.cell(7, 8), "a");
  EXPECT_EQ(w.StringGrid1.cell(9, 8), "c");
  EXPECT_EQ(w.StringGrid1.cell(7, 9), "e");
  EXPECT_EQ(w.StringGrid1.cell(8, 10), "g");
  EXPECT_EQ(w.StringGrid1.cell(8, 11), "h");
  // A paste inside the table leaves its row count.
  pasteCells(w, 1, 1, {{"1"}});
  EXPECT_EQ(w.StringGrid1.RowCount(), 20);
}

TEST(SheetText, PasteStopsAtTheLastComponentRow) {
  Workspace w;
  w.StringGrid1.growFor(kMaxComponents - 1);
  const Outcome outcome = pasteCells(w, 2, kMaxComponents - 1, {{"a"}, {"b"}, {"c"}, {"d"}});
  EXPECT_EQ(w.StringGrid1.cell(2, kMaxComponents), "b");
  ASSERT_EQ(outcome.messages.size(), 1u);
  EXPECT_EQ(outcome.messages[0].text,
            "Incollate solo le righe fino alla 65535: tralasciate le altre 2");
  EXPECT_LE(w.StringGrid1.RowCount(), kMaxComponents + 10);
}

TEST(SheetText, ClearEmptiesTheRectangleButNotTheFixedCells) {
  Grid grid(10, 4);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 10; ++c) grid.setCell(c, r, "x");
  clearCells(grid, {0, 0, 2, 2});
  EXPECT_EQ(grid.cell(0, 1), "x");
  EXPECT_EQ(grid.cell(1, 0), "x");
  EXPECT_EQ(grid.cell(1, 1), "");
  EXPECT_EQ(grid.cell(2, 2), "");
  EXPECT_EQ(grid.cell(3, 2), "x");
  EXPECT_EQ(grid.cell(2, 3), "x");
}

}  // namespace
}  // namespace brisel
