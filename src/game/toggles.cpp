// The tune's operations and the switches of music, sound, colours and speed.
#include "game/toggles.h"

namespace rara3 {

void RestartTune(Audio& audio) {
  if (audio.TuneIsPlaying()) audio.StopTune();
  audio.PlayTune();
}

void TuneKeepAlive(const GameState& g, Audio& audio, System& system) {
  if (!(g.switches.MusicOn && g.lifecycle.LoopStarted && g.lifecycle.FormActive)) return;
  if (audio.TuneIsPlaying()) return;
  // The tune plays once per start; its end is noticed here and it starts over.
  audio.PlayTune();
  system.Pause(500);
}

void ToggleMusic(GameState& g, Audio& audio, System& system, bool pauseAfterOn) {
  if (g.switches.MusicOn) {
    g.switches.MusicOn = false;
    audio.StopTune();
    return;
  }
  g.switches.MusicOn = true;
  RestartTune(audio);
  if (pauseAfterOn) system.Pause(500);
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
