#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "core/atomic_file.h"
#include "output/operations.h"
#include "output/qpf_format.h"
#include "tests/output_fixture.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

namespace brisel {
namespace {

using testing::entries;
using testing::fillRow;
using testing::hex;
using testing::readFile;

// Record offsets 36 to 103 with the force byte at 44.
std::string tail(char force) {
  return hex("31 41 00 00 00 00 58 59") + force + hex("00 00 00 20 00 01 00 00 00") +
         std::string(41, ' ') + std::string(9, '\0');
}

std::string le32(std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
  return bytes;
}

class QpfWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    controls.Edit1 = dir.write("TEMPLATE.QPF", std::string(127, 'H'));
    controls.Edit4 = dir / "OUT.QPF";
  }
  Grid& table() { return workspace.StringGrid1; }
  Outcome write() {
    Progress progress;
    return writeQpf(workspace, controls, progress);
  }
  std::string output() const { return readFile(controls.Edit4); }
  // Record n (from 0) of a file written on a 127-byte header.
  std::string record(std::size_t n) const {
    return output().substr(
        output::kQpfHeaderBytes + output::kQpfLengthBytes + output::kQpfRecordBytes * n,
        output::kQpfRecordBytes);
  }

  testing::TempDir dir;
  Workspace workspace;
  Controls controls;
};

TEST_F(QpfWriter, WritesARecordFieldByField) {
  fillRow(table(), 1, {"1", "R1", "10K", "", "12.345", "3.25", "-90"});
  EXPECT_EQ(write().messages, std::vector{kSuccessMessage});
  EXPECT_EQ(record(0), hex("01 00") + "R1      " + '\0' + "10K           " + '\0' +
                           hex("1F 85 45 41  00 00 50 40  A6 FF") + tail('1'));
}

struct FieldCase {
  int column;
  std::string_view text;
  std::size_t offset;
  std::string bytes;
};

TEST_F(QpfWriter, PadsCutsAndConvertsEachField) {
  const FieldCase cases[] = {
      {1, "1", output::kQpfNumber.at, hex("01 00")},
      {1, "70000", output::kQpfNumber.at, hex("70 11")},
      {1, "-1", output::kQpfNumber.at, hex("FF FF")},
      {2, "R1", output::kQpfReference.at, hex("52 31 20 20 20 20 20 20 00")},
      {2, "ABCDEFGH", output::kQpfReference.at, std::string("ABCDEFGH") + '\0'},
      {2, "ABCDEFGHIJK", output::kQpfReference.at, std::string("ABCDEFGH") + '\0'},
      {2, " \tR2  ", output::kQpfReference.at, std::string("R2      ") + '\0'},
      {3, "", output::kQpfValue.at, std::string("NM            ") + '\0'},
      {3, "  ", output::kQpfValue.at, std::string("NM            ") + '\0'},
      {3, "10K 1%", output::kQpfValue.at, std::string("10K 1%        ") + '\0'},
      {3, "ABCDEFGHIJKLMN", output::kQpfValue.at, std::string("ABCDEFGHIJKLMN") + '\0'},
      {3, "ABCDEFGHIJKLMNOPQRST", output::kQpfValue.at, std::string("ABCDEFGHIJKLMN") + '\0'},
      {3, "caf\xE9", output::kQpfValue.at, std::string("caf\xE9          ") + '\0'},
      {5, "12.345", output::kQpfX.at, hex("1F 85 45 41")},
      {5, "-1", output::kQpfX.at, hex("00 00 80 BF")},
      {5, " 25 ", output::kQpfX.at, hex("00 00 C8 41")},
      {6, "12.4", output::kQpfY.at, hex("66 66 46 41")},
      {7, "-90", output::kQpfAngle.at, hex("A6 FF")},
      {7, "70000", output::kQpfAngle.at, hex("70 11")},
      {7, "90", output::kQpfAngle.at, hex("5A 00")},
  };
  for (const FieldCase& c : cases) {
    fillRow(table(), 1, {"1", "R1", "10K", "", "0", "0", "0"});
    table().setCell(c.column, 1, c.text);
    write();
    EXPECT_EQ(record(0).substr(c.offset, c.bytes.size()), c.bytes)
        << "column " << c.column << " '" << c.text << "'";
  }
}

