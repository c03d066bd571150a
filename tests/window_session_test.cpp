// The window with the real operations on the sample board, pressed as an
// operator would: clicks on the buttons (a disabled one cannot be pressed),
// clicks on the cells, and what the views then show.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <string>

#include "tests/testkit.h"
#include "tests/window_fakes.h"
#include "window/Unit1.h"
#include "window/grid_view.h"

namespace {

using brisel::testing::readFile;
using brisel::testing::TempDir;

const QString kSamples = QStringLiteral(BRISEL_SAMPLES);
const std::pair<QString, QString> kSuccess{"Messaggio", "Operazione eseguita correttamente"};

// What a view shows in a cell.
QString shown(const GridView* view, int row, int column) {
  return view->model()->index(row, column).data().toString();
}

// The texts a view shows in a row, columns 1 to 8 (0 and 9 stay empty).
QStringList shownRow(const GridView* view, int row) {
  QStringList cells;
  for (int column = 1; column <= 8; ++column) cells << shown(view, row, column);
  return cells;
}

double shownNumber(const GridView* view, int row, int column) {
  return shown(view, row, column).toDouble();
}

// A click on a cell, scrolled into view first, as the operator clicks.
void clickCell(GridView* view, int row, int column, Qt::KeyboardModifiers modifiers = {}) {
  const QModelIndex cell = view->model()->index(row, column);
  view->scrollTo(cell);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualRect(cell).center());
}

class WindowSession : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QLocale::system().decimalPoint() != QLatin1String("."))
      GTEST_SKIP() << "the session reads the sample board with the point as separator";
    form = std::make_unique<TForm1>(dialogs, folder / "KSR.ini");
    form->Edit1->setText(kSamples + "/TEMPLATE.QPF");
    form->Edit2->setText(kSamples + "/BOARD.REP");
    form->Edit3->setText(kSamples + "/BOARD.CMP");
    form->Edit4->setText(output("OUTPUT.QPF"));
    form->Edit5->setText(kSamples + "/BOARD.MNT");
    form->Edit6->setText(kSamples + "/BOARD.BOM");
    form->Edit7->setText(kSamples + "/BOARD.RAK");
    form->Edit8->setText(kSamples + "/BOARD.TXT");
    form->Edit9->setText(output("ZIRKAN.TXT"));
    form->show();
    table = form->StringGrid1;
  }

  QString output(const char* name) const {
    return QString::fromStdString((folder / name).string());
  }

  // The message boxes shown since the last call.
  std::vector<std::pair<QString, QString>> messages() {
    return std::exchange(dialogs.messages, {});
  }

// Checks the two buttons whose state carries over, reporting the caller's line.
#define EXPECT_BUTTONS(rak, footprint) \
  do {                                 \
    SCOPED_TRACE("buttons");           \
    expectButtons(rak, footprint);     \
  } while (false)

  void expectButtons(bool rak, bool footprint) const {
    EXPECT_EQ(form->Button17->isEnabled(), rak) << "Applica RAK";
    EXPECT_EQ(form->BU_FootPrint->isEnabled(), footprint) << "Merge FootPrint";
  }

  TempDir folder;
  FakeDialogs dialogs;
  std::unique_ptr<TForm1> form;
  GridView* table = nullptr;
};

using Messages = std::vector<std::pair<QString, QString>>;

