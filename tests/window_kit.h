#pragma once
// What the window tests share: the form built headless over a settings file of
// its own and the recording dialogs.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <filesystem>
#include <memory>

#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "window/Unit1.h"

namespace window_tests {

using brisel::Controls;
using brisel::Outcome;
using brisel::Progress;
using brisel::Workspace;
using brisel::testing::readFile;
using brisel::testing::TempDir;

inline QString samplesFolder() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/brisel/samples");
}

class WindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<TForm1> makeForm(FormOperations operations = FormOperations::standard()) {
    return std::make_unique<TForm1>(dialogs, settings, std::move(operations));
  }

  TempDir folder;
  std::filesystem::path settings = folder / "KSR.ini";
  FakeDialogs dialogs;
};

}  // namespace window_tests
