#pragma once
// A board for the tests of the board steps and the panel: brisel-cli's words
// run through the button table, then the bytes the real writers put in the
// QPF records and the ZIRKAN file.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/buttons.h"
#include "output/qpf_format.h"
#include "tests/testkit.h"

namespace brisel::testing {

struct Board {
  TempDir dir;
  Workspace workspace;
  Controls controls;
  Progress progress;

  Board() {
    controls.Edit1 = dir.write("TEMPLATE.QPF", std::string(output::kQpfHeaderBytes, 'H'));
    controls.Edit4 = dir / "OUT.QPF";
    controls.Edit7 = dir.write("BOARD.RAK", "1N4148:90\n");
    controls.Edit9 = dir / "OUT.TXT";
  }

  // Runs brisel-cli's words ("flip=x", "apply-rak") through the button table.
  Outcome run(std::string_view word) {
    std::size_t equals = word.find('=');
    const std::string_view name = word.substr(0, equals);
    for (const Button& button : kButtons) {
      if (button.word != name) continue;
      if (button.parameter) button.parameter(word.substr(equals + 1), controls);
      return runButton(button, button.operation, workspace, controls, progress);
    }
    ADD_FAILURE() << "no word " << word;
    return {};
  }
  // The QPF file's records, one a component.
  std::vector<std::string> records() {
    run("write-qpf");
    const std::string file = readFile(controls.Edit4);
    std::vector<std::string> all;
    for (std::size_t at = output::kQpfHeaderBytes + output::kQpfLengthBytes; at < file.size();
         at += output::kQpfRecordBytes)
      all.push_back(file.substr(at, output::kQpfRecordBytes));
    return all;
  }
  std::string record() {
    const std::vector<std::string> all = records();
    return all.size() == 1 ? all[0] : std::string();
  }
  std::string zirkan() {
    run("write-zirkan");
    return readFile(controls.Edit9);
  }
};

// Record offsets 26 to 35: X and Y (little-endian floats) and the angle.
constexpr std::size_t kPlaceOffset = 26;
constexpr std::size_t kPlaceBytes = 10;

}  // namespace brisel::testing