TEST_F(WindowSession, SampleBoardFromImportToOutputsAndBack) {
  EXPECT_BUTTONS(true, false);

  // With the box checked the file's points become commas, which numbers with
  // a point as separator do not take until "Inglese" is chosen.
  form->CB_Format->setChecked(true);
  form->Button4->click();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0],
            QString::fromUtf8("BOARD.REP, riga 3: '40.640' non è un valore numerico valido\n"
                              "Separatore decimale del sistema: '.'. Provare \"Inglese\" o "
                              "togliere \"Virgola come separatore decimali\"."));
  EXPECT_EQ(shown(table, 1, 2), "");
  EXPECT_BUTTONS(true, false);
  form->BU_FootPrint->click();  // cannot be pressed yet
  EXPECT_TRUE(messages().empty());

  form->RB_EN->click();
  form->Button4->click();
  EXPECT_EQ(table->model()->rowCount(), 50);
  EXPECT_EQ(shownRow(table, 1),
            QStringList({"1", "U1", "???", "", "40.6399993896484", "30.4799995422363", "0", ""}));
  EXPECT_EQ(shownRow(table, 40).mid(0, 3), QStringList({"40", "SW1", "???"}));
  EXPECT_BUTTONS(true, true);

  form->Button13->click();  // Apre BOM: values
  EXPECT_EQ(shown(table, 1, 3), "STM32F103C8");
  EXPECT_EQ(shown(table, 1, 8), "");
  form->Button5->click();  // Apre CMP: values and footprints
  EXPECT_EQ(shown(table, 1, 8), "LQFP48");
  EXPECT_EQ(shown(table, 40, 8), "SW_TACT_6X6");
  EXPECT_BUTTONS(true, true);

  // The rules drop F1 (500mA) and SW1 (TACT) and turn U1 by 90 degrees.
  form->Button17->click();
  EXPECT_EQ(table->model()->rowCount(), 39);
  EXPECT_EQ(
      shownRow(table, 1).mid(0, 7),
      QStringList({"1", "U1", "STM32F103C8", "", "40.6399993896484", "30.4799995422363", "90"}));
  EXPECT_EQ(shownRow(table, 36).mid(0, 3), QStringList({"37", "J1", "USB-B"}));
  GridView* rules = form->StringGrid3;
  EXPECT_EQ(rules->model()->rowCount(), 31);
  EXPECT_EQ(shown(rules, 0, 0) + "|" + shown(rules, 0, 1), "Valore|Angolo");
  EXPECT_EQ(shown(rules, 1, 0) + "|" + shown(rules, 1, 1), "0R|0");
  EXPECT_EQ(shown(rules, 30, 0) + "|" + shown(rules, 30, 1), "USB-B|270");
  EXPECT_BUTTONS(false, true);
  form->Button17->click();  // once for each table: nothing happens
  EXPECT_EQ(shown(table, 1, 7), "90");

  // A new REP import makes a new table, to which the rules apply again.
  form->Button4->click();
  EXPECT_BUTTONS(true, true);
  EXPECT_EQ(table->model()->rowCount(), 50);
  EXPECT_EQ(shown(table, 1, 3), "???");
  form->Button5->click();
  form->Button17->click();
  EXPECT_EQ(table->model()->rowCount(), 39);
  EXPECT_BUTTONS(false, true);

  // The origin moves to J1 (3.81, 20.32), where the operator clicked.
  clickCell(table, 36, 2);
  form->Button7->click();
  EXPECT_EQ(shown(table, 36, 5) + "|" + shown(table, 36, 6), "0|0");
  EXPECT_NEAR(shownNumber(table, 1, 5), 36.83, 1e-5);
  EXPECT_NEAR(shownNumber(table, 1, 6), 10.16, 1e-5);

  // Sorted by the reference, descending, byte by byte.
  clickCell(table, 1, 2);
  form->Button14->click();
  QStringList references;
  for (int row = 1; row < table->model()->rowCount(); ++row) references << shown(table, row, 2);
  EXPECT_EQ(references.join(' '),
            "Y1 U5 U4 U3 U2 U1 R9 R8 R7 R6 R5 R4 R3 R2 R12 R11 R10 R1 Q1 L1 J3 J2 J1 D4 D3 D2 D1 "
            "C9 C8 C7 C6 C5 C4 C3 C2 C11 C10 C1");
  EXPECT_EQ(shownRow(table, 1).mid(0, 3), QStringList({"6", "Y1", "8MHz"}));
  EXPECT_EQ(shown(table, 23, 5), "0");  // J1 moved with its row
  EXPECT_TRUE(form->ProgressBar1->isHidden());

  // Rows 2 and 3 (U5, U4) selected from one cell to another, then deleted.
  clickCell(table, 2, 3);
  clickCell(table, 3, 5, Qt::ShiftModifier);
  form->Button15->click();
  EXPECT_EQ(shown(table, 1, 2) + " " + shown(table, 2, 2) + " " + shown(table, 3, 2), "Y1 U3 U2");
  EXPECT_EQ(table->model()->rowCount(), 39);
  EXPECT_EQ(shownRow(table, 37), QStringList(8, ""));
  EXPECT_EQ(shownRow(table, 38), QStringList(8, ""));
  EXPECT_EQ(table->currentIndex().row(), 2);
  EXPECT_EQ(table->currentIndex().column(), 3);

  form->BU_FootPrint->click();
  EXPECT_EQ(messages(), Messages{kSuccess});
  EXPECT_EQ(shown(table, 1, 3), "8MHz_HC49SMD");
  EXPECT_EQ(shown(table, 37, 3), "_");
  EXPECT_BUTTONS(false, false);
  form->BU_FootPrint->click();  // once for each table
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(shown(table, 1, 3), "8MHz_HC49SMD");

  // 36 components written.
  form->Button9->click();
  EXPECT_EQ(messages(), Messages{kSuccess});
  const std::string qpf = readFile(folder / "OUTPUT.QPF");
  ASSERT_EQ(qpf.size(), 131u + 104u * 36u);
  EXPECT_EQ(qpf.substr(127, 4), std::string("\x23\x0F\x00\x00", 4));
  form->Button20->click();
  EXPECT_EQ(messages(), Messages{kSuccess});
  const std::string zirkan = readFile(folder / "ZIRKAN.TXT");
  const std::string first = zirkan.substr(0, zirkan.find("\r\n\r") + 3);
  EXPECT_TRUE(first.starts_with("Y1 HC49SMD 8MHz_HC49SMD 36.83 ")) << first;
  EXPECT_TRUE(first.ends_with(" 0 \r\n\r")) << first;
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = zirkan.find("\r\n\r", at)) != std::string::npos; at += 3) ++lines;
  EXPECT_EQ(lines, 36u);
  EXPECT_BUTTONS(false, false);

  // The ZIRKAN file back: its words as they stand, the angle with the space
  // and line feed after it, which the cell keeps and does not draw.
  form->Button22->click();
  EXPECT_EQ(messages(), Messages{kSuccess});
  EXPECT_EQ(form->Memo1->toPlainText(), "");
  EXPECT_EQ(table->model()->rowCount(), 46);
  const QStringList y1 = shownRow(table, 1);
  EXPECT_EQ(y1.mid(0, 5), QStringList({"1", "Y1", "8MHz_HC49SMD", "", "36.83"}));
  EXPECT_EQ(y1.mid(6, 2), QStringList({"0", "HC49SMD"}));
  EXPECT_EQ(table->model()->index(1, 7).data(Qt::EditRole).toString(), "0 \n");
  EXPECT_BUTTONS(true, false);

  // The QPF file back: the byte list, the records byte by byte, the fields.
  form->Button2->click();
  EXPECT_EQ(messages(), Messages{kSuccess});
  EXPECT_EQ(form->Memo1->blockCount(), 234);
  EXPECT_TRUE(form->Memo1->toPlainText().startsWith("0\t66\tB\n1\t82\tR\n"));
  GridView* dump = form->StringGrid2;
  EXPECT_EQ(dump->model()->rowCount(), 47);
  // The length field's last byte, then record 1: number 6, "Y1".
  EXPECT_EQ(shown(dump, 1, 1) + " " + shown(dump, 1, 2) + " " + shown(dump, 1, 3) + " " +
                shown(dump, 1, 4) + " " + shown(dump, 1, 5),
            "0 6 0 89 49");
  EXPECT_EQ(shown(dump, 37, 1), "0");
  EXPECT_EQ(shown(dump, 37, 2), "");
  EXPECT_EQ(shownRow(table, 1).mid(0, 3), QStringList({"6", "Y1", "8MHz_HC49SMD"}));
  EXPECT_EQ(table->model()->index(1, 2).data(Qt::EditRole).toString(), "Y1      ");
  EXPECT_EQ(shown(table, 1, 7), "0");
  EXPECT_BUTTONS(true, true);

  // TXT: the first component in row 2, fields with their padding.
  form->Button19->click();
  EXPECT_EQ(shown(table, 1, 1), "6");
  EXPECT_EQ(
      shownRow(table, 2).mid(0, 7),
      QStringList({"2", "U1", "STM32F103C8", "", "40.6399993896484", "30.4799995422363", "0"}));
  EXPECT_EQ(table->model()->index(2, 2).data(Qt::EditRole).toString(), "U1        ");
  EXPECT_EQ(shown(table, 41, 2), "SW1");
  EXPECT_EQ(table->model()->rowCount(), 51);
  EXPECT_BUTTONS(true, true);

  // MNT: every column from the one file.
  form->Button10->click();
  EXPECT_EQ(shownRow(table, 1), QStringList({"1", "U1", "STM32F103C8", "", "40.6399993896484",
                                             "30.4799995422363", "0", "LQFP48"}));
  EXPECT_EQ(shown(table, 40, 8), "SW_TACT 6X6");
  EXPECT_BUTTONS(true, true);

  EXPECT_EQ(dialogs.errors.size(), 1u);
  EXPECT_TRUE(messages().empty());
}

