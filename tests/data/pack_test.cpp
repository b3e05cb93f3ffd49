// Packing TOVAK.DAT from its source files and back: every part at its
// place, every bad input refused with a message that names the problem, and
// the player's part kept when asked.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "data/data_file.h"
#include "data/data_pack.h"
#include "data/data_place.h"
#include "data/stage_text.h"
#include "game/game_state.h"
#include "support/memory_files.h"

namespace rara3 {
namespace {

std::vector<uint8_t> B(const std::string& text) { return {text.begin(), text.end()}; }

// Stage s as text: a closed room with a few boxes depending on s.
std::string StageText(int32_t s) {
  std::vector<std::string> rows(20, "#..................#");
  rows[0] = rows[19] = std::string(20, '#');
  rows[1 + s % 18][1 + s % 17] = '@';
  rows[1 + (s + 5) % 18][1 + (s * 3) % 18] = kStageChars[1 + s % 10];
  std::string text;
  for (const auto& r : rows) text += r + "\n";
  return text;
}

// Bytes of a given size that start like a file of their kind.
std::vector<uint8_t> Blob(const char* magic, int64_t size, uint8_t seed) {
  std::vector<uint8_t> v(static_cast<size_t>(size));
  for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint8_t>(i * 13 + seed);
  std::memcpy(v.data(), magic, std::strlen(magic));
  if (std::strcmp(magic, "RIFF") == 0) std::memcpy(v.data() + 8, "WAVE", 4);
  return v;
}

class PackTest : public testing::Test {
 protected:
  PackTest() {
    for (int32_t s = 1; s <= kStageCount; ++s) {
      mem.files["/in/stages/" + StageTextName(s)] = B(StageText(s));
    }
    mem.files["/in/sound/tune.mid"] = Blob("MThd", kTuneSize, 1);
    for (int i = 0; i < 10; ++i) {
      mem.files["/in/sound/" + EffectFileName(i)] = Blob("RIFF", kSfxSize[i], uint8_t(i + 2));
    }
  }
  bool Pack(std::vector<uint8_t>& out) {
    errors.clear();
    return PackDataFile(mem, inputs, out, errors);
  }
  std::string AllErrors() const {
    std::string all;
    for (const auto& e : errors) all += e + "\n";
    return all;
  }

