// The checks before the machine in the form: "Controlla", "Verifica QPF", the
// RAK summary, the "Controllo" tab, and the summary line under the buttons.
//
// A result shown is true to what it was computed from, or it goes: the
// findings are computed again at every change of the table and of
// "Inglese"; a compare goes at any change of the table, of the two files or
// their boxes, of "Forza di default" or of "Inglese"; the RAK report lives in
// the history, with the table it left (app/buttons.h drops it at a new board
// and before a run).

#include <QFileSystemWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSizePolicy>
#include <QTabWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "core/platform.h"
#include "table/check.h"
#include "window/Unit1.h"
#include "window/board_view.h"
#include "window/check_list.h"
#include "window/grid_view.h"
#include "window/language.h"

namespace {

QString pathText(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.wstring());
#else
  return QString::fromLocal8Bit(path.string());
#endif
}

}  // namespace

void TForm1::buildChecks() {
  LB_Rak = new QLabel(Button9->parentWidget());
  LB_Rak->setObjectName(QStringLiteral("LB_Rak"));
  LB_Stato = new QLabel(Button9->parentWidget());
  LB_Stato->setObjectName(QStringLiteral("LB_Stato"));
  // Their texts are made from what the workspace holds, in the language
  // shown: said anew at a change of language, not looked up.
  LB_Rak->setProperty("untranslated", true);
  LB_Stato->setProperty("untranslated", true);
  // A long path in the line is cut rather than widen the window; its tool
  // tip holds it whole.
  LB_Stato->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  LV_Controllo = new CheckList;
  LV_Controllo->setObjectName(QStringLiteral("LV_Controllo"));
  TabSheet6 = new QWidget;
  TabSheet6->setObjectName(QStringLiteral("TabSheet6"));
  auto* fill = new QVBoxLayout(TabSheet6);
  fill->setContentsMargins(0, 0, 0, 0);
  fill->addWidget(LV_Controllo);
  PageControl1->addTab(TabSheet6, tr("Controllo"));

  connect(LV_Controllo, &CheckList::rowChosen, this, [this](int row) {
    StringGrid1->moveCursorTo(StringGrid1->Col(), row);
    PageControl1->setCurrentWidget(TabSheet1);
    StringGrid1->setFocus();
  });
  compareWatch_ = new QFileSystemWatcher(this);
  connect(compareWatch_, &QFileSystemWatcher::fileChanged, this, &TForm1::dropCompare);
}

void TForm1::bindChecks() {
  // "Inglese" changes what a number cell reads as: the findings follow, and
  // the QPF bytes the table would give change.
  connect(RB_EN, &QRadioButton::toggled, this, [this] {
    checkStale_ = true;
    dropCompare();
    showChecks();
  });
  for (QLineEdit* box : {Edit1, Edit4, ED_Forza})
    connect(box, &QLineEdit::textChanged, this, &TForm1::dropCompare);
}

void TForm1::followTable() {
  if (!checkFollows_) return;
  const std::uint64_t table = workspace_.StringGrid1.generation();
  if (!checkStale_ && table == checkedTable_) return;
  // About 40 ms at 65,535 rows (bench/check_bench.cpp): within what a change
  // may take, so the findings are never left behind the table.
  workspace_.findings = brisel::checkTable(workspace_.StringGrid1, snapshot().numbers());
  checkedTable_ = table;
  checkStale_ = false;
}

void TForm1::showChecks() {
  followTable();
  if (workspace_.qpfCompare.ran && workspace_.StringGrid1.generation() != comparedTable_)
    workspace_.qpfCompare = {};
  if (!workspace_.qpfCompare.ran && !compareWatch_->files().isEmpty())
    compareWatch_->removePaths(compareWatch_->files());
  LV_Controllo->show(workspace_, checkFollows_);
  // The preview outlines in red the parts the last check found fault with.
  Preview->view()->setMarkedRows(brisel::rowsWithFindings(workspace_.findings));
  LB_Rak->setText(rakSummary(workspace_.rakReport));
  LB_Regole->setText(rulesSummary(workspace_.rulesReport));
}

void TForm1::dropCompare() {
  if (!workspace_.qpfCompare.ran) return;
  workspace_.qpfCompare = {};
  showChecks();
}

void TForm1::BU_ControllaClick(QObject*) {
  // The check reads the table as it stands; from now on it follows it.
  checkFollows_ = true;
  checkStale_ = false;
  checkedTable_ = workspace_.StringGrid1.generation();
  run(BU_Controlla);
  PageControl1->setCurrentWidget(TabSheet6);
}

void TForm1::BU_VerificaClick(QObject*) {
  comparedTable_ = workspace_.StringGrid1.generation();
  const brisel::Controls controls = snapshot();
  run(BU_Verifica, controls);
  // A rewrite of either file, by this window or another program, ends the
  // compare's truth.
  if (workspace_.qpfCompare.ran)
    compareWatch_->addPaths({pathText(controls.Edit4), pathText(controls.Edit1)});
  PageControl1->setCurrentWidget(TabSheet6);
}

void TForm1::showStatus(std::optional<brisel::Text> status) {
  status_ = std::move(status);
  const QString text = status_ ? language::said(*status_) : QString();
  LB_Stato->setText(text);
  LB_Stato->setToolTip(text);
  // An empty line takes no room from the RAK summary beside it.
  LB_Stato->setVisible(!text.isEmpty());
}

// An input file that is not there is passed over without a box; the line
// under the buttons says it, up to the next operation.
void TForm1::showMissing(const brisel::Outcome& outcome, const brisel::Controls& controls) {
  if (!outcome.unopened || *outcome.unopened == controls.Edit4 ||
      *outcome.unopened == controls.Edit9)
    return;
  std::error_code error;
  if (std::filesystem::exists(*outcome.unopened, error) || error) return;
  const QString shown = pathText(outcome.unopened->filename());
  showStatus(brisel::Text(QT_TRANSLATE_NOOP("Message", "File non trovato: %1"),
                          {brisel::Text::data(shown.toStdString())}));
}

void TForm1::showImageSaved(const QString& path) {
  showStatus(brisel::Text(QT_TRANSLATE_NOOP("Message", "Immagine salvata: %1"),
                          {brisel::Text::data(path.toStdString())}));
}
