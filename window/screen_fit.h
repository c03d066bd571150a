#pragma once
// The window on the operator's screen: its designed size and place where the
// screen has room for them, otherwise as much as the screen's free area gives
// (the form's content then scrolls).

#include <QRect>

class QWidget;

// `designed` moved and cut to lie within `available` less `frame` (the title
// bar and borders a window manager adds around the client area).
QRect fittedGeometry(const QRect& designed, const QRect& available, const QMargins& frame);

// Fits the window to the free area of the screen it is on, before it shows.
void fitToScreen(QWidget& window);
