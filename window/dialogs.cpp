#include "window/dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <algorithm>

PathParts splitPickerPath(const QString& text, bool driveLetters) {
  qsizetype cut = text.lastIndexOf(QLatin1Char('/'));
  if (driveLetters) {
    cut = std::max(cut, text.lastIndexOf(QLatin1Char('\\')));
    cut = std::max(cut, text.lastIndexOf(QLatin1Char(':')));
  }
  return {text.left(cut + 1), text.mid(cut + 1)};
}

PathParts splitPickerPath(const QString& text) {
#ifdef _WIN32
  return splitPickerPath(text, true);
#else
  return splitPickerPath(text, false);
#endif
}

QString placementSaveName(const QString& input, const QString& folder) {
  const PathParts parts = splitPickerPath(input.trimmed());
  if (parts.name.isEmpty()) return folder + QStringLiteral("posizioni-brisel.csv");
  QString base = parts.name;
  const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
  if (dot > 0) base.truncate(dot);
  return parts.folder + base + QStringLiteral("-brisel.csv");
}

QString withDefaultExtension(const QString& path, const QString& extension) {
  if (path.isEmpty() || extension.isEmpty()) return path;
  QString name = splitPickerPath(path).name;
  if (name.isEmpty() || name.contains(QLatin1Char('.'))) return path;
  return path + QLatin1Char('.') + extension;
}

bool executeOpenDialog(Dialogs& dialogs, QWidget* owner, OpenDialog& dialog) {
  OpenDialog shown = dialog;
  if (!dialogs.openFile(owner, shown)) return false;
  shown.FileName = withDefaultExtension(shown.FileName, shown.DefaultExt);
  dialog = shown;
  return true;
}

namespace {

std::unique_ptr<QMessageBox> box(QMessageBox::Icon icon, QWidget* owner, const QString& caption,
                                 const QString& text) {
  auto box = std::make_unique<QMessageBox>(icon, caption, text, QMessageBox::Ok, owner);
  box->setTextFormat(Qt::PlainText);
  box->setWindowModality(Qt::WindowModal);
  return box;
}

}  // namespace

std::unique_ptr<QMessageBox> WidgetDialogs::messageBox(QWidget* owner, const QString& caption,
                                                       const QString& text) {
  return box(QMessageBox::NoIcon, owner, caption, text);
}

std::unique_ptr<QMessageBox> WidgetDialogs::errorBox(QWidget* owner, const QString& text) {
  // Captioned like the application, as its own error box, so that it is not
  // taken for one of the operations' "Errore" boxes.
  QString caption = owner != nullptr ? owner->window()->windowTitle() : QString();
  return box(QMessageBox::Critical, owner, caption, text);
}

void WidgetDialogs::message(QWidget* owner, const QString& caption, const QString& text) {
  messageBox(owner, caption, text)->exec();
}

void WidgetDialogs::error(QWidget* owner, const QString& text) {
  errorBox(owner, text)->exec();
}

QString anyCasePattern(const QString& pattern) {
  QString result;
  bool inSet = false;
  for (QChar c : pattern) {
    if (c == QLatin1Char('[')) inSet = true;
    if (inSet || c.toUpper() == c.toLower()) {
      result += c;
    } else {
      result += QLatin1Char('[');
      result += c.toUpper();
      result += c.toLower();
      result += QLatin1Char(']');
    }
    if (c == QLatin1Char(']')) inSet = false;
  }
  return result;
}

QStringList dialogNameFilters(const QString& filter, bool caseSensitiveNames) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
      pattern = pattern.trimmed();
      if (caseSensitiveNames) pattern = anyCasePattern(pattern);
    }
    filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters;
}

QStringList dialogNameFilters(const QString& filter) {
#if defined(_WIN32) || defined(__APPLE__)
  // Their dialogs match names without regard to case, and know no [] sets.
  return dialogNameFilters(filter, false);
#else
  return dialogNameFilters(filter, true);
#endif
}

std::unique_ptr<QFileDialog> WidgetDialogs::fileDialog(QWidget* owner, const OpenDialog& dialog,
                                                       QFileDialog::AcceptMode mode) {
  auto box = std::make_unique<QFileDialog>(owner);
  box->setAcceptMode(mode);
  box->setFileMode(QFileDialog::AnyFile);  // the output paths need not exist yet
  // A save dialog gives the proposed name the extension of the chosen filter,
  // so its patterns stay as written: "*.svg" proposes "scheda.svg", where the
  // any-case set would make it "scheda.[Ss][Vv][Gg]".
  QStringList filters = mode == QFileDialog::AcceptSave ? dialogNameFilters(dialog.Filter, false)
                                                        : dialogNameFilters(dialog.Filter);
  if (!filters.isEmpty()) {
    box->setOption(QFileDialog::HideNameFilterDetails);
    box->setNameFilters(filters);
    qsizetype index = dialog.FilterIndex - 1;
    if (index >= 0 && index < filters.size()) box->selectNameFilter(filters[index]);
  }
  box->setDefaultSuffix(dialog.DefaultExt);
  if (!dialog.InitialDir.isEmpty()) box->setDirectory(dialog.InitialDir);
  if (!dialog.FileName.isEmpty()) box->selectFile(dialog.FileName);
  return box;
}

namespace {

bool runFileDialog(QFileDialog& box, OpenDialog& dialog) {
  if (box.exec() != QDialog::Accepted) return false;
  QStringList chosen = box.selectedFiles();
  if (chosen.isEmpty()) return false;
  dialog.FileName = QDir::toNativeSeparators(chosen.first());
  return true;
}

}  // namespace

bool WidgetDialogs::openFile(QWidget* owner, OpenDialog& dialog) {
  return runFileDialog(*fileDialog(owner, dialog, QFileDialog::AcceptOpen), dialog);
}

bool WidgetDialogs::saveFile(QWidget* owner, OpenDialog& dialog) {
  return runFileDialog(*fileDialog(owner, dialog, QFileDialog::AcceptSave), dialog);
}
