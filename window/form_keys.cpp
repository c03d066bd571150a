// The form from the keyboard: Tab and Shift+Tab through every control in
// reading order and round again, Ctrl+Tab and Ctrl+Shift+Tab to the next and
// previous tab (out of a grid, whose Tab moves from cell to cell), a key on
// each button and Ctrl+Q to close.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QGridLayout>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <tuple>
#include <vector>

#include "window/Unit1.h"

namespace {

// A radio button of a group is a stop of its own, though Qt takes Tab from
// all but the one last focused: the operator reaches "mils" as "mm", also
// while neither is checked.
bool takesTab(const QWidget* widget) {
  if (auto* button = qobject_cast<const QAbstractButton*>(widget);
      button != nullptr && button->autoExclusive() && button->focusPolicy() != Qt::NoFocus)
    return true;
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

// The grid (an item view whose Tab moves from cell to cell) that holds the
// focus, or null.
QAbstractItemView* gridOf(QWidget* focus) {
  for (QWidget* w = focus; w != nullptr; w = w->parentWidget())
    if (auto* view = qobject_cast<QAbstractItemView*>(w))
      return view->tabKeyNavigation() ? view : nullptr;
  return nullptr;
}

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

// The page of a tab widget that holds `widget`, or null: buttons on two pages
// never show together, so they may share a key.
const QWidget* pageOf(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QWidget* stack = w->parentWidget();
    if (stack == nullptr || stack->parentWidget() == nullptr) continue;
    if (auto* tabs = qobject_cast<const QTabWidget*>(stack->parentWidget()); tabs != nullptr)
      if (tabs->indexOf(const_cast<QWidget*>(w)) >= 0) return w;
  }
  return nullptr;
}

// The keys taken so far: a key taken outside the pages is taken on every
// page; one taken on a page, only there.
class TakenKeys {
 public:
  bool free(const QKeySequence& key, const QWidget* page) const {
    for (const auto& [taken, on] : taken_)
      if (taken == key && (on == nullptr || page == nullptr || on == page)) return false;
    return true;
  }
  void take(const QKeySequence& key, const QWidget* page) { taken_.emplace_back(key, page); }

 private:
  std::vector<std::pair<QKeySequence, const QWidget*>> taken_;
};

// The positions of a caption's letters to try: the initials of its words
// first, then the others.
std::vector<qsizetype> letterOrder(const QString& text) {
  std::vector<qsizetype> order;
  for (qsizetype i = 0; i < text.size(); ++i)
    if (i == 0 || text[i - 1] == QLatin1Char(' ')) order.push_back(i);
  for (qsizetype i = 0; i < text.size(); ++i) order.push_back(i);
  return order;
}

bool isKeyLetter(QChar c) {
  return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}

// The key of a lower-case letter with those modifiers.
QKeySequence letterKey(Qt::KeyboardModifiers modifiers, QChar letter) {
  return QKeySequence(
      QKeyCombination(modifiers, static_cast<Qt::Key>(Qt::Key_A + (letter.unicode() - 'a'))));
}

// A key for a button whose caption has no free Alt letter: Ctrl+Shift and a
// letter of its caption (Ctrl+Shift+Z is redo), else a function key from F3
// (F2 edits a cell); none once all are taken.
QKeySequence spareKey(const QString& text, const QWidget* page, const TakenKeys& taken) {
  for (qsizetype i : letterOrder(text)) {
    const QChar letter = text[i].toLower();
    if (!isKeyLetter(letter) || letter == QLatin1Char('z')) continue;
    const QKeySequence key = letterKey(Qt::ControlModifier | Qt::ShiftModifier, letter);
    if (taken.free(key, page)) return key;
  }
  for (int f = Qt::Key_F3; f <= Qt::Key_F12; ++f)
    if (const QKeySequence key(static_cast<Qt::Key>(f)); taken.free(key, page)) return key;
  return {};
}

// Gives `button` the first free Alt letter of its caption, else a spare key
// named in its tool tip.
void giveKey(QPushButton* button, TakenKeys& taken) {
  const QWidget* page = pageOf(button);
  const QString text = button->text();
  for (qsizetype i : letterOrder(text)) {
    const QChar letter = text[i].toLower();
    if (!isKeyLetter(letter)) continue;
    const QKeySequence key = letterKey(Qt::AltModifier, letter);
    if (!taken.free(key, page)) continue;
    taken.take(key, page);
    button->setText(text.left(i) + QLatin1Char('&') + text.mid(i));
    return;
  }
  const QKeySequence key = spareKey(text, page, taken);
  if (key.isEmpty()) return;
  taken.take(key, page);
  button->setShortcut(key);
  button->setProperty("brisel.toolTipBeforeKey", button->toolTip());
  const QString name = key.toString(QKeySequence::NativeText);
  button->setToolTip(
      button->toolTip().isEmpty() ? name : QStringLiteral("%1 (%2)").arg(button->toolTip(), name));
}

// The "..." of the path rows, which Tab reaches beside their boxes, keep no
// key of their own.
bool isPicker(const QPushButton* button) {
  return button->text() == QLatin1String("...");
}

// Every push button gets a key by one rule, so that buttons added later get
// one too: first those with a letter in their caption already keep it; then
// the buttons that always show, in reading order, then those of the pages,
// which may share a key with those of another page, each take an Alt letter
// of their caption or a spare key (giveKey). Only the underline and the tool
// tip are new: the text stays.
void giveKeys(const std::vector<QWidget*>& order, const QList<QAbstractButton*>& all) {
  TakenKeys taken;
  for (QAbstractButton* button : all)
    if (QChar letter = mnemonicOf(button->text()); !letter.isNull() && isKeyLetter(letter))
      taken.take(letterKey(Qt::AltModifier, letter), pageOf(button));
  for (const bool onPage : {false, true})
    for (QWidget* widget : order) {
      auto* button = qobject_cast<QPushButton*>(widget);
      if (button == nullptr || isPicker(button) || !mnemonicOf(button->text()).isNull() ||
          (pageOf(button) != nullptr) != onPage)
        continue;
      giveKey(button, taken);
    }
}

// Takes back the keys giveKey gave that are not in the caption: their tool
// tips as they were, the shortcut back to the caption's own letter.
void takeKeys(const QList<QAbstractButton*>& all) {
  for (QAbstractButton* button : all) {
    const QVariant before = button->property("brisel.toolTipBeforeKey");
    if (!before.isValid()) continue;
    button->setToolTip(before.toString());
    button->setProperty("brisel.toolTipBeforeKey", QVariant());
    button->setShortcut(QKeySequence::mnemonic(button->text()));
  }
}

}  // namespace

