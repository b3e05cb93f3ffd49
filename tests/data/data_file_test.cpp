// TOVAK.DAT: every region at its fixed offset, the two writes touching
// exactly their bytes, and every failure named and harmless.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "data/data_file.h"
#include "game/game_state.h"
#include "support/faulty_files.h"
#include "support/memory_files.h"
#include "platform/posix/posix_files.h"
#include "support/temp_folder.h"

namespace rara3 {
namespace {

using test::TempFolder;

// A data file whose every byte tells its offset apart from its neighbours'.
std::vector<uint8_t> PatternFile(size_t size = static_cast<size_t>(kDataFileSize)) {
  std::vector<uint8_t> v(size);
  for (size_t i = 0; i < size; ++i) v[i] = static_cast<uint8_t>(i * 131 + i / 256);
  return v;
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& v, int64_t offset, int64_t size) {
  return std::vector<uint8_t>(v.begin() + offset, v.begin() + offset + size);
}

TEST(DataFileLayout, RegionsLieBackToBack) {
  EXPECT_EQ(StageCellOffset(1, 0, 0), 0);
  EXPECT_EQ(StageCellOffset(1, 19, 19), 399);
  EXPECT_EQ(StageCellOffset(100, 0, 0), 39600);
  EXPECT_EQ(StageCellOffset(100, 19, 19), 39999);
  EXPECT_EQ(StageCellOffset(7, 19, 19), 6 * 400 + 399);
  EXPECT_EQ(kProgressOffset, StageCellOffset(100, 19, 19) + 1);
  EXPECT_EQ(kTuneOffset, kProgressOffset + 1);
  EXPECT_EQ(kSfxOffset[0], kTuneOffset + kTuneSize);
  EXPECT_EQ(kSfxOffset[0], kEffectBankOffset);
  for (int i = 1; i < 10; ++i) EXPECT_EQ(kSfxOffset[i], kSfxOffset[i - 1] + kSfxSize[i - 1]) << i;
  EXPECT_EQ(kSfxOffset[9] + kSfxSize[9] - 1, 1068192);
  EXPECT_EQ(kEffectBankOffset + kEffectBankSize, kDataFileSize);
  EXPECT_EQ(kDataFileSize, 1068193);
}

class DataFileReadTest : public testing::Test {
 protected:
  DataFileReadTest() { mem.files[path] = bytes; }
  const std::string path = DataFilePath("/game/");
  const std::vector<uint8_t> bytes = PatternFile();
  MemoryFiles mem;
  std::string error;
};

TEST_F(DataFileReadTest, PathIsTheFolderAndTheName) { EXPECT_EQ(path, "/game/TOVAK.DAT"); }

TEST_F(DataFileReadTest, EveryStageComesFromItsOwnRecord) {
  for (int32_t s = 1; s <= kStageCount; ++s) {
    StageCells cells;
    ASSERT_TRUE(ReadStage(mem, path, s, cells, error)) << error;
    EXPECT_EQ(std::vector<uint8_t>(cells, cells + kStageSize), Slice(bytes, (s - 1) * 400, 400))
        << "stage " << s;
  }
}

TEST_F(DataFileReadTest, ProgressTuneAndEffectsComeFromTheirOffsets) {
  uint8_t progress = 0;
  ASSERT_TRUE(ReadProgress(mem, path, progress, error)) << error;
  EXPECT_EQ(progress, bytes[40000]);

  std::vector<uint8_t> blob;
  ASSERT_TRUE(ReadTune(mem, path, blob, error)) << error;
  EXPECT_EQ(blob, Slice(bytes, 40001, 10930));
  for (int i = 0; i < 10; ++i) {
    ASSERT_TRUE(ReadEffect(mem, path, i, blob, error)) << error;
    EXPECT_EQ(blob, Slice(bytes, kSfxOffset[i], kSfxSize[i])) << "effect " << i;
  }
  EXPECT_EQ(blob.front(), bytes[759259]);
  EXPECT_EQ(blob.back(), bytes[1068192]);
}

TEST_F(DataFileReadTest, TheEffectBankAloneGivesTheSameEffects) {
  const std::string bankPath = "/site/effects.bin";
  mem.files[bankPath] = Slice(bytes, kEffectBankOffset, kEffectBankSize);
  std::vector<std::vector<uint8_t>> effects;
  ASSERT_TRUE(ReadEffectBank(mem, bankPath, effects, error)) << error;
  ASSERT_EQ(effects.size(), 10u);
  std::vector<uint8_t> blob;
  for (int i = 0; i < 10; ++i) {
    ASSERT_TRUE(ReadEffect(mem, path, i, blob, error)) << error;
    EXPECT_EQ(effects[i], blob) << "effect " << i;
  }
}

TEST_F(DataFileReadTest, AnEffectBankOfAnotherSizeIsRefusedAndChangesNothing) {
  const std::string bankPath = "/site/effects.bin";
  const std::vector<std::vector<uint8_t>> before{{7}};
  for (const int64_t size : {kEffectBankSize - 1, kEffectBankSize + 1, int64_t{0}, kDataFileSize}) {
    mem.files[bankPath] = std::vector<uint8_t>(static_cast<size_t>(size), 1);
    auto effects = before;
    EXPECT_FALSE(ReadEffectBank(mem, bankPath, effects, error)) << size;
    EXPECT_NE(error.find(bankPath), std::string::npos) << error;
    EXPECT_NE(error.find("expected 1017262 bytes"), std::string::npos) << error;
    EXPECT_NE(error.find("found " + std::to_string(size)), std::string::npos) << error;
    EXPECT_EQ(effects, before);
  }
  mem.files.erase(bankPath);
  auto effects = before;
  EXPECT_FALSE(ReadEffectBank(mem, bankPath, effects, error));
  EXPECT_NE(error.find(bankPath), std::string::npos) << error;
  EXPECT_EQ(effects, before);
}

TEST_F(DataFileReadTest, NumbersOutsideTheTablesAreRefused) {
  StageCells cells;
  std::memset(cells, 0xEE, sizeof cells);
  for (const int32_t s : {0, 101, -5}) {
    EXPECT_FALSE(ReadStage(mem, path, s, cells, error)) << s;
    EXPECT_NE(error.find("1 to 100"), std::string::npos) << error;
    EXPECT_FALSE(WriteStage(mem, path, s, cells, error)) << s;
  }
  EXPECT_EQ(cells[0], 0xEE);
  std::vector<uint8_t> blob{1};
  for (const int i : {-1, 10}) {
    EXPECT_FALSE(ReadEffect(mem, path, i, blob, error)) << i;
    EXPECT_NE(error.find("0 to 9"), std::string::npos) << error;
  }
  EXPECT_EQ(blob, std::vector<uint8_t>{1});
  EXPECT_EQ(mem.files[path], bytes);
}

// Reads of a file that is missing or too short: the message names the file,
// what was expected and what was found; the output keeps its old value.
struct ShortRead {
  const char* name;
  int64_t fileSize;  // -1: no file
  std::function<bool(Files&, const std::string&, std::string&)> read;
  std::vector<std::string> messageParts;
};

void PrintTo(const ShortRead& c, std::ostream* os) { *os << c.name; }

class ShortReadTest : public testing::TestWithParam<ShortRead> {};

TEST_P(ShortReadTest, NamesFileExpectedAndFound) {
  const ShortRead& c = GetParam();
  TempFolder dir;
  if (c.fileSize >= 0) dir.Write("TOVAK.DAT", PatternFile(static_cast<size_t>(c.fileSize)));
  PosixFiles files;
  std::string error;
  EXPECT_FALSE(c.read(files, DataFilePath(dir.path()), error));
  EXPECT_NE(error.find(dir / "TOVAK.DAT"), std::string::npos) << error;
  for (const auto& part : c.messageParts) EXPECT_NE(error.find(part), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}

bool ReadProgressKeeps(Files& f, const std::string& path, std::string& error) {
  uint8_t value = 77;
  const bool ok = ReadProgress(f, path, value, error);
  EXPECT_EQ(value, 77);
  return ok;
}

bool ReadStage100Keeps(Files& f, const std::string& path, std::string& error) {
  StageCells cells;
  std::memset(cells, 0xEE, sizeof cells);
  const bool ok = ReadStage(f, path, 100, cells, error);
  for (const uint8_t c : cells) EXPECT_EQ(c, 0xEE);
  return ok;
}

bool ReadTuneKeeps(Files& f, const std::string& path, std::string& error) {
  std::vector<uint8_t> out{9};
  const bool ok = ReadTune(f, path, out, error);
  EXPECT_EQ(out, std::vector<uint8_t>{9});
  return ok;
}

bool ReadEffect9Keeps(Files& f, const std::string& path, std::string& error) {
  std::vector<uint8_t> out{9};
  const bool ok = ReadEffect(f, path, 9, out, error);
  EXPECT_EQ(out, std::vector<uint8_t>{9});
  return ok;
}

const ShortRead kShortReads[] = {
    {"ProgressMissing", -1, ReadProgressKeeps,
     {"progress byte", "cannot be opened: No such file or directory"}},
    {"ProgressShort", 1200, ReadProgressKeeps,
     {"progress byte", "expected at least 40001 bytes, found 1200"}},
    {"Stage100Short", 39999, ReadStage100Keeps,
     {"stage 100", "expected at least 40000 bytes, found 39999"}},
    {"TuneShort", 50930, ReadTuneKeeps, {"tune", "expected at least 50931 bytes, found 50930"}},
    {"LastEffectOneByteShort", 1068192, ReadEffect9Keeps,
     {"effect 9", "expected at least 1068193 bytes, found 1068192"}},
};

INSTANTIATE_TEST_SUITE_P(DataFile, ShortReadTest, testing::ValuesIn(kShortReads),
                         [](const auto& info) { return std::string(info.param.name); });

// The two writes of the game, on a real file: the whole file afterwards is
// the old one with exactly the written bytes changed.
class DataFileWriteTest : public testing::Test {
 protected:
  DataFileWriteTest() { dir.Write("TOVAK.DAT", PatternFile()); }
  TempFolder dir;
  PosixFiles files;
  const std::string path = DataFilePath(dir.path());
  std::string error;
};

TEST_F(DataFileWriteTest, StageSaveRewritesExactlyItsRecord) {
  for (const int32_t s : {1, 57, 100}) {
    StageCells cells;
    for (int i = 0; i < kStageSize; ++i) cells[i] = static_cast<uint8_t>(s + i % 11);
    auto expected = dir.Read("TOVAK.DAT");
    std::copy(cells, cells + kStageSize, expected.begin() + (s - 1) * 400);
    ASSERT_TRUE(WriteStage(files, path, s, cells, error)) << error;
    EXPECT_EQ(dir.Read("TOVAK.DAT"), expected) << "stage " << s;

    StageCells back;
    ASSERT_TRUE(ReadStage(files, path, s, back, error)) << error;
    EXPECT_EQ(std::memcmp(back, cells, sizeof cells), 0);
  }
}

TEST_F(DataFileWriteTest, ProgressWriteRewritesExactlyOneByte) {
  auto expected = PatternFile();
  expected[40000] = 42;
  ASSERT_TRUE(WriteProgress(files, path, 42, error)) << error;
  EXPECT_EQ(dir.Read("TOVAK.DAT"), expected);
  uint8_t value = 0;
  ASSERT_TRUE(ReadProgress(files, path, value, error)) << error;
  EXPECT_EQ(value, 42);
}

TEST_F(DataFileWriteTest, WritesToAShortFileChangeNothingAndDoNotExtendIt) {
  dir.Write("TOVAK.DAT", PatternFile(40000));
  StageCells cells = {};
  EXPECT_FALSE(WriteProgress(files, path, 5, error));
  EXPECT_NE(error.find("progress byte"), std::string::npos) << error;
  EXPECT_NE(error.find("expected at least 40001 bytes to write in place, found 40000"),
            std::string::npos)
      << error;
  dir.Write("TOVAK.DAT", PatternFile(39999));
  EXPECT_FALSE(WriteStage(files, path, 100, cells, error));
  EXPECT_NE(error.find("stage 100"), std::string::npos) << error;
  EXPECT_EQ(dir.Read("TOVAK.DAT"), PatternFile(39999));
}

TEST_F(DataFileWriteTest, WritesToAMissingFileDoNotCreateIt) {
  std::filesystem::remove(path);
  StageCells cells = {};
  EXPECT_FALSE(WriteStage(files, path, 1, cells, error));
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
  EXPECT_FALSE(WriteProgress(files, path, 1, error));
  EXPECT_TRUE(dir.List().empty());
}

// A data file that cannot be written: a folder in its place refuses writes
// to every user, root included.
TEST_F(DataFileWriteTest, UnwritableFileIsReported) {
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  StageCells cells = {};
  EXPECT_FALSE(WriteStage(files, path, 3, cells, error));
  EXPECT_NE(error.find(path + ": cannot save stage 3: "), std::string::npos) << error;
  EXPECT_FALSE(WriteProgress(files, path, 3, error));
  EXPECT_NE(error.find(path + ": cannot save the progress byte: "), std::string::npos) << error;
}

TEST_F(DataFileWriteTest, AFailingWriteLeavesTheFileAsItWas) {
  FaultyFiles faulty(files);
  faulty.FailEvery(FileOp::WriteAt, "TOVAK.DAT");
  StageCells cells = {};
  EXPECT_FALSE(WriteStage(faulty, path, 9, cells, error));
  EXPECT_NE(error.find("stage 9"), std::string::npos) << error;
  EXPECT_FALSE(WriteProgress(faulty, path, 9, error));
  EXPECT_EQ(dir.Read("TOVAK.DAT"), PatternFile());
}

}  // namespace
}  // namespace rara3
