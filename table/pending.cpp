// Placeholders until the table operations land.
#include "table/operations.h"

namespace brisel {
Outcome setReference(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome applyRak(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome sortByCursorColumn(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome deleteSelectedRows(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome mergeFootprints(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
}  // namespace brisel
