// Placeholders until the writers and viewers land.
#include "output/outputs.h"

namespace brisel {
Outcome writeQpf(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome viewQpf(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome writeZirkan(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
Outcome viewZirkan(Workspace&, const Controls&, Progress&) {
  throw Error("non ancora disponibile");
}
}  // namespace brisel
