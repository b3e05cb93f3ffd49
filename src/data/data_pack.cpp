#include "data/data_pack.h"

#include <algorithm>
#include <cstring>

#include "data/data_file.h"
#include "data/stage_text.h"

namespace rara3 {
namespace {

bool StartsWith(const std::vector<uint8_t>& bytes, size_t at, const char* text) {
  const size_t n = std::strlen(text);
  return bytes.size() >= at + n && std::memcmp(bytes.data() + at, text, n) == 0;
}

// Reads a whole input file; a failure goes to errors.
bool ReadInput(Files& files, const std::string& path, std::vector<uint8_t>& out,
               std::vector<std::string>& errors) {
  bool missing = false;
  std::string error;
  if (files.ReadAll(path, out, missing, error)) return true;
  errors.push_back(error);
  return false;
}

// A blob of fixed size and kind, put at its offset in the data file.
void PackBlob(Files& files, const std::string& path, int64_t offset, int64_t size,
              const std::string& whatSize, bool wave, std::vector<uint8_t>& data,
              std::vector<std::string>& errors) {
  std::vector<uint8_t> bytes;
  if (!ReadInput(files, path, bytes, errors)) return;
  if (static_cast<int64_t>(bytes.size()) != size) {
    errors.push_back(path + ": expected " + std::to_string(size) + " bytes (" + whatSize +
                     "), found " + std::to_string(bytes.size()));
    return;
  }
  // A swapped or foreign file is caught here rather than as silence in play.
  if (wave && !(StartsWith(bytes, 0, "RIFF") && StartsWith(bytes, 8, "WAVE"))) {
    errors.push_back(path + ": expected a wave file (RIFF WAVE), found other content");
    return;
  }
  if (!wave && !StartsWith(bytes, 0, "MThd")) {
    errors.push_back(path + ": expected a Standard MIDI File (starting with MThd), found "
                            "other content");
    return;
  }
  std::memcpy(data.data() + offset, bytes.data(), bytes.size());
}

std::vector<uint8_t> Bytes(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace

std::string StageTextName(int32_t stageNo) { return StageFileName(stageNo, kStageTextExtension); }

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return dir.back() == '/' ? dir + name : dir + "/" + name;
}

bool ParseProgressText(const std::string& text, int32_t& value, std::string& error) {
  std::string digits = text;
  if (!digits.empty() && digits.back() == '\n') digits.pop_back();
  if (!digits.empty() && digits.back() == '\r') digits.pop_back();
  int32_t v = 0;
  bool ok = !digits.empty() && digits.size() <= 3;
  for (const char c : digits) {
    if (c < '0' || c > '9') ok = false;
    if (ok) v = v * 10 + (c - '0');
  }
  if (!ok || v < 1 || v > kStageCount) {
    error = "progress: expected a whole number from 1 to " + std::to_string(kStageCount) +
            " (the highest stage the player may choose), found \"" + digits + "\"";
    return false;
  }
  value = v;
  return true;
}

bool PackDataFile(Files& files, const PackInputs& in, std::vector<uint8_t>& out,
                  std::vector<std::string>& errors) {
  const size_t errorsBefore = errors.size();
  std::vector<uint8_t> data(static_cast<size_t>(kDataFileSize), 0);

  for (int32_t s = 1; s <= kStageCount; ++s) {
    const std::string path = JoinPath(in.stageDir, StageTextName(s));
    std::vector<uint8_t> text;
    if (!ReadInput(files, path, text, errors)) continue;
    StageCells cells;
    std::string error;
    if (!ParseStageText(std::string(text.begin(), text.end()), path, cells, error)) {
      errors.push_back(error);
      continue;
    }
    std::memcpy(data.data() + StageCellOffset(s, 0, 0), cells, sizeof cells);
  }

  int32_t progress = 0;
  std::string error;
  if (ParseProgressText(in.progress, progress, error)) {
    data[kProgressOffset] = static_cast<uint8_t>(progress);
  } else {
    errors.push_back(error);
  }

  PackBlob(files, in.tunePath, kTuneOffset, kTuneSize, "the tune's fixed size", false, data,
           errors);
  for (int i = 0; i < kEffectCount; ++i) {
    PackBlob(files, JoinPath(in.effectDir, EffectFileName(i)), kSfxOffset[i], kSfxSize[i],
             "the size of effect " + std::to_string(i), true, data, errors);
  }

  if (errors.size() != errorsBefore) return false;
  out.swap(data);
  return true;
}

bool IsDataFile(const std::vector<uint8_t>& bytes) {
  return static_cast<int64_t>(bytes.size()) == kDataFileSize;
}

bool UnpackDataFile(const std::vector<uint8_t>& data, const std::string& name,
                    std::vector<UnpackedFile>& files, std::vector<std::string>& warnings,
                    std::string& error) {
  if (!IsDataFile(data)) {
    error = name + ": expected " + std::to_string(kDataFileSize) + " bytes (a data file), found " +
            std::to_string(data.size());
    return false;
  }
  std::vector<UnpackedFile> result;
  for (int32_t s = 1; s <= kStageCount; ++s) {
    StageCells cells;
    std::memcpy(cells, data.data() + StageCellOffset(s, 0, 0), sizeof cells);
    int unknown = 0;
    const std::string text = FormatStageText(cells, &unknown);
    const std::string file = JoinPath(kUnpackedStageDir, StageTextName(s));
    if (unknown > 0) {
      warnings.push_back(file + ": " + std::to_string(unknown) +
                         " cells hold values above 10 and are written as '?'; the pack "
                         "refuses '?' until each is replaced by a cell character");
    }
    result.push_back({file, Bytes(text)});
  }

  const int progress = data[kProgressOffset];
  if (progress < 1 || progress > kStageCount) {
    warnings.push_back(std::string(kProgressFileName) + ": the progress byte is " +
                       std::to_string(progress) + ", outside 1 to 100; the pack refuses it");
  }
  result.push_back({kProgressFileName, Bytes(std::to_string(progress) + "\n")});

  const auto blob = [&](int64_t offset, int64_t size) {
    return std::vector<uint8_t>(data.begin() + offset, data.begin() + offset + size);
  };
  result.push_back({JoinPath(kUnpackedSoundDir, kTuneFileName), blob(kTuneOffset, kTuneSize)});
  for (int i = 0; i < kEffectCount; ++i) {
    result.push_back(
        {JoinPath(kUnpackedSoundDir, EffectFileName(i)), blob(kSfxOffset[i], kSfxSize[i])});
  }
  files.swap(result);
  return true;
}

}  // namespace rara3
