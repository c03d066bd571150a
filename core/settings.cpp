#include "core/settings.h"

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

}  // namespace brisel
