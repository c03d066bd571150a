// The grids' model, delegate and view: cells as Latin-1, fixed cells, what
// the columns show and their tool tips.

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
// The grid model

TEST(GridModel, PassesTheModelTesterThroughGrowthAndShrinking) {
  brisel::Grid grid(10, 10);
  GridModel model(grid, 1, 1, true);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  grid.setRowCount(300);
  grid.setCell(3, 299, "x");
  model.refresh();
  grid.setRowCount(2);
  model.refresh();
  grid.setRowCount(0);
  model.refresh();
  EXPECT_EQ(model.rowCount(), 0);

  brisel::Grid rules(2, 5);
  GridModel rulesModel(rules, 1, 0, false);
  QAbstractItemModelTester rulesTester(&rulesModel,
                                       QAbstractItemModelTester::FailureReportingMode::Fatal);
  rules.setRowCount(40);
  rulesModel.refresh();
  EXPECT_EQ(rulesModel.rowCount(), 40);
}

TEST(GridModel, CellsAreLatin1BothWays) {
  brisel::Grid grid(10, 10);
  GridModel model(grid, 1, 1, true);
  grid.setCell(3, 2,
               "10\xB5"
               "F \xE9\xFF");
  EXPECT_EQ(model.index(2, 3).data().toString(), QString::fromUtf8("10µF éÿ"));
  EXPECT_TRUE(model.setData(model.index(4, 5), QString::fromUtf8("Ø12 °C")));
  EXPECT_EQ(grid.cell(5, 4),
            "\xD8"
            "12 \xB0"
            "C");
  // Beyond Latin-1 a character cannot be one byte.
  EXPECT_TRUE(model.setData(model.index(4, 6), QString::fromUtf8("R€")));
  EXPECT_EQ(grid.cell(6, 4), "R?");
  EXPECT_EQ(model.index(4, 5).data(Qt::EditRole).toString(), QString::fromUtf8("Ø12 °C"));
}

TEST(GridModel, FixedCellsAreNeitherSelectableNorEditable) {
  brisel::Grid grid(10, 10);
  GridModel table(grid, 1, 1, true);
  for (auto [row, column] : {std::pair{0, 0}, {0, 5}, {5, 0}}) {
    QModelIndex fixed = table.index(row, column);
    EXPECT_EQ(table.flags(fixed), Qt::NoItemFlags);
    EXPECT_TRUE(fixed.data(GridModel::kFixedRole).toBool());
    EXPECT_FALSE(table.setData(fixed, "title"));
    EXPECT_EQ(grid.cell(column, row), "");
  }
  QModelIndex cell = table.index(1, 1);
  EXPECT_TRUE(table.flags(cell).testFlag(Qt::ItemIsEditable));
  EXPECT_TRUE(table.flags(cell).testFlag(Qt::ItemIsSelectable));

  brisel::Grid dump(110, 10);
  GridModel readOnly(dump, 1, 1, false);
  EXPECT_FALSE(readOnly.flags(readOnly.index(3, 3)).testFlag(Qt::ItemIsEditable));
  EXPECT_FALSE(readOnly.setData(readOnly.index(3, 3), "7"));

  brisel::Grid rules(2, 5);
  GridModel rulesModel(rules, 1, 0, false);
  EXPECT_TRUE(rulesModel.flags(rulesModel.index(1, 0)).testFlag(Qt::ItemIsSelectable));
  EXPECT_EQ(rulesModel.flags(rulesModel.index(0, 1)), Qt::NoItemFlags);
}

// The views may paint while an operation runs and before the model is told:
// reads past the live grid give nothing instead of reaching outside it.
TEST(GridModel, ReadsOfRowsTheGridNoLongerHasGiveNothing) {
  brisel::Grid grid(10, 30);
  GridModel model(grid, 1, 1, true);
  grid.setCell(1, 25, "R25");
  QModelIndex stale = model.index(25, 1);
  grid.setRowCount(12);
  EXPECT_FALSE(stale.data().isValid());
  EXPECT_FALSE(model.setData(stale, "x"));
  EXPECT_EQ(model.flags(stale), Qt::NoItemFlags);
  model.refresh();
  EXPECT_EQ(model.rowCount(), 12);
}

// Painting a fixed cell as a header left the style's clip on the painter, and
// the other cells and the grid lines did not show at all.
TEST_F(WindowTest, FixedCellPaintingLeavesTheOtherCellsVisible) {
  auto form = makeForm();
  form->workspace().StringGrid1.setCell(2, 2, "WWWWWWWW");
  form->StringGrid1->refresh();
  form->show();
  QCoreApplication::processEvents();
  QImage image = form->StringGrid1->grab().toImage();
  QRect cell = form->StringGrid1->visualRect(form->StringGrid1->model()->index(2, 2));
  cell.translate(form->StringGrid1->viewport()->pos());
  int dark = 0;
  for (int y = cell.top(); y <= cell.bottom(); ++y)
    for (int x = cell.left(); x <= cell.right(); ++x)
      if (qGray(image.pixel(x, y)) < 100) ++dark;
  EXPECT_GT(dark, 20);
}

