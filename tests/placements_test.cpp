// The placements model: which rows it takes, how it converts them (the QPF
// writer's way, checked against the writer's own records), its index and the
// picture's numbers.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/placements.h"
#include "core/table_shape.h"
#include "output/board_svg.h"
#include "output/operations.h"
#include "tests/output_fixture.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

using testing::fillRow;

struct RowCase {
  const char* name;
  std::vector<std::string_view> cells;  // columns 1 to 8
  NumberFormat format;
  // Placed: x, y, angle; otherwise the unplaced column and reason. Neither: skipped.
  bool placed;
  float x = 0, y = 0;
  std::uint16_t angle = 0;
  int column = 0;
  Unplaced::Reason reason = Unplaced::Reason::notANumber;
};

TEST(Placements, TakesAndConvertsRowsAsTheWriters) {
  const NumberFormat point{'.', false};
  const NumberFormat english{'.', true};
  const RowCase cases[] = {
      {"plain",
       {"1", "R1", "10K", "", "12.5", "-3.25", "90", "R0603"},
       point,
       true,
       12.5f,
       -3.25f,
       90},
      {"trimmed cells",
       {"1", " R1\t", "10K", "", " 12.5 ", "\t7 ", " -90 ", ""},
       point,
       true,
       12.5f,
       7,
       65446},
      {"angle's low 16 bits", {"1", "R1", "", "", "0", "0", "70000", ""}, point, true, 0, 0, 4464},
      {"Inglese reads the comma",
       {"1", "R1", "", "", "1,5", "2,25", "0", ""},
       english,
       true,
       1.5f,
       2.25f,
       0},
      {"single precision",
       {"1", "R1", "", "", "12.4", "0.1", "0", ""},
       point,
       true,
       12.4f,
       0.1f,
       0},
      {"no number: not a row", {"", "R1", "", "", "1", "1", "0", ""}, point, false},
      {"a blank number: not a row", {" ", "R1", "", "", "1", "2", "0", ""}, point, false},
      {"blank reference: not a row", {"1", " \t", "", "", "1", "1", "0", ""}, point, false},
      {"X not a number", {"1", "R1", "", "", "abc", "1", "0", ""}, point, false, 0, 0, 0, col::X},
      {"Y empty", {"1", "R1", "", "", "1", "", "0", ""}, point, false, 0, 0, 0, col::Y},
      {"X beyond float", {"1", "R1", "", "", "1e39", "1", "0", ""}, point, false, 0, 0, 0, col::X},
      {"Y infinite", {"1", "R1", "", "", "1", "inf", "0", ""}, point, false, 0, 0, 0, col::Y},
      {"X far off the board",
       {"1", "R1", "", "", "-20000", "1", "0", ""},
       point,
       false,
       0,
       0,
       0,
       col::X,
       Unplaced::Reason::outOfRange},
      {"angle not whole",
       {"1", "R1", "", "", "1", "1", "90.5", ""},
       point,
       false,
       0,
       0,
       0,
       col::Angle},
  };
  for (const RowCase& c : cases) {
    SCOPED_TRACE(c.name);
    Grid table(kTableColumns, 4);
    int column = 1;
    for (std::string_view text : c.cells) table.setCell(column++, 2, text);
    const std::string before = testing::rowText(table, 2);
    const Board board = buildBoard(table, c.format);
    EXPECT_EQ(testing::rowText(table, 2), before) << "the table is only read";
    if (c.placed) {
      ASSERT_EQ(board.parts.size(), 1u);
      EXPECT_TRUE(board.unplaced.empty());
      const Placement& part = board.parts[0];
      EXPECT_EQ(part.row, 2);
      EXPECT_EQ(part.reference, "R1");
      EXPECT_EQ(std::bit_cast<std::uint32_t>(part.x), std::bit_cast<std::uint32_t>(c.x));
      EXPECT_EQ(std::bit_cast<std::uint32_t>(part.y), std::bit_cast<std::uint32_t>(c.y));
      EXPECT_EQ(part.angle, c.angle);
    } else if (c.column != 0) {
      EXPECT_TRUE(board.parts.empty());
      ASSERT_EQ(board.unplaced.size(), 1u);
      EXPECT_EQ(board.unplaced[0].row, 2);
      EXPECT_EQ(board.unplaced[0].column, c.column);
      EXPECT_EQ(board.unplaced[0].reason, c.reason);
    } else {
      EXPECT_TRUE(board.parts.empty());
      EXPECT_TRUE(board.unplaced.empty());
    }
  }
}

