// The checks in the window on the sample board: the first click imports
// whatever the system's separator, "Controlla" fills the "Controllo" tab and
// a double click leads back to the row, the RAK summary under the buttons,
// "Verifica QPF" after "Crea Output File".

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "window/Unit1.h"
#include "window/board_view.h"
#include "window/check_list.h"
#include "window/grid_view.h"

namespace {

const QString kSamples = QStringLiteral(BRISEL_SAMPLES);

TEST(WindowChecks, FromTheFirstClickToTheComparedOutput) {
  brisel::testing::TempDir folder;
  FakeDialogs dialogs;
  TForm1 form(dialogs, folder / "KSR.ini");
  form.Edit1->setText(kSamples + "/TEMPLATE.QPF");
  form.Edit2->setText(kSamples + "/BOARD.REP");
  form.Edit5->setText(kSamples + "/BOARD.MNT");
  form.Edit7->setText(kSamples + "/BOARD.RAK");
  form.Edit4->setText(QString::fromStdString((folder / "OUT.QPF").string()));
  form.show();

  form.Button4->click();  // Apri REP, as the window starts
  ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors[0].toStdString();
  EXPECT_EQ(form.StringGrid1->model()->index(1, 2).data().toString(), "U1");

  form.Button10->click();  // Apre MNT: the footprints, one with a blank
  form.BU_Controlla->click();
  EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet6);
  const CheckListModel* list = form.LV_Controllo->listModel();
  ASSERT_EQ(list->rowCount(), 2);
  // A heading names the result and counts it.
  EXPECT_EQ(list->index(0, 4).data().toString(), "Controllo della tabella: 1 problema");
  EXPECT_TRUE(list->index(0, 4).data(Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(list->index(1, 0).data().toString(), "40");
  EXPECT_EQ(list->index(1, 1).data().toString(), "SW1");
  EXPECT_EQ(list->index(1, 2).data().toString(), "blank-in-field");
  EXPECT_EQ(form.Preview->view()->markedRows(), std::vector<int>{40});  // outlined in red
  QCoreApplication::processEvents();  // the tab shown lays its list out
  const QRect line = form.LV_Controllo->visualRect(list->index(1, 4));
  // A double click is a press, then a second press that doubles it.
  QTest::mouseClick(form.LV_Controllo->viewport(), Qt::LeftButton, {}, line.center());
  QTest::mouseDClick(form.LV_Controllo->viewport(), Qt::LeftButton, {}, line.center());
  EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet1);
  EXPECT_EQ(form.StringGrid1->Row(), 40);

  EXPECT_EQ(form.LB_Rak->text(), "");
  form.Button17->click();
  EXPECT_EQ(form.LB_Rak->text(), "RAK BOARD.RAK: 2 righe rimosse, 0 regole non usate");
  // The two rows removed; SW1's finding went with its row.
  ASSERT_EQ(list->rowCount(), 4);
  EXPECT_EQ(list->index(0, 4).data().toString(),
            "Controllo della tabella: nessun problema trovato");
  EXPECT_EQ(list->index(1, 4).data().toString(), form.LB_Rak->text());
  EXPECT_EQ(list->index(3, 2).data().toString(), "rak-removed");
  EXPECT_EQ(form.Preview->view()->markedRows(), std::vector<int>{});
  EXPECT_TRUE(dialogs.messages.empty());  // no box of its own

  form.Button9->click();
  form.BU_Verifica->click();
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1].second, "Il file QPF corrisponde alla tabella");
  form.StringGrid1->gridModel()->setData(form.StringGrid1->model()->index(3, 5), "1.5");
  form.BU_Verifica->click();
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet6);
  EXPECT_EQ(list->index(list->rowCount() - 2, 4).data().toString(),
            "Verifica QPF OUT.QPF: 1 differenza");
  EXPECT_EQ(list->index(list->rowCount() - 1, 2).data().toString(), "qpf-X");
  EXPECT_TRUE(dialogs.errors.empty());
}

// The README's walk on the sample board, step by step, with what it says
// each step shows. With BRISEL_SHOTS set, the window at its end is saved as
// the picture the README shows (dist/screenshot.png).
TEST(WindowChecks, TheReadmesWalkOnTheSampleBoard) {
  brisel::testing::TempDir folder;
  FakeDialogs dialogs;
  TForm1 form(dialogs, folder / "KSR.ini");
  form.Edit4->setText(QString::fromStdString((folder / "BOARD.QPF").string()));
  form.Edit9->setText(QString::fromStdString((folder / "BOARD.ZIR").string()));
  form.show();
  form.Button4->click();  // Apri REP
  EXPECT_EQ(form.StringGrid1->model()->index(1, 3).data().toString(), "???");
  form.Button5->click();  // Apre CMP
  EXPECT_NE(form.StringGrid1->model()->index(1, 3).data().toString(), "???");
  form.Button17->click();  // Applica RAK: the fuse and the switch go
  EXPECT_EQ(form.LB_Rak->text(), "RAK BOARD.RAK: 2 righe rimosse, 0 regole non usate");
  form.BU_Controlla->click();
  EXPECT_EQ(form.LV_Controllo->listModel()->index(0, 4).data().toString(),
            "Controllo della tabella: nessun problema trovato");
  form.Button9->click();   // Crea Output File
  form.Button20->click();  // Crea Output per ZIRKAN
  form.BU_Verifica->click();
  EXPECT_EQ(dialogs.messages.back().second, "Il file QPF corrisponde alla tabella");
  EXPECT_TRUE(dialogs.errors.empty());

  const QString shots = qEnvironmentVariable("BRISEL_SHOTS");
  if (shots.isEmpty()) return;
  // The outputs named as at a first start, not in this test's folder.
  form.Edit4->setText(kSamples + "/OUTPUT.QPF");
  form.Edit9->setText(kSamples + "/ZIRKAN.TXT");
  form.PageControl1->setCurrentWidget(form.TabSheet5);
  QTest::qWait(200);
  form.grab().save(shots + "/screenshot.png");
}

}  // namespace
