// Start-up: the application object, the window Form1, the message loop.
//
// SIGTERM and SIGINT close the window as the operator would, so that the paths
// are saved: the handler only raises a flag, which a timer of the message loop
// looks at.
//
// `--lang CODE` (or `--lang=CODE`) shows the window in that language for this
// run only; otherwise it starts in the language brisel.ini remembers.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <exception>

#include "window/Unit1.h"
#include "window/dialogs.h"
#include "window/language.h"
#include "window/screen_fit.h"

namespace {

volatile std::sig_atomic_t closeRequested = 0;

void requestClose(int) {
  closeRequested = 1;
}

// Closes whatever modal dialog is open first, as the operator would, then the
// window; a handler still running closes the window when it ends.
void closeOnSignal(TForm1& form) {
  if (closeRequested == 0) return;
  if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  form.close();
}

// The language --lang asks for; empty when it asks for none.
QString languageAsked(const QStringList& arguments) {
  QString code;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--lang") && i + 1 < arguments.size())
      code = arguments[++i];
    else if (arguments[i].startsWith(QLatin1String("--lang=")))
      code = arguments[i].mid(7);
  }
  return code;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGTERM, requestClose);
  std::signal(SIGINT, requestClose);
  QApplication application(argc, argv);
  // Names the user's configuration folder (~/.config/brisel) and the desktop
  // entry the window belongs to.
  QApplication::setApplicationName(QStringLiteral("brisel"));
  QApplication::setDesktopFileName(QStringLiteral("io.github.brisel.Brisel"));
  try {
    WidgetDialogs dialogs;
    TForm1 form(dialogs, TForm1::defaultSettingsFile());
    const QString asked = languageAsked(QCoreApplication::arguments());
    if (!asked.isEmpty() && !form.chooseLanguage(asked, false))
      std::fprintf(stderr, "brisel: unknown language '%s'; known: %s\n", asked.toUtf8().constData(),
                   language::codes().join(QStringLiteral(", ")).toUtf8().constData());
    if (asked.isEmpty()) form.chooseLanguage(form.rememberedLanguage(), false);
    QTimer signalWatch;
    QObject::connect(&signalWatch, &QTimer::timeout, &form, [&form] { closeOnSignal(form); });
    signalWatch.start(100);
    fitToScreen(form);
    form.show();
    // Once the loop runs, the window is up and a signal closes it: scripts
    // that start it wait for this line instead of guessing a time.
    QTimer::singleShot(0, [] {
      std::fputs("brisel: ready\n", stderr);
      std::fflush(stderr);
    });
    QApplication::exec();
  } catch (const std::exception& failure) {
    QMessageBox::critical(nullptr, QStringLiteral("Brisel_10"), QString::fromUtf8(failure.what()));
    return 1;
  }
  return 0;
}
