#include "app/dialogs.h"

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

void WidgetDialogs::message(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
  box.setWindowModality(Qt::WindowModal);
  box.exec();
}

void WidgetDialogs::error(QWidget* owner, const QString& text) {
  // Captioned like the application, as its own error box, so that it is not
  // taken for one of the operations' "Errore" boxes.
  QString caption = owner != nullptr ? owner->window()->windowTitle() : QString();
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
  box.setWindowModality(Qt::WindowModal);
  box.exec();
}

// "*.QPF|*.QPF" as the dialog's name filters: a pair whose description is its
// pattern shows once; others as "description (pattern)".
static QStringList nameFilters(const QString& filter) {
  QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString& pattern = parts[i + 1];
    QString patterns = QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << (description == pattern ? patterns : description + " (" + patterns + ")");
  }
  return filters;
}

bool WidgetDialogs::openFile(QWidget* owner, OpenDialog& dialog) {
  QFileDialog box(owner);
  box.setAcceptMode(QFileDialog::AcceptOpen);
  box.setFileMode(QFileDialog::AnyFile);  // the output paths need not exist yet
  if (!dialog.InitialDir.isEmpty()) box.setDirectory(dialog.InitialDir);
  if (!dialog.FileName.isEmpty()) box.selectFile(dialog.FileName);
  QStringList filters = nameFilters(dialog.Filter);
  if (!filters.isEmpty()) {
    box.setNameFilters(filters);
    qsizetype index = dialog.FilterIndex - 1;
    if (index >= 0 && index < filters.size()) box.selectNameFilter(filters[index]);
  }
  box.setDefaultSuffix(dialog.DefaultExt);
  if (box.exec() != QDialog::Accepted) return false;
  QStringList chosen = box.selectedFiles();
  if (chosen.isEmpty()) return false;
  dialog.FileName = QDir::toNativeSeparators(chosen.first());
  return true;
}
