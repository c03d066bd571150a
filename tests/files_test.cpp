// Files the program writes whole or not at all, the settings file and the
// locale's decimal separator.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/settings.h"
#include "cli/locale.h"
#include "core/atomic_file.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

namespace brisel {
namespace {

using testing::readFile;
using testing::TempDir;

std::size_t entries(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(AtomicFile, ReplacesTheTargetOnlyOnCommit) {
  TempDir dir;
  fs::path target = dir.write("out.bin", "old");
  {
    AtomicFile file(target);
    ASSERT_TRUE(file.isOpen());
    file.write("new ");
    file.write("bytes");
    EXPECT_EQ(readFile(target), "old");
    file.commit();
  }
  EXPECT_EQ(readFile(target), "new bytes");
  EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(AtomicFile, LeavesTheTargetAndNoTemporaryWhenAbandoned) {
  TempDir dir;
  fs::path target = dir.write("out.bin", "old");
  {
    AtomicFile file(target);
    file.write("half");
  }
  EXPECT_EQ(readFile(target), "old");
  EXPECT_EQ(entries(dir.path()), 1u);
  {
    AtomicFile fresh(dir / "new.bin");
    fresh.write("x");
  }
  EXPECT_FALSE(fs::exists(dir / "new.bin"));
}

TEST(AtomicFile, CannotOpenInAMissingFolderOrOverAFolder) {
  TempDir dir;
  EXPECT_FALSE(AtomicFile(dir / "missing" / "out.bin").isOpen());
  EXPECT_FALSE(AtomicFile(dir.path()).isOpen());
  EXPECT_FALSE(AtomicFile(fs::path()).isOpen());
}

TEST(AtomicFile, KeepsPermissionsAndFollowsSymbolicLinks) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links need a privilege on Windows, and permissions are not POSIX's";
#endif
  TempDir dir;
  fs::path real = dir.write("real.bin", "old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::path link = dir / "link.bin";
  fs::create_symlink("real.bin", link);
  AtomicFile file(link);
  file.write("new");
  file.commit();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(readFile(real), "new");
  EXPECT_EQ(fs::status(real).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(AtomicFile, ReportsAFullDevice) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  AtomicFile file("/dev/full");
  ASSERT_TRUE(file.isOpen());
  EXPECT_THROW(
      {
        file.write(std::string(1 << 20, 'x'));
        file.commit();
      },
      WriteError);
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

const SettingsPaths kPaths = {"/a/b.QPF", "/c d/e.REP", "",      "C:\\x\\y.QPF", "m.MNT",
                              "b.BOM",    "r.RAK",      "t.TXT", "z.TXT"};

TEST(Settings, RoundTripsNineLinesEndingInCrLf) {
  TempDir dir;
  fs::path ini = dir / "KSR.ini";
  ASSERT_TRUE(saveSettings(ini, kPaths));
  EXPECT_EQ(readFile(ini),
            "/a/b.QPF\r\n/c d/e.REP\r\n\r\nC:\\x\\y.QPF\r\nm.MNT\r\nb.BOM\r\nr.RAK\r\nt.TXT\r\n"
            "z.TXT\r\n");
  auto loaded = loadSettings(ini);
  for (std::size_t i = 0; i < kSettingsLines; ++i) EXPECT_EQ(loaded[i], kPaths[i]) << i;
}

TEST(Settings, LoadsEveryLineEndingAndTrimsBlanks) {
  TempDir dir;
  for (const char* end : {"\n", "\r\n", "\r\r\n"}) {
    std::string text;
    for (int i = 1; i <= 9; ++i) text += "  path" + std::to_string(i) + " \t" + end;
    auto loaded = loadSettings(dir.write("KSR.ini", text));
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(loaded[i - 1], "path" + std::to_string(i));
  }
}

// brisel.ini: what reads back is what was written, and a line that would not
// read back the same (a line end inside, an '=' in the key) is left out.
TEST(Settings, OwnSettingsRoundTripKeyValueLines) {
  TempDir dir;
  fs::path ini = ownSettingsFile(dir / "KSR.ini");
  EXPECT_EQ(ini, dir / "brisel.ini");
  const OwnSettings written = {{"lingua", "en"},
                               {"posizioni", "/c d/b=1.csv"},
                               {"bad\nkey", "x"},
                               {"a=b", "x"},
                               {"value", "two\r\nlines"}};
  ASSERT_TRUE(saveOwnSettings(ini, written));
  EXPECT_EQ(readFile(ini), "lingua=en\r\nposizioni=/c d/b=1.csv\r\n");
  EXPECT_EQ(loadOwnSettings(ini), (OwnSettings{{"lingua", "en"}, {"posizioni", "/c d/b=1.csv"}}));
  EXPECT_EQ(loadOwnSettings(dir.write("brisel.ini", "no equals\n k = v \nk=second\n")),
            (OwnSettings{{"k", "v"}}));
  EXPECT_TRUE(loadOwnSettings(dir / "missing.ini").empty());
}

TEST(Settings, AShortFileLeavesTheLastBoxesAlone) {
  TempDir dir;
  auto loaded = loadSettings(dir.write("KSR.ini", "one\r\ntwo"));
  EXPECT_EQ(loaded[0], "one");
  EXPECT_EQ(loaded[1], "two");
  for (std::size_t i = 2; i < kSettingsLines; ++i) EXPECT_FALSE(loaded[i].has_value());
  for (const auto& slot : loadSettings(dir / "missing.ini")) EXPECT_FALSE(slot.has_value());
}

TEST(Settings, LongPathsKeepToTheBuffer) {
  TempDir dir;
  fs::path ini = dir / "KSR.ini";
  SettingsPaths paths = kPaths;
  paths[0] = std::string(497, 'a');
  paths[1] = std::string(498, 'b');
  paths[2] = std::string(700, 'c');  // cut to 498: with its line end it still reads as one line
  ASSERT_TRUE(saveSettings(ini, paths));
  auto loaded = loadSettings(ini);
  EXPECT_EQ(loaded[0], paths[0]);
  EXPECT_EQ(loaded[1], paths[1]);
  EXPECT_EQ(loaded[2], std::string(498, 'c'));
  EXPECT_EQ(loaded[3], paths[3]);
  // A longer line in the file is read as 499 characters, then its rest.
  auto split = loadSettings(dir.write("long.ini", std::string(600, 'x') + "\r\nnext\r\n"));
  EXPECT_EQ(split[0], std::string(499, 'x'));
  EXPECT_EQ(split[1], std::string(101, 'x'));
  EXPECT_EQ(split[2], "next");
}

TEST(Settings, AnUnwritableFolderFailsQuietlyAndKeepsTheOldFile) {
  TempDir dir;
  EXPECT_FALSE(saveSettings(dir / "missing" / "KSR.ini", kPaths));
  EXPECT_FALSE(saveSettings(dir.write("plain", "x") / "KSR.ini", kPaths));
  fs::path ini = dir.write("KSR.ini", "old\r\n");
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  bool saved = saveSettings(ini, kPaths);
  fs::permissions(dir.path(), fs::perms::owner_all);
  if (saved) GTEST_SKIP() << "running with rights that ignore folder permissions";
  EXPECT_EQ(readFile(ini), "old\r\n");
}

TEST(Settings, LiveBesideTheExecutable) {
  EXPECT_EQ(settingsFile(fs::path("/opt/brisel/bin/brisel")), fs::path("/opt/brisel/bin/KSR.ini"));
}

void setVariable(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value ? value : "");
#else
  if (value)
    setenv(name, value, 1);
  else
    unsetenv(name);
#endif
}

TEST(Locale, TakesLcAllThenLcNumericThenLang) {
  setVariable("LC_ALL", nullptr);
  setVariable("LC_NUMERIC", nullptr);
  setVariable("LANG", nullptr);
  EXPECT_EQ(decimalSeparatorFromEnvironment(), '.');
  setVariable("LANG", "it_IT.UTF-8");
  EXPECT_EQ(decimalSeparatorFromEnvironment(), ',');
  setVariable("LC_NUMERIC", "en_US.UTF-8");
  EXPECT_EQ(decimalSeparatorFromEnvironment(), '.');
  setVariable("LC_ALL", "de_DE");
  EXPECT_EQ(decimalSeparatorFromEnvironment(), ',');
  setVariable("LC_ALL", "");  // empty counts as not set
  EXPECT_EQ(decimalSeparatorFromEnvironment(), '.');
  setVariable("LC_ALL", nullptr);
  setVariable("LC_NUMERIC", nullptr);
  setVariable("LANG", nullptr);
}

TEST(Locale, KnowsTheCommaLanguages) {
  EXPECT_EQ(decimalSeparatorOfLocale("C"), '.');
  EXPECT_EQ(decimalSeparatorOfLocale("POSIX"), '.');
  EXPECT_EQ(decimalSeparatorOfLocale("C.UTF-8"), '.');
  EXPECT_EQ(decimalSeparatorOfLocale("en_GB.UTF-8"), '.');
  EXPECT_EQ(decimalSeparatorOfLocale("it_IT"), ',');
  EXPECT_EQ(decimalSeparatorOfLocale("fr_FR.UTF-8@euro"), ',');
  EXPECT_EQ(decimalSeparatorOfLocale("pt_BR.UTF-8"), ',');
  EXPECT_EQ(decimalSeparatorOfLocale("es_MX.UTF-8"), '.');
  EXPECT_EQ(decimalSeparatorOfLocale("xx_YY"), '.');
}

}  // namespace
}  // namespace brisel
