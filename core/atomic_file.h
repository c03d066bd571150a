#pragma once
// Writes a file whole or not at all. The bytes go to a temporary file in the
// target's folder, which replaces the target only when everything has been
// written and flushed; any failure before that leaves the target as it was and
// removes the temporary file. The target keeps its permissions and, where the
// system allows, its owner and group; where it is a symbolic link the file it
// points to is replaced, and a link that leads nowhere (dangling, or a loop)
// cannot be opened. After the rename the folder is synced, so that the new
// name survives a power cut. A target that is not a regular file (a device
// such as /dev/full) is written in place, with every error reported all the
// same.
//
// The temporary file is named .brisel-HHHHHHHH-PID-RRRRRR.tmp: HHHHHHHH a
// hash of the target's name, PID the writing process, RRRRRR random. The name
// is short, so it fits beside a target of any legal name length. A temporary
// file is registered with platform::registerTemporary while it exists, so that
// a program which calls platform::removeTemporariesOnSignals loses it on
// SIGINT or SIGTERM; a file left by a process killed outright is removed by
// the next write to the same target once no running process has that PID.
//
// A rewrite makes a new file: another hard link to the old one keeps the old
// bytes.

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/error.h"

namespace brisel {

// A write that did not complete; what() names the file.
class WriteError : public Error {
 public:
  using Error::Error;
};

class AtomicFile {
 public:
  // Opens the temporary file; isOpen() is false when it cannot be created
  // (missing folder, no permission, the target is a folder, a dangling or
  // looping link).
  explicit AtomicFile(const std::filesystem::path& target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool isOpen() const { return open_; }

  void write(std::string_view bytes);

  // Makes the bytes written the target's content. Throws WriteError when any
  // write, the flush or the final rename fails; the target is then untouched.
  void commit();

  // The start of the temporary files' names for a target name (.brisel-
  // and the hash), and whether a name is a temporary file of this kind with
  // that start left by a process that is no longer running (`alive` tells
  // whether a process id runs).
  static std::string temporaryPrefix(const std::filesystem::path& targetName);
  static bool isLeftover(std::string_view name, std::string_view prefix,
                         bool (*alive)(unsigned long));

 private:
  void fail(const char* what);
  void discard();

  std::filesystem::path target_;     // the file that gets replaced
  std::filesystem::path temporary_;  // empty when writing in place
  std::ofstream out_;
  int slot_ = -1;  // the temporary file's registration
  bool open_ = false;
  bool committed_ = false;
};

}  // namespace brisel
