// The codes of the table check, one entry each, and the finders that look at
// one row at a time.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/cell_numbers.h"
#include "core/component_row.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "core/translatable.h"
#include "table/check.h"
#include "table/check_rows.h"

namespace brisel {

namespace checking {

namespace {

bool holdsBlank(std::string_view text) {
  return std::any_of(text.begin(), text.end(), isBlank);
}

bool sameLowered(std::string_view text, std::string_view lower) {
  return text.size() == lower.size() &&
         std::equal(text.begin(), text.end(), lower.begin(), [](char a, char b) {
           return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
         });
}

bool containsLowered(std::string_view text, std::string_view lower) {
  for (std::size_t at = 0; at + lower.size() <= text.size(); ++at)
    if (sameLowered(text.substr(at, lower.size()), lower)) return true;
  return false;
}

Text column(int c) {
  return Text(std::string(columnName(c)));
}

void findNoReference(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows)
    if (!row.written)
      findings.add(
          row.row, FindingCode::noReference, row.reference,
          Text(BRISEL_TRANSLATE_NOOP(
                   "Message", "riga con numero '%1' ma senza riferimento: non viene scritta"),
               {Text::data(shown(row.number))}));
}

void findNoValue(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows) {
    if (!row.written) continue;
    if (row.value.empty())
      findings.add(row.row, FindingCode::noValue, row.reference,
                   said(BRISEL_TRANSLATE_NOOP("Message", "%1: valore mancante"), row.reference));
    if (row.value == "???")
      findings.add(row.row, FindingCode::noValue, row.reference,
                   said(BRISEL_TRANSLATE_NOOP("Message",
                                              "%1: valore '??"
                                              "?', non trovato nel file CMP"),
                        row.reference));
  }
}

// N., X, Y and the angle as the writers read them.
void findNotANumber(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows) {
    if (!row.written) continue;
    const bool fails[] = {!row.numberValue, !row.x, !row.y, !row.angle};
    const int columns[] = {col::Number, col::X, col::Y, col::Angle};
    for (int k = 0; k < 4; ++k) {
      if (!fails[k]) continue;
      const std::string_view cell = trim(table.grid.cell(columns[k], row.row));
      findings.add(row.row, FindingCode::notANumber, row.reference,
                   said(BRISEL_TRANSLATE_NOOP("Message", "%1: colonna %2: %3"), row.reference,
                        {column(columns[k]), ConversionError(cell).said()}));
    }
  }
}

void findBlankInField(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows) {
    if (!row.written) continue;
    for (int c : {col::Reference, col::Value, col::Footprint}) {
      const std::string_view text = trim(table.grid.cell(c, row.row));
      if (holdsBlank(text))
        findings.add(row.row, FindingCode::blankInField, row.reference,
                     said(BRISEL_TRANSLATE_NOOP("Message",
                                                "%1: colonna %2 '%3' contiene uno spazio: la riga "
                                                "ZIRKAN avrebbe pi\xC3\xB9 di sei campi"),
                          row.reference, {column(c), Text::data(shown(text))}));
    }
  }
}

void findOddAngle(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows) {
    if (!row.written || !row.angle) continue;
    const int turn = static_cast<std::int16_t>(low16(*row.angle));
    if (turn % 90 != 0)
      findings.add(row.row, FindingCode::oddAngle, row.reference,
                   said(BRISEL_TRANSLATE_NOOP("Message", "%1: angolo %2 non multiplo di 90"),
                        row.reference, {Text::number(turn)}));
  }
}

void findNegativePosition(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows) {
    if (!row.written || !((row.x && *row.x < 0) || (row.y && *row.y < 0))) continue;
    findings.add(
        row.row, FindingCode::negativePosition, row.reference,
        said(BRISEL_TRANSLATE_NOOP("Message", "%1: posizione negativa (X %2, Y %3)"), row.reference,
             {Text::data(shown(trim(table.grid.cell(col::X, row.row)))),
              Text::data(shown(trim(table.grid.cell(col::Y, row.row))))}));
  }
}

