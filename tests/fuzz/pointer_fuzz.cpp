// Pointer and pad play on the shipped stages: any mix of presses, drags and
// releases anywhere (on the board, beside it, far outside the picture), the
// page's keys as the browser reports them (its keyCode, turned into the
// game's key as the page does) and the touch pad's keys, held arrows and
// runs of passes. Whatever comes, the game stays in its scenes, the move
// record in its bounds, and an idle board holds exactly one player where
// the player stands.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/headless_bring_up.h"
#include "app/main_loop.h"
#include "core/data_layout.h"
#include "core/keys.h"
#include "data/data_pack.h"
#include "game/game.h"
#include "platform/browser/browser_keys.h"
#include "platform/headless/headless_platform.h"
#include "platform/posix/posix_files.h"
#include "support/memory_files.h"
#include "fuzz_input.h"

using namespace rara3;

namespace {

constexpr int kMaxPasses = 1500;

// A picture coordinate from -64 to 703: the board, the bars, and beyond.
int32_t Coordinate(FuzzInput& in) { return ((in.Byte() << 8 | in.Byte()) % 768) - 64; }

// The shipped data file, every stage open, packed once.
const std::vector<uint8_t>& Shipped() {
  static const std::vector<uint8_t> data = [] {
    const std::string assets = std::string(RARA3_SOURCE_DIR) + "/assets";
    PosixFiles posix;
    std::vector<uint8_t> out;
    std::vector<std::string> errors;
    if (!PackDataFile(posix, {assets + "/stages", assets + "/sound/tune.mid", assets + "/sound", "100"},
                      out, errors)) {
      std::fprintf(stderr, "cannot pack the shipped stages: %s\n", errors.front().c_str());
      std::abort();
    }
    return out;
  }();
  return data;
}

// The touch pad's keys and the keys of play; the editor's hidden keys stay
// out, so every idle board is a shipped stage.
const int16_t kPadKeys[] = {KeyEnter, KeyEscape, KeySpace, KeyBackspace, KeyR, KeyH,
                            KeyF1,    KeyLeft,   KeyUp,    KeyRight,     KeyDown, KeyU, KeyZ};
const int kArrowScans[] = {KeyStateUp, KeyStateLeft, KeyStateRight, KeyStateDown};

void Check(const GameState& g, bool ended) {
  if (g.record.RecordCount < 0 || g.record.RecordCount > RecordCapacity) {
    std::fprintf(stderr, "record count %d\n", static_cast<int>(g.record.RecordCount));
    std::abort();
  }
  if (ended || g.flow.Scene != SceneIdle) return;
  int players = 0;
  for (const auto& column : g.Map)
    for (int32_t k : column) players += k == KindPlayer;
  if (players != 1 || !InGrid(g.PlayerX, g.PlayerY) || g.Map[g.PlayerX][g.PlayerY] != KindPlayer) {
    std::fprintf(stderr, "stage %d: %d players, the player at %d,%d\n", static_cast<int>(g.flow.StageNo),
                 players, static_cast<int>(g.PlayerX), static_cast<int>(g.PlayerY));
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryFiles files;
  files.files["/g/TOVAK.DAT"] = Shipped();
  auto hp = std::make_unique<HeadlessPlatform>(files);
  hp->display.recordBlits = false;
  auto g = std::make_unique<GameState>();
  std::string error;
  if (!StartHeadless(*g, hp->platform, "/g", error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::abort();
  }

  FuzzInput in{data, size};
  // The stage: up from the title's first, then Enter.
  std::vector<WindowEvent> events;
  for (int n = in.Byte() % kStageCount; n > 0; --n) events.push_back({WindowEventKind::KeyDown, KeyUp});
  events.push_back({WindowEventKind::KeyDown, KeyEnter});
  RunPass(*g, hp->platform, events);

  int passes = 0;
  while (in.More() && passes < kMaxPasses && !hp->system.Ended()) {
    events.clear();
    const uint8_t op = in.Byte();
    int run = 1;
    switch (op % 6) {
      case 0:
      case 1:
      case 2: {
        constexpr WindowEventKind kKinds[3] = {WindowEventKind::PointerDown, WindowEventKind::PointerMove,
                                               WindowEventKind::PointerUp};
        const int32_t x = Coordinate(in);
        const int32_t y = Coordinate(in);
        events.push_back({kKinds[op % 6], 0, 0, x, y});
        break;
      }
      case 3: {  // a key as the page reports it: the browser's keyCode and modifiers
        const unsigned long keyCode = in.Byte();
        const uint8_t mods = in.Byte();
        const int16_t mask = ModifierMaskOfDom(mods & 1, false, mods & 4);
        const int16_t key = VirtualKeyOfDom(keyCode);
        if (key != 0 && key != KeyF7 && key != KeyF9 && key != KeyF11) {
          events.push_back({WindowEventKind::KeyDown, key, mask});
        }
        break;
      }
      case 4:  // a key of the touch pad
        events.push_back({WindowEventKind::KeyDown, kPadKeys[in.Byte() % std::size(kPadKeys)]});
        break;
      case 5: {  // arrows held for a while
        const uint8_t held = in.Byte();
        for (int i = 0; i < 4; ++i) hp->keyboard.held[kArrowScans[i]] = (held >> i & 1) ? 0x80 : 0;
        run = 1 + in.Byte() % 64;
        break;
      }
    }
    for (int i = 0; i < run && passes < kMaxPasses && !hp->system.Ended(); ++i, ++passes) {
      RunPass(*g, hp->platform, i == 0 ? events : std::vector<WindowEvent>{});
      Check(*g, hp->system.Ended());
    }
    hp->audio.sfxStarted.clear();
    hp->audio.tuneOps.clear();
  }
  return 0;
}
