// "Applica regole" on the "Scheda" tab: the package rules file, its picker and
// the button, in a box of their own beside the board steps. The path is kept
// in brisel.ini (key "regole") as the placement file's is; the summary of the
// run stands under the buttons beside the RAK one, its lines in "Controllo".
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "window/Unit1.h"
#include "window/form_parts.h"

using form::named;

namespace {

// The key of the rules file's path in brisel.ini.
constexpr const char* kRulesKey = "regole";
constexpr std::size_t kRulesBox = 10;  // ED_Regole among the path boxes

}  // namespace

QWidget* TForm1::buildRulesBox() {
  GB_Regole = named(new QGroupBox(tr("Regole per footprint (CSV)")), "GB_Regole");
  auto* box = new QVBoxLayout(GB_Regole);
  auto* file = new QHBoxLayout;
  ED_Regole = named(new QLineEdit, "ED_Regole");
  ED_Regole->setMinimumWidth(150);
  BU_SfogliaRegole = named(new QPushButton(QStringLiteral("...")), "BU_SfogliaRegole");
  BU_SfogliaRegole->setFixedWidth(28);
  BU_SfogliaRegole->setToolTip(tr("Sfoglia"));
  BU_SfogliaRegole->setAutoDefault(false);
  connect(BU_SfogliaRegole, &QPushButton::clicked, this,
          [this] { guarded(BU_SfogliaRegole, &TForm1::BU_SfogliaRegoleClick); });
  file->addWidget(ED_Regole, 1);
  file->addWidget(BU_SfogliaRegole);
  box->addLayout(file);
  // BU_ApplicaRegole comes from the button table (buildLowerPart).
  rulesButtons_ = new QHBoxLayout;
  box->addLayout(rulesButtons_);
  auto* order = new QLabel(tr("Come Applica RAK: sul lato sotto dopo Capovolgi scheda."));
  order->setWordWrap(true);
  box->addWidget(order);
  box->addStretch(1);
  LB_Regole = named(new QLabel, "LB_Regole");
  return GB_Regole;
}

void TForm1::loadRulesPath() {
  auto path = ownSettings_.find(kRulesKey);
  if (path != ownSettings_.end()) ED_Regole->setText(pathBytes_.load(kRulesBox, path->second));
}

void TForm1::keepRulesPath() {
  ownSettings_[kRulesKey] = pathBytes_.bytes(kRulesBox, ED_Regole->text());
}

void TForm1::BU_SfogliaRegoleClick(QObject*) {
  pick(ED_Regole, QStringLiteral("csv"));
}

void TForm1::BU_ApplicaRegoleClick(QObject*) {
  run(BU_ApplicaRegole);
}