void findUnknownSide(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows)
    if (row.written && sideOf(table.grid, row.row) == Side::unknown)
      findings.add(
          row.row, FindingCode::unknownSide, row.reference,
          said(BRISEL_TRANSLATE_NOOP("Message", "%1: lato '%2' n\xC3\xA9 T n\xC3\xA9 B"),
               row.reference, {Text::data(shown(trim(table.grid.cell(col::Side, row.row))))}));
}

void findReferenceCut(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows)
    if (row.written && row.reference.size() > kRecordReferenceChars)
      findings.add(row.row, FindingCode::referenceCut, row.reference,
                   said(BRISEL_TRANSLATE_NOOP("Message",
                                              "%1: riferimento di %2 caratteri, il record tiene "
                                              "'%3'"),
                        row.reference,
                        {Text::number(static_cast<long long>(row.reference.size())),
                         Text::data(shown(row.recordReference))}));
}

void findValueCut(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows)
    if (row.written && row.value.size() > kRecordValueChars)
      findings.add(row.row, FindingCode::valueCut, row.reference,
                   said(BRISEL_TRANSLATE_NOOP("Message",
                                              "%1: valore '%2' di %3 caratteri, il record tiene "
                                              "'%4'"),
                        row.reference,
                        {Text::data(shown(row.value)),
                         Text::number(static_cast<long long>(row.value.size())),
                         Text::data(shown(row.recordValue))}));
}

void findNumberRange(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows)
    if (row.written && row.numberValue && (*row.numberValue < 0 || *row.numberValue > 65535))
      findings.add(row.row, FindingCode::numberRange, row.reference,
                   said(BRISEL_TRANSLATE_NOOP("Message",
                                              "%1: numero %2 fuori da 0 \xE2\x80\xA6 65535: il "
                                              "record dice %3"),
                        row.reference,
                        {Text::number(*row.numberValue), Text::number(low16(*row.numberValue))}));
}

// FID or FD and digits only, in any case: the reference CAD tools give a mark.
bool fiducialReference(std::string_view reference) {
  for (std::string_view prefix : {"fid", "fd"}) {
    if (reference.size() < prefix.size() ||
        !sameLowered(reference.substr(0, prefix.size()), prefix))
      continue;
    const std::string_view digits = reference.substr(prefix.size());
    if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return true;
  }
  return false;
}

void findFiducial(const CheckedTable& table, Findings& findings) {
  for (const CheckedRow& row : table.rows)
    if (row.written &&
        (fiducialReference(row.reference) || containsLowered(row.value, "fiducial") ||
         containsLowered(row.footprint, "fiducial")))
      findings.add(row.row, FindingCode::fiducial, row.reference,
                   said(BRISEL_TRANSLATE_NOOP("Message",
                                              "%1: un segno di riferimento (fiducial), non un "
                                              "componente: la macchina vi piazzerebbe una parte"),
                        row.reference));
}

void findNotToPlace(const CheckedTable& table, Findings& findings) {
  static constexpr std::string_view kWords[] = {
      "dnp", "dnf", "dni",         "nc",           "nf",
      "np",  "nm",  "non montare", "do not place", "do not populate"};
  for (const CheckedRow& row : table.rows) {
    if (!row.written) continue;
    if (std::any_of(std::begin(kWords), std::end(kWords),
                    [&](std::string_view word) { return sameLowered(row.value, word); }))
      findings.add(row.row, FindingCode::notToPlace, row.reference,
                   said(BRISEL_TRANSLATE_NOOP("Message", "%1: valore '%2': da non montare"),
                        row.reference, {Text::data(shown(row.value))}));
  }
}

}  // namespace

}  // namespace checking

