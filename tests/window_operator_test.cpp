// The window as an operator meets it on the sample board, one case a line:
// results that follow the table (change, undo, new board, a QPF compare), the
// proposal of "Salva immagine…", the preview's view after an edit and after an
// import, whole coordinates, a missing file named under the buttons, row
// numbers beside the table, and every control reached from the keyboard.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "app/buttons.h"
#include "app/settings.h"
#include "core/table_shape.h"
#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "window/Unit1.h"
#include "window/board_view.h"
#include "window/check_list.h"
#include "window/grid_view.h"

namespace {

namespace col = brisel::col;

const QString kSamples = QStringLiteral(BRISEL_SAMPLES);

class Operator {
 public:
  Operator() : form(std::make_unique<TForm1>(dialogs, folder / "KSR.ini")) {
    form->Edit1->setText(kSamples + "/TEMPLATE.QPF");
    form->Edit2->setText(kSamples + "/BOARD.REP");
    form->Edit3->setText(kSamples + "/BOARD.CMP");
    form->Edit7->setText(kSamples + "/BOARD.RAK");
    form->Edit4->setText(QString::fromStdString((folder / "OUT.QPF").string()));
    form->show();
    QApplication::setActiveWindow(form.get());
    form->Button4->click();  // Apri REP
    form->Button5->click();  // Apre CMP: the values
  }

  void type(int column, int row, const QString& text) {
    GridModel* model = form->StringGrid1->gridModel();
    model->setData(model->index(row, column), text);
    QApplication::processEvents();
  }
  // The rows the "Controllo" tab lists, and those the preview outlines.
  std::vector<int> listed() const {
    std::vector<int> rows;
    for (const CheckListModel::Line& line : form->LV_Controllo->listModel()->lines())
      if (line.row > 0) rows.push_back(line.row);
    return rows;
  }
  std::vector<int> outlined() const { return form->Preview->view()->markedRows(); }
  QString codes() const {
    QStringList all;
    for (const CheckListModel::Line& line : form->LV_Controllo->listModel()->lines())
      all << line.code;
    return all.join(' ');
  }
  void showPreview() {
    form->PageControl1->setCurrentWidget(form->TabSheet5);
    QApplication::processEvents();
  }
  // The controls that Tab (Ctrl+Tab out of a grid) or Shift+Tab reach from
  // Edit1 until the focus comes back to it.
  std::vector<QWidget*> walk(bool forward) {
    std::vector<QWidget*> reached;
    form->Edit1->setFocus();
    for (int i = 0; i < 300; ++i) {
      QWidget* at = QApplication::focusWidget();
      if (at == nullptr) break;
      if (i > 0 && at == form->Edit1) break;
      reached.push_back(at);
      const bool grid = qobject_cast<QAbstractItemView*>(at) != nullptr;
      const Qt::KeyboardModifiers modifiers = (grid ? Qt::ControlModifier : Qt::NoModifier) |
                                              (forward ? Qt::NoModifier : Qt::ShiftModifier);
      QTest::keyClick(at, forward ? Qt::Key_Tab : Qt::Key_Backtab, modifiers);
    }
    return reached;
  }

  // The window as it stands into BRISEL_SHOTS/operator-NAME.png, when that
  // folder is given (for looking at it, under a real X server).
  void shot(const char* name) {
    const QString shots = qEnvironmentVariable("BRISEL_SHOTS");
    if (shots.isEmpty()) return;
    QApplication::processEvents();
    form->grab().save(shots + "/operator-" + name + ".png");
  }