void TForm1::bindKeys() {
  // The scroll box around the content is no stop of its own: it scrolls to
  // whichever control takes the focus.
  for (QScrollArea* scroll : findChildren<QScrollArea*>(Qt::FindDirectChildrenOnly))
    scroll->setFocusPolicy(Qt::NoFocus);
  // Qt's own chain in the same order, for what walks it rather than Tab.
  const std::vector<QWidget*> order = focusOrder();
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  giveKeys();

  const std::pair<QKeySequence, bool> tabKeys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Tab), true},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), false},
  };
  for (const auto& [sequence, forward] : tabKeys) {
    auto* shortcut = new QShortcut(sequence, this);
    const bool next = forward;
    connect(shortcut, &QShortcut::activated, this, [this, next] { ctrlTab(next); });
  }
  auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
  connect(quit, &QShortcut::activated, this, &QWidget::close);
}

std::vector<QWidget*> TForm1::focusOrder() const {
  std::vector<QWidget*> order;
  collect(layout(), order);
  return order;
}

// The order is read from the layouts at each press, so that a control added
// later has its place by where it stands.
bool TForm1::focusNextPrevChild(bool next) {
  return moveFocus(next) || QWidget::focusNextPrevChild(next);
}

bool TForm1::moveFocus(bool forward) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || !isAncestorOf(focus)) return false;
  const std::vector<QWidget*> order = focusOrder();
  // The stop that holds the focus: a control, or a grid around its cell editor.
  const auto at = std::find_if(order.begin(), order.end(), [focus](QWidget* stop) {
    return stop == focus || stop->isAncestorOf(focus);
  });
  if (at == order.end()) return false;
  const std::size_t count = order.size(), from = static_cast<std::size_t>(at - order.begin());
  for (std::size_t step = 1; step < count; ++step) {
    QWidget* stop = order[(from + (forward ? step : count - step)) % count];
    if (!stop->isVisible() || !stop->isEnabled()) continue;
    stop->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  return false;
}

void TForm1::ctrlTab(bool forward) {
  if (gridOf(QApplication::focusWidget()) != nullptr) {
    moveFocus(forward);
    return;
  }
  // A control on the page left would lose the focus: the tabs take it.
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && PageControl1->currentWidget()->isAncestorOf(focus))
    PageControl1->tabBar()->setFocus(Qt::TabFocusReason);
  const int count = PageControl1->count();
  PageControl1->setCurrentIndex((PageControl1->currentIndex() + (forward ? 1 : count - 1)) % count);
}

void TForm1::takeKeys() {
  ::takeKeys(findChildren<QAbstractButton*>());
}

void TForm1::giveKeys() {
  ::giveKeys(focusOrder(), findChildren<QAbstractButton*>());
}
