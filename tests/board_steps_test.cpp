// The board steps against golden cases: one part at (10, 5) through the steps
// a two-sided board takes, each case ending in the bytes the real writers put
// in its QPF record and its ZIRKAN line. docs/board-sides.md shows the same table.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/history.h"
#include "core/placements.h"
#include "output/in_memory.h"
#include "output/qpf_format.h"
#include "table/check.h"
#include "tests/board_kit.h"
#include "tests/output_fixture.h"
#include "tests/table_kit.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

using output::kQpfRecordBytes;
using testing::Board;
using testing::dataRows;
using testing::hex;
using testing::kPlaceBytes;
using testing::kPlaceOffset;
using testing::tableOf;

TEST(BoardSteps, GoldenCases) {
  struct Case {
    const char* side;
    const char* angle;
    const char* steps;
    const char* cells;   // side|X|Y|angle after the steps
    const char* place;   // QPF record bytes 26 to 35: X, Y, angle
    const char* zirkan;  // the ZIRKAN line's X, Y and angle
  };
  const Case cases[] = {
      {"T", "0", "flip=x", "B|-10|5|180", "000020C1 0000A040 B400", "-10.00 5.00 180"},
      {"T", "90", "flip=x", "B|-10|5|90", "000020C1 0000A040 5A00", "-10.00 5.00 90"},
      {"T", "180", "flip=x", "B|-10|5|0", "000020C1 0000A040 0000", "-10.00 5.00 0"},
      {"T", "270", "flip=x", "B|-10|5|270", "000020C1 0000A040 0E01", "-10.00 5.00 270"},
      {"T", "65446", "flip=x", "B|-10|5|270", "000020C1 0000A040 0E01", "-10.00 5.00 270"},
      {"", "90", "flip=x", "B|-10|5|90", "000020C1 0000A040 5A00", "-10.00 5.00 90"},
      {"B", "0", "flip=x", "T|-10|5|180", "000020C1 0000A040 B400", "-10.00 5.00 180"},
      {"B", "270", "flip=x flip=x", "B|10|5|270", "00002041 0000A040 0E01", "10.00 5.00 270"},
      {"T", "0", "flip=y", "B|10|-5|0", "00002041 0000A0C0 0000", "10.00 -5.00 0"},
      {"T", "90", "flip=y", "B|10|-5|270", "00002041 0000A0C0 0E01", "10.00 -5.00 270"},
      {"B", "65446", "flip=y", "T|10|-5|90", "00002041 0000A0C0 5A00", "10.00 -5.00 90"},
      {"T", "0", "rotate=90", "T|-5|10|90", "0000A0C0 00002041 5A00", "-5.00 10.00 90"},
      {"T", "270", "rotate=90", "T|-5|10|0", "0000A0C0 00002041 0000", "-5.00 10.00 0"},
      {"B", "65446", "rotate=-90", "B|5|-10|180", "0000A040 000020C1 B400", "5.00 -10.00 180"},
      {"T", "90", "rotate=180", "T|-10|-5|270", "000020C1 0000A0C0 0E01", "-10.00 -5.00 270"},
      {"T", "180", "rotate=360", "T|10|5|180", "00002041 0000A040 B400", "10.00 5.00 180"},
      {"T", "0", "rotate=30", "T|6.16025400161743|9.33012676239014|30", "CD20C540 33481541 1E00",
       "6.16 9.33 30"},
      {"T", "90", "offset=-12.5,3", "T|-2.5|8|90", "000020C0 00000041 5A00", "-2.50 8.00 90"},
      {"B", "180", "offset=-30,-20 origin-corner", "B|0|0|180", "00000000 00000000 B400",
       "0.00 0.00 180"},
      // The rule turns the reel against the footprint as the machine sees it:
      // after the flip, not before; the two orders differ by 180 - 2a.
      {"B", "90", "flip=x apply-rak", "T|-10|5|180", "000020C1 0000A040 B400", "-10.00 5.00 180"},
      {"B", "90", "apply-rak flip=x", "T|-10|5|0", "000020C1 0000A040 0000", "-10.00 5.00 0"},
      {"B", "0", "flip=x apply-rak", "T|-10|5|270", "000020C1 0000A040 0E01", "-10.00 5.00 270"},
      {"B", "0", "apply-rak flip=x", "T|-10|5|90", "000020C1 0000A040 5A00", "-10.00 5.00 90"},
      // The bottom side's whole road.
      {"B", "270", "keep-side=B flip=x apply-rak origin-corner", "T|0|0|0",
       "00000000 00000000 0000", "0.00 0.00 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.side) + " " + c.angle + ": " + c.steps);
    Board board;
    board.workspace.StringGrid1 =
        tableOf(3, {"|1|D1|1N4148|" + std::string(c.side) + "|10|5|" + c.angle + "|SOD80|"});
    const std::string before = board.record();
    std::istringstream steps(c.steps);
    for (std::string word; steps >> word;) board.run(word);

    const Grid& table = board.workspace.StringGrid1;
    EXPECT_EQ(testing::rowText(table, 1), "|1|D1|1N4148|" + std::string(c.cells) + "|SOD80|");
    const std::string after = board.record();
    ASSERT_EQ(after.size(), kQpfRecordBytes);
    EXPECT_EQ(after.substr(kPlaceOffset, kPlaceBytes), hex(c.place));
    // Only the place changes in the record.
    EXPECT_EQ(after.substr(0, kPlaceOffset), before.substr(0, kPlaceOffset));
    EXPECT_EQ(after.substr(kPlaceOffset + kPlaceBytes), before.substr(kPlaceOffset + kPlaceBytes));
    EXPECT_EQ(board.zirkan(), "D1 SOD80 1N4148 " + std::string(c.zirkan) + " \r\n\r");
  }
}

// Every reader of the side cell gives it the same meaning. "Tieni lato" and
// the flip stop at a side they cannot tell, naming its cell, the table as it
// was; the preview draws it as the top and the CSV keeps what was typed.
TEST(BoardSteps, TheSideMeansTheSameToEveryReader) {
  struct Case {
    const char* cell;
    const char* keepT;  // what is left of the row: "kept", "gone", or the error
    const char* keepB;
    const char* flip;  // the side after flip=x, or the error
    bool drawnBottom;
    const char* finding;  // the check's code for the row, if any
    const char* csv;      // the CSV's side field
  };
  const std::string unknown = "Riga 1, colonna 4: lato '";
  const Case cases[] = {
      {"T", "kept", "gone", "B", false, "", "\"top\""},
      {"t", "kept", "gone", "B", false, "", "\"top\""},
      {" B ", "gone", "kept", "T", true, "", "\"bottom\""},
      {"b", "gone", "kept", "T", true, "", "\"bottom\""},
      {"", "kept", "gone", "B", false, "", ""},
      {"X", "X", "X", "X", false, "unknown-side", "\"X\""},
      {"top", "top", "top", "top", false, "unknown-side", "\"top\""},
  };
  auto outcomeOf = [&](const char* cell, std::string_view word) -> std::string {
    Board board;
    board.workspace.StringGrid1 = tableOf(3, {"|1|D1|1N4148|" + std::string(cell) + "|10|5|90||"});
    const std::vector<std::string> before = dataRows(board.workspace.StringGrid1);
    try {
      board.run(word);
    } catch (const Error& error) {
      EXPECT_EQ(dataRows(board.workspace.StringGrid1), before);
      return error.what();
    }
    const Grid& table = board.workspace.StringGrid1;
    if (word == "flip=x") return std::string(table.cell(col::Side, 1));
    return table.cell(col::Reference, 1) == "D1" ? "kept" : "gone";
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("side '") + c.cell + "'");
    auto expected = [&](const char* answer) {
      const bool known = std::string_view(c.finding).empty();
      return known ? std::string(answer) : unknown + answer + "' n\xC3\xA9 T n\xC3\xA9 B";
    };
    EXPECT_EQ(outcomeOf(c.cell, "keep-side=T"), expected(c.keepT));
    EXPECT_EQ(outcomeOf(c.cell, "keep-side=B"), expected(c.keepB));
    EXPECT_EQ(outcomeOf(c.cell, "flip=x"), expected(c.flip));

    const Grid table = tableOf(3, {"|1|D1|1N4148|" + std::string(c.cell) + "|10|5|90||"});
    const Board preview;
    const brisel::Board drawn = buildBoard(table, preview.controls.numbers());
    ASSERT_EQ(drawn.parts.size(), 1u);
    EXPECT_EQ(drawn.parts[0].bottom, c.drawnBottom);
    std::string codes;
    for (const Finding& finding : checkTable(table, preview.controls.numbers()))
      codes += findingCodeName(finding.code);
    EXPECT_EQ(codes, c.finding);
    const std::string csv = output::placementBytes(table, preview.controls);
    EXPECT_EQ(csv.substr(csv.rfind(',') + 1), std::string(c.csv) + "\r\n");
  }
}

