#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <vector>

#include "output/operations.h"
#include "tests/output_fixture.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

namespace brisel {
namespace {

using testing::fillRow;
using testing::hex;

// A file whose byte at offset i is i % 251: every offset tells its own value.
std::string countingFile(std::size_t size) {
  std::string bytes;
  for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>(i % 251);
  return bytes;
}

std::string memoLine(std::size_t offset, unsigned byte, std::string_view shown) {
  return std::to_string(offset) + "\t" + std::to_string(byte) + "\t" + std::string(shown);
}

// A record as the writer makes it, with the given fields.
std::string record(std::string_view number, std::string_view reference, std::string_view value,
                   std::string_view x, std::string_view y, std::string_view angle) {
  return std::string(number) + std::string(reference) + std::string(value) + std::string(x) +
         std::string(y) + std::string(angle) + hex("31 41 00 00 00 00 58 59 31 00 00 00 20 00 01") +
         std::string(3, '\0') + std::string(41, ' ') + std::string(9, '\0');
}

class QpfViewer : public ::testing::Test {
 protected:
  void SetUp() override { controls.Edit4 = dir / "IN.QPF"; }
  Outcome view(std::string_view bytes) {
    testing::writeFile(controls.Edit4, bytes);
    return view();
  }
  Outcome view() {
    Progress progress;
    return viewQpf(workspace, controls, progress);
  }
  Grid& table() { return workspace.StringGrid1; }
  ByteGrid& dump() { return workspace.StringGrid2; }

