#pragma once
// Texts that the window shows in the operator's language but that live in the
// core, such as the button captions: BRISEL_TRANSLATE_NOOP(context, text) is
// the text itself, so the core stays free of Qt, and it marks the text for
// Qt's lupdate, which is told that the macro works as QT_TRANSLATE_NOOP. The
// window looks the text up in that context when it shows it; brisel-cli
// prints it as it stands.
#define BRISEL_TRANSLATE_NOOP(context, text) text
