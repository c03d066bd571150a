// brisel-cli's "Applica regole" on the sample board with the sample rules
// file: apply-rules and print=rules-report as scripts read them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli_kit.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

namespace brisel {
namespace {

using testing::run;

std::vector<std::string> sample(std::vector<std::string> more) {
  more.insert(more.begin(), {"--no-comma", "--rules", BRISEL_SAMPLES "/BOARD-regole.csv"});
  return testing::sampleBoardSettings(more);
}

TEST(CliRules, TheSampleRulesOnTheSampleBoard) {
  testing::CliResult r = run(sample({"print=rules-report", "import-mnt", "apply-rules",
                                     "print=rules-report", "undo", "print=rules-report", "redo",
                                     "print=rules-report", "import-mnt", "print=rules-report"}));
  EXPECT_EQ(r.status, 0) << r.err;
  // Every footprint of the board but the switch's has its rule; the chip
  // pattern takes the resistors, the capacitors and the coil of three sizes.
  const std::string report =
      "rule\t3\tSOT23\t2\nrule\t4\tSOT223\t1\nrule\t5\tSO[IT]C*\t3\nrule\t6\tLQFP*\t1\n"
      "rule\t8\tHC49SMD\t1\nrule\t9\tSOD123\t1\nrule\t10\tLED0805\t2\n"
      "rule\t11\t[RCLF]0[2-8]0[2-5]\t23\nrule\t12\t[CF]1206\t2\nrule\t13\tUSB_B\t1\n"
      "rule\t14\tHDR*\t2\nunused\t7\tQFN*\nunmatched\t40\tSW1\tSW_TACT 6X6\n"
      "39 corrette, 1 regole non usate, 1 senza regola\n";
  const std::string none = "0 corrette, 0 regole non usate, 0 senza regola\n";
  EXPECT_EQ(r.out, none + report + none + report + none);
}

TEST(CliRules, TheRowsTheRulesMove) {
  // U2 (SOT223, 90 degrees) takes -90 and a pick point 0.5 mm up its own Y,
  // which at 90 degrees is the board's -X; J1 (USB_B, 270) takes 90 and
  // -1.25 mm along its Y, the board's -X at 270.
  testing::CliResult r =
      run(sample({"--zirkan", "-", "import-mnt", "apply-rules", "write-zirkan"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("U2 SOT223 LM1117-3V3 12.20 50.80 0 \r\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("J1 USB_B USB-B 2.56 20.32 0 \r\n"), std::string::npos);
  EXPECT_NE(r.out.find("SW1 SW_TACT 6X6 TACT 25.40 5.72 0 \r\n"), std::string::npos);
}

TEST(CliRules, WithoutAFileOrWithABadLine) {
  testing::TempDir dir;
  testing::CliResult usage = run({"apply-rules"});
  EXPECT_EQ(usage.status, 2);
  EXPECT_EQ(usage.err.rfind("brisel-cli: apply-rules needs --rules PATH\n", 0), 0u) << usage.err;
  const fs::path bad = dir.write("bad.csv", "Pattern,Rotation\nSOT*,ninety\n");
  testing::CliResult r =
      run(sample({"--rules", bad.string(), "import-mnt", "apply-rules", "print=rules-report"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error: bad.csv, riga 2: rotazione 'ninety': servono gradi interi\n");
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace brisel
