// The ten effects on SDL2_mixer, each on a channel of its own, shared by the
// desktop's and the page's sound.
#pragma once

#include <cstdint>
#include <vector>

#include "core/platform.h"

struct Mix_Chunk;

namespace rara3 {

class MixerEffects {
 public:
  MixerEffects() = default;
  ~MixerEffects() { Free(); }
  MixerEffects(const MixerEffects&) = delete;
  MixerEffects& operator=(const MixerEffects&) = delete;

  // Reserves channels 0 to 9 for the effects at this volume (0..128); the
  // mixer's audio must be open.
  static void ReserveChannels(int volume);
  // Effect i from a wave file's bytes; throws PlatformError when they
  // cannot be played.
  void Load(int i, const std::vector<uint8_t>& bytes);
  // From its beginning on its own channel, cutting it off if it still sounds.
  void Play(Effect e);
  // How long effect e sounds, in seconds; 0 when it is not loaded.
  double Seconds(Effect e) const;
  // Stops every channel and frees the effects.
  void Free();

 private:
  Mix_Chunk* chunks_[kEffectCount] = {};
};

}  // namespace rara3
