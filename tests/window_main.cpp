// The window tests run headless, with the point as the decimal separator.

#include <gtest/gtest.h>

#include <QApplication>

#include "window/language.h"

namespace {

// The language is the application's, not a window's: a test that leaves the
// window in English would leave every test after it in English.
class ItalianAfterEachTest : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override {
    language::choose(QStringLiteral("it"));
    QCoreApplication::processEvents();
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Headless unless a platform is asked for (screenshots under xvfb-run).
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The point as the user's decimal separator, as the tests' numbers are written.
  qputenv("LC_ALL", "C.UTF-8");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ItalianAfterEachTest);
  return RUN_ALL_TESTS();
}
