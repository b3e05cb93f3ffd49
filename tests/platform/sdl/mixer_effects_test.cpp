// The effects' lengths, which the page uses to know how long its mixer
// must run: whatever the wave file's own rate, channels and sample size.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <vector>

#include "platform/mixer/mixer_effects.h"

namespace rara3 {
namespace {

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A silent PCM wave file of frames frames.
std::vector<uint8_t> Wave(int rate, int channels, int bits, int frames) {
  const uint32_t data = static_cast<uint32_t>(frames * channels * bits / 8);
  std::vector<uint8_t> w = {'R', 'I', 'F', 'F'};
  Put(w, 36 + data, 4);
  for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) w.push_back(static_cast<uint8_t>(c));
  Put(w, 16, 4);
  Put(w, 1, 2);
  Put(w, static_cast<uint32_t>(channels), 2);
  Put(w, static_cast<uint32_t>(rate), 4);
  Put(w, static_cast<uint32_t>(rate * channels * bits / 8), 4);
  Put(w, static_cast<uint32_t>(channels * bits / 8), 2);
  Put(w, static_cast<uint32_t>(bits), 2);
  for (char c : {'d', 'a', 't', 'a'}) w.push_back(static_cast<uint8_t>(c));
  Put(w, data, 4);
  w.resize(w.size() + data, bits == 8 ? 0x80 : 0);
  return w;
}

TEST(MixerEffects, SecondsAreTheWaveFilesOwnLength) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
  ASSERT_EQ(Mix_OpenAudio(48000, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
  {
    MixerEffects effects;
    MixerEffects::ReserveChannels(40);
    EXPECT_EQ(effects.Seconds(Effect::Push), 0.0);  // not loaded
    struct Case {
      Effect effect;
      int rate, channels, bits, frames;
      double seconds;
    };
    const Case cases[] = {
        {Effect::Push, 22050, 1, 8, 11025, 0.5},
        {Effect::Clear, 44100, 2, 16, 88200, 2.0},
        {Effect::Ending, 48000, 1, 16, 4800, 0.1},
    };
    for (const Case& c : cases) {
      effects.Load(EffectIndex(c.effect), Wave(c.rate, c.channels, c.bits, c.frames));
      EXPECT_NEAR(effects.Seconds(c.effect), c.seconds, 0.002) << c.rate << " Hz";
    }
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
}  // namespace rara3
