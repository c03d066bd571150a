#include "core/findings.h"

namespace brisel {

const char* findingCodeName(FindingCode code) {
  switch (code) {
    case FindingCode::duplicateReference:
      return "duplicate-reference";
    case FindingCode::noValue:
      return "no-value";
    case FindingCode::notANumber:
      return "not-a-number";
    case FindingCode::noReference:
      return "no-reference";
    case FindingCode::samePlace:
      return "same-place";
    case FindingCode::blankInField:
      return "blank-in-field";
    case FindingCode::oddAngle:
      return "odd-angle";
    case FindingCode::negativePosition:
      return "negative-position";
    case FindingCode::unknownSide:
      return "unknown-side";
  }
  return "?";
}

bool isInformation(FindingCode code) {
  return code == FindingCode::negativePosition || code == FindingCode::unknownSide;
}

}  // namespace brisel
