// Replay files: the bytes the game writes, the strict reader, and what a
// failure of either leaves behind.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "game/file_work.h"
#include "game/replay_file.h"
#include "support/faulty_files.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"
#include "platform/posix/posix_files.h"
#include "support/temp_folder.h"

namespace rara3 {
namespace {

std::vector<uint8_t> B(const std::string& text) { return {text.begin(), text.end()}; }

TEST(StageFilePath, ThreeDigitsBesideTheProgram) {
  EXPECT_EQ(StageFilePath("/g/", 7, ".PBD"), "/g/007.PBD");
  EXPECT_EQ(StageFilePath("/g/", 1, ".LVL"), "/g/001.LVL");
  EXPECT_EQ(StageFilePath("/g/", 12, ".LVL"), "/g/012.LVL");
  EXPECT_EQ(StageFilePath("/g/", 100, ".PBD"), "/g/100.PBD");
}

TEST(FormatReplay, CountFirstThenOneCodePerLineEndedByCrLf) {
  const int32_t codes[] = {31, 28, 28};
  const auto bytes = FormatReplay(codes, 3);
  EXPECT_EQ(bytes.size(), 15u);
  EXPECT_EQ(bytes, B("3\r\n31\r\n28\r\n28\r\n"));
  EXPECT_EQ(FormatReplay(codes, 0), B("0\r\n"));
}

struct GoodReplay {
  const char* name;
  std::string text;
  std::vector<int32_t> codes;
};

void PrintTo(const GoodReplay& c, std::ostream* os) { *os << c.name; }

class GoodReplayTest : public testing::TestWithParam<GoodReplay> {};

TEST_P(GoodReplayTest, Parses) {
  const GoodReplay& c = GetParam();
  int32_t codes[4] = {-1, -1, -1, -1};
  int32_t count = -1;
  std::string error;
  ASSERT_TRUE(ParseReplay(B(c.text), 4, codes, count, error)) << error;
  ASSERT_EQ(count, static_cast<int32_t>(c.codes.size()));
  EXPECT_EQ(std::vector<int32_t>(codes, codes + count), c.codes);
  EXPECT_EQ(codes[3], c.codes.size() == 4 ? c.codes[3] : -1) << "wrote past the count";
}

const GoodReplay kGoodReplays[] = {
    {"TheExample", "3\r\n31\r\n28\r\n28\r\n", {31, 28, 28}},
    {"NoMoves", "0\r\n", {}},
    {"LineFeedsOnly", "2\n30\n29\n", {30, 29}},
    {"MixedLineEnds", "2\r\n30\n29\r\n", {30, 29}},
    {"UnknownCodesAreMovesToo", "2\r\n0\r\n99\r\n", {0, 99}},
    {"LargestNumber", "1\r\n2147483647\r\n", {2147483647}},
    {"LeadingZeros", "01\r\n0028\r\n", {28}},
    {"ExactlyTheCapacity", "4\r\n28\r\n29\r\n30\r\n31\r\n", {28, 29, 30, 31}},
};

INSTANTIATE_TEST_SUITE_P(ParseReplay, GoodReplayTest, testing::ValuesIn(kGoodReplays),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadReplay {
  const char* name;
  std::string text;
  const char* messagePart;
};

void PrintTo(const BadReplay& c, std::ostream* os) { *os << c.name; }

class BadReplayTest : public testing::TestWithParam<BadReplay> {};

TEST_P(BadReplayTest, IsRefusedWithoutTouchingTheResult) {
  const BadReplay& c = GetParam();
  // Exactly as large as the text, so a read past the end shows under the
  // address sanitizer.
  const std::vector<uint8_t> bytes = B(c.text);
  int32_t codes[4] = {-1, -1, -1, -1};
  int32_t count = -1;
  std::string error;
  EXPECT_FALSE(ParseReplay(bytes, 4, codes, count, error));
  EXPECT_EQ(count, -1);
  for (const int32_t code : codes) EXPECT_EQ(code, -1);
  EXPECT_NE(error.find(c.messagePart), std::string::npos) << error;
  EXPECT_EQ(error.find_first_of("\r\n"), std::string::npos) << "not one line: " << error;
}

const BadReplay kBadReplays[] = {
    {"EmptyFile", "", "line 1: expected a number, found the end of the file"},
    {"EmptyFirstLine", "\r\n", "line 1: expected a number, found an empty line"},
    {"FewerCodesThanTheCount", "3\r\n31\r\n28\r\n", "expected 3 moves, found 2"},
    {"LastLineNotEnded", "2\r\n31\r\n28", "line 3: the line is not ended"},
    {"CountNotEnded", "0", "line 1: the line is not ended"},
    {"MinusSign", "1\r\n-28\r\n", "line 2: expected a digit, found '-'"},
    {"PlusSign", "+1\r\n28\r\n", "line 1: expected a digit, found '+'"},
    {"LeadingSpace", "1\r\n 28\r\n", "line 2: expected a digit, found 0x20"},
    {"TrailingSpace", "1\r\n28 \r\n", "line 2: expected a digit or the line end, found 0x20"},
    {"Letter", "1\r\n2a\r\n", "found 'a'"},
    {"NulByte", std::string("1\r\n2\0\r\n", 6), "found 0x00"},
    {"ByteOrderMark", "\xEF\xBB\xBF" "1\r\n28\r\n", "found 0xEF"},
    {"EmptyLineInTheMiddle", "2\r\n28\r\n\r\n29\r\n", "line 3: expected a number, found an empty line"},
    {"CarriageReturnAlone", "1\r28\r\n", "line 1: expected a line feed after the carriage return"},
    {"CodeOverflows", "1\r\n2147483648\r\n", "line 2: the number is too large"},
    {"CountOverflows", "99999999999999999999\r\n", "line 1: the number is too large"},
    {"CountAboveTheCapacity", "5\r\n28\r\n28\r\n28\r\n28\r\n28\r\n", "more than the 4"},
    {"MoreLinesThanTheCount", "1\r\n28\r\n29\r\n", "line 3: more data after the 1 moves"},
    {"TrailingEmptyLine", "1\r\n28\r\n\r\n", "line 3: more data"},
};

INSTANTIATE_TEST_SUITE_P(ParseReplay, BadReplayTest, testing::ValuesIn(kBadReplays),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseReplay, ReadsBackAFullRecordWrittenByTheGame) {
  std::vector<int32_t> moves(RecordCapacity);
  for (size_t i = 0; i < moves.size(); ++i) moves[i] = 28 + static_cast<int32_t>(i * 7 % 4);
  const auto bytes = FormatReplay(moves.data(), RecordCapacity);
  std::vector<int32_t> codes(ReplayCapacity);
  int32_t count = 0;
  std::string error;
  ASSERT_TRUE(ParseReplay(bytes, ReplayCapacity, codes.data(), count, error)) << error;
  EXPECT_EQ(count, RecordCapacity);
  EXPECT_EQ(codes, moves);
}

// The game's writes and reads of stage 7's replay, on files in memory that
// can be made to fail.
class ReplayFileTest : public testing::Test {
 protected:
  ReplayFileTest() {
    g->lifecycle.AppDir = "/game/";
    g->flow.StageNo = 7;
  }
  std::vector<std::string>& errors() { return hp.system.errors; }

  const std::string path = "/game/007.PBD";
  MemoryFiles mem;
  FaultyFiles files{mem};
  HeadlessPlatform hp{files};
  Platform& p = hp.platform;
  std::unique_ptr<GameState> g = std::make_unique<GameState>();
};

TEST_F(ReplayFileTest, WriteReplacesTheOldFileWhole) {
  mem.files[path] = B("5\r\n28\r\n28\r\n28\r\n28\r\n28\r\n");
  g->record.RecordCount = 3;
  g->record.RecordMoves[0] = 31;
  g->record.RecordMoves[1] = 28;
  g->record.RecordMoves[2] = 28;
  g->record.RecordMoves[3] = 30;  // beyond the count: not written
  EXPECT_TRUE(WriteReplayFile(*g, p.files, p.system));
  EXPECT_EQ(mem.files[path], B("3\r\n31\r\n28\r\n28\r\n"));
  EXPECT_TRUE(errors().empty());
  EXPECT_EQ(files.Log(), std::vector<std::string>{"ReplaceWhole " + path});
}

TEST_F(ReplayFileTest, AFailedWriteKeepsTheOldFileAndReportsOneLine) {
  mem.files[path] = B("1\r\n29\r\n");
  g->record.RecordCount = 1;
  g->record.RecordMoves[0] = 31;
  files.FailEvery(FileOp::ReplaceWhole);
  EXPECT_FALSE(WriteReplayFile(*g, p.files, p.system));
  EXPECT_EQ(mem.files[path], B("1\r\n29\r\n"));
  ASSERT_EQ(errors().size(), 1u);
  EXPECT_NE(errors()[0].find("stage 7"), std::string::npos) << errors()[0];
  EXPECT_NE(errors()[0].find(path), std::string::npos) << errors()[0];
  EXPECT_EQ(g->record.RecordCount, 1);
}

TEST_F(ReplayFileTest, ReadFillsTheReplay) {
  mem.files[path] = B("3\r\n31\r\n28\r\n28\r\n");
  EXPECT_TRUE(ReadReplayFile(*g, p.files, p.system));
  EXPECT_EQ(g->record.ReplayCount, 3);
  EXPECT_EQ(std::vector<int32_t>(g->record.ReplayMoves, g->record.ReplayMoves + 3),
            (std::vector<int32_t>{31, 28, 28}));
  EXPECT_TRUE(errors().empty());
}

struct ReadFailure {
  const char* name;
  std::optional<std::string> content;  // none: no file
  bool readFails;
  const char* messagePart;
};

void PrintTo(const ReadFailure& c, std::ostream* os) { *os << c.name; }

class ReplayReadFailureTest : public ReplayFileTest,
                              public testing::WithParamInterface<ReadFailure> {};

TEST_P(ReplayReadFailureTest, ReportsOneLineAndLeavesTheReplayAlone) {
  const ReadFailure& c = GetParam();
  if (c.content) mem.files[path] = B(*c.content);
  if (c.readFails) files.FailEvery(FileOp::ReadAll, ".PBD");
  g->record.ReplayCount = 2;
  for (int32_t& code : g->record.ReplayMoves) code = 77;
  EXPECT_FALSE(ReadReplayFile(*g, p.files, p.system));
  EXPECT_EQ(g->record.ReplayCount, 2);
  for (const int32_t code : g->record.ReplayMoves) ASSERT_EQ(code, 77);
  ASSERT_EQ(errors().size(), 1u);
  EXPECT_NE(errors()[0].find(path), std::string::npos) << errors()[0];
  EXPECT_NE(errors()[0].find(c.messagePart), std::string::npos) << errors()[0];
  EXPECT_EQ(errors()[0].find_first_of("\r\n"), std::string::npos) << errors()[0];
}

std::string CountAboveCapacity() {
  std::string text = std::to_string(ReplayCapacity + 1) + "\r\n";
  for (int32_t i = 0; i <= ReplayCapacity; ++i) text += "28\r\n";
  return text;
}

const ReadFailure kReadFailures[] = {
    {"Missing", std::nullopt, false, "No replay of stage 7"},
    {"Unreadable", "1\r\n28\r\n", true, "cannot be read"},
    {"NotInTheFormat", "hello\r\n", false, "found 'h'"},
    {"ShorterThanItsCount", "4\r\n28\r\n", false, "expected 4 moves, found 1"},
    {"CountAboveTheCapacity", CountAboveCapacity(), false, "more than the 8192"},
};

INSTANTIATE_TEST_SUITE_P(ReplayFile, ReplayReadFailureTest, testing::ValuesIn(kReadFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// The same through the files on disk: the replaced file holds exactly the
// new bytes, and nothing else is left in the folder.
TEST(ReplayFileOnDisk, WriteThenReadBack) {
  test::TempFolder dir;
  dir.Write("100.PBD", std::string(5000, '9'));
  PosixFiles files;
  HeadlessPlatform hp(files);
  auto g = std::make_unique<GameState>();
  g->lifecycle.AppDir = dir.path();
  g->flow.StageNo = 100;
  g->record.RecordCount = 2;
  g->record.RecordMoves[0] = 30;
  g->record.RecordMoves[1] = 29;
  ASSERT_TRUE(WriteReplayFile(*g, hp.platform.files, hp.platform.system)) << hp.system.errors.at(0);
  EXPECT_EQ(dir.Read("100.PBD"), B("2\r\n30\r\n29\r\n"));
  EXPECT_EQ(dir.List(), std::vector<std::string>{"100.PBD"});
  ASSERT_TRUE(ReadReplayFile(*g, hp.platform.files, hp.platform.system));
  EXPECT_EQ(g->record.ReplayCount, 2);
  EXPECT_EQ(g->record.ReplayMoves[1], 29);
}

}  // namespace
}  // namespace rara3