TEST_F(QpfWriter, ReadsNumbersUnderTheChosenSeparator) {
  fillRow(table(), 1, {"1", "R1", "10K", "", "12,345", "0", "0"});
  controls.RB_EN = true;
  write();
  EXPECT_EQ(record(0).substr(26, 4), hex("1F 85 45 41"));
  controls.RB_EN = false;
  controls.decimalSeparator = ',';
  write();
  EXPECT_EQ(record(0).substr(26, 4), hex("1F 85 45 41"));
}

TEST_F(QpfWriter, TakesTheForceByteFromTheFirstCharacter) {
  fillRow(table(), 1, {"1", "R1", "10K", "", "0", "0", "0"});
  fillRow(table(), 2, {"2", "R2", "10K", "", "0", "0", "0"});
  for (auto [force, byte] : {std::pair{"1", '\x31'}, {"2", '\x32'}, {"25", '\x32'}, {"", '\0'}}) {
    controls.ED_Forza = force;
    write();
    EXPECT_EQ(record(0).substr(36), tail(byte)) << force;
    EXPECT_EQ(record(1).substr(36), tail(byte)) << force;
  }
}

TEST_F(QpfWriter, StoresTheFileLengthAfterTheHeader) {
  write();
  EXPECT_EQ(output(), std::string(127, 'H') + le32(131));
  for (int row = 1; row <= 3; ++row)
    fillRow(table(), row,
            {std::to_string(row), "R" + std::to_string(row), "1K", "", "1", "2", "0"});
  write();
  EXPECT_EQ(output().size(), 131u + 3 * 104);
  EXPECT_EQ(output().substr(127, 4), hex("BB 01 00 00"));
}

TEST_F(QpfWriter, CopiesAtMost127BytesOfTheTemplate) {
  fillRow(table(), 1, {"7", "R1", "10K", "", "1", "2", "0"});
  std::string longTemplate;
  for (int i = 0; i < 1000; ++i) longTemplate += static_cast<char>(i * 7);
  for (std::size_t size : {1000u, 128u, 127u, 126u, 50u, 1u, 0u}) {
    std::string templateBytes = longTemplate.substr(0, size);
    testing::writeFile(controls.Edit1, templateBytes);
    write();
    std::string header = templateBytes.substr(0, 127);
    std::string out = output();
    ASSERT_EQ(out.size(), header.size() + 4 + 104) << size;
    EXPECT_EQ(out.substr(0, header.size()), header) << size;
    EXPECT_EQ(out.substr(header.size(), 4), le32(static_cast<std::uint32_t>(out.size()))) << size;
    EXPECT_EQ(out.substr(header.size() + 4, 2), hex("07 00")) << size;
  }
}

TEST_F(QpfWriter, ATemplateMayAlsoBeTheOutput) {
  std::string earlier(300, 'E');
  earlier[0] = 'Q';
  testing::writeFile(controls.Edit4, earlier);
  controls.Edit1 = controls.Edit4;
  write();
  EXPECT_EQ(output(), earlier.substr(0, 127) + le32(131));
}

TEST_F(QpfWriter, SkipsRowsWithoutNumberOrReferenceAndTrimsWhatItConsiders) {
  fillRow(table(), 1, {"", "R9", " 10K ", "", "1", "2", "3"});
  fillRow(table(), 2, {" 2 ", "   ", " 10K ", "", "x", "x", "x"});
  fillRow(table(), 3, {" 3\t", " R3 ", " 22pF ", " x ", " 5 ", " 6 ", " 7 ", " SOT23 "});
  table().setCell(0, 3, " a ");
  table().setCell(9, 3, "\tz\n");
  write();
  EXPECT_EQ(output().size(), 131u + 104);
  EXPECT_EQ(record(0).substr(0, 11), hex("03 00") + "R3      " + '\0');
  EXPECT_EQ(testing::rowText(table(), 1), "||R9| 10K ||1|2|3||");
  EXPECT_EQ(testing::rowText(table(), 2), "|2||10K||x|x|x||");
  EXPECT_EQ(testing::rowText(table(), 3), "a|3|R3|22pF|x|5|6|7|SOT23|z");
}

