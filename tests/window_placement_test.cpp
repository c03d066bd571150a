// The window's placement files: the tenth row and brisel.ini, "Salva
// posizioni", and the columns asked of a file the importer cannot read alone.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/settings.h"
#include "core/text.h"
#include "tests/window_kit.h"
#include "window/column_dialog.h"

namespace window_tests {
namespace {

using brisel::testing::writeFile;

QString native(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

std::size_t lineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(WindowTest, TheTenthRowPicksAPlacementFileAndKeepsItInBriselIni) {
  auto form = makeForm();
  EXPECT_EQ(form->Label11->text(), "INPUT posizioni (CSV, KiCad, Altium...)");
  dialogs.answer = native(folder / "board-top.pos");
  form->Button23->click();
  ASSERT_EQ(dialogs.opened.size(), 1u);
  EXPECT_EQ(dialogs.opened[0].Filter, "*.pos;*.csv;*.txt;*.tsv|*.pos;*.csv;*.txt;*.tsv");
  EXPECT_EQ(
      dialogNameFilters(dialogs.opened[0].Filter, true).value(0),
      "*.pos;*.csv;*.txt;*.tsv (*.[Pp][Oo][Ss] *.[Cc][Ss][Vv] *.[Tt][Xx][Tt] *.[Tt][Ss][Vv])");
  EXPECT_EQ(form->Edit10->text(), native(folder / "board-top.pos"));

  form->close();
  EXPECT_EQ(lineCount(readFile(settings)), brisel::kSettingsLines);
  const brisel::OwnSettings own = brisel::loadOwnSettings(form->ownSettingsFile());
  EXPECT_EQ(form->ownSettingsFile(), folder / "brisel.ini");
  ASSERT_EQ(own.count("posizioni"), 1u);
  EXPECT_EQ(QString::fromStdString(own.at("posizioni")), native(folder / "board-top.pos"));

  auto again = makeForm();
  EXPECT_EQ(again->Edit10->text(), native(folder / "board-top.pos"));
}

// "Tieni anche i da non montare" reaches the import, and the next start.
TEST_F(WindowTest, TheDoNotPlaceChoiceReachesTheImportAndIsKept) {
  auto form = makeForm();
  writeFile(folder / "dnp.csv", "Ref,PosX,PosY,DNP\nR1,1,1,DNP\nR2,2,2,\n");
  form->Edit10->setText(native(folder / "dnp.csv"));
  EXPECT_FALSE(form->CB_TieniDnp->isChecked());
  form->BU_Posizioni->click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].second, "1 componente importato, 1 da non montare lasciato fuori");
  form->CB_TieniDnp->setChecked(true);
  form->BU_Posizioni->click();
  EXPECT_EQ(dialogs.messages.back().second, "2 componenti importati");
  form->close();
  EXPECT_TRUE(makeForm()->CB_TieniDnp->isChecked());
}

TEST(PlacementSaveName, ProposesTheInputsNameWithBriselCsv) {
  const std::pair<QString, QString> cases[] = {
      {"/b/board-top.pos", "/b/board-top-brisel.csv"},
      {"/b/board.csv", "/b/board-brisel.csv"},  // never the input itself
      {"/b/board-brisel.csv", "/b/board-brisel-brisel.csv"},
      {"/b/v1.2/pick", "/b/v1.2/pick-brisel.csv"},
      {"/b/.hidden", "/b/.hidden-brisel.csv"},
      {"  ", "/out/posizioni-brisel.csv"},
  };
  for (const auto& [input, proposed] : cases)
    EXPECT_EQ(placementSaveName(input, "/out/"), proposed) << input.toStdString();
}

TEST_F(WindowTest, SalvaPosizioniWritesWhereTheOperatorSaysButNeverOverTheInput) {
  auto form = makeForm();
  const std::filesystem::path input = folder / "board.pos";
  writeFile(input, "input");
  form->Edit10->setText(native(input));
  form->workspace().StringGrid1.setCell(1, 1, "1");
  form->workspace().StringGrid1.setCell(2, 1, "C1");
  for (int column : {5, 6, 7}) form->workspace().StringGrid1.setCell(column, 1, "1");

  dialogs.answer = native(folder / "out");
  form->BU_SalvaPosizioni->click();
  ASSERT_EQ(dialogs.opened.size(), 1u);
  EXPECT_EQ(dialogs.opened[0].InitialDir, native(folder.path()) + QDir::separator());
  EXPECT_EQ(dialogs.opened[0].FileName, "board-brisel.csv");
  EXPECT_EQ(dialogs.opened[0].Filter, "*.csv|*.csv");
  EXPECT_EQ(readFile(folder / "out.csv"),
            "Ref,Val,Package,PosX,PosY,Rot,Side\r\n\"C1\",\"\",\"\",1,1,1,\r\n");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].second, "Operazione eseguita correttamente");

  dialogs.answer = native(input);
  form->BU_SalvaPosizioni->click();
  EXPECT_EQ(readFile(input), "input");
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1].first, "Errore");
  EXPECT_TRUE(dialogs.errors.empty());
}

