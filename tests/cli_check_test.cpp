// brisel-cli's checks before the machine on the sample board and on tables
// typed with set=: check, print=rak-report and verify-qpf, with their output
// as scripts read it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli_kit.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

namespace brisel {
namespace {

using testing::run;

std::vector<std::string> sample(std::vector<std::string> more) {
  more.insert(more.begin(), "--no-comma");
  return testing::sampleBoardSettings(more);
}

// The first two fields of each line but the last, then the last line.
std::string rowsAndCodes(const std::string& out) {
  std::string shown;
  std::size_t at = 0;
  while (at < out.size()) {
    std::size_t end = out.find('\n', at);
    std::string line = out.substr(at, end - at);
    std::size_t second = line.find('\t', line.find('\t') + 1);
    shown += (second == std::string::npos ? line : line.substr(0, second)) + ";";
    at = end + 1;
  }
  return shown;
}

TEST(CliCheck, TheSampleBoardHasOnlyItsFootprintWithABlank) {
  testing::CliResult r = run(sample({"import-mnt", "check"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "40\tblank-in-field\tSW1: colonna Footprint 'SW_TACT 6X6' contiene uno spazio: la "
            "riga ZIRKAN avrebbe pi\xC3\xB9 di sei campi\n1 findings\n");
  r = run(sample({"import-rep", "import-cmp", "check"}));
  EXPECT_EQ(r.out, "0 findings\n");
}

// The docs show the check of the sample whose values and references run past
// the record's widths, as brisel-cli prints it.
TEST(CliCheck, TheDocsShowTheLongSampleAsChecked) {
  const std::string placements = (fs::path(BRISEL_SAMPLES) / "LONG-kicad.csv").string();
  testing::CliResult r = run({"--placements", placements, "--quiet", "import-placements", "check"});
  EXPECT_EQ(r.status, 0);
  const std::string docs = testing::readFile(fs::path(BRISEL_DOCS) / "checks.md");
  const std::string command = "import-placements check\n```\n\n```text\n";
  const std::size_t start = docs.find(command);
  ASSERT_NE(start, std::string::npos);
  const std::size_t from = start + command.size();
  EXPECT_EQ(docs.substr(from, docs.find("```", from) - from), r.out);
}

TEST(CliCheck, OneFaultOfEachKindReportsExactlyThose) {
  std::vector<std::string> words = {"--decimal-separator", "."};
  // Row r: number, reference, value, X, Y, angle, footprint.
  const std::vector<std::vector<std::string>> rows = {
      {"1", "R1", "10K", "0", "0", "0", "R0603"},      {"2", "R1", "10K", "5", "0", "0", "R0603"},
      {"3", "R3", "???", "10", "0", "0", "R0603"},     {"4", "R4", "10K", "1,5", "0", "0", "R0603"},
      {"5", "", "10K", "20", "0", "0", "R0603"},       {"6", "R6", "10K", "30", "0", "0", "R0603"},
      {"7", "R7", "10K", "30.005", "0", "0", "R0603"}, {"8", "R8", "10 K", "40", "0", "0", "R0603"},
      {"9", "R9", "10K", "50", "0", "45", "R0603"},
  };
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (int c : {1, 2, 3, 5, 6, 7, 8})
      words.push_back("set=" + std::to_string(c) + "," + std::to_string(r + 1) + "," +
                      rows[r][static_cast<std::size_t>(c < 4 ? c - 1 : c - 2)]);
  words.push_back("check");
  testing::CliResult r = run(words);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(rowsAndCodes(r.out),
            "1\tduplicate-reference;2\tduplicate-reference;3\tno-value;4\tnot-a-number;"
            "5\tno-reference;6\tsame-place;7\tsame-place;8\tblank-in-field;9\todd-angle;"
            "9 findings;");
}

TEST(CliCheck, TheRakReportListsTheRemovedRowsAndTheUnusedRules) {
  testing::TempDir dir;
  std::string rules = testing::readFile(fs::path(BRISEL_SAMPLES) / "BOARD.RAK");
  const long lines = static_cast<long>(std::count(rules.begin(), rules.end(), '\n'));
  fs::path rak = dir.write("R.RAK", rules + "; not a rule\nNOPE:90\n");
  testing::CliResult r =
      run(sample({"--rak", rak.string(), "print=rak-report", "import-mnt", "apply-rak",
                  "print=rak-report", "undo", "print=rak-report", "redo", "print=rak-report"}));
  EXPECT_EQ(r.status, 0);
  // The report goes with the undone run and comes back with it.
  const std::string report = "removed\t36\tF1\t500mA\nremoved\t40\tSW1\tTACT\nunused\t" +
                             std::to_string(lines + 2) + "\tNOPE\n2 removed, 1 unused\n";
  EXPECT_EQ(r.out, "0 removed, 0 unused\n" + report + "0 removed, 0 unused\n" + report);

  // It stays with the table it left, through a later step, and goes with a
  // new board.
  const std::string none = "0 removed, 0 unused\n";
  struct Case {
    std::vector<std::string> words;
    std::string out;
  };
  const Case cases[] = {
      {{"apply-rak", "sort=2", "print=rak-report"}, report},
      {{"apply-rak", "import-mnt", "print=rak-report"}, none},
      {{"apply-rak", "import-rep", "print=rak-report"}, none},
  };
  for (const Case& c : cases) {
    std::vector<std::string> words{"--rak", rak.string(), "--keep-going", "import-mnt"};
    words.insert(words.end(), c.words.begin(), c.words.end());
    EXPECT_EQ(run(sample(words)).out, c.out) << c.words[1];
  }
}

TEST(CliCheck, VerifyQpfComparesWithWhatTheWriterWouldWrite) {
  testing::TempDir dir;
  const std::string qpf = (dir / "OUT.QPF").string();
  testing::CliResult r =
      run(sample({"--qpf", qpf, "import-mnt", "set=2,1, U1 ", "write-qpf", "verify-qpf", "print"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, 14), "0 differences\n");
  EXPECT_NE(r.out.find("\n1\t\t1\tU1\t"), std::string::npos);  // trimmed by the writer
  r = run(sample({"--qpf", qpf, "import-mnt", "set=2,1, U1 ", "verify-qpf", "print"}));
  EXPECT_NE(r.out.find("\n1\t\t1\t U1 \t"), std::string::npos);  // the compare leaves it
  r = run(sample({"--qpf", qpf, "import-mnt", "set=5,3,1.5", "verify-qpf"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "3\t3\tX\t63.5\t1.5\n1 differences\n");
  // The file from standard input, as every other word reads `-`.
  std::istringstream in(testing::readFile(qpf));
  std::ostringstream out, err;
  EXPECT_EQ(
      runCli(sample({"--qpf", "-", "import-mnt", "set=2,1, U1 ", "verify-qpf"}), in, out, err, '.'),
      0)
      << err.str();
  EXPECT_EQ(out.str(), "0 differences\n");
}

TEST(CliCheck, VerifyQpfReportsHostileFilesAsDifferences) {
  testing::TempDir dir;
  const fs::path good = dir / "GOOD.QPF";
  ASSERT_EQ(run(sample({"--qpf", good.string(), "import-mnt", "write-qpf"})).status, 0);
  const std::string bytes = testing::readFile(good);
  const std::pair<const char*, std::string> files[] = {
      {"empty", ""},
      {"header only", bytes.substr(0, 100)},
      {"cut in a record", bytes.substr(0, bytes.size() - 50)},
      {"longer", bytes + std::string(1000, '\xFF')},
      {"not a QPF", std::string(5000, 'x')},
  };
  for (const auto& [name, content] : files) {
    SCOPED_TRACE(name);
    fs::path file = dir.write("F.QPF", content);
    testing::CliResult r = run(sample({"--qpf", file.string(), "import-mnt", "verify-qpf"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.find("0 differences"), std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
  }
  const std::string missing = (dir / "NONE" / "X.QPF").string();
  testing::CliResult r = run(sample({"--qpf", missing, "import-mnt", "verify-qpf"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Errore: Errore epertura file\nerror: cannot open " + missing +
                       ": No such file or directory\n");
}

}  // namespace
}  // namespace brisel
