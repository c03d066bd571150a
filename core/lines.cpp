#include "core/lines.h"

#include <system_error>

namespace brisel {

namespace {
constexpr std::size_t kChunk = std::size_t{64} * 1024;
}

LineReader::LineReader(const std::filesystem::path& path, std::size_t maxRead)
    : maxRead_(maxRead == 0 ? 1 : maxRead), buffer_(kChunk) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return;
  in_.open(path, std::ios::binary);
  open_ = in_.is_open();
}

bool LineReader::refill() {
  if (!open_ || atEnd_) return false;
  in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  end_ = static_cast<std::size_t>(in_.gcount());
  pos_ = 0;
  if (end_ == 0) {
    atEnd_ = true;
    failed_ = in_.bad();
    return false;
  }
  return true;
}

bool LineReader::next(std::string& line) {
  line.clear();
  while (line.size() < maxRead_) {
    if (pos_ == end_ && !refill()) break;
    char c = buffer_[pos_++];
    if (c == '\r') continue;
    line += c;
    if (c == '\n') break;
  }
  if (line.empty()) return false;
  ++lineNumber_;
  return true;
}

}  // namespace brisel
