#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "core/atomic_file.h"
#include "output/operations.h"
#include "tests/output_fixture.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

namespace brisel {
namespace {

using testing::entries;
using testing::fillRow;
using testing::readFile;

class ZirkanWriter : public ::testing::Test {
 protected:
  void SetUp() override { controls.Edit9 = dir / "OUT.ZRK"; }
  Grid& table() { return workspace.StringGrid1; }
  Outcome write() {
    Progress progress;
    return writeZirkan(workspace, controls, progress);
  }
  std::string output() const { return readFile(controls.Edit9); }

  testing::TempDir dir;
  Workspace workspace;
  Controls controls;
};

struct LineCase {
  std::vector<std::string_view> cells;  // columns 1 to 8
  std::string line;
};

TEST_F(ZirkanWriter, WritesSixFieldsEachEndedByASpaceThenCrLfCr) {
  const LineCase cases[] = {
      {{"1", "R1", "10K", "", "12.5", "3.25", "90", "0805"}, "R1 0805 10K 12.50 3.25 90 \r\n\r"},
      {{"1", "R1", "10K", "", "12.5", "3.25", "90", ""}, "R1  10K 12.50 3.25 90 \r\n\r"},
      {{"1", "R1", "", "", "12.5", "3.25", "90", "0805"}, "R1 0805 NM 12.50 3.25 90 \r\n\r"},
      {{"1", "R1", "10K 1%", "", "0", "0", "0", "0805"}, "R1 0805 10K 1% 0.00 0.00 0 \r\n\r"},
      {{"1", "R1", "10K", "", "1", "2", "-90", "0805"}, "R1 0805 10K 1.00 2.00 65446 \r\n\r"},
      {{"1", "R1", "10K", "", "1", "2", "70000", "0805"}, "R1 0805 10K 1.00 2.00 4464 \r\n\r"},
      {{"1", "R1", "10K", "", "1234567", "-7.5", "0", "0805"},
       "R1 0805 10K 1234567.00 -7.50 0 \r\n\r"},
      // Single precision first: 1.115 is 1.11500001 as a float.
      {{"1", "R1", "10K", "", "1.115", "-0.001", "0", "0805"}, "R1 0805 10K 1.12 -0.00 0 \r\n\r"},
      {{"1", "R1", "10K", "", "10.125", "1e-30", "0", "0805"}, "R1 0805 10K 10.12 0.00 0 \r\n\r"},
      {{"x", " R1\t", " 10K ", "", " 5 ", " 6 ", " 7 ", " 0805 "},
       "R1 0805 10K 5.00 6.00 7 \r\n\r"},
  };
  for (const LineCase& c : cases) {
    int column = 1;
    for (std::string_view text : c.cells) table().setCell(column++, 1, text);
    EXPECT_EQ(write().messages, std::vector{kSuccessMessage});
    EXPECT_EQ(output(), c.line);
  }
}

TEST_F(ZirkanWriter, WritesAPointWhateverTheSeparator) {
  fillRow(table(), 1, {"1", "R1", "10K", "", "12,5", "3,25", "90", "0805"});
  controls.decimalSeparator = ',';
  write();
  EXPECT_EQ(output(), "R1 0805 10K 12.50 3.25 90 \r\n\r");
  controls.decimalSeparator = '.';
  controls.RB_EN = true;
  write();
  EXPECT_EQ(output(), "R1 0805 10K 12.50 3.25 90 \r\n\r");
}

TEST_F(ZirkanWriter, SkipsRowsWithoutNumberOrReferenceAndTrimsWhatItConsiders) {
  fillRow(table(), 1, {"", "R9", " 10K ", "", "1", "2", "3", "A"});
  fillRow(table(), 2, {" 2 ", "  ", " 10K ", "", "x", "x", "x", " B "});
  fillRow(table(), 3, {"3", "R3", "22pF", "", "1", "2", "3", "C"});
  table().setCell(9, 2, " z ");
  EXPECT_EQ(write().messages, std::vector{kSuccessMessage});
  EXPECT_EQ(output(), "R3 C 22pF 1.00 2.00 3 \r\n\r");
  EXPECT_EQ(testing::rowText(table(), 1), "||R9| 10K ||1|2|3|A|");
  EXPECT_EQ(testing::rowText(table(), 2), "|2||10K||x|x|x|B|z");
}

TEST_F(ZirkanWriter, AnEmptyTableGivesAnEmptyFile) {
  testing::writeFile(controls.Edit9, "earlier");
  EXPECT_EQ(write().messages, std::vector{kSuccessMessage});
  EXPECT_EQ(output(), "");
}

// A run that stops part-way used to leave the lines before the failing row.
TEST_F(ZirkanWriter, AConversionErrorKeepsTheEarlierFile) {
  const std::string earlier = "R0 A B 1.00 2.00 0 \r\n\r";
  for (auto [column, text] : {std::pair{5, "abc"}, {6, ""}, {7, "1.5"}, {7, ""}, {6, "-1e40"}}) {
    testing::writeFile(controls.Edit9, earlier);
    fillRow(table(), 1, {"1", " R1 ", "10K", "", "1", "2", "3"});
    fillRow(table(), 2, {"2", "R2", " 22pF ", "", "1", "2", "3"});
    table().setCell(column, 2, text);
    EXPECT_THROW(write(), ConversionError) << column << " '" << text << "'";
    EXPECT_EQ(output(), earlier);
    EXPECT_EQ(entries(dir.path()), 1u) << "a temporary file is left";
    EXPECT_EQ(table().cell(2, 1), "R1");
    EXPECT_EQ(table().cell(3, 2), "22pF");
  }
}

TEST_F(ZirkanWriter, ANumberThatIsNotANumberDoesNotStopIt) {
  fillRow(table(), 1, {"one", "R1", "10K", "", "1", "2", "3", "A"});
  EXPECT_EQ(write().messages, std::vector{kSuccessMessage});
  EXPECT_EQ(output(), "R1 A 10K 1.00 2.00 3 \r\n\r");
}

TEST_F(ZirkanWriter, AFileThatCannotBeCreatedIsAnOpenError) {
  fillRow(table(), 1, {"1", " R1 ", "10K", "", "1", "2", "3"});
  fs::create_directory(dir / "folder");
  for (const fs::path& target : {dir / "missing" / "OUT.ZRK", dir / "folder", fs::path()}) {
    controls.Edit9 = target;
    Outcome outcome = write();
    EXPECT_EQ(outcome.messages, std::vector{kOpenErrorMessage});
    EXPECT_EQ(outcome.unopened, target);
    EXPECT_EQ(table().cell(2, 1), " R1 ") << "nothing is read";
  }
}

// A failed write used to be followed by the success message.
TEST_F(ZirkanWriter, AFullDeviceIsAWriteErrorNotASuccess) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  controls.Edit9 = "/dev/full";
  fillRow(table(), 1, {"1", "R1", "10K", "", "1", "2", "3"});
  EXPECT_THROW(write(), WriteError);
}

}  // namespace
}  // namespace brisel
