// The window's editing, headless: undo and redo by buttons and keys, the
// component table's copy, paste and clear, the column names, dropped files
// and the window on small screens.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QUrl>

#include "app/history.h"
#include "core/table_shape.h"
#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "window/Unit1.h"
#include "window/grid_view.h"
#include "window/screen_fit.h"

namespace {

using brisel::Controls;
using brisel::Grid;
using brisel::Outcome;
using brisel::Progress;
using brisel::Workspace;

class WindowEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    FormOperations operations;
    // "Apri REP" writes two rows and a button; "Riferimento" writes a cell
    // and then fails, as a number that does not convert stops it.
    operations["Button4"] = [this](Workspace& w, const Controls&, Progress&) {
      ++imports;
      w.StringGrid1.setCell(2, 1, "R1");
      w.StringGrid1.setCell(2, 2, "C1");
      w.BU_FootPrintEnabled = true;
      return Outcome{};
    };
    operations["Button7"] = [](Workspace& w, const Controls&, Progress&) -> Outcome {
      w.StringGrid1.setCell(5, 1, "9.5");
      throw std::runtime_error("Riga 2: 'x' non è un valore numerico valido");
    };
    operations["Button9"] = [](Workspace&, const Controls&, Progress&) { return Outcome{}; };
    form = std::make_unique<TForm1>(dialogs, folder / "KSR.ini", operations);
  }

  std::string cell(int column, int row) const {
    return std::string(form->workspace().StringGrid1.cell(column, row));
  }
  void select(int left, int top, int right, int bottom) {
    GridModel* model = form->StringGrid1->gridModel();
    form->StringGrid1->setCurrentIndex(model->index(top, left));
    form->StringGrid1->selectionModel()->select(
        QItemSelection(model->index(top, left), model->index(bottom, right)),
        QItemSelectionModel::ClearAndSelect);
  }
  void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(form->StringGrid1, static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
  }
  // The grid as the view shows it, to see that it follows the workspace.
  QString shown(int column, int row) const {
    return form->StringGrid1->model()->index(row, column).data().toString();
  }

  brisel::testing::TempDir folder;
  FakeDialogs dialogs;
  std::unique_ptr<TForm1> form;
  int imports = 0;
};

