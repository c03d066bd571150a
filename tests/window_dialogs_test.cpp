// The real dialogs as the window shows them, and what the operator sees
// around an operation's message boxes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "window/Unit1.h"
#include "window/dialogs.h"
#include "window/grid_view.h"

namespace {

using brisel::Controls;
using brisel::Outcome;
using brisel::Progress;
using brisel::Workspace;

TEST(WidgetDialogs, BoxesAreModalOwnedPlainAndHaveOneOkButton) {
  QWidget owner;
  owner.setWindowTitle("Brisel_10");
  const QString markup = "<b>abc</b>";
  struct Case {
    std::unique_ptr<QMessageBox> box;
    QMessageBox::Icon icon;
    QString caption;
  };
  Case cases[] = {
      {WidgetDialogs::messageBox(&owner, "Messaggio", markup), QMessageBox::NoIcon, "Messaggio"},
      {WidgetDialogs::errorBox(&owner, markup), QMessageBox::Critical, "Brisel_10"}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.box->text(), markup);
    EXPECT_EQ(c.box->textFormat(), Qt::PlainText);
    EXPECT_EQ(c.box->icon(), c.icon);
    EXPECT_EQ(c.box->windowTitle(), c.caption);
    EXPECT_EQ(c.box->parentWidget(), &owner);
    EXPECT_NE(c.box->windowModality(), Qt::NonModal);
    ASSERT_EQ(c.box->buttons().size(), 1);
    EXPECT_EQ(c.box->standardButton(c.box->buttons().front()), QMessageBox::Ok);
  }
}

TEST(WidgetDialogs, FileDialogOpensInTheFolderWithTheNameProposed) {
  brisel::testing::TempDir folder;
  QWidget owner;
  OpenDialog dialog;
  dialog.InitialDir = QString::fromStdString(folder.path().string());
  dialog.FileName = "OUT.QPF";
  dialog.Filter = "*.QPF|*.QPF";
  dialog.DefaultExt = "QPF";
  auto box = WidgetDialogs::fileDialog(&owner, dialog);
  EXPECT_EQ(box->parentWidget(), &owner);
  EXPECT_EQ(box->acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(box->fileMode(), QFileDialog::AnyFile);  // an output need not exist yet
  EXPECT_EQ(QDir(box->directory()).canonicalPath(), QDir(dialog.InitialDir).canonicalPath());
  EXPECT_EQ(box->defaultSuffix(), "QPF");
  EXPECT_EQ(box->nameFilters(), dialogNameFilters(dialog.Filter));
  EXPECT_FALSE(box->isVisible());
}

class FormAroundMessages : public ::testing::Test {
 protected:
  std::unique_ptr<TForm1> makeForm(FormOperations operations) {
    return std::make_unique<TForm1>(dialogs, folder / "KSR.ini", std::move(operations));
  }
  brisel::testing::TempDir folder;
  FakeDialogs dialogs;
};

// "Merge FootPrint" disables itself only once its closing message is read,
// and so does a button after the error box of a failure.
TEST_F(FormAroundMessages, ButtonsChangeAfterTheBoxes) {
  struct Watching : FakeDialogs {
    TForm1* form = nullptr;
    std::vector<bool> enabledAtBox;
    void message(QWidget* owner, const QString& caption, const QString& text) override {
      enabledAtBox.push_back(form->BU_FootPrint->isEnabled());
      FakeDialogs::message(owner, caption, text);
    }
    void error(QWidget* owner, const QString& text) override {
      enabledAtBox.push_back(form->BU_FootPrint->isEnabled());
      FakeDialogs::error(owner, text);
    }
  } watching;
  FormOperations operations;
  operations["BU_FootPrint"] = [](Workspace& w, const Controls&, Progress&) {
    w.BU_FootPrintEnabled = false;
    Outcome outcome;
    outcome.messages.push_back(brisel::kSuccessMessage);
    return outcome;
  };
  operations["Button4"] = [](Workspace& w, const Controls&, Progress&) -> Outcome {
    w.BU_FootPrintEnabled = true;
    throw brisel::ConversionError("x");
  };
  TForm1 form(watching, folder / "KSR.ini", operations);
  watching.form = &form;
  form.workspace().BU_FootPrintEnabled = true;
  form.BU_FootPrint->setEnabled(true);
  form.BU_FootPrint->click();
  form.Button4->click();
  EXPECT_EQ(watching.enabledAtBox, (std::vector<bool>{true, false}));
  EXPECT_TRUE(form.BU_FootPrint->isEnabled());
}

TEST_F(FormAroundMessages, DeletingRowsGivesTheTableTheFocus) {
  FormOperations operations = FormOperations::standard();
  auto form = makeForm(operations);
  form->show();
  QApplication::setActiveWindow(form.get());
  form->Button15->setFocus();
  form->Button15->click();
  EXPECT_TRUE(form->StringGrid1->hasFocus());
}

}  // namespace
