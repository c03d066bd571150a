#pragma once
// The settings file KSR.ini beside the executable: nine lines, the paths of
// the edit boxes Edit1 to Edit9 in that order, each ending in CR LF. Lines
// load trimmed, so CR LF, CR CR LF and LF files all load alike. A read or a
// write takes at most 499 characters a line.

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace brisel {

constexpr std::size_t kSettingsLines = 9;
constexpr std::size_t kSettingsLineLength = 499;
constexpr std::size_t kSettingsPathLength = kSettingsLineLength - 1;

// The line of each edit box: Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7,
// Edit8, Edit9.
using SettingsPaths = std::array<std::string, kSettingsLines>;

// KSR.ini in the folder of the executable, whatever the working folder.
std::filesystem::path settingsFile(const std::filesystem::path& executable);

// The lines the file holds; a box for which the file has no line gets none and
// keeps its start text. A missing or unreadable file, or one that is not a
// regular file (a FIFO, a device), gives nine empty slots.
std::array<std::optional<std::string>, kSettingsLines> loadSettings(
    const std::filesystem::path& file);

// Writes the nine lines whole or not at all; false when the file cannot be
// written. Never throws. A path is cut to 498 characters, so that with its
// line feed it fits one read and the file loads back into the same boxes.
bool saveSettings(const std::filesystem::path& file, const SettingsPaths& paths);

}  // namespace brisel