TEST_F(WindowEditing, ButtonsAndKeysUndoAndRedoWhatTheOperationsDid) {
  form->show();
  QApplication::setActiveWindow(form.get());
  form->StringGrid1->setFocus();
  EXPECT_EQ(captionOf(form->BU_Annulla->text()), "Annulla");
  EXPECT_EQ(captionOf(form->BU_Ripeti->text()), "Ripeti");
  EXPECT_FALSE(form->BU_Annulla->isEnabled());
  EXPECT_FALSE(form->BU_Ripeti->isEnabled());

  form->Button9->click();  // changes nothing: no step
  EXPECT_FALSE(form->BU_Annulla->isEnabled());
  form->Button4->click();
  EXPECT_TRUE(form->BU_Annulla->isEnabled());
  EXPECT_TRUE(form->BU_FootPrint->isEnabled());

  form->BU_Annulla->click();
  EXPECT_EQ(cell(2, 1), "");
  EXPECT_EQ(shown(2, 2), "");
  EXPECT_FALSE(form->BU_FootPrint->isEnabled());  // the button follows the state
  EXPECT_FALSE(form->BU_Annulla->isEnabled());
  EXPECT_TRUE(form->BU_Ripeti->isEnabled());

  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(shown(2, 2), "C1");
  EXPECT_TRUE(form->BU_FootPrint->isEnabled());
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(shown(2, 1), "");
  key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(shown(2, 1), "R1");
  EXPECT_FALSE(form->BU_Ripeti->isEnabled());
  EXPECT_EQ(imports, 1);
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(WindowEditing, AFailedOperationIsAStepThatUndoTakesBack) {
  form->Button4->click();
  form->Button7->click();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(shown(5, 1), "9.5");
  form->BU_Annulla->click();
  EXPECT_EQ(shown(5, 1), "");
  EXPECT_EQ(shown(2, 1), "R1");
}

TEST_F(WindowEditing, TypedCellIsAStep) {
  form->StringGrid1->model()->setData(form->StringGrid1->model()->index(3, 2),
                                      QString::fromUtf8("R\u00e9\u20ac"));
  EXPECT_EQ(cell(2, 3), "R\xE9?");
  ASSERT_TRUE(form->BU_Annulla->isEnabled());
  form->BU_Annulla->click();
  EXPECT_EQ(cell(2, 3), "");
}

TEST_F(WindowEditing, CopyPasteAndDeleteLikeASpreadsheet) {
  form->show();
  form->StringGrid1->setFocus();
  Grid& table = form->workspace().StringGrid1;
  table.setCell(2, 1, "R1");
  table.setCell(3, 1, "10\xB5H");
  table.setCell(2, 2, "a\tb");
  form->StringGrid1->refresh();
  select(2, 1, 3, 2);
  key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("R1\t10\u00b5H\n\"a\tb\"\t\n"));

  // At the cursor, growing the table past its last row; one step.
  select(7, 8, 7, 8);
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(cell(7, 8), "R1");
  EXPECT_EQ(cell(8, 8), "10\xB5H");
  EXPECT_EQ(cell(7, 9), "a\tb");
  QGuiApplication::clipboard()->setText(QString::fromUtf8("x\ny\nz\n\u20ac\t1\t2\t3\n"));
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(cell(7, 11), "?");
  EXPECT_EQ(cell(9, 11), "2");  // the third cell went past column 9
  EXPECT_EQ(form->StringGrid1->model()->rowCount(), 20);

  select(2, 1, 3, 1);
  key(Qt::Key_Delete);
  EXPECT_EQ(cell(2, 1), "");
  EXPECT_EQ(cell(3, 1), "");
  EXPECT_EQ(cell(2, 2), "a\tb");

  form->BU_Annulla->click();  // the clear
  EXPECT_EQ(cell(2, 1), "R1");
  form->BU_Annulla->click();  // the second paste, whole, with the rows it added
  EXPECT_EQ(form->StringGrid1->model()->rowCount(), 10);
  EXPECT_EQ(cell(7, 8), "R1");
  EXPECT_EQ(cell(7, 9), "a\tb");
  EXPECT_TRUE(dialogs.errors.empty());

  // Binary data is refused in the error box and changes nothing.
  QGuiApplication::clipboard()->setText(QString::fromLatin1("\x01\x02\x03 R1", 6));
  key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0], "Il testo da incollare contiene dati binari");
}

TEST_F(WindowEditing, ColumnNamesStandAboveTheFixedRow) {
  QHeaderView* header = form->StringGrid1->horizontalHeader();
  EXPECT_FALSE(header->isHidden());
  const char* names[] = {"",  "N.", "Riferimento", "Valore",    "Lato",
                         "X", "Y",  "Angolo",      "Footprint", ""};
  for (int c = 0; c < brisel::kTableColumns; ++c) {
    EXPECT_EQ(form->StringGrid1->model()->headerData(c, Qt::Horizontal).toString(), names[c]) << c;
    EXPECT_EQ(cell(c, 0), "") << c;
  }
  EXPECT_TRUE(form->StringGrid2->horizontalHeader()->isHidden());
}

QMimeData* filesData(const QStringList& files) {
  auto* data = new QMimeData;
  QList<QUrl> urls;
  for (const QString& file : files) urls << QUrl::fromLocalFile(file);
  data->setUrls(urls);
  return data;
}

void drop(QWidget* target, const QStringList& files) {
  std::unique_ptr<QMimeData> data(filesData(files));
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  ASSERT_TRUE(enter.isAccepted()) << target->objectName().toStdString();
  QDropEvent dropped(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &dropped);
  EXPECT_TRUE(dropped.isAccepted());
}

