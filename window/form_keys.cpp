// The form from the keyboard: Tab and Shift+Tab through every control in
// reading order, Ctrl+Tab and Ctrl+Shift+Tab out of a grid (whose Tab moves
// from cell to cell), an Alt letter on each button and Ctrl+Q to close.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "window/Unit1.h"

namespace {

bool takesTab(const QWidget* widget) {
  return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

void collect(QLayout* layout, std::vector<QWidget*>& order);

// A widget and what it holds, as the eye reads them: a tab widget's bar,
// then what stands beside the tabs, then its pages.
void collect(QWidget* widget, std::vector<QWidget*>& order) {
  if (widget == nullptr) return;
  if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
    order.push_back(tabs->tabBar());
    for (Qt::Corner corner : {Qt::TopLeftCorner, Qt::TopRightCorner})
      collect(tabs->cornerWidget(corner), order);
    for (int i = 0; i < tabs->count(); ++i) collect(tabs->widget(i), order);
    return;
  }
  if (auto* scroll = qobject_cast<QScrollArea*>(widget)) {
    collect(scroll->widget(), order);
    return;
  }
  if (takesTab(widget)) {
    order.push_back(widget);
    return;
  }
  collect(widget->layout(), order);
}

// A grid layout row by row, left to right; any other in its own order.
void collect(QLayout* layout, std::vector<QWidget*>& order) {
  if (layout == nullptr) return;
  std::vector<std::tuple<int, int, int>> items;  // row, column, index
  auto* grid = qobject_cast<QGridLayout*>(layout);
  for (int i = 0; i < layout->count(); ++i) {
    int row = 0, column = i, rowSpan = 0, columnSpan = 0;
    if (grid != nullptr) grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
    items.emplace_back(row, column, i);
  }
  std::sort(items.begin(), items.end());
  for (const auto& [row, column, i] : items) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() != nullptr)
      collect(item->widget(), order);
    else
      collect(item->layout(), order);
  }
}

// Moves the focus from `from` to the next (or previous) control outside it.
void leave(QWidget* from, bool forward) {
  QWidget* next = from;
  while (true) {
    next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    if (next == nullptr || next == from) return;
    if (from->isAncestorOf(next) || next->focusProxy() != nullptr) continue;
    if (takesTab(next) && next->isVisible() && next->isEnabled() &&
        next->window() == from->window()) {
      next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  }
}

// Ctrl+Tab and Ctrl+Shift+Tab on a grid (or its cell editor) go to the
// control after or before it; Tab alone still moves between cells.
class LeaveOnCtrlTab : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & Qt::ControlModifier)) return false;
    if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) return false;
    const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
    leave(static_cast<QWidget*>(watched), !back);
    return true;
  }
};

// The letter a caption's '&' marks, lower case; 0 for none.
QChar mnemonicOf(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) continue;
    if (text[i + 1] == QLatin1Char('&')) {
      ++i;
      continue;
    }
    return text[i + 1].toLower();
  }
  return {};
}

// Each button without an Alt letter gets the first free one among the
// initials of its words, else among its other letters; a caption with no
// free letter keeps none. Only the underline is new: the text stays.
void giveMnemonics(const std::vector<QWidget*>& order, const QList<QAbstractButton*>& all) {
  std::set<QChar> used;
  for (QAbstractButton* button : all)
    if (QChar letter = mnemonicOf(button->text()); !letter.isNull()) used.insert(letter);
  for (QWidget* widget : order) {
    auto* button = qobject_cast<QPushButton*>(widget);
    if (button == nullptr || !mnemonicOf(button->text()).isNull()) continue;
    const QString text = button->text();
    std::vector<qsizetype> candidates;
    for (qsizetype i = 0; i < text.size(); ++i)
      if (i == 0 || text[i - 1] == QLatin1Char(' ')) candidates.push_back(i);
    for (qsizetype i = 0; i < text.size(); ++i) candidates.push_back(i);
    for (qsizetype i : candidates) {
      const QChar letter = text[i].toLower();
      if (letter < QLatin1Char('a') || letter > QLatin1Char('z') || used.count(letter)) continue;
      used.insert(letter);
      button->setText(text.left(i) + QLatin1Char('&') + text.mid(i));
      break;
    }
  }
}

}  // namespace

void TForm1::bindKeys() {
  // The scroll box around the content is no stop of its own: it scrolls to
  // whichever control takes the focus.
  for (QScrollArea* scroll : findChildren<QScrollArea*>(Qt::FindDirectChildrenOnly))
    scroll->setFocusPolicy(Qt::NoFocus);
  std::vector<QWidget*> order;
  collect(layout(), order);
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

  auto* leaving = new LeaveOnCtrlTab(this);
  for (QAbstractItemView* view : findChildren<QAbstractItemView*>()) {
    if (!isAncestorOf(view)) continue;
    view->installEventFilter(leaving);
  }

  ::giveMnemonics(order, findChildren<QAbstractButton*>());

  auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
  connect(quit, &QShortcut::activated, this, &QWidget::close);
}

void TForm1::giveMnemonics() {
  std::vector<QWidget*> order;
  collect(layout(), order);
  ::giveMnemonics(order, findChildren<QAbstractButton*>());
}
