// The nine file pickers: the dialog each configures, and the paths and
// patterns it proposes.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <optional>

#include "app/buttons.h"
#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "tests/window_kit.h"
#include "window/Unit1.h"
#include "window/board_view.h"
#include "window/check_list.h"
#include "window/dialogs.h"
#include "window/grid_view.h"

namespace window_tests {
namespace {

// ---------------------------------------------------------------------------
// File pickers

struct Picker {
  const char* button;
  QLineEdit* TForm1::*edit;
  const char* filter;
  const char* extension;
};

const Picker kPickers[] = {
    {"Button1", &TForm1::Edit1, "*.QPF|*.QPF", "QPF"},
    {"Button3", &TForm1::Edit2, "*.REP|*.REP", "REP"},
    {"Button6", &TForm1::Edit3, "*.CMP|*.CMP", "CMP"},
    {"Button12", &TForm1::Edit6, "*.BOM|*.BOM", "BOM"},
    {"Button11", &TForm1::Edit5, "*.MNT|*.MNT", "MNT"},
    {"Button18", &TForm1::Edit8, "*.TXT|*.TXT", "TXT"},
    {"Button8", &TForm1::Edit4, "*.QPF|*.QPF", "QPF"},
    {"Button16", &TForm1::Edit7, "*.RAK|*.RAK", "RAK"},
    {"Button21", &TForm1::Edit9, "*.TXT|*.TXT", "TXT"},
};

TEST_F(WindowTest, EveryPickerConfiguresTheDialogAfreshAndTakesTheChoice) {
  auto form = makeForm();
  for (const Picker& picker : kPickers) {
    SCOPED_TRACE(picker.button);
    QLineEdit* edit = form.get()->*picker.edit;
    edit->setText("/boards/old/name.X");
    form->OpenDialog1.FilterIndex = 3;  // left over from elsewhere
    dialogs.opened.clear();
    dialogs.answer = QString("/boards/new/chosen.") + picker.extension;
    form->findChild<QPushButton*>(picker.button)->click();
    ASSERT_EQ(dialogs.opened.size(), 1u);
    const OpenDialog& shown = dialogs.opened[0];
    EXPECT_EQ(shown.InitialDir, "/boards/old/");
    EXPECT_EQ(shown.FileName, "name.X");
    EXPECT_EQ(shown.Filter, picker.filter);
    EXPECT_EQ(shown.FilterIndex, 1);
    EXPECT_EQ(shown.DefaultExt, picker.extension);
    EXPECT_EQ(edit->text(), dialogs.answer);
    EXPECT_EQ(form->OpenDialog1.FileName, dialogs.answer);
  }
}

TEST_F(WindowTest, CancelledPickerKeepsTheText) {
  auto form = makeForm();
  for (const Picker& picker : kPickers) {
    QLineEdit* edit = form.get()->*picker.edit;
    edit->setText("/boards/keep.me");
    dialogs.answer.reset();
    form->findChild<QPushButton*>(picker.button)->click();
    EXPECT_EQ(edit->text(), "/boards/keep.me") << picker.button;
  }
}

TEST_F(WindowTest, PickerOfAnEmptyOrFolderOnlyBox) {
  auto form = makeForm();
  dialogs.answer.reset();
  form->Edit2->setText("");
  form->Button3->click();
  form->Edit2->setText("/boards/only/");
  form->Button3->click();
  form->Edit2->setText("BOARD.REP");
  form->Button3->click();
  ASSERT_EQ(dialogs.opened.size(), 3u);
  EXPECT_EQ(dialogs.opened[0].InitialDir, "");
  EXPECT_EQ(dialogs.opened[0].FileName, "");
  EXPECT_EQ(dialogs.opened[1].InitialDir, "/boards/only/");
  EXPECT_EQ(dialogs.opened[1].FileName, "");
  EXPECT_EQ(dialogs.opened[2].InitialDir, "");
  EXPECT_EQ(dialogs.opened[2].FileName, "BOARD.REP");
}

TEST_F(WindowTest, TypedNameWithoutExtensionGetsTheDefault) {
  auto form = makeForm();
  dialogs.answer = "/out/ZIRKAN";
  form->Button21->click();
  EXPECT_EQ(form->Edit9->text(), "/out/ZIRKAN.TXT");
  dialogs.answer = "/out.d/PROGRAM";
  form->Button8->click();
  EXPECT_EQ(form->Edit4->text(), "/out.d/PROGRAM.QPF");
  dialogs.answer = "/out/PROGRAM.qpf";
  form->Button8->click();
  EXPECT_EQ(form->Edit4->text(), "/out/PROGRAM.qpf");
}

TEST(PickerPath, SplitsAtTheLastSeparatorOrDriveColon) {
  struct Case {
    const char* text;
    bool driveLetters;
    const char* folder;
    const char* name;
  };
  const Case cases[] = {
      {"/a/b/c.REP", false, "/a/b/", "c.REP"},
      {"/a/b/", false, "/a/b/", ""},
      {"c.REP", false, "", "c.REP"},
      {"", false, "", ""},
      {"/", false, "/", ""},
      {"C:\\boards\\x.QPF", false, "", "C:\\boards\\x.QPF"},
      {"C:\\boards\\x.QPF", true, "C:\\boards\\", "x.QPF"},
      {"C:x.QPF", true, "C:", "x.QPF"},
      {"C:/boards\\sub/x.QPF", true, "C:/boards\\sub/", "x.QPF"},
      {"\\\\server\\share\\", true, "\\\\server\\share\\", ""},
  };
  for (const Case& c : cases) {
    PathParts parts = splitPickerPath(c.text, c.driveLetters);
    EXPECT_EQ(parts.folder, c.folder) << c.text;
    EXPECT_EQ(parts.name, c.name) << c.text;
  }
  EXPECT_EQ(withDefaultExtension("", "TXT"), "");
  EXPECT_EQ(withDefaultExtension("/a/", "TXT"), "/a/");
  EXPECT_EQ(withDefaultExtension("/a/b", ""), "/a/b");
  EXPECT_EQ(withDefaultExtension("/a.b/c", "TXT"), "/a.b/c.TXT");
  EXPECT_EQ(withDefaultExtension("/a/c.", "TXT"), "/a/c.");
}

// The pickers' filters as the real dialog gets them: where names are
// case-sensitive a pattern matches any case (a board.qpf is a QPF file too),
// and the dialog shows only the description.
TEST(PickerFilter, PatternsMatchAnyCaseWhereNamesAreCaseSensitive) {
  struct Case {
    const char* filter;
    bool caseSensitiveNames;
    QStringList names;
  };
  const Case cases[] = {
      {"*.QPF|*.QPF", true, {"*.QPF (*.[Qq][Pp][Ff])"}},
      {"*.QPF|*.QPF", false, {"*.QPF (*.QPF)"}},
      {"*.TXT|*.TXT", true, {"*.TXT (*.[Tt][Xx][Tt])"}},
      {"Piazzamento|*.REP; *.MNT", true, {"Piazzamento (*.[Rr][Ee][Pp] *.[Mm][Nn][Tt])"}},
      {"*.REP|*.REP|Tutti|*", true, {"*.REP (*.[Rr][Ee][Pp])", "Tutti (*)"}},
      {"Insieme|*.[Qq]p?", true, {"Insieme (*.[Qq][Pp]?)"}},
      {"", true, {}},
      {"*.QPF", true, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(dialogNameFilters(c.filter, c.caseSensitiveNames), c.names) << c.filter;
}

// Matched as a case-sensitive dialog matches, the pattern of each picker takes
// its files in every case and nothing else.
TEST(PickerFilter, EachPickersPatternTakesItsFilesInAnyCase) {
  for (const Picker& picker : kPickers) {
    const QString name = dialogNameFilters(picker.filter, true).value(0);
    const QString pattern = name.mid(name.indexOf('(') + 1).chopped(1);
    const QRegularExpression match(QRegularExpression::wildcardToRegularExpression(pattern));
    const QString extension = picker.extension;
    for (const QString& file : {"BOARD." + extension, "board." + extension.toLower(),
                                "Board." + extension.left(1) + extension.mid(1).toLower()})
      EXPECT_TRUE(match.match(file).hasMatch())
          << pattern.toStdString() << " " << file.toStdString();
    for (const QString& file : {"BOARD." + extension + "X", QString("BOARD.BAK")})
      EXPECT_FALSE(match.match(file).hasMatch())
          << pattern.toStdString() << " " << file.toStdString();
  }
}

}  // namespace
}  // namespace window_tests
