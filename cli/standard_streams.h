#pragma once
// `-` as a path: standard input for the files an operation reads, standard
// output for the files write-qpf and write-zirkan write.
//
// The operations read and write files by path, so standard input is copied
// once, at its first use, into a file of a private temporary folder, and every
// `-` read names that file; a file written to `-` is written there whole and
// only then copied to standard output, so a failed write puts no byte there.

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "app/buttons.h"
#include "core/workspace.h"

namespace brisel::cli {

inline constexpr std::string_view kStandardStream = "-";

class StandardStreams {
 public:
  StandardStreams(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
  ~StandardStreams();
  StandardStreams(const StandardStreams&) = delete;
  StandardStreams& operator=(const StandardStreams&) = delete;

  // The file holding what standard input held; read at the first call.
  // Throws std::runtime_error when no temporary file can be made.
  std::filesystem::path input();

  // A fresh path for a file bound for standard output.
  std::filesystem::path output();

  // Copies the file written at output(), if any, to standard output.
  void flushOutput();

 private:
  const std::filesystem::path& folder();

  std::istream& in_;
  std::ostream& out_;
  std::optional<std::filesystem::path> folder_;
  std::optional<std::filesystem::path> input_;
  int outputs_ = 0;
  std::optional<std::filesystem::path> pending_;
};

// Why `path` cannot be opened, as the system says it ("No such file or
// directory"), for reading or for writing a new file there.
std::string openFailureReason(const std::filesystem::path& path, bool forWriting);

// "WORD needs --SETTING PATH" when the operation of `word` reads or writes a
// path that was not given.
std::optional<std::string> missingPath(std::string_view word, const Controls& controls);

// Whether the operation of `word` writes `path` (rather than reads it).
bool writesTo(std::string_view word, const std::filesystem::path& path, const Controls& controls);

// While it lives, the `-` paths of the operation of `word` name the standard
// streams' files; the controls get their paths back at its end.
class BoundStreams {
 public:
  BoundStreams(std::string_view word, Controls& controls, StandardStreams& streams);
  ~BoundStreams();
  BoundStreams(const BoundStreams&) = delete;
  BoundStreams& operator=(const BoundStreams&) = delete;

 private:
  Controls& controls_;
  Controls saved_;
};

}  // namespace brisel::cli
