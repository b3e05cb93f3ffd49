#include "core/data_layout.h"

namespace rara3 {

std::string StageDigits(int32_t stageNo) {
  const std::string digits = std::to_string(static_cast<int64_t>(stageNo) + 1000);
  return digits.substr(digits.size() - 3);
}

std::string StageFileName(int32_t stageNo, const char* extension) {
  return StageDigits(stageNo) + extension;
}

std::string EffectFileName(int i) { return "sfx" + std::to_string(i) + ".wav"; }

}  // namespace rara3