namespace {

using namespace checking;
constexpr auto E = Severity::error;
constexpr auto W = Severity::warning;
constexpr auto I = Severity::information;

// In FindingCode's order, which is the order of a row's findings.
constexpr std::array<CheckCode, 17> kCheckCodes{{
    {FindingCode::duplicateReference, "duplicate-reference", E, findDuplicateReferences,
     "the trimmed reference is on another written row of the same board (every row of the "
     "group)",
     BRISEL_TRANSLATE_NOOP("CheckCode",
                           "il riferimento, senza spazi ai bordi, sta anche su un'altra riga "
                           "scritta della stessa scheda (ogni riga del gruppo)")},
    {FindingCode::noValue, "no-value", W, findNoValue, "the trimmed value is empty or `???`",
     BRISEL_TRANSLATE_NOOP("CheckCode", "il valore, senza spazi ai bordi, \xC3\xA8 vuoto o ???")},
    {FindingCode::notANumber, "not-a-number", E, findNotANumber,
     "N., X, Y or the angle does not convert (one finding a column); the writers would stop",
     BRISEL_TRANSLATE_NOOP("CheckCode",
                           "N., X, Y o l'angolo non si convertono (un avviso per colonna): la "
                           "scrittura dei file si fermerebbe")},
    {FindingCode::noReference, "no-reference", W, findNoReference,
     "column 1 is not blank but column 2 is blank: the writers skip the row",
     BRISEL_TRANSLATE_NOOP(
         "CheckCode",
         "la colonna 1 non \xC3\xA8 vuota ma la colonna 2 s\xC3\xAC: la riga non viene scritta")},
    {FindingCode::samePlace, "same-place", W, findSamePlaces,
     "another written row lies within 0.01 mm in both X and Y (every row of the group)",
     BRISEL_TRANSLATE_NOOP(
         "CheckCode",
         "un'altra riga scritta sta entro 0,01 mm sia in X sia in Y (ogni riga del gruppo)")},
    {FindingCode::blankInField, "blank-in-field", W, findBlankInField,
     "the trimmed reference, value or footprint holds a blank: its ZIRKAN line gets more than "
     "six fields",
     BRISEL_TRANSLATE_NOOP("CheckCode",
                           "riferimento, valore o footprint, senza spazi ai bordi, contengono uno "
                           "spazio: la loro riga ZIRKAN ha pi\xC3\xB9 di sei campi")},
    {FindingCode::oddAngle, "odd-angle", W, findOddAngle,
     "the angle as a signed 16-bit number is not a multiple of 90",
     BRISEL_TRANSLATE_NOOP(
         "CheckCode", "l'angolo, come numero di 16 bit con segno, non \xC3\xA8 un multiplo di 90")},
    {FindingCode::negativePosition, "negative-position", I, findNegativePosition,
     "X or Y is below zero (the machine wants none: \"Origine nell'angolo\" or \"Riferimento\" "
     "puts it right)",
     BRISEL_TRANSLATE_NOOP("CheckCode",
                           "X o Y sono sotto zero (la macchina non li vuole: \"Origine "
                           "nell'angolo\" o \"Riferimento\" rimediano)")},
    {FindingCode::unknownSide, "unknown-side", I, findUnknownSide,
     "the side (column 4) is unknown: neither empty, `T`, `t`, `B` nor `b` "
     "([board-sides.md](board-sides.md))",
     BRISEL_TRANSLATE_NOOP("CheckCode",
                           "il lato (colonna 4) \xC3\xA8 sconosciuto: n\xC3\xA9 vuoto, n\xC3\xA9 "
                           "T, t, B o b (board-sides.md)")},
    {FindingCode::referenceCut, "reference-cut", W, findReferenceCut,
     "the trimmed reference is longer than the 8 characters the record keeps; the text says what "
     "it keeps",
     BRISEL_TRANSLATE_NOOP(
         "CheckCode",
         "il riferimento, senza spazi ai bordi, \xC3\xA8 pi\xC3\xB9 lungo degli 8 caratteri "
         "che il record tiene; il testo dice che cosa tiene")},
    {FindingCode::referenceCutSame, "reference-cut-same", E, findReferencesCutAlike,
     "written rows of the same board whose references differ, one longer than 8 characters, but "
     "whose record fields (8 characters, padded) are equal (every row of the group)",
     BRISEL_TRANSLATE_NOOP(
         "CheckCode",
         "righe scritte della stessa scheda con riferimenti diversi, uno pi\xC3\xB9 "
         "lungo di 8 caratteri, ma con i campi del record (8 caratteri, "
         "completati da spazi) uguali (ogni riga del gruppo)")},
    {FindingCode::valueCut, "value-cut", W, findValueCut,
     "the trimmed value is longer than the 14 characters the record keeps",
     BRISEL_TRANSLATE_NOOP("CheckCode",
                           "il valore, senza spazi ai bordi, \xC3\xA8 pi\xC3\xB9 lungo dei 14 "
                           "caratteri che il record tiene")},
    {FindingCode::valueCutSame, "value-cut-same", E, findValuesCutAlike,
     "written rows whose values differ, one longer than 14 characters, but whose record fields "
     "(14 characters, padded) are equal: the machine takes them for one part (every row of the "
     "group)",
     BRISEL_TRANSLATE_NOOP(
         "CheckCode",
         "righe scritte con valori diversi, uno pi\xC3\xB9 lungo di 14 caratteri, ma "
         "con i campi del record (14 caratteri, completati da spazi) uguali: la "
         "macchina li prende per una parte sola (ogni riga del gruppo)")},
    {FindingCode::numberRange, "number-range", E, findNumberRange,
     "N. converts but lies outside 0 \xE2\x80\xA6 65535: the record's low 16 bits say another "
     "number",
     BRISEL_TRANSLATE_NOOP(
         "CheckCode",
         "N. si converte ma sta fuori da 0 \xE2\x80\xA6 65535: i 16 bit bassi del record "
         "dicono un altro numero")},
    {FindingCode::duplicateNumber, "duplicate-number", W, findDuplicateNumbers,
     "written rows with the same record number (every row of the group)",
     BRISEL_TRANSLATE_NOOP("CheckCode",
                           "righe scritte con lo stesso numero di record (ogni riga del gruppo)")},
    {FindingCode::fiducial, "fiducial", W, findFiducial,
     "the trimmed reference is `FID` or `FD` followed by digits only (any case), or the value or "
     "footprint holds `fiducial` (any case): the machine would place a part on a fiducial mark",
     BRISEL_TRANSLATE_NOOP(
         "CheckCode",
         "il riferimento, senza spazi ai bordi, \xC3\xA8 FID o FD seguito da sole cifre (maiuscole "
         "o "
         "minuscole), o il valore o il footprint contengono fiducial (maiuscole o minuscole): la "
         "macchina monterebbe una parte su un fiducial")},
    {FindingCode::notToPlace, "not-to-place", I, findNotToPlace,
     "the trimmed value is a do-not-place word, in any case: `DNP`, `DNF`, `DNI`, `NC`, `NF`, "
     "`NP`, `NM`, `non montare`, `do not place`, `do not populate`",
     BRISEL_TRANSLATE_NOOP(
         "CheckCode",
         "il valore, senza spazi ai bordi, \xC3\xA8 una parola da non montare, maiuscole o "
         "minuscole: "
         "DNP, DNF, DNI, NC, NF, NP, NM, non montare, do not place, do not populate")},
}};

constexpr bool inCodeOrder() {
  for (std::size_t i = 0; i < kCheckCodes.size(); ++i)
    if (static_cast<std::size_t>(kCheckCodes[i].code) != i) return false;
  return true;
}
static_assert(inCodeOrder());

}  // namespace

std::span<const CheckCode> checkCodes() {
  return kCheckCodes;
}

const CheckCode& checkCodeOf(FindingCode code) {
  return kCheckCodes[static_cast<std::size_t>(code)];
}

std::string_view severityName(Severity severity) {
  switch (severity) {
    case Severity::error:
      return BRISEL_TRANSLATE_NOOP("Message", "errore");
    case Severity::warning:
      return BRISEL_TRANSLATE_NOOP("Message", "avviso");
    case Severity::information:
      break;
  }
  return BRISEL_TRANSLATE_NOOP("Message", "informazione");
}

}  // namespace brisel
