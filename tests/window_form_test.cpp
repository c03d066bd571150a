// The form, headless: its controls and start state, the handlers' wrapper,
// the grids' refresh and the settings at create and close.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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
// Controls and start state

TEST_F(WindowTest, EveryControlIsThereWithItsCaption) {
  auto form = makeForm();
  const std::pair<const char*, const char*> captions[] = {
      {"Label1", "INPUT QPF (Vurk_tarno)"}, {"Label2", "INPUT REP (Zelti) ( QRL)"},
      {"Label3", "INPUT CMP (Orcad)"},      {"Label4", "INPUT BOM (Orcad)"},
      {"Label5", "INPUT MNT (Tarno)"},      {"Label6", "INPUT TXT (Olvan)"},
      {"Label7", "OUTPUT QPF (tarno)"},     {"Label8", "INPUT RAK (tarno)"},
      {"Label10", "OUTPUT ZIRKAN (tarno)"}, {"Label9", "Forza di default"},
  };
  for (const auto& [name, caption] : captions) {
    auto* label = form->findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text().toStdString(), caption) << name;
  }
  const std::pair<const char*, const char*> buttons[] = {
      {"Button4", "Apri REP"},
      {"Button5", "Apre CMP"},
      {"Button10", "Apre MNT"},
      {"Button13", "Apre BOM"},
      {"Button19", "Apre TXT"},
      {"Button7", "Riferimento"},
      {"Button17", "Applica RAK"},
      {"BU_FootPrint", "Merge FootPrint"},
      {"Button14", "RIORDINA COLONNA CURSORE"},
      {"Button15", "CANCELLA LINEE SELEZIONATE"},
      {"Button9", "Crea Output File"},
      {"Button2", "Apri QPF generato"},
      {"Button20", "Crea Output per ZIRKAN"},
      {"Button22", "Apre ZIRKAN generato"},
      {"Button1", "..."},
      {"Button3", "..."},
      {"Button6", "..."},
      {"Button12", "..."},
      {"Button11", "..."},
      {"Button18", "..."},
      {"Button8", "..."},
      {"Button16", "..."},
      {"Button21", "..."},
      {"RB_mm", "mm"},
      {"RB_mils", "mils"},
      {"CB_Format", "Virgola come separatore decimali"},
      {"RB_EN", "Inglese"},
      {"RB_IT", "Italiano"},
  };
  for (const auto& [name, caption] : buttons) {
    auto* button = form->findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(captionOf(button->text()).toStdString(), caption) << name;
  }
  for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8",
                           "Edit9", "ED_Forza"})
    EXPECT_NE(form->findChild<QLineEdit*>(name), nullptr) << name;
  for (const char* name : {"StringGrid1", "StringGrid2", "StringGrid3"})
    EXPECT_NE(form->findChild<GridView*>(name), nullptr) << name;
  EXPECT_NE(form->findChild<QPlainTextEdit*>("Memo1"), nullptr);
  EXPECT_NE(form->findChild<QTabWidget*>("PageControl1"), nullptr);
  EXPECT_NE(form->findChild<QProgressBar*>("ProgressBar1"), nullptr);
  auto* panel = form->findChild<QFrame*>("Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->windowTitle(), "Panel1");
  EXPECT_EQ(form->RB_EN->parentWidget(), panel);
  EXPECT_EQ(form->RB_IT->parentWidget(), panel);
  EXPECT_EQ(Form1, form.get());
}

