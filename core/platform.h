#pragma once
// The few services that differ from one operating system to another. This is
// the one place of the core that calls the system directly.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace brisel::platform {

// Pushes a written file's bytes to the disk; false when the system reports an
// error (a full disk, for instance).
bool syncFile(const std::filesystem::path& file);

// The decimal separator of a locale named as in LC_ALL (it_IT.UTF-8), when the
// system knows that locale.
std::optional<char> localeDecimalSeparator(const std::string& name);

// A path as UTF-8 text, for messages.
std::string displayPath(const std::filesystem::path& path);

// The command line's conventions
// A path typed as text: its bytes as they are on POSIX systems; UTF-8 on
// Windows, as commandLineWords() gives them.
std::filesystem::path pathFromText(const std::string& text);

// The words of the command line after the program's name: as the system
// passed them on POSIX systems; as UTF-8 on Windows, whatever the code page.
std::vector<std::string> commandLineWords(int argc, char** argv);

// Standard input and output carry bytes unchanged (no CR LF translation on
// Windows).
void useBinaryStandardStreams();

}  // namespace brisel::platform
