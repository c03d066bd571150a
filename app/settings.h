#pragma once
// The settings file KSR.ini beside the executable: nine lines, the paths of
// the edit boxes Edit1 to Edit9 in that order, each ending in CR LF. Lines
// load trimmed, so CR LF, CR CR LF and LF files all load alike. A read or a
// write takes at most 499 characters a line.

#include <array>
#include <filesystem>
#include <map>
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

// Brisel's own settings, in brisel.ini beside KSR.ini (KSR.ini stays nine
// lines, as other copies of the program read it): one `key=value` line each,
// CR LF, keys and values as bytes. The key ends at the first '='; a line
// without one is passed over, and so is a key given twice after its first.
using OwnSettings = std::map<std::string, std::string, std::less<>>;

// brisel.ini in the folder of `ksrIni`.
std::filesystem::path ownSettingsFile(const std::filesystem::path& ksrIni);

// What the file holds; nothing when it is missing, unreadable or not a
// regular file. Lines are trimmed; at most 4096 characters a line and 10,000
// lines are read.
OwnSettings loadOwnSettings(const std::filesystem::path& file);

// Writes every key whole or not at all; false when the file cannot be
// written. Never throws. A key holding '=' or a line end, a value holding a
// line end, or a line longer than a read is left out, so that every line
// reads back as it was written.
bool saveOwnSettings(const std::filesystem::path& file, const OwnSettings& settings);

}  // namespace brisel
