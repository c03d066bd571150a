// brisel-cli undo, redo and paste: the tables and buttons put back, the
// errors when there is nothing to undo, a paste round trip.
#include <gtest/gtest.h>

#include "tests/cli_kit.h"
#include "tests/testkit.h"

namespace brisel {
using namespace std::string_literals;
namespace {

using testing::run;

std::vector<std::string> with(std::vector<std::string> words, std::vector<std::string> more) {
  words.insert(words.end(), more.begin(), more.end());
  return words;
}

std::vector<std::string> board() {
  return with(testing::sampleBoardSettings(), {"--english"});
}

// The printout after the operations equals the one after the shorter list.
struct Recall {
  const char* name;
  std::vector<std::string> operations;
  std::vector<std::string> same;
};

class UndoRedo : public ::testing::TestWithParam<Recall> {};

TEST_P(UndoRedo, PutsTheTablesAndButtonsBack) {
  const std::vector<std::string> shown = {"print", "print=rules", "print=buttons"};
  auto ops = with(GetParam().operations, shown);
  auto same = with(GetParam().same, shown);
  testing::CliResult got = run(with(board(), ops));
  testing::CliResult expected = run(with(board(), same));
  EXPECT_EQ(got.status, 0) << got.err;
  EXPECT_EQ(got.out, expected.out);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, UndoRedo,
    ::testing::Values(
        Recall{"DeleteAndRakUndone",
               {"import-mnt", "delete=3-5", "apply-rak", "undo", "undo"},
               {"import-mnt"}},
        Recall{"DeleteAndRakRedone",
               {"import-mnt", "delete=3-5", "apply-rak", "undo", "undo", "redo", "redo"},
               {"import-mnt", "delete=3-5", "apply-rak"}},
        Recall{"SortUndone",
               {"import-rep", "import-cmp", "sort=3", "undo"},
               {"import-rep", "import-cmp"}},
        Recall{"MergeAndReferenceUndone",
               {"import-mnt", "merge-footprints", "reference=4", "undo", "undo"},
               {"import-mnt"}},
        // The sample BOM gives the values the MNT file gave: no step, so the
        // undo takes back the import itself.
        Recall{"NoStepForNothing", {"import-mnt", "import-bom", "undo"}, {}},
        Recall{"TypedCellUndone", {"import-mnt", "set=2,3,X9", "undo"}, {"import-mnt"}},
        Recall{"NewStepDropsRedo",
               {"import-mnt", "set=2,3,A", "undo", "set=2,4,B", "undo"},
               {"import-mnt"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliHistory, NothingToUndoOrRedoIsAFailedOperation) {
  testing::CliResult undo = run({"undo", "print=buttons"});
  EXPECT_EQ(undo.status, 1);
  EXPECT_EQ(undo.err, "error: niente da annullare\n");
  EXPECT_EQ(undo.out, "");
  testing::CliResult going = run({"--keep-going", "redo", "set=1,1,a", "undo", "undo", "print"});
  EXPECT_EQ(going.status, 1);
  EXPECT_EQ(going.err, "error: niente da ripetere\nerror: niente da annullare\n");
  EXPECT_NE(going.out.find("\n1\t\t\t"), std::string::npos) << going.out;  // row 1 empty again
}

// An import that stops at a bad line leaves its first rows: one undo takes
// them and the buttons back.
TEST(CliHistory, UndoAfterAFailedImportRestoresTheStateBefore) {
  testing::TempDir folder;
  const auto mnt = folder / "BAD.MNT";
  testing::writeFile(mnt, "R1 1.0 2.0 90 10K R0603\nR2 1,5x 2.0 0 1K R0603\n");
  testing::CliResult fresh = run({"print", "print=buttons"});
  testing::CliResult undone =
      run({"--english", "--mnt", mnt.string(), "--keep-going", "merge-footprints", "import-mnt",
           "undo", "print", "print=buttons"});
  EXPECT_EQ(undone.status, 1);
  EXPECT_NE(undone.err.find("non è un valore numerico valido"), std::string::npos) << undone.err;
  EXPECT_EQ(undone.out, fresh.out);
}

TEST(CliHistory, PasteRoundTripAndOneStep) {
  testing::TempDir folder;
  const auto sheet = folder / "cells.tsv";
  // As a text editor saves a copy of the window: UTF-8, CR LF, quoted cells.
  testing::writeFile(
      sheet, "R1\t10K\r\n\"90 \n\"\t\xC3\xA9\xE2\x82\xAC\r\n\"a\tb\"\t\"q\"\"\"\tx\ty\tz\r\n");
  testing::CliResult pasted = run({"paste=7,2,"s + sheet.string(), "print"});
  EXPECT_EQ(pasted.status, 0) << pasted.err;
  EXPECT_NE(pasted.out.find("\n2\t\t\t\t\t\t\t\tR1\t10K\t\n"), std::string::npos) << pasted.out;
  EXPECT_NE(pasted.out.find("\n3\t\t\t\t\t\t\t\t90 \\n\t\xE9?\t\n"), std::string::npos);
  EXPECT_NE(pasted.out.find("\n4\t\t\t\t\t\t\t\ta\\tb\tq\"\tx\n"), std::string::npos);
  testing::CliResult undone = run({"paste=7,2,"s + sheet.string(), "undo", "print"});
  EXPECT_EQ(undone.out, run({"print"}).out);
}

TEST(CliHistory, PasteOfAMissingOrBinaryFileFails) {
  testing::TempDir folder;
  testing::CliResult missing = run({"paste=1,1," + (folder / "none.tsv").string(), "print"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "error: cannot open " + (folder / "none.tsv").string() +
                             ": No such file or directory\n");
  const auto binary = folder / "x.bin";
  testing::writeFile(binary, std::string("\x7F"
                                         "ELF\0\0\0",
                                         7));
  testing::CliResult refused = run({"paste=1,1," + binary.string()});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "error: Il testo da incollare contiene dati binari\n");
  EXPECT_EQ(run({"paste=0,1," + binary.string()}).status, 2);
  EXPECT_EQ(run({"paste=1,1"}).status, 2);
}

}  // namespace
}  // namespace brisel
