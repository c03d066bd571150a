#pragma once
// The board as an SVG 1.1 picture, in millimetres with Y pointing up:
//
//   <svg xmlns="http://www.w3.org/2000/svg" version="1.1" viewBox="-5 -62 90 67" ...>
//    <g transform="scale(1,-1)" ...>                  Y up, once for the whole board
//     <defs> <g id="body3"> body, mark </g> ... </defs>  one a body size
//     <g class="origin"> cross-hair, "0, 0" </g>
//     <g class="panel"> <g class="board" data-board="2"> rect, "2" </g> ... </g>
//                                                    a panel's boards only
//     <g class="part" data-row="1" data-ref="U1" data-value="STM32F103C8"
//        data-footprint="LQFP48" data-x="40.64" data-y="30.48" data-angle="0"
//        transform="translate(40.64 30.48)" fill="#1f77b4">
//      <use xlink:href="#body3" transform="rotate(0)"/>  body and orientation mark:
//                                                      the mark points along +X
//      <text ...>U1</text>
//     </g> ...
//
// data-x and data-y give the single-precision coordinate back exactly (the
// shortest such decimal, with a point); data-angle is the table's 0-65535
// angle, drawn as signed degrees counter-clockwise. Texts are bytes read as
// Latin-1; the control bytes XML 1.0 cannot carry show as U+FFFD.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/numbers.h"
#include "core/placements.h"

namespace brisel {

enum class ColourBy { value, footprint };

// The whole document.
std::string boardSvg(const Board& board, ColourBy colours = ColourBy::value);

// Writes the document whole or not at all. Throws PreviewError naming the path
// and the system's reason when the file cannot be created or written.
void writeBoardSvg(const std::filesystem::path& path, const Board& board,
                   ColourBy colours = ColourBy::value);

// What() reads "cannot write PATH: REASON"; the parts are there for a front
// end that words it otherwise.
class PreviewError : public Error {
 public:
  PreviewError(const std::filesystem::path& path, std::string reason);
  const std::filesystem::path& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::filesystem::path path_;
  std::string reason_;
};

// Bytes as Latin-1 characters, escaped for XML text and attribute values.
void appendXmlText(std::string& out, std::string_view bytes);

// The shortest decimal with a point that reads back as exactly `value`.
std::string shortestDecimal(float value);

}  // namespace brisel
