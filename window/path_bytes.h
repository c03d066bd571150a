#pragma once
// The bytes behind the eleven path boxes. A path read from KSR.ini (for the
// tenth box and the package rules' box, from brisel.ini) is shown as text but kept as the bytes it
// was: while its box still shows the text it got at the start, those bytes are what the operations
// open and what the settings file gets back, whatever the locale makes of them. A line that is not
// valid in the locale's encoding (a Latin-1 name under a UTF-8 locale) is shown byte for character,
// as Latin-1, rather than with replacement marks. A text the operator changed is encoded as the
// system names files.

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

class PathBytes {
 public:
  static constexpr std::size_t kBoxes = 11;

  // The text to show for a line of KSR.ini in box `box`, its bytes remembered.
  QString load(std::size_t box, std::string bytes);

  // The bytes KSR.ini gets for the box now showing `text`.
  std::string bytes(std::size_t box, const QString& text) const;

  // The path the operations get for the box now showing `text`.
  std::filesystem::path path(std::size_t box, const QString& text) const;

  // Bytes as text in the locale's encoding, or as Latin-1 when they are not
  // valid in it: every byte then stays one character, nothing is lost.
  static QString decode(std::string_view bytes);

  // Text as the system names files.
  static std::filesystem::path encodePath(const QString& text);

 private:
  struct Loaded {
    QString shown;
    std::string bytes;
  };
  const Loaded* unedited(std::size_t box, const QString& text) const;

  std::array<std::optional<Loaded>, kBoxes> loaded_;
};
