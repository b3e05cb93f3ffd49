#include "state_fields.h"

#include <string_view>

namespace rara3::sim {
namespace {

struct Field {
  std::string_view name;
  const int32_t GameState::*number = nullptr;  // or
  const int16_t GameState::*scene = nullptr;   // or
  const bool GameState::*flag = nullptr;
};

// Board fields are members of the Board base; a pointer to them converts to
// a pointer to GameState's member.
#define NUM(f) Field{#f, &GameState::f, nullptr, nullptr}
#define FLAG(f) Field{#f, nullptr, nullptr, &GameState::f}

const Field kFields[] = {
    Field{"Scene", nullptr, &GameState::Scene, nullptr},
    NUM(StageNo), NUM(MaxStage), FLAG(LoopStarted), FLAG(FormActive),
    NUM(PlayerX), NUM(PlayerY), NUM(TargetX), NUM(TargetY), NUM(ExitX), NUM(ExitY),
    FLAG(ExitOpen), NUM(Facing),
    NUM(StepFrames), NUM(StepTick), NUM(AnimStep), NUM(WalkFrame), NUM(GlowTick),
    NUM(AltColors), NUM(ClearTick), NUM(RetireTick), NUM(EndingPhase), NUM(EndingTick),
    FLAG(MusicOn), FLAG(SoundOn),
    FLAG(Recording), NUM(RecordCount), FLAG(ReplayMode), NUM(ReplayCount), NUM(ReplayPos),
    NUM(PushKind), NUM(SlideEndX), NUM(SlideEndY), NUM(HitX), NUM(HitY), NUM(HitKind),
    NUM(SlideDistance), NUM(SlideOffset), FLAG(PushPoseDone), FLAG(SlideDone), FLAG(EventDone),
    NUM(PairTick), NUM(CopyTick), NUM(VanishTick), NUM(BlastTick),
    FLAG(PushSfxDone), FLAG(PairSfxDone), FLAG(CopySfxDone), FLAG(VanishSfxDone),
    FLAG(BlastSfxDone), FLAG(ClearSfxDone),
    NUM(DirIndex),
};

#undef NUM
#undef FLAG

const Field* Find(const std::string& name) {
  for (const Field& f : kFields)
    if (f.name == name) return &f;
  return nullptr;
}

}  // namespace

bool IsStateField(const std::string& name) {
  return name == "Frames" || name == "AppDir" || Find(name) != nullptr;
}

std::string StateFieldValue(const GameState& g, int64_t frames, const std::string& name) {
  if (name == "Frames") return std::to_string(frames);
  if (name == "AppDir") return g.lifecycle.AppDir;
  const Field* f = Find(name);
  if (f == nullptr) return "?";
  if (f->number != nullptr) return std::to_string(g.*(f->number));
  if (f->scene != nullptr) return std::to_string(g.*(f->scene));
  return g.*(f->flag) ? "True" : "False";
}

}  // namespace rara3::sim
