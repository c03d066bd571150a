#include "bench/board.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>

namespace brisel::bench {

namespace {

struct Kind {
  const char* prefix;
  std::vector<std::string> values;
  std::vector<std::string> footprints;
};

const std::vector<Kind>& kinds() {
  static const std::vector<Kind> table = {
      {"R",
       {"10K", "4K7", "1K", "100R", "47K", "220R", "0R", "2K2", "330R", "1M", "68K", "10R"},
       {"R0402", "R0603", "R0805"}},
      {"C",
       {"100nF", "10nF", "1uF", "4.7uF", "22pF", "10uF", "47uF", "1nF", "220nF"},
       {"C0402", "C0603", "C0805", "C1206"}},
      {"U", {"LM358", "STM32F103", "74HC595", "NE555", "MAX232"}, {"SOIC8", "LQFP48", "SOIC16"}},
      {"J", {"CONN4", "CONN10", "USB-B"}, {"HDR1X4", "HDR2X5", "USB_B"}},
      {"D", {"1N4148", "LED-RED", "BAT54"}, {"SOD123", "LED0805", "SOT23"}},
      {"Q", {"BC847", "IRLML2502"}, {"SOT23"}},
      {"L", {"10uH", "FB600"}, {"L0805", "L1210"}},
  };
  return table;
}

// Draws from the generator itself: the standard distributions may differ
// between libraries, the raw engine does not.
std::uint32_t pick(std::mt19937& random, std::size_t n) {
  return static_cast<std::uint32_t>(random() % n);
}

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string padded(const std::string& text, std::size_t width) {
  std::string out = text.substr(0, width);
  out.resize(width, ' ');
  return out;
}

}  // namespace

const std::vector<std::string>& partValues() {
  static const std::vector<std::string> values = [] {
    std::vector<std::string> all;
    for (const Kind& kind : kinds()) all.insert(all.end(), kind.values.begin(), kind.values.end());
    return all;
  }();
  return values;
}

Board makeBoard(std::size_t count, std::uint32_t seed) {
  std::mt19937 random(seed);
  static const int kAngles[] = {0, 90, 180, 270, -90};
  static const std::size_t kWeights[] = {40, 30, 8, 5, 8, 5, 4};  // of each kind, in 100
  std::map<std::string, int> used;
  Board board;
  board.components.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t roll = pick(random, 100), k = 0;
    while (roll >= kWeights[k]) roll -= kWeights[k++];
    const Kind& kind = kinds()[k];
    Component c;
    c.reference = kind.prefix + std::to_string(++used[kind.prefix]);
    c.value = kind.values[pick(random, kind.values.size())];
    c.footprint = kind.footprints[pick(random, kind.footprints.size())];
    c.x = pick(random, 300000) / 1000.0;
    c.y = pick(random, 200000) / 1000.0;
    c.angle = kAngles[pick(random, 5)];
    board.components.push_back(std::move(c));
  }
  return board;
}

std::string repFile(const Board& board) {
  std::string out = "Component placement report\nREF PART X Y ROT SIDE\n";
  for (const Component& c : board.components)
    out += c.reference + " " + c.value + " " + fixed(c.x, 3) + " " + fixed(c.y, 3) + " " +
           std::to_string(c.angle) + " TOP\n";
  return out;
}

std::string cmpFile(const Board& board) {
  // Components grouped under the value line they share, as a CAD tool lists them.
  std::map<std::string, std::vector<const Component*>> byValue;
  for (const Component& c : board.components) byValue[c.value].push_back(&c);
  std::string out;
  for (const auto& [value, components] : byValue) {
    out += ".REM " + value + "\n";
    for (const Component* c : components) out += c->reference + " " + c->footprint + "\n";
  }
  return out;
}

std::string mntFile(const Board& board) {
  std::string out;
  for (const Component& c : board.components)
    out += c.reference + " " + fixed(c.x, 3) + " " + fixed(c.y, 3) + " " + std::to_string(c.angle) +
           " " + c.value + " " + c.footprint + "\n";
  return out;
}

std::string bomFile(const Board& board) {
  std::string out;
  for (const Component& c : board.components) out += c.reference + " " + c.value + " 1\n";
  return out;
}

std::string txtFile(const Board& board) {
  std::string out;
  for (const Component& c : board.components)
    out += padded(c.reference, 10) + padded(c.value, 17) + padded(c.footprint, 32) +
           padded(fixed(c.x, 3), 13) + padded(fixed(c.y, 3), 12) +
           padded(std::to_string(c.angle), 10) + "\n";
  return out;
}

std::string rakFile(std::size_t rules, std::uint32_t seed) {
  std::mt19937 random(seed);
  const std::vector<std::string>& values = partValues();
  std::string out = "; rotation rules\n";
  for (std::size_t i = 0; i < rules; ++i) {
    // The real part values first, then more of the same kind so that large
    // rule files still name parts of the board.
    std::string value = i < values.size()
                            ? values[i]
                            : values[i % values.size()] + "-" + std::to_string(i / values.size());
    static const int kTurns[] = {0, 90, -90, 180, 270};
    out += value + ":" + std::to_string(kTurns[pick(random, 5)]) + "\n";
  }
  return out;
}

}  // namespace brisel::bench