TEST_F(WindowTest, StartsWithTheLayoutGeometryAndFonts) {
  auto form = makeForm();
  EXPECT_EQ(form->objectName(), "Form1");
  EXPECT_EQ(form->windowTitle(), "Brisel_10");
  EXPECT_EQ(form->size(), QSize(982, 686));
  EXPECT_EQ(form->pos(), QPoint(192, 82));
  EXPECT_EQ(form->font().pointSize(), 8);
  EXPECT_EQ(form->font().styleHint(), QFont::SansSerif);
  for (QLabel* label : {form->Label1, form->Label2, form->Label3, form->Label4, form->Label5,
                        form->Label6, form->Label7, form->Label8, form->Label10}) {
    EXPECT_TRUE(label->font().bold()) << label->objectName().toStdString();
    EXPECT_EQ(label->font().pixelSize(), 16) << label->objectName().toStdString();
  }
  EXPECT_TRUE(form->Label2->autoFillBackground());
  EXPECT_EQ(form->Label2->palette().color(QPalette::Window), QColor(Qt::red));
  EXPECT_FALSE(form->Label1->autoFillBackground());

  form->show();
  QCoreApplication::processEvents();
  for (QLineEdit* edit : {form->Edit1, form->Edit2, form->Edit3, form->Edit4, form->Edit5,
                          form->Edit6, form->Edit7, form->Edit8, form->Edit9})
    EXPECT_EQ(edit->width(), 601) << edit->objectName().toStdString();
  EXPECT_LT(form->Button1->width(), 40);
  EXPECT_EQ(form->PageControl1->height(), 249);
  EXPECT_GE(form->PageControl1->width(), 950);
  // The rows stand top to bottom in the order of the layout, the tabs below.
  EXPECT_LT(form->Edit1->y(), form->Edit2->y());
  EXPECT_LT(form->Edit6->y(), form->Edit5->y());
  EXPECT_LT(form->Edit7->y(), form->Edit9->y());
  EXPECT_LT(form->Edit9->y(), form->PageControl1->y());
  EXPECT_LT(form->PageControl1->y(), form->Button4->mapTo(form.get(), QPoint()).y());
  // Every control lies inside the window.
  for (QWidget* child : form->findChildren<QWidget*>()) {
    if (!child->isVisible()) continue;
    QRect box(child->mapTo(form.get(), QPoint()), child->size());
    EXPECT_TRUE(form->rect().contains(box)) << child->objectName().toStdString();
  }
}

TEST_F(WindowTest, StartsWithTheLayoutStates) {
  auto form = makeForm();
  EXPECT_TRUE(form->Button17->isEnabled());
  EXPECT_FALSE(form->BU_FootPrint->isEnabled());
  EXPECT_TRUE(form->ProgressBar1->isHidden());
  EXPECT_EQ(form->ProgressBar1->minimum(), 0);
  EXPECT_EQ(form->ProgressBar1->maximum(), 100);
  EXPECT_FALSE(form->RB_mm->isChecked());
  EXPECT_FALSE(form->RB_mils->isChecked());
  EXPECT_FALSE(form->RB_EN->isChecked());
  EXPECT_FALSE(form->RB_IT->isChecked());
  // Checked only where the system writes a comma, so that the sample board
  // imports at the first click.
  EXPECT_EQ(form->CB_Format->isChecked(), QLocale::system().decimalPoint() == QStringLiteral(","));
  EXPECT_EQ(form->ED_Forza->text(), "1");
  EXPECT_EQ(form->Memo1->toPlainText(), "Memo1");
  EXPECT_TRUE(form->OpenDialog1.Filter.isEmpty());

  ASSERT_EQ(form->PageControl1->count(), 7);
  EXPECT_EQ(form->PageControl1->currentIndex(), 0);
  const char* tabs[] = {"TabSheet1", "TabSheet2", "TabSheet3", "File RAK",
                        "Anteprima", "Scheda",    "Controllo"};
  QWidget* sheets[] = {form->TabSheet1, form->TabSheet2, form->TabSheet3, form->TabSheet4,
                       form->TabSheet5, form->TabSheet7, form->TabSheet6};
  QWidget* contents[] = {form->StringGrid1, form->StringGrid2, form->Memo1,       form->StringGrid3,
                         form->Preview,     form->CB_Lato,     form->LV_Controllo};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(form->PageControl1->tabText(i), tabs[i]);
    EXPECT_EQ(form->PageControl1->widget(i), sheets[i]);
    EXPECT_EQ(contents[i]->parentWidget(), sheets[i]);
  }

  struct GridStart {
    GridView* view;
    int columns, rows, width;
  };
  for (const GridStart& g :
       {GridStart{form->StringGrid1, 10, 10, 90}, GridStart{form->StringGrid2, 110, 10, 20},
        GridStart{form->StringGrid3, 2, 5, 64}}) {
    EXPECT_EQ(g.view->model()->columnCount(), g.columns);
    EXPECT_EQ(g.view->model()->rowCount(), g.rows);
    EXPECT_EQ(g.view->columnWidth(1), g.width);
    // Only the component table names its columns, in a header of its own,
    // and numbers its rows.
    EXPECT_EQ(g.view->horizontalHeader()->isHidden(), g.view != form->StringGrid1);
    EXPECT_EQ(g.view->verticalHeader()->isHidden(), g.view != form->StringGrid1);
  }
  EXPECT_EQ(form->StringGrid1->selectionMode(), QAbstractItemView::ContiguousSelection);
  EXPECT_EQ(form->StringGrid3->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(form->StringGrid1->Col(), 1);
  EXPECT_EQ(form->StringGrid1->Row(), 1);
}

