#include "core/settings.h"

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

}  // namespace brisel
