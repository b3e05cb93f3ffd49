#include "platform/browser/browser_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

#include "core/display_error_text.h"
#include "platform/browser/page.h"

namespace rara3 {

BrowserAudio::~BrowserAudio() { Close(); }

void BrowserAudio::Open(System& system) {
  // As on the desktop, a browser without sound output runs silently.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    system.ReportError(std::string("No sound: ") + SDL_GetError());
    return;
  }
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    system.ReportError(std::string("No sound: ") + Mix_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  open_ = true;
  // Channels 0 to 9 belong to the effects, one each.
  Mix_AllocateChannels(kEffectCount);
  Mix_ReserveChannels(kEffectCount);
  for (int i = 0; i < kEffectCount; ++i) Mix_Volume(i, kBrowserEffectVolume);
}

void BrowserAudio::LoadTune(const std::vector<uint8_t>& bytes) {
  page::LoadTune(bytes.data(), bytes.size());
}

void BrowserAudio::LoadEffect(int i, const std::vector<uint8_t>& bytes) {
  if (!open_ || i < 0 || i >= kEffectCount) return;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  Mix_Chunk* chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  if (chunk == nullptr) {
    throw PlatformError{kCodeSoundBadFormat,
                        "effect " + std::to_string(i) + ": " + std::string(Mix_GetError())};
  }
  if (effects_[i] != nullptr) Mix_FreeChunk(effects_[i]);
  effects_[i] = chunk;
}

void BrowserAudio::Close() {
  if (!open_) return;
  Mix_HaltChannel(-1);
  for (Mix_Chunk*& c : effects_) {
    if (c != nullptr) Mix_FreeChunk(c);
    c = nullptr;
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

void BrowserAudio::PlaySfx(Effect e) {
  const int i = EffectIndex(e);
  if (!open_ || i < 0 || i >= kEffectCount || effects_[i] == nullptr) return;
  // Playing on the effect's own channel cuts it off if it still sounds.
  Mix_PlayChannel(i, effects_[i], 0);
}

bool BrowserAudio::TuneIsPlaying() { return !musicClosed_ && page::TuneIsPlaying(); }

void BrowserAudio::PlayTune() {
  if (!musicClosed_) page::PlayTune();
}

void BrowserAudio::StopTune() { page::StopTune(); }

void BrowserAudio::CloseMusic() {
  page::CloseMusic();
  musicClosed_ = true;
}

}  // namespace rara3
