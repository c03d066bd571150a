// "Applica regole" against golden cases: one part through the package rules
// and the board steps, each case ending in its row and the bytes the QPF
// writer puts in its record (docs/board-sides.md shows the same table); then
// the rules file's messages, its patterns, and the report with its life.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/buttons.h"
#include "app/history.h"
#include "output/qpf_format.h"
#include "table/in_memory.h"
#include "table/rules_file.h"
#include "tests/output_fixture.h"
#include "tests/table_kit.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

using output::kQpfHeaderBytes;
using output::kQpfLengthBytes;
using testing::dataRows;
using testing::tableOf;

struct Board {
  testing::TempDir dir;
  Workspace workspace;
  Controls controls;
  Progress progress;

  explicit Board(std::string_view rules = "Modello;Rotazione\n") {
    controls.Edit1 = dir.write("TEMPLATE.QPF", std::string(kQpfHeaderBytes, 'H'));
    controls.Edit4 = dir / "OUT.QPF";
    controls.ED_Regole = dir.write("R.csv", rules);
  }

  // Runs brisel-cli's words ("flip=x", "apply-rules") as both front ends do.
  Outcome run(std::string_view word) {
    std::size_t equals = word.find('=');
    for (const Button& button : kButtons) {
      if (button.word != word.substr(0, equals)) continue;
      if (button.parameter) button.parameter(word.substr(equals + 1), controls);
      return runButton(button, button.operation, workspace, controls, progress);
    }
    ADD_FAILURE() << "no word " << word;
    return {};
  }
  std::string place() {
    run("write-qpf");
    const std::string file = testing::readFile(controls.Edit4);
    return file.substr(kQpfHeaderBytes + kQpfLengthBytes + 26, 10);
  }
};

