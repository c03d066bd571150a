// The writers and viewers from the command line, as the operator's road takes
// them: a table typed in, written, read back and printed.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "tests/cli_kit.h"
#include "tests/output_fixture.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

namespace brisel {
namespace {

using testing::readFile;

using Result = testing::CliResult;
using testing::run;

const fs::path kTemplate = fs::path(BRISEL_SAMPLES) / "TEMPLATE.QPF";

// Two components typed into the table.
const std::vector<std::string> kBoard = {
    "set=1,1,1",    "set=2,1,R1",    "set=3,1,10K", "set=5,1,12.5", "set=6,1,3.25",
    "set=7,1,90",   "set=8,1,0805",  "set=1,2,2",   "set=2,2,C1",   "set=3,2,100nF",
    "set=5,2,-7.5", "set=6,2,20.25", "set=7,2,-90", "set=8,2,C0603"};

std::vector<std::string> words(std::vector<std::string> settings,
                               const std::vector<std::string>& operations) {
  settings.insert(settings.end(), kBoard.begin(), kBoard.end());
  settings.insert(settings.end(), operations.begin(), operations.end());
  return settings;
}

std::string lineOf(const std::string& text, int index) {
  std::istringstream lines(text);
  std::string line;
  for (int i = 0; i <= index; ++i) std::getline(lines, line);
  return line;
}

TEST(CliOutput, TheSampleTemplateIsAHeaderAndRecords) {
  std::string sample = readFile(kTemplate);
  ASSERT_GE(sample.size(), 131u);
  EXPECT_EQ((sample.size() - 131) % 104, 0u);
  std::uint32_t length = 0;
  for (int i = 3; i >= 0; --i) length = length << 8 | static_cast<unsigned char>(sample[127 + i]);
  EXPECT_EQ(length, sample.size());
}

TEST(CliOutput, WritesAndViewsAQpfFile) {
  testing::TempDir dir;
  fs::path qpf = dir / "BOARD.QPF";
  Result r = run(words({"--qpf-template", kTemplate.string(), "--qpf", qpf.string()},
                       {"write-qpf", "set=2,1,typed", "view-qpf", "print", "print=bytes",
                        "print=memo", "print=buttons"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err,
            "Messaggio: Operazione eseguita correttamente\n"
            "Messaggio: Operazione eseguita correttamente\n");
  std::string bytes = readFile(qpf);
  EXPECT_EQ(bytes.size(), 131u + 2 * 104);
  EXPECT_EQ(bytes.substr(0, 127), readFile(kTemplate).substr(0, 127));
  EXPECT_EQ(lineOf(r.out, 0), "rows 12 cols 10");
  EXPECT_EQ(lineOf(r.out, 2), "1\t\t1\tR1      \t10K          \t\t12.5\t3.25\t90\t0805\t");
  EXPECT_EQ(lineOf(r.out, 3), "2\t\t2\tC1      \t100nF        \t\t-7.5\t20.25\t65446\tC0603\t");
  EXPECT_EQ(lineOf(r.out, 13), "rows 13 cols 110");
  // Row 1 starts with the last byte of the length field, row 2 with the last
  // byte of record 1.
  EXPECT_EQ(lineOf(r.out, 15).substr(0, 11), "1\t\t0\t1\t0\t82");
  EXPECT_EQ(lineOf(r.out, 16).substr(0, 7), "2\t\t0\t2\t");
  EXPECT_EQ(lineOf(r.out, 27), "lines 234");
  EXPECT_EQ(lineOf(r.out, 28 + 131), "131\\t1\\t.");
  EXPECT_EQ(lineOf(r.out, 28 + 133), "133\\t82\\tR");
  EXPECT_NE(r.out.find("Button17 enabled\nBU_FootPrint enabled\n"), std::string::npos);
}

TEST(CliOutput, WritesAndViewsAZirkanFile) {
  testing::TempDir dir;
  fs::path zirkan = dir / "BOARD.ZRK";
  Result r = run(words({"--zirkan", zirkan.string()}, {"write-zirkan", "view-zirkan", "print"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readFile(zirkan),
            "R1 0805 10K 12.50 3.25 90 \r\n\rC1 C0603 100nF -7.50 20.25 65446 \r\n\r");
  EXPECT_EQ(lineOf(r.out, 2), "1\t\t1\tR1\t10K\t\t12.50\t3.25\t90 \\n\t0805\t");
  EXPECT_EQ(lineOf(r.out, 3), "2\t\t2\tC1\t100nF\t\t-7.50\t20.25\t65446 \\n\tC0603\t");
}

// write-placements=PATH names its file in the word; '-' is standard output.
TEST(CliOutput, WritesThePlacementCsv) {
  Result r = run(words({"--quiet"}, {"write-placements=-"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Ref,Val,Package,PosX,PosY,Rot,Side\r\n"
            "\"R1\",\"10K\",\"0805\",12.5,3.25,90,\r\n"
            "\"C1\",\"100nF\",\"C0603\",-7.5,20.25,-90,\r\n");
}

// A panel from the command line: the CSV gives each row its board. A word of
// the wrong shape stops before anything runs; counts out of range stop the
// step, which says why.
TEST(CliOutput, APanelWritesItsBoards) {
  Result r = run(words({}, {"panel=2x2,100,50", "skip-boards=3", "write-placements=-"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err,
            "Pannello di 4 schede: 8 componenti\nSalta schede: 2 righe tolte\n"
            "Messaggio: Operazione eseguita correttamente\n");
  EXPECT_EQ(r.out,
            "Ref,Val,Package,PosX,PosY,Rot,Side,Board\r\n"
            "\"R1\",\"10K\",\"0805\",12.5,3.25,90,,1\r\n"
            "\"C1\",\"100nF\",\"C0603\",-7.5,20.25,270,,1\r\n"
            "\"R1\",\"10K\",\"0805\",112.5,3.25,90,,2\r\n"
            "\"C1\",\"100nF\",\"C0603\",92.5,20.25,270,,2\r\n"
            "\"R1\",\"10K\",\"0805\",112.5,53.25,90,,4\r\n"
            "\"C1\",\"100nF\",\"C0603\",92.5,70.25,270,,4\r\n");

  Result shape = run(words({}, {"panel=2X2,1,1", "write-placements=-"}));
  EXPECT_EQ(shape.status, 2);
  EXPECT_EQ(shape.out, "");
  EXPECT_EQ(shape.err.substr(0, shape.err.find('\n')),
            "brisel-cli: panel wants CxR,PX,PY: whole numbers of columns and rows, the pitches "
            "in millimetres with a point as separator in 'panel=2X2,1,1'");
  Result range = run(words({}, {"panel=100x1,1,1", "write-placements=-"}));
  EXPECT_EQ(range.status, 1);
  EXPECT_EQ(range.out, "");
  EXPECT_EQ(range.err, "error: Colonne e righe del pannello da 1 a 99, non 100x1\n");
}

// The placement CSV imported back gives the table it was written from, with a
// comma for decimals in the table and a point in the file.
TEST(CliOutput, APlacementCsvImportsBackToTheSameTable) {
  testing::TempDir dir;
  const fs::path csv = dir / "board-brisel.csv";
  const std::string samples = BRISEL_SAMPLES;
  Result written = run({"--decimal-separator", ",", "--rep", samples + "/BOARD.REP", "--cmp",
                        samples + "/BOARD.CMP", "import-rep", "import-cmp", "set=4,2,B",
                        "set=4,3,T", "write-placements=" + csv.string(), "print"});
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_NE(readFile(csv).find(",\"bottom\"\r\n"), std::string::npos);
  Result read =
      run({"--decimal-separator", ",", "--placements", csv.string(), "import-placements", "print"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out, written.out);
}

TEST(CliOutput, FailuresKeepTheEarlierFilesAndAreNoSuccess) {
  testing::TempDir dir;
  fs::path qpf = dir.write("BOARD.QPF", "earlier qpf");
  fs::path zirkan = dir.write("BOARD.ZRK", "earlier zirkan");
  fs::path missing = dir / "NONE.QPF";

  Result noTemplate =
      run(words({"--qpf-template", missing.string(), "--qpf", qpf.string()}, {"write-qpf"}));
  EXPECT_EQ(noTemplate.status, 1);
  EXPECT_EQ(noTemplate.err, "Errore: Errore epertura file\nerror: cannot open " + missing.string() +
                                ": No such file or directory\n");

  Result badX = run(words({"--qpf-template", kTemplate.string(), "--qpf", qpf.string(), "--zirkan",
                           zirkan.string(), "--keep-going"},
                          {"set=5,2,abc", "write-qpf", "write-zirkan"}));
  EXPECT_EQ(badX.status, 1);
  EXPECT_EQ(badX.err,
            "error: Riga 2, colonna X: 'abc' non \xC3\xA8 un valore numerico valido\n"
            "error: Riga 2, colonna X: 'abc' non \xC3\xA8 un valore numerico valido\n");
  EXPECT_EQ(readFile(qpf), "earlier qpf");
  EXPECT_EQ(readFile(zirkan), "earlier zirkan");
  EXPECT_EQ(testing::entries(dir.path()), 2u);

  if (fs::exists("/dev/full")) {
    Result full = run(words({"--qpf-template", kTemplate.string(), "--qpf", "/dev/full"},
                            {"write-qpf", "print=buttons"}));
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "error: Errore di scrittura del file '/dev/full'\n");
    EXPECT_EQ(full.out, "") << "the run stops at the failure";
  }
}

TEST(CliOutput, TheProgramRunsTheRoadEndToEnd) {
  testing::TempDir dir;
  std::string command = std::string("\"") + BRISEL_CLI + "\" --qpf-template \"" +
                        kTemplate.string() + "\" --qpf \"" + (dir / "B.QPF").string() +
                        "\" --zirkan \"" + (dir / "B.ZRK").string() + "\"";
  for (const std::string& word : kBoard) command += " " + word;
  command += " write-qpf write-zirkan view-zirkan view-qpf print";
  EXPECT_EQ(testing::runCommand(command, dir / "out", dir / "err"), 0) << readFile(dir / "err");
  std::string out = readFile(dir / "out");
  EXPECT_EQ(lineOf(out, 2), "1\t\t1\tR1      \t10K          \t\t12.5\t3.25\t90\t0805\t");
  EXPECT_EQ(readFile(dir / "B.QPF").size(), 131u + 2 * 104);
  EXPECT_EQ(readFile(dir / "B.ZRK"),
            "R1 0805 10K 12.50 3.25 90 \r\n\rC1 C0603 100nF -7.50 20.25 65446 \r\n\r");
}

}  // namespace
}  // namespace brisel
