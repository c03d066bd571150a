#include "output/board_svg.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include "core/atomic_file.h"
#include "core/platform.h"

namespace brisel {

namespace {

void appendNumber(std::string& out, float value) {
  char digits[64];
  if (value == 0) value = 0;  // no "-0"
  auto [end, error] =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
  if (error != std::errc()) end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

void appendNumber(std::string& out, int value) {
  char digits[16];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void appendColour(std::string& out, std::uint32_t rgb) {
  constexpr char kHex[] = "0123456789abcdef";
  out += '#';
  for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(rgb >> shift) & 0xF];
}

void appendAttribute(std::string& out, std::string_view name, std::string_view bytes) {
  out += ' ';
  out += name;
  out += "=\"";
  appendXmlText(out, bytes);
  out += '"';
}

void appendAttribute(std::string& out, std::string_view name, float value) {
  out += ' ';
  out += name;
  out += "=\"";
  appendNumber(out, value);
  out += '"';
}

void appendAttribute(std::string& out, std::string_view name, int value) {
  out += ' ';
  out += name;
  out += "=\"";
  appendNumber(out, value);
  out += '"';
}

void appendBody(std::string& out, int id, float l, float w) {
  const float arrow = std::min(std::min(l, w) / 4, 0.8f);
  out += "<g id=\"body";
  appendNumber(out, id);
  out += "\"><rect class=\"body\"";
  appendAttribute(out, "x", -l / 2);
  appendAttribute(out, "y", -w / 2);
  appendAttribute(out, "width", l);
  appendAttribute(out, "height", w);
  out += "/><path class=\"mark\" d=\"M0 0H";
  appendNumber(out, l / 2);
  out += 'M';
  appendNumber(out, l / 2 - arrow);
  out += ' ';
  appendNumber(out, -arrow);
  out += 'L';
  appendNumber(out, l / 2);
  out += " 0L";
  appendNumber(out, l / 2 - arrow);
  out += ' ';
  appendNumber(out, arrow);
  out += '"';
  appendAttribute(out, "stroke-width", std::min(std::min(l, w) / 12, 0.25f));
  out += "/></g>\n";
}

void appendPart(std::string& out, const Placement& part, int body, ColourBy colours) {
  const std::string& key = colours == ColourBy::value ? part.value : part.footprint;
  out += "<g class=\"part\"";
  appendAttribute(out, "data-row", part.row);
  appendAttribute(out, "data-ref", part.reference);
  appendAttribute(out, "data-value", part.value);
  appendAttribute(out, "data-footprint", part.footprint);
  appendAttribute(out, "data-x", part.x);
  appendAttribute(out, "data-y", part.y);
  appendAttribute(out, "data-angle", static_cast<int>(part.angle));
  out += " transform=\"translate(";
  appendNumber(out, part.x);
  out += ' ';
  appendNumber(out, part.y);
  out += ")\" fill=\"";
  appendColour(out, kPalette[paletteIndexOf(key)]);
  // The bottom side, seen through the board, outlined dashed as in the window.
  if (part.bottom) out += "\" stroke=\"#1030c0\" stroke-dasharray=\"0.3 0.2";
  out += "\">";

  // The body and its mark, shared by every part of that size and turned here.
  out += "<use xlink:href=\"#body";
  appendNumber(out, body);
  out += "\" transform=\"rotate(";
  appendNumber(out, signedDegrees(part.angle));
  out += ")\"/>";

  const float l = part.length, w = part.width;
  // Labels stand upright whatever the flip of the board.
  const float size = std::clamp(std::min(l, w) * 0.6f, 0.4f, 1.5f);
  out += "<text transform=\"scale(1,-1)\"";
  appendAttribute(out, "y", size / 3);
  appendAttribute(out, "font-size", size);
  out += '>';
  appendXmlText(out, part.reference);
  out += "</text></g>\n";
}

// The origin: a cross with a circle, labelled "0, 0".
void appendOrigin(std::string& out, float cross) {
  out += "<g class=\"origin\" fill=\"none\" stroke-width=\"";
  appendNumber(out, cross / 20);
  out += "\"><path d=\"M";
  appendNumber(out, -cross);
  out += " 0H";
  appendNumber(out, cross);
  out += "M0 ";
  appendNumber(out, -cross);
  out += 'V';
  appendNumber(out, cross);
  out += "\"/><circle r=\"";
  appendNumber(out, cross / 3);
  out += "\"/><text transform=\"scale(1,-1)\" fill=\"#202020\" fill-opacity=\"1\" stroke=\"none\"";
  appendAttribute(out, "x", cross / 2);
  appendAttribute(out, "y", -cross / 2);
  appendAttribute(out, "font-size", cross / 2);
  out += " text-anchor=\"start\">0, 0</text></g>\n";
}

// The boards of a panel: a dashed rectangle around each one's parts, its
// number in its upper left corner. Nothing on a lone board.
void appendPanel(std::string& out, const Board& board) {
  if (board.panelBoards().empty()) return;
  out +=
      "<g class=\"panel\" fill=\"none\" stroke=\"#207020\" stroke-width=\"0.1\" "
      "stroke-dasharray=\"1 0.5\">\n";
  for (const PanelBoard& panelBoard : board.panelBoards()) {
    const BoardBox& box = panelBoard.extent;
    const float size = std::clamp(0.1f * std::min(box.width(), box.height()), 1.0f, 5.0f);
    out += "<g class=\"board\"";
    appendAttribute(out, "data-board", panelBoard.number);
    out += "><rect";
    appendAttribute(out, "x", box.left);
    appendAttribute(out, "y", box.bottom);
    appendAttribute(out, "width", box.width());
    appendAttribute(out, "height", box.height());
    out += "/><text transform=\"scale(1,-1)\" fill=\"#207020\" fill-opacity=\"1\" stroke=\"none\"";
    appendAttribute(out, "x", box.left + size / 4);
    appendAttribute(out, "y", size - box.top);
    appendAttribute(out, "font-size", size);
    out += " text-anchor=\"start\">";
    appendNumber(out, panelBoard.number);
    out += "</text></g>\n";
  }
  out += "</g>\n";
}

}  // namespace

void appendXmlText(std::string& out, std::string_view bytes) {
  for (char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    switch (c) {
      case '&':
        out += "&amp;";
        continue;
      case '<':
        out += "&lt;";
        continue;
      case '>':
        out += "&gt;";
        continue;
      case '"':
        out += "&quot;";
        continue;
      case '\'':
        out += "&apos;";
        continue;
      // Kept as references: a parser would turn them into spaces in attributes.
      case '\t':
        out += "&#9;";
        continue;
      case '\n':
        out += "&#10;";
        continue;
      case '\r':
        out += "&#13;";
        continue;
      default:
        break;
    }
    if (byte < 0x20) {
      out += "\xEF\xBF\xBD";  // XML 1.0 has no way to carry these bytes
    } else if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
}

PreviewError::PreviewError(const std::filesystem::path& path, std::string reason)
    : Error("cannot write " + platform::displayPath(path) + ": " + reason),
      path_(path),
      reason_(std::move(reason)) {}

std::string shortestDecimal(float value) {
  std::string out;
  appendNumber(out, value);
  return out;
}

std::string boardSvg(const Board& board, ColourBy colours) {
  const BoardBox box = board.extent();
  const float margin = std::max(2.0f, 0.05f * std::max(box.width(), box.height()));
  // Whole millimetres, for a view box that reads plainly.
  const float left = std::floor(box.left - margin), top = std::ceil(box.top + margin);
  const float width = std::ceil(box.right + margin) - left;
  const float height = top - std::floor(box.bottom - margin);
  const float cross = std::clamp(0.03f * std::hypot(box.width(), box.height()), 2.0f, 20.0f);

  std::string out;
  out.reserve(512 + board.parts.size() * 400);
  out +=
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
      "version=\"1.1\" viewBox=\"";
  appendNumber(out, left);
  out += ' ';
  appendNumber(out, -top);
  out += ' ';
  appendNumber(out, width);
  out += ' ';
  appendNumber(out, height);
  out += "\" width=\"";
  appendNumber(out, width);
  out += "mm\" height=\"";
  appendNumber(out, height);
  out += "mm\">\n<rect";
  appendAttribute(out, "x", left);
  appendAttribute(out, "y", -top);
  appendAttribute(out, "width", width);
  appendAttribute(out, "height", height);
  out +=
      " fill=\"#f7f7f2\"/>\n"
      "<style type=\"text/css\">.part text{fill:#000;fill-opacity:1;stroke:none}"
      ".mark{fill:none}</style>\n"
      "<g transform=\"scale(1,-1)\" fill-opacity=\"0.6\" stroke=\"#202020\" "
      "stroke-width=\"0.05\" font-family=\"sans-serif\" text-anchor=\"middle\">\n";

  appendOrigin(out, cross);
  appendPanel(out, board);

  // One body mark for each size of body, defined once.
  std::map<std::pair<float, float>, int> bodies;
  std::vector<int> bodyOf;
  bodyOf.reserve(board.parts.size());
  for (const Placement& part : board.parts)
    bodyOf.push_back(bodies.try_emplace({part.length, part.width}, static_cast<int>(bodies.size()))
                         .first->second);
  out += "<defs>\n";
  for (const auto& [size, id] : bodies) appendBody(out, id, size.first, size.second);
  out += "</defs>\n";
  for (std::size_t i = 0; i < board.parts.size(); ++i)
    appendPart(out, board.parts[i], bodyOf[i], colours);
  out += "</g>\n</svg>\n";
  return out;
}

void writeBoardSvg(const std::filesystem::path& path, const Board& board, ColourBy colours) {
  const std::string document = boardSvg(board, colours);
  errno = 0;
  AtomicFile file(path);
  if (!file.isOpen()) {
    const int code = errno;
    std::error_code status;
    std::string reason = std::filesystem::is_directory(path, status)
                             ? std::make_error_code(std::errc::is_a_directory).message()
                         : code != 0 ? std::generic_category().message(code)
                                     : std::string("the file cannot be created");
    throw PreviewError(path, std::move(reason));
  }
  file.write(document);
  file.commit();
}

}  // namespace brisel
