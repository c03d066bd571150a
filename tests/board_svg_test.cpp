// brisel-cli preview=PATH: the picture read back by an XML parser, part by
// part against the table it was drawn from.

#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "core/text.h"
#include "tests/cli_kit.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

struct Picture {
  QString error;  // the parser's, when not well-formed
  QStringList viewBox;
  int origins = 0;
  std::vector<std::map<QString, QString>> parts;  // data-* attributes
  std::vector<QString> labels;
};

Picture readPicture(const std::filesystem::path& path) {
  QFile file(QString::fromStdString(path.string()));
  Picture picture;
  if (!file.open(QIODevice::ReadOnly)) {
    picture.error = QStringLiteral("cannot open");
    return picture;
  }
  QXmlStreamReader xml(&file);
  bool inPart = false;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes attributes = xml.attributes();
    if (xml.name() == QLatin1String("svg"))
      picture.viewBox = attributes.value(QLatin1String("viewBox")).toString().split(' ');
    const QString kind = attributes.value(QLatin1String("class")).toString();
    if (kind == QLatin1String("origin")) ++picture.origins;
    if (kind == QLatin1String("part")) {
      std::map<QString, QString> data;
      for (const QXmlStreamAttribute& a : attributes)
        if (a.name().startsWith(QLatin1String("data-")))
          data[a.name().toString()] = a.value().toString();
      if (attributes.hasAttribute(QLatin1String("stroke-dasharray")))
        data[QStringLiteral("dashed")] = {};
      picture.parts.push_back(data);
      inPart = true;
    }
    if (inPart && xml.name() == QLatin1String("text")) {
      picture.labels.push_back(xml.readElementText());
      inPart = false;
    }
  }
  if (xml.hasError()) picture.error = xml.errorString();
  return picture;
}

// The rows of a printed table: cells by row, as brisel-cli prints them.
std::vector<std::vector<std::string>> printedRows(const std::string& out) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(out);
  std::string line;
  std::getline(lines, line);  // rows N cols C
  while (std::getline(lines, line)) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
      cells.push_back(line.substr(start, tab - start));
    cells.push_back(line.substr(start));
    rows.push_back(cells);
  }
  return rows;
}

TEST(BoardPreview, SampleBoardPartsMatchTheTableRowByRow) {
  testing::TempDir dir;
  const std::filesystem::path svg = dir / "board.svg";
  std::vector<std::string> words = testing::sampleBoardSettings();
  for (const char* word : {"--english", "--no-comma", "import-mnt"}) words.push_back(word);
  words.push_back("preview=" + svg.string());
  words.push_back("print");
  const testing::CliResult result = testing::run(words);
  ASSERT_EQ(result.status, 0) << result.err;

  const Picture picture = readPicture(svg);
  ASSERT_TRUE(picture.error.isEmpty()) << picture.error.toStdString();
  EXPECT_EQ(picture.origins, 1);
  ASSERT_EQ(picture.viewBox.size(), 4);
  const double left = picture.viewBox[0].toDouble(), top = -picture.viewBox[1].toDouble();
  const double right = left + picture.viewBox[2].toDouble();
  const double bottom = top - picture.viewBox[3].toDouble();
  EXPECT_LT(left, 0);
  EXPECT_LT(bottom, 0);

  const auto rows = printedRows(result.out);
  std::size_t part = 0;
  // A printed line is the row number, then the cells from column 0.
  auto cell = [](const std::vector<std::string>& cells, int column) {
    return cells[static_cast<std::size_t>(column) + 1];
  };
  for (const auto& cells : rows) {
    if (cells.size() != 11 || cells[0] == "0" || cell(cells, 1).empty() ||
        trim(cell(cells, 2)).empty())
      continue;
    ASSERT_LT(part, picture.parts.size());
    const auto& data = picture.parts[part];
    SCOPED_TRACE(cell(cells, 2));
    EXPECT_EQ(data.at("data-row").toStdString(), cells[0]);
    EXPECT_EQ(data.at("data-ref").toStdString(), cell(cells, 2));
    EXPECT_EQ(data.at("data-value").toStdString(), cell(cells, 3));
    EXPECT_EQ(data.at("data-footprint").toStdString(), cell(cells, 8));
    const NumberFormat format{'.', true};
    const float x = textToFloat(cell(cells, 5), format), y = textToFloat(cell(cells, 6), format);
    EXPECT_EQ(data.at("data-x").toFloat(), x);
    EXPECT_EQ(data.at("data-y").toFloat(), y);
    EXPECT_EQ(data.at("data-angle").toInt(), low16(textToInteger(cell(cells, 7), format)));
    EXPECT_EQ(picture.labels[part].toStdString(), cell(cells, 2));
    EXPECT_EQ(data.count(QStringLiteral("dashed")) == 1,
              trim(cell(cells, 4)) == "B");  // the bottom side
    EXPECT_TRUE(x > left && x < right && y > bottom && y < top);
    ++part;
  }
  EXPECT_EQ(part, 40u);
  EXPECT_EQ(picture.parts.size(), part);
}