// The state table of the two buttons: which operations enable them, which
// disable them, and that a file that cannot be opened counts for the imports
// but not for the viewers nor the rules.
TEST_F(WindowSession, ButtonsFollowTheOperationsThatMakeANewTable) {
  struct Step {
    const char* what;
    QPushButton* TForm1::*button;
    QLineEdit* TForm1::*missing;  // the box that names a missing file, if any
    bool rak;
    bool footprint;
    const char* message;  // the box shown, if any
  };
  const char* success = "Operazione eseguita correttamente";
  const char* openError = "Errore epertura file";
  const Step steps[] = {
      {"REP import, file missing", &TForm1::Button4, &TForm1::Edit2, true, true, nullptr},
      {"RAK rules", &TForm1::Button17, nullptr, false, true, nullptr},
      {"CMP import", &TForm1::Button5, nullptr, false, true, nullptr},
      {"BOM import", &TForm1::Button13, nullptr, false, true, nullptr},
      {"footprint merge", &TForm1::BU_FootPrint, nullptr, false, false, success},
      {"TXT import, file missing", &TForm1::Button19, &TForm1::Edit8, true, false, nullptr},
      {"RAK rules, file missing", &TForm1::Button17, &TForm1::Edit7, true, false,
       "Errore apertura file RAK"},
      {"RAK rules", &TForm1::Button17, nullptr, false, false, nullptr},
      {"MNT import", &TForm1::Button10, nullptr, true, true, nullptr},
      {"RAK rules", &TForm1::Button17, nullptr, false, true, nullptr},
      {"footprint merge", &TForm1::BU_FootPrint, nullptr, false, false, success},
      {"reference", &TForm1::Button7, nullptr, false, false, nullptr},
      {"sort", &TForm1::Button14, nullptr, false, false, nullptr},
      {"delete", &TForm1::Button15, nullptr, false, false, nullptr},
      {"ZIRKAN output", &TForm1::Button20, nullptr, false, false, success},
      {"QPF output", &TForm1::Button9, nullptr, false, false, success},
      {"ZIRKAN viewer, file missing", &TForm1::Button22, &TForm1::Edit9, false, false, openError},
      {"QPF viewer, file missing", &TForm1::Button2, &TForm1::Edit4, false, false, openError},
      {"ZIRKAN viewer", &TForm1::Button22, nullptr, true, false, success},
      {"RAK rules", &TForm1::Button17, nullptr, false, false, nullptr},
      {"QPF viewer", &TForm1::Button2, nullptr, true, true, success},
      {"REP import", &TForm1::Button4, nullptr, true, true, nullptr},
  };
  form->RB_EN->click();
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    QLineEdit* box = step.missing != nullptr ? form.get()->*step.missing : nullptr;
    const QString path = box != nullptr ? box->text() : QString();
    if (box != nullptr) box->setText(output("missing"));
    (form.get()->*step.button)->click();
    if (box != nullptr) box->setText(path);
    expectButtons(step.rak, step.footprint);
    const auto shownMessages = messages();
    ASSERT_EQ(shownMessages.size(), step.message != nullptr ? 1u : 0u);
    if (step.message != nullptr) {
      EXPECT_EQ(shownMessages[0].second, step.message);
    }
    EXPECT_EQ(dialogs.errors, std::vector<QString>{});
  }
}

