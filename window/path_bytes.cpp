#include "window/path_bytes.h"

#include <QFile>
#include <QStringDecoder>

QString PathBytes::decode(std::string_view bytes) {
  QStringDecoder decoder(QStringDecoder::System, QStringDecoder::Flag::Stateless);
  QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!decoder.hasError()) return text;
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::filesystem::path PathBytes::encodePath(const QString& text) {
#ifdef _WIN32
  return std::filesystem::path(text.toStdWString());
#else
  // The bytes the system's file calls get for this name.
  return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

QString PathBytes::load(std::size_t box, std::string bytes) {
  QString shown = decode(bytes);
  if (box < kBoxes) loaded_[box] = Loaded{shown, std::move(bytes)};
  return shown;
}

const PathBytes::Loaded* PathBytes::unedited(std::size_t box, const QString& text) const {
  if (box >= kBoxes || !loaded_[box] || loaded_[box]->shown != text) return nullptr;
  return &*loaded_[box];
}

std::string PathBytes::bytes(std::size_t box, const QString& text) const {
  if (const Loaded* loaded = unedited(box, text)) return loaded->bytes;
  return text.toLocal8Bit().toStdString();
}

std::filesystem::path PathBytes::path(std::size_t box, const QString& text) const {
  // The bytes as loaded are the name as the system has it (on Windows, in the
  // code page the file was written in, which std::filesystem converts from).
  if (const Loaded* loaded = unedited(box, text)) return std::filesystem::path(loaded->bytes);
  return encodePath(text);
}
