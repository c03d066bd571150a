// Where the window keeps the user's files: beside a portable copy, in the
// user's folders once installed.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include "tests/testkit.h"
#include "window/user_files.h"

namespace {

namespace userfiles = brisel::userfiles;

QString qt(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

// Sets an environment variable for the test's length.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const QString& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name, value.toLocal8Bit());
  }
  ~ScopedVariable() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

struct Layout {
  const char* name;
  bool marker;          // share/brisel/installed beside bin/
  bool documents;       // the user has a Documents folder
  const char* outputs;  // where the output boxes start, relative to the home or the tree
};

class UserFiles : public ::testing::TestWithParam<Layout> {};

TEST_P(UserFiles, InstalledProgramsWriteOnlyIntoTheUsersFolders) {
  const Layout& layout = GetParam();
  brisel::testing::TempDir dir;
  std::filesystem::create_directories(dir / "tree/bin");
  std::filesystem::create_directories(dir / "tree/share/brisel/samples");
  std::filesystem::create_directories(dir / "home/.config");
  if (layout.marker) dir.write("tree/share/brisel/installed", "installed\n");
  if (layout.documents) std::filesystem::create_directories(dir / "home/Documents");
  ScopedVariable home("HOME", qt(dir / "home"));
  ScopedVariable config("XDG_CONFIG_HOME", qt(dir / "home/.config"));

  const QString bin = qt(dir / "tree/bin");
  EXPECT_EQ(userfiles::isInstalled(bin), layout.marker);
  EXPECT_EQ(userfiles::samplesFolder(bin), qt(dir / "tree/share/brisel/samples"));
  EXPECT_EQ(userfiles::outputFolder(bin), QDir::cleanPath(qt(dir.path()) + "/" + layout.outputs));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, UserFiles,
    ::testing::Values(Layout{"Portable", false, true, "tree/share/brisel/samples"},
                      Layout{"InstalledWithDocuments", true, true, "home/Documents"},
                      Layout{"InstalledWithoutDocuments", true, false, "home"}),
    [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

TEST(UserFiles, TheSettingsFolderIsMadeInTheUsersConfiguration) {
  brisel::testing::TempDir dir;
  ScopedVariable config("XDG_CONFIG_HOME", qt(dir / "config"));
  const QString file = userfiles::userSettingsFile();
  const QString folder = qt(dir / "config") + "/" + QCoreApplication::applicationName();
  EXPECT_EQ(file, folder + "/KSR.ini");
  EXPECT_TRUE(QFileInfo(folder).isDir());
}

}  // namespace