// A cell the operator typed that is no number stops "Riferimento" at its row,
// with the rows above already moved; once the cell is mended the next press
// works.
TEST_F(WindowSession, TypedTextThatIsNoNumberStopsTheReferenceAtItsRow) {
  form->RB_EN->click();
  form->Button4->click();
  auto type = [this](int row, int column, const QString& text) {
    clickCell(table, row, column);
    QTest::keyClick(table, text.at(0).toLatin1());  // opens the editor with it
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits on a queued call
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  };
  type(2, 5, "abc");
  EXPECT_EQ(shown(table, 2, 5), "abc");

  clickCell(table, 1, 2);
  form->Button7->click();
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0],
            QString::fromUtf8("Riga 2, colonna X: 'abc' non è un valore numerico valido"));
  EXPECT_EQ(shown(table, 1, 5) + "|" + shown(table, 1, 6), "0|0");
  EXPECT_EQ(shown(table, 3, 5), "63.5");
  EXPECT_FALSE(form->busy());

  // Row 1 is the origin already, so the rows below it stay as the failure
  // left them.
  type(2, 5, "12.5");
  clickCell(table, 1, 2);
  form->Button7->click();
  EXPECT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(shown(table, 2, 5), "12.5");
  EXPECT_EQ(shown(table, 3, 5), "63.5");
  EXPECT_BUTTONS(true, true);
}

}  // namespace
