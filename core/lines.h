#pragma once
// The line reading of every text file the program reads: carriage returns are
// dropped wherever they stand, a line ends after its line feed, and a read
// takes at most `maxRead` characters, line feed included (99 for the data
// files: a line of up to 98 characters comes whole, a longer one is cut and its
// rest is read as a line of its own). Every byte of the file is read once; the
// last line keeps all its characters whether or not a line feed ends it.
//
// A reader stops at a bound on what it reads, so that an endless or enormous
// input (/dev/zero, /dev/urandom, a runaway pipe) ends with a message instead
// of hanging or filling the memory: past kMaxBytes bytes or kMaxLines lines
// next() throws InputTooLong. A board of 65,535 components takes under 14 MB
// and 140,000 lines in any of its formats, so both bounds leave it room. The
// bound counts what is read, not what the file claims to hold: pipes and
// process substitution are read like any file.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/numbers.h"

namespace brisel {

// A file read past the bound of its reader; what() names it, in Italian.
class InputTooLong : public Error {
 public:
  using Error::Error;
};

struct ReadBounds {
  std::size_t bytes;
  long lines;
};

class LineReader {
 public:
  static constexpr std::size_t kDataLine = 99;
  static constexpr std::size_t kMaxBytes = std::size_t{32} * 1024 * 1024;
  static constexpr long kMaxLines = 1L << 20;
  static constexpr ReadBounds kDataBounds{kMaxBytes, kMaxLines};

  // A folder or a missing or unreadable file leaves the reader closed.
  explicit LineReader(const std::filesystem::path& path, std::size_t maxRead = kDataLine,
                      ReadBounds bounds = kDataBounds);

  // The same reading of a file's bytes already in memory, which must outlive
  // the reader; `name` stands for the file in the messages. Lines, bounds and
  // messages are as a file of those bytes gives them.
  static LineReader ofBytes(std::string_view bytes, const std::filesystem::path& name,
                            std::size_t maxRead = kDataLine, ReadBounds bounds = kDataBounds);

  bool isOpen() const { return open_; }

  // The next line, with its line feed when it has one; false at the end.
  // Throws InputTooLong once the bytes or lines read pass the bounds.
  bool next(std::string& line);

  // Number of lines read so far: the number of the line last returned.
  long lineNumber() const { return lineNumber_; }

  // True when reading stopped on an error rather than at the end of the file.
  bool failed() const { return failed_; }

 private:
  LineReader(std::string_view bytes, const std::filesystem::path& name, std::size_t maxRead,
             ReadBounds bounds);
  bool refill();
  [[noreturn]] void tooLong(const Text& what) const;

  std::filesystem::path path_;
  std::ifstream in_;
  std::size_t maxRead_;
  ReadBounds bounds_;
  std::vector<char> buffer_;
  std::optional<std::string_view> memory_;  // the bytes read instead of a file
  const char* data_ = nullptr;              // the chunk being read: in buffer_ or memory_
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::size_t bytesRead_ = 0;
  long lineNumber_ = 0;
  bool open_ = false;
  bool failed_ = false;
  bool atEnd_ = false;
};

// The first `limit` bytes of a file, or all of a shorter one; nothing when it
// cannot be opened (missing, no permission, a folder). Throws ReadError when
// reading fails part-way.
std::optional<std::string> readUpTo(const std::filesystem::path& path, std::size_t limit);

// A file that could not be read to its end.
class ReadError : public Error {
 public:
  explicit ReadError(const std::filesystem::path& path);
};

}  // namespace brisel
