#include "core/lines.h"

#include <algorithm>
#include <system_error>

#include "core/platform.h"
#include "core/translatable.h"

namespace brisel {

namespace {
constexpr std::size_t kChunk = std::size_t{64} * 1024;
}

LineReader::LineReader(const std::filesystem::path& path, std::size_t maxRead, ReadBounds bounds)
    : path_(path), maxRead_(maxRead == 0 ? 1 : maxRead), bounds_(bounds), buffer_(kChunk) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return;
  in_.open(path, std::ios::binary);
  open_ = in_.is_open();
}

LineReader::LineReader(std::string_view bytes, const std::filesystem::path& name,
                       std::size_t maxRead, ReadBounds bounds)
    : path_(name), maxRead_(maxRead == 0 ? 1 : maxRead), bounds_(bounds), memory_(bytes) {
  open_ = true;
}

LineReader LineReader::ofBytes(std::string_view bytes, const std::filesystem::path& name,
                               std::size_t maxRead, ReadBounds bounds) {
  return LineReader(bytes, name, maxRead, bounds);
}

void LineReader::tooLong(const Text& what) const {
  throw InputTooLong(Text(
      BRISEL_TRANSLATE_NOOP("Message", "File troppo lungo: '%1' supera %2; lettura interrotta"),
      {Text::data(platform::displayPath(path_)), what}));
}

bool LineReader::refill() {
  if (!open_ || atEnd_) return false;
  if (bytesRead_ > bounds_.bytes)
    tooLong(Text(BRISEL_TRANSLATE_NOOP("Message", "%1 byte"),
                 {Text::number(static_cast<long long>(bounds_.bytes))}));
  // One byte past the bound is read, so that a file of exactly the bound ends
  // normally and a longer one is told by that byte.
  std::size_t want = std::min(kChunk, bounds_.bytes + 1 - bytesRead_);
  if (memory_) {
    // In chunks as from a file, so that a bound is met at the same line.
    std::size_t from = std::min(bytesRead_, memory_->size());
    data_ = memory_->data() + from;
    end_ = std::min(want, memory_->size() - from);
  } else {
    in_.read(buffer_.data(), static_cast<std::streamsize>(want));
    data_ = buffer_.data();
    end_ = static_cast<std::size_t>(in_.gcount());
  }
  pos_ = 0;
  bytesRead_ += end_;
  if (bytesRead_ > bounds_.bytes)
    tooLong(Text(BRISEL_TRANSLATE_NOOP("Message", "%1 byte"),
                 {Text::number(static_cast<long long>(bounds_.bytes))}));
  if (end_ == 0) {
    atEnd_ = true;
    failed_ = !memory_ && in_.bad();
    return false;
  }
  return true;
}

bool LineReader::next(std::string& line) {
  line.clear();
  while (line.size() < maxRead_) {
    if (pos_ == end_ && !refill()) break;
    char c = data_[pos_++];
    if (c == '\r') continue;
    line += c;
    if (c == '\n') break;
  }
  if (line.empty()) return false;
  if (lineNumber_ >= bounds_.lines)
    tooLong(Text(BRISEL_TRANSLATE_NOOP("Message", "%1 righe"),
                 {Text::number(static_cast<long long>(bounds_.lines))}));
  ++lineNumber_;
  return true;
}

std::optional<std::string> readUpTo(const std::filesystem::path& path, std::size_t limit) {
  std::error_code error;
  if (path.empty() || std::filesystem::is_directory(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error) bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit)));
  while (bytes.size() < limit && in) {
    std::size_t had = bytes.size();
    bytes.resize(std::min(limit, had + kChunk));
    in.read(bytes.data() + had, static_cast<std::streamsize>(bytes.size() - had));
    bytes.resize(had + static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) throw ReadError(path);
  return bytes;
}

ReadError::ReadError(const std::filesystem::path& path)
    : Error(Text(BRISEL_TRANSLATE_NOOP("Message", "Errore di lettura del file '%1'"),
                 {Text::data(platform::displayPath(path))})) {}

}  // namespace brisel
