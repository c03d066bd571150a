// The "Scheda" tab over the sample board: the steps read their parameters
// from the tab, each click is one undo step, and the preview draws the board
// turned over. With BRISEL_SHOTS set, the tab and the preview are saved there.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "app/history.h"
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
  shoot(form.TabSheet7, "issue19-scheda.png");

  form.BU_Anteprima->click();
  EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet5);
  QCoreApplication::processEvents();
  EXPECT_TRUE(form.Preview->summary()->text().contains("parti del lato B"))
      << form.Preview->summary()->text().toStdString();
  EXPECT_TRUE(form.Preview->summary()->text().contains("parti con coordinate negative"));
  shoot(&form, "issue19-preview.png");

  form.PageControl1->setCurrentWidget(form.TabSheet7);
  form.CB_Lato->setCurrentIndex(1);  // B
  form.BU_TieniLato->click();
  EXPECT_TRUE(form.LB_Stato->text().startsWith("Tieni lato B: "))
      << form.LB_Stato->text().toStdString();
}

}  // namespace
