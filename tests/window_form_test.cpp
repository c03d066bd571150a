// The form, headless: its controls and start state, the cursor and the
// selection in the grid.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
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
// Handlers: binding and the controls they read

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

// ---------------------------------------------------------------------------
// The grid's cursor and selection

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

}  // namespace
}  // namespace window_tests
