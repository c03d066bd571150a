#pragma once
// The language of the window. Italian is the language the texts are written
// in; another language is a Qt translation (translations/brisel_LANG.ts,
// compiled into the program as :/i18n/brisel_LANG.qm) installed for the whole
// application. Installing one sends every widget a LanguageChange event, on
// which the window calls retranslate().

#include <QString>
#include <QStringList>

#include <exception>
#include <string_view>

#include "core/said.h"

class QWidget;

namespace language {

// The language codes the program knows, Italian first: "it", "en".
QStringList codes();
// The name of a language in that language ("Italiano", "English").
QString nativeName(const QString& code);
// The language the window shows now.
QString current();
// Shows the window in `code`, and Qt's own texts (dialog buttons, the file
// dialogs) in it too where the system has Qt's translations
// (qtbase_LANG.qm in Qt's translations folder); false (and nothing changed)
// for a code that is not among codes(). Choosing the language already shown
// changes nothing, but that the first choice also installs Qt's translation.
bool choose(const QString& code);
// Whether Qt's own texts are translated into the language shown.
bool hasQtTranslation();

// Sets every caption, label, tab title, tool tip and title of `root` and its
// children anew in the current language. A text is looked up as it was first
// shown, in Italian, in the contexts of its widget's classes and those of its
// parents (where tr() put it), then among the button captions. A text set by
// the program after the last call is taken as its new source, so texts that
// change as the window works are left to the code that sets them. A widget
// whose property "untranslated" is true is passed over, with its children.
void retranslate(QWidget* root);

// The translation of a text that comes from the core (a button caption, a
// message box), its UTF-8 bytes looked up in its context; the text itself when
// there is none.
QString coreText(const char* context, std::string_view text);

// A text of the operations in the window's language: each key looked up in
// the context "Message", the arguments put in.
QString said(const brisel::Text& text);
// What a failure says, in the window's language.
QString failureText(const std::exception& failure);

}  // namespace language
