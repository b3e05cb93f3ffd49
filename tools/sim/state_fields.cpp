#include "state_fields.h"

#include <string_view>

namespace rara3::sim {
namespace {

struct Field {
  std::string_view name;
  std::string (*value)(const GameState& g);
};

// A field by the part it sits in (empty for the Board's own fields) and its
// name, which is also the name the simulator prints.
#define NUM(part, f) Field{#f, [](const GameState& g) { return std::to_string(g.part f); }}
#define FLAG(part, f) \
  Field{#f, [](const GameState& g) { return std::string(g.part f ? "True" : "False"); }}

const Field kFields[] = {
    NUM(flow., Scene), NUM(flow., StageNo), NUM(flow., MaxStage),
    FLAG(lifecycle., LoopStarted), FLAG(lifecycle., FormActive),
    NUM(, PlayerX), NUM(, PlayerY), NUM(, TargetX), NUM(, TargetY), NUM(, ExitX), NUM(, ExitY),
    FLAG(, ExitOpen), NUM(, Facing),
    NUM(switches., StepFrames), NUM(pace., StepTick), NUM(pace., AnimStep), NUM(pace., WalkFrame),
    NUM(pace., GlowTick), NUM(switches., AltColors), NUM(pace., ClearTick), NUM(pace., RetireTick),
    NUM(pace., EndingPhase), NUM(pace., EndingTick),
    FLAG(switches., MusicOn), FLAG(switches., SoundOn),
    FLAG(record., Recording), NUM(record., RecordCount), FLAG(record., ReplayMode),
    NUM(record., ReplayCount), NUM(record., ReplayPos),
    NUM(, PushKind), NUM(, SlideEndX), NUM(, SlideEndY), NUM(, HitX), NUM(, HitY), NUM(, HitKind),
    NUM(, SlideDistance), NUM(push., SlideOffset), FLAG(push., PushPoseDone), FLAG(push., SlideDone),
    FLAG(push., EventDone), NUM(push., PairTick), NUM(push., CopyTick), NUM(push., VanishTick),
    NUM(push., BlastTick),
    FLAG(latches., PushSfxDone), FLAG(latches., PairSfxDone), FLAG(latches., CopySfxDone),
    FLAG(latches., VanishSfxDone), FLAG(latches., BlastSfxDone), FLAG(latches., ClearSfxDone),
    NUM(frame., DirIndex),
    FLAG(Help., NoWayOut), NUM(Help., HintsTaken),
    Field{"HintX", [](const GameState& g) { return std::to_string(g.Help.Hint.BoxX); }},
    Field{"HintY", [](const GameState& g) { return std::to_string(g.Help.Hint.BoxY); }},
    Field{"HintFacing", [](const GameState& g) { return std::to_string(g.Help.Hint.Facing); }},
    Field{"HintFrames", [](const GameState& g) { return std::to_string(g.Help.Hint.FramesLeft); }},
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
  return f->value(g);
}

}  // namespace rara3::sim
