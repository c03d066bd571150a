#pragma once
// The preview's colours and the size of its labels, which the parts, the marks
// around them and the picture's legend share.

#include <QColor>

namespace board_style {

inline const QColor kBackground(0xf7, 0xf7, 0xf2);
inline const QColor kOutline(0x20, 0x20, 0x20);
inline const QColor kFinding(0xe0, 0x00, 0x00);
inline const QColor kCurrent(0xff, 0x00, 0xcc);
inline const QColor kBottom(0x10, 0x30, 0xc0);
inline const QColor kExtent(0x70, 0x70, 0x70);
constexpr int kLabelPixels = 11;

}  // namespace board_style
