#include "window/language.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QTabWidget>
#include <QTranslator>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "core/error.h"

namespace language {

namespace {

std::unique_ptr<QTranslator>& installed() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

std::unique_ptr<QTranslator>& qtInstalled() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

QString& currentCode() {
  static QString code = QStringLiteral("it");
  return code;
}

// The language of Qt's own texts; none until the first choice.
QString& qtCode() {
  static QString code;
  return code;
}

// Class names of the window's own code: Qt's classes hold none of its texts.
bool ownClass(const char* name) {
  return !(name[0] == 'Q' && name[1] >= 'A' && name[1] <= 'Z');
}

// The contexts tr() may have put a text of `widget` in, nearest first.
QList<QByteArray> contextsOf(const QObject* widget) {
  QList<QByteArray> contexts;
  for (const QObject* o = widget; o != nullptr; o = o->parent())
    for (const QMetaObject* m = o->metaObject(); m != nullptr; m = m->superClass())
      if (ownClass(m->className()) && !contexts.contains(m->className()))
        contexts << QByteArray(m->className());
  contexts << QByteArrayLiteral("Button") << QByteArrayLiteral("Message");
  return contexts;
}

QString lookUp(const QList<QByteArray>& contexts, const QString& source) {
  const QByteArray bytes = source.toUtf8();
  for (const QByteArray& context : contexts) {
    QString text = QCoreApplication::translate(context.constData(), bytes.constData());
    if (text != source) return text;
  }
  return source;
}

// The text without the '&' that marks a button's Alt letter ("&&" stays).
QString withoutMnemonic(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
      if (text[i + 1] == QLatin1Char('&'))
        out += text[i++];
      else
        continue;
    }
    out += text[i];
  }
  return out;
}

// One text of a widget: how to read it and set it, and the names of the two
// properties that keep its source and what was last set.
struct Slot {
  QObject* holder;
  QByteArray name;
  std::function<QString()> get;
  std::function<void(const QString&)> set;
};

void translateSlot(const Slot& slot, const QList<QByteArray>& contexts) {
  const QString now = slot.get();
  const QByteArray sourceKey = "brisel.source." + slot.name;
  const QByteArray shownKey = "brisel.shown." + slot.name;
  const QVariant shown = slot.holder->property(shownKey.constData());
  // A text changed since the last call is new and in the language it was set in.
  // The window gives buttons their Alt letters after their texts are set.
  const QString source =
      shown.isValid() && withoutMnemonic(shown.toString()) == withoutMnemonic(now)
          ? slot.holder->property(sourceKey.constData()).toString()
          : now;
  QString text = source.isEmpty() ? source : lookUp(contexts, source);
  if (text == source && withoutMnemonic(source) != source) {
    // A letter the window gave: the translation is found without it, and
    // gets letters of its own.
    const QString bare = withoutMnemonic(source);
    const QString translated = lookUp(contexts, bare);
    if (translated != bare) text = translated;
  }
  if (text != now) slot.set(text);
  slot.holder->setProperty(sourceKey.constData(), source);
  slot.holder->setProperty(shownKey.constData(), text);
}

