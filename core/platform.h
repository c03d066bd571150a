#pragma once
// The few services that differ from one operating system to another. This is
// the one place of the core that calls the system directly.

#include <cstddef>
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

// Why the system cannot open the file at `path` to read it, or to write it
// when it reads: its own words ("No such file or directory"); empty when it
// can do both.
std::string openFailureReason(const std::filesystem::path& path);

// A path as UTF-8 text, for messages.
std::string displayPath(const std::filesystem::path& path);

// Pushes a folder's entries (a name just renamed into it) to the disk. A
// system where folders cannot be synced this way reports success.
bool syncFolder(const std::filesystem::path& folder);

// Gives `file` the owner and group of `model`, as far as the system allows
// (a user who is not the administrator may only keep the group, if at all);
// false when they could not both be kept.
bool copyOwner(const std::filesystem::path& model, const std::filesystem::path& file);

// This process's id, and whether a process of that id is running.
unsigned long processId();
bool processAlive(unsigned long id);

// The bytes of memory this process holds resident (its working set on
// Windows), or nothing where the system does not tell.
std::optional<std::size_t> residentBytes();

// Temporary files that a signal ending the program should remove. A file is
// registered while it exists and unregistered once renamed or removed; a
// registration can fail (a full table, a path too long), in which case the
// file is simply not removed by a signal. Returns the slot to unregister, or -1.
int registerTemporary(const std::filesystem::path& file);
void unregisterTemporary(int slot);

// On SIGINT and SIGTERM: removes every registered temporary file, then ends
// the program by the same signal, with the status that signal conventionally
// gives (128 + its number in a POSIX shell).
void removeTemporariesOnSignals();

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
