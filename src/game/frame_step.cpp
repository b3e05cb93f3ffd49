// The frame's clock. Every counter advances after the flip of the frame
// that showed it, so a frame always shows the state the step before left.
#include "game/frame_step.h"

#include "core/sheets.h"
#include "game/board.h"
#include "game/frame_view.h"

namespace rara3 {

namespace {

// One step of 4 px every StepFrames frames, six steps a cell.
constexpr int32_t kWalkSteps = 6;
// The box slides 8 px a frame.
constexpr int32_t kSlideSpeed = 8;
// Frames of each event at the stop.
constexpr int32_t kPairFrames = 96;
constexpr int32_t kCopyFrames = 96;
constexpr int32_t kVanishFrames = 64;
constexpr int32_t kBlastFrameTicks = 72;

// Starts an effect the first time its latch is seen False. The latch is set
// even with effects off, so an effect that began silently stays silent.
void PlayOnce(const GameState& g, Audio& audio, bool& latch, Effect effect) {
  if (latch) return;
  latch = true;
  if (g.switches.SoundOn) audio.PlaySfx(effect);
}

// Counts a scene's frame, up to the count at which the scene holds.
void CountToHold(int32_t& tick, int32_t hold) {
  if (tick < hold) tick += 1;
  if (tick > hold) tick = hold;
}

struct EndingClock {
  int32_t phase;
  int32_t tick;
};

// The ending's next frame; the last phase holds.
EndingClock NextEndingFrame(const GameState& g) {
  EndingClock next{g.pace.EndingPhase, g.pace.EndingTick};
  if (next.phase < 0 || next.phase >= kEndingLastPhase) return next;
  next.tick += 1;
  if (next.tick >= kEndingPhaseFrames[next.phase]) {
    next.tick = 0;
    next.phase += 1;
  }
  return next;
}

// The box's part of the coming frame: its event's effect and the flicker's
// picks, and the hit cell that changes once the pass has drawn the box.
void PrepareBox(GameState& g, Audio& audio) {
  const bool boxInPass = InGrid(g.TargetX, g.TargetY);
  auto changeHitCell = [&g](int32_t kind) {
    g.frame.PassChange = {true, g.TargetX, g.TargetY, g.HitX, g.HitY, kind};
  };
  const BoxPart part = BoxPartOf(g);
  if (part == BoxPart::Slide && boxInPass && g.push.SlideOffset + kSlideSpeed >= g.SlideDistance &&
      SlideEndEmptiesHit(g)) {
    changeHitCell(KindEmpty);
  }
  if (part != BoxPart::Event) return;
  switch (g.PushKind) {
    case KindPairBox:
      PlayOnce(g, audio, g.latches.PairSfxDone, Effect::Pairing);
      // 96 frames of a randomly coloured box; either colour set.
      g.frame.FlickerRow = static_cast<int32_t>(NextRandom(g) * 2);
      g.frame.FlickerColumn = static_cast<int32_t>(NextRandom(g) * kBoxColumns);
      break;
    case KindVanishBox:
      PlayOnce(g, audio, g.latches.VanishSfxDone, Effect::Vanish);
      break;
    case KindCopyBox:
      PlayOnce(g, audio, g.latches.CopySfxDone, Effect::ColourChange);
      if (boxInPass && g.push.CopyTick + 1 >= kCopyFrames) changeHitCell(g.HitKind);
      break;
    case KindBombBox:
      PlayOnce(g, audio, g.latches.BlastSfxDone, Effect::Explosion);
      break;
    default:
      break;
  }
}

void AdvanceGlow(GameState& g) {
  for (int32_t n = GlowsInPass(g); n > 0; --n) g.pace.GlowTick = NextGlowTick(g.pace.GlowTick);
}

void FinishWalk(GameState& g) {
  if (CompleteWalk(g)) {
    g.pace.ClearTick = 0;
    g.flow.Scene = SceneClear;
  } else {
    g.flow.Scene = SceneIdle;
  }
}

void AdvanceWalk(GameState& g) {
  g.pace.StepTick += 1;
  if (g.pace.StepTick < FramesPerStep(g)) return;
  g.pace.StepTick = 0;
  g.pace.WalkFrame += 1;
  if (g.pace.WalkFrame >= kWalkFrames) g.pace.WalkFrame = 0;
  g.pace.AnimStep += 1;
  if (g.pace.AnimStep >= kWalkSteps) FinishWalk(g);
}

void EndEvent(GameState& g) {
  EndPushPhase(g, PushPhase::Event);
  g.push.EventDone = true;
}

// A counter of the event's frames; the event ends when it reaches its count.
void CountEvent(GameState& g, int32_t& tick, int32_t frames) {
  tick += 1;
  if (tick >= frames) EndEvent(g);
}

void AdvanceBox(GameState& g) {
  switch (BoxPartOf(g)) {
    case BoxPart::Slide:
      g.push.SlideOffset += kSlideSpeed;
      if (g.push.SlideOffset >= g.SlideDistance) {
        g.push.SlideDone = true;
        g.push.EventDone = EndPushPhase(g, PushPhase::Slide) != PushPhase::Event;
      }
      return;
    case BoxPart::Event:
      break;
    case BoxPart::Rest:
      return;
  }
  switch (g.PushKind) {
    case KindPairBox: CountEvent(g, g.push.PairTick, kPairFrames); break;
    case KindVanishBox: CountEvent(g, g.push.VanishTick, kVanishFrames); break;
    case KindCopyBox: CountEvent(g, g.push.CopyTick, kCopyFrames); break;
    case KindBombBox: CountEvent(g, g.push.BlastTick, kBlastFrameTicks); break;
    default: EndEvent(g); break;  // the slide box's one frame, or no event at all
  }
}

void AdvancePushPose(GameState& g) {
  if (g.push.PushPoseDone) return;
  g.pace.AnimStep += 1;
  if (g.pace.AnimStep >= kPushFrames * FramesPerStep(g)) g.push.PushPoseDone = true;
}

// The copy box that became a pair box plays the pairing next.
void HandOverToPairing(GameState& g) {
  g.push.SlideDone = true;
  g.push.EventDone = false;
  g.push.PairTick = 0;
  g.latches.PairSfxDone = false;
}

void AdvancePush(GameState& g) {
  AdvanceBox(g);
  AdvancePushPose(g);
  if (!(g.push.PushPoseDone && g.push.SlideDone && g.push.EventDone)) return;
  if (EndPushPhase(g, PushPhase::Settled) == PushPhase::Event) {
    HandOverToPairing(g);
  } else {
    g.flow.Scene = SceneIdle;
  }
}

void AdvanceEnding(GameState& g) {
  const EndingClock next = NextEndingFrame(g);
  g.pace.EndingPhase = next.phase;
  g.pace.EndingTick = next.tick;
}

}  // namespace

bool StepBeforeDraw(GameState& g, Audio& audio) {
  if (!g.lifecycle.LoopStarted) return false;
  g.frame.DirIndex = DirIndexOf(g.Facing);
  if (g.flow.Scene < SceneTitle || g.flow.Scene > SceneEditor) return false;
  g.frame.PassChange = {};
  switch (g.flow.Scene) {
    case ScenePush:
      PlayOnce(g, audio, g.latches.PushSfxDone, Effect::Push);
      PrepareBox(g, audio);
      break;
    case SceneClear:
      PlayOnce(g, audio, g.latches.ClearSfxDone, Effect::Clear);
      break;
    case SceneEnding: {
      // The portrait's voice belongs to the ending itself: it plays even
      // with effects switched off, as the second phase ends.
      const EndingClock next = NextEndingFrame(g);
      if (g.pace.EndingPhase == 1 && next.tick == 0) audio.PlaySfx(Effect::Ending);
      break;
    }
    default:
      break;
  }
  return true;
}

void StepAfterFlip(GameState& g) {
  // The glows as the pass drew them, before the push changes the board.
  AdvanceGlow(g);
  switch (g.flow.Scene) {
    case SceneWalk: AdvanceWalk(g); break;
    case ScenePush: AdvancePush(g); break;
    case SceneClear: CountToHold(g.pace.ClearTick, kClearHold); break;
    case SceneRetire: CountToHold(g.pace.RetireTick, kRetireHold); break;
    case SceneEnding: AdvanceEnding(g); break;
    default: break;
  }
  if (g.Panel.changeTicks > 0) --g.Panel.changeTicks;
  g.frame.PassChange = {};
}

}  // namespace rara3