// A run that stops part-way used to leave the header, a zero length and half a
// record behind; the earlier file must stay as it was.
TEST_F(QpfWriter, AConversionErrorKeepsTheEarlierOutput) {
  const std::string earlier = "earlier output\n";
  for (auto [column, text] : {std::pair{1, "x"}, {5, "abc"}, {6, "1.2.3"}, {7, ""}, {5, "1e39"}}) {
    testing::writeFile(controls.Edit4, earlier);
    fillRow(table(), 1, {"1", " R1 ", "10K", "", "1", "2", "3"});
    fillRow(table(), 2, {"2", "R2", " 22pF ", "", "1", "2", "3"});
    table().setCell(column, 2, text);
    EXPECT_THROW(write(), ConversionError) << column << " '" << text << "'";
    EXPECT_EQ(output(), earlier);
    EXPECT_EQ(entries(dir.path()), 2u) << "a temporary file is left";
    EXPECT_EQ(table().cell(2, 1), "R1");
    EXPECT_EQ(table().cell(3, 2), "22pF") << "the failing row stays trimmed";
  }
}

// Opening the output first emptied it even when the template was missing.
TEST_F(QpfWriter, AnUnreadableTemplateLeavesTheOutputAlone) {
  const std::string earlier = "earlier output\n";
  testing::writeFile(controls.Edit4, earlier);
  fillRow(table(), 1, {"1", " R1 ", "10K", "", "1", "2", "3"});
  fs::create_directory(dir / "folder");
  for (const fs::path& missing : {dir / "NONE.QPF", dir / "folder", fs::path()}) {
    controls.Edit1 = missing;
    Outcome outcome = write();
    EXPECT_EQ(outcome.messages, std::vector{kOpenErrorMessage});
    EXPECT_EQ(outcome.unopened, missing);
    EXPECT_EQ(output(), earlier);
    EXPECT_EQ(table().cell(2, 1), " R1 ") << "nothing is read";
  }
}

TEST_F(QpfWriter, AnOutputThatCannotBeCreatedIsAnOpenError) {
  fillRow(table(), 1, {"1", " R1 ", "10K", "", "1", "2", "3"});
  fs::create_directory(dir / "folder");
  for (const fs::path& target : {dir / "missing" / "OUT.QPF", dir / "folder", fs::path()}) {
    controls.Edit4 = target;
    Outcome outcome = write();
    EXPECT_EQ(outcome.messages, std::vector{kOpenErrorMessage});
    EXPECT_EQ(outcome.unopened, target);
    EXPECT_EQ(table().cell(2, 1), " R1 ");
  }
  EXPECT_TRUE(fs::is_directory(dir / "folder"));
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_F(QpfWriter, AFolderWithoutWritePermissionIsAnOpenError) {
  fs::create_directory(dir / "locked");
  controls.Edit4 = dir / "locked" / "OUT.QPF";
  testing::writeFile(controls.Edit4, "earlier");
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  if (AtomicFile(dir / "locked" / "probe").isOpen()) GTEST_SKIP() << "permissions not enforced";
  Outcome outcome = write();
  EXPECT_EQ(outcome.messages, std::vector{kOpenErrorMessage});
  EXPECT_EQ(readFile(controls.Edit4), "earlier");
}

// A failed write used to be followed by the success message.
TEST_F(QpfWriter, AFullDeviceIsAWriteErrorNotASuccess) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  controls.Edit4 = "/dev/full";
  for (int row = 1; row < 9; ++row) fillRow(table(), row, {"1", "R1", "10K", "", "1", "2", "3"});
  EXPECT_THROW(write(), WriteError);
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

}  // namespace
}  // namespace brisel
