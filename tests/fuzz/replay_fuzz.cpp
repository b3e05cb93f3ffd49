// Replay files of any bytes: ParseReplay never reads or writes out of
// bounds, leaves its outputs alone on failure, and whatever it accepts
// formats back into a file that parses to the same moves.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/replay_file.h"

using namespace rara3;

namespace {
constexpr int32_t kSentinel = -12345;
int32_t codes[ReplayCapacity + 1];
int32_t again[ReplayCapacity + 1];
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte picks a capacity: small ones reach the "too many" branch.
  int32_t capacity = ReplayCapacity;
  if (size > 0 && data[0] < 16) capacity = data[0];
  const std::vector<uint8_t> bytes(data, data + size);
  for (int32_t& c : codes) c = kSentinel;
  int32_t count = kSentinel;
  std::string error;
  if (!ParseReplay(bytes, capacity, codes, count, error)) {
    if (count != kSentinel || codes[0] != kSentinel || error.empty()) abort();
    return 0;
  }
  if (count < 0 || count > capacity || codes[capacity] != kSentinel) abort();
  const std::vector<uint8_t> formatted = FormatReplay(codes, count);
  int32_t count2 = 0;
  if (!ParseReplay(formatted, capacity, again, count2, error)) abort();
  if (count2 != count || std::memcmp(codes, again, sizeof(int32_t) * count) != 0) abort();
  return 0;
}
