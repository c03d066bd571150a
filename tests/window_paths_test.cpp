// The nine paths go through a start and a close of the window byte for byte,
// whatever their bytes, under a UTF-8 locale; the operations open them as
// they are.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <memory>
#include <string>

#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "window/Unit1.h"
#include "window/path_bytes.h"

namespace {

using brisel::Controls;
using brisel::Outcome;
using brisel::Progress;
using brisel::Workspace;
using brisel::testing::readFile;
using brisel::testing::TempDir;

struct PathCase {
  const char* name;
  std::string bytes;  // a line of KSR.ini
  const char* shown;  // the box's text, UTF-8
};

class WindowPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(WindowPaths, SurviveAStartAndACloseAndReachTheOperations) {
  const PathCase& c = GetParam();
  TempDir folder;
  const std::filesystem::path settings = folder / "KSR.ini";
  std::string file;
  for (int box = 1; box <= 9; ++box) file += c.bytes + std::to_string(box) + "\r\n";
  brisel::testing::writeFile(settings, file);

  FakeDialogs dialogs;
  FormOperations operations = FormOperations::standard();
  std::string opened;
  operations["Button4"] = [&](Workspace&, const Controls& controls, Progress&) -> Outcome {
    opened = controls.Edit2.string();
    return {};
  };
  auto form = std::make_unique<TForm1>(dialogs, settings, std::move(operations));
  EXPECT_EQ(form->Edit2->text(), QString::fromUtf8(c.shown) + "2");
  form->Button4Click(form.get());
  EXPECT_EQ(opened, c.bytes + "2");
  form->show();
  EXPECT_TRUE(form->close());
  EXPECT_EQ(readFile(settings), file);

  // An edited box is saved as its new text says, in the locale's encoding;
  // the other boxes keep their bytes.
  form = std::make_unique<TForm1>(dialogs, settings);
  form->Edit3->setText(form->Edit3->text() + QString::fromUtf8("\u00e9"));
  form->show();
  EXPECT_TRUE(form->close());
  std::string saved = readFile(settings);
  std::string edited = std::string(c.shown) + "3\xC3\xA9\r\n";
  EXPECT_NE(saved.find(edited), std::string::npos) << saved;
  EXPECT_EQ(saved.substr(0, c.bytes.size() + 3), c.bytes + "1\r\n");
}

INSTANTIATE_TEST_SUITE_P(Bytes, WindowPaths,
                         ::testing::Values(PathCase{"Ascii", "/q/board", "/q/board"},
                                           PathCase{"Utf8", "/q/m\xC3\xBCller", "/q/m\u00fcller"},
                                           PathCase{"Latin1", "/q/\xE8", "/q/\u00e8"},
                                           PathCase{"Mixed", "/q/\xC3\xA8-\xE8-\xFF\xFE",
                                                    "/q/\u00c3\u00a8-\u00e8-\u00ff\u00fe"},
                                           PathCase{"LoneContinuation", "\x80x", "\u0080x"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PathBytes, DecodingIsLosslessForAnyBytes) {
  std::string every;
  for (int byte = 1; byte < 256; ++byte) every += static_cast<char>(byte);
  for (const std::string& bytes : {every, std::string("plain"), std::string("\xC3\xA8")}) {
    QString text = PathBytes::decode(bytes);
    QByteArray back =
        text.toUtf8() == QByteArray::fromStdString(bytes) ? text.toUtf8() : text.toLatin1();
    EXPECT_EQ(back.toStdString(), bytes);
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("LC_ALL", "C.UTF-8");
  qputenv("LANG", "C.UTF-8");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
