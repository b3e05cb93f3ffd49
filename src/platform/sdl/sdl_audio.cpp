#include "platform/sdl/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <filesystem>

#include "core/display_error_text.h"
#include "platform/sdl/midi_length.h"

namespace rara3 {

std::string FindSoundFont() {
  namespace fs = std::filesystem;
  const char* preferred = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  std::error_code ec;
  if (fs::is_regular_file(preferred, ec)) return preferred;
  for (const char* dir : {"/usr/share/sounds/sf2", "/usr/share/soundfonts", "/usr/share/sounds/sf3",
                          "/usr/local/share/soundfonts"}) {
    std::vector<std::string> found;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string ext = it->path().extension().string();
      if ((ext == ".sf2" || ext == ".sf3") && it->is_regular_file(ec)) found.push_back(it->path());
    }
    if (!found.empty()) {
      std::sort(found.begin(), found.end());
      return found.front();
    }
  }
  return "";
}

SdlAudio::~SdlAudio() { Close(); }

void SdlAudio::InitDriver() {
  if (driverStarted_ || !driverError_.empty()) return;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    driverError_ = SDL_GetError();
    return;
  }
  driverStarted_ = true;
}

void SdlAudio::Open() {
  if (!driverStarted_) {
    if (driverError_.empty()) driverError_ = "the audio driver was not started";
    system_.ReportError("no sound: " + driverError_);
    return;
  }
  Mix_Init(MIX_INIT_MID);
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    system_.ReportError(std::string("no sound: ") + Mix_GetError());
    return;
  }
  open_ = true;
  int rate = 0;
  Uint16 format = 0;
  int channels = 0;
  if (Mix_QuerySpec(&rate, &format, &channels) != 0 && channels > 0) {
    mixRate_ = rate;
    frameBytes_ = channels * (SDL_AUDIO_BITSIZE(format) / 8);
    Mix_SetPostMix(&SdlAudio::CountMixed, this);
  }
  // Channels 0 to 9 belong to the effects, one each.
  MixerEffects::ReserveChannels(kEffectVolume);
  Mix_VolumeMusic(kMusicVolume);
  soundFont_ = FindSoundFont();
  if (soundFont_.empty()) {
    musicSilent_ = true;
    system_.ReportError("no music: no soundfont found (install timgm6mb-soundfont)");
  } else {
    Mix_SetSoundFonts(soundFont_.c_str());
  }
}

void SdlAudio::StopDriverIfUnused() {
  if (!driverStarted_ || open_) return;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  driverStarted_ = false;
}

Mix_Music* SdlAudio::LoadMusic() {
  SDL_RWops* rw = SDL_RWFromConstMem(tuneBytes_.data(), static_cast<int>(tuneBytes_.size()));
  if (rw == nullptr) return nullptr;
  return Mix_LoadMUSType_RW(rw, MUS_MID, 1);
}

void SdlAudio::FreeMusic() {
  if (tune_ != nullptr) Mix_FreeMusic(tune_);
  tune_ = nullptr;
}

void SdlAudio::LoadNextTune() {
  nextTune_ = std::async(std::launch::async, [this] {
    _Mix_Music* next = LoadMusic();
    // SDL keeps per-thread state (its error text) for a thread it did not
    // make: given back before the thread ends.
    SDL_TLSCleanup();
    return next;
  });
}

_Mix_Music* SdlAudio::TakeNextTune() { return nextTune_.valid() ? nextTune_.get() : nullptr; }

void SdlAudio::DropNextTune() {
  if (_Mix_Music* next = TakeNextTune()) Mix_FreeMusic(next);
}

void SdlAudio::LoadTune(std::vector<uint8_t> bytes) {
  tuneBytes_ = std::move(bytes);
  tuneSeconds_ = MidiLengthSeconds(tuneBytes_.data(), tuneBytes_.size());
  if (!open_ || musicSilent_) return;
  tune_ = LoadMusic();
  if (tune_ == nullptr) {
    throw PlatformError{kCodeSoundBadFormat, std::string("tune: ") + Mix_GetError()};
  }
  tuneUsed_ = false;
}

void SdlAudio::LoadEffect(int i, const std::vector<uint8_t>& bytes) {
  if (open_) effects_.Load(i, bytes);
}

void SdlAudio::CountMixed(void* self, Uint8*, int bytes) {
  auto* audio = static_cast<SdlAudio*>(self);
  if (audio->frameBytes_ > 0) audio->mixedFrames_ += static_cast<uint64_t>(bytes / audio->frameBytes_);
}

void SdlAudio::Close() {
  if (!open_) return;
  Mix_SetPostMix(nullptr, nullptr);
  effects_.Free();
  Mix_HaltMusic();
  FreeMusic();
  DropNextTune();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  driverStarted_ = false;
  open_ = false;
}

void SdlAudio::PlaySfx(Effect e) {
  if (open_) effects_.Play(e);
}

bool SdlAudio::TuneIsPlaying() {
  if (!open_ || musicSilent_ || musicClosed_) return silentTunePlaying_;
  if (Mix_PlayingMusic() == 0) return false;
  // The synthesiser reports the tune as playing for seconds after its last
  // note while the reverb dies away; the file's own length ends it on time.
  // Counted in frames the mixer has played, so the tune keeps its length
  // whatever the device's clock does.
  if (tuneSeconds_ > 0 && mixRate_ > 0) {
    const double played = static_cast<double>(mixedFrames_.load() - tuneStarted_) / mixRate_;
    if (played >= tuneSeconds_ + kTuneTailSeconds) return false;
  }
  return true;
}

void SdlAudio::PlayTune() {
  if (!open_ || musicSilent_ || musicClosed_) {
    silentTunePlaying_ = true;
    return;
  }
  // A MIDI tune halted and played again repeats part of itself, and
  // rewinding it does nothing: every start plays a freshly loaded copy.
  if (tuneUsed_ || tune_ == nullptr) {
    FreeMusic();
    tune_ = TakeNextTune();
    // Loaded here when the copy beside the game failed, for the error text.
    if (tune_ == nullptr) tune_ = LoadMusic();
    if (tune_ == nullptr) {
      throw PlatformError{kCodeSoundBadFormat, std::string("tune: ") + Mix_GetError()};
    }
  }
  tuneUsed_ = true;
  tuneStarted_ = mixedFrames_.load();
  if (Mix_PlayMusic(tune_, 1) != 0) {
    throw PlatformError{kCodeSoundBadFormat, std::string("tune: ") + Mix_GetError()};
  }
  if (!nextTune_.valid()) LoadNextTune();
}

void SdlAudio::StopTune() {
  silentTunePlaying_ = false;
  if (open_) Mix_HaltMusic();
}

void SdlAudio::CloseMusic() {
  StopTune();
  musicClosed_ = true;
  if (open_) {
    FreeMusic();
    DropNextTune();
  }
}

}  // namespace rara3