  brisel::testing::TempDir folder;
  FakeDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

std::size_t indexOf(const std::vector<QWidget*>& order, const QWidget* widget) {
  return static_cast<std::size_t>(std::find(order.begin(), order.end(), widget) - order.begin());
}

struct Case {
  const char* name;
  std::function<void(Operator&)> act;
};

const Case kCases[] = {
    {"1: a finding goes with the undo of its cause, and comes with a typed cell",
     [](Operator& o) {
       const QModelIndex x3 = o.form->StringGrid1->gridModel()->index(3, col::X);
       const QString before = x3.data().toString();
       o.type(col::X, 3, "???");
       o.type(col::Y, 5, "1,2,3");
       o.form->BU_Controlla->click();
       EXPECT_EQ(o.listed(), (std::vector<int>{3, 5}));
       EXPECT_EQ(o.outlined(), (std::vector<int>{3, 5}));
       o.form->BU_Annulla->click();
       EXPECT_EQ(o.listed(), std::vector<int>{3});
       EXPECT_EQ(o.outlined(), std::vector<int>{3});
       o.shot("controllo-after-undo");
       o.form->BU_Annulla->click();
       EXPECT_EQ(x3.data().toString(), before);
       EXPECT_EQ(o.listed(), std::vector<int>{});
       EXPECT_EQ(o.outlined(), std::vector<int>{});
       o.type(col::Y, 5, "1,2,3");  // no "Controlla" in between
       EXPECT_EQ(o.listed(), std::vector<int>{5});
       EXPECT_EQ(o.outlined(), std::vector<int>{5});
       o.form->BU_Annulla->click();
       EXPECT_EQ(o.listed(), std::vector<int>{});
     }},
    {"1: a new board brings its own findings",
     [](Operator& o) {
       o.type(col::X, 3, "???");
       o.form->BU_Controlla->click();
       ASSERT_EQ(o.listed(), std::vector<int>{3});
       o.form->Button4->click();  // the REP file again: no values yet
       EXPECT_EQ(o.listed().size(), 40u);
       o.form->Button5->click();  // and the CMP file
       EXPECT_EQ(o.listed(), std::vector<int>{});
       EXPECT_EQ(o.outlined(), std::vector<int>{});
     }},
    {"1: findings wait for the first \"Controlla\"",
     [](Operator& o) {
       o.type(col::X, 3, "???");
       EXPECT_EQ(o.listed(), std::vector<int>{});
     }},
    {"1: the RAK line names its run and goes when the run is undone",
     [](Operator& o) {
       o.form->Button17->click();
       EXPECT_EQ(o.form->LB_Rak->text(), "RAK BOARD.RAK: 2 righe rimosse, 0 regole non usate");
       EXPECT_EQ(o.codes(), "rak-removed rak-removed");
       o.form->BU_Annulla->click();
       EXPECT_EQ(o.form->LB_Rak->text(), "");
       EXPECT_EQ(o.codes(), "");
       o.form->BU_Ripeti->click();
       EXPECT_EQ(o.form->LB_Rak->text(), "RAK BOARD.RAK: 2 righe rimosse, 0 regole non usate");
     }},
    {"1: a QPF compare goes once the table changes after it",
     [](Operator& o) {
       o.form->Button9->click();  // the QPF file of this table
       o.form->BU_Verifica->click();
       EXPECT_EQ(o.codes(), "qpf");
       o.type(col::X, 3, "1.5");
       EXPECT_EQ(o.codes(), "");
       o.shot("verifica-after-edit");
     }},
    {"2: \"Salva immagine…\" proposes scheda.svg in the folder of the outputs",
     [](Operator& o) {
       o.showPreview();
       o.form->Preview->saveButton()->click();
       ASSERT_EQ(o.dialogs.opened.size(), 1u);
       const OpenDialog& proposed = o.dialogs.opened[0];
       EXPECT_EQ(proposed.FileName, "scheda.svg");
       EXPECT_EQ(QDir(proposed.InitialDir).canonicalPath(),
                 QDir(QString::fromStdString(o.folder.path().string())).canonicalPath());
       // The real dialog keeps the name as proposed.
       auto box = WidgetDialogs::fileDialog(o.form.get(), proposed, QFileDialog::AcceptSave);
       auto* name = box->findChild<QLineEdit*>("fileNameEdit");
       ASSERT_NE(name, nullptr);
       EXPECT_EQ(name->text(), "scheda.svg");
       EXPECT_EQ(QDir(box->directory()).canonicalPath(), QDir(proposed.InitialDir).canonicalPath());
     }},
    {"3: the preview keeps the view after an edit and fits a new board",
     [](Operator& o) {
       o.showPreview();
       BoardView* view = o.form->Preview->view();
       const double fitted = view->scale();
       view->zoomAt(4, QPointF(view->width() / 2.0, view->height() / 2.0));
       const QPointF middle = view->toBoard(QPointF(10, 10));
       o.type(col::Value, 2, "4K7");
       o.form->Button7->click();  // Riferimento, on the cursor's row
       QApplication::processEvents();
       EXPECT_DOUBLE_EQ(view->scale(), fitted * 4);
       EXPECT_EQ(view->toBoard(QPointF(10, 10)), middle);
       o.form->Button4->click();
       QApplication::processEvents();
       EXPECT_DOUBLE_EQ(view->scale(), fitted);
     }},
    {"4: the longest coordinates show whole",
     [](Operator& o) {
       const QFontMetrics metrics(o.form->StringGrid1->font());
       for (const char* text :
            {"-0.000123456789012345", "-1.23456789012345E-5", "0.634998321533203"})
         for (int column : {col::X, col::Y})
           EXPECT_LT(metrics.horizontalAdvance(QString::fromLatin1(text)),
                     o.form->StringGrid1->columnWidth(column) - 4)
               << text;
     }},
    {"5: a missing input file is named under the buttons, without a box",
     [](Operator& o) {
       o.form->Edit2->setText(QString::fromStdString((o.folder / "BOARD.REP").string()));
       o.form->Button4->click();
       EXPECT_EQ(o.form->LB_Stato->text(), "File non trovato: BOARD.REP");
       EXPECT_TRUE(o.form->LB_Stato->isVisible());
       EXPECT_TRUE(o.dialogs.messages.empty());
       EXPECT_TRUE(o.dialogs.errors.empty());
       EXPECT_TRUE(o.form->Button17->isEnabled());
       o.form->Button7->click();  // the next operation clears it
       EXPECT_EQ(o.form->LB_Stato->text(), "");
     }},
    {"6: the rows are numbered beside the table, column 0 stays empty",
     [](Operator& o) {
       o.form->StringGrid1->moveCursorTo(col::X, 5);
       o.shot("row-numbers");
       QHeaderView* numbers = o.form->StringGrid1->verticalHeader();
       EXPECT_TRUE(numbers->isVisible());
       const QAbstractItemModel* model = o.form->StringGrid1->model();
       EXPECT_EQ(model->headerData(0, Qt::Vertical).toString(), "");
       EXPECT_EQ(model->headerData(5, Qt::Vertical).toString(), "5");
       EXPECT_EQ(model->headerData(40, Qt::Vertical).toString(), "40");
       EXPECT_EQ(model->index(5, 0).data().toString(), "");
       EXPECT_GE(numbers->width(), numbers->fontMetrics().horizontalAdvance("65535"));
     }},
    {"7: Tab and Shift+Tab reach every control in reading order",
     [](Operator& o) {
       for (bool forward : {true, false}) {
         std::vector<QWidget*> order = o.walk(forward);
         if (!forward) std::reverse(order.begin() + 1, order.end());
         std::vector<QWidget*> expected = {
             o.form->Edit1,      o.form->Button1,      o.form->Edit9,       o.form->Button21,
             o.form->BU_Annulla, o.form->BU_Controlla, o.form->StringGrid1, o.form->Button4,
             o.form->Button19,   o.form->Button7,      o.form->Button15,    o.form->Button9,
             o.form->Button22,   o.form->CB_Format,    o.form->ED_Forza};
         std::size_t last = 0;
         for (QWidget* widget : expected) {
           if (!widget->isEnabled()) continue;
           const std::size_t at = indexOf(order, widget);
           ASSERT_LT(at, order.size())
               << widget->objectName().toStdString() << " forward " << forward;
           EXPECT_GE(at, last) << widget->objectName().toStdString() << " forward " << forward;
           last = at;
         }
         for (QPushButton* button : o.form->findChildren<QPushButton*>()) {
           if (!button->isVisible() || !button->isEnabled()) continue;
           EXPECT_LT(indexOf(order, button), order.size())
               << button->objectName().toStdString() << " forward " << forward;
         }
       }
     }},
    {"7: every button has an Alt letter of its own; the captions read as before",
     [](Operator& o) {
       std::set<QChar> letters;
       for (QPushButton* button : o.form->findChildren<QPushButton*>()) {
         const QString text = button->text();
         if (text == "...") continue;
         const qsizetype at = text.indexOf('&');
         if (at < 0) continue;  // no letter of its caption was free
         EXPECT_TRUE(letters.insert(text[at + 1].toLower()).second) << text.toStdString();
       }
       EXPECT_GE(letters.size(), 20u);  // every one while the letters last
       for (const brisel::Button& button : brisel::kButtons) {
         auto* control = o.form->findChild<QPushButton*>(QString::fromLatin1(button.name));
         EXPECT_EQ(captionOf(control->text()).toStdString(), button.caption);
       }
       // Alt and the letter press the button.
       o.type(col::X, 3, "???");
       const QString text = o.form->BU_Controlla->text();
       const QChar letter = text[text.indexOf('&') + 1];
       QTest::keyClick(o.form.get(), letter.toLower().toLatin1(), Qt::AltModifier);
       QTest::qWait(300);  // the button shows itself pressed a moment, then clicks
       EXPECT_EQ(o.listed(), std::vector<int>{3});
     }},
    {"7: Ctrl+Q closes and keeps the paths",
     [](Operator& o) {
       o.form->Edit3->setText("/q/changed.CMP");
       QTest::keyClick(o.form->Edit3, Qt::Key_Q, Qt::ControlModifier);
       EXPECT_FALSE(o.form->isVisible());
       const auto lines = brisel::loadSettings(o.folder / "KSR.ini");
       ASSERT_TRUE(lines[2].has_value());
       EXPECT_EQ(*lines[2], "/q/changed.CMP");
     }},
};

class OperatorCase : public ::testing::TestWithParam<Case> {};

TEST_P(OperatorCase, AsTheOperatorMeetsIt) {
  Operator o;
  ASSERT_TRUE(o.dialogs.errors.empty()) << o.dialogs.errors[0].toStdString();
  GetParam().act(o);
}

INSTANTIATE_TEST_SUITE_P(Window, OperatorCase, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return "case" + std::to_string(info.index);
                         });

}  // namespace