// A mixed table: the parts are exactly the QPF writer's records, in order,
// with the same X, Y and angle bits.
TEST(Placements, MatchTheQpfRecords) {
  std::mt19937 random(7);
  const char* xs[] = {"12.345", "-0.001", "1e3", " 7 ", "0.1", "9999.5", "3,5"};
  const char* angles[] = {"0", "90", "-90", "270", "65535", " 45 ", "-32768"};
  Workspace workspace;
  Grid& table = workspace.StringGrid1;
  table.setRowCount(200);
  for (int row = 1; row < 190; ++row) {
    const bool number = random() % 8 != 0, reference = random() % 8 != 0;
    fillRow(table, row,
            {number ? std::to_string(row) : "", reference ? "P" + std::to_string(row) : " ", "V",
             "", xs[random() % 7], xs[random() % 7], angles[random() % 7], "F"});
  }
  Controls controls;
  controls.RB_EN = true;
  const Board board = buildBoard(table, controls.numbers());

  testing::TempDir dir;
  controls.Edit1 = dir.write("T.QPF", std::string(127, 'H'));
  controls.Edit4 = dir / "OUT.QPF";
  Progress progress;
  writeQpf(workspace, controls, progress);
  const std::string bytes = testing::readFile(controls.Edit4);
  ASSERT_EQ((bytes.size() - 131) % 104, 0u);
  ASSERT_EQ(board.parts.size(), (bytes.size() - 131) / 104);
  ASSERT_GT(board.parts.size(), 100u);
  for (std::size_t i = 0; i < board.parts.size(); ++i) {
    const char* record = bytes.data() + 131 + 104 * i;
    float x, y;
    std::uint16_t angle;
    std::memcpy(&x, record + 26, 4);
    std::memcpy(&y, record + 30, 4);
    std::memcpy(&angle, record + 34, 2);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(board.parts[i].x), std::bit_cast<std::uint32_t>(x));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(board.parts[i].y), std::bit_cast<std::uint32_t>(y));
    EXPECT_EQ(board.parts[i].angle, angle);
    EXPECT_EQ(std::string(record + 2, 8).substr(0, board.parts[i].reference.size()),
              board.parts[i].reference.substr(0, 8));
  }
}