TEST_F(WindowTest, RadioButtonsFormTwoGroups) {
  auto form = makeForm();
  form->RB_mils->click();
  form->RB_EN->click();
  EXPECT_TRUE(form->RB_mils->isChecked());
  EXPECT_TRUE(form->RB_EN->isChecked());
  form->RB_mm->click();
  EXPECT_FALSE(form->RB_mils->isChecked());
  EXPECT_TRUE(form->RB_EN->isChecked());
  form->RB_IT->click();
  EXPECT_FALSE(form->RB_EN->isChecked());
  EXPECT_TRUE(form->RB_mm->isChecked());
}

TEST_F(WindowTest, PathBoxesStartWithTheSampleBoard) {
  auto form = makeForm();
  QString samples = samplesFolder();
  QFileInfo folder(samples);
  QString outputs = folder.isDir() && folder.isWritable() ? samples : QDir::homePath();
  const std::pair<QLineEdit*, QString> starts[] = {
      {form->Edit1, samples + "/TEMPLATE.QPF"}, {form->Edit2, samples + "/BOARD.REP"},
      {form->Edit3, samples + "/BOARD.CMP"},    {form->Edit4, outputs + "/OUTPUT.QPF"},
      {form->Edit5, samples + "/BOARD.MNT"},    {form->Edit6, samples + "/BOARD.BOM"},
      {form->Edit7, samples + "/BOARD.RAK"},    {form->Edit8, samples + "/BOARD.TXT"},
      {form->Edit9, outputs + "/ZIRKAN.TXT"},   {form->Edit10, samples + "/BOARD.pos"},
  };
  for (const auto& [edit, path] : starts)
    EXPECT_EQ(edit->text(), QDir::toNativeSeparators(path)) << edit->objectName().toStdString();
}

// ---------------------------------------------------------------------------
// Handlers: binding, snapshot, outcome, errors, progress

// Each button runs its own operation.
TEST_F(WindowTest, EveryOperationButtonIsBound) {
  std::vector<std::string> ran;
  FormOperations operations;
  for (const brisel::Button& button : brisel::kButtons) {
    std::string name(button.name);
    operations[name] = [&ran, name](Workspace& w, const Controls&, Progress&) {
      ran.push_back(name);
      w.BU_FootPrintEnabled = true;  // so that its own button can be pressed
      return Outcome{};
    };
  }
  auto form = makeForm(operations);
  form->workspace().BU_FootPrintEnabled = true;
  form->BU_FootPrint->setEnabled(true);
  // "Salva posizioni" asks where to write.
  dialogs.answer = QString::fromStdString((folder / "placements.csv").string());
  for (const brisel::Button& button : brisel::kButtons) {
    const std::string name(button.name);
    ran.clear();
    auto* control = form->findChild<QPushButton*>(QString::fromStdString(name));
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(captionOf(control->text()).toStdString(), button.caption);
    control->click();
    EXPECT_EQ(ran, std::vector<std::string>{name});
  }
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(WindowTest, OperationReadsTheControlsAsTheyStand) {
  std::optional<Controls> seen;
  FormOperations operations;
  operations["Button15"] = [&](Workspace&, const Controls& controls, Progress&) {
    seen = controls;
    return Outcome{};
  };
  auto form = makeForm(operations);
  form->Edit1->setText("/data/a.QPF");
  form->Edit2->setText(QString::fromUtf8("/data/sch\u00f6n.REP"));
  form->Edit9->setText("");
  form->RB_mils->setChecked(true);
  form->CB_Format->setChecked(false);
  form->RB_EN->setChecked(true);
  form->ED_Forza->setText(QString::fromUtf8("7\u00e9"));
  form->workspace().StringGrid1.setRowCount(20);
  form->StringGrid1->refresh();
  GridModel* model = form->StringGrid1->gridModel();
  form->StringGrid1->setCurrentIndex(model->index(6, 3));
  form->StringGrid1->selectionModel()->select(
      QItemSelection(model->index(4, 2), model->index(8, 3)), QItemSelectionModel::ClearAndSelect);
  form->Button15->click();

  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->Edit1, std::filesystem::path("/data/a.QPF"));
  EXPECT_EQ(seen->Edit2, std::filesystem::path(u8"/data/sch\u00f6n.REP"));
  EXPECT_TRUE(seen->Edit9.empty());
  EXPECT_TRUE(seen->RB_mils);
  EXPECT_FALSE(seen->CB_Format);
  EXPECT_TRUE(seen->RB_EN);
  EXPECT_EQ(seen->ED_Forza, "7\xE9");
  EXPECT_EQ(QString(QLatin1Char(seen->decimalSeparator)), QLocale::system().decimalPoint());
  EXPECT_EQ(seen->Col, 3);
  EXPECT_EQ(seen->Row, 6);
  EXPECT_EQ(seen->Selection.Left, 2);
  EXPECT_EQ(seen->Selection.Top, 4);
  EXPECT_EQ(seen->Selection.Right, 3);
  EXPECT_EQ(seen->Selection.Bottom, 8);
}

