// The command line's conventions: help, version, --setting=VALUE, `-` as a
// standard stream, suggestions, and what an error names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/buttons.h"
#include "cli/cli.h"
#include "cli/printouts.h"
#include "cli/settings.h"
#include "cli/words.h"
#include "tests/cli_kit.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

namespace brisel {
namespace {

using Result = testing::CliResult;
using testing::run;

Result runWithInput(const std::vector<std::string>& words, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  int status = runCli(words, in, out, err, '.');
  return {status, out.str(), err.str()};
}

TEST(CliConventions, HelpListsEveryOperationAndSettingOnStandardOutput) {
  for (const char* word : {"--help", "-h"}) {
    Result r = run({"--english", word, "nonsense"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const Button& button : kButtons)
      EXPECT_NE(r.out.find("\n  " + std::string(button.word)), std::string::npos) << button.word;
    for (const char* setting :
         {"--qpf-template", "--rep", "--cmp", "--qpf ", "--mnt", "--bom", "--rak", "--txt",
          "--zirkan", "--mils", "--no-comma", "--english", "--force", "--decimal-separator",
          "--keep-going", "--quiet", "--version", "print=memo", "set=COL,ROW,TEXT"})
      EXPECT_NE(r.out.find("\n  " + std::string(setting)), std::string::npos) << setting;
  }
  Result version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "brisel-cli " BRISEL_VERSION "\n");
}

TEST(CliConventions, UsageErrorsNameTheMistake) {
  struct Case {
    std::vector<std::string> words;
    std::string reason;
  };
  const Case cases[] = {
      {{"imprt-rep"}, "unknown operation 'imprt-rep'; did you mean 'import-rep'?"},
      {{"sortt=3"}, "unknown operation 'sortt=3'; did you mean 'sort'?"},
      {{"frobnicate"}, "unknown operation 'frobnicate'"},
      {{"--englsh", "print"}, "unknown setting '--englsh'; did you mean '--english'?"},
      {{"--zirkn=x", "print"}, "unknown setting '--zirkn'; did you mean '--zirkan'?"},
      {{"--mils=1", "print"}, "--mils takes no value"},
      {{"apply-rak"}, "apply-rak needs --rak PATH"},
      {{"--qpf", "q", "write-qpf"}, "write-qpf needs --qpf-template PATH"},
      {{"--qpf-template", "t", "write-qpf"}, "write-qpf needs --qpf PATH"},
      {{"print", "view-zirkan"}, "view-zirkan needs --zirkan PATH"},
      {{"write-placements"}, "write-placements wants the file it writes: write-placements=PATH"},
  };
  for (const Case& c : cases) {
    Result r = run(c.words);
    EXPECT_EQ(r.status, 2) << c.reason;
    EXPECT_EQ(r.out, "") << c.reason;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "brisel-cli: " + c.reason);
  }
}

TEST(CliConventions, JoinedValuesAreTheSameSettings) {
  testing::TempDir dir;
  fs::path rep = dir.write("b.REP", "h\nh\nR1 10K 1,5 2 90\n");
  Result apart =
      run({"--decimal-separator", ".", "--no-comma", "--rep", rep.string(), "import-rep", "print"});
  Result joined =
      run({"--decimal-separator=.", "--no-comma", "--rep=" + rep.string(), "import-rep", "print"});
  EXPECT_EQ(apart.status, 0) << apart.err;
  EXPECT_EQ(joined.out, apart.out);
  EXPECT_NE(joined.out.find("\tR1\t???\t\t1.5\t2\t90"), std::string::npos) << joined.out;
}

// "Virgola come separatore decimali" starts as in the window: by the decimal
// separator (the locale's, or --decimal-separator), unless --comma or
// --no-comma says otherwise. The sample REP file is written with points.
TEST(CliConventions, TheCommaSettingStartsByTheDecimalSeparator) {
  const std::string rep = (fs::path(BRISEL_SAMPLES) / "BOARD.REP").string();
  struct Case {
    char locale;
    std::vector<std::string> words;
    int status;
    const char* x;  // U1's X as imported
  };
  const Case cases[] = {
      {'.', {}, 0, "40.6399993896484"},
      {',', {}, 0, "40,6399993896484"},
      {',', {"--decimal-separator", "."}, 0, "40.6399993896484"},
      {'.', {"--decimal-separator", ","}, 0, "40,6399993896484"},
      {'.', {"--comma"}, 1, nullptr},
      {',', {"--no-comma"}, 1, nullptr},
      {'.', {"--comma", "--no-comma"}, 0, "40.6399993896484"},  // the last one counts
  };
  for (const Case& c : cases) {
    std::vector<std::string> words = c.words;
    for (const char* word : {"--rep", rep.c_str(), "import-rep", "print"}) words.push_back(word);
    Result r = run(words, c.locale);
    SCOPED_TRACE(std::string(1, c.locale) + " " + (c.words.empty() ? "" : c.words[0]));
    EXPECT_EQ(r.status, c.status) << r.err;
    if (c.x != nullptr)
      EXPECT_NE(r.out.find(std::string("\tU1\t???\t\t") + c.x + "\t"), std::string::npos) << r.out;
    else
      EXPECT_NE(r.err.find("non \xC3\xA8 un valore numerico valido"), std::string::npos) << r.err;
  }
}

TEST(CliConventions, DashIsStandardInputAndOutput) {
  // The board comes in on standard input, the ZIRKAN file goes out on standard
  // output, and nothing but its bytes goes there.
  const std::string rep = "h\nh\nR1 10K 1.5 2 90\nC1 1u 3.25 4 0\n";
  Result r = runWithInput(
      {"--quiet", "--no-comma", "--rep", "-", "--zirkan", "-", "import-rep", "write-zirkan"}, rep);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, "R1  ??? 1.50 2.00 90 \r\n\rC1  ??? 3.25 4.00 0 \r\n\r");

