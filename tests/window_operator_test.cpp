// The window as an operator meets it on the sample board, one case a line:
// results that follow the table (change, undo, new board, a QPF compare), the
// proposal of "Salva immagine…", the preview's view after an edit and after an
// import, whole coordinates, a missing file named under the buttons, row
// numbers beside the table, every control reached from the keyboard, and the
// tab titles whole.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
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
  // Edit1 until the focus comes back to it; empty when it never does.
  std::vector<QWidget*> walk(bool forward) {
    std::vector<QWidget*> reached;
    form->Edit1->setFocus();
    for (int i = 0; i < 300; ++i) {
      QWidget* at = QApplication::focusWidget();
      if (at == nullptr) break;
      if (i > 0 && at == form->Edit1) return reached;
      reached.push_back(at);
      const bool grid = qobject_cast<QAbstractItemView*>(at) != nullptr;
      const Qt::KeyboardModifiers modifiers = (grid ? Qt::ControlModifier : Qt::NoModifier) |
                                              (forward ? Qt::NoModifier : Qt::ShiftModifier);
      QTest::keyClick(at, forward ? Qt::Key_Tab : Qt::Key_Backtab, modifiers);
    }
    return {};
  }
  // Every control the operator may reach that shows now.
  std::vector<QWidget*> controls() const {
    std::vector<QWidget*> all;
    for (QWidget* w : form->findChildren<QWidget*>()) {
      const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                           qobject_cast<QTabBar*>(w) || qobject_cast<QAbstractSpinBox*>(w);
      // The tab bar's scroll arrows are no controls of the form's.
      if (control && w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus &&
          qobject_cast<QTabBar*>(w->parentWidget()) == nullptr)
        all.push_back(w);
    }
    return all;
  }
  // The tab page a button stands on; null for those that always show.
  const QWidget* pageOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
      if (form->PageControl1->indexOf(const_cast<QWidget*>(w)) >= 0) return w;
    return nullptr;
  }
  // Each push button's key, but for the "..." of the path rows: its Alt
  // letter or another key its tool tip names; two buttons that show together
  // never share one.
  void expectAKeyOnEveryButton() const {
    std::vector<std::pair<QKeySequence, const QWidget*>> taken;
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
      const std::string name = button->objectName().toStdString();
      if (button->text() == "...") continue;
      const QKeySequence key = button->shortcut();
      ASSERT_FALSE(key.isEmpty()) << name;
      if (QKeySequence::mnemonic(button->text()).isEmpty())
        EXPECT_TRUE(button->toolTip().contains(key.toString(QKeySequence::NativeText)))
            << name << ": " << button->toolTip().toStdString();
      else
        EXPECT_EQ(key, QKeySequence::mnemonic(button->text())) << name;
      const QWidget* page = pageOf(button);
      for (const auto& [other, on] : taken)
        EXPECT_FALSE(other == key && (page == nullptr || on == nullptr || page == on))
            << name << " shares " << key.toString().toStdString();
      taken.emplace_back(key, page);
    }
    EXPECT_GE(taken.size(), 28u);
  }

  // Each button's caption, named by its tab page where it stands on one, and
  // its key, in the language shown; in reading order.
  std::vector<std::pair<QString, QString>> keys() const {
    std::vector<std::pair<QString, QString>> all;
    for (QWidget* w : form->findChildren<QWidget*>()) {
      auto* button = qobject_cast<QPushButton*>(w);
      if (button == nullptr || button->text() == "...") continue;
      QString name = captionOf(button->text());
      if (const QWidget* page = pageOf(button))
        name = '"' + form->PageControl1->tabText(form->PageControl1->indexOf(page)) + "\": " + name;
      all.emplace_back(name, button->shortcut().toString(QKeySequence::PortableText));
    }
    return all;
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
       EXPECT_EQ(o.codes(), "rak rak-removed rak-removed");
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
    {"7: Tab and Shift+Tab go round every control in reading order, back to the start",
     [](Operator& o) {
       ASSERT_FALSE(o.form->RB_mm->isChecked() || o.form->RB_mils->isChecked());
       std::vector<QWidget*> forward = o.walk(true);
       std::vector<QWidget*> backward = o.walk(false);
       ASSERT_FALSE(forward.empty());
       std::reverse(backward.begin() + 1, backward.end());
       EXPECT_EQ(backward, forward);
       std::vector<QWidget*> expected = {
           o.form->Edit1,        o.form->Button1,   o.form->Edit9,       o.form->Button21,
           o.form->BU_Controlla, o.form->CB_Lingua, o.form->StringGrid1, o.form->Button4,
           o.form->Button19,     o.form->Button7,   o.form->Button15,    o.form->Button9,
           o.form->Button22,     o.form->RB_mm,     o.form->RB_mils,     o.form->CB_Format,
           o.form->RB_EN,        o.form->RB_IT,     o.form->ED_Forza};
       std::size_t last = 0;
       for (QWidget* widget : expected) {
         const std::size_t at = indexOf(forward, widget);
         ASSERT_LT(at, forward.size()) << widget->objectName().toStdString();
         EXPECT_GE(at, last) << widget->objectName().toStdString();
         last = at;
       }
       EXPECT_EQ(forward.back(), o.form->ED_Forza);
       for (QWidget* control : o.controls())
         EXPECT_EQ(std::count(forward.begin(), forward.end(), control), 1)
             << control->objectName().toStdString();
     }},
    {"7: Ctrl+Tab changes the tab from anywhere but a grid, which it leaves",
     [](Operator& o) {
       QTabWidget* tabs = o.form->PageControl1;
       o.form->Edit3->setFocus();
       QTest::keyClick(o.form->Edit3, Qt::Key_Tab, Qt::ControlModifier);
       EXPECT_EQ(tabs->currentIndex(), 1);
       EXPECT_EQ(QApplication::focusWidget(), o.form->Edit3);
       QTest::keyClick(o.form->Edit3, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
       QTest::keyClick(o.form->Edit3, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
       EXPECT_EQ(tabs->currentWidget(), o.form->TabSheet6);  // round to the last
       o.form->LV_Controllo->setFocus();
       QTest::keyClick(o.form->LV_Controllo, Qt::Key_Tab, Qt::ControlModifier);
       EXPECT_EQ(tabs->currentIndex(), 0);
       EXPECT_EQ(QApplication::focusWidget(), tabs->tabBar());  // the list is hidden
       o.form->StringGrid1->setFocus();
       QTest::keyClick(o.form->StringGrid1, Qt::Key_Tab, Qt::ControlModifier);
       EXPECT_EQ(QApplication::focusWidget(), o.form->Button4);
       o.form->StringGrid1->setFocus();
       QTest::keyClick(o.form->StringGrid1, Qt::Key_Backtab,
                       Qt::ControlModifier | Qt::ShiftModifier);
       EXPECT_EQ(QApplication::focusWidget(), o.form->CB_Lingua);
       EXPECT_EQ(tabs->currentIndex(), 0);
     }},
    {"7: every button has a key of its own in both languages; the captions read as before",
     [](Operator& o) {
       o.expectAKeyOnEveryButton();
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
       // So does a key named in the tool tip, on the page that shows.
       o.form->PageControl1->setCurrentWidget(o.form->TabSheet7);
       const QKeySequence key = o.form->BU_Anteprima->shortcut();
       ASSERT_EQ(key.count(), 1);
       QTest::keySequence(o.form.get(), key);
       QTest::qWait(300);
       EXPECT_EQ(o.form->PageControl1->currentWidget(), o.form->TabSheet5);
       ASSERT_TRUE(o.form->chooseLanguage("en", false));
       QApplication::processEvents();
       o.expectAKeyOnEveryButton();
       ASSERT_TRUE(o.form->chooseLanguage("it", false));
       QApplication::processEvents();
       o.expectAKeyOnEveryButton();
     }},
    {"8: every tab title shows whole at the window's own size, in both languages",
     [](Operator& o) {
       ASSERT_EQ(o.form->width(), 982);
       for (const char* language : {"it", "en"}) {
         ASSERT_TRUE(o.form->chooseLanguage(language, false));
         QApplication::processEvents();
         QTabBar* bar = o.form->PageControl1->tabBar();
         EXPECT_LE(bar->sizeHint().width(), bar->width()) << language;
         for (int i = 0; i < bar->count(); ++i)
           EXPECT_GE(bar->tabRect(i).width(),
                     bar->fontMetrics().horizontalAdvance(bar->tabText(i)) + 8)
               << bar->tabText(i).toStdString();
         // No arrows: no tab is scrolled away.
         for (QWidget* arrow : bar->findChildren<QWidget*>())
           EXPECT_FALSE(arrow->isVisible()) << arrow->objectName().toStdString();
       }
       ASSERT_TRUE(o.form->chooseLanguage("it", false));
       QApplication::processEvents();
     }},
    {"9: the docs' table of keys is the window's own",
     [](Operator& o) {
       const auto italian = o.keys();
       ASSERT_TRUE(o.form->chooseLanguage("en", false));
       QApplication::processEvents();
       const auto english = o.keys();
       ASSERT_EQ(italian.size(), english.size());
       std::set<std::string> rows;
       for (std::size_t i = 0; i < italian.size(); ++i) {
         QString english_name = english[i].first;
         english_name.remove(QRegularExpression(QStringLiteral("^\"[^\"]*\": ")));
         rows.insert(("| " + italian[i].first + " / " + english_name + " | " + italian[i].second +
                      " | " + english[i].second + " |")
                         .toStdString());
       }
       const std::string docs =
           brisel::testing::readFile(std::filesystem::path(BRISEL_DOCS) / "window.md");
       const std::string header = "| Button | Italiano | English |\n|---|---|---|\n";
       std::size_t at = docs.find(header);
       ASSERT_NE(at, std::string::npos);
       std::set<std::string> documented;
       for (at += header.size(); at < docs.size() && docs[at] == '|';) {
         const std::size_t end = docs.find('\n', at);
         documented.insert(docs.substr(at, end - at));
         at = end + 1;
       }
       EXPECT_EQ(documented, rows);
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
