#pragma once
// The progress bar of a long table operation, shown for the operation's life
// and hidden however it ends, a failure included.

#include "core/workspace.h"

namespace brisel {

class ShownProgress {
 public:
  explicit ShownProgress(Progress& bar) : bar_(bar) { bar_.show(); }
  ~ShownProgress() { bar_.hide(); }
  ShownProgress(const ShownProgress&) = delete;
  ShownProgress& operator=(const ShownProgress&) = delete;

  // Sets the position (step × 100) div count. The window repaints on every
  // position it is given, so only a change reaches it: at most about a hundred
  // repaints a loop, however long the table.
  void step(long long step, long long count) {
    int percent = count > 0 ? static_cast<int>(step * 100 / count) : 0;
    if (percent == last_) return;
    last_ = percent;
    bar_.setPosition(percent);
  }

 private:
  Progress& bar_;
  int last_ = -1;
};

}  // namespace brisel
