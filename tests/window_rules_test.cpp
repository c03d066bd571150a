// "Applica regole" in the window: its box on the "Scheda" tab, whole at the
// window's own size; the run's summary under the buttons and its lines in
// "Controllo", both going with the undone run; the path kept in brisel.ini.
// With BRISEL_SHOTS set, the tab and the "Controllo" tab are saved there.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/history.h"
#include "app/settings.h"
#include "tests/window_kit.h"
#include "window/check_list.h"

namespace window_tests {
namespace {

void shoot(QWidget* widget, const char* name) {
  const QByteArray folder = qgetenv("BRISEL_SHOTS");
  if (folder.isEmpty()) return;
  widget->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name));
}

// Whether the widget shows whole inside the page, nothing of it cut off.
bool wholeIn(const QWidget* widget, const QWidget* page) {
  const QRect shown(widget->mapTo(page, QPoint(0, 0)), widget->size());
  return page->rect().contains(shown) &&
         widget->size().height() >= widget->minimumSizeHint().height();
}

TEST_F(WindowTest, TheRulesBoxRunsTheSampleRulesAndKeepsItsFile) {
  auto form = makeForm();
  EXPECT_EQ(form->ED_Regole->text(),
            QDir::toNativeSeparators(samplesFolder() + "/BOARD-regole.csv"));
  form->resize(982, 686);
  form->show();
  form->PageControl1->setCurrentWidget(form->TabSheet7);
  QCoreApplication::processEvents();
  for (QWidget* control : std::initializer_list<QWidget*>{
           form->ED_Regole, form->BU_SfogliaRegole, form->BU_ApplicaRegole, form->BU_Angolo,
           form->BU_Anteprima, form->CB_Lato, form->ED_DY})
    EXPECT_TRUE(wholeIn(control, form->TabSheet7)) << control->objectName().toStdString();
  EXPECT_TRUE(form->GB_Regole->isAncestorOf(form->BU_ApplicaRegole));

  form->Edit5->setText(samplesFolder() + "/BOARD.MNT");
  form->Button10->click();  // Apre MNT
  const std::size_t steps = form->history().undoSteps();
  form->BU_ApplicaRegole->click();
  ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors[0].toStdString();
  EXPECT_EQ(form->history().undoSteps(), steps + 1);
  EXPECT_EQ(form->LB_Regole->text(),
            "Regole BOARD-regole.csv: 39 corrette, 1 regola non usata, 1 senza regola");
  // Its heading, as under the buttons, then a line a rule, then the parts
  // no rule matched.
  const auto lines = form->LV_Controllo->listModel()->lines();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0].text, form->LB_Regole->text());
  EXPECT_EQ(lines[12].code, "rules-unused");
  EXPECT_EQ(lines[13].row, 40);
  EXPECT_EQ(lines[13].text, "nessuna regola per 'SW_TACT 6X6': lasciato com'era");
  QCoreApplication::processEvents();  // the summary's new room
  EXPECT_GE(form->LB_Regole->width(), form->LB_Regole->sizeHint().width());
  shoot(form->TabSheet7, "rules-scheda.png");
  shoot(form.get(), "rules-scheda-window.png");
  form->PageControl1->setCurrentWidget(form->TabSheet6);
  QCoreApplication::processEvents();
  shoot(form.get(), "rules-controllo.png");

  form->BU_Annulla->click();
  EXPECT_EQ(form->LB_Regole->text(), "");
  EXPECT_TRUE(form->LV_Controllo->listModel()->lines().empty());

  dialogs.answer = QDir::toNativeSeparators(QString::fromStdString((folder / "r.csv").string()));
  form->BU_SfogliaRegole->click();
  ASSERT_EQ(dialogs.opened.size(), 1u);
  EXPECT_EQ(dialogs.opened[0].Filter, "*.csv|*.csv");
  EXPECT_EQ(form->ED_Regole->text(), *dialogs.answer);
  form->close();
  EXPECT_EQ(brisel::loadOwnSettings(form->ownSettingsFile()).at("regole"),
            dialogs.answer->toStdString());
  EXPECT_EQ(makeForm()->ED_Regole->text(), *dialogs.answer);
}

}  // namespace
}  // namespace window_tests
