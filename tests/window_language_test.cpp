// The window in English: every text it shows translated, the Italian texts
// back exactly when Italian is chosen again, the choice kept in brisel.ini.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <map>
#include <utility>

#include "app/settings.h"
#include "tests/window_kit.h"
#include "window/Unit1.h"
#include "window/board_view.h"
#include "window/language.h"

namespace window_tests {
namespace {

// Every text the window shows, by widget and place: captions, labels, tool
// tips, tab titles, combo items, the titles of windows, the column headers.
using Texts = std::map<std::pair<const QObject*, QString>, QString>;

Texts textsOf(QWidget* root) {
  Texts texts;
  auto add = [&](const QObject* at, const QString& place, const QString& text) {
    if (!text.isEmpty()) texts[{at, place}] = text;
  };
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* w : widgets) {
    add(w, QStringLiteral("toolTip"), w->toolTip());
    if (w->isWindow()) add(w, QStringLiteral("windowTitle"), w->windowTitle());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) add(w, QStringLiteral("text"), b->text());
    if (auto* l = qobject_cast<QLabel*>(w)) add(w, QStringLiteral("text"), l->text());
    if (auto* e = qobject_cast<QLineEdit*>(w))
      add(w, QStringLiteral("placeholder"), e->placeholderText());
    if (auto* g = qobject_cast<QGroupBox*>(w)) add(w, QStringLiteral("title"), g->title());
    if (auto* n = qobject_cast<QAbstractSpinBox*>(w))
      add(w, QStringLiteral("shown"), n->text());  // with its prefix and suffix
    if (auto* c = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < c->count(); ++i) add(w, QStringLiteral("item%1").arg(i), c->itemText(i));
    if (auto* t = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < t->count(); ++i) {
        add(t->widget(i), QStringLiteral("tab"), t->tabText(i));
        add(t->widget(i), QStringLiteral("tabToolTip"), t->tabToolTip(i));
      }
    if (auto* v = qobject_cast<QAbstractItemView*>(w); v != nullptr && v->model() != nullptr)
      for (int i = 0; i < v->model()->columnCount(); ++i)
        add(w, QStringLiteral("column%1").arg(i),
            v->model()->headerData(i, Qt::Horizontal).toString());
  }
  return texts;
}

QStringList wordsOf(QString text) {
  // An Alt letter's '&' is not shown: "Mer&ge" is the one word "Merge".
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
  static const QRegularExpression nonWord(QStringLiteral("[^\\p{L}\\p{N}_]+"));
  return text.split(nonWord, Qt::SkipEmptyParts);
}

QString nameOf(const QObject* at) {
  for (const QObject* o = at; o != nullptr; o = o->parent())
    if (!o->objectName().isEmpty()) return o->objectName();
  return QStringLiteral("?");
}

class LanguageTest : public WindowTest {
 protected:
  void TearDown() override {
    language::choose(QStringLiteral("it"));
    QCoreApplication::processEvents();
  }

  static void choose(TForm1& form, const char* code, bool remember = false) {
    ASSERT_TRUE(form.chooseLanguage(QString::fromLatin1(code), remember));
    QCoreApplication::processEvents();  // the language change is delivered
    QCoreApplication::processEvents();  // and the preview made anew
  }

  // The sample board imported, its rules applied and the table checked, so
  // that the summaries, the check list and the preview have texts to show.
  static void work(TForm1& form) {
    form.show();
    form.Button4->click();
    form.Button5->click();
    form.Button17->click();
    form.BU_Controlla->click();
    form.PageControl1->setCurrentWidget(form.TabSheet5);
    QCoreApplication::processEvents();
  }
};

