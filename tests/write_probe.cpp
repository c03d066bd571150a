// A write interrupted by a signal, for write_interrupted.sh: opens TARGET
// through AtomicFile, writes a megabyte, then raises SIGNAL (TERM, INT or
// KILL) at itself, or commits when SIGNAL is "none".
// usage: write_probe TARGET SIGNAL
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/atomic_file.h"
#include "core/platform.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  brisel::platform::removeTemporariesOnSignals();
  brisel::AtomicFile file(argv[1]);
  if (!file.isOpen()) return 3;
  file.write(std::string(std::size_t{1} << 20, 'x'));
  if (std::strcmp(argv[2], "none") == 0) {
    file.commit();
    return 0;
  }
  int signal = std::strcmp(argv[2], "TERM") == 0  ? SIGTERM
               : std::strcmp(argv[2], "INT") == 0 ? SIGINT
                                                  : SIGKILL;
  std::raise(signal);
  return 4;
}
