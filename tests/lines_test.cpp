#include "core/lines.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/testkit.h"

namespace brisel {
namespace {

using testing::TempDir;

std::vector<std::string> linesOf(LineReader& reader) {
  EXPECT_TRUE(reader.isOpen());
  std::vector<std::string> lines;
  std::string line;
  while (reader.next(line)) {
    lines.push_back(line);
    EXPECT_EQ(reader.lineNumber(), static_cast<long>(lines.size()));
  }
  EXPECT_FALSE(reader.failed());
  return lines;
}

// The lines of the file, which its bytes read from memory give alike.
std::vector<std::string> readAll(const std::filesystem::path& file,
                                 std::size_t maxRead = LineReader::kDataLine) {
  LineReader reader(file, maxRead);
  std::vector<std::string> lines = linesOf(reader);
  std::optional<std::string> bytes = readUpTo(file, LineReader::kMaxBytes);
  EXPECT_TRUE(bytes.has_value());
  const std::string text = bytes.value_or("");
  LineReader inMemory = LineReader::ofBytes(text, file, maxRead);
  EXPECT_EQ(linesOf(inMemory), lines);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, KeepsLineFeedsAndTheLastLineWithoutOne) {
  TempDir dir;
  EXPECT_EQ(readAll(dir.write("a", "one\ntwo\nthree")), (Lines{"one\n", "two\n", "three"}));
  EXPECT_EQ(readAll(dir.write("b", "one\n")), (Lines{"one\n"}));
  EXPECT_EQ(readAll(dir.write("c", "\n\n")), (Lines{"\n", "\n"}));
  EXPECT_TRUE(readAll(dir.write("d", "")).empty());
}

TEST(LineReader, DropsEveryCarriageReturn) {
  TempDir dir;
  EXPECT_EQ(readAll(dir.write("a", "one\r\ntwo\r\r\nx\ry\r")), (Lines{"one\n", "two\n", "xy"}));
  EXPECT_TRUE(readAll(dir.write("b", "\r\r")).empty());
}

TEST(LineReader, CutsReadsAtNinetyNineCharacters) {
  TempDir dir;
  std::string s98(98, 'a'), s99(99, 'b'), s100(100, 'c'), s150(150, 'd');
  EXPECT_EQ(readAll(dir.write("98", s98 + "\nz")), (Lines{s98 + "\n", "z"}));
  // 99 characters fill the buffer: the line feed comes as a line of its own.
  EXPECT_EQ(readAll(dir.write("99", s99 + "\nz")), (Lines{s99, "\n", "z"}));
  EXPECT_EQ(readAll(dir.write("100", s100 + "\n")), (Lines{s100.substr(0, 99), "c\n"}));
  EXPECT_EQ(readAll(dir.write("150", s150)), (Lines{s150.substr(0, 99), s150.substr(99)}));
  // Carriage returns do not count towards the 99.
  EXPECT_EQ(readAll(dir.write("cr", s98 + "\r\n")), (Lines{s98 + "\n"}));
}

TEST(LineReader, ReadsEveryByteOnceAcrossItsBuffer) {
  TempDir dir;
  std::string text;
  Lines expected;
  for (int i = 0; i < 20000; ++i) {
    std::string line = "R" + std::to_string(i) + std::string(i % 120, 'x');
    std::string left = line + "\n";
    while (left.size() > 99) {
      expected.push_back(left.substr(0, 99));
      left.erase(0, 99);
    }
    expected.push_back(left);
    text += line + (i % 3 == 0 ? "\r\n" : "\n");
  }
  EXPECT_EQ(readAll(dir.write("big", text)), expected);
}

TEST(LineReader, KeepsNulBytesAsCharacters) {
  TempDir dir;
  EXPECT_EQ(readAll(dir.write("nul-byte", std::string("a\0b\n", 4))),
            (Lines{std::string("a\0b\n", 4)}));
}

TEST(LineReader, LongerReadsForSettings) {
  TempDir dir;
  std::string s500(500, 'p');
  EXPECT_EQ(readAll(dir.write("s", s500 + "\n"), 499), (Lines{s500.substr(0, 499), "p\n"}));
}

TEST(LineReader, MissingFilesAndFoldersStayClosed) {
  TempDir dir;
  std::string line;
  LineReader missing(dir / "none");
  EXPECT_FALSE(missing.isOpen());
  EXPECT_FALSE(missing.next(line));
  LineReader folder(dir.path());
  EXPECT_FALSE(folder.isOpen());
  EXPECT_FALSE(folder.next(line));
}

}  // namespace
}  // namespace brisel
