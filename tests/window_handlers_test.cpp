// The form, headless: the handlers' wrapper (its outcome, errors, progress and
// the one-at-a-time rule), the grids' refresh and the settings at create and close.

#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
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
// Handlers: outcome, errors, progress, one at a time

TEST_F(WindowTest, OutcomeIsShownAfterTheGridsAreRefreshed) {
  FormOperations operations;
  int rowsWhenMessaged = -1;
  operations["Button2"] = [&](Workspace& w, const Controls&, Progress&) {
    w.StringGrid1.setRowCount(30);
    w.StringGrid1.setCell(2, 29, "R29");
    w.StringGrid2.setRowCount(12);
    w.StringGrid3.setCell(1, 4, "90");
    w.Memo1 = {"first", "second \xE9"};
    w.Button17Enabled = false;
    w.BU_FootPrintEnabled = true;
    Outcome outcome;
    outcome.messages = {brisel::kOpenErrorMessage, brisel::kSuccessMessage};
    outcome.cursorRow = 12;
    return outcome;
  };
  auto form = makeForm(operations);
  QObject::connect(form->StringGrid1->model(), &QAbstractItemModel::rowsInserted, form.get(),
                   [&] { rowsWhenMessaged = static_cast<int>(dialogs.messages.size()); });
  form->StringGrid1->moveCursorTo(5, 2);
  form->Button2->click();

  EXPECT_EQ(rowsWhenMessaged, 0);
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].first, "Errore");
  EXPECT_EQ(dialogs.messages[0].second, "Errore epertura file");
  EXPECT_EQ(dialogs.messages[1].first, "Messaggio");
  EXPECT_EQ(dialogs.messages[1].second, "Operazione eseguita correttamente");
  EXPECT_EQ(form->StringGrid1->model()->rowCount(), 30);
  EXPECT_EQ(form->StringGrid1->model()->index(29, 2).data().toString(), "R29");
  EXPECT_EQ(form->StringGrid2->model()->rowCount(), 12);
  EXPECT_EQ(form->StringGrid3->model()->index(4, 1).data().toString(), "90");
  EXPECT_EQ(form->Memo1->toPlainText(), QString::fromUtf8("first\nsecond \u00e9"));
  EXPECT_FALSE(form->Button17->isEnabled());
  EXPECT_TRUE(form->BU_FootPrint->isEnabled());
  EXPECT_EQ(form->StringGrid1->Col(), 5);
  EXPECT_EQ(form->StringGrid1->Row(), 12);
}

// An operation that fails still shows what it wrote, the error goes to the
// error box, and the next press works.
TEST_F(WindowTest, ErrorOfAHandlerIsShownAndTheWindowStaysUsable) {
  FormOperations operations;
  int presses = 0;
  operations["Button4"] = [](Workspace& w, const Controls&, Progress& progress) -> Outcome {
    progress.show();
    progress.setPosition(30);
    w.StringGrid1.growFor(3);
    w.StringGrid1.setCell(2, 3, "R3");
    throw brisel::ConversionError("12,5").atLine(5);
  };
  operations["Button5"] = [&](Workspace&, const Controls&, Progress&) {
    ++presses;
    Outcome outcome;
    outcome.messages.push_back(brisel::kSuccessMessage);
    return outcome;
  };
  operations["Button10"] = [](Workspace&, const Controls&, Progress&) -> Outcome {
    throw std::out_of_range("cella fuori dalla griglia");
  };
  auto form = makeForm(operations);
  form->show();

  form->Button4->click();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], QString::fromUtf8("Riga 5: '12,5' non è un valore numerico valido"));
  EXPECT_FALSE(form->busy());
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->ProgressBar1->isHidden());
  EXPECT_EQ(form->StringGrid1->model()->rowCount(), 13);
  EXPECT_EQ(form->StringGrid1->model()->index(3, 2).data().toString(), "R3");

  form->Button5->click();
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(dialogs.messages.size(), 1u);

  form->Button10->click();
  ASSERT_EQ(dialogs.errors.size(), 2u);
  EXPECT_EQ(dialogs.errors[1], "cella fuori dalla griglia");
  form->Button5->click();
  EXPECT_EQ(presses, 2);
}

// The buttons run the operations of the button table, each its own.
TEST(FormOperations, StandardOperationsAreTheTablesFunctions) {
  const FormOperations o = FormOperations::standard();
  for (const brisel::Button& button : brisel::kButtons) {
    const brisel::Operation* target = o[button.name].target<brisel::Operation>();
    ASSERT_NE(target, nullptr) << button.name;
    EXPECT_EQ(*target, button.operation);
  }
}

