// Sound in the page: the ten effects (wave files) on SDL2_mixer, the tune
// as the page's recording of it. The browser lets sound
// start only after the player's first key or click; until then the effects
// are silent and a started tune waits to begin from its start.
#pragma once

#include <cstdint>
#include <vector>

#include "core/platform.h"
#include "platform/mixer/mixer_effects.h"

namespace rara3 {

// 10 dB down, on SDL_mixer's 0..128 scale (the page attenuates the tune).
constexpr int kBrowserEffectVolume = 40;

class BrowserAudio : public Audio {
 public:
  BrowserAudio() = default;
  ~BrowserAudio() override;
  BrowserAudio(const BrowserAudio&) = delete;
  BrowserAudio& operator=(const BrowserAudio&) = delete;

  // Opens the page's audio output for the effects. Without one the effects
  // stay silent, which is said once through system.
  void Open(System& system);
  // Hands the tune to the page; it stays silent.
  void LoadTune(const std::vector<uint8_t>& bytes);
  // Effect i from a wave file's bytes; throws PlatformError when they
  // cannot be played.
  void LoadEffect(int i, const std::vector<uint8_t>& bytes);
  void Close();

  void PlaySfx(Effect e) override;
  bool TuneIsPlaying() override;
  void PlayTune() override;
  void StopTune() override;
  void CloseMusic() override;

 private:
  bool open_ = false;
  bool musicClosed_ = false;
  MixerEffects effects_;
};

}  // namespace rara3
