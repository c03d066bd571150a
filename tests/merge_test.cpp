// The footprint merge, and the two buttons across the table operations.
#include <gtest/gtest.h>

#include "table/operations.h"
#include "tests/table_kit.h"

namespace brisel {
namespace {

using testing::dataRows;
using testing::tableOf;

TEST(Merge, JoinsEveryFootprintOntoItsValue) {
  Workspace workspace;
  workspace.BU_FootPrintEnabled = true;
  workspace.StringGrid1 = tableOf(
      6, {"|1|R1|100n|||||C0805", "|2|R2|10K|||||", "|3|R3||||||R0603", "|4|R4| 4K7 |||||R 0603"});
  testing::putRow(workspace.StringGrid1, 0, "h0|h1|h2|h3|||||h8");
  Controls controls;
  testing::RecordingProgress progress;
  Outcome outcome = mergeFootprints(workspace, controls, progress);
  EXPECT_EQ(dataRows(workspace.StringGrid1),
            (std::vector<std::string>{"|1|R1|100n_C0805|||||C0805|", "|2|R2|10K_||||||",
                                      "|3|R3|_R0603|||||R0603|", "|4|R4| 4K7 _R 0603|||||R 0603|",
                                      "|||_||||||"}));
  EXPECT_EQ(testing::rowText(workspace.StringGrid1, 0), "h0|h1|h2|h3|||||h8|");
  EXPECT_EQ(outcome.messages, (std::vector<Message>{kSuccessMessage}));
  EXPECT_FALSE(workspace.BU_FootPrintEnabled);
  EXPECT_EQ(progress.events, "");
}

// What the buttons say after each operation, starting from `workspace`.
std::string buttons(const Workspace& workspace) {
  return std::string(workspace.Button17Enabled ? "RAK on" : "RAK off") +
         (workspace.BU_FootPrintEnabled ? ", merge on" : ", merge off");
}

TEST(Buttons, OnlyTheRulesAndTheMergeTurnTheirOwnButtonOff) {
  testing::TempDir dir;
  Workspace workspace;
  workspace.StringGrid1 = tableOf(4, {"|1|R1|A||1|1|0|F", "|2|R2|B||2|2|0|G"});
  // As a coordinate import leaves them.
  workspace.BU_FootPrintEnabled = true;
  Controls controls;
  controls.Edit7 = dir.write("RULES.RAK", "A_F:90\nB_G:0\n");
  controls.Selection = {1, 2, 1, 2};
  Progress quiet;
  std::vector<std::string> seen;
  auto press = [&](Operation operation) {
    operation(workspace, controls, quiet);
    seen.push_back(buttons(workspace));
  };
  press(setReference);
  press(sortByCursorColumn);
  press(mergeFootprints);
  controls.Edit7 = dir / "MISSING.RAK";
  press(applyRak);
  controls.Edit7 = dir / "RULES.RAK";
  press(applyRak);
  press(deleteSelectedRows);
  EXPECT_EQ(seen, (std::vector<std::string>{"RAK on, merge on", "RAK on, merge on",
                                            "RAK on, merge off", "RAK on, merge off",
                                            "RAK off, merge off", "RAK off, merge off"}));
  // The merged values are what the rules saw.
  EXPECT_EQ(dataRows(workspace.StringGrid1),
            (std::vector<std::string>{"|2|R2|B_G||1|1|0|G|", "|||||||||"}));
}

TEST(Buttons, AFailedRunOfTheRulesStillLeavesTheirButtonOff) {
  testing::TempDir dir;
  Workspace workspace;
  workspace.StringGrid1 = tableOf(2, {"|1|R1|A||1|1|x"});
  Controls controls;
  controls.Edit7 = dir.write("RULES.RAK", "A:90\n");
  Progress quiet;
  EXPECT_THROW(applyRak(workspace, controls, quiet), ConversionError);
  EXPECT_EQ(buttons(workspace), "RAK off, merge off");
}

}  // namespace
}  // namespace brisel