// What a cell shows: nothing for the blanks and control characters at its end
// (a ZIRKAN angle "90 \n" showed as "90 ..." cut short), a sign of its own for
// any other control character, so that no byte is invisible or breaks a line.
TEST(GridModel, ControlCharactersShowAsSignsAndTrailingBlanksNotAtAll) {
  struct Case {
    std::string_view bytes;
    bool keepTabs;
    const char* shown;  // UTF-8
  };
  const Case cases[] = {
      {"90 \n", false, "90"},
      {"3.25 90 \n", false, "3.25 90"},
      {"U1        ", false, "U1"},
      {" \r\n\t", false, ""},
      {"", false, ""},
      {"  R1", false, "  R1"},
      {"A\nB\rC", false, "A\u21B5B\u21B5C"},
      {"A\tB", false, "A\u2192B"},
      {"A\tB", true, "A\tB"},
      {std::string_view("A\0B\x1B", 4), false, "A\uFFFDB"},
      {"A\x7F\x85\x9F"
       "B",
       false, "A\uFFFD\uFFFD\uFFFDB"},
      {"10\xB5"
       "F \xA0\xE9\xFF",
       false, "10\u00B5F \u00A0\u00E9\u00FF"},
      {"167\t49\t1", true, "167\t49\t1"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(shownText(c.bytes, c.keepTabs), QString::fromUtf8(c.shown)) << c.shown;
}

// The editor gets the cell's bytes as they are, so that confirming it
// unchanged keeps the line feed the cell holds.
TEST_F(WindowTest, EditingACellKeepsWhatItDoesNotShow) {
  auto form = makeForm();
  form->workspace().StringGrid1.setCell(7, 1, "90 \n");
  form->StringGrid1->refresh();
  form->show();
  GridView* view = form->StringGrid1;
  const QModelIndex angle = view->model()->index(1, 7);
  EXPECT_EQ(angle.data().toString(), "90");
  EXPECT_EQ(angle.data(Qt::EditRole).toString(), "90 \n");
  view->setCurrentIndex(angle);
  view->edit(angle);
  auto* editor = view->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "90 \n");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(form->workspace().StringGrid1.cell(7, 1), "90 \n");
}

QStyleOptionViewItem cellOption(GridView* view, const QModelIndex& index) {
  QStyleOptionViewItem option;
  option.initFrom(view);
  option.font = view->font();
  option.fontMetrics = QFontMetrics(view->font());
  option.rect = view->visualRect(index);
  option.widget = view;
  return option;
}

// Coordinates with 15 digits and a sign, values joined to their footprints,
// rule values and the byte dump's three digits fit their columns; the dump's
// columns keep their 20 pixels.
TEST_F(WindowTest, WhatTheColumnsHoldFitsThem) {
  auto form = makeForm();
  form->show();
  struct Fit {
    GridView* view;
    brisel::Cells* grid;
    int column;
    const char* text;
  };
  Workspace& w = form->workspace();
  const Fit fits[] = {
      {form->StringGrid1, &w.StringGrid1, 5, "-40.6399993896484"},
      {form->StringGrid1, &w.StringGrid1, 6, "-112.399999618530"},
      {form->StringGrid1, &w.StringGrid1, 3, "STM32F103C8_LQFP48"},
      {form->StringGrid1, &w.StringGrid1, 1, "65535"},
      {form->StringGrid3, &w.StringGrid3, 0, "STM32F103C8_LQFP48"},
      {form->StringGrid2, &w.StringGrid2, 1, "255"},
      {form->StringGrid2, &w.StringGrid2, 109, "188"},
  };
  for (const Fit& fit : fits) {
    fit.grid->setCell(fit.column, 1, fit.text);
    fit.view->refresh();
    const QModelIndex index = fit.view->model()->index(1, fit.column);
    EXPECT_TRUE(fit.view->cellDelegate()->fits(cellOption(fit.view, index), index)) << fit.text;
  }
  EXPECT_EQ(form->StringGrid2->columnWidth(1), 20);
  EXPECT_EQ(form->StringGrid2->columnWidth(109), 20);
  EXPECT_EQ(form->StringGrid1->columnWidth(2), 90);
}

// A text cut at the cell's border ends in an ellipsis, and its tool tip shows
// it whole, as plain text whatever it holds.
TEST_F(WindowTest, CutTextShowsWholeInTheToolTip) {
  auto form = makeForm();
  form->show();
  GridView* view = form->StringGrid1;
  EXPECT_EQ(view->textElideMode(), Qt::ElideRight);
  const std::string longText = "<b>" + std::string(60, 'W') + "</b>";
  form->workspace().StringGrid1.setCell(2, 1, longText);
  form->workspace().StringGrid1.setCell(2, 2, "R1");
  view->refresh();
  auto hover = [view](int row) {
    const QPoint at = view->visualRect(view->model()->index(row, 2)).center();
    QHelpEvent event(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(hover(2), "");
  EXPECT_EQ(hover(1),
            "<p style='white-space:pre'>" + QString::fromStdString(longText).toHtmlEscaped());
}

}  // namespace
}  // namespace window_tests
