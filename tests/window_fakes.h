#pragma once
// The stand-in for the window's dialogs that the window tests share: it
// records the message and error boxes and answers the file dialog as told, so
// that no test waits on a modal dialog.

#include <QString>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "window/dialogs.h"

struct FakeDialogs : Dialogs {
  std::vector<std::pair<QString, QString>> messages;  // caption, text
  std::vector<QString> errors;
  std::vector<OpenDialog> opened;             // the dialog as configured when shown
  std::optional<QString> answer;              // the path chosen; none: cancel
  std::vector<ColumnChoice> columnChoices;    // "Colonne del file" as each was shown
  std::optional<ColumnChoice> columnsAnswer;  // columns, units, header line; none: cancel

  void message(QWidget*, const QString& caption, const QString& text) override {
    messages.emplace_back(caption, text);
  }
  void error(QWidget*, const QString& text) override { errors.push_back(text); }
  bool openFile(QWidget*, OpenDialog& dialog) override {
    opened.push_back(dialog);
    if (!answer) return false;
    dialog.FileName = *answer;
    return true;
  }
  bool chooseColumns(QWidget*, ColumnChoice& choice) override {
    columnChoices.push_back(choice);
    if (!columnsAnswer) return false;
    choice.columns = columnsAnswer->columns;
    choice.units = columnsAnswer->units;
    choice.headerLine = columnsAnswer->headerLine;
    return true;
  }
};

// A button's caption as the operator reads it: without the '&' that marks
// its Alt letter ("&&" stands for one '&').
inline QString captionOf(QString text) {
  for (qsizetype i = 0; i < text.size(); ++i)
    if (text[i] == QLatin1Char('&')) text.remove(i, 1);
  return text;
}

// Failures name the text, not its bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
