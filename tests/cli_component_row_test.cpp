// Rows that are components by one reading and not by another, each beside a
// plain row 1, through every operation that asks "is this row a component?":
// the check, the preview, both writers and the origin.
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

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The codes of the findings on row 2, as brisel-cli's check prints them
// before its count.
std::string row2Codes(const std::string& out) {
  std::istringstream lines(out.substr(0, out.find(" findings\n")));
  std::string line, codes;
  while (std::getline(lines, line)) {
    if (line.rfind("2\t", 0) != 0) continue;
    std::size_t code = line.find('\t') + 1;
    codes += line.substr(code, line.find('\t', code) - code) + ";";
  }
  return codes;
}

// The line of row 2 in brisel-cli's print of the table.
std::string row2Printed(const std::string& out) {
  std::size_t at = out.find("\n2\t");
  return at == std::string::npos ? std::string()
                                 : out.substr(at + 1, out.find('\n', at + 1) - at - 1);
}

TEST(CliComponentRow, OddRowsAreComponentsOrNotAlikeInEveryOperation) {
  struct OddRow {
    const char* name;
    const char* number;
    const char* reference;
    const char* findings;  // the check's codes on row 2
    int parts;             // drawn by the preview
    int zirkanLines;       // written by write-zirkan
    int qpfRecords;        // written by write-qpf; -1 when it refuses the table
    const char* after;     // row 2 as printed after the writers and reference=1
  };
  const OddRow rows[] = {
      {"plain", "2", " R2 ", "", 2, 2, 2, "2\t\t2\tR2\t10K\t\t20\t30\t0\tR0603\t"},
      {"number of blanks", " ", " R2 ", "", 1, 1, 1, "2\t\t \t R2 \t10K\t\t30\t40\t0\tR0603\t"},
      {"reference of blanks", "2", " ", "no-reference;", 1, 1, 1,
       "2\t\t2\t\t10K\t\t20\t30\t0\tR0603\t"},
      {"number not a number", "x", " R2 ", "not-a-number;", 2, 2, -1,
       "2\t\tx\tR2\t10K\t\t20\t30\t0\tR0603\t"},
  };
  const fs::path templatePath = fs::path(BRISEL_SAMPLES) / "TEMPLATE.QPF";
  const std::size_t header = std::min<std::size_t>(127, testing::readFile(templatePath).size()) + 4;
  for (const OddRow& row : rows) {
    SCOPED_TRACE(row.name);
    testing::TempDir dir;
    const fs::path svg = dir / "board.svg", zirkan = dir / "OUT.ZIR", qpf = dir / "OUT.QPF";
    std::vector<std::string> words = {"--decimal-separator",
                                      ".",
                                      "--keep-going",
                                      "--quiet",
                                      "--qpf-template",
                                      templatePath.string(),
                                      "--zirkan",
                                      zirkan.string(),
                                      "--qpf",
                                      qpf.string(),
                                      "set=1,1,1",
                                      "set=2,1,U1",
                                      "set=3,1,10K",
                                      "set=5,1,10",
                                      "set=6,1,10",
                                      "set=7,1,0",
                                      "set=8,1,R0603",
                                      std::string("set=1,2,") + row.number,
                                      std::string("set=2,2,") + row.reference,
                                      "set=3,2,10K",
                                      "set=5,2,30",
                                      "set=6,2,40",
                                      "set=7,2,0",
                                      "set=8,2,R0603",
                                      "check",
                                      "preview=" + svg.string(),
                                      "write-zirkan",
                                      "write-qpf",
                                      "reference=1",
                                      "print"};
    testing::CliResult r = testing::run(words);
    EXPECT_EQ(r.status, row.qpfRecords < 0 ? 1 : 0) << r.err;
    EXPECT_EQ(row2Codes(r.out), row.findings);
    EXPECT_EQ(count(testing::readFile(svg), "class=\"part\""), static_cast<std::size_t>(row.parts));
    EXPECT_EQ(count(testing::readFile(zirkan), "\r\n\r"),
              static_cast<std::size_t>(row.zirkanLines));
    if (row.qpfRecords < 0) {
      EXPECT_FALSE(fs::exists(qpf));
    } else {
      EXPECT_EQ(testing::readFile(qpf).size(),
                header + 104 * static_cast<std::size_t>(row.qpfRecords));
    }
    EXPECT_EQ(row2Printed(r.out), row.after);
  }
}

}  // namespace
}  // namespace brisel
