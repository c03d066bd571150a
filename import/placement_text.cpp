#include "import/placement_text.h"

#include "core/text.h"

namespace brisel::placements {

namespace {

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string fromUtf16(std::string_view bytes, bool little) {
  std::string out;
  out.reserve(bytes.size() / 2 + 16);
  auto unit = [&](std::size_t at) -> char32_t {
    auto a = static_cast<unsigned char>(bytes[at]);
    auto b = static_cast<unsigned char>(bytes[at + 1]);
    return little ? static_cast<char32_t>(a | (b << 8)) : static_cast<char32_t>((a << 8) | b);
  };
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
    char32_t code = unit(at);
    if (code >= 0xD800 && code <= 0xDBFF && at + 3 < bytes.size()) {
      char32_t next = unit(at + 2);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        appendUtf8(out, 0x10000 + ((code - 0xD800) << 10) + (next - 0xDC00));
        at += 2;
        continue;
      }
    }
    appendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? char32_t{0xFFFD} : code);
  }
  return out;
}

bool validUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = c < 0x80                 ? 1
                         : c >= 0xC2 && c <= 0xDF ? 2
                         : c >= 0xE0 && c <= 0xEF ? 3
                         : c >= 0xF0 && c <= 0xF4 ? 4
                                                  : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

}  // namespace

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = lower(c);
  return out;
}

Decoded decode(std::string_view bytes) {
  Decoded decoded;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    decoded.text = bytes.substr(3);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    decoded.owned = fromUtf16(bytes.substr(2), bytes[0] == '\xFF');
    decoded.text = decoded.owned;
  } else {
    decoded.text = bytes;
  }
  return decoded;
}

std::string gridText(std::string_view text) {
  return plainAscii(text) ? std::string(text) : toLatin1(text);
}

std::string utf8Text(std::string_view text) {
  return validUtf8(text) ? std::string(text) : latin1ToUtf8(text);
}

char lineEndOf(std::string_view text) {
  return text.find('\n') == std::string_view::npos ? '\r' : '\n';
}

}  // namespace brisel::placements