// An import that stands for "Apri posizioni": it asks for the columns until
// it is given some, and then writes what it was given.
struct AskingImport {
  std::vector<Controls> seen;
  Outcome operator()(Workspace& workspace, const Controls& controls, Progress&) {
    seen.push_back(controls);
    Outcome outcome;
    if (controls.placementColumns.empty()) {
      outcome.askColumns = true;
      outcome.messages.push_back({"Errore", "nessuna intestazione"});
      return outcome;
    }
    workspace.StringGrid1.setCell(2, 1, controls.placementColumns);
    outcome.messages.push_back({"Messaggio", "1 componenti importati"});
    return outcome;
  }
};

TEST_F(WindowTest, ColumnsAreAskedOnceForFilesWithTheSameHeader) {
  const std::filesystem::path file = folder / "pick.csv";
  const std::string bytes = "Part;PosX;PosY\nC1;1;2\n";
  writeFile(file, bytes);
  auto import = std::make_shared<AskingImport>();
  FormOperations operations;
  operations["BU_Posizioni"] = [import](Workspace& w, const Controls& c, Progress& p) {
    return (*import)(w, c, p);
  };
  ColumnChoice answer;
  answer.columns = "ref=Part,x=PosX,y=PosY";
  answer.units = "mil";
  answer.headerLine = 0;
  {
    auto form = makeForm(operations);
    form->Edit10->setText(native(file));
    // Cancelled: nothing is said, nothing changes.
    form->BU_Posizioni->click();
    ASSERT_EQ(dialogs.columnChoices.size(), 1u);
    EXPECT_EQ(dialogs.columnChoices[0].bytes, bytes);
    EXPECT_EQ(dialogs.columnChoices[0].units, "mm");  // the window's unit
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(form->workspace().StringGrid1.cell(2, 1), "");

    dialogs.columnsAnswer = answer;
    form->BU_Posizioni->click();
    ASSERT_EQ(dialogs.columnChoices.size(), 2u);
    ASSERT_EQ(import->seen.size(), 3u);
    EXPECT_EQ(import->seen[2].placementColumns, answer.columns);
    EXPECT_EQ(import->seen[2].placementUnits, "mil");
    ASSERT_EQ(dialogs.messages.size(), 1u);  // the import's, not the question's
    EXPECT_EQ(dialogs.messages[0].second, "1 componenti importati");
    form->close();
  }
  // Another file with that header, in another window: no question.
  const std::filesystem::path other = folder / "other.csv";
  writeFile(other, "Part;PosX;PosY\nR7;5;5\n");
  auto form = makeForm(operations);
  form->Edit10->setText(native(other));
  form->BU_Posizioni->click();
  EXPECT_EQ(dialogs.columnChoices.size(), 2u);
  EXPECT_EQ(import->seen.back().placementColumns, answer.columns);
  EXPECT_EQ(import->seen.back().placementUnits, "mil");
  EXPECT_EQ(form->workspace().StringGrid1.cell(2, 1), answer.columns);
}

// The real dialog: the rows in the preview follow the choice.
TEST(ColumnDialogTest, ThePreviewFollowsTheChoice) {
  ColumnChoice asked;
  asked.bytes = "C1   1000   -500   90   SML2015\nR2   0   250   180   0805\n";
  asked.units = "mm";
  ColumnDialog dialog(asked);
  QPushButton* ok = dialog.Buttons->button(QDialogButtonBox::Ok);
  EXPECT_EQ(dialog.TB_Righe->rowCount(), 2);
  EXPECT_EQ(dialog.TB_Righe->item(0, 4)->text(), "SML2015");
  EXPECT_FALSE(ok->isEnabled());
  EXPECT_EQ(dialog.TB_Anteprima->rowCount(), 0);

  auto choose = [&](std::size_t field, int column) {
    QComboBox* box = dialog.CB_Campi[field];
    box->setCurrentIndex(box->findData(column));
  };
  choose(0, 0);
  choose(1, 1);
  choose(2, 2);
  choose(5, 3);
  choose(4, 4);
  EXPECT_TRUE(ok->isEnabled());
  ASSERT_EQ(dialog.TB_Anteprima->rowCount(), 2);
  EXPECT_EQ(dialog.TB_Anteprima->item(0, 1)->text(), "C1");
  EXPECT_EQ(dialog.TB_Anteprima->item(0, 4)->text(), "1000");
  EXPECT_EQ(dialog.TB_Anteprima->item(1, 6)->text(), "180");
  EXPECT_EQ(dialog.TB_Anteprima->item(1, 7)->text(), "0805");

  dialog.CB_Unita->setCurrentIndex(dialog.CB_Unita->findData(QStringLiteral("mil")));
  EXPECT_EQ(dialog.TB_Anteprima->item(0, 4)->text(),
            QString::fromStdString(brisel::formatReal(static_cast<float>(1000 * 0.0254), '.')));
  const ColumnChoice chosen = dialog.choice();
  EXPECT_EQ(chosen.columns, "ref=1,x=2,y=3,footprint=5,angle=4");
  EXPECT_EQ(chosen.units, "mil");
  EXPECT_EQ(chosen.headerLine, -1);
  // With BRISEL_SHOTS set, the dialog as the operator sees it.
  const QString shots = qEnvironmentVariable("BRISEL_SHOTS");
  if (!shots.isEmpty()) {
    dialog.show();
    QCoreApplication::processEvents();
    dialog.grab().save(shots + "/column-dialog.png");
  }
}

}  // namespace
}  // namespace window_tests
