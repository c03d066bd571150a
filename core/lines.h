#pragma once
// The line reading of every text file the program reads: carriage returns are
// dropped wherever they stand, a line ends after its line feed, and a read
// takes at most `maxRead` characters, line feed included (99 for the data
// files: a line of up to 98 characters comes whole, a longer one is cut and its
// rest is read as a line of its own). Every byte of the file is read once; the
// last line keeps all its characters whether or not a line feed ends it.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace brisel {

class LineReader {
 public:
  static constexpr std::size_t kDataLine = 99;

  // A folder or a missing or unreadable file leaves the reader closed.
  explicit LineReader(const std::filesystem::path& path, std::size_t maxRead = kDataLine);

  bool isOpen() const { return open_; }

  // The next line, with its line feed when it has one; false at the end.
  bool next(std::string& line);

  // Number of lines read so far: the number of the line last returned.
  long lineNumber() const { return lineNumber_; }

  // True when reading stopped on an error rather than at the end of the file.
  bool failed() const { return failed_; }

 private:
  bool refill();

  std::ifstream in_;
  std::size_t maxRead_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  long lineNumber_ = 0;
  bool open_ = false;
  bool failed_ = false;
  bool atEnd_ = false;
};

}  // namespace brisel
