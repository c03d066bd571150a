#include "window/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

QRect fittedGeometry(const QRect& designed, const QRect& available, const QMargins& frame) {
  const QRect room = available.marginsRemoved(frame);
  if (room.isEmpty()) return designed;
  QRect fitted(designed.topLeft(), designed.size().boundedTo(room.size()));
  // Where the designed place would leave part of it off the screen, it moves
  // in as little as it must.
  fitted.moveLeft(std::clamp(fitted.left(), room.left(), room.right() + 1 - fitted.width()));
  fitted.moveTop(std::clamp(fitted.top(), room.top(), room.bottom() + 1 - fitted.height()));
  return fitted;
}

void fitToScreen(QWidget& window) {
  QScreen* screen = window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  // Before the window shows, the frame is not known: a usual title bar and
  // border.
  const QMargins frame(4, 30, 4, 4);
  window.setGeometry(fittedGeometry(window.geometry(), screen->availableGeometry(), frame));
}
