// The window in English: every text it shows translated, the Italian texts
// back exactly when Italian is chosen again, the choice kept in brisel.ini.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <map>
#include <utility>

#include "app/settings.h"
#include "core/table_shape.h"
#include "table/check.h"
#include "tests/window_kit.h"
#include "window/Unit1.h"
#include "window/board_view.h"
#include "window/check_list.h"
#include "window/dialogs.h"
#include "window/grid_view.h"
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
    // The lines of the "Controllo" tab: the table's cells are data.
    if (auto* list = qobject_cast<CheckList*>(w))
      for (int row = 0; row < list->model()->rowCount(); ++row) {
        add(w, QStringLiteral("severity%1").arg(row),
            list->model()->index(row, 3).data().toString());
        add(w, QStringLiteral("line%1").arg(row), list->model()->index(row, 4).data().toString());
      }
  }
  return texts;
}

// The texts of the boxes shown since the last call, as the texts of a widget.
void addBoxes(Texts& texts, FakeDialogs& dialogs, const QObject* at) {
  int i = 0;
  for (const auto& [caption, text] : dialogs.messages) {
    texts[{at, QStringLiteral("caption%1").arg(i)}] = caption;
    texts[{at, QStringLiteral("message%1").arg(i++)}] = text;
  }
  for (const QString& text : dialogs.errors) texts[{at, QStringLiteral("error%1").arg(i++)}] = text;
  dialogs.messages.clear();
  dialogs.errors.clear();
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

// Each test ends in Italian again (window_main.cpp).
class LanguageTest : public WindowTest {
 protected:
  static void choose(TForm1& form, const char* code, bool remember = false) {
    ASSERT_TRUE(form.chooseLanguage(QString::fromLatin1(code), remember));
    QCoreApplication::processEvents();  // the language change is delivered
    QCoreApplication::processEvents();  // and the preview made anew
  }

  // A placement file and the sample board imported, its rules applied, a
  // number that does not convert, the table checked and one side kept, so
  // that the summaries, the check list, the boxes and the preview have texts
  // to show.
  void work(TForm1& form) {
    form.show();
    form.Edit10->setText(QStringLiteral(BRISEL_SAMPLES "/BOARD.pos"));
    form.BU_Posizioni->click();
    form.Button4->click();
    form.Button5->click();
    form.Button17->click();
    GridModel* model = form.StringGrid1->gridModel();
    model->setData(model->index(3, brisel::col::X), QStringLiteral("1,2,3"));
    form.Button7->click();  // Riferimento: the row 3 does not convert
    ASSERT_EQ(dialogs.errors.size(), 1u);
    form.BU_Controlla->click();
    form.BU_TieniLato->click();
    ASSERT_FALSE(form.LB_Stato->text().isEmpty());
    form.PageControl1->setCurrentWidget(form.TabSheet5);
    QCoreApplication::processEvents();
  }

  // The words of the texts in Italian, but for those the two languages
  // share, numbers and the board's data.
  static QSet<QString> italianWords(const Texts& italian, TForm1& form) {
    // Words the same in both languages: units, file kinds, names of files and
    // CAD tools, the form's own names, English words of the Italian window,
    // the names of keys.
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
        QStringLiteral("Ctrl"),       QStringLiteral("Shift"),     QStringLiteral("pos"),
        QStringLiteral("negative"),   QStringLiteral("a"),         QStringLiteral("byte"),
        QStringLiteral("DNP"),        QStringLiteral("Populate"),
    };
    static const QRegularExpression numberOrKey(QStringLiteral("^(\\d+|[A-Z]|F\\d+)$"));
    QSet<QString> words;
    for (const auto& [place, text] : italian)
      if (nameOf(place.first) != QLatin1String("CB_Lingua"))
        for (const QString& word : wordsOf(text))
          if (!same.contains(word) && !numberOrKey.match(word).hasMatch()) words.insert(word);
    // The board's own texts, shown in the summaries and the lines.
    auto data = [&](std::string_view cell) {
      for (const QString& word :
           wordsOf(QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.size()))))
        words.remove(word);
    };
    const brisel::Workspace& w = form.workspace();
    for (int row = 1; row < w.StringGrid1.RowCount(); ++row)
      for (int col = 0; col < w.StringGrid1.ColCount(); ++col) data(w.StringGrid1.cell(col, row));
    for (const brisel::RakRemoved& removed : w.rakReport.removed) {
      data(removed.reference);
      data(removed.value);
    }
    return words;
  }

  // No word of `italian` in a text of `english`; the count of texts read.
  static int expectNone(const Texts& english, const QSet<QString>& italian) {
    int checked = 0;
    for (const auto& [place, text] : english) {
      // The language list names each language in its own words.
      if (nameOf(place.first) == QLatin1String("CB_Lingua")) continue;
      for (const QString& word : wordsOf(text))
        EXPECT_FALSE(italian.contains(word))
            << nameOf(place.first).toStdString() << " " << place.second.toStdString() << ": \""
            << text.toStdString() << "\" has the Italian \"" << word.toStdString() << '"';
      ++checked;
    }
    return checked;
  }
};

