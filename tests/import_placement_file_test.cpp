// Placement files of CAD tools: one table of the shapes found in the wild,
// and the sample board in each tool's form against its MNT file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/table_shape.h"
#include "import/placement_file.h"
#include "import/placement_parts.h"
#include "tests/import_fixture.h"

namespace brisel::testing {
namespace {

struct Shape {
  std::string_view name;
  std::string bytes;
  std::string columns;  // as --columns
  std::string units;    // as --units
  bool mils = false;    // the window's "mils"
  // Each component as "ref|value|side|x|y|angle|footprint", or the failure.
  std::vector<std::string> rows;
  std::string message;   // the last message, or the failure's text
  bool keepDnp = false;  // brisel-cli's --keep-dnp
};

std::string utf16le(std::string_view ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

std::string utf16be(std::string_view ascii) {
  std::string out = "\xFE\xFF";
  for (char c : ascii) {
    out += '\0';
    out += c;
  }
  return out;
}

const std::vector<Shape>& shapes() {
  static const std::vector<Shape> all = {
      {"KiCad .pos in inches: a gap, a value with spaces and commas, Rot -90 and 360",
       "### Footprint positions - created on 2026-12-01 ###\n"
       "## Unit = inches, Angle = deg.\n## Side : All\n"
       "# Ref     Val                   Package        PosX       PosY       Rot  Side\n"
       "C1        1uF, 10V, X5R, 0402   C_0402       2.8750    -1.2500  -90.0000  top\n"
       "TP3                             TestPad_1mm  5.0800    -2.5400    0.0000  bottom\n"
       "R1        10k                   R_0603       1.0000     1.0000  360.0000  top\n## End\n",
       "",
       "",
       false,
       {"C1|1uF, 10V, X5R, 0402|T|73.0250015258789|-31.75|270|C_0402",
        "TP3|???|B|129.031997680664|-64.515998840332|0|TestPad_1mm",
        "R1|10k|T|25.3999996185303|25.3999996185303|0|R_0603"},
       "3 componenti importati"},
      {"KiCad .pos padded by bytes: a value holding a UTF-8 Omega",
       "# Ref     Val       Package        PosX       PosY       Rot  Side\n"
       "R1        10\xCE\xA9      R_0603       10.0000    20.0000   89.9999  F.Cu\n",
       "",
       "",
       false,
       {"R1|10?|T|10|20|90|R_0603"},
       "1 componente importato"},
      {"KiCad CSV, no unit anywhere, the window in mils",
       "Ref,Val,Package,PosX,PosY,Rot,Side\n\"C1\",\"100nF\",\"C_0402\",1000,-500,180.0000,"
       "bottom\n",
       "",
       "",
       true,
       {"C1|100nF|B|25.3999996185303|-12.6999998092651|180|C_0402"},
       "1 componente importato"},
      {"Altium CSV in mils: preamble, blank line, CR LF, 360.00, Windows-1252 and UTF-8 mixed",
       "Altium Designer Pick and Place Locations\r\nC:\\BOARD.PcbDoc\r\n\r\n=====\r\n"
       "Units used: mil\r\n\r\n"
       "\"Designator\",\"Comment\",\"Layer\",\"Footprint\",\"Center-X(mil)\",\"Center-Y(mil)\","
       "\"Rotation\",\"Description\"\r\n"
       "\"U1\",\"STM32\",\"TopLayer\",\"LQFP48\",\"1600\",\"1200\",\"360.00\",\"mcu \xB5\"\r\n"
       "\"R\"\"1\",\"4K7 \xE2\x84\xA6\",\"BottomLayer\",\"R0603\",\"-100\",\"0\",\"270\",\"\"\r\n",
       "",
       "",
       false,
       {"U1|STM32|T|40.6399993896484|30.4799995422363|0|LQFP48",
        "R\"1|4K7 ?|B|-2.53999996185303|0|270|R0603"},
       "2 componenti importati"},
      {"Altium text, older: single spaces between names, a unit on every value, Ref X after Mid X",
       "Designator Footprint Mid X Mid Y Ref X Ref Y Pad X Pad Y TB Rotation Comment  \n"
       "U1 LQFP48 1600mil 1200mil 1500mil 1100mil 1500mil 1100mil T 90.00 STM32  \n"
       "D1 0805 58.674mm 2.54mm 58mm 2mm 57mm 2mm B 45.50 \"LED RED\"\n",
       "",
       "",
       false,
       {"U1|STM32|T|40.6399993896484|30.4799995422363|90|LQFP48",
        "D1|LED RED|B|58.673999786377|2.53999996185303|46|0805"},
       "2 componenti importati"},
      {"EasyEDA CPL in UTF-16LE with tabs",
       utf16le("Designator\tFootprint\tMid X\tMid Y\tRef X\tRef Y\tPad X\tPad Y\tLayer\tRotation\t"
               "Comment\r\nC1\tC0603\t31.75mm\t-2.5mm\t30mm\t-2mm\t29mm\t-1mm\tB\t270\t100nF\r\n"),
       "",
       "",
       false,
       {"C1|100nF|B|31.75|-2.5|270|C0603"},
       "1 componente importato"},
      {"EasyEDA comma form in UTF-16BE; references P?1_7_7, D1:3 and USB",
       utf16be("Designator,Val,Package,Mid X,Mid Y,Rotation,Layer\nP?1_7_7,1k,R0402,1,2,0,top\n"
               "D1:3,,SOD123,3,4,90,bottom\nUSB,USB-C,USB_C,5,6,180,T\n"),
       "",
       "",
       false,
       {"P?1_7_7|1k|T|1|2|0|R0402", "D1:3|???|B|3|4|90|SOD123", "USB|USB-C|T|5|6|180|USB_C"},
       "3 componenti importati"},
      {"DipTrace 4.x with semicolons and decimal commas; CR line ends",
       "RefDes;Name;Pattern;Value;Center X (mm);Center Y (mm);Side;Rotation\r"
       "U1;IC;SOIC8;LM358;12,5;3,25;Bottom;90\r",
       "",
       "",
       false,
       {"U1|LM358|B|12.5|3.25|90|SOIC8"},
       "1 componente importato"},
      {"LibrePCB in inches, a row without a reference counted",
       "# LibrePCB pick&place\n# Unit: in\n"
       "Designator,Value,Device,Package,Position X,Position Y,Rotation,Side\n"
       "C1,100n,Cap,C0402,1,0.5,0,Top\n,1k,Res,R0402,1,1,0,Top\n",
       "",
       "",
       false,
       {"C1|100n|T|25.3999996185303|12.6999998092651|0|C0402"},
       "1 componente importato, 1 riga senza riferimento saltata"},
      {"Allegro report: YES is the bottom",
       "A!REPORT!\nREFDES,COMP_VALUE,COMP_PACKAGE,SYM_CENTER_X,SYM_CENTER_Y,SYM_ROTATE,SYM_MIRROR\n"
       "U1,LM358,SOIC8,10.0,20.0,0.000,YES\n",
       "",
       "",
       false,
       {"U1|LM358|B|10|20|0|SOIC8"},
       "1 componente importato"},
      {"Allegro place_txt: no header, columns by number, UUNITS",
       "UUNITS = MILS\nC1   1000   2000   0   SML2015\nR1 -50 0 90 R0603\n",
       "ref=1,x=2,y=3,angle=4,footprint=5",
       "mm",
       false,
       {"C1|???||25.3999996185303|50.7999992370605|0|SML2015",
        "R1|???||-1.26999998092651|0|90|R0603"},
       "2 componenti importati"},
      {"A spreadsheet with renamed columns, named by --columns in inches",
       "Part;Where X;Where Y;Turn\nU9;1;2;45\n",
       "ref=Part,x=Where X,y=Where Y,angle=Turn",
       "in",
       false,
       {"U9|???||25.3999996185303|50.7999992370605|45|"},
       "1 componente importato"},
      {"No header: the window asks",
       "\na;b;c\n1;2;3\n",
       "",
       "",
       false,
       {},
       "BOARD.csv: nessuna intestazione con riferimento, X e Y nelle prime 60 righe (prima riga: "
       "'a;b;c')"},
      {"A KiCad -top.pos with a header and no component",
       "## Unit = mm, Angle = deg.\n# Ref     Val       Package        PosX       PosY       Rot  "
       "Side\n"
       "## End\n",
       "",
       "",
       false,
       {},
       "BOARD.csv: nessun componente"},
      {"A number that does not convert stops at its line, the rows before staying",
       "Ref;PosX;PosY\nR1;1;2\nR2;1.234,5;5\n",
       "",
       "",
       false,
       {"R1|???||1|2|0|"},
       "BOARD.csv, riga 3: '1.234,5' non \xC3\xA8 un valore numerico valido"},
      {"A DNP column: yes, 1, true, x, DNP and DNF leave a row out unread, any other text keeps it",
       "Ref,PosX,PosY,DNP\nR1,abc,1,yes\nR2,2,2,\nR3,3,3,X\nR4,4,4,no\nR5,5,5,Dnf\n"
       "R6,6,6,TRUE\nR7,7,7,1\nR8,8,8,dnp\nR9,9,9,maybe\n",
       "",
       "",
       false,
       {"R2|???||2|2|0|", "R4|???||4|4|0|", "R9|???||9|9|0|"},
       "3 componenti importati, 6 da non montare lasciati fuori"},
      {"A Fitted column: no, 0 and false leave a row out",
       "Designator;Mid X;Mid Y;Fitted\nU1;1;1;Yes\nU2;2;2;No\nU3;3;3;0\n",
       "",
       "",
       false,
       {"U1|???||1|1|0|"},
       "1 componente importato, 2 da non montare lasciati fuori"},
      {"The same kept whole with --keep-dnp",
       "Designator;Mid X;Mid Y;Fitted\nU1;1;1;Yes\nU2;2;2;No\nU3;3;3;0\n",
       "",
       "",
       false,
       {"U1|???||1|1|0|", "U2|???||2|2|0|", "U3|???||3|3|0|"},
       "3 componenti importati",
       true},
      {"A line without a reference and a row not to place, each said once",
       "Ref,PosX,PosY,Populate\n,1,1,yes\nR2,2,2,false\nR3,3,3,\n",
       "",
       "",
       false,
       {"R3|???||3|3|0|"},
       "1 componente importato, 1 riga senza riferimento saltata, 1 da non montare lasciato fuori"},
      {"A panel's CSV as \"Salva posizioni\" writes it: the board comes back into column 9",
       "Ref,Val,Package,PosX,PosY,Rot,Side,Board\r\n"
       "\"D1\",\"1N4148\",\"SOD80\",10,5,90,\"top\",1\r\n"
       "\"D1\",\"1N4148\",\"SOD80\",70,5,90,\"top\",2\r\n",
       "",
       "",
       false,
       {"D1|1N4148|T|10|5|90|SOD80|1", "D1|1N4148|T|70|5|90|SOD80|2"},
       "2 componenti importati"},
  };
  return all;
}

std::string rowOf(const Grid& table, int r) {
  std::string text(table.cell(col::Reference, r));
  for (int c : {col::Value, 4, col::X, col::Y, col::Angle, col::Footprint})
    text += "|" + std::string(table.cell(c, r));
  if (!table.cell(col::Board, r).empty()) text += "|" + std::string(table.cell(col::Board, r));
  return text;
}

TEST(PlacementFile, EachShapeImportsAsTheToolMeantIt) {
  for (const Shape& shape : shapes()) {
    SCOPED_TRACE(shape.name);
    Workspace workspace;
    Controls controls;
    controls.placementColumns = shape.columns;
    controls.placementUnits = shape.units;
    controls.RB_mils = shape.mils;
    controls.keepDnp = shape.keepDnp;
    controls.CB_Format = true;  // no effect on these files
    RecordingProgress progress;
    std::string message;
    try {
      Outcome outcome =
          placements::importPlacementBytes(shape.bytes, "BOARD.csv", workspace, controls, progress);
      ASSERT_FALSE(outcome.messages.empty());
      message = outcome.messages.back().text.italian();
      EXPECT_EQ(outcome.askColumns, shape.rows.empty());
    } catch (const Error& error) {
      message = error.what();
    }
    EXPECT_EQ(message, shape.message);
    std::vector<std::string> rows;
    for (int r = kFirstDataRow; r < workspace.StringGrid1.RowCount(); ++r)
      if (!workspace.StringGrid1.cell(col::Number, r).empty()) {
        EXPECT_EQ(workspace.StringGrid1.cell(col::Number, r), std::to_string(r));
        rows.push_back(rowOf(workspace.StringGrid1, r));
      }
    EXPECT_EQ(rows, shape.rows);
    // The growth rule's nine empty rows below the last written, and no more.
    EXPECT_EQ(workspace.StringGrid1.RowCount(), static_cast<int>(rows.size()) + 10);
    // The dialog's preview shows the rows the import writes.
    auto preview = placements::previewRows(shape.bytes, controls, 100);
    ASSERT_LE(preview.size(), rows.size());
    for (std::size_t i = 0; i < preview.size(); ++i) {
      // Columns 1 to 8: the board of a panel's row is not shown there.
      const std::string shown = preview[i][1] + "|" + preview[i][2] + "|" + preview[i][3] + "|" +
                                preview[i][4] + "|" + preview[i][5] + "|" + preview[i][6] + "|" +
                                preview[i][7];
      EXPECT_EQ(rows[i].substr(0, rows[i].find('|', shown.size())), shown);
    }
  }
}

TEST(PlacementFile, TheShapeNamesWhatItFoundAndWhatWasGiven) {
  placements::FileShape shape = placements::readShape(
      "Altium\r\nUnits used: "
      "mil\r\n\r\n\"Designator\",\"Comment\",\"Center-X(mm)\",\"Center-Y(mm)\""
      ",\"Rotation\"\r\n\"U1\",\"x\",\"1\",\"2\",\"0\"\r\n",
      "", "");
  EXPECT_EQ(shape.headerLine, 2);
  EXPECT_EQ(shape.lines.size(), 4U);
  EXPECT_EQ(shape.lines[3], (std::vector<std::string>{"U1", "x", "1", "2", "0"}));
  EXPECT_EQ(shape.columns,
            "ref=Designator,x=Center-X(mm),y=Center-Y(mm),angle=Rotation,value=Comment");
  EXPECT_EQ(shape.unit, "mil");
  EXPECT_TRUE(shape.complete);
  shape = placements::readShape("a;b;c\n1;2;3\n", "ref=1,x=3", "in");
  EXPECT_EQ(shape.headerLine, -1);
  EXPECT_EQ(shape.columns, "ref=1,x=3");
  EXPECT_EQ(shape.unit, "in");
  EXPECT_FALSE(shape.complete);
}

// The import of a file with the file split as `split` says.
struct Landed {
  std::string message;  // the last message, or the failure's text
  Workspace workspace;
  std::size_t parts = 0;
};

Landed importSplit(const std::string& bytes, placements::Split split) {
  Landed landed;
  Controls controls;
  RecordingProgress progress;
  try {
    landed.message = placements::importPlacementBytes(bytes, "BOARD.csv", landed.workspace,
                                                      controls, progress, split, landed.parts)
                         .messages.back()
                         .text.italian();
  } catch (const Error& error) {
    landed.message = error.what();
  }
  return landed;
}

void expectSameTable(const Grid& got, const Grid& expected) {
  ASSERT_EQ(got.RowCount(), expected.RowCount());
  ASSERT_EQ(got.ColCount(), expected.ColCount());
  for (int r = 0; r < expected.RowCount(); ++r)
    for (int c = 0; c < expected.ColCount(); ++c)
      ASSERT_EQ(got.cell(c, r), expected.cell(c, r)) << "row " << r << " column " << c;
}

// A file of data lines under a CSV header ("R1","value 1",1.25,-1,1 and on)
// and what reading it says.
struct PartsCase {
  std::string_view name;
  int lines;
  char end;
  std::vector<int> bad;      // data lines holding a number that does not convert
  int withoutReference = 0;  // every so many data lines have no reference
  std::string message;
  std::size_t parts;                  // forced: one a data line, at most eight
  std::pair<int, int> unnamed{0, 0};  // and so have these, first to last
};

const std::vector<PartsCase>& partsCases() {
  auto failing = [](int line, int i) {
    return "BOARD.csv, riga " + std::to_string(line) + ": 'x" + std::to_string(i) +
           "' non \xC3\xA8 un valore numerico valido";
  };
  static const std::vector<PartsCase> all = {
      {"LF", 4000, '\n', {}, 0, "4000 componenti importati", 8},
      {"CR", 4000, '\r', {}, 0, "4000 componenti importati", 8},
      {"rows without a reference all through",
       4000,
       '\n',
       {},
       7,
       "3429 componenti importati, 571 righe senza riferimento saltate",
       8},
      {"a failing line past the middle", 4000, '\n', {3001}, 7, failing(3002, 3001), 8},
      {"failing lines before and past the middle: the first",
       4000,
       '\n',
       {1001, 3001},
       0,
       failing(1002, 1001),
       8},
      {"a failing line after a thousand without a reference",
       4000,
       '\n',
       {3001},
       0,
       failing(3002, 3001),
       8,
       {1001, 3000}},
      {"more rows than the table numbers: whole even when forced",
       65536,
       '\n',
       {},
       0,
       "Riga 65537: il file ha pi\xC3\xB9 di 65535 componenti, quanti la tabella ne pu\xC3\xB2 "
       "numerare; importazione interrotta",
       1},
      {"one line", 1, '\n', {}, 0, "1 componente importato", 1},
      {"two lines", 2, '\n', {}, 0, "2 componenti importati", 2},
      {"nine lines, CR", 9, '\r', {}, 0, "9 componenti importati", 8},
      {"every other line without a reference",
       16,
       '\n',
       {},
       2,
       "8 componenti importati, 8 righe senza riferimento saltate",
       8},
      {"a failing line in the last part", 20, '\n', {19}, 3, failing(20, 19), 8},
      {"failing lines in the second and the fourth part: the first",
       12,
       '\n',
       {2, 5},
       0,
       failing(3, 2),
       8},
      {"a failing line after parts without a reference",
       12,
       '\n',
       {10},
       0,
       failing(11, 10),
       8,
       {2, 9}},
  };
  return all;
}

std::string bytesOf(const PartsCase& c) {
  std::string bytes = "Ref,Val,PosX,PosY,Rot";
  for (int i = 1; i <= c.lines; ++i) {
    const std::string n = std::to_string(i);
    const bool bad = std::find(c.bad.begin(), c.bad.end(), i) != c.bad.end();
    const bool named = (c.withoutReference == 0 || i % c.withoutReference != 0) &&
                       (i < c.unnamed.first || i > c.unnamed.second);
    bytes += c.end + (named ? "\"R" + n + "\"" : "") + ",\"value " + n + "\"," +
             (bad ? "x" + n : n + ".25") + ",-" + n + "," + std::to_string(i % 720);
  }
  return bytes;
}

// A file read in parts, two at a time, lands as read line by line: the table
// and the message are the same wherever a row is skipped or fails, whether
// the parts are the large file's own or forced on a small one.
TEST(PlacementFile, ALargeFileLandsAsReadLineByLine) {
  for (const PartsCase& c : partsCases()) {
    SCOPED_TRACE(c.name);
    const std::string bytes = bytesOf(c);
    const Landed whole = importSplit(bytes, placements::Split::never);
    EXPECT_EQ(whole.message, c.message);
    const Controls controls;
    const auto expected = placements::previewRows(bytes, controls, 100000);
    const Grid& table = whole.workspace.StringGrid1;
    ASSERT_EQ(table.RowCount(), static_cast<int>(expected.size()) + 10);
    for (std::size_t k = 1; k <= expected.size(); ++k)
      for (std::size_t column = 0; column < 8; ++column)
        ASSERT_EQ(table.cell(static_cast<int>(column) + 1, static_cast<int>(k)),
                  expected[k - 1][column])
            << "row " << k << " column " << column + 1;
    const Landed bySize = importSplit(bytes, placements::Split::bySize);
    EXPECT_EQ(bySize.message, c.message);
    expectSameTable(bySize.workspace.StringGrid1, table);
    const Landed forced = importSplit(bytes, placements::Split::always);
    EXPECT_EQ(forced.message, c.message);
    expectSameTable(forced.workspace.StringGrid1, table);
    EXPECT_EQ(forced.parts, c.parts);
  }
}

// The sample board in each tool's form lands as its MNT file does.
TEST(PlacementFile, SamplesImportAsTheBoardsMntFile) {
  const std::filesystem::path samples(BRISEL_SAMPLES);
  ImportFixture mnt;
  mnt.controls.Edit5 = samples / "BOARD.MNT";
  importMnt(mnt.workspace, mnt.controls, mnt.progress);
  const Grid& expected = mnt.table();
  ASSERT_EQ(expected.RowCount(), 50);
  for (const char* name : {"BOARD.pos", "BOARD-kicad.csv", "BOARD-altium.csv", "BOARD-easyeda.csv",
                           "BOARD-diptrace.csv"}) {
    SCOPED_TRACE(name);
    ImportFixture placed;
    placed.controls.Edit10 = samples / name;
    Outcome outcome = importPlacements(placed.workspace, placed.controls, placed.progress);
    ASSERT_EQ(outcome.messages.size(), 1U);
    EXPECT_EQ(outcome.messages[0].text, "40 componenti importati");
    ASSERT_EQ(placed.table().RowCount(), expected.RowCount());
    for (int r = kFirstDataRow; r < expected.RowCount(); ++r)
      for (int c :
           {col::Number, col::Reference, col::Value, col::X, col::Y, col::Angle, col::Footprint})
        EXPECT_EQ(placed.cell(c, r), expected.cell(c, r)) << "row " << r << " column " << c;
  }
}

}  // namespace
}  // namespace brisel::testing
