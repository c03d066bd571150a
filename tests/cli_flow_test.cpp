// brisel-cli across operations: the two buttons that carry state from one
// operation to the next, and the sample board along the operator's whole road.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/cli_kit.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

namespace fs = std::filesystem;
using testing::run;

std::vector<std::string> sampleBoard(const testing::TempDir& out) {
  std::vector<std::string> words = testing::sampleBoardSettings();
  words.insert(words.end(), {"--qpf", (out / "OUT.QPF").string(), "--zirkan",
                             (out / "ZIRKAN.TXT").string(), "--english", "--keep-going"});
  return words;
}

// Runs the words on the sample board and says the two buttons after each
// operation: "RF" both enabled, "R-" only Applica RAK, "-F", "--".
std::string buttonsAfterEach(const std::vector<std::string>& operations, testing::TempDir& out) {
  std::vector<std::string> words = sampleBoard(out);
  for (const std::string& operation : operations) {
    words.push_back(operation);
    words.push_back("print=buttons");
  }
  std::istringstream lines(run(words).out);
  std::string states, line;
  while (std::getline(lines, line)) {
    bool enabled = line.ends_with(" enabled");
    if (line.starts_with("Button17")) states += states.empty() ? "" : " ";
    states += enabled ? (line.starts_with("Button17") ? "R" : "F") : "-";
  }
  return states;
}

struct Sequence {
  const char* name;
  std::vector<std::string> operations;
  const char* states;
};

class ButtonStates : public ::testing::TestWithParam<Sequence> {};

TEST_P(ButtonStates, FollowTheOperationsThatMakeANewTable) {
  testing::TempDir out;
  EXPECT_EQ(buttonsAfterEach(GetParam().operations, out), GetParam().states);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ButtonStates,
    ::testing::Values(
        // A fresh window: the merge cannot run before a table is there.
        Sequence{"MergeNeedsATable",
                 {"merge-footprints", "import-rep", "merge-footprints", "merge-footprints"},
                 "R- RF R- R-"},
        // The rules run once per table from REP, MNT or TXT; CMP and BOM
        // complete a table and leave both buttons alone.
        Sequence{"RulesOncePerTable",
                 {"import-rep", "apply-rak", "import-cmp", "import-bom", "apply-rak", "import-mnt",
                  "apply-rak", "import-txt"},
                 "RF -F -F -F -F RF -F RF"},
        Sequence{"TxtEnablesOnlyTheRules",
                 {"import-txt", "merge-footprints", "apply-rak", "import-txt"},
                 "R- R- -- R-"},
        // The QPF viewer makes a new table for both; the ZIRKAN viewer only
        // for the rules.
        Sequence{"Viewers",
                 {"import-rep", "merge-footprints", "apply-rak", "write-qpf", "write-zirkan",
                  "view-zirkan", "view-qpf", "merge-footprints"},
                 "RF R- -- -- -- R- RF R-"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonStates, FilesThatCannotBeOpened) {
  testing::TempDir out;
  std::vector<std::string> words = sampleBoard(out);
  words.insert(words.end(),
               {"--rep", (out / "NONE.REP").string(), "--rak", (out / "NONE.RAK").string(), "--qpf",
                (out / "NONE.QPF").string(), "--zirkan", (out / "NONE.TXT").string()});
  // A missing REP file still ends the import with both buttons on; the rules
  // and the viewers change nothing when their file is missing.
  for (const char* operation : {"import-rep", "apply-rak", "view-qpf", "view-zirkan"}) {
    words.push_back(operation);
    words.push_back("print=buttons");
  }
  testing::CliResult r = run(words);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, std::string("Button17 enabled\nBU_FootPrint enabled\n") +
                       "Button17 enabled\nBU_FootPrint enabled\n" +
                       "Button17 enabled\nBU_FootPrint enabled\n" +
                       "Button17 enabled\nBU_FootPrint enabled\n");
  // Each with the system's reason.
  const std::string reason = ": No such file or directory\n";
  EXPECT_EQ(r.err, "error: cannot open " + (out / "NONE.REP").string() + reason +
                       "Errore: Errore apertura file RAK\nerror: cannot open " +
                       (out / "NONE.RAK").string() + reason +
                       "Errore: Errore epertura file\nerror: cannot open " +
                       (out / "NONE.QPF").string() + reason +
                       "Errore: Errore epertura file\nerror: cannot open " +
                       (out / "NONE.TXT").string() + reason);
}

TEST(Cli, StopsAtTheFirstFailureUnlessToldToGoOn) {
  testing::TempDir dir;
  fs::path rep = dir.write("BAD.REP", "h\nh\nR1 X 1.5 2 0\nR2 X abc 2 0\nR3 X 3 4 0\n");
  std::vector<std::string> words = {"--rep",      rep.string(), "--english",
                                    "--no-comma", "import-rep", "print=buttons"};
  testing::CliResult stopped = run(words, '.');
  EXPECT_EQ(stopped.status, 1);
  EXPECT_EQ(stopped.out, "");
  EXPECT_EQ(stopped.err, "error: BAD.REP, riga 4: 'abc' non \xC3\xA8 un valore numerico valido\n");
  words.insert(words.begin(), "--keep-going");
  testing::CliResult going = run(words, '.');
  EXPECT_EQ(going.status, 1);
  // The import stopped before its button step, so the merge stays disabled.
  EXPECT_EQ(going.out, "Button17 enabled\nBU_FootPrint disabled\n");
}

// The sample board from its files to the machine's files and back, as an
// operator takes it: every operation in one run.
TEST(SampleRoad, FromTheFilesToTheMachineAndBack) {
  testing::TempDir out;
  std::vector<std::string> words = sampleBoard(out);
  words.insert(words.end(), {"import-rep", "import-cmp", "import-bom", "apply-rak", "reference=1",
                             "sort=2", "delete=1", "merge-footprints", "write-qpf", "write-zirkan",
                             "print", "view-qpf", "view-zirkan", "print=buttons"});
  testing::CliResult r = run(words);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err,
            "Messaggio: Operazione eseguita correttamente\n"    // merge
            "Messaggio: Operazione eseguita correttamente\n"    // QPF
            "Messaggio: Operazione eseguita correttamente\n"    // ZIRKAN
            "Messaggio: Operazione eseguita correttamente\n"    // QPF viewer
            "Messaggio: Operazione eseguita correttamente\n");  // ZIRKAN viewer

  // 40 parts, 38 with a rule, one deleted by hand: 37 records of 104 bytes
  // after the 127-byte header and the length field.
  std::string qpf = testing::readFile(out / "OUT.QPF");
  ASSERT_EQ(qpf.size(), 131u + 104u * 37u);
  EXPECT_EQ(static_cast<unsigned char>(qpf[127]) | static_cast<unsigned char>(qpf[128]) << 8,
            static_cast<int>(qpf.size()));
  std::string zirkan = testing::readFile(out / "ZIRKAN.TXT");
  EXPECT_EQ(std::count(zirkan.begin(), zirkan.end(), '\n'), 37);
  EXPECT_TRUE(zirkan.ends_with(" \r\n\r"));
  EXPECT_TRUE(r.out.ends_with("Button17 enabled\nBU_FootPrint enabled\n"));
}

}  // namespace
}  // namespace brisel