// "Tieni lato" moves the rows below up as the row delete does: the row count
// and the numbers stay, rows with a number or a reference are components.
TEST(BoardSteps, KeepSideMovesTheRowsUpAndSaysHowManyWent) {
  Board board;
  board.workspace.StringGrid1 =
      tableOf(7, {"x|1|R1||B|1|1|0||", "|2|R2||T|2|2|0||", "|||note|B|||||", "||R4|| B |4|4|0||",
                  "|5|R5|||5|5|0||"});
  Outcome outcome = board.run("keep-side=T");
  EXPECT_EQ(dataRows(board.workspace.StringGrid1),
            (std::vector<std::string>{"|2|R2||T|2|2|0||", "|||note|B|||||", "|5|R5|||5|5|0||",
                                      testing::kEmptyRow, testing::kEmptyRow, testing::kEmptyRow}));
  EXPECT_EQ(outcome.summary, "Tieni lato T: 2 righe tolte");
}

// A cell that does not convert stops a step before any row changes, with the
// table's cell error; a step that changes nothing is no undo step.
TEST(BoardSteps, AllOrNothing) {
  for (std::string_view word : {"flip=x", "rotate=90", "offset=1,1", "origin-corner"}) {
    SCOPED_TRACE(word);
    Board board;
    board.workspace.StringGrid1 = tableOf(4, {"|1|R1||T|1|1|0||", "|2|R2||B|2|zz|0||"});
    const std::vector<std::string> before = dataRows(board.workspace.StringGrid1);
    try {
      board.run(word);
      ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
      EXPECT_EQ(std::string(error.what()).rfind("Riga 2, colonna Y: 'zz'", 0), 0u) << error.what();
    }
    EXPECT_EQ(dataRows(board.workspace.StringGrid1), before);
  }
  for (std::string_view word : {"rotate=0", "rotate=-360", "offset=0,0", "keep-side=T"}) {
    SCOPED_TRACE(word);
    Board board;
    board.workspace.StringGrid1 = tableOf(4, {"|1|R1||T|1.0|-2|45||", "|2|R2|||0|0|359||"});
    if (std::string_view(word) != "keep-side=T") board.run("origin-corner");
    History history(board.workspace);
    board.run(word);
    EXPECT_FALSE(history.record(board.workspace));
  }
}

}  // namespace
}  // namespace brisel
