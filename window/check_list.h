#pragma once
// The list of the "Controllo" tab: the findings of "Controlla", the reports of
// the last rule runs (Button17, BU_ApplicaRegole) and the differences of
// "Verifica QPF", one line each with its row, reference, code and text.
// Double-clicking a line that points at a row of the table tells it through
// rowChosen.

#include <QAbstractTableModel>
#include <QString>
#include <QTableView>
#include <vector>

#include "core/workspace.h"

class CheckListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  struct Line {
    int row;          // the table row it points at; 0 for none
    QString rowText;  // what the row column shows
    QString reference;
    QString code;
    QString text;
    bool information = false;  // tells of the board, no fault: shown greyed
    QString severity{};        // a finding's: errore, avviso, informazione
    QString tip{};             // a finding's code as the docs describe it
  };

  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // Takes the lines of the workspace's findings, rule reports and compare.
  void show(const brisel::Workspace& workspace);
  const std::vector<Line>& lines() const { return lines_; }

 private:
  std::vector<Line> lines_;
};

class CheckList : public QTableView {
  Q_OBJECT

 public:
  explicit CheckList(QWidget* parent = nullptr);
  CheckListModel* listModel() const { return model_; }
  void show(const brisel::Workspace& workspace) { model_->show(workspace); }

 signals:
  void rowChosen(int row);

 private:
  CheckListModel* model_;
};

// The one-line summary of the rule run the table stands after, named by its
// RAK file; empty when there is none.
QString rakSummary(const brisel::RakReport& report);

// The same of the package rules run, named by its rules file: how many rows
// a rule corrected, how many rules no row used, how many parts no rule
// matched; empty when there is none.
QString rulesSummary(const brisel::RulesReport& report);
