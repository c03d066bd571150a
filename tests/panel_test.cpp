// The panel against golden cases: a board stepped and repeated, boards left
// out, a bottom side turned over whole and the RAK rules after, each case
// ending in its rows and the bytes the QPF writer puts in their records. The
// same tables stand in docs/board-sides.md, which this test reads.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/history.h"
#include "core/component_row.h"
#include "core/placements.h"
#include "output/board_svg.h"
#include "output/in_memory.h"
#include "tests/board_kit.h"
#include "tests/table_kit.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

using testing::Board;
using testing::dataRows;
using testing::tableOf;

// The boards the cases start from, by the name the docs give them.
std::vector<std::string> boardNamed(std::string_view name) {
  const std::string d1 = "|1|D1|1N4148|T|10|5|90|SOD80|";
  const std::string r1 = "|2|R1|10k|T|20.5|7.25|0|0603|";
  if (name == "D1") return {d1};
  if (name == "D1, R1") return {d1, r1};
  if (name == "D1 on B") return {"|1|D1|1N4148|B|10|5|90|SOD80|"};
  if (name == "D1 at 65446") return {"|1|D1|1N4148|T|10|5|65446|SOD80|"};
  if (name == "D1, X zz") return {"|1|D1|1N4148|T|zz|5|90|SOD80|"};
  if (name == "D1, board x") return {d1 + "x"};
  if (name == "R1 to R7") {
    std::vector<std::string> rows;
    for (int n = 1; n <= 7; ++n)
      rows.push_back("|" + std::to_string(n) + "|R" + std::to_string(n) + "|10k|T|" +
                     std::to_string(n) + "|1|0|0603|");
    return rows;
  }
  if (name == "empty") return {};
  ADD_FAILURE() << "no board " << name;
  return {};
}

void startFrom(Board& board, std::string_view name) {
  const std::vector<std::string> rows = boardNamed(name);
  board.workspace.StringGrid1 = tableOf(static_cast<int>(rows.size()) + 10, rows);
}

// Bytes as the docs spell them: "00002041 0000A040 5A00".
std::string spelt(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 8) text += ' ';
    const auto byte = static_cast<unsigned char>(bytes[i]);
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
  }
  return text;
}

// The component rows as the docs list them: number, reference, side, X, Y,
// angle, board.
std::vector<std::string> rowsOf(const Grid& table) {
  std::vector<std::string> rows;
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    if (!isComponentRow(table, row)) continue;
    std::string line;
    for (int column :
         {col::Number, col::Reference, col::Side, col::X, col::Y, col::Angle, col::Board})
      line += (line.empty() ? "" : " ") + std::string(table.cell(column, row));
    rows.push_back(line);
  }
  return rows;
}

std::string joined(const std::vector<std::string>& items, const char* before, const char* after) {
  std::string text;
  for (const std::string& item : items)
    text += (text.empty() ? "" : "<br>") + (before + item + after);
  return text;
}

std::string documented() {
  return testing::readFile(std::filesystem::path(BRISEL_DOCS) / "board-sides.md");
}

