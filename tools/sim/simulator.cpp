#include "simulator.h"

#include "core/stage_chars.h"
#include "game/game.h"
#include "app/headless_bring_up.h"
#include "app/main_loop.h"
#include "platform/compose/test_sheets.h"
#include "state_fields.h"

namespace rara3::sim {
namespace {

// States searched per pass: about what the desktop's worker thread gets
// through in a 60th of a second, so findings come on much the same pass.
constexpr uint64_t kSearchStatesPerPass = 20'000;

template <typename T>
std::string JoinSince(const std::vector<T>& items, size_t& seen) {
  std::string out;
  for (size_t i = seen; i < items.size(); ++i) {
    if (i > seen) out += ',';
    out += std::to_string(items[i]);
  }
  seen = items.size();
  return out;
}

}  // namespace

Simulator::Simulator(Files& files, const SimOptions& options)
    : options_(options),
      search_(MakeCountedSearch(InGameSearchCaps(), kSearchStatesPerPass)),
      g_(std::make_unique<GameState>()),
      hp_(files) {
  // Nothing reads the blit list; long runs stay fast without it.
  hp_.display.recordBlits = false;
  hp_.system.echoErrors = true;
}

bool Simulator::Start(const std::string& programDir, std::string& error) {
  if (options_.compose) {
    compositor_ = std::make_unique<Compositor>();
    std::string artError;
    if (options_.testSheets || !compositor_->LoadEmbeddedSheets(artError)) {
      if (!options_.testSheets) error = artError;  // reported below if the test sheets fail too
      if (!LoadTestSheets(*compositor_, error)) return false;
      if (!options_.testSheets) hp_.system.ReportError("rara3-sim: " + artError + "; snapshots use test sheets");
    }
    sink_ = std::make_unique<ComposeSink>(*compositor_);
    hp_.display.sink = sink_.get();
  }
  if (!StartHeadless(*g_, hp_.platform, programDir, error)) return false;
  g_->Panel.shown = options_.panels;
  g_->Help.Search = search_.get();
  return true;
}

bool Simulator::Pass() {
  RunPass(*g_, hp_.platform, queued_);
  queued_.clear();
  ++frames_;
  return hp_.system.Ended();
}

void Simulator::Hold(int32_t arrows) {
  hp_.keyboard.held[KeyStateLeft] = (arrows & 1) != 0 ? 0x80 : 0;
  hp_.keyboard.held[KeyStateUp] = (arrows & 2) != 0 ? 0x80 : 0;
  hp_.keyboard.held[KeyStateRight] = (arrows & 4) != 0 ? 0x80 : 0;
  hp_.keyboard.held[KeyStateDown] = (arrows & 8) != 0 ? 0x80 : 0;
}

int Simulator::Run(const std::vector<Command>& script, std::ostream& out, std::ostream& err) {
  const auto ended = [&]() {
    out << "ended\n";
    out.flush();
    return hp_.system.ExitStatus();
  };
  if (hp_.system.Ended()) return ended();
  for (const Command& c : script) {
    switch (c.op) {
      case Op::Key:
        queued_.push_back({WindowEventKind::KeyDown, static_cast<int16_t>(c.a), static_cast<int16_t>(c.b)});
        break;
      case Op::Hold: Hold(c.a); break;
      case Op::Click:
        queued_.push_back({WindowEventKind::PointerDown, 0, 0, c.a, c.b});
        queued_.push_back({WindowEventKind::PointerUp, 0, 0, c.a, c.b});
        break;
      case Op::Swipe: {
        // From the middle of the board, two cells' way.
        const int32_t x = 320 + 48 * c.a;
        const int32_t y = 240 + 48 * c.b;
        queued_.push_back({WindowEventKind::PointerDown, 0, 0, 320, 240});
        queued_.push_back({WindowEventKind::PointerMove, 0, 0, x, y});
        if (!c.held) queued_.push_back({WindowEventKind::PointerUp, 0, 0, x, y});
        swipeX_ = x;
        swipeY_ = y;
        break;
      }
      case Op::Release:
        queued_.push_back({WindowEventKind::PointerUp, 0, 0, swipeX_, swipeY_});
        break;
      case Op::Run:
        for (int32_t i = 0; i < c.a; ++i)
          if (Pass()) return ended();
        break;
      case Op::Until: {
        int32_t passes = 0;
        while (g_->flow.Scene != c.b) {
          if (passes == c.a) {
            out.flush();
            err << "rara3-sim: line " << c.line << ": scene " << c.b << " not reached in " << c.a
                << " passes (scene " << g_->flow.Scene << ")\n";
            return kStatusScript;
          }
          ++passes;
          if (Pass()) return ended();
        }
        break;
      }
      case Op::Print: {
        std::string line;
        for (const std::string& f : c.fields) {
          if (!line.empty()) line += ' ';
          line += f + "=" + StateFieldValue(*g_, frames_, f);
        }
        out << line << '\n';
        break;
      }
      case Op::Map:
        for (int y = 0; y < kBoardSize; ++y) {
          std::string row;
          for (int x = 0; x < kBoardSize; ++x) row += StageCharOfKind(g_->Map[x][y]);
          out << row << '\n';
        }
        break;
      case Op::Sfx: out << "sfx=" << JoinSince(hp_.audio.sfxStarted, sfxSeen_) << '\n'; break;
      case Op::Pauses: out << "pauses=" << JoinSince(hp_.system.pauses, pausesSeen_) << '\n'; break;
      case Op::Tune: out << (hp_.audio.tunePlaying ? "tune=playing" : "tune=stopped") << '\n'; break;
      case Op::TuneEnd: hp_.audio.FinishTune(); break;
      case Op::Snap: {
        std::string error;
        if (!compositor_->SavePng(c.file, error)) {
          out.flush();
          err << "rara3-sim: line " << c.line << ": " << error << '\n';
          return kStatusFile;
        }
        break;
      }
      case Op::Close:
        HandleClose(*g_, hp_.platform);
        if (hp_.system.Ended()) return ended();
        break;
    }
  }
  return kStatusOk;
}

}  // namespace rara3::sim
