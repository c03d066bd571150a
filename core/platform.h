#pragma once
// The few services that differ from one operating system to another. This is
// the one place of the core that calls the system directly.

#include <filesystem>
#include <optional>
#include <string>

namespace brisel::platform {

// Pushes a written file's bytes to the disk; false when the system reports an
// error (a full disk, for instance).
bool syncFile(const std::filesystem::path& file);

// The decimal separator of a locale named as in LC_ALL (it_IT.UTF-8), when the
// system knows that locale.
std::optional<char> localeDecimalSeparator(const std::string& name);

// Why the system cannot open the file at `path` to read it, or to write it
// when it reads: its own words ("No such file or directory"); empty when it
// can do both.
std::string openFailureReason(const std::filesystem::path& path);

// A path as UTF-8 text, for messages.
std::string displayPath(const std::filesystem::path& path);

}  // namespace brisel::platform
