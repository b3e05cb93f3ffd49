// The packed data file TOVAK.DAT and the files named after stages: where
// each part of the data file lies, how many stages there are, and how
// replay, export and stage-source files are named. The sound generator
// reads the effect sizes from here.
#pragma once

#include <cstdint>
#include <string>

namespace rara3 {

constexpr const char* kDataFileName = "TOVAK.DAT";

constexpr int32_t kStageCount = 100;
constexpr int64_t kStageSize = 400;
constexpr int64_t kProgressOffset = 40000;
constexpr int64_t kTuneOffset = 40001;
constexpr int64_t kTuneSize = 10930;
constexpr int64_t kEffectBankOffset = 50931;
constexpr int64_t kEffectBankSize = 1017262;
constexpr int64_t kDataFileSize = 1068193;

// The ten effects: offset and size of each wave file.
constexpr int32_t kSfxOffset[10] = {50931,  58437,  231047, 323421, 379053,
                                    471277, 634159, 674353, 719205, 759259};
constexpr int32_t kSfxSize[10] = {7506,   172610, 92374, 55632, 92224,
                                  162882, 40194,  44852, 40054, 308934};

// The 400 cells of a stage, cell (x, y) at index 20 * y + x.
using StageCells = uint8_t[kStageSize];

// Offset of stage s (1..100), cell (x, y).
constexpr int64_t StageCellOffset(int32_t stageNo, int32_t x, int32_t y) {
  return (static_cast<int64_t>(stageNo) - 1) * kStageSize + 20 * y + x;
}

// Extensions of the files named after a stage.
constexpr const char* kReplayExtension = ".PBD";
constexpr const char* kExportExtension = ".LVL";
constexpr const char* kStageTextExtension = ".txt";

// The stage number as three digits: the last three of the number plus
// 1000, so 7 gives "007".
std::string StageDigits(int32_t stageNo);
// "007.PBD" and the like.
std::string StageFileName(int32_t stageNo, const char* extension);
// "sfx0.wav" .. "sfx9.wav".
std::string EffectFileName(int i);

}  // namespace rara3