TEST_F(LanguageTest, InEnglishNoItalianTextIsLeft) {
  auto form = makeForm();
  ASSERT_NO_FATAL_FAILURE(work(*form));
  Texts italian = textsOf(form.get());
  addBoxes(italian, dialogs, form.get());
  ASSERT_FALSE(form->Preview->summary()->text().isEmpty());
  const QSet<QString> words = italianWords(italian, *form);

  // The texts on the screen when the language changes are said anew.
  choose(*form, "en");
  const Texts english = textsOf(form.get());
  EXPECT_GT(expectNone(english, words), 80);

  // The same work in English: its boxes, summaries and lines.
  form->PageControl1->setCurrentWidget(form->TabSheet1);
  ASSERT_NO_FATAL_FAILURE(work(*form));
  Texts again = textsOf(form.get());
  addBoxes(again, dialogs, form.get());
  // The boxes of the import, the failed conversion and the rest.
  const Texts::key_type message{form.get(), QStringLiteral("message0")};
  const Texts::key_type error{form.get(), QStringLiteral("error1")};
  EXPECT_EQ(again[message], "40 components imported");
  EXPECT_TRUE(again[error].startsWith("Row 3, column X")) << again[error].toStdString();
  EXPECT_GT(expectNone(again, words), 80);
  EXPECT_TRUE(form->LB_Stato->text().startsWith("Keep side T"))
      << form->LB_Stato->text().toStdString();

  form->Button4->click();  // a table whose numbers all convert
  dialogs.messages.clear();
  form->Edit9->setText(QString::fromStdString((folder / "ZIRKAN.TXT").string()));
  form->Button20->click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], std::make_pair(QStringLiteral("Message"), QStringLiteral("Done")));
}

// Qt's own texts, the buttons of the boxes and the file dialogs, in Italian
// where the system has Qt's Italian; in English in English.
TEST_F(LanguageTest, QtsOwnDialogsSpeakTheWindowsLanguage) {
  auto form = makeForm();
  choose(*form, "it");
  if (!language::hasQtTranslation())
    GTEST_SKIP() << "no qtbase_it.qm in "
                 << QLibraryInfo::path(QLibraryInfo::TranslationsPath).toStdString();
  auto cancel = [] {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
  };
  EXPECT_EQ(cancel(), QStringLiteral("Annulla"));
  const OpenDialog shown;
  auto dialog = WidgetDialogs::fileDialog(form.get(), shown, QFileDialog::AcceptOpen);
  auto* type = dialog->findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
  ASSERT_NE(type, nullptr);
  const QString italianType = type->text();
  choose(*form, "en");
  EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
  auto english = WidgetDialogs::fileDialog(form.get(), shown, QFileDialog::AcceptOpen);
  EXPECT_NE(english->findChild<QLabel*>(QStringLiteral("fileTypeLabel"))->text(), italianType);
  choose(*form, "it");
  EXPECT_EQ(cancel(), QStringLiteral("Annulla"));
}

TEST_F(LanguageTest, ItalianAgainGivesTheSameTextsExactly) {
  auto form = makeForm();
  ASSERT_NO_FATAL_FAILURE(work(*form));
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

// A finding's code explains itself in the window's language: in English as
// the docs' table says it, with the buttons it names as the English window
// calls them; in Italian in its own words.
TEST_F(LanguageTest, AFindingsCodeIsExplainedInTheWindowsLanguage) {
  brisel::Workspace workspace;
  for (const brisel::CheckCode& code : brisel::checkCodes())
    workspace.findings.push_back({1, code.code, "R1", brisel::Text(std::string("x"))});
  CheckListModel list;
  auto tips = [&] {
    list.show(workspace, true);
    std::map<QString, QString> byCode;
    for (int row = 0; row < list.rowCount(); ++row)
      if (list.line(row).row > 0)
        byCode[list.line(row).code] = list.index(row, 2).data(Qt::ToolTipRole).toString();
    return byCode;
  };
  const std::map<QString, QString> italian = tips();
  ASSERT_TRUE(language::choose(QStringLiteral("en")));
  const std::map<QString, QString> english = tips();
  ASSERT_EQ(english.size(), brisel::checkCodes().size());
  static const QRegularExpression link(QStringLiteral("\\[([^\\]]*)\\]\\([^)]*\\)"));
  static const QRegularExpression quoted(QStringLiteral("\"([^\"]+)\""));
  for (const brisel::CheckCode& code : brisel::checkCodes()) {
    const QString name = QString::fromLatin1(code.name.data(), qsizetype(code.name.size()));
    QString doc = QString::fromUtf8(code.doc.data(), qsizetype(code.doc.size()));
    doc.remove(QLatin1Char('`')).replace(link, QStringLiteral("\\1"));
    for (const QRegularExpressionMatch& button : quoted.globalMatch(doc))
      doc.replace(button.captured(),
                  '"' + language::coreText("Button", button.captured(1).toStdString()) + '"');
    EXPECT_EQ(english.at(name), doc) << code.name;
    EXPECT_NE(italian.at(name), english.at(name)) << code.name;
  }
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
