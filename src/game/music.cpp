// The tune's operations and the switches of music, sound, colours and speed.
#include "game/game.h"
#include "game/move_step.h"
#include "game/toggles.h"

namespace rara3 {

void RestartTune(Platform& p) {
  if (p.audio.TuneIsPlaying()) p.audio.StopTune();
  p.audio.PlayTune();
}

void StopTune(Platform& p) { p.audio.StopTune(); }

void TuneKeepAlive(GameState& g, Platform& p) {
  if (!(g.switches.MusicOn && g.lifecycle.LoopStarted && g.lifecycle.FormActive)) return;
  if (p.audio.TuneIsPlaying()) return;
  // The tune plays once per start; its end is noticed here and it starts over.
  p.audio.PlayTune();
  p.system.Pause(500);
}

void ToggleMusic(GameState& g, Platform& p, bool pauseAfterOn) {
  if (g.switches.MusicOn) {
    g.switches.MusicOn = false;
    StopTune(p);
    return;
  }
  g.switches.MusicOn = true;
  RestartTune(p);
  if (pauseAfterOn) p.system.Pause(500);
}

void ToggleSound(GameState& g) { g.switches.SoundOn = !g.switches.SoundOn; }

void ToggleColors(GameState& g) { g.switches.AltColors = g.switches.AltColors == 0 ? 1 : 0; }

void CycleSpeed(GameState& g) {
  switch (g.switches.StepFrames) {
    case 2: g.switches.StepFrames = 1; break;
    case 1: g.switches.StepFrames = 3; break;
    default: g.switches.StepFrames = 2; break;
  }
}

}  // namespace rara3