  // Standard input is read once, whichever operations read it.
  Result twice =
      runWithInput({"--no-comma", "--rep", "-", "import-rep", "import-rep", "print"}, rep);
  EXPECT_EQ(twice.status, 0) << twice.err;
  EXPECT_NE(twice.out.find("\tC1\t???\t"), std::string::npos);
  EXPECT_EQ(twice.err, "");

  // A write that fails puts nothing on standard output.
  Result failed = runWithInput(
      {"--qpf-template", "-", "--qpf", "-", "set=1,1,1", "set=2,1,R1", "set=5,1,x", "write-qpf"},
      std::string(127, 'T'));
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.out, "");
}

TEST(CliConventions, QuietDropsOnlyTheSuccessLines) {
  testing::TempDir dir;
  fs::path rep = dir.write("b.REP", "h\nh\nR1 10K x 2 90\n");
  Result r = run({"--quiet", "--rep", rep.string(), "--keep-going", "import-rep", "print=buttons"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("error: ", 0), 0u) << r.err;
  Result disabled = run({"--quiet", "--rep", rep.string(), "merge-footprints"});
  EXPECT_EQ(disabled.err, "error: merge-footprints: button disabled\n");
  const std::vector<std::string> write = {"--zirkan",  (dir / "Z.TXT").string(),
                                          "set=1,1,1", "set=2,1,R1",
                                          "set=5,1,1", "set=6,1,2",
                                          "set=7,1,0", "write-zirkan"};
  EXPECT_EQ(run(write).err, "Messaggio: Operazione eseguita correttamente\n");
  std::vector<std::string> quiet = write;
  quiet.insert(quiet.begin(), "--quiet");
  EXPECT_EQ(run(quiet).err, "");
}

TEST(CliConventions, AnUnopenedPathComesWithTheSystemsReason) {
  testing::TempDir dir;
  fs::create_directories(dir / "folder");
  const std::string folder = (dir / "folder").string();
  const std::string missing = (dir / "none" / "out.QPF").string();
  Result asInput = run({"--rep", folder, "import-rep"});
  EXPECT_EQ(asInput.err, "error: cannot open " + folder + ": " +
                             std::make_error_code(std::errc::is_a_directory).message() + "\n");
  Result asOutput =
      run({"--qpf-template", BRISEL_SAMPLES "/TEMPLATE.QPF", "--qpf", missing, "write-qpf"});
  EXPECT_EQ(asOutput.err, "Errore: Errore epertura file\nerror: cannot open " + missing + ": " +
                              std::make_error_code(std::errc::no_such_file_or_directory).message() +
                              "\n");
}

// The words a tag line of the manual sets in bold, where a reader types them:
// `.BR \-\-help ", " \-h` gives --help and -h, `.BI sort= COL` gives sort=.
std::vector<std::string> boldWords(const std::string& line) {
  std::vector<std::string> arguments;
  std::size_t space = line.find(' ');
  const std::string macro = line.substr(1, space - 1);
  for (std::size_t at = space; at < line.size();) {
    at = line.find_first_not_of(' ', at);
    if (at == std::string::npos) break;
    std::size_t end = line[at] == '"' ? line.find('"', at + 1) : line.find(' ', at);
    if (end == std::string::npos) end = line.size();
    arguments.push_back(line.substr(at + (line[at] == '"'), end - at - (line[at] == '"')));
    at = end + 1;
  }
  std::vector<std::string> words;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    bool bold = macro == "B" || ((macro == "BI" || macro == "BR") && i % 2 == 0) ||
                ((macro == "IB" || macro == "RB") && i % 2 == 1);
    if (!bold) continue;
    std::string word;
    const std::string& text = arguments[i];
    for (std::size_t at = 0; at < text.size(); ++at) {
      if (text.compare(at, 3, "\\fR") == 0 || text.compare(at, 3, "\\fI") == 0) {
        std::size_t back = text.find("\\fP", at);  // a roman or italic insert
        at = back == std::string::npos ? text.size() : back + 2;
      } else if (text.compare(at, 2, "\\-") == 0) {
        word += '-';
        ++at;
      } else if (text[at] != ' ') {
        word += text[at];
      }
    }
    if (!word.empty()) words.push_back(word);
  }
  return words;
}

