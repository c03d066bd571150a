// The "Pannello" box of the "Scheda" tab: how many boards across and up and
// their pitch, beside "Pannello"; the boards to leave out, beside "Salta
// schede". The steps are the table layer's (table/panel.cpp); the order of a
// bottom side's panel is docs/board-sides.md's, said here in one line.
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "window/Unit1.h"
#include "window/form_parts.h"

using form::named;

namespace {

QSpinBox* boards(const char* name, int value) {
  auto* box = named(new QSpinBox, name);
  box->setRange(1, brisel::kMaxPanelSide);
  box->setValue(value);
  return box;
}

QDoubleSpinBox* pitch(const char* name, double value) {
  auto* box = named(new QDoubleSpinBox, name);
  box->setRange(-10000, 10000);
  box->setDecimals(3);
  box->setValue(value);
  box->setSuffix(QStringLiteral(" mm"));
  return box;
}

// Where the box's two buttons stand in its grid: after the pitches, and
// beside the list of boards to leave out.
constexpr int kPanelRow = 2;
constexpr int kSkipRow = 3;
constexpr int kButtonColumn = 2;

}  // namespace

QWidget* TForm1::buildPanelBox() {
  const brisel::Controls start;
  auto* box = named(new QGroupBox(tr("Pannello")), "GB_Pannello");
  panelGrid_ = new QGridLayout(box);
  SE_Colonne = boards("SE_Colonne", start.panelColumns);
  SE_Righe = boards("SE_Righe", start.panelRows);
  ED_PassoX = pitch("ED_PassoX", start.panelPitchX);
  ED_PassoY = pitch("ED_PassoY", start.panelPitchY);
  ED_Salta = named(new QLineEdit, "ED_Salta");
  ED_Salta->setPlaceholderText(QStringLiteral("2,5-6"));
  connect(ED_Salta, &QLineEdit::returnPressed, this, [this] { BU_SaltaSchede->click(); });
  SE_Colonne->setToolTip(tr("Schede lungo X"));
  SE_Righe->setToolTip(tr("Schede lungo Y"));
  panelGrid_->addWidget(new QLabel(tr("Colonne")), 0, 0);
  panelGrid_->addWidget(SE_Colonne, 0, 1);
  panelGrid_->addWidget(new QLabel(tr("Passo X")), 0, 2);
  panelGrid_->addWidget(ED_PassoX, 0, 3);
  panelGrid_->addWidget(new QLabel(tr("Righe")), 1, 0);
  panelGrid_->addWidget(SE_Righe, 1, 1);
  panelGrid_->addWidget(new QLabel(tr("Passo Y")), 1, 2);
  panelGrid_->addWidget(ED_PassoY, 1, 3);
  panelGrid_->addWidget(new QLabel(tr("Salta")), kSkipRow, 0);
  panelGrid_->addWidget(ED_Salta, kSkipRow, 1);
  ED_Salta->setToolTip(tr("Le schede da saltare, come 2,5-6"));
  ED_Salta->setMaximumWidth(ED_PassoX->sizeHint().width());
  auto* order = new QLabel(
      tr("La scheda 1 resta dov'\u00E8, la 2 va alla sua destra. Lato sotto: Tieni lato B, "
         "Pannello, Salta schede, Capovolgi scheda, Applica RAK, Origine nell'angolo."));
  order->setWordWrap(true);
  panelGrid_->addWidget(order, kSkipRow + 1, 0, 1, 4);
  return box;
}

void TForm1::placePanelButton(QPushButton* button) {
  const bool panel = button->objectName() == QLatin1String("BU_Pannello");
  panelGrid_->addWidget(button, panel ? kPanelRow : kSkipRow, kButtonColumn, 1, 2);
}

void TForm1::readPanelControls(brisel::Controls& controls) const {
  controls.panelColumns = SE_Colonne->value();
  controls.panelRows = SE_Righe->value();
  controls.panelPitchX = ED_PassoX->value();
  controls.panelPitchY = ED_PassoY->value();
  controls.skipBoards = ED_Salta->text().toStdString();
}

void TForm1::BU_PannelloClick(QObject*) {
  run(BU_Pannello);
}

void TForm1::BU_SaltaSchedeClick(QObject*) {
  run(BU_SaltaSchede);
}