std::vector<Slot> slotsOf(QWidget* w) {
  std::vector<Slot> places;
  places.push_back(
      {w, "toolTip", [w] { return w->toolTip(); }, [w](const QString& t) { w->setToolTip(t); }});
  if (w->isWindow())
    places.push_back({w, "windowTitle", [w] { return w->windowTitle(); },
                      [w](const QString& t) { w->setWindowTitle(t); }});
  if (auto* b = qobject_cast<QAbstractButton*>(w))
    places.push_back(
        {w, "text", [b] { return b->text(); }, [b](const QString& t) { b->setText(t); }});
  if (auto* l = qobject_cast<QLabel*>(w))
    places.push_back(
        {w, "text", [l] { return l->text(); }, [l](const QString& t) { l->setText(t); }});
  if (auto* e = qobject_cast<QLineEdit*>(w))
    places.push_back({w, "placeholderText", [e] { return e->placeholderText(); },
                      [e](const QString& t) { e->setPlaceholderText(t); }});
  if (auto* n = qobject_cast<QSpinBox*>(w)) {
    places.push_back(
        {w, "prefix", [n] { return n->prefix(); }, [n](const QString& t) { n->setPrefix(t); }});
    places.push_back(
        {w, "suffix", [n] { return n->suffix(); }, [n](const QString& t) { n->setSuffix(t); }});
  }
  if (auto* n = qobject_cast<QDoubleSpinBox*>(w)) {
    places.push_back(
        {w, "prefix", [n] { return n->prefix(); }, [n](const QString& t) { n->setPrefix(t); }});
    places.push_back(
        {w, "suffix", [n] { return n->suffix(); }, [n](const QString& t) { n->setSuffix(t); }});
  }
  if (auto* g = qobject_cast<QGroupBox*>(w))
    places.push_back(
        {w, "title", [g] { return g->title(); }, [g](const QString& t) { g->setTitle(t); }});
  if (auto* c = qobject_cast<QComboBox*>(w))
    for (int i = 0; i < c->count(); ++i)
      places.push_back({w, "item" + QByteArray::number(i), [c, i] { return c->itemText(i); },
                        [c, i](const QString& t) { c->setItemText(i, t); }});
  if (auto* tabs = qobject_cast<QTabWidget*>(w))
    for (int i = 0; i < tabs->count(); ++i) {
      // Kept on the page, which keeps its place when tabs come and go.
      QWidget* page = tabs->widget(i);
      places.push_back(
          {page, "tabText", [tabs, page] { return tabs->tabText(tabs->indexOf(page)); },
           [tabs, page](const QString& t) { tabs->setTabText(tabs->indexOf(page), t); }});
      places.push_back(
          {page, "tabToolTip", [tabs, page] { return tabs->tabToolTip(tabs->indexOf(page)); },
           [tabs, page](const QString& t) { tabs->setTabToolTip(tabs->indexOf(page), t); }});
    }
  return places;
}

void retranslateTree(QWidget* w) {
  if (w->property("untranslated").toBool()) return;
  const QList<QByteArray> contexts = contextsOf(w);
  for (const Slot& slot : slotsOf(w)) translateSlot(slot, contexts);
  for (QObject* child : w->children())
    if (auto* widget = qobject_cast<QWidget*>(child)) retranslateTree(widget);
}

}  // namespace

QStringList codes() {
  return {QStringLiteral("it"), QStringLiteral("en")};
}

QString nativeName(const QString& code) {
  if (code == QLatin1String("en")) return QStringLiteral("English");
  if (code == QLatin1String("it")) return QStringLiteral("Italiano");
  return code;
}

QString current() {
  return currentCode();
}

bool choose(const QString& code) {
  if (!codes().contains(code)) return false;
  if (code == currentCode() && qtCode() == code) return true;
  std::unique_ptr<QTranslator> next;
  if (code != QLatin1String("it")) {
    next = std::make_unique<QTranslator>();
    if (!next->load(QStringLiteral(":/i18n/brisel_") + code + QStringLiteral(".qm"))) return false;
  }
  // Qt's own texts (the buttons of a message box, the file dialogs) in the
  // same language, where the system has Qt's translations; English otherwise.
  auto qt = std::make_unique<QTranslator>();
  if (!qt->load(QLocale(code), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    qt.reset();
  for (std::unique_ptr<QTranslator>* translator : {&installed(), &qtInstalled()})
    if (*translator) QCoreApplication::removeTranslator(translator->get());
  installed() = std::move(next);
  qtInstalled() = std::move(qt);
  currentCode() = code;
  qtCode() = code;
  for (std::unique_ptr<QTranslator>* translator : {&qtInstalled(), &installed()})
    if (*translator) QCoreApplication::installTranslator(translator->get());
  return true;
}

bool hasQtTranslation() {
  return qtInstalled() != nullptr;
}

void retranslate(QWidget* root) {
  retranslateTree(root);
}

QString coreText(const char* context, std::string_view text) {
  return QCoreApplication::translate(context, std::string(text).c_str());
}

QString said(const brisel::Text& text) {
  const std::string utf8 = text.said([](const std::string& key) {
    return QCoreApplication::translate("Message", key.c_str()).toStdString();
  });
  return QString::fromStdString(utf8);
}

QString failureText(const std::exception& failure) {
  if (const auto* error = dynamic_cast<const brisel::Error*>(&failure)) return said(error->said());
  return coreText("Message", failure.what());
}

}  // namespace language
