// The "Scheda" tab: the board steps with their parameters, beside the preview
// they change. The steps and their order are the table layer's; here only the
// controls that hold the parameters, read into the snapshot like any other.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "window/Unit1.h"
#include "window/form_parts.h"

using form::named;

namespace {

QDoubleSpinBox* millimetres(const char* name) {
  auto* box = named(new QDoubleSpinBox, name);
  box->setRange(-100000, 100000);
  box->setDecimals(3);
  box->setSuffix(QStringLiteral(" mm"));
  return box;
}

}  // namespace

void TForm1::buildBoardTab() {
  TabSheet7 = named(new QWidget, "TabSheet7");
  auto* page = new QHBoxLayout(TabSheet7);

  auto* parameters = new QFormLayout;
  CB_Lato = named(new QComboBox, "CB_Lato");
  CB_Lato->addItem(tr("T (sopra)"), QStringLiteral("T"));
  CB_Lato->addItem(tr("B (sotto)"), QStringLiteral("B"));
  CB_Asse = named(new QComboBox, "CB_Asse");
  CB_Asse->addItem(tr("x (da sinistra a destra)"), QStringLiteral("x"));
  CB_Asse->addItem(tr("y (dall'alto in basso)"), QStringLiteral("y"));
  SE_Gradi = named(new QSpinBox, "SE_Gradi");
  SE_Gradi->setRange(-359, 359);
  SE_Gradi->setValue(90);
  SE_Gradi->setSuffix(tr("\u00B0 antiorario"));
  ED_DX = millimetres("ED_DX");
  ED_DY = millimetres("ED_DY");
  parameters->addRow(tr("Lato da tenere"), CB_Lato);
  parameters->addRow(tr("Asse"), CB_Asse);
  parameters->addRow(tr("Rotazione"), SE_Gradi);
  parameters->addRow(tr("Spostamento X"), ED_DX);
  parameters->addRow(tr("Spostamento Y"), ED_DY);

  // The step buttons come from the button table (buildLowerPart).
  boardButtons_ = new QVBoxLayout;
  auto* order =
      new QLabel(tr("Lato sotto: Tieni lato B, Capovolgi scheda, Applica RAK, "
                    "Origine nell'angolo o Riferimento."));
  order->setWordWrap(true);
  BU_Anteprima = named(new QPushButton(tr("Vedi anteprima")), "BU_Anteprima");
  BU_Anteprima->setAutoDefault(false);
  connect(BU_Anteprima, &QPushButton::clicked, this,
          [this] { PageControl1->setCurrentWidget(TabSheet5); });

  auto* left = new QVBoxLayout;
  left->addLayout(parameters);
  left->addWidget(order);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addLayout(boardButtons_);
  right->addStretch(1);
  right->addWidget(BU_Anteprima);
  page->addLayout(left);
  page->addSpacing(12);
  page->addLayout(right);
  page->addSpacing(12);
  page->addWidget(buildPanelBox(), 0, Qt::AlignTop);
  page->addWidget(buildRulesBox(), 1);
  PageControl1->insertTab(PageControl1->indexOf(TabSheet5) + 1, TabSheet7, tr("Scheda"));
}

void TForm1::readBoardControls(brisel::Controls& controls) const {
  controls.keepSide = CB_Lato->currentData().toString() == QLatin1String("B") ? 'B' : 'T';
  controls.flipAxis = CB_Asse->currentData().toString() == QLatin1String("y") ? 'y' : 'x';
  controls.turnDegrees = SE_Gradi->value();
  controls.shiftX = ED_DX->value();
  controls.shiftY = ED_DY->value();
}

void TForm1::BU_TieniLatoClick(QObject*) {
  run(BU_TieniLato);
}

void TForm1::BU_CapovolgiClick(QObject*) {
  run(BU_Capovolgi);
}

void TForm1::BU_RuotaClick(QObject*) {
  run(BU_Ruota);
}

void TForm1::BU_SpostaClick(QObject*) {
  run(BU_Sposta);
}

void TForm1::BU_AngoloClick(QObject*) {
  run(BU_Angolo);
}