TEST(Panel, GoldenCases) {
  struct Case {
    const char* board;
    const char* words;
    std::vector<std::string> rows;   // number reference side X Y angle board
    std::vector<std::string> place;  // QPF record bytes 26 to 35 of each
  };
  const Case cases[] = {
      {"D1",
       "panel=2x2,60,40",
       {"1 D1 T 10 5 90 1", "2 D1 T 70 5 90 2", "3 D1 T 10 45 90 3", "4 D1 T 70 45 90 4"},
       {"00002041 0000A040 5A00", "00008C42 0000A040 5A00", "00002041 00003442 5A00",
        "00008C42 00003442 5A00"}},
      {"D1, R1",
       "panel=3x1,50.8,0",
       {"1 D1 T 10 5 90 1", "2 R1 T 20.5 7.25 0 1", "3 D1 T 60.7999992370605 5 90 2",
        "4 R1 T 71.3000030517578 7.25 0 2", "5 D1 T 111.599998474121 5 90 3",
        "6 R1 T 122.099998474121 7.25 0 3"},
       {"00002041 0000A040 5A00", "0000A441 0000E840 0000", "33337342 0000A040 5A00",
        "9A998E42 0000E840 0000", "3333DF42 0000A040 5A00", "3333F442 0000E840 0000"}},
      // Each copy from the board in double precision: in single precision
      // board 4 would be at 109.990005493164.
      {"D1",
       "panel=4x1,33.33,0",
       {"1 D1 T 10 5 90 1", "2 D1 T 43.3300018310547 5 90 2", "3 D1 T 76.6600036621094 5 90 3",
        "4 D1 T 109.98999786377 5 90 4"},
       {"00002041 0000A040 5A00", "EC512D42 0000A040 5A00", "EC519942 0000A040 5A00",
        "E1FADB42 0000A040 5A00"}},
      {"D1",
       "panel=1x2,0,-40",
       {"1 D1 T 10 5 90 1", "2 D1 T 10 -35 90 2"},
       {"00002041 0000A040 5A00", "00002041 00000CC2 5A00"}},
      // The angle is written from 0 to 359 on every board, as the steps write it.
      {"D1 at 65446",
       "panel=2x1,50,0",
       {"1 D1 T 10 5 270 1", "2 D1 T 60 5 270 2"},
       {"00002041 0000A040 0E01", "00007042 0000A040 0E01"}},
      // The bottom side: the whole panel turns over, board 1 ends on the right.
      {"D1 on B",
       "keep-side=B panel=2x2,60,40 flip=x apply-rak origin-corner",
       {"1 D1 T 60 0 180 1", "2 D1 T 0 0 180 2", "3 D1 T 60 40 180 3", "4 D1 T 0 40 180 4"},
       {"00007042 00000000 B400", "00000000 00000000 B400", "00007042 00002042 B400",
        "00000000 00002042 B400"}},
      {"D1",
       "panel=2x2,60,40 skip-boards=2",
       {"1 D1 T 10 5 90 1", "3 D1 T 10 45 90 3", "4 D1 T 70 45 90 4"},
       {"00002041 0000A040 5A00", "00002041 00003442 5A00", "00008C42 00003442 5A00"}},
      {"D1",
       "panel=3x2,60,40 skip-boards=1,4-5",
       {"2 D1 T 70 5 90 2", "3 D1 T 130 5 90 3", "6 D1 T 130 45 90 6"},
       {"00008C42 0000A040 5A00", "00000243 0000A040 5A00", "00000243 00003442 5A00"}},
      // The rules remove R1 from every board; D1 keeps its board.
      {"D1, R1",
       "panel=2x1,50,0 apply-rak",
       {"1 D1 T 10 5 180 1", "3 D1 T 60 5 180 2"},
       {"00002041 0000A040 B400", "00007042 0000A040 B400"}},
  };
  const std::string docs = documented();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.board) + ": " + c.words);
    Board board;
    startFrom(board, c.board);
    std::istringstream words(c.words);
    for (std::string word; words >> word;) board.run(word);
    EXPECT_EQ(rowsOf(board.workspace.StringGrid1), c.rows);
    std::vector<std::string> place;
    for (const std::string& record : board.records())
      place.push_back(spelt(record.substr(testing::kPlaceOffset, testing::kPlaceBytes)));
    EXPECT_EQ(place, c.place);
    const std::string line = "| " + std::string(c.board) + " | `" + c.words + "` | " +
                             joined(c.rows, "", "") + " | " + joined(c.place, "`", "`") + " |";
    EXPECT_NE(docs.find(line), std::string::npos) << "not in docs/board-sides.md: " << line;
  }
}

// Each failure leaves the table as it stood before the word, and says why.
TEST(Panel, Refusals) {
  struct Case {
    const char* board;
    const char* words;  // the last one fails
    const char* message;
  };
  const Case cases[] = {
      {"D1", "panel=0x2,10,10", "Colonne e righe del pannello da 1 a 99, non 0x2"},
      {"D1", "panel=3x100,10,10", "Colonne e righe del pannello da 1 a 99, non 3x100"},
      {"R1 to R7", "panel=99x99,1,1", "Il pannello darebbe 68607 componenti: al massimo 65535"},
      {"D1", "panel=2x1,50,0 panel=2x1,50,0",
       "La tabella \xC3\xA8 gi\xC3\xA0 un pannello: riga 1, scheda 1"},
      {"D1, X zz", "panel=2x1,50,0",
       "Riga 1, colonna X: 'zz' non \xC3\xA8 un valore numerico valido"},
      {"D1, board x", "panel=2x1,50,0", "Riga 1, colonna 9: 'x' non \xC3\xA8 un numero di scheda"},
      {"D1", "panel=2x1,4e38,0", "Riga 1: coordinata fuori scala"},
      {"empty", "panel=2x1,50,0", "La tabella non ha componenti da ripetere"},
      {"D1", "skip-boards=1", "La tabella non \xC3\xA8 un pannello"},
      {"D1", "panel=2x2,60,40 skip-boards=5", "La scheda 5 non \xC3\xA8 nel pannello"},
      {"D1", "panel=2x2,60,40 skip-boards=3-9", "La scheda 5 non \xC3\xA8 nel pannello"},
      {"D1", "panel=2x2,60,40 skip-boards=2,99999-123456789",
       "La scheda 99999 non \xC3\xA8 nel pannello"},
      {"D1", "panel=2x2,60,40 skip-boards=2 skip-boards=2",
       "La scheda 2 non \xC3\xA8 nel pannello"},
  };
  const std::string docs = documented();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.board) + ": " + c.words);
    Board board;
    startFrom(board, c.board);
    std::vector<std::string> words;
    std::istringstream read(c.words);
    for (std::string word; read >> word;) words.push_back(word);
    for (std::size_t n = 0; n + 1 < words.size(); ++n) board.run(words[n]);
    const Grid before = board.workspace.StringGrid1;
    try {
      board.run(words.back());
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
    EXPECT_EQ(dataRows(board.workspace.StringGrid1), dataRows(before));
    const std::string line =
        "| " + std::string(c.board) + " | `" + c.words + "` | `" + c.message + "` |";
    EXPECT_NE(docs.find(line), std::string::npos) << "not in docs/board-sides.md: " << line;
  }
}

