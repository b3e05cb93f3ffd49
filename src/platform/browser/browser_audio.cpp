#include "platform/browser/browser_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

#include "core/display_error_text.h"
#include "platform/browser/page.h"

namespace rara3 {

BrowserAudio::~BrowserAudio() { Close(); }

void BrowserAudio::Open(System& system) {
  // As on the desktop, a browser without sound output runs silently. SDL
  // would try to make the context the browser refused once more, and throw.
  if (!page::AudioAvailable()) return;
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
  MixerEffects::ReserveChannels(kBrowserEffectVolume);
  page::EffectsOpened();
}

void BrowserAudio::LoadTune(const std::vector<uint8_t>& bytes) {
  page::LoadTune(bytes.data(), bytes.size());
}

void BrowserAudio::LoadEffect(int i, const std::vector<uint8_t>& bytes) {
  if (open_) effects_.Load(i, bytes);
}

void BrowserAudio::Close() {
  if (!open_) return;
  effects_.Free();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

void BrowserAudio::PlaySfx(Effect e) {
  if (!open_) return;
  effects_.Play(e);
  page::EffectSounds(effects_.Seconds(e));
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