TEST_F(WindowEditing, DroppedFilesSetThePathBoxesAndImportNothing) {
  const QString dir = QStringLiteral("/data/boards/");
  drop(form.get(), {dir + "a.rep", dir + "b.CMP", dir + "c.Mnt", dir + "d.BOM", dir + "e.RAK",
                    dir + "f.txt", dir + "g.QPF", dir + "h.pdf", dir + "i.Pos"});
  const std::pair<QLineEdit*, QString> set[] = {{form->Edit2, "a.rep"}, {form->Edit3, "b.CMP"},
                                                {form->Edit5, "c.Mnt"}, {form->Edit6, "d.BOM"},
                                                {form->Edit7, "e.RAK"}, {form->Edit8, "f.txt"},
                                                {form->Edit10, "i.Pos"}};
  for (const auto& [box, name] : set)
    EXPECT_EQ(box->text(), QDir::toNativeSeparators(dir + name)) << box->objectName().toStdString();
  // The outputs and the template take a file only when it is dropped on them.
  EXPECT_FALSE(form->Edit1->text().endsWith("g.QPF"));
  EXPECT_FALSE(form->Edit4->text().endsWith("g.QPF"));
  EXPECT_FALSE(form->Edit9->text().endsWith("f.txt"));
  drop(form->Edit4, {dir + "out.pdf", dir + "second.QPF"});
  EXPECT_EQ(form->Edit4->text(), QDir::toNativeSeparators(dir + "out.pdf"));
  drop(form->ED_Forza, {dir + "z.REP"});  // not a path box: by extension
  EXPECT_EQ(form->ED_Forza->text(), "1");
  EXPECT_EQ(form->Edit2->text(), QDir::toNativeSeparators(dir + "z.REP"));
  // Placement files: CSV and TSV by extension; a text file dropped on the box.
  for (const char* name : {"p.csv", "q.TSV"}) {
    drop(form.get(), {dir + name});
    EXPECT_EQ(form->Edit10->text(), QDir::toNativeSeparators(dir + name));
  }
  drop(form->Edit10, {dir + "r.txt"});
  EXPECT_EQ(form->Edit10->text(), QDir::toNativeSeparators(dir + "r.txt"));

  // Elsewhere, files of no known extension are not welcome.
  std::unique_ptr<QMimeData> data(filesData({dir + "x.pdf"}));
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &enter);
  EXPECT_FALSE(enter.isAccepted());
  EXPECT_EQ(imports, 0);
  EXPECT_FALSE(form->BU_Annulla->isEnabled());
}

TEST(ScreenFit, KeepsTheDesignedGeometryWhereTheScreenAllowsIt) {
  const QRect designed(192, 82, 982, 686);
  const QMargins frame(4, 30, 4, 4);
  struct Case {
    QRect available;
    QRect fitted;
  };
  const Case cases[] = {
      {QRect(0, 0, 1280, 1024), designed},
      {QRect(0, 0, 1280, 800), designed},
      {QRect(0, 0, 1024, 640), QRect(38, 30, 982, 606)},       // 125 %
      {QRect(0, 0, 853, 533), QRect(4, 30, 845, 499)},         // 150 %
      {QRect(0, 0, 640, 400), QRect(4, 30, 632, 366)},         // 200 %
      {QRect(1280, 0, 1280, 800), QRect(1284, 82, 982, 686)},  // a second screen
  };
  for (const Case& c : cases)
    EXPECT_EQ(fittedGeometry(designed, c.available, frame), c.fitted) << c.available.width();
}

// On a small screen the content scrolls: every control keeps its room, none
// overlaps another.
TEST_F(WindowEditing, ContentScrollsInASmallWindowWithoutOverlaps) {
  form->show();
  form->resize(632, 366);
  QCoreApplication::processEvents();
  auto* scroll = form->findChild<QScrollArea*>("ScrollBox1");
  ASSERT_NE(scroll, nullptr);
  EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
  EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);
  QList<QWidget*> controls;
  for (QWidget* child : scroll->widget()->findChildren<QWidget*>())
    if (child->isVisible() &&
        (qobject_cast<QAbstractButton*>(child) || qobject_cast<QLineEdit*>(child) ||
         child->inherits("QLabel")) &&
        !child->parentWidget()->inherits("QTableView") &&
        child->parentWidget()->objectName() != QLatin1String("qt_tabwidget_tabbar"))
      controls << child;
  ASSERT_GT(controls.size(), 40);
  for (int i = 0; i < controls.size(); ++i) {
    QWidget* a = controls[i];
    // Its caption whole.
    QString caption;
    if (auto* button = qobject_cast<QAbstractButton*>(a)) caption = captionOf(button->text());
    if (a->inherits("QLabel")) caption = a->property("text").toString();
    EXPECT_LE(a->fontMetrics().horizontalAdvance(caption), a->width())
        << a->objectName().toStdString();
    const QRect ra(a->mapTo(scroll->widget(), QPoint()), a->size());
    for (int j = i + 1; j < controls.size(); ++j) {
      QWidget* b = controls[j];
      if (a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
      const QRect rb(b->mapTo(scroll->widget(), QPoint()), b->size());
      EXPECT_FALSE(ra.intersects(rb))
          << a->objectName().toStdString() << " " << b->objectName().toStdString();
    }
  }
}

}  // namespace
