#include "app/settings.h"

#include <system_error>

#include "core/atomic_file.h"
#include "core/lines.h"
#include "core/text.h"

namespace brisel {

std::filesystem::path settingsFile(const std::filesystem::path& executable) {
  return executable.parent_path() / "KSR.ini";
}

std::array<std::optional<std::string>, kSettingsLines> loadSettings(
    const std::filesystem::path& file) {
  std::array<std::optional<std::string>, kSettingsLines> lines;
  // Only a regular file: a FIFO would block the start until someone writes to
  // it, and a device has no settings to give.
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return lines;
  LineReader reader(file, kSettingsLineLength);
  std::string line;
  for (auto& slot : lines) {
    if (!reader.next(line)) break;
    slot = std::string(trim(line));
  }
  return lines;
}

bool saveSettings(const std::filesystem::path& file, const SettingsPaths& paths) {
  try {
    AtomicFile out(file);
    if (!out.isOpen()) return false;
    for (const std::string& path : paths) {
      out.write(std::string_view(path).substr(0, kSettingsPathLength));
      out.write("\r\n");
    }
    out.commit();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

namespace {
constexpr std::size_t kOwnSettingsLineLength = 4096;
}  // namespace

std::filesystem::path ownSettingsFile(const std::filesystem::path& ksrIni) {
  return ksrIni.parent_path() / "brisel.ini";
}

OwnSettings loadOwnSettings(const std::filesystem::path& file) {
  constexpr int kMaxLines = 10000;
  OwnSettings settings;
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return settings;
  LineReader reader(file, kOwnSettingsLineLength);
  std::string line;
  for (int count = 0; count < kMaxLines && reader.next(line); ++count) {
    std::string_view text = trim(line);
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    settings.emplace(std::string(trim(text.substr(0, equals))),
                     std::string(trim(text.substr(equals + 1))));
  }
  return settings;
}

bool saveOwnSettings(const std::filesystem::path& file, const OwnSettings& settings) {
  auto breaksLine = [](std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
  };
  try {
    AtomicFile out(file);
    if (!out.isOpen()) return false;
    for (const auto& [key, value] : settings) {
      if (key.empty() || key.find('=') != std::string::npos || breaksLine(key) ||
          breaksLine(value) || key.size() + value.size() + 1 >= kOwnSettingsLineLength)
        continue;
      out.write(key);
      out.write("=");
      out.write(value);
      out.write("\r\n");
    }
    out.commit();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace brisel
