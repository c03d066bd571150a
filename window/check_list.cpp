#include "window/check_list.h"

#include "app/buttons.h"

#include <QColor>
#include <QCoreApplication>
#include <QHeaderView>
#include <QRegularExpression>

#include "core/text.h"
#include "table/check.h"
#include "window/grid_view.h"
#include "window/language.h"

namespace {

QString utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A line of the docs' table of codes as plain text: no code spans, links as
// their words.
QString docText(std::string_view doc) {
  QString text = QString::fromUtf8(doc.data(), static_cast<qsizetype>(doc.size()));
  text.remove(QLatin1Char('`'));
  static const QRegularExpression link(QStringLiteral("\\[([^\\]]*)\\]\\([^)]*\\)"));
  text.replace(link, QStringLiteral("\\1"));
  return text;
}

// The package rules run's lines: each rule with the rows it matched and each
// unused rule, greyed as what they tell is no fault; then each part no rule
// matched, which may sit turned as the library drew it.
void addRulesLines(const brisel::RulesReport& report, std::vector<CheckListModel::Line>& lines) {
  for (const brisel::RuleCount& r : report.used)
    lines.push_back({0, QString(), QString(), QStringLiteral("rules-rule"),
                     CheckListModel::tr("regola alla riga %1 del file regole, '%2': %3 righe")
                         .arg(r.line)
                         .arg(shownText(r.pattern))
                         .arg(r.rows),
                     true});
  for (const brisel::RuleCount& r : report.unused)
    lines.push_back(
        {0, QString(), QString(), QStringLiteral("rules-unused"),
         CheckListModel::tr("regola alla riga %1 del file regole, '%2': nessuna riga corrisponde")
             .arg(r.line)
             .arg(shownText(r.pattern)),
         true});
  for (const brisel::RuleMiss& m : report.unmatched)
    lines.push_back(
        {m.row, QString::number(m.row), shownText(m.reference), QStringLiteral("rules-unmatched"),
         CheckListModel::tr("nessuna regola per '%1': lasciato com'era").arg(shownText(m.field))});
}

}  // namespace

int CheckListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int CheckListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 5;
}

QVariant CheckListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Line& line = lines_[static_cast<std::size_t>(index.row())];
  if (role == Qt::ForegroundRole && line.information) return QColor(Qt::darkGray);
  if (role == Qt::ToolTipRole && (index.column() == 2 || index.column() == 3) &&
      !line.tip.isEmpty())
    return line.tip;
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case 0:
      return line.rowText;
    case 1:
      return line.reference;
    case 2:
      return line.code;
    case 3:
      return line.severity;
    default:
      return line.text;
  }
}

QVariant CheckListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const titles[] = {QT_TR_NOOP("Riga"), QT_TR_NOOP("Riferimento"),
                                       QT_TR_NOOP("Codice"), QT_TR_NOOP("Gravità"),
                                       QT_TR_NOOP("Testo")};
  return section >= 0 && section < 5 ? tr(titles[section]) : QVariant();
}

void CheckListModel::show(const brisel::Workspace& workspace) {
  beginResetModel();
  lines_.clear();
  for (const brisel::Finding& f : workspace.findings) {
    const brisel::CheckCode& code = brisel::checkCodeOf(f.code);
    Line line{f.row,
              QString::number(f.row),
              shownText(f.reference),
              latin1(code.name),
              language::said(f.text),
              code.severity == brisel::Severity::information};
    line.severity = language::coreText("Message", latin1(brisel::severityName(code.severity)));
    line.tip = docText(code.doc);
    lines_.push_back(std::move(line));
  }
  const brisel::RakReport& rak = workspace.rakReport;
  // The rows RAK removed are gone from the table: their numbers point nowhere.
  for (const brisel::RakRemoved& r : rak.removed)
    lines_.push_back(
        {0, QString::number(r.row), shownText(r.reference), QStringLiteral("rak-removed"),
         tr("riga rimossa da \"%1\": nessuna regola per il valore '%2'")
             .arg(language::coreText(
                      "Button",
                      QString::fromLatin1(
                          brisel::findButton("Button17")->caption.data(),
                          static_cast<qsizetype>(brisel::findButton("Button17")->caption.size()))),
                  shownText(r.value))});
  for (const brisel::RakUnused& u : rak.unused)
    lines_.push_back({0, QString(), QString(), QStringLiteral("rak-unused"),
                      tr("regola alla riga %1 del file RAK: nessuna riga ha il "
                         "valore '%2'")
                          .arg(u.line)
                          .arg(shownText(u.value))});
  addRulesLines(workspace.rulesReport, lines_);
  const brisel::QpfCompare& qpf = workspace.qpfCompare;
  for (const brisel::QpfDifference& d : qpf.differences)
    lines_.push_back(
        {d.row, d.row > 0 ? QString::number(d.row) : QString(), QString(),
         QStringLiteral("qpf-") + utf8(d.field).replace(QLatin1Char(' '), QLatin1Char('-')),
         tr("record %1, %2: file %3, tabella %4")
             .arg(d.record)
             .arg(utf8(d.field), utf8(d.file), utf8(d.table))});
  if (qpf.ran && qpf.differences.empty())
    lines_.push_back({0, QString(), QString(), QStringLiteral("qpf"),
                      tr("Il file QPF corrisponde alla tabella")});
  endResetModel();
}

CheckList::CheckList(QWidget* parent) : QTableView(parent), model_(new CheckListModel(this)) {
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setStretchLastSection(true);
  setColumnWidth(0, 60);
  setColumnWidth(1, 100);
  setColumnWidth(2, 140);
  setColumnWidth(3, 80);
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (!index.isValid()) return;
    int row = model_->lines()[static_cast<std::size_t>(index.row())].row;
    if (row > 0) emit rowChosen(row);
  });
}

QString rakSummary(const brisel::RakReport& report) {
  if (!report.ran) return {};
  // Named by its rules' file: the line goes with the run when that is undone.
  return QCoreApplication::translate("CheckList", "RAK %1: %2 righe rimosse, %3 regole non usate")
      .arg(utf8(report.rules))
      .arg(report.removed.size())
      .arg(report.unused.size());
}

QString rulesSummary(const brisel::RulesReport& report) {
  if (!report.ran) return {};
  return QCoreApplication::translate("CheckList",
                                     "Regole %1: %2 corrette, %3 regole non usate, %4 senza regola")
      .arg(utf8(report.rules))
      .arg(report.corrected)
      .arg(report.unused.size())
      .arg(report.unmatched.size());
}
