#include "platform/mixer/mixer_effects.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

#include "core/display_error_text.h"

namespace rara3 {

void MixerEffects::ReserveChannels(int volume) {
  Mix_AllocateChannels(kEffectCount);
  Mix_ReserveChannels(kEffectCount);
  for (int i = 0; i < kEffectCount; ++i) Mix_Volume(i, volume);
}

void MixerEffects::Load(int i, const std::vector<uint8_t>& bytes) {
  if (i < 0 || i >= kEffectCount) return;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  Mix_Chunk* chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  if (chunk == nullptr) {
    throw PlatformError{kCodeSoundBadFormat,
                        "effect " + std::to_string(i) + ": " + std::string(Mix_GetError())};
  }
  if (chunks_[i] != nullptr) Mix_FreeChunk(chunks_[i]);
  chunks_[i] = chunk;
}

void MixerEffects::Play(Effect e) {
  const int i = EffectIndex(e);
  if (i < 0 || i >= kEffectCount || chunks_[i] == nullptr) return;
  Mix_PlayChannel(i, chunks_[i], 0);
}

double MixerEffects::Seconds(Effect e) const {
  const int i = EffectIndex(e);
  int rate = 0;
  int channels = 0;
  Uint16 format = 0;
  if (i < 0 || i >= kEffectCount || chunks_[i] == nullptr ||
      Mix_QuerySpec(&rate, &format, &channels) == 0) {
    return 0.0;
  }
  // Chunks are kept in the mixer's own format.
  const int frameBytes = SDL_AUDIO_BITSIZE(format) / 8 * channels;
  return frameBytes > 0 && rate > 0 ? static_cast<double>(chunks_[i]->alen) / frameBytes / rate : 0.0;
}

void MixerEffects::Free() {
  bool any = false;
  for (Mix_Chunk* c : chunks_) any = any || c != nullptr;
  if (!any) return;
  Mix_HaltChannel(-1);
  for (Mix_Chunk*& c : chunks_) {
    if (c != nullptr) Mix_FreeChunk(c);
    c = nullptr;
  }
}

}  // namespace rara3
