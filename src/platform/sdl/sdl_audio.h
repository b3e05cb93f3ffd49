// The tune (a Standard MIDI File, played through FluidSynth) and the ten
// effects (wave files) on SDL2_mixer, from the data file's bytes. Without an
// audio device the game runs silently; the tune then counts as playing from
// its start until it is stopped, so the keep-alive does not restart it over
// and over.
#pragma once

#include <atomic>
#include <cstdint>
#include <future>
#include <string>
#include <vector>

#include "core/platform.h"
#include "platform/mixer/mixer_effects.h"

struct _Mix_Music;

namespace rara3 {

// 9 dB and 10 dB down, on SDL_mixer's 0..128 scale.
constexpr int kMusicVolume = 45;
constexpr int kEffectVolume = 40;
// How long the last notes may ring past the tune's end before it counts as
// over.
constexpr double kTuneTailSeconds = 0.15;

class SdlAudio : public Audio {
 public:
  explicit SdlAudio(System& system) : system_(system) {}
  ~SdlAudio() override;
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  // Starts SDL's audio driver. On the main thread, before Open, which may
  // then run on another thread while the window comes up.
  void InitDriver();
  // Opens the audio device and sets up the MIDI synthesiser. A missing
  // device is no failure: it is said once on standard error. Never starts
  // or stops SDL's driver itself: SDL does not lock its list of started
  // parts, so only the main thread does that.
  void Open();
  // After Open: stops the driver when no device could be opened. On the
  // main thread.
  void StopDriverIfUnused();
  // Keeps the tune's bytes and loads them once to check them; the tune stays
  // silent. Throws PlatformError when the bytes cannot be played.
  void LoadTune(std::vector<uint8_t> bytes);
  // Effect i from a wave file's bytes; throws PlatformError when they
  // cannot be played.
  void LoadEffect(int i, const std::vector<uint8_t>& bytes);
  // Closes the device (and so finishes any recording of it).
  void Close();

  bool Silent() const { return !open_; }
  const std::string& SoundFont() const { return soundFont_; }

  void PlaySfx(Effect e) override;
  bool TuneIsPlaying() override;
  void PlayTune() override;
  void StopTune() override;
  void CloseMusic() override;

 private:
  _Mix_Music* LoadMusic();
  // The copy of the tune its next start plays is loaded beside the game as
  // soon as the current one starts: loading sets up the synthesiser with the
  // whole soundfont, a stall of 60 to 150 ms on the main thread.
  void LoadNextTune();
  _Mix_Music* TakeNextTune();
  void DropNextTune();
  static void CountMixed(void* self, unsigned char* stream, int bytes);
  void FreeMusic();

  System& system_;
  bool driverStarted_ = false;
  std::string driverError_;
  bool open_ = false;
  bool musicClosed_ = false;
  // No synthesiser for MIDI: the tune is silent but the game goes on.
  bool musicSilent_ = false;
  bool silentTunePlaying_ = false;
  std::string soundFont_;
  std::vector<uint8_t> tuneBytes_;
  _Mix_Music* tune_ = nullptr;
  std::future<_Mix_Music*> nextTune_;
  bool tuneUsed_ = false;
  // The tune's length from its own events (negative if unknown), the frames
  // the mixer has played (counted on the audio thread), and that count at
  // the tune's last start.
  double tuneSeconds_ = -1;
  std::atomic<uint64_t> mixedFrames_{0};
  uint64_t tuneStarted_ = 0;
  int mixRate_ = 0;
  int frameBytes_ = 0;
  MixerEffects effects_;
};

// The soundfont to use: Debian's GM soundfont where it is, else the first
// .sf2 file found in the usual folders; empty when there is none.
std::string FindSoundFont();

}  // namespace rara3
