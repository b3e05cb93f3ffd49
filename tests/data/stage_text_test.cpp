// Stage files as text: every cell character, comments, line ends, and
// errors that point at the line and column.
#include <gtest/gtest.h>

#include <cstring>

#include "data/stage_text.h"

namespace rara3 {
namespace {

// A closed room with one of each kind in row 1.
std::vector<std::string> Room() {
  std::vector<std::string> rows(20, "#..................#");
  rows[0] = rows[19] = std::string(20, '#');
  rows[1] = "#.P%VTSC#B@E.......#";
  return rows;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\n") {
  std::string text;
  for (const auto& l : lines) text += l + end;
  return text;
}

TEST(StageText, EveryCharacterIsItsKind) {
  for (int32_t k = 0; k <= 10; ++k) {
    EXPECT_EQ(KindOfStageChar(kStageChars[k]), k);
    EXPECT_EQ(StageCharOfKind(static_cast<uint8_t>(k)), kStageChars[k]);
  }
  for (const char c : {'?', 'X', 'e', ' ', '\0', ';'}) EXPECT_EQ(KindOfStageChar(c), -1) << c;
  EXPECT_EQ(StageCharOfKind(11), '?');
  EXPECT_EQ(StageCharOfKind(255), '?');
}

TEST(StageText, ParsesRowsInOrderSkippingComments) {
  auto lines = Room();
  lines.insert(lines.begin(), "; a comment first");
  lines.insert(lines.begin() + 5, ";another, between rows: @@@@");
  StageCells cells;
  std::string error;
  ASSERT_TRUE(ParseStageText(Join(lines), "001.txt", cells, error)) << error;
  const uint8_t row1[20] = {7, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0, 0, 0, 0, 0, 0, 7};
  EXPECT_EQ(std::memcmp(cells + 20, row1, 20), 0);
  EXPECT_EQ(cells[0], 7);
  EXPECT_EQ(cells[399], 7);
  EXPECT_EQ(cells[2 * 20 + 1], 0);
}

TEST(StageText, AcceptsCrLfAndAMissingLastLineEnd) {
  StageCells a, b;
  std::string error;
  ASSERT_TRUE(ParseStageText(Join(Room()), "a", a, error)) << error;
  ASSERT_TRUE(ParseStageText(Join(Room(), "\r\n"), "b", b, error)) << error;
  EXPECT_EQ(std::memcmp(a, b, sizeof a), 0);
  std::string text = Join(Room());
  text.pop_back();
  ASSERT_TRUE(ParseStageText(text, "c", b, error)) << error;
  EXPECT_EQ(std::memcmp(a, b, sizeof a), 0);
}

TEST(StageText, FormatThenParseGivesTheSameCells) {
  StageCells cells;
  for (int i = 0; i < kStageSize; ++i) cells[i] = static_cast<uint8_t>(i % 11);
  int unknown = -1;
  const std::string text = FormatStageText(cells, &unknown);
  EXPECT_EQ(unknown, 0);
  EXPECT_EQ(text.size(), 420u);
  EXPECT_EQ(text.substr(0, 21), ".P%VTSC#B@E.P%VTSC#B\n");
  StageCells back;
  std::string error;
  ASSERT_TRUE(ParseStageText(text, "x", back, error)) << error;
  EXPECT_EQ(std::memcmp(cells, back, sizeof cells), 0);
}

TEST(StageText, ValuesAboveTenAreWrittenAsQuestionMarksAndCounted) {
  StageCells cells = {};
  cells[0] = 11;
  cells[399] = 200;
  int unknown = 0;
  const std::string text = FormatStageText(cells, &unknown);
  EXPECT_EQ(unknown, 2);
  EXPECT_EQ(text[0], '?');
  EXPECT_EQ(text[418], '?');
}

struct BadStage {
  const char* name;
  std::vector<std::string> lines;
  const char* message;
};

void PrintTo(const BadStage& c, std::ostream* os) { *os << c.name; }

std::vector<std::string> With(std::vector<std::string> lines, size_t at, const std::string& line,
                              bool replace = true) {
  if (replace) {
    lines[at] = line;
  } else {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
  }
  return lines;
}

std::vector<std::string> Without(std::vector<std::string> lines, size_t at) {
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
  return lines;
}

class BadStageTest : public testing::TestWithParam<BadStage> {};

TEST_P(BadStageTest, NamesFileLineAndColumnAndKeepsTheCells) {
  const BadStage& c = GetParam();
  StageCells cells;
  std::memset(cells, 0xEE, sizeof cells);
  std::string error;
  EXPECT_FALSE(ParseStageText(Join(c.lines), "stages/042.txt", cells, error));
  EXPECT_NE(error.find(c.message), std::string::npos) << error;
  for (const uint8_t cell : cells) ASSERT_EQ(cell, 0xEE);
}

const BadStage kBadStages[] = {
    // Line numbers count every line of the file, comments included.
    {"UnknownCharacter", With(With(Room(), 0, "; c", false), 3, "#...x..............#"),
     "stages/042.txt:4:5: unknown cell character 'x'"},
    {"QuestionMark", With(Room(), 2, "?..................#"), "stages/042.txt:3:1: '?' stands"},
    {"Tab", With(Room(), 5, "#\t.................#"), "stages/042.txt:6:2: unknown cell character 0x09"},
    {"OpenExitLetterIsNotACell", With(Room(), 5, "#X.................#"), ":6:2:"},
    {"ShortLine", With(Room(), 7, "#................#"), "stages/042.txt:8: expected 20 cells, found 18"},
    {"LongLine", With(Room(), 7, "#..................##"), "stages/042.txt:8: expected 20 cells, found 21"},
    {"EmptyLine", With(Room(), 7, "", false), "stages/042.txt:8: expected 20 cells, found 0"},
    {"NineteenLines", Without(Room(), 4), "stages/042.txt: expected 20 stage lines, found 19"},
    {"TwentyOneLines", With(Room(), 20, std::string(20, '#'), false),
     "stages/042.txt:21: more than 20 stage lines"},
    {"OnlyComments", {"; nothing here"}, "expected 20 stage lines, found 0"},
};

INSTANTIATE_TEST_SUITE_P(StageText, BadStageTest, testing::ValuesIn(kBadStages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rara3
