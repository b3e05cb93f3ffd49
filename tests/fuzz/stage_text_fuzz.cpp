// Stage files of any bytes, as rara3-pack reads them: ParseStageText either
// refuses with a message and leaves the cells alone, or fills them with kinds
// 0..10 that format back into text parsing to the same cells.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data/stage_text.h"

using namespace rara3;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  StageCells cells;
  std::memset(cells, 0xEE, sizeof cells);
  std::string error;
  if (!ParseStageText(text, "fuzz.txt", cells, error)) {
    for (uint8_t c : cells)
      if (c != 0xEE) abort();
    if (error.empty()) abort();
    return 0;
  }
  for (uint8_t c : cells)
    if (c > 10) abort();
  int unknown = -1;
  const std::string formatted = FormatStageText(cells, &unknown);
  if (unknown != 0) abort();
  StageCells again;
  if (!ParseStageText(formatted, "again.txt", again, error)) abort();
  if (std::memcmp(cells, again, sizeof cells) != 0) abort();
  return 0;
}
