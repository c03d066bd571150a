// No result outlives what it was computed from, one case a line: a RAK report
// or a QPF compare shown, then a change; the result is gone from the
// "Controllo" tab and the line under the buttons when the change touches what
// it read, and stays, named by its source, when it does not.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>

#include "core/table_shape.h"
#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "window/Unit1.h"
#include "window/check_list.h"
#include "window/grid_view.h"

namespace {

namespace col = brisel::col;

const QString kSamples = QStringLiteral(BRISEL_SAMPLES);

struct Board {
  Board() : form(std::make_unique<TForm1>(dialogs, folder / "KSR.ini")) {
    form->Edit1->setText(kSamples + "/TEMPLATE.QPF");
    form->Edit2->setText(kSamples + "/BOARD.REP");
    form->Edit3->setText(kSamples + "/BOARD.CMP");
    form->Edit5->setText(kSamples + "/BOARD.MNT");
    form->Edit7->setText(kSamples + "/BOARD.RAK");
    form->Edit10->setText(kSamples + "/BOARD.pos");
    form->Edit4->setText(QString::fromStdString(output().string()));
    form->show();
    form->Button4->click();  // Apri REP
    form->Button5->click();  // Apre CMP: the values
  }

  std::filesystem::path output() const { return folder / "OUT.QPF"; }
  void type(int column, int row, const QString& text) {
    GridModel* model = form->StringGrid1->gridModel();
    model->setData(model->index(row, column), text);
  }
  // The lines of the "Controllo" tab whose code starts so, and its headings.
  int lines(const QString& code) const {
    int count = 0;
    for (const CheckListModel::Line& line : form->LV_Controllo->listModel()->lines())
      count += line.code.startsWith(code) ? 1 : 0;
    return count;
  }
  QString heading(const QString& code) const {
    for (const CheckListModel::Line& line : form->LV_Controllo->listModel()->lines())
      if (line.heading && line.code == code) return line.text;
    return {};
  }

  brisel::testing::TempDir folder;
  FakeDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

// The results, as they show before the change.
void rakRun(Board& b) {
  b.form->Button17->click();
  ASSERT_EQ(b.form->LB_Rak->text(), "RAK BOARD.RAK: 2 righe rimosse, 0 regole non usate");
  ASSERT_EQ(b.heading("rak"), b.form->LB_Rak->text());
  ASSERT_EQ(b.lines("rak"), 3);
}

void compareWithDifference(Board& b) {
  b.form->Button9->click();  // Crea Output File
  b.type(col::X, 3, "1.5");
  b.form->BU_Verifica->click();
  ASSERT_EQ(b.heading("qpf"), "Verifica QPF OUT.QPF: 1 differenza");
  ASSERT_EQ(b.lines("qpf-X"), 1);
}

void compareMatching(Board& b) {
  b.form->Button9->click();
  b.form->BU_Verifica->click();
  ASSERT_EQ(b.heading("qpf"), "Verifica QPF OUT.QPF: il file corrisponde alla tabella");
}

enum class Result { rak, compare };

struct Case {
  const char* name;
  Result result;
  void (*before)(Board&);
  std::function<void(Board&)> change;
  bool goes = true;
};

const Case kCases[] = {
    {"a placement import after a rule run", Result::rak, rakRun,
     [](Board& b) { b.form->BU_Posizioni->click(); }},
    {"an MNT import after a rule run", Result::rak, rakRun,
     [](Board& b) { b.form->Button10->click(); }},
    {"a failed rule run after a good one: its error alone", Result::rak, rakRun,
     [](Board& b) {
       b.form->Button4->click();  // a new board, whose rules may run
       b.form->Button5->click();
       b.type(col::Angle, 1, "???");
       b.form->Button17->click();
       ASSERT_EQ(b.dialogs.errors.size(), 1u);
       EXPECT_TRUE(b.dialogs.errors[0].startsWith("Riga 1, colonna Angolo"))
           << b.dialogs.errors[0].toStdString();
       EXPECT_EQ(b.form->LB_Stato->text(), "");
     }},
    {"a typed cell after a rule run: the report stays", Result::rak, rakRun,
     [](Board& b) { b.type(col::Value, 2, "4K7"); }, false},
    {"the QPF file rewritten after a difference", Result::compare, compareWithDifference,
     [](Board& b) { b.form->Button9->click(); }},
    {"the QPF file written by another program", Result::compare, compareMatching,
     [](Board& b) { std::ofstream(b.output(), std::ios::binary | std::ios::app) << 'x'; }},
    {"\"Forza di default\"", Result::compare, compareMatching,
     [](Board& b) { b.form->ED_Forza->setText("2"); }},
    {"\"Inglese\"", Result::compare, compareMatching, [](Board& b) { b.form->RB_EN->click(); }},
    {"the QPF output box", Result::compare, compareMatching,
     [](Board& b) {
       b.form->Edit4->setText(QString::fromStdString((b.folder / "B.QPF").string()));
     }},
    {"the template box", Result::compare, compareMatching,
     [](Board& b) { b.form->Edit1->setText(b.form->Edit1->text() + "x"); }},
    {"the ZIRKAN box: the compare stays", Result::compare, compareMatching,
     [](Board& b) { b.form->Edit9->setText("ZIRKAN2.TXT"); }, false},
};

// Failures name the case, not its bytes.
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class StaleCase : public ::testing::TestWithParam<Case> {};

TEST_P(StaleCase, NothingOutlivesItsSource) {
  const Case& c = GetParam();
  Board b;
  ASSERT_TRUE(b.dialogs.errors.empty()) << b.dialogs.errors[0].toStdString();
  ASSERT_NO_FATAL_FAILURE(c.before(b));
  c.change(b);
  if (c.result == Result::rak) {
    EXPECT_EQ(b.form->LB_Rak->text().isEmpty(), c.goes) << b.form->LB_Rak->text().toStdString();
    EXPECT_EQ(b.lines("rak"), c.goes ? 0 : 3);
    return;
  }
  // A change made by another program is told through the event loop.
  if (c.goes) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.lines("qpf") == 0; }, 5000));
  }
  QApplication::processEvents();
  EXPECT_EQ(b.lines("qpf") == 0, c.goes) << b.heading("qpf").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Window, StaleCase, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return "case" + std::to_string(info.index);
                         });

}  // namespace