// Every cell of a component row goes to each board as it stood but its
// number, its board and, where they move, X and Y; the rows of text that are
// no component follow; the growth rule gives the row count.
TEST(Panel, CopiesTheCellsAndKeepsTheRowsOfText) {
  Board board;
  board.controls.decimalSeparator = ',';
  board.workspace.StringGrid1 =
      tableOf(12, {"x|7|D1| 1N\xB5| t |10,0|5|90|SOD 80|", "", "|||a note|||||",
                   "|3||half a part||1|1|0||", "|4|R1|10k||0|-1,5|0|0603|"});
  testing::putRow(board.workspace.StringGrid1, 0, "fixed|titles");
  board.run("panel=2x1,0.25,0");
  const Grid& table = board.workspace.StringGrid1;
  EXPECT_EQ(table.RowCount(), 6 + 10);
  EXPECT_EQ(testing::rowText(table, 0), "fixed|titles||||||||");
  EXPECT_EQ(dataRows(table),
            (std::vector<std::string>{
                "x|1|D1| 1N\xB5| t |10,0|5|90|SOD 80|1", "|2|R1|10k||0|-1,5|0|0603|1",
                "x|3|D1| 1N\xB5| t |10,25|5|90|SOD 80|2", "|4|R1|10k||0,25|-1,5|0|0603|2",
                "|||a note||||||", "|3||half a part||1|1|0||", testing::kEmptyRow,
                testing::kEmptyRow, testing::kEmptyRow, testing::kEmptyRow, testing::kEmptyRow,
                testing::kEmptyRow, testing::kEmptyRow, testing::kEmptyRow, testing::kEmptyRow}));
}

// The panel and the boards left out are one undo step each.
TEST(Panel, EachStepIsOneUndoStep) {
  Board board;
  startFrom(board, "D1, R1");
  const std::vector<std::string> lone = dataRows(board.workspace.StringGrid1);
  History history(board.workspace);
  board.run("panel=3x2,55.5,40");
  EXPECT_TRUE(history.record(board.workspace));
  const std::vector<std::string> panel = dataRows(board.workspace.StringGrid1);
  EXPECT_EQ(board.workspace.StringGrid1.RowCount(), 12 + 10);
  board.run("skip-boards=2,5-6");
  EXPECT_TRUE(history.record(board.workspace));
  EXPECT_EQ(rowsOf(board.workspace.StringGrid1).size(), 6u);
  ASSERT_TRUE(history.undo(board.workspace));
  EXPECT_EQ(dataRows(board.workspace.StringGrid1), panel);
  ASSERT_TRUE(history.undo(board.workspace));
  EXPECT_EQ(dataRows(board.workspace.StringGrid1), lone);
  EXPECT_FALSE(history.canUndo());
}