TEST_F(WindowTest, ProgressBarShowsWhileTheOperationRuns) {
  FormOperations operations;
  std::vector<std::pair<bool, int>> states;  // visible, value
  QProgressBar* bar = nullptr;
  operations["Button14"] = [&](Workspace&, const Controls&, Progress& progress) {
    progress.show();
    states.emplace_back(bar->isVisible(), bar->value());
    for (int percent : {10, 10, 55, 250}) {
      progress.setPosition(percent);
      states.emplace_back(bar->isVisible(), bar->value());
    }
    progress.hide();
    states.emplace_back(bar->isVisible(), bar->value());
    return Outcome{};
  };
  auto form = makeForm(operations);
  bar = form->ProgressBar1;
  form->show();
  form->Button14->click();
  const std::vector<std::pair<bool, int>> expected = {{true, 0},  {true, 10},  {true, 10},
                                                      {true, 55}, {true, 100}, {false, 100}};
  EXPECT_EQ(states, expected);
  EXPECT_TRUE(bar->isHidden());
}

TEST_F(WindowTest, NoHandlerStartsWhileAnotherRuns) {
  FormOperations operations;
  int inner = 0;
  TForm1* self = nullptr;
  operations["Button7"] = [&](Workspace&, const Controls&, Progress& progress) {
    progress.show();
    self->Button9->click();  // as a click reaching the window while it works
    progress.hide();
    return Outcome{};
  };
  operations["Button9"] = [&](Workspace&, const Controls&, Progress&) {
    ++inner;
    return Outcome{};
  };
  auto form = makeForm(operations);
  self = form.get();
  form->Button7->click();
  EXPECT_EQ(inner, 0);
  form->Button9->click();
  EXPECT_EQ(inner, 1);
}

// A close asked for while a handler runs (a signal arriving meanwhile) waits
// for the handler's end, then saves the paths and closes.
TEST_F(WindowTest, CloseDuringAHandlerWaitsForItsEnd) {
  FormOperations operations;
  bool visibleAfterClose = false;
  TForm1* self = nullptr;
  operations["Button20"] = [&](Workspace&, const Controls&, Progress&) {
    self->close();
    visibleAfterClose = self->isVisible();
    return Outcome{};
  };
  auto form = makeForm(operations);
  self = form.get();
  form->show();
  form->Button20->click();
  EXPECT_TRUE(visibleAfterClose);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(std::filesystem::exists(settings));
}

// ---------------------------------------------------------------------------
// Refreshing the grids

TEST_F(WindowTest, RefreshTellsTheViewsInFewSignalsAndKeepsTheSelection) {
  FormOperations operations;
  int rows = 0;
  operations["Button19"] = [&](Workspace& w, const Controls&, Progress&) {
    w.StringGrid1.setRowCount(rows);
    return Outcome{};
  };
  auto form = makeForm(operations);
  QAbstractItemModel* model = form->StringGrid1->model();
  QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
  QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
  QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
  QSignalSpy reset(model, &QAbstractItemModel::modelReset);
  form->StringGrid1->moveCursorTo(3, 4);
  form->StringGrid1->selectionModel()->select(
      QItemSelection(model->index(2, 2), model->index(5, 3)), QItemSelectionModel::Select);

  rows = 65545;
  form->Button19->click();
  EXPECT_EQ(inserted.count(), 1);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(model->rowCount(), 65545);
  EXPECT_EQ(form->StringGrid1->Row(), 4);
  EXPECT_EQ(form->StringGrid1->Selection().Bottom, 5);

  rows = 7;
  form->Button19->click();
  EXPECT_EQ(removed.count(), 1);
  EXPECT_EQ(changed.count(), 2);
  EXPECT_EQ(model->rowCount(), 7);
  EXPECT_EQ(form->StringGrid1->Col(), 3);
  EXPECT_EQ(form->StringGrid1->Row(), 4);
  EXPECT_EQ(form->StringGrid1->Selection().Top, 2);
  EXPECT_EQ(form->StringGrid1->Selection().Bottom, 5);
  EXPECT_EQ(reset.count(), 0);
}

