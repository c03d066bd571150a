// The "Scheda" tab over the sample board: the steps read their parameters
// from the tab, each click is one undo step, and the preview draws the board
// turned over. With BRISEL_SHOTS set, the tab and the preview are saved there.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <initializer_list>
#include <vector>

#include "app/history.h"
#include "core/component_row.h"
#include "core/table_shape.h"
#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "window/Unit1.h"
#include "window/board_view.h"

namespace {

const QString kSamples = QStringLiteral(BRISEL_SAMPLES);

void shoot(QWidget* widget, const char* name) {
  const QByteArray folder = qgetenv("BRISEL_SHOTS");
  if (folder.isEmpty()) return;
  widget->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name));
}

TEST(WindowBoard, TheSampleBoardTurnedOver) {
  brisel::testing::TempDir folder;
  FakeDialogs dialogs;
  TForm1 form(dialogs, folder / "KSR.ini");
  form.Edit2->setText(kSamples + "/BOARD.REP");
  form.resize(1100, 820);
  form.show();
  form.Button4->click();  // Apri REP
  ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors[0].toStdString();
  brisel::Grid& table = form.workspace().StringGrid1;
  // Every third part on the bottom side.
  for (int row = 1; row < table.RowCount(); row += 3)
    if (!table.cell(brisel::col::Reference, row).empty())
      table.setCell(brisel::col::Side, row, "B");
  const std::string x1(table.cell(brisel::col::X, 1));
  const std::size_t steps = form.history().undoSteps();

  EXPECT_EQ(form.PageControl1->indexOf(form.TabSheet7),
            form.PageControl1->indexOf(form.TabSheet5) + 1);
  form.PageControl1->setCurrentWidget(form.TabSheet7);
  form.CB_Asse->setCurrentIndex(0);  // x
  form.BU_Capovolgi->click();
  EXPECT_TRUE(dialogs.errors.empty());
  EXPECT_EQ(table.cell(brisel::col::Side, 1), "T");  // was B
  EXPECT_EQ(table.cell(brisel::col::Side, 2), "B");  // was empty
  EXPECT_EQ(std::string(table.cell(brisel::col::X, 1)), "-" + x1);
  // The sides typed behind the form's back go with the flip into one step;
  // a turn by nothing is none.
  EXPECT_EQ(form.history().undoSteps(), steps + 1);
  form.SE_Gradi->setValue(0);
  form.BU_Ruota->click();
  EXPECT_EQ(form.history().undoSteps(), steps + 1);
  shoot(form.TabSheet7, "board-steps-scheda.png");

  form.BU_Anteprima->click();
  EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet5);
  QCoreApplication::processEvents();
  EXPECT_TRUE(form.Preview->summary()->text().contains("parti del lato B"))
      << form.Preview->summary()->text().toStdString();
  EXPECT_TRUE(form.Preview->summary()->text().contains("parti con coordinate negative"));
  shoot(&form, "board-steps-preview.png");

  form.PageControl1->setCurrentWidget(form.TabSheet7);
  form.CB_Lato->setCurrentIndex(1);  // B
  form.BU_TieniLato->click();
  EXPECT_TRUE(form.LB_Stato->text().startsWith("Tieni lato B: "))
      << form.LB_Stato->text().toStdString();
}

// The "Pannello" box at the window's own size: every control on the tab
// without scrolling; a 3 x 2 panel of the sample board with board 5 left out,
// each one undo step, drawn with its board numbers.
TEST(WindowBoard, TheSampleBoardAsAPanel) {
  brisel::testing::TempDir folder;
  FakeDialogs dialogs;
  TForm1 form(dialogs, folder / "KSR.ini");
  form.Edit2->setText(kSamples + "/BOARD.REP");
  form.show();
  ASSERT_EQ(form.size(), QSize(982, 686));
  form.Button4->click();  // Apri REP
  ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors[0].toStdString();
  form.PageControl1->setCurrentWidget(form.TabSheet7);
  QCoreApplication::processEvents();
  const QRect tab = form.TabSheet7->rect();
  EXPECT_TRUE(form.TabSheet7->layout()->minimumSize().width() <= tab.width() &&
              form.TabSheet7->layout()->minimumSize().height() <= tab.height());
  for (QWidget* control : std::initializer_list<QWidget*>{
           form.SE_Colonne, form.SE_Righe, form.ED_PassoX, form.ED_PassoY, form.ED_Salta,
           form.BU_Pannello, form.BU_SaltaSchede, form.BU_Angolo, form.BU_Anteprima}) {
    const QRect place(control->mapTo(form.TabSheet7, QPoint(0, 0)), control->size());
    EXPECT_TRUE(control->isVisible() && tab.contains(place)) << control->objectName().toStdString();
  }
  const std::size_t steps = form.history().undoSteps();
  int components = 0;
  for (int row = 1; row < form.workspace().StringGrid1.RowCount(); ++row)
    components += brisel::isComponentRow(form.workspace().StringGrid1, row) ? 1 : 0;

  form.SE_Colonne->setValue(3);
  form.SE_Righe->setValue(2);
  form.ED_PassoX->setValue(85);
  form.ED_PassoY->setValue(60);
  form.BU_Pannello->click();
  ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors[0].toStdString();
  EXPECT_EQ(form.LB_Stato->text(),
            QStringLiteral("Pannello di 6 schede: %1 componenti").arg(6 * components));
  EXPECT_EQ(form.history().undoSteps(), steps + 1);
  form.ED_Salta->setText(QStringLiteral("5"));
  form.BU_SaltaSchede->click();
  ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors[0].toStdString();
  EXPECT_EQ(form.LB_Stato->text(), QStringLiteral("Salta schede: %1 righe tolte").arg(components));
  EXPECT_EQ(form.history().undoSteps(), steps + 2);
  shoot(form.TabSheet7, "panel-scheda.png");

  form.BU_Anteprima->click();
  QCoreApplication::processEvents();
  EXPECT_TRUE(form.Preview->summary()->text().contains("pannello: 5 schede"))
      << form.Preview->summary()->text().toStdString();
  std::vector<int> numbers;
  for (const brisel::PanelBoard& board : form.Preview->view()->board().panelBoards())
    numbers.push_back(board.number);
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 6}));
  shoot(&form, "panel-preview.png");
}

}  // namespace