TEST(PackageRules, GoldenCases) {
  struct Case {
    const char* side;
    const char* angle;
    const char* footprint;
    const char* rules;  // the lines after "Modello;Rotazione;DX;DY"
    const char* steps;
    const char* cells;  // side|X|Y|angle after the steps
    const char* place;  // QPF record bytes 26 to 35: X, Y, angle
  };
  const char* const kSot = "SOT-23*;180;0;0\nSOT*;90;0;0";
  const Case cases[] = {
      // The offset turns with the part: in the board's frame it would be (11, 20).
      {"T", "90", "SOD123", "SOD*;90;1;0", "apply-rules", "T|10|21|180", "00002041 0000A841 B400"},
      // Exactly 1, not 1 plus the cosine of 90 degrees.
      {"", "90", "R0603", "R0603;0;1;0", "offset=-10,-20 apply-rules", "|0|1|90",
       "00000000 0000803F 5A00"},
      // The rule after the flip, as the machine sees the part; before it, another place.
      {"B", "30", "SOT223", "SOT223;90;0;1", "flip=x apply-rules", "T|-10.5|19.1339740753174|240",
       "000028C1 61129941 F000"},
      {"B", "30", "SOT223", "SOT223;90;0;1", "apply-rules flip=x", "T|-9.5|20.8660259246826|60",
       "000018C1 9FEDA641 3C00"},
      {"T", "65446", "SOD123", "SOD*;90;1;0", "apply-rules", "T|10|19|0", "00002041 00009841 0000"},
      {"T", "180", "C0805", "C0805;0;0.5;-0.25", "apply-rules", "T|9.5|20.25|180",
       "00001841 0000A241 B400"},
      // The first rule in file order.
      {"T", "0", "SOT-23-5", kSot, "apply-rules", "T|10|20|180", "00002041 0000A041 B400"},
      {"T", "0", "SOT-89", kSot, "apply-rules", "T|10|20|90", "00002041 0000A041 5A00"},
      {"T", "0", "QFN-16", kSot, "apply-rules", "T|10|20|0", "00002041 0000A041 0000"},
      // Whether a pattern begins with a wildcard or a character, file order rules.
      {"T", "0", "SOT-89", "*89;45;0;0\nSOT*;90;0;0", "apply-rules", "T|10|20|45",
       "00002041 0000A041 2D00"},
      {"T", "0", "SOT-89", "SOT*;90;0;0\n*89;45;0;0", "apply-rules", "T|10|20|90",
       "00002041 0000A041 5A00"},
      // A whole turn: the angle written from 0 to 359, as the board steps write it.
      {"T", "65446", "SOT-89", "SOT*;360;0;0", "apply-rules", "T|10|20|270",
       "00002041 0000A041 0E01"},
      // The bottom side's whole road.
      {"B", "270", "SOD123", "SOD*;90;1;0", "keep-side=B flip=x apply-rules origin-corner",
       "T|0|0|0", "00000000 00000000 0000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.footprint) + " " + c.side + " " + c.angle + ": " + c.steps);
    Board board("Modello;Rotazione;DX;DY\n" + std::string(c.rules) + "\n");
    board.workspace.StringGrid1 = tableOf(
        3, {"|1|U1|X|" + std::string(c.side) + "|10|20|" + c.angle + "|" + c.footprint + "|"});
    std::istringstream steps(c.steps);
    for (std::string word; steps >> word;) board.run(word);
    EXPECT_EQ(testing::rowText(board.workspace.StringGrid1, 1),
              "|1|U1|X|" + std::string(c.cells) + "|" + c.footprint + "|");
    EXPECT_EQ(board.place(), testing::hex(c.place));
  }
}

std::string failureOf(std::string_view file) {
  Board board(file);
  board.workspace.StringGrid1 = tableOf(3, {"|1|U1|X||10|20|0|SOT23|"});
  const std::vector<std::string> before = dataRows(board.workspace.StringGrid1);
  try {
    board.run("apply-rules");
  } catch (const Error& error) {
    EXPECT_EQ(dataRows(board.workspace.StringGrid1), before);
    EXPECT_FALSE(board.workspace.rulesReport.ran);
    return error.what();
  }
  return "no failure";
}

TEST(PackageRules, LinesThatDoNotReadStopTheStep) {
  const std::pair<std::string, std::string> cases[] = {
      {"Modello;DX\nSOT*;1\n", "R.csv, riga 1: manca la colonna Rotazione (Rotation)"},
      {"# c\nRotation\n90\n", "R.csv, riga 2: manca la colonna Modello (Pattern)"},
      // The separator is the first of ',' and ';' in the header.
      {"Pattern,Rotation;Note\nSOT*,90;x\n",
       "R.csv, riga 1: manca la colonna Rotazione (Rotation)"},
      {"Modello;Rotazione;PATTERN\n", "R.csv, riga 1: la colonna PATTERN \xC3\xA8 ripetuta"},
      {"# only\n\n", "R.csv: manca la riga dei titoli"},
      {"Modello;Rotazione\nSOT*;12.5\n", "R.csv, riga 2: rotazione '12.5': servono gradi interi"},
      {"Modello;Rotazione\n\n#\nSOT*;\n", "R.csv, riga 4: rotazione '': servono gradi interi"},
      {"Modello;Rotazione\nSOT*;2147483648\n",
       "R.csv, riga 2: rotazione '2147483648': servono gradi interi"},
      {"Modello;Rotazione;DX\nSOT*;90;0,5\n",
       "R.csv, riga 2: DX '0,5': servono millimetri, con il punto come separatore"},
      {"pattern,rotation,x,y\nSOT*,90,0,1mm\n",
       "R.csv, riga 2: DY '1mm': servono millimetri, con il punto come separatore"},
      {"Modello;Rotazione;Campo\nSOT*;90;package\n",
       "R.csv, riga 2: campo 'package' sconosciuto: footprint, valore o riferimento"},
      {"Modello;Rotazione\n\"SOT*;90\n", "R.csv, riga 2: virgolette non chiuse"},
      {"Modello;Rotazione\n\"SOT\"*;90\n", "R.csv, riga 2: testo dopo le virgolette di chiusura"},
      {"Modello;Rotazione\n  ;90\n", "R.csv, riga 2: modello vuoto"},
      {"Modello;Rotazione\nSOT[23;90\n", "R.csv, riga 2: modello 'SOT[23': '[' senza ']'"},
      {"Modello;Rotazione\n" + std::string(5000, 'A') + ";1\n",
       "R.csv, riga 2: riga pi\xC3\xB9 lunga di 4095 caratteri"},
      // A row's cell, once its rule matched it.
      {"Modello;Rotazione\nSOT23;1\n", "no failure"},
  };
  for (const auto& [file, message] : cases) EXPECT_EQ(failureOf(file), message) << file;

  Board cell("Modello;Rotazione\nSOT*;90\n");
  cell.workspace.StringGrid1 = tableOf(4, {"|1|U1|X||zz|20|0|SOT23|", "|2|U2|X||zz|20|0|QFN|"});
  cell.workspace.StringGrid1.setCell(col::Footprint, 1, "QFN");
  EXPECT_NO_THROW(cell.run("apply-rules"));  // a row no rule matches is not read
  cell.workspace.StringGrid1.setCell(col::Footprint, 2, "SOT23");
  try {
    cell.run("apply-rules");
    ADD_FAILURE() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Riga 2, colonna X: 'zz'", 0), 0u) << error.what();
  }
}

TEST(PackageRules, CellsReadAsASpreadsheetWritesThem) {
  struct Case {
    std::string file;
    std::string rules;  // line|pattern|field|rotation|dx|dy, each followed by ';'
  };
  const Case cases[] = {
      {"\xEF\xBB\xBFModello;Rotazione;DX;DY;Campo;Nota\r\n\"a;\"\"b\"\"\";-90;1e1;-.5;Valore;x\r\n"
       ";;;;;\r\n\"SOT 23\" ;0;;;riferimento\r\n",
       "2|a;\"b\"|1|-90|10|-0.5;4|SOT 23|2|0|0|0;"},
      {"Field,Y,Pattern,Rotation\n# c\nfootprint,2,  R*  ,+90\n,,C*,0,extra\n",
       "3|R*|0|90|0|2;4|C*|0|0|0|0;"},
      // Valid UTF-8 is read as the table's Latin-1.
      {"Modello;Rotazione\n\xC2\xB5"
       "F*;90\n",
       "2|\xB5"
       "F*|0|90|0|0;"},
  };
  for (const Case& c : cases) {
    LineReader reader = LineReader::ofBytes(c.file, "R.csv", kRulesLine);
    std::string read;
    for (const PackageRule& rule : readPackageRules(reader, "R.csv")) {
      std::ostringstream line;
      line << rule.line << '|' << rule.pattern << '|' << static_cast<int>(rule.field) << '|'
           << rule.rotation << '|' << rule.dx << '|' << rule.dy << ';';
      read += line.str();
    }
    EXPECT_EQ(read, c.rules) << c.file;
  }
}

TEST(PackageRules, PatternsMatchTheWholeCell) {
  struct Case {
    const char* pattern;
    std::string text;
    bool matches;
  };
  const Case cases[] = {
      {"SOT*", "SOT-23", true},
      {"SOT*", "sot-23", false},
      {"SOT", "SOT-23", false},
      {"*23", "SOT-23", true},
      {"S?T*", "SOT", true},
      {"?", "", false},
      {"*", "", true},
      {"", "", true},
      {"", "a", false},
      {"[0-9]*", "0603", true},
      {"[!0-9]*", "R0603", true},
      {"[!0-9]*", "0603", false},
      {"[]]x", "]x", true},
      {"[!]]", "]", false},
      {"[a-]", "-", true},
      {"[z-a]", "m", false},
      {"[ab", "[ab", true},
      {"a*b*c", "aXbYc", true},
      {"a*b*c", "aXbYcZ", false},
      {"*[*]*", "a*b", true},
      {"R[0-9]*", "R", false},
      {"C*[0-9][0-9]", "C0603", true},
      // Many stars against a long cell: the last star alone backtracks.
      {"*a*a*a*a*a*a*a*a*a*a*b", std::string(100000, 'a'), false},
      {"*a*a*a*a*a*a*a*a*a*a*b", std::string(100000, 'a') + "b", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(globMatches(c.pattern, c.text), c.matches) << c.pattern << " " << c.text.size();
}

// The report lists each rule with the rows it matched, the rules no row used
// and the parts no rule matched; it follows undo and redo, and goes with a
// new board or when the next run starts.
TEST(PackageRules, TheReportAndItsLife) {
  Board board(
      "Pattern;Rotation;Field\nSOT*;90\nBC8*;180;value\nNONE;0\nU9;0;reference\nSOT*;270\n");
  board.workspace.StringGrid1 = tableOf(
      8, {"|1|Q1|BC847||1|1|0|SOT23|", "|2|Q2|BC857||1|1|0|SOT23|", "|3|U1|LM358||1|1|0|SO8|",
          "|4|U9|LM358||1|1|0|SO8|", "||note|BC847||||SOT23|", "|6|R1|10K||1|1|0||"});
  History history(board.workspace);
  board.run("apply-rules");
  EXPECT_TRUE(history.record(board.workspace));
  const RulesReport report = board.workspace.rulesReport;
  EXPECT_TRUE(report.ran);
  EXPECT_EQ(report.rules, "R.csv");
  EXPECT_EQ(report.corrected, 3);
  EXPECT_EQ(report.used, (std::vector<RuleCount>{{2, "SOT*", 2}, {5, "U9", 1}}));
  EXPECT_EQ(report.unused,
            (std::vector<RuleCount>{{3, "BC8*", 0}, {4, "NONE", 0}, {6, "SOT*", 0}}));
  EXPECT_EQ(report.unmatched,
            (std::vector<RuleMiss>{{3, "U1", "SO8 / LM358 / U1"}, {6, "R1", " / 10K / R1"}}));

  ASSERT_TRUE(history.undo(board.workspace));
  EXPECT_FALSE(board.workspace.rulesReport.ran);
  ASSERT_TRUE(history.redo(board.workspace));
  EXPECT_EQ(board.workspace.rulesReport, report);
  board.run("flip=x");  // a later step leaves it
  EXPECT_EQ(board.workspace.rulesReport, report);
  testing::writeFile(board.controls.ED_Regole, "Pattern\n");
  EXPECT_THROW(board.run("apply-rules"), Error);  // the next run drops it first
  EXPECT_FALSE(board.workspace.rulesReport.ran);
  board.workspace.rulesReport = report;
  board.controls.Edit2 = board.dir.write("B.REP", "h\nh\nR1 10K 1 2 0\n");
  board.run("import-rep");
  EXPECT_FALSE(board.workspace.rulesReport.ran);

  // A file that cannot be opened is named, as the other readers name theirs.
  Board missing;
  missing.controls.ED_Regole = missing.dir / "none.csv";
  const Outcome outcome = missing.run("apply-rules");
  EXPECT_EQ(outcome.unopened, missing.controls.ED_Regole);
  EXPECT_EQ(outcome.messages, std::vector<Message>{kOpenErrorMessage});
}

// A run whose rules leave every record as it was is no undo step, and the
// rows it matched are not rewritten.
TEST(PackageRules, ARunThatChangesNoRecordIsNoStep) {
  Board board("Modello;Rotazione;DX\nSOT*;360;0\nR*;0;0.0\n");
  board.workspace.StringGrid1 = tableOf(4, {"|1|Q1|X||1.50|1|90|SOT23|", "|2|R1|X||1|1|0|R0603|"});
  const std::vector<std::string> before = dataRows(board.workspace.StringGrid1);
  History history(board.workspace);
  board.run("apply-rules");
  EXPECT_FALSE(history.record(board.workspace));
  EXPECT_EQ(dataRows(board.workspace.StringGrid1), before);
  EXPECT_EQ(board.workspace.rulesReport.corrected, 2);
}

// The history counts what a report takes, once however many states share it:
// a report of every row of a full table is megabytes.
TEST(PackageRules, TheHistoryCountsTheReport) {
  Workspace workspace;
  History history(workspace);
  const std::size_t before = history.memoryUsed();
  workspace.rulesReport.unmatched.assign(1000, RuleMiss{1, "R1", "R0603"});
  workspace.StringGrid1.setCell(col::Number, 1, "1");
  ASSERT_TRUE(history.record(workspace));
  const std::size_t withReport = history.memoryUsed();
  EXPECT_GE(withReport - before, 1000 * sizeof(RuleMiss));
  workspace.StringGrid1.setCell(col::Number, 2, "2");
  ASSERT_TRUE(history.record(workspace));
  EXPECT_LT(history.memoryUsed() - withReport, 1000 * sizeof(RuleMiss));
}

// The in-memory twin reads the bytes as the file of ED_Regole would be read.
TEST(PackageRules, TheTwinInMemoryReadsAsTheFile) {
  const std::string file = "Modello;Rotazione;DX\nSOT*;90;0.5\nR*;180\n";
  const Grid table = tableOf(4, {"|1|Q1|X||1|1|0|SOT23|", "|2|R1|X||1|1|0|R0603|"});
  Board fromFile(file), fromBytes;
  fromFile.workspace.StringGrid1 = table;
  fromBytes.workspace.StringGrid1 = table;
  fromFile.run("apply-rules");
  applyPackageRulesBytes(file, fromBytes.workspace, fromFile.controls, fromBytes.progress);
  EXPECT_EQ(dataRows(fromBytes.workspace.StringGrid1), dataRows(fromFile.workspace.StringGrid1));
  EXPECT_EQ(fromBytes.workspace.rulesReport, fromFile.workspace.rulesReport);
  EXPECT_NE(dataRows(fromFile.workspace.StringGrid1), dataRows(table));
}

}  // namespace
}  // namespace brisel