// Column 9 means one thing to every reader: the panel steps, the preview, the
// SVG picture and "Salva posizioni".
TEST(Panel, TheBoardMeansTheSameToEveryReader) {
  struct Case {
    const char* cell;
    int board;          // boardOf
    const char* panel;  // what panel=2x1,50,0 does: "built" or its error
    const char* csv;    // the Board field; none on a lone board
  };
  const std::string unknown = "Riga 1, colonna 9: '";
  const Case cases[] = {
      {"", 0, "built", ""},
      {"3", 3, "La tabella \xC3\xA8 gi\xC3\xA0 un pannello: riga 1, scheda 3", ",3"},
      {" 03 ", 3, "La tabella \xC3\xA8 gi\xC3\xA0 un pannello: riga 1, scheda 3", ",3"},
      {"9801", 9801, "La tabella \xC3\xA8 gi\xC3\xA0 un pannello: riga 1, scheda 9801", ",9801"},
      {"9802", kUnknownBoard, "9802", ""},
      {"0", kUnknownBoard, "0", ""},
      {"-1", kUnknownBoard, "-1", ""},
      {"B2", kUnknownBoard, "B2", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("board '") + c.cell + "'");
    const Grid table = tableOf(3, {"|1|D1|1N4148|T|10|5|90|SOD80|" + std::string(c.cell)});
    EXPECT_EQ(boardOf(table, 1), c.board);
    EXPECT_EQ(isPanel(table), c.board > 0);
    Board board;
    board.workspace.StringGrid1 = table;
    std::string panel = "built";
    try {
      board.run("panel=2x1,50,0");
    } catch (const Error& error) {
      panel = error.what();
    }
    const bool known = c.board != kUnknownBoard;
    EXPECT_EQ(panel, known ? std::string(c.panel)
                           : unknown + c.panel + "' non \xC3\xA8 un numero di scheda");
    const brisel::Board drawn = buildBoard(table, board.controls.numbers());
    ASSERT_EQ(drawn.parts.size(), 1u);
    EXPECT_EQ(drawn.parts[0].board, std::max(0, c.board));
    EXPECT_EQ(drawn.panelBoards().size(), c.board > 0 ? 1u : 0u);
    const std::string csv = output::placementBytes(table, board.controls);
    EXPECT_EQ(csv.substr(csv.find("Side")), std::string("Side") + (c.board > 0 ? ",Board" : "") +
                                                "\r\n\"D1\",\"1N4148\",\"SOD80\",10,5,90,\"top\"" +
                                                c.csv + "\r\n");
  }
}

// The preview and its picture outline each board and name it; a lone
// board's picture is as it always was.
TEST(Panel, ThePictureNamesTheBoards) {
  Board board;
  startFrom(board, "D1, R1");
  const std::string lone = boardSvg(buildBoard(board.workspace.StringGrid1, {}));
  EXPECT_EQ(lone.find("class=\"panel\""), std::string::npos);
  board.run("panel=3x2,50,40");
  board.run("skip-boards=5");
  const brisel::Board drawn = buildBoard(board.workspace.StringGrid1, {});
  std::vector<int> numbers;
  for (const PanelBoard& panelBoard : drawn.panelBoards()) numbers.push_back(panelBoard.number);
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 6}));
  // Board 6: D1 at (110, 45) and R1 at (120.5, 47.25), each with its body mark.
  const BoardBox six = drawn.panelBoards().back().extent;
  EXPECT_LT(six.left, 110.0f);
  EXPECT_GT(six.left, 108.0f);
  EXPECT_GT(six.right, 120.5f);
  EXPECT_LT(six.right, 122.5f);
  const std::string svg = boardSvg(drawn);
  for (int number : numbers)
    EXPECT_NE(svg.find("<g class=\"board\" data-board=\"" + std::to_string(number) + "\">"),
              std::string::npos);
  EXPECT_EQ(svg.find("data-board=\"5\""), std::string::npos);
}

// brisel-cli's words: the shape is read before anything runs; the counts'
// range is the step's to judge, so that the window's boxes hear it too.
TEST(Panel, TheWordsTheirValues) {
  for (const char* good : {"3x2,55.5,40", "1x1,0,0", "0x2,1,1", "99x99,-1.5,-0"}) {
    Controls controls;
    EXPECT_NO_THROW(readPanelWord(good, controls)) << good;
  }
  Controls read;
  readPanelWord("3x2,55.5,-40", read);
  EXPECT_EQ(read.panelColumns, 3);
  EXPECT_EQ(read.panelRows, 2);
  EXPECT_EQ(read.panelPitchX, 55.5);
  EXPECT_EQ(read.panelPitchY, -40);
  for (const char* bad : {"3X2,55.5,40", "3x2", "3x2,55,5,40", "3x2,55.5", "-3x2,1,1", "3x 2,1,1",
                          "x2,1,1", "3x2,1,inf", "3x2,55.5,40mm", "1234567890x1,1,1", ""}) {
    Controls controls;
    EXPECT_THROW(readPanelWord(bad, controls), Error) << bad;
  }
  for (const char* good : {"2", "2,5-6", " 2 , 5 - 6 ", "1-1", "9801"}) {
    Controls controls;
    EXPECT_NO_THROW(readSkipWord(good, controls)) << good;
    EXPECT_EQ(controls.skipBoards, good);
  }
  for (const char* bad : {"", "0", "6-5", "2,", ",2", "2;3", "a", "-2", "2-", "1-2-3"}) {
    Controls controls;
    EXPECT_THROW(readSkipWord(bad, controls), Error) << bad;
  }
}

}  // namespace
}  // namespace brisel
