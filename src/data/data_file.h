// TOVAK.DAT: the 100 stages, the progress byte, the tune and the ten effects
// at fixed offsets, with no header. Every operation opens the file for one
// use; a failure is reported with a message naming the file, what was
// expected and what was found, and a failed read writes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace rara3 {

constexpr const char* kDataFileName = "TOVAK.DAT";
constexpr const char* kTempFileName = "TOVAK.TMP";

constexpr int64_t kStageSize = 400;
constexpr int32_t kStageCount = 100;
constexpr int64_t kProgressOffset = 40000;
constexpr int64_t kTuneOffset = 40001;
constexpr int64_t kTuneSize = 10930;
constexpr int64_t kEffectBankOffset = 50931;
constexpr int64_t kEffectBankSize = 1017262;
constexpr int64_t kDataFileSize = 1068193;

// The 400 cells of a stage, cell (x, y) at index 20 * y + x.
using StageCells = uint8_t[kStageSize];

// AppDir followed by the file name.
std::string DataFilePath(const std::string& appDir);

// Offset of stage s (1..100), cell (x, y).
constexpr int64_t StageCellOffset(int32_t stageNo, int32_t x, int32_t y) {
  return (static_cast<int64_t>(stageNo) - 1) * kStageSize + 20 * y + x;
}

bool ReadProgress(Files& files, const std::string& path, uint8_t& value, std::string& error);
// Touches exactly the progress byte.
bool WriteProgress(Files& files, const std::string& path, uint8_t value, std::string& error);

bool ReadStage(Files& files, const std::string& path, int32_t stageNo, StageCells& cells,
               std::string& error);
// Touches exactly the 400 bytes of the stage.
bool WriteStage(Files& files, const std::string& path, int32_t stageNo, const StageCells& cells,
                std::string& error);

bool ReadTune(Files& files, const std::string& path, std::vector<uint8_t>& out, std::string& error);
// Effect i, 0..9, of its exact size from the effect table.
bool ReadEffect(Files& files, const std::string& path, int i, std::vector<uint8_t>& out,
                std::string& error);

}  // namespace rara3
