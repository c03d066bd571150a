#pragma once
// Writes a file whole or not at all. The bytes go to a temporary file in the
// target's folder, which replaces the target only when everything has been
// written and flushed; any failure before that leaves the target as it was and
// removes the temporary file. The target keeps its permissions, and where it is
// a symbolic link the file it points to is replaced. A target that is not a
// regular file (a device such as /dev/full) is written in place, with every
// error reported all the same.

#include <filesystem>
#include <fstream>
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
  // (missing folder, no permission, the target is a folder).
  explicit AtomicFile(const std::filesystem::path& target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool isOpen() const { return open_; }

  void write(std::string_view bytes);

  // Makes the bytes written the target's content. Throws WriteError when any
  // write, the flush or the final rename fails; the target is then untouched.
  void commit();

 private:
  void fail(const char* what);
  void discard();

  std::filesystem::path target_;     // the file that gets replaced
  std::filesystem::path temporary_;  // empty when writing in place
  std::ofstream out_;
  bool open_ = false;
  bool committed_ = false;
};

}  // namespace brisel