// The grid index finds what a scan of every part finds.
TEST(Placements, IndexAgreesWithAScan) {
  std::mt19937 random(3);
  Board board;
  const char* footprints[] = {"R0603", "SOIC16", "LQFP48", "HDR1X10", "x"};
  for (int i = 0; i < 3000; ++i) {
    Placement part;
    part.row = i + 1;
    part.x = static_cast<float>(random() % 40000) / 100 - 100;
    part.y = static_cast<float>(random() % 30000) / 100 - 50;
    part.angle = static_cast<std::uint16_t>(random() % 4 * 90 + (i % 7 == 0 ? 45 : 0));
    BodySize size = bodySizeOf(footprints[i % 5]);
    part.length = size.length;
    part.width = size.width;
    board.parts.push_back(part);
  }
  board.index();
  EXPECT_LE(board.extent().left, -100);
  EXPECT_GE(board.extent().top, 249);

  for (int probe = 0; probe < 400; ++probe) {
    const float x = static_cast<float>(random() % 42000) / 100 - 110;
    const float y = static_cast<float>(random() % 32000) / 100 - 60;
    const BoardBox box{x, y, x + static_cast<float>(random() % 3000) / 100,
                       y + static_cast<float>(random() % 3000) / 100};
    std::vector<char> seen(board.parts.size(), 0);
    board.visit(box, [&](int i) { seen[static_cast<std::size_t>(i)] = 1; });
    int expected = -1;
    for (std::size_t i = 0; i < board.parts.size(); ++i) {
      const Placement& p = board.parts[i];
      const float reach = std::hypot(p.length, p.width) / 2;
      if (p.x + reach >= box.left && p.x - reach <= box.right && p.y + reach >= box.bottom &&
          p.y - reach <= box.top) {
        EXPECT_TRUE(seen[i]) << "part " << i << " missed";
      }
      const Turn turn = turnOf(p.angle);
      const double dx = x - p.x, dy = y - p.y;
      const double u = dx * turn.cos + dy * turn.sin, v = -dx * turn.sin + dy * turn.cos;
      if (std::fabs(u) <= p.length / 2 && std::fabs(v) <= p.width / 2)
        expected = static_cast<int>(i);
    }
    EXPECT_EQ(board.partAt(x, y), expected) << x << " " << y;
  }
}

TEST(Placements, EmptyTableGivesTheOrigin) {
  const Board board = buildBoard(Grid(kTableColumns, 10), {});
  EXPECT_TRUE(board.parts.empty());
  EXPECT_EQ(board.partAt(0, 0), -1);
  const std::string svg = boardSvg(board);
  EXPECT_NE(svg.find("<g class=\"origin\""), std::string::npos);
  EXPECT_EQ(svg.find("class=\"part\""), std::string::npos);
}

TEST(BoardSvg, DecimalsReadBackExactly) {
  std::mt19937 random(11);
  std::vector<float> values = {0.1f, 12.4f, -3.25f, 1e-7f, 9999.999f, -0.0f, 40.64f};
  for (int i = 0; i < 2000; ++i)
    values.push_back(static_cast<float>(static_cast<int>(random() % 2000001) - 1000000) / 997.0f);
  for (float value : values) {
    const std::string text = shortestDecimal(value);
    EXPECT_EQ(text.find_first_of("eE,"), std::string::npos) << text;
    EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
  }
  EXPECT_EQ(shortestDecimal(12.4f), "12.4");
  EXPECT_EQ(shortestDecimal(-0.0f), "0");
}

TEST(BoardSvg, EscapesTextsForXml) {
  const std::pair<std::string, std::string> cases[] = {
      {"R<1>&\"'", "R&lt;1&gt;&amp;&quot;&apos;"},
      {"a\tb\nc\rd", "a&#9;b&#10;c&#13;d"},
      {std::string("x\x01y\0z", 5), "x\xEF\xBF\xBDy\xEF\xBF\xBDz"},
      {"\xB5\xE9\xFF", "\xC2\xB5\xC3\xA9\xC3\xBF"},
      {"\x7F", "\x7F"},
  };
  for (const auto& [bytes, escaped] : cases) {
    std::string out;
    appendXmlText(out, bytes);
    EXPECT_EQ(out, escaped);
  }
}

TEST(BoardSvg, FailedWriteNamesPathAndReasonAndLeavesNoFile) {
  testing::TempDir dir;
  Board board;
  const std::filesystem::path missing = dir / "no-folder" / "b.svg";
  try {
    writeBoardSvg(missing, board);
    ADD_FAILURE() << "no error";
  } catch (const PreviewError& error) {
    EXPECT_EQ(error.path(), missing);
    EXPECT_FALSE(error.reason().empty());
    EXPECT_NE(std::string(error.what()).find("no-folder"), std::string::npos);
  }
  EXPECT_THROW(writeBoardSvg(dir.path(), board), PreviewError);
  EXPECT_EQ(testing::entries(dir.path()), 0u);
}

}  // namespace
}  // namespace brisel