// The words the manual names in a section (".SH SETTINGS"), one tag a .TP.
std::set<std::string> manualWords(const std::string& section) {
  std::ifstream manual(BRISEL_DIST "/brisel-cli.1");
  EXPECT_TRUE(manual) << BRISEL_DIST "/brisel-cli.1";
  std::set<std::string> words;
  bool inSection = false;
  bool tag = false;
  for (std::string line; std::getline(manual, line);) {
    if (line.rfind(".SH ", 0) == 0) inSection = line == ".SH " + section;
    if (inSection && tag)
      for (const std::string& word : boldWords(line)) words.insert(word);
    tag = line == ".TP";
  }
  return words;
}

// The manual is written by hand: it lists every word brisel-cli knows, as the
// reader types it up to its argument, and none that it does not know.
TEST(CliConventions, TheManualListsEveryWordAndNoOther) {
  std::set<std::string> settings;
  for (const cli::Setting& setting : cli::settings()) {
    settings.insert(std::string(setting.word));
    if (!setting.alias.empty()) settings.insert(std::string(setting.alias));
  }
  EXPECT_EQ(manualWords("SETTINGS"), settings);

  std::set<std::string> operations = {"print"};
  for (const cli::Printout& printout : cli::printouts())
    operations.insert("print=" + std::string(printout.what));
  for (const cli::Word& word : cli::operationWords()) {
    std::string typed(word.word);
    if (std::size_t equals = typed.find('='); equals != std::string::npos) typed.resize(equals + 1);
    if (typed != "print" && typed != "print=") operations.insert(typed);
  }
  EXPECT_EQ(manualWords("OPERATIONS"), operations);
}

TEST(CliConventions, EditDistance) {
  EXPECT_EQ(cli::editDistance("imprt-rep", "import-rep"), 1u);
  EXPECT_EQ(cli::editDistance("", "abc"), 3u);
  EXPECT_EQ(cli::editDistance("kitten", "sitting"), 3u);
  EXPECT_EQ(cli::editDistance("same", "same"), 0u);
}

}  // namespace
}  // namespace brisel

namespace brisel {
namespace {

// The command line's words are UTF-8 on Windows and bytes elsewhere; either
// way a name beyond ASCII reaches the same file.
std::string utf8(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TEST(CliConventions, PathsBeyondAsciiAreTheSameFiles) {
  testing::TempDir dir;
  const fs::path folder = dir.path() / fs::path(u8"sché\u00e8ma-\u03c0");
  fs::create_directories(folder);
  const fs::path rep = folder / fs::path(u8"scheda-\u00e0.REP");
  testing::writeFile(rep, "h\r\nh\r\nR1 10K 1.5 2 90\r\n");
  const fs::path zirkan = folder / fs::path(u8"uscita-\u00f9.TXT");
  Result r = run(
      {"--no-comma", "--rep", utf8(rep), "--zirkan", utf8(zirkan), "import-rep", "write-zirkan"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(testing::readFile(zirkan), "R1  ??? 1.50 2.00 90 \r\n\r");
  const fs::path missing = folder / fs::path(u8"mancante-\u00e8.REP");
  Result unopened = run({"--rep", utf8(missing), "import-rep"});
  EXPECT_EQ(unopened.err.substr(0, unopened.err.find(": No such")),
            "error: cannot open " + utf8(missing));
}

}  // namespace
}  // namespace brisel