  testing::TempDir dir;
  Workspace workspace;
  Controls controls;
};

struct BlockCase {
  std::size_t size;
  std::size_t memoLines;
  int dumpRows;       // row count of StringGrid2 afterwards
  int decodedBlocks;  // rows of the table decoded
};

// The fixed rule: 130 bytes, then blocks of 104, whatever the header was.
TEST_F(QpfViewer, CutsTheFileIntoBlocksOf130ThenOf104) {
  const BlockCase cases[] = {
      {0, 0, 10, 0},     {129, 129, 10, 0}, {130, 130, 10, 0}, {131, 131, 11, 0},
      {234, 234, 11, 1}, {235, 234, 12, 1}, {300, 234, 12, 1}, {130 + 104 * 12, 234, 22, 12},
  };
  for (const BlockCase& c : cases) {
    workspace = Workspace();
    std::string bytes = countingFile(c.size);
    EXPECT_EQ(view(bytes).messages, std::vector{kSuccessMessage});
    ASSERT_EQ(workspace.Memo1.size(), c.memoLines) << c.size;
    for (std::size_t i = 0; i < c.memoLines; ++i)
      ASSERT_EQ(workspace.Memo1[i].substr(0, memoLine(i, i % 251, "").size()),
                memoLine(i, i % 251, ""));
    ASSERT_EQ(dump().RowCount(), c.dumpRows) << c.size;
    for (int row = 0; row < dump().RowCount(); ++row) {
      for (int column = 0; column < dump().ColCount(); ++column) {
        std::size_t offset = 130 + 104 * static_cast<std::size_t>(row - 1) + column - 1;
        bool held = row >= 1 && column >= 1 && column <= 104 && offset < c.size;
        ASSERT_EQ(dump().cell(column, row), held ? std::to_string(offset % 251) : "")
            << c.size << " row " << row << " column " << column;
      }
    }
    ASSERT_EQ(table().RowCount(), c.decodedBlocks == 0 ? 10 : c.decodedBlocks + 10) << c.size;
    for (int row = 1; row < table().RowCount(); ++row)
      EXPECT_EQ(table().cell(1, row).empty(), row > c.decodedBlocks) << c.size << " row " << row;
  }
}

TEST_F(QpfViewer, ListsEachByteWithItsCharacter) {
  std::string bytes(234, 'A');
  bytes[0] = '\0';
  bytes[1] = '\x07';
  bytes[2] = ' ';
  bytes[3] = '\x7F';
  bytes[4] = '\x85';
  bytes[5] = '\xA0';
  bytes[6] = '\xE8';
  bytes[7] = '\t';
  bytes[167] = '1';
  workspace.Memo1 = {"earlier line"};
  view(bytes);
  ASSERT_EQ(workspace.Memo1.size(), 234u);
  EXPECT_EQ(workspace.Memo1[0], "0\t0\t");
  EXPECT_EQ(workspace.Memo1[1], "1\t7\t.");
  EXPECT_EQ(workspace.Memo1[2], "2\t32\t ");
  EXPECT_EQ(workspace.Memo1[3], "3\t127\t.");
  EXPECT_EQ(workspace.Memo1[4], "4\t133\t.");
  EXPECT_EQ(workspace.Memo1[5], "5\t160\t.");
  EXPECT_EQ(workspace.Memo1[6], "6\t232\t\xE8");
  EXPECT_EQ(workspace.Memo1[7], "7\t9\t.");
  EXPECT_EQ(workspace.Memo1[167], "167\t49\t1");
  EXPECT_EQ(workspace.Memo1[233], "233\t65\tA");
}

TEST_F(QpfViewer, DecodesTheFieldsOfEachCompleteBlock) {
  std::string file =
      std::string(127, 'H') + hex("00 00 00 00") +
      record(hex("01 00"), std::string("R1      ") + '\0', std::string("ABCDEFGHIJKLMN") + '\0',
             hex("66 66 46 41"), hex("00 00 80 BF"), hex("A6 FF")) +
      record(hex("FF FF"), std::string("R2\0xxxxx\0", 9), std::string("NM            ") + '\0',
             hex("00 00 00 00"), hex("00 00 C0 7F"), hex("5A 00"));
  controls.decimalSeparator = ',';
  view(file);
  EXPECT_EQ(testing::rowText(table(), 1), "|1|R1      |ABCDEFGHIJKLM||12,3999996185303|-1|65446||");
  EXPECT_EQ(testing::rowText(table(), 2), "|65535|R2|NM           ||0|NAN|90||");
  EXPECT_EQ(table().RowCount(), 12);
}

TEST_F(QpfViewer, TextsEndAtTheirLengthWithoutAZeroByte) {
  std::string block(130 + 104, 'Z');
  view(block);
  EXPECT_EQ(table().cell(2, 1), "ZZZZZZZZZZ");
  EXPECT_EQ(table().cell(3, 1), "ZZZZZZZZZZZZZ");
}

TEST_F(QpfViewer, NeverClearsTheGridsAndOnlyGrowsThem) {
  table().setRowCount(100);
  fillRow(table(), 1, {"9", "OLD", "OLD", "four", "9", "9", "9", "eight", "nine"});
  table().setCell(0, 1, "zero");
  fillRow(table(), 50, {"50", "R50"});
  dump().setCell(107, 1, "keep");
  dump().setCell(3, 5, "keep");
  view(countingFile(234));
  EXPECT_EQ(table().RowCount(), 100);
  EXPECT_EQ(table().cell(0, 1), "zero");
  EXPECT_EQ(table().cell(8, 1), "eight");
  // The side and the board of the table before are not the file's.
  EXPECT_EQ(table().cell(4, 1), "");
  EXPECT_EQ(table().cell(9, 1), "");
  EXPECT_NE(table().cell(2, 1), "OLD");
  EXPECT_EQ(testing::rowText(table(), 50), "|50|R50|||||||");
  EXPECT_EQ(dump().cell(107, 1), "keep");
  EXPECT_EQ(dump().cell(3, 5), "keep");
}

TEST_F(QpfViewer, EnablesBothButtonsOnlyWhenTheFileOpens) {
  workspace.Button17Enabled = false;
  workspace.BU_FootPrintEnabled = false;
  workspace.Memo1 = {"earlier line"};
  fs::create_directory(dir / "folder");
  for (const fs::path& missing : {dir / "NONE.QPF", dir / "folder", fs::path()}) {
    controls.Edit4 = missing;
    Outcome outcome = view();
    EXPECT_EQ(outcome.messages, std::vector{kOpenErrorMessage});
    EXPECT_EQ(outcome.unopened, missing);
    EXPECT_TRUE(workspace.Memo1.empty()) << "the memo is emptied first";
    EXPECT_FALSE(workspace.Button17Enabled);
    EXPECT_FALSE(workspace.BU_FootPrintEnabled);
  }
  controls.Edit4 = dir / "EMPTY.QPF";
  EXPECT_EQ(view("").messages, std::vector{kSuccessMessage});
  EXPECT_TRUE(workspace.Button17Enabled);
  EXPECT_TRUE(workspace.BU_FootPrintEnabled);
}

TEST_F(QpfViewer, ShowsAnyBytesWithoutFault) {
  std::mt19937 random(7);
  for (std::size_t size : {1u, 131u, 1000u, 20000u}) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>(random());
    EXPECT_EQ(view(bytes).messages, std::vector{kSuccessMessage});
    EXPECT_EQ(workspace.Memo1.size(), std::min<std::size_t>(size, 234));
  }
}

// A huge file used to be read to its end into the grids.
TEST_F(QpfViewer, StopsAfterTheLongestFileAFullTableGives) {
  const std::size_t longest = 131 + 104 * 65535;
  Outcome outcome = view(countingFile(longest + 1000));
  ASSERT_EQ(outcome.messages.size(), 2u);
  EXPECT_EQ(outcome.messages[0].text,
            "File troppo lungo: mostrati solo i primi 6815771 byte (65535 record)");
  EXPECT_EQ(outcome.messages[1], kSuccessMessage);
  EXPECT_EQ(dump().RowCount(), 65536 + 10);
  EXPECT_EQ(dump().cell(1, 65536), std::to_string((longest - 1) % 251));
  EXPECT_EQ(dump().cell(2, 65536), "");
  EXPECT_EQ(table().RowCount(), 65535 + 10);

  workspace = Workspace();
  EXPECT_EQ(view(countingFile(longest)).messages, std::vector{kSuccessMessage});
}

TEST_F(QpfViewer, ShowsWhatTheWriterWrote) {
  Workspace source;
  fillRow(source.StringGrid1, 1, {"1", "R1", "10K", "", "12.4", "-3.25", "-90"});
  fillRow(source.StringGrid1, 2,
          {"2", "REFERENCE12", "ABCDEFGHIJKLMNOPQ", "", "0", "250", "70000"});
  fillRow(source.StringGrid1, 3, {"70000", "C1", "", "", "1e-7", "123456.7", "0"});
  controls.Edit1 = dir.write("TEMPLATE.QPF", std::string(127, 'H'));
  Progress progress;
  writeQpf(source, controls, progress);
  view();
  EXPECT_EQ(testing::rowText(table(), 1),
            "|1|R1      |10K          ||12.3999996185303|-3.25|65446||");
  EXPECT_EQ(testing::rowText(table(), 2), "|2|REFERENC|ABCDEFGHIJKLM||0|250|4464||");
  EXPECT_EQ(testing::rowText(table(), 3),
            "|4464|C1      |NM           ||1.0000000116861E-7|123456.703125|0||");
  EXPECT_EQ(dump().cell(1, 4), "0") << "the last byte of record 3";
  EXPECT_EQ(workspace.Memo1.size(), 234u);
  EXPECT_EQ(workspace.Memo1[131], "131\t1\t.");
}

}  // namespace
}  // namespace brisel
