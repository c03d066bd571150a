// Writes that clean up after themselves: short temporary names, leftovers of
// killed runs removed by the next write, links that lead nowhere refused, the
// owner kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "core/platform.h"
#include "tests/testkit.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace brisel {
namespace {

using testing::readFile;
using testing::TempDir;

std::vector<std::string> names(const fs::path& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder))
    found.push_back(entry.path().filename().string());
  std::sort(found.begin(), found.end());
  return found;
}

void rewrite(const fs::path& target, std::string_view bytes) {
  AtomicFile file(target);
  ASSERT_TRUE(file.isOpen()) << target;
  file.write(bytes);
  file.commit();
}

TEST(InterruptedWrite, ANameOfAnyLegalLengthIsWritten) {
  TempDir dir;
  for (std::size_t length : {1, 200, 241, 242, 250, 255}) {
    fs::path target = dir / std::string(length, 'n');
    rewrite(target, "first");
    rewrite(target, "second");  // beside an existing target too
    EXPECT_EQ(readFile(target), "second") << length;
    fs::remove(target);
  }
  EXPECT_TRUE(names(dir.path()).empty());
}

bool nothingRuns(unsigned long) {
  return false;
}
bool everythingRuns(unsigned long) {
  return true;
}

TEST(InterruptedWrite, LeftoversAreRecognisedByKindTargetAndProcess) {
  const std::string prefix = AtomicFile::temporaryPrefix("out.QPF");
  EXPECT_EQ(prefix.size(), std::string(".brisel-12345678-").size());
  EXPECT_NE(prefix, AtomicFile::temporaryPrefix("out2.QPF"));
  struct Case {
    std::string name;
    bool (*alive)(unsigned long);
    bool leftover;
  };
  const Case cases[] = {
      {prefix + "4242-0a1b2c.tmp", nothingRuns, true},
      {prefix + "4242-0a1b2c.tmp", everythingRuns, false},  // its writer still runs
      {AtomicFile::temporaryPrefix("other") + "4242-0a1b2c.tmp", nothingRuns, false},
      {prefix + "4242-0a1b2c.tmpx", nothingRuns, false},
      {prefix + "4242-0a1b2.tmp", nothingRuns, false},
      {prefix + "4242-0A1B2C.tmp", nothingRuns, false},
      {prefix + "-0a1b2c.tmp", nothingRuns, false},
      {prefix + "x4242-0a1b2c.tmp", nothingRuns, false},
      {prefix + "4242_0a1b2c.tmp", nothingRuns, false},
      {".out.QPF.tmp123456789", nothingRuns, false},
      {"out.QPF", nothingRuns, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AtomicFile::isLeftover(c.name, prefix, c.alive), c.leftover) << c.name;
}

TEST(InterruptedWrite, TheNextWriteRemovesOnlyTheLeftoversOfKilledRuns) {
  TempDir dir;
  fs::path target = dir.write("out.QPF", "old");
  const std::string prefix = AtomicFile::temporaryPrefix("out.QPF");
  // No process has an id beyond 32 bits; this one does run.
  const std::string dead = prefix + "4294967295-abcdef.tmp";
  const std::string live = prefix + std::to_string(platform::processId()) + "-abcdef.tmp";
  const std::string otherTarget =
      AtomicFile::temporaryPrefix("other.QPF") + "4294967295-abcdef.tmp";
  const std::string folderNamedLikeOne = prefix + "4294967295-fedcba.tmp";
  for (const std::string& name : {dead, live, otherTarget}) testing::writeFile(dir / name, "x");
  fs::create_directory(dir / folderNamedLikeOne);
  rewrite(target, "new");
  std::vector<std::string> expected = {"out.QPF", live, otherTarget, folderNamedLikeOne};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names(dir.path()), expected);
  EXPECT_EQ(readFile(target), "new");
}

#ifndef _WIN32
TEST(InterruptedWrite, ALinkThatLeadsNowhereIsNotReplaced) {
  TempDir dir;
  fs::create_symlink("loop2", dir / "loop1");
  fs::create_symlink("loop1", dir / "loop2");
  fs::create_symlink("missing", dir / "dangling");
  fs::create_symlink("dangling", dir / "toDangling");
  for (const char* name : {"loop1", "dangling", "toDangling"}) {
    AtomicFile file(dir / name);
    EXPECT_FALSE(file.isOpen()) << name;
    EXPECT_THROW(file.commit(), WriteError) << name;
  }
  for (const char* name : {"loop1", "loop2", "dangling", "toDangling"})
    EXPECT_TRUE(fs::is_symlink(dir / name)) << name;
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "missing")));
  EXPECT_EQ(names(dir.path()).size(), 4u);
}

TEST(InterruptedWrite, ARewriteKeepsOwnerAndGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the administrator can give a file away";
  TempDir dir;
  fs::path target = dir.write("out.QPF", "old");
  ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
  rewrite(target, "new");
  struct stat status;
  ASSERT_EQ(::stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_uid, 65534u);
  EXPECT_EQ(status.st_gid, 65534u);
  EXPECT_EQ(readFile(target), "new");
}
#endif

}  // namespace
}  // namespace brisel