// Neither keys nor clicks put the cursor on a fixed cell; typing edits the
// cell under the cursor.
TEST_F(WindowTest, CursorStaysOffTheFixedCellsAndTypingEdits) {
  auto form = makeForm();
  form->show();
  GridView* view = form->StringGrid1;
  view->setFocus();
  auto cursor = [view] { return std::pair{view->Col(), view->Row()}; };
  QTest::keyClick(view, Qt::Key_Left);
  EXPECT_EQ(cursor(), std::pair(1, 1));
  QTest::keyClick(view, Qt::Key_Up);
  EXPECT_EQ(cursor(), std::pair(1, 1));
  QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(cursor(), std::pair(9, 9));
  QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(cursor(), std::pair(1, 1));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    view->visualRect(view->model()->index(0, 3)).center());
  EXPECT_EQ(cursor(), std::pair(1, 1));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    view->visualRect(view->model()->index(4, 3)).center());
  EXPECT_EQ(cursor(), std::pair(3, 4));
  QTest::keyClick(view, 'R');  // opens the editor with its first letter
  auto* editor = view->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "12");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();  // the editor commits on a queued call
  EXPECT_EQ(form->workspace().StringGrid1.cell(3, 4), "R12");
}

TEST_F(WindowTest, SelectionNeverReachesIntoTheFixedCells) {
  auto form = makeForm();
  GridModel* model = form->StringGrid1->gridModel();
  form->StringGrid1->selectionModel()->select(
      QItemSelection(model->index(0, 0), model->index(3, 2)), QItemSelectionModel::ClearAndSelect);
  brisel::GridRect rect = form->StringGrid1->Selection();
  EXPECT_EQ(rect.Left, 1);
  EXPECT_EQ(rect.Top, 1);
  EXPECT_EQ(rect.Right, 2);
  EXPECT_EQ(rect.Bottom, 3);
  form->StringGrid1->selectionModel()->clearSelection();
  form->StringGrid1->moveCursorTo(4, 5);
  form->StringGrid1->selectionModel()->clearSelection();
  rect = form->StringGrid1->Selection();
  EXPECT_EQ(rect.Left, 4);
  EXPECT_EQ(rect.Right, 4);
  EXPECT_EQ(rect.Top, 5);
  EXPECT_EQ(rect.Bottom, 5);

  // Every data row gone: the cursor does not follow onto the fixed row.
  form->workspace().StringGrid1.setRowCount(1);
  form->StringGrid1->refresh();
  EXPECT_EQ(form->StringGrid1->Row(), 1);
  EXPECT_GE(form->StringGrid1->Col(), 1);
  EXPECT_EQ(form->StringGrid1->Selection().Top, 1);
}

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
