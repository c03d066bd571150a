// Inputs that never end or are far too large: every reader stops at its bound
// with a message, and the settings file is read only when it is a plain file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/settings.h"
#include "core/lines.h"
#include "tests/cli_kit.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

struct BoundCase {
  const char* name;
  std::string bytes;
  ReadBounds bounds;
  long linesBeforeStop;  // -1: the whole file reads without a stop
};

class LineBounds : public ::testing::TestWithParam<BoundCase> {};

TEST_P(LineBounds, StopPastTheBoundAndNotBefore) {
  const BoundCase& c = GetParam();
  TempDir dir;
  const fs::path file = dir.write("in", c.bytes);
  // The file's bytes in memory stop at the same line with the same message.
  for (bool inMemory : {false, true}) {
    SCOPED_TRACE(inMemory ? "in memory" : "from the file");
    LineReader reader = inMemory
                            ? LineReader::ofBytes(c.bytes, file, LineReader::kDataLine, c.bounds)
                            : LineReader(file, LineReader::kDataLine, c.bounds);
    long lines = 0;
    std::string line;
    bool stopped = false;
    try {
      while (reader.next(line)) ++lines;
    } catch (const InputTooLong& error) {
      stopped = true;
      EXPECT_EQ(lines, c.linesBeforeStop) << error.what();
      EXPECT_NE(std::string(error.what()).find("File troppo lungo"), std::string::npos);
      EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos);
    }
    if (!stopped) {
      EXPECT_EQ(c.linesBeforeStop, -1) << "read " << lines << " lines without a stop";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineBounds,
    ::testing::Values(BoundCase{"BytesExactlyTheBound", "ab\ncd\n", {6, 100}, -1},
                      // The bound is checked as each chunk comes in, before its lines are given.
                      BoundCase{"OneByteTooMany", "ab\ncd\ne", {6, 100}, 0},
                      // Carriage returns are read too: they count.
                      BoundCase{"CarriageReturnsCount", "ab\r\ncd\r\n", {6, 100}, 0},
                      BoundCase{"LinesExactlyTheBound", "a\nb\nc", {100, 3}, -1},
                      BoundCase{"OneLineTooMany", "a\nb\nc\nd\n", {100, 3}, 3},
                      BoundCase{"EmptyFile", "", {0, 0}, -1},
                      BoundCase{"LongLinesCutStillCount", std::string(250, 'x'), {1000, 2}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineBounds, ABoardOfTheLargestSizeIsWellWithin) {
  // 65,535 components of the longest data line (98 characters, CR LF), with a
  // value line before each: the most any format of a real board needs.
  EXPECT_GT(LineReader::kMaxBytes, std::size_t{2} * 65535 * 100 * 2);
  EXPECT_GT(LineReader::kMaxLines, 2L * 65535 * 2);
}

#ifndef _WIN32
TEST(SettingsBounds, OnlyARegularFileIsRead) {
  TempDir dir;
  fs::path fifo = dir / "KSR.ini";
  ASSERT_EQ(std::system(("mkfifo '" + fifo.string() + "'").c_str()), 0);
  // A FIFO nobody writes to would block the start for ever.
  for (const fs::path& file : {fifo, fs::path("/dev/zero")})
    for (const auto& slot : loadSettings(file)) EXPECT_FALSE(slot.has_value()) << file;
  // A link to a regular file is read like the file.
  fs::path real = dir.write("real.ini", "one\r\n");
  fs::create_symlink(real, dir / "link.ini");
  EXPECT_EQ(loadSettings(dir / "link.ini")[0], "one");
}

// Each reader on an endless input ends with its message. A hang shows as the
// test's timeout.
struct EndlessCase {
  const char* setting;
  const char* operation;
  const char* device;
  const char* message;
};

class EndlessInput : public ::testing::TestWithParam<EndlessCase> {};

TEST_P(EndlessInput, EndsWithAMessage) {
  const EndlessCase& c = GetParam();
  std::vector<std::string> words = testing::sampleBoardSettings();
  words.insert(words.end(), {"--english", "import-rep", c.setting, c.device, c.operation});
  testing::CliResult result = testing::run(words);
  EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Readers, EndlessInput,
    ::testing::Values(EndlessCase{"--rep", "import-rep", "/dev/zero", "File troppo lungo"},
                      EndlessCase{"--txt", "import-txt", "/dev/zero", "File troppo lungo"},
                      EndlessCase{"--cmp", "import-cmp", "/dev/zero", "File troppo lungo"},
                      EndlessCase{"--cmp", "import-cmp", "/dev/urandom", "File troppo lungo"},
                      EndlessCase{"--bom", "import-bom", "/dev/zero", "File troppo lungo"},
                      EndlessCase{"--bom", "import-bom", "/dev/urandom", "File troppo lungo"},
                      EndlessCase{"--rak", "apply-rak", "/dev/zero", "File troppo lungo"},
                      EndlessCase{"--rak", "apply-rak", "/dev/urandom", "File troppo lungo"},
                      EndlessCase{"--zirkan", "view-zirkan", "/dev/zero", "File troppo lungo"},
                      EndlessCase{"--zirkan", "view-zirkan", "/dev/urandom", "File troppo lungo"},
                      EndlessCase{"--qpf", "view-qpf", "/dev/zero", "File troppo lungo"}),
    [](const auto& info) {
      return std::string(info.param.setting + 2) + "_" + std::string(info.param.device + 5);
    });
#endif

}  // namespace
}  // namespace brisel
