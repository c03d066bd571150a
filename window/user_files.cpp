#include "window/user_files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace brisel::userfiles {

namespace {

QString dataFolder(const QString& programFolder) {
  return QDir::cleanPath(programFolder + QStringLiteral("/../share/brisel"));
}

}  // namespace

QString samplesFolder(const QString& programFolder) {
  return dataFolder(programFolder) + QStringLiteral("/samples");
}

bool isInstalled(const QString& programFolder) {
  return QFileInfo(dataFolder(programFolder) + QStringLiteral("/installed")).isFile();
}

QString userSettingsFile() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  // A folder that cannot be made only loses the paths at the close, as an
  // unwritable file does.
  QDir().mkpath(folder);
  return folder + QStringLiteral("/KSR.ini");
}

QString outputFolder(const QString& programFolder) {
  if (isInstalled(programFolder)) {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
  }
  QFileInfo samples(samplesFolder(programFolder));
  return samples.isDir() && samples.isWritable() ? samples.filePath() : QDir::homePath();
}

}  // namespace brisel::userfiles
