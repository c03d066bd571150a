#include "cli/settings.h"

#include "core/platform.h"
#include "import/placement_file.h"

namespace brisel::cli {

namespace {

const Setting kSettings[] = {
    {.word = "--qpf-template",
     .argument = Argument::path,
     .help = "the QPF file whose header the output takes",
     .box = &Controls::Edit1},
    {.word = "--rep",
     .argument = Argument::path,
     .help = "the REP file of import-rep",
     .box = &Controls::Edit2},
    {.word = "--cmp",
     .argument = Argument::path,
     .help = "the CMP file of import-cmp",
     .box = &Controls::Edit3},
    {.word = "--qpf",
     .argument = Argument::path,
     .help = "the QPF file write-qpf writes and view-qpf reads",
     .box = &Controls::Edit4},
    {.word = "--mnt",
     .argument = Argument::path,
     .help = "the MNT file of import-mnt",
     .box = &Controls::Edit5},
    {.word = "--bom",
     .argument = Argument::path,
     .help = "the BOM file of import-bom",
     .box = &Controls::Edit6},
    {.word = "--rak",
     .argument = Argument::path,
     .help = "the rotation rules (RAK file)",
     .box = &Controls::Edit7},
    {.word = "--txt",
     .argument = Argument::path,
     .help = "the TXT file of import-txt",
     .box = &Controls::Edit8},
    {.word = "--zirkan",
     .argument = Argument::path,
     .help = "the ZIRKAN file write-zirkan writes and view-zirkan reads",
     .box = &Controls::Edit9},
    {.word = "--placements",
     .argument = Argument::path,
     .help = "the placement file of import-placements (KiCad, Altium, CSV...)",
     .box = &Controls::Edit10},
    {.word = "--rules",
     .argument = Argument::path,
     .help = "the package rules of apply-rules (CSV: Pattern, Rotation, X, Y, Field)",
     .box = &Controls::ED_Regole},
    {.word = "--columns",
     .argument = Argument::value,
     .help = "its columns where it cannot tell: ref=NAME,x=NAME,y=NAME,angle=,side=,"
             "value=,footprint=,dnp=,populate=,board= (names, or numbers from 1)",
     .shape = "LIST",
     .set =
         [](std::string_view value, Settings& settings) {
           if (!placements::validColumns(value))
             throw UsageError{
                 "--columns wants FIELD=NAME or FIELD=NUMBER, separated by commas, "
                 "FIELD one of ref, x, y, angle, side, value, footprint, dnp, populate, board"};
           settings.controls.placementColumns = value;
         }},
    {.word = "--units",
     .argument = Argument::value,
     .help = "its unit where it says none: mm, mil or in (default: as --mils says)",
     .shape = "U",
     .set =
         [](std::string_view value, Settings& settings) {
           if (!placements::validUnit(value)) throw UsageError{"--units wants mm, mil or in"};
           settings.controls.placementUnits = value;
         }},
    {.word = "--keep-dnp",
     .help = "import the placement file's rows marked not to place (a DNP or populate column) "
             "too",
     .set = [](std::string_view, Settings& settings) { settings.controls.keepDnp = true; }},
    {.word = "--mils",
     .help = "imported coordinates are in mils (default: mm)",
     .set = [](std::string_view, Settings& settings) { settings.controls.RB_mils = true; }},
    {.word = "--comma",
     .help = "turn every point of an imported line into a comma (default where the decimal "
             "separator is the comma)",
     .set = [](std::string_view, Settings& settings) { settings.comma = true; }},
    {.word = "--no-comma",
     .help = "turn every comma of an imported line into a point (default where it is the "
             "point)",
     .set = [](std::string_view, Settings& settings) { settings.comma = false; }},
    {.word = "--english",
     .help = "read the first comma of a number as a point",
     .set = [](std::string_view, Settings& settings) { settings.controls.RB_EN = true; }},
    {.word = "--force",
     .argument = Argument::value,
     .help = "the force of the QPF records (its first character; default 1)",
     .shape = "TEXT",
     .set = [](std::string_view value, Settings& settings) { settings.controls.ED_Forza = value; }},
    {.word = "--decimal-separator",
     .argument = Argument::value,
     .help = ". or , (default: from LC_ALL, LC_NUMERIC, LANG)",
     .shape = "C",
     .set =
         [](std::string_view value, Settings& settings) {
           if (value != "." && value != ",") throw UsageError{"--decimal-separator wants . or ,"};
           settings.controls.decimalSeparator = value[0];
         }},
    {.word = "--keep-going",
     .help = "run the operations after a failed one too",
     .set = [](std::string_view, Settings& settings) { settings.keepGoing = true; }},
    {.word = "--quiet",
     .help = "leave out the success messages",
     .set = [](std::string_view, Settings& settings) { settings.quiet = true; }},
    {.word = "--help",
     .help = "show this help (also -h) and exit",
     .set = [](std::string_view, Settings& settings) { settings.help = true; },
     .alias = "-h"},
    {.word = "--version",
     .help = "show the version and exit",
     .set = [](std::string_view, Settings& settings) { settings.version = true; }},
};

}  // namespace

std::span<const Setting> settings() {
  return kSettings;
}

const Setting* findSetting(std::string_view word) {
  for (const Setting& setting : kSettings)
    if (word == setting.word || (!setting.alias.empty() && word == setting.alias)) return &setting;
  return nullptr;
}

void apply(const Setting& setting, std::string_view value, Settings& settings) {
  if (setting.argument == Argument::path)
    settings.controls.*setting.box = platform::pathFromText(std::string(value));
  else
    setting.set(value, settings);
}

const Setting* settingOf(PathBox box) {
  for (const Setting& setting : kSettings)
    if (setting.box != nullptr && setting.box == box) return &setting;
  return nullptr;
}

}  // namespace brisel::cli
