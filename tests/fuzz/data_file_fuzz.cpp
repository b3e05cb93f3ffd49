// Data files of any content and length: the start-up either refuses with a
// message or brings the game up; then a stage of any number is loaded for
// play and for the editor and a few frames run with held arrows and keys
// from the input. Nothing may read or write out of bounds, and a refused
// stage leaves the game on the title.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "data/data_file.h"
#include "game/game.h"
#include "app/headless_bring_up.h"
#include "app/main_loop.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"
#include "fuzz_input.h"

using namespace rara3;

namespace {

constexpr int kFrames = 48;

// Lengths around the ones that matter: none, the stages only, one byte short
// of the progress, the effects cut short, the exact size, longer.
int64_t FileLength(uint8_t mode, size_t rest) {
  switch (mode % 8) {
    case 0: return 0;
    case 1: return static_cast<int64_t>(rest);
    case 2: return kProgressOffset;
    case 3: return kProgressOffset + 1;
    case 4: return kDataFileSize - 1;
    case 5: return kDataFileSize + 1;
    default: return kDataFileSize;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto state = std::make_unique<GameState>();
  FuzzInput in{data, size};
  const int64_t length = FileLength(in.Byte(), size);
  int32_t stageNo = in.Int();
  // Mostly a real stage number, sometimes anything.
  if ((stageNo & 0x40000000) == 0) stageNo = 1 + static_cast<int32_t>(static_cast<uint32_t>(stageNo) % 100);
  const uint8_t keys = in.Byte();

  MemoryFiles files;
  std::vector<uint8_t>& bytes = files.files["/game/TOVAK.DAT"];
  bytes.assign(static_cast<size_t>(length), 0);
  // The rest of the input, repeated over the stages and the progress byte.
  const size_t rest = size - in.at;
  if (rest > 0) {
    const size_t area = std::min<size_t>(bytes.size(), kProgressOffset + 1);
    for (size_t i = 0; i < area; ++i) bytes[i] = data[in.at + i % rest];
  }

  HeadlessPlatform hp(files);
  hp.display.recordBlits = false;
  GameState& g = *state;
  g = GameState{};
  std::string error;
  if (!StartHeadless(g, hp.platform, "/game", error)) {
    if (error.empty()) abort();
    return 0;
  }
  for (int pass = 0; pass < 2; ++pass) {
    g.flow.StageNo = stageNo;
    const bool loaded = pass == 0 ? LoadStage(g, hp.platform.files, hp.platform.system) : LoadStageForEditor(g, hp.platform.files, hp.platform.system);
    if (!loaded && g.flow.Scene != SceneTitle) abort();
    for (int f = 0; f < kFrames && !hp.system.Ended(); ++f) {
      const uint8_t k = in.Byte() ^ keys;
      hp.keyboard.held[KeyStateLeft] = (k & 1) ? 0x80 : 0;
      hp.keyboard.held[KeyStateUp] = (k & 2) ? 0x80 : 0;
      hp.keyboard.held[KeyStateRight] = (k & 4) ? 0x80 : 0;
      hp.keyboard.held[KeyStateDown] = (k & 8) ? 0x80 : 0;
      std::vector<WindowEvent> events;
      // Editor keys and Esc now and then; Enter saves into the memory file.
      if ((k & 0x30) == 0x30) {
        static const int16_t kKeys[] = {KeyLeft, KeyUp, KeyRight, KeyDown, KeyA, KeyZ,
                                        KeyQ,    Key1,  Key8,     KeyEnter, KeyEscape, KeySpace};
        events.push_back({WindowEventKind::KeyDown, kKeys[(k >> 6 | f) % 12], 0});
      }
      RunPass(g, hp.platform, events);
    }
    if (hp.system.Ended()) break;
  }
  // The data file keeps its length whatever happened.
  if (static_cast<int64_t>(files.files["/game/TOVAK.DAT"].size()) != length) abort();
  return 0;
}
