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
  }
  return "?";
}

}  // namespace brisel