TEST_F(WindowTest, ByteDumpOfTheLargestFileOpensAndScrolls) {
  FormOperations operations;
  operations["Button2"] = [](Workspace& w, const Controls&, Progress&) {
    w.StringGrid2.setRowCount(65545);
    for (int c = 1; c < 110; ++c) w.StringGrid2.setCell(c, 65535, std::to_string(c));
    return Outcome{};
  };
  auto form = makeForm(operations);
  form->show();
  form->PageControl1->setCurrentIndex(1);
  form->Button2->click();
  GridView* view = form->StringGrid2;
  EXPECT_EQ(view->model()->rowCount(), 65545);
  EXPECT_EQ(view->rowHeight(65544), view->rowHeight(1));
  view->scrollTo(view->model()->index(65535, 109));
  QCoreApplication::processEvents();
  EXPECT_EQ(view->indexAt(view->visualRect(view->model()->index(65535, 109)).center()).row(),
            65535);
  EXPECT_EQ(view->model()->index(65535, 109).data().toString(), "109");
}

// ---------------------------------------------------------------------------
// Settings at create and close

TEST_F(WindowTest, CreateLoadsTheSettingsIntoTheNineBoxes) {
  brisel::testing::writeFile(settings,
                             "  /q/t.QPF \r\r\n/q/b.REP\r\r\n/q/b.CMP\n/q/o.QPF\r\n/q/b.MNT\r\n"
                             "/q/b.BOM\r\n\r\n/q/b.TXT\r\n/q/z.TXT\r\n");
  auto form = makeForm();
  const std::pair<QLineEdit*, const char*> expected[] = {
      {form->Edit1, "/q/t.QPF"}, {form->Edit2, "/q/b.REP"}, {form->Edit3, "/q/b.CMP"},
      {form->Edit4, "/q/o.QPF"}, {form->Edit5, "/q/b.MNT"}, {form->Edit6, "/q/b.BOM"},
      {form->Edit7, ""},         {form->Edit8, "/q/b.TXT"}, {form->Edit9, "/q/z.TXT"},
  };
  for (const auto& [edit, text] : expected)
    EXPECT_EQ(edit->text().toStdString(), text) << edit->objectName().toStdString();
}

TEST_F(WindowTest, ShortSettingsFileKeepsTheOtherStartTexts) {
  auto fresh = makeForm();
  QString startOfEdit3 = fresh->Edit3->text();
  QString startOfEdit9 = fresh->Edit9->text();
  fresh.reset();
  brisel::testing::writeFile(settings, "/q/t.QPF\r\n/q/b.REP\r\n");
  auto form = makeForm();
  EXPECT_EQ(form->Edit1->text(), "/q/t.QPF");
  EXPECT_EQ(form->Edit2->text(), "/q/b.REP");
  EXPECT_EQ(form->Edit3->text(), startOfEdit3);
  EXPECT_EQ(form->Edit9->text(), startOfEdit9);
}

TEST_F(WindowTest, CloseSavesTheNineBoxesAndTheNextStartGetsThem) {
  auto form = makeForm();
  form->show();
  form->Edit1->setText(QString::fromUtf8("/q/m\u00fcller.QPF"));
  form->Edit7->setText("");
  form->Edit9->setText("/q/z.TXT");
  EXPECT_TRUE(form->close());
  const std::string bytes = readFile(settings);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 9);
  EXPECT_EQ(bytes.substr(0, 16), "/q/m\xC3\xBCller.QPF\r\n");
  EXPECT_EQ(bytes.substr(bytes.size() - 12), "\r\n/q/z.TXT\r\n");
  QString edit5 = form->Edit5->text();
  form.reset();

  auto again = makeForm();
  EXPECT_EQ(again->Edit1->text(), QString::fromUtf8("/q/m\u00fcller.QPF"));
  EXPECT_EQ(again->Edit5->text(), edit5);
  EXPECT_EQ(again->Edit7->text(), "");
  EXPECT_EQ(again->Edit9->text(), "/q/z.TXT");
}

TEST_F(WindowTest, WindowClosesWhenTheSettingsCannotBeWritten) {
  settings = folder / "missing" / "KSR.ini";
  auto form = makeForm();
  form->show();
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(std::filesystem::exists(settings));
  EXPECT_TRUE(dialogs.errors.empty());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowTest, SettingsFileLiesBesideTheExecutable) {
  EXPECT_EQ(
      TForm1::defaultSettingsFile(),
      std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / "KSR.ini");
}

}  // namespace
}  // namespace window_tests
