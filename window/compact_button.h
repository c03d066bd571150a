#pragma once
// A push button as wide as its caption needs, where the style would make
// every button at least some 80 pixels wide: the buttons beside the tabs
// leave the tab titles their room.

#include <QPushButton>
#include <algorithm>

class CompactButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

  QSize sizeHint() const override { return compact(QPushButton::sizeHint()); }
  QSize minimumSizeHint() const override { return compact(QPushButton::minimumSizeHint()); }

 private:
  // The caption as drawn (an Alt letter's '&' is not), with the margins of a
  // button's frame.
  QSize compact(QSize size) const {
    QString shown = text();
    shown.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
    shown.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    const int needed = fontMetrics().horizontalAdvance(shown) + 2 * kMargin;
    size.setWidth(std::min(size.width(), needed));
    return size;
  }
  static constexpr int kMargin = 10;
};
