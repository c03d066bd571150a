#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "output/operations.h"
#include "tests/output_fixture.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

using testing::fillRow;
using testing::readFile;

class PlacementWriter : public ::testing::Test {
 protected:
  void SetUp() override { controls.placementOutput = dir / "board-brisel.csv"; }
  Outcome write() {
    Progress progress;
    return writePlacements(workspace, controls, progress);
  }

  testing::TempDir dir;
  Workspace workspace;
  Controls controls;
};

// One table, every rule: the rows the writers take, texts quoted and in
// UTF-8, numbers with a point whatever the locale, the side in words.
TEST_F(PlacementWriter, WritesTheComponentRowsAsQuotedUtf8Csv) {
  Grid& table = workspace.StringGrid1;
  controls.decimalSeparator = ',';
  fillRow(table, 1, {"1", "C1", "1uF, 10V", "T", "2,875", "-3,5", "90", "C_0402"});
  fillRow(table, 2,
          {"2",
           " R\xB5"
           "1 ",
           "5\" LCD", "b", "0", "1250", "270", "R_0805"});
  fillRow(table, 3, {" ", "R9", "skipped: no number", "", "1", "1", "0", ""});
  fillRow(table, 4, {"4", " ", "skipped: no reference", "", "1", "1", "0", ""});
  fillRow(table, 5, {"5", "U1", "", "", "0,1", "100000", "45,5", ""});
  table.setCell(9, 5, "column 9 is not written");
  table.setCell(0, 5, "nor the fixed column");
  EXPECT_EQ(write().messages, std::vector{kSuccessMessage});
  EXPECT_EQ(readFile(controls.placementOutput),
            "Ref,Val,Package,PosX,PosY,Rot,Side\r\n"
            "\"C1\",\"1uF, 10V\",\"C_0402\",2.875,-3.5,90,\"top\"\r\n"
            "\"R\xC2\xB5"
            "1\",\"5\"\" LCD\",\"R_0805\",0,1250,270,\"bottom\"\r\n"
            "\"U1\",\"\",\"\",0.1,100000,45.5,\r\n");
}

// A cell that is no number stops it before the file is touched; a folder
// that is not there is said as the other writers say it.
TEST_F(PlacementWriter, LeavesTheFileAsItWasOnFailure) {
  testing::writeFile(controls.placementOutput, "old");
  fillRow(workspace.StringGrid1, 1, {"1", "C1", "1u", "", "abc", "0", "0", ""});
  EXPECT_THROW(write(), ConversionError);
  EXPECT_EQ(readFile(controls.placementOutput), "old");

  fillRow(workspace.StringGrid1, 1, {"1", "C1", "1u", "", "1", "0", "0", ""});
  controls.placementOutput = dir / "missing" / "out.csv";
  Outcome outcome = write();
  EXPECT_EQ(outcome.messages, std::vector{kOpenErrorMessage});
  EXPECT_EQ(outcome.unopened, controls.placementOutput);
}

}  // namespace
}  // namespace brisel
