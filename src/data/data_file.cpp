#include "data/data_file.h"

#include <cstring>
#include <iterator>


namespace rara3 {
namespace {

// "<path>: cannot <doing>: <why>", the why taken from the file layer's
// message without its own copy of the path.
std::string InContext(const std::string& path, const std::string& doing,
                      const std::string& layerError) {
  const std::string prefix = path + ": ";
  const std::string why = layerError.compare(0, prefix.size(), prefix) == 0
                              ? layerError.substr(prefix.size())
                              : layerError;
  return path + ": cannot " + doing + ": " + why;
}

bool ValidStage(const std::string& path, int32_t stageNo, const char* doing, std::string& error) {
  if (stageNo >= 1 && stageNo <= kStageCount) return true;
  error = path + ": cannot " + doing + " stage " + std::to_string(stageNo) +
          ": expected a stage number from 1 to " + std::to_string(kStageCount);
  return false;
}

// Reads a blob whole; out changes only on success.
bool ReadBlob(Files& files, const std::string& path, int64_t offset, int64_t size,
              const std::string& doing, std::vector<uint8_t>& out, std::string& error) {
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  std::string why;
  if (!files.ReadAt(path, offset, bytes.data(), bytes.size(), why)) {
    error = InContext(path, doing, why);
    return false;
  }
  out.swap(bytes);
  return true;
}

}  // namespace

std::string DataFilePath(const std::string& appDir) { return appDir + kDataFileName; }

bool ReadProgress(Files& files, const std::string& path, uint8_t& value, std::string& error) {
  uint8_t byte = 0;
  std::string why;
  if (!files.ReadAt(path, kProgressOffset, &byte, 1, why)) {
    error = InContext(path, "read the progress byte", why);
    return false;
  }
  value = byte;
  return true;
}

bool WriteProgress(Files& files, const std::string& path, uint8_t value, std::string& error) {
  std::string why;
  if (!files.WriteAt(path, kProgressOffset, &value, 1, why)) {
    error = InContext(path, "save the progress byte", why);
    return false;
  }
  return true;
}

bool ReadStage(Files& files, const std::string& path, int32_t stageNo, StageCells& cells,
               std::string& error) {
  if (!ValidStage(path, stageNo, "read", error)) return false;
  uint8_t bytes[kStageSize];
  std::string why;
  if (!files.ReadAt(path, StageCellOffset(stageNo, 0, 0), bytes, sizeof bytes, why)) {
    error = InContext(path, "read stage " + std::to_string(stageNo), why);
    return false;
  }
  std::memcpy(cells, bytes, sizeof bytes);
  return true;
}

bool WriteStage(Files& files, const std::string& path, int32_t stageNo, const StageCells& cells,
                std::string& error) {
  if (!ValidStage(path, stageNo, "save", error)) return false;
  std::string why;
  if (!files.WriteAt(path, StageCellOffset(stageNo, 0, 0), cells, kStageSize, why)) {
    error = InContext(path, "save stage " + std::to_string(stageNo), why);
    return false;
  }
  return true;
}

bool ReadTune(Files& files, const std::string& path, std::vector<uint8_t>& out,
              std::string& error) {
  return ReadBlob(files, path, kTuneOffset, kTuneSize, "read the tune", out, error);
}

bool ReadEffect(Files& files, const std::string& path, int i, std::vector<uint8_t>& out,
                std::string& error) {
  if (i < 0 || i > 9) {
    error = path + ": cannot read effect " + std::to_string(i) + ": expected an effect from 0 to 9";
    return false;
  }
  return ReadBlob(files, path, kSfxOffset[i], kSfxSize[i], "read effect " + std::to_string(i),
                  out, error);
}

bool ReadEffectBank(Files& files, const std::string& path,
                    std::vector<std::vector<uint8_t>>& effects, std::string& error) {
  std::vector<uint8_t> bank;
  bool missing = false;
  std::string why;
  if (!files.ReadAll(path, bank, missing, why)) {
    error = InContext(path, "read the effects", why);
    return false;
  }
  if (static_cast<int64_t>(bank.size()) != kEffectBankSize) {
    error = path + ": cannot read the effects: expected " + std::to_string(kEffectBankSize) +
            " bytes (the ten effects), found " + std::to_string(bank.size());
    return false;
  }
  std::vector<std::vector<uint8_t>> out(std::size(kSfxSize));
  for (size_t i = 0; i < out.size(); ++i) {
    const auto from = bank.begin() + (kSfxOffset[i] - kEffectBankOffset);
    out[i].assign(from, from + kSfxSize[i]);
  }
  effects.swap(out);
  return true;
}

}  // namespace rara3
