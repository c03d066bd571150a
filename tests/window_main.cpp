// The window tests run headless, with the point as the decimal separator.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Headless unless a platform is asked for (screenshots under xvfb-run).
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The point as the user's decimal separator, as the tests' numbers are written.
  qputenv("LC_ALL", "C.UTF-8");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