  MemoryFiles mem;
  PackInputs inputs{"/in/stages", "/in/sound/tune.mid", "/in/sound/", "7"};
  std::vector<std::string> errors;
};

TEST_F(PackTest, PutsEveryPartAtItsPlace) {
  std::vector<uint8_t> data;
  ASSERT_TRUE(Pack(data)) << AllErrors();
  ASSERT_EQ(data.size(), 1068193u);
  for (int32_t s = 1; s <= kStageCount; ++s) {
    StageCells cells;
    std::string error;
    ASSERT_TRUE(ParseStageText(StageText(s), "", cells, error));
    EXPECT_EQ(std::memcmp(data.data() + (s - 1) * 400, cells, 400), 0) << "stage " << s;
  }
  EXPECT_EQ(data[40000], 7);
  EXPECT_TRUE(std::equal(data.begin() + 40001, data.begin() + 50931,
                         mem.files["/in/sound/tune.mid"].begin()));
  for (int i = 0; i < 10; ++i) {
    const auto& effect = mem.files["/in/sound/" + EffectFileName(i)];
    EXPECT_TRUE(std::equal(effect.begin(), effect.end(), data.begin() + kSfxOffset[i])) << i;
  }
}

TEST_F(PackTest, UnpackGivesBackTheSameFiles) {
  std::vector<uint8_t> data;
  ASSERT_TRUE(Pack(data)) << AllErrors();
  std::vector<UnpackedFile> files;
  std::vector<std::string> warnings;
  std::string error;
  ASSERT_TRUE(UnpackDataFile(data, "TOVAK.DAT", files, warnings, error)) << error;
  EXPECT_TRUE(warnings.empty());
  ASSERT_EQ(files.size(), 112u);
  for (const auto& f : files) {
    if (f.name == "progress.txt") {
      EXPECT_EQ(f.bytes, B("7\n"));
    } else {
      EXPECT_EQ(f.bytes, mem.files.at("/in/" + f.name)) << f.name;
    }
  }
  // And packing what came out gives the same data file.
  MemoryFiles again;
  for (const auto& f : files) again.files["/out/" + f.name] = f.bytes;
  std::vector<uint8_t> repacked;
  const std::string progress(files[100].bytes.begin(), files[100].bytes.end());
  ASSERT_TRUE(PackDataFile(again, {"/out/stages", "/out/sound/tune.mid", "/out/sound", progress},
                           repacked, errors))
      << AllErrors();
  EXPECT_EQ(repacked, data);
}

// Each bad input is refused; the message names the file and what is wrong,
// and no data file comes out.
struct Refusal {
  const char* name;
  std::function<void(MemoryFiles&, PackInputs&)> spoil;
  std::vector<std::string> messageParts;
};

void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class PackRefusalTest : public PackTest, public testing::WithParamInterface<Refusal> {};

TEST_P(PackRefusalTest, NamesTheProblem) {
  GetParam().spoil(mem, inputs);
  std::vector<uint8_t> data{1, 2, 3};
  EXPECT_FALSE(Pack(data));
  EXPECT_EQ(data, (std::vector<uint8_t>{1, 2, 3}));
  ASSERT_EQ(errors.size(), 1u) << AllErrors();
  for (const auto& part : GetParam().messageParts) {
    EXPECT_NE(errors[0].find(part), std::string::npos) << errors[0];
  }
}

void SetStageLine(MemoryFiles& m, int32_t s, int line, const std::string& text) {
  auto& bytes = m.files["/in/stages/" + StageTextName(s)];
  std::string all(bytes.begin(), bytes.end());
  all.replace(static_cast<size_t>(21 * (line - 1)), 20, text);
  bytes = B(all);
}

const Refusal kRefusals[] = {
    {"BadCharacter",
     [](MemoryFiles& m, PackInputs&) { SetStageLine(m, 42, 6, "#..z...............#"); },
     {"/in/stages/042.txt:6:4: unknown cell character 'z'"}},
    {"QuestionMarkFromAnUnpack",
     [](MemoryFiles& m, PackInputs&) { SetStageLine(m, 100, 20, "###################?"); },
     {"/in/stages/100.txt:20:20: '?'"}},
    {"ShortStageLine",
     [](MemoryFiles& m, PackInputs&) {
       m.files["/in/stages/003.txt"] = B(std::string(20 * 21 - 2, '.') + "\n");
     },
     {"/in/stages/003.txt:1: expected 20 cells"}},
    {"MissingStage", [](MemoryFiles& m, PackInputs&) { m.files.erase("/in/stages/077.txt"); },
     {"/in/stages/077.txt", "No such file"}},
    {"EffectOneByteShort",
     [](MemoryFiles& m, PackInputs&) { m.files["/in/sound/sfx3.wav"].pop_back(); },
     {"/in/sound/sfx3.wav: expected 55632 bytes (the size of effect 3), found 55631"}},
    {"EffectsSwapped",
     [](MemoryFiles& m, PackInputs&) {
       m.files["/in/sound/sfx6.wav"] = Blob("RIFF", kSfxSize[6], 0);
       std::memcpy(m.files["/in/sound/sfx6.wav"].data() + 8, "AVI ", 4);
     },
     {"/in/sound/sfx6.wav: expected a wave file"}},
    {"TuneTooLong",
     [](MemoryFiles& m, PackInputs&) { m.files["/in/sound/tune.mid"].push_back(0); },
     {"/in/sound/tune.mid: expected 10930 bytes (the tune's fixed size), found 10931"}},
    {"TuneNotMidi",
     [](MemoryFiles& m, PackInputs&) { m.files["/in/sound/tune.mid"][0] = 'X'; },
     {"/in/sound/tune.mid: expected a Standard MIDI File"}},
    {"ProgressZero", [](MemoryFiles&, PackInputs& in) { in.progress = "0"; },
     {"progress: expected a whole number from 1 to 100", "found \"0\""}},
    {"ProgressAboveTheStages", [](MemoryFiles&, PackInputs& in) { in.progress = "101"; },
     {"found \"101\""}},
    {"ProgressNotANumber", [](MemoryFiles&, PackInputs& in) { in.progress = "-5"; },
     {"found \"-5\""}},
};

INSTANTIATE_TEST_SUITE_P(Pack, PackRefusalTest, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PackTest, ListsEveryProblemOfOneRun) {
  SetStageLine(mem, 1, 2, "#.................x#");
  mem.files["/in/sound/sfx9.wav"].resize(10);
  inputs.progress = "";
  std::vector<uint8_t> data;
  EXPECT_FALSE(Pack(data));
  EXPECT_EQ(errors.size(), 3u) << AllErrors();
}

TEST_F(PackTest, ProgressTextMayEndWithALineEnd) {
  for (const char* text : {"1", "100", "42\n", "42\r\n", "007"}) {
    int32_t value = 0;
    std::string error;
    EXPECT_TRUE(ParseProgressText(text, value, error)) << text << ": " << error;
  }
}

TEST(Unpack, ShowsUnknownCellsAndOddProgressAndSaysSo) {
  std::vector<uint8_t> data(static_cast<size_t>(kDataFileSize), 0);
  data[StageCellOffset(5, 3, 2)] = 11;
  data[StageCellOffset(5, 19, 19)] = 255;
  data[kProgressOffset] = 0;
  std::vector<UnpackedFile> files;
  std::vector<std::string> warnings;
  std::string error;
  ASSERT_TRUE(UnpackDataFile(data, "TOVAK.DAT", files, warnings, error)) << error;
  const std::string stage5(files[4].bytes.begin(), files[4].bytes.end());
  EXPECT_EQ(files[4].name, "stages/005.txt");
  EXPECT_EQ(stage5[2 * 21 + 3], '?');
  EXPECT_EQ(stage5[19 * 21 + 19], '?');
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_NE(warnings[0].find("stages/005.txt: 2 cells hold values above 10"), std::string::npos)
      << warnings[0];
  EXPECT_NE(warnings[1].find("progress byte is 0"), std::string::npos) << warnings[1];
}

TEST(Unpack, RefusesAFileOfTheWrongSize) {
  for (const size_t size : {size_t{0}, size_t{1068192}, size_t{1068194}}) {
    std::vector<UnpackedFile> files;
    std::vector<std::string> warnings;
    std::string error;
    EXPECT_FALSE(UnpackDataFile(std::vector<uint8_t>(size), "x/TOVAK.DAT", files, warnings, error));
    EXPECT_NE(error.find("x/TOVAK.DAT: expected 1068193 bytes (a data file), found " +
                         std::to_string(size)),
              std::string::npos)
        << error;
    EXPECT_TRUE(files.empty());
  }
}

TEST(IsDataFile, OnlyTheExactSizeCounts) {
  EXPECT_TRUE(IsDataFile(std::vector<uint8_t>(static_cast<size_t>(kDataFileSize))));
  EXPECT_FALSE(IsDataFile(std::vector<uint8_t>(static_cast<size_t>(kDataFileSize) - 1)));
  EXPECT_FALSE(IsDataFile(std::vector<uint8_t>(static_cast<size_t>(kDataFileSize) + 1)));
}

// A site that ships new stages and sounds: the player keeps the progress
// and the stages they edited, and gets everything else new.
TEST(FollowShippedDataTest, TakesTheNewFileButKeepsProgressAndEditedStages) {
  const auto size = static_cast<size_t>(kDataFileSize);
  std::vector<uint8_t> base(size, 1);
  std::vector<uint8_t> shipped(size, 2);
  std::vector<uint8_t> player = base;
  player[static_cast<size_t>(kProgressOffset)] = 37;
  // Stage 5 edited in one cell; stage 100 edited back to what the new file
  // ships is kept as it is, too.
  player[static_cast<size_t>(4 * kStageSize + 123)] = 9;
  for (int64_t i = 99 * kStageSize; i < 100 * kStageSize; ++i) player[static_cast<size_t>(i)] = 2;
  std::vector<int32_t> kept;
  const std::vector<uint8_t> updated = FollowShippedData(player, &base, shipped, kept);
  ASSERT_EQ(updated.size(), size);
  for (size_t i = 0; i < size; ++i) {
    const bool stage5 = i >= 4 * kStageSize && i < 5 * kStageSize;
    const uint8_t want = i == static_cast<size_t>(kProgressOffset) ? 37
                         : stage5                                   ? player[i]
                                                                    : 2;
    ASSERT_EQ(updated[i], want) << "offset " << i;
  }
}

}  // namespace
}  // namespace rara3