TEST(BoardPreview, HostileTextsStayWellFormedAndBadCoordinatesStayOut) {
  testing::TempDir dir;
  const std::filesystem::path svg = dir / "b.svg";
  const testing::CliResult result = testing::run(
      {"set=1,1,1", "set=2,1,<R&\"1\x01\xE9>", "set=3,1,10K ]]> </g>", "set=5,1,1", "set=6,1,2",
       "set=7,1,-90", "set=8,1,a\tb", "set=4,1, B ", "set=1,2,2", "set=2,2,BAD", "set=5,2,1e39",
       "set=6,2,1", "set=7,2,0", "set=1,3,3", "set=2,3,FAR", "set=5,3,1", "set=6,3,-99999",
       "set=7,3,0", "preview=" + svg.string()});
  ASSERT_EQ(result.status, 0) << result.err;
  const Picture picture = readPicture(svg);
  ASSERT_TRUE(picture.error.isEmpty()) << picture.error.toStdString();
  ASSERT_EQ(picture.parts.size(), 1u);
  EXPECT_EQ(picture.parts[0].at("data-ref"), QString::fromUtf8("<R&\"1\uFFFD\u00E9>"));
  EXPECT_EQ(picture.parts[0].at("data-value"), QStringLiteral("10K ]]> </g>"));
  EXPECT_EQ(picture.parts[0].at("data-footprint"), QStringLiteral("a\tb"));
  EXPECT_EQ(picture.parts[0].at("data-angle"), QStringLiteral("65446"));
  EXPECT_EQ(picture.parts[0].count(QStringLiteral("dashed")), 1u);  // side B, blanks around it
  // The view box covers the part and the origin, not the rows left out.
  EXPECT_LT(picture.viewBox[2].toDouble(), 100);
  EXPECT_LT(picture.viewBox[3].toDouble(), 100);
}

TEST(BoardPreview, AnUnwritablePathFailsTheRunNamingIt) {
  testing::TempDir dir;
  const std::string path = (dir / "missing" / "b.svg").string();
  testing::CliResult result = testing::run({"preview=" + path, "print=buttons"});
  EXPECT_EQ(result.status, 1);
  const std::string said = "error: cannot write " + path + ": ";
  EXPECT_EQ(result.err.substr(0, said.size()), said);
  EXPECT_GT(result.err.size(), said.size() + 1) << "the system's reason";
  EXPECT_EQ(result.out, "");
  result = testing::run({"--keep-going", "preview=" + dir.path().string(), "print=buttons"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find(dir.path().string()), std::string::npos) << result.err;
  EXPECT_NE(result.out.find("Button17"), std::string::npos);
  EXPECT_EQ(testing::run({"preview="}).status, 2);
}

}  // namespace
}  // namespace brisel
