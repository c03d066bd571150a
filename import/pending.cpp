// Placeholders until the importers land.
#include "import/importers.h"

namespace brisel {
Outcome importRep(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome importCmp(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome importMnt(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome importBom(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome importTxt(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
}  // namespace brisel