TEST_F(LanguageTest, InEnglishNoItalianTextIsLeft) {
  auto form = makeForm();
  work(*form);
  const Texts italian = textsOf(form.get());
  ASSERT_FALSE(form->Preview->summary()->text().isEmpty());
  choose(*form, "en");
  const Texts english = textsOf(form.get());
  EXPECT_EQ(english.size(), italian.size());

  // Words the same in both languages: units, file kinds, names of files and
  // CAD tools, the form's own names, English words of the Italian window.
  static const QSet<QString> same = {
      QStringLiteral("mm"),         QStringLiteral("mils"),      QStringLiteral("QPF"),
      QStringLiteral("REP"),        QStringLiteral("CMP"),       QStringLiteral("BOM"),
      QStringLiteral("MNT"),        QStringLiteral("TXT"),       QStringLiteral("RAK"),
      QStringLiteral("ZIRKAN"),     QStringLiteral("INPUT"),     QStringLiteral("OUTPUT"),
      QStringLiteral("Vurk_tarno"), QStringLiteral("Zelti"),     QStringLiteral("QRL"),
      QStringLiteral("Orcad"),      QStringLiteral("Tarno"),     QStringLiteral("tarno"),
      QStringLiteral("Olvan"),      QStringLiteral("TabSheet1"), QStringLiteral("TabSheet2"),
      QStringLiteral("TabSheet3"),  QStringLiteral("Brisel_10"), QStringLiteral("X"),
      QStringLiteral("Y"),          QStringLiteral("Footprint"), QStringLiteral("File"),
      QStringLiteral("Merge"),      QStringLiteral("default"),   QStringLiteral("footprint"),
      QStringLiteral("T"),          QStringLiteral("B"),         QStringLiteral("x"),
      QStringLiteral("y"),          QStringLiteral("record"),    QStringLiteral("CSV"),
      QStringLiteral("KiCad"),      QStringLiteral("Altium"),    QStringLiteral("BOARD"),
      QStringLiteral("DNP"),        QStringLiteral("Populate"),
  };
  // The words the window shows in Italian, but for those and numbers.
  static const QRegularExpression digits(QStringLiteral("^\\d+$"));
  QSet<QString> italianWords;
  for (const auto& [place, text] : italian)
    if (nameOf(place.first) != QLatin1String("CB_Lingua"))
      for (const QString& word : wordsOf(text))
        if (!same.contains(word) && !digits.match(word).hasMatch()) italianWords.insert(word);
  // The sample board's own texts, shown in the summaries, are not words to find.
  for (int row = 1; row < form->workspace().StringGrid1.RowCount(); ++row)
    for (int col = 0; col < form->workspace().StringGrid1.ColCount(); ++col) {
      const std::string_view cell = form->workspace().StringGrid1.cell(col, row);
      for (const QString& word :
           wordsOf(QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.size()))))
        italianWords.remove(word);
    }

  int checked = 0;
  for (const auto& [place, text] : english) {
    // The language list names each language in its own words.
    if (nameOf(place.first) == QLatin1String("CB_Lingua")) continue;
    for (const QString& word : wordsOf(text))
      EXPECT_FALSE(italianWords.contains(word))
          << nameOf(place.first).toStdString() << " " << place.second.toStdString() << ": \""
          << text.toStdString() << "\" has the Italian \"" << word.toStdString() << '"';
    ++checked;
  }
  EXPECT_GT(checked, 60);

  // The boxes of the operations too.
  dialogs.messages.clear();
  form->Edit9->setText(QString::fromStdString((folder / "ZIRKAN.TXT").string()));
  form->Button20->click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], std::make_pair(QStringLiteral("Message"), QStringLiteral("Done")));
}

TEST_F(LanguageTest, ItalianAgainGivesTheSameTextsExactly) {
  auto form = makeForm();
  work(*form);
  const Texts before = textsOf(form.get());
  choose(*form, "en");
  EXPECT_NE(textsOf(form.get()), before);
  EXPECT_EQ(captionOf(form->Button4->text()), QStringLiteral("Open REP"));
  EXPECT_EQ(form->CB_Lingua->currentText(), QStringLiteral("English"));
  choose(*form, "it");
  EXPECT_EQ(textsOf(form.get()), before);
  EXPECT_EQ(captionOf(form->Button4->text()), QStringLiteral("Apri REP"));
  EXPECT_EQ(form->CB_Lingua->currentText(), QStringLiteral("Italiano"));
}

TEST_F(LanguageTest, ChoiceIsKeptInBriselIniNotInKsrIni) {
  brisel::saveOwnSettings(brisel::ownSettingsFile(settings), {{"other", "kept"}});
  {
    auto form = makeForm();
    EXPECT_EQ(form->rememberedLanguage(), QStringLiteral("it"));
    EXPECT_FALSE(form->chooseLanguage(QStringLiteral("xx"), true));
    EXPECT_EQ(language::current(), QStringLiteral("it"));
    // For one run only, as `brisel --lang en`.
    choose(*form, "en");
    EXPECT_EQ(form->rememberedLanguage(), QStringLiteral("it"));
    emit form->CB_Lingua->activated(form->CB_Lingua->findData(QStringLiteral("en")));
    form->close();
  }
  const brisel::OwnSettings own = brisel::loadOwnSettings(brisel::ownSettingsFile(settings));
  EXPECT_EQ(own.at("lingua"), "en");
  EXPECT_EQ(own.at("other"), "kept");
  EXPECT_EQ(readFile(settings).find("lingua"), std::string::npos);
  auto next = makeForm();
  EXPECT_EQ(next->rememberedLanguage(), QStringLiteral("en"));
}

}  // namespace
}  // namespace window_tests
