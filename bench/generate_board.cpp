// Writes a synthetic board in every input format:
//   generate_board FOLDER [COMPONENTS] [SEED]
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/board.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: generate_board FOLDER [COMPONENTS] [SEED]\n";
    return 2;
  }
  std::string folder = argv[1];
  std::size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 65535;
  auto seed = static_cast<std::uint32_t>(argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 1);
  brisel::bench::Board board = brisel::bench::makeBoard(count, seed);
  auto write = [&](const char* name, const std::string& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out << bytes;
    if (!out) {
      std::cerr << "cannot write " << folder << "/" << name << "\n";
      std::exit(1);
    }
  };
  write("BOARD.REP", brisel::bench::repFile(board));
  write("BOARD.CMP", brisel::bench::cmpFile(board));
  write("BOARD.MNT", brisel::bench::mntFile(board));
  write("BOARD.BOM", brisel::bench::bomFile(board));
  write("BOARD.TXT", brisel::bench::txtFile(board));
  write("BOARD.RAK", brisel::bench::rakFile(40, seed));
  return 0;
}
