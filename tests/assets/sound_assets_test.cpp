// The shipped tune and effects: the exact sizes the data file reserves for
// them, formats the players load, and the levels the game relies on. The
// checkers are also run on broken files, so a pass means something.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#if __has_include(<SDL.h>)
#include <SDL.h>
#define RARA3_TEST_HAS_SDL 1
#endif

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string SoundPath(const std::string& name) {
  return std::string(RARA3_SOURCE_DIR "/assets/sound/") + name;
}

uint32_t Le32(const Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t Le16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
uint32_t Be32(const Bytes& b, size_t at) {
  return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}
uint16_t Be16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] << 8 | b[at + 1]); }
bool TagAt(const Bytes& b, size_t at, const char* tag) {
  return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + static_cast<long>(at));
}

// ---------------------------------------------------------------- wave files

struct Wave {
  std::string error;  // empty when the file is well-formed
  uint16_t format = 0, channels = 0, blockAlign = 0, bits = 0;
  uint32_t rate = 0, byteRate = 0;
  size_t dataOffset = 0, dataSize = 0;
};

// Walks the RIFF chunks the way a loader does: every chunk must fit inside
// the RIFF size, odd chunks carry a pad byte, the first fmt and data count.
Wave ParseWave(const Bytes& b) {
  Wave w;
  if (b.size() < 12 || !TagAt(b, 0, "RIFF") || !TagAt(b, 8, "WAVE")) {
    w.error = "not RIFF WAVE";
    return w;
  }
  if (Le32(b, 4) + 8ull != b.size()) {
    w.error = "RIFF size does not match the file";
    return w;
  }
  bool haveFmt = false, haveData = false;
  size_t at = 12;
  while (at < b.size()) {
    if (at + 8 > b.size()) {
      w.error = "chunk header cut off";
      return w;
    }
    const uint64_t size = Le32(b, at + 4);
    if (at + 8 + size + (size & 1) > b.size()) {
      w.error = "chunk runs past the end";
      return w;
    }
    if (TagAt(b, at, "fmt ") && !haveFmt) {
      if (size < 16) {
        w.error = "fmt chunk too short";
        return w;
      }
      haveFmt = true;
      w.format = Le16(b, at + 8);
      w.channels = Le16(b, at + 10);
      w.rate = Le32(b, at + 12);
      w.byteRate = Le32(b, at + 16);
      w.blockAlign = Le16(b, at + 20);
      w.bits = Le16(b, at + 22);
    } else if (TagAt(b, at, "data") && !haveData) {
      haveData = true;
      w.dataOffset = at + 8;
      w.dataSize = size;
    }
    at += 8 + size + (size & 1);
  }
  if (!haveFmt) w.error = "no fmt chunk";
  else if (!haveData) w.error = "no data chunk";
  return w;
}

std::vector<int16_t> Samples(const Bytes& b, const Wave& w) {
  std::vector<int16_t> s(w.dataSize / 2);
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int16_t>(Le16(b, w.dataOffset + 2 * i));
  return s;
}

// Level of interleaved stereo frames [from, to) in dBFS.
double RmsDb(const std::vector<int16_t>& s, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = 2 * from; i < 2 * to && i < s.size(); ++i) sum += double(s[i]) * s[i];
  const double rms = std::sqrt(sum / double(2 * (to - from))) / 32768.0;
  return rms > 0 ? 20 * std::log10(rms) : -200.0;
}

constexpr uint32_t kRate = 22050;

struct EffectCase {
  int index;
  size_t size;
};

const EffectCase kEffects[] = {{0, 7506},  {1, 172610}, {2, 92374}, {3, 55632}, {4, 92224},
                               {5, 162882}, {6, 40194}, {7, 44852}, {8, 40054}, {9, 308934}};

class EffectFile : public testing::TestWithParam<EffectCase> {
 protected:
  void SetUp() override {
    bytes = ReadFile(SoundPath("sfx" + std::to_string(GetParam().index) + ".wav"));
    wave = ParseWave(bytes);
    if (wave.error.empty()) samples = Samples(bytes, wave);
  }
  size_t Frames() const { return samples.size() / 2; }
  Bytes bytes;
  Wave wave;
  std::vector<int16_t> samples;
};

TEST_P(EffectFile, HasTheSizeTheDataFileReserves) { EXPECT_EQ(bytes.size(), GetParam().size); }

TEST_P(EffectFile, IsStereo16BitPcmAt22050Hz) {
  ASSERT_EQ(wave.error, "");
  EXPECT_EQ(wave.format, 1);
  EXPECT_EQ(wave.channels, 2);
  EXPECT_EQ(wave.rate, kRate);
  EXPECT_EQ(wave.bits, 16);
  EXPECT_EQ(wave.blockAlign, 4);
  EXPECT_EQ(wave.byteRate, 88200u);
  EXPECT_GT(wave.dataSize, 0u);
  EXPECT_EQ(wave.dataSize % 4, 0u) << "data must hold whole stereo frames";
}

// The game plays effects 10 dB down, so each must be full, yet never clip.
TEST_P(EffectFile, IsLoudButDoesNotClip) {
  ASSERT_EQ(wave.error, "");
  int peak = 0;
  for (int16_t v : samples) peak = std::max(peak, std::abs(int(v)));
  const double peakDb = 20 * std::log10(peak / 32768.0);
  EXPECT_LE(peakDb, -1.0);
  EXPECT_GE(peakDb, -6.0);
  EXPECT_GT(RmsDb(samples, 0, Frames()), -30.0);
}

// Effects are started on an exact frame; a late start or a hard stop shows.
TEST_P(EffectFile, StartsAtOnceAndEndsInAFade) {
  ASSERT_EQ(wave.error, "");
  const size_t tenMs = kRate / 100;
  const auto first = std::find_if(samples.begin(), samples.end(),
                                  [](int16_t v) { return std::abs(int(v)) > 32;  /* -60 dBFS */ });
  ASSERT_NE(first, samples.end());
  EXPECT_LE(size_t(first - samples.begin()) / 2, tenMs);
  EXPECT_LT(RmsDb(samples, Frames() - kRate / 200, Frames()), RmsDb(samples, 0, Frames()) - 20.0)
      << "the last 5 ms are not faded";
  EXPECT_LE(std::abs(int(samples[samples.size() - 1])), 1);
  EXPECT_LE(std::abs(int(samples[samples.size() - 2])), 1);
}

#ifdef RARA3_TEST_HAS_SDL
// What the game's player uses to load a wave: it must see all of our data.
TEST_P(EffectFile, LoadsThroughSdl) {
  ASSERT_EQ(wave.error, "");
  SDL_AudioSpec loaded;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
  ASSERT_NE(SDL_LoadWAV_RW(rw, 1, &loaded, &buffer, &length), nullptr) << SDL_GetError();
  EXPECT_EQ(loaded.freq, int(kRate));
  EXPECT_EQ(loaded.channels, 2);
  EXPECT_EQ(loaded.format, AUDIO_S16LSB);
  EXPECT_EQ(length, wave.dataSize);
  SDL_FreeWAV(buffer);
}
#endif

INSTANTIATE_TEST_SUITE_P(AllTen, EffectFile, testing::ValuesIn(kEffects),
                         [](const auto& info) { return "Sfx" + std::to_string(info.param.index); });

// The ending portrait speaks effect 9: sound while its mouth is open
// (frames 0-15, 40-55, 90-240 at 60 per second), quiet while it is shut.
TEST(EndingVoice, FollowsThePortraitsMouth) {
  const Bytes bytes = ReadFile(SoundPath("sfx9.wav"));
  const Wave wave = ParseWave(bytes);
  ASSERT_EQ(wave.error, "");
  const auto samples = Samples(bytes, wave);
  const size_t end = samples.size() / 2;
  auto frame = [&](int f) { return std::min(end, size_t(f) * kRate / 60); };
  struct Stretch {
    int from, to;
    bool open;
  };
  const Stretch stretches[] = {{0, 15, true}, {15, 40, false}, {40, 55, true},
                               {55, 90, false}, {90, 240, true}};
  for (const auto& s : stretches) {
    const double db = RmsDb(samples, frame(s.from), frame(s.to));
    if (s.open) {
      EXPECT_GT(db, -30.0) << "mouth open at frames " << s.from << "-" << s.to;
    } else {
      EXPECT_LT(db, -50.0) << "mouth shut at frames " << s.from << "-" << s.to;
    }
  }
}

struct BrokenWave {
  const char* what;
  Bytes bytes;
  const char* error;
};

Bytes MinimalWave(uint32_t dataSize, bool withFmt = true) {
  Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  // Appended by resize and copy: GCC 12 at -O3 takes vector::insert of a
  // small array for a read past its end (-Warray-bounds, a false positive).
  const auto append = [&b](const uint8_t* bytes, size_t n) {
    const size_t at = b.size();
    b.resize(at + n);
    std::memcpy(b.data() + at, bytes, n);
  };
  if (withFmt) {
    const uint8_t fmt[] = {'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 2, 0, 0x22, 0x56, 0, 0,
                           0x88, 0x58, 0x01, 0, 4, 0, 16, 0};
    append(fmt, sizeof fmt);
  }
  const uint8_t data[] = {'d', 'a', 't', 'a', uint8_t(dataSize), uint8_t(dataSize >> 8), 0, 0};
  append(data, sizeof data);
  b.resize(b.size() + 4, 0);  // one frame, whatever the header claims
  const uint32_t riff = uint32_t(b.size() - 8);
  for (int i = 0; i < 4; ++i) b[4 + i] = uint8_t(riff >> (8 * i));
  return b;
}

TEST(WaveChecker, RefusesBrokenFiles) {
  Bytes shortRiff = MinimalWave(4);
  shortRiff[4] -= 2;
  const BrokenWave cases[] = {
      {"data longer than the file", MinimalWave(400), "chunk runs past the end"},
      {"no fmt chunk", MinimalWave(4, false), "no fmt chunk"},
      {"RIFF size off", shortRiff, "RIFF size does not match the file"},
      {"not a wave", Bytes(64, 0), "not RIFF WAVE"},
  };
  EXPECT_EQ(ParseWave(MinimalWave(4)).error, "");
  for (const auto& c : cases) EXPECT_EQ(ParseWave(c.bytes).error, c.error) << c.what;
}

// ---------------------------------------------------------------- the tune

struct Midi {
  std::string error;  // empty when every chunk and event is well-formed
  uint16_t format = 0, tracks = 0, division = 0;
  uint64_t lastTick = 0;         // end-of-track of the longest track
  uint64_t lastNoteOffTick = 0;  // the latest release of any note
  int notes = 0, hangingNotes = 0;
  std::map<uint64_t, uint32_t> tempo;  // tick -> microseconds per quarter
};

bool ReadVlq(const Bytes& b, size_t& at, size_t end, uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (at >= end) return false;
    const uint8_t byte = b[at++];
    value = value << 7 | (byte & 0x7F);
    if (!(byte & 0x80)) return true;
  }
  return false;  // a quantity is at most four bytes
}

// One track chunk's events [at, end): running status, meta and sysex
// events; the end-of-track meta event must close the chunk exactly.
std::string ParseTrack(const Bytes& b, size_t at, size_t end, Midi& m) {
  uint64_t tick = 0;
  uint8_t running = 0;
  std::map<int, int> held;  // channel * 128 + key -> notes sounding
  while (at < end) {
    uint32_t delta = 0;
    if (!ReadVlq(b, at, end, delta)) return "bad delta time";
    tick += delta;
    if (at >= end) return "event missing after delta time";
    uint8_t status = b[at];
    if (status & 0x80) {
      ++at;
    } else if (running) {
      status = running;
    } else {
      return "data byte without a running status";
    }
    if (status == 0xFF) {
      running = 0;
      if (at >= end) return "meta event cut off";
      const uint8_t type = b[at++];
      uint32_t length = 0;
      if (!ReadVlq(b, at, end, length) || at + length > end) return "meta event cut off";
      if (type == 0x51) {
        if (length != 3) return "bad tempo event";
        m.tempo[tick] = uint32_t(b[at] << 16 | b[at + 1] << 8 | b[at + 2]);
      }
      at += length;
      if (type == 0x2F) {
        if (length != 0) return "bad end of track";
        if (at != end) return "end of track before the end of the chunk";
        for (const auto& [note, count] : held) m.hangingNotes += count;
        m.lastTick = std::max(m.lastTick, tick);
        return "";
      }
    } else if (status == 0xF0 || status == 0xF7) {
      running = 0;
      uint32_t length = 0;
      if (!ReadVlq(b, at, end, length) || at + length > end) return "sysex event cut off";
      at += length;
    } else if (status >= 0xF1) {
      return "system message not allowed in a file";
    } else {
      running = status;
      const int kind = status >> 4;
      const size_t count = (kind == 0xC || kind == 0xD) ? 1 : 2;
      if (at + count > end) return "channel message cut off";
      for (size_t i = 0; i < count; ++i) {
        if (b[at + i] & 0x80) return "status byte inside a channel message";
      }
      const int note = (status & 0x0F) * 128 + b[at];
      if (kind == 0x9 && b[at + 1] > 0) {
        ++held[note];
        ++m.notes;
      } else if (kind == 0x8 || kind == 0x9) {
        if (held[note] == 0) return "note released that was not sounding";
        --held[note];
        m.lastNoteOffTick = std::max(m.lastNoteOffTick, tick);
      }
      at += count;
    }
  }
  return "no end of track";
}

Midi ParseMidi(const Bytes& b) {
  Midi m;
  if (b.size() < 14 || !TagAt(b, 0, "MThd") || Be32(b, 4) != 6) {
    m.error = "no MThd header of 6 bytes";
    return m;
  }
  m.format = Be16(b, 8);
  m.tracks = Be16(b, 10);
  m.division = Be16(b, 12);
  if (m.format > 2 || m.tracks == 0 || (m.format == 0 && m.tracks != 1)) {
    m.error = "bad format or track count";
    return m;
  }
  if (m.division == 0 || (m.division & 0x8000)) {
    m.error = "division must be ticks per quarter note";
    return m;
  }
  size_t at = 14;
  for (int t = 0; t < m.tracks; ++t) {
    if (!TagAt(b, at, "MTrk") || at + 8 > b.size()) {
      m.error = "track " + std::to_string(t) + " missing";
      return m;
    }
    const size_t end = at + 8 + Be32(b, at + 4);
    if (end > b.size()) {
      m.error = "track " + std::to_string(t) + " runs past the end";
      return m;
    }
    const std::string problem = ParseTrack(b, at + 8, end, m);
    if (!problem.empty()) {
      m.error = "track " + std::to_string(t) + ": " + problem;
      return m;
    }
    at = end;
  }
  if (at != b.size()) m.error = "bytes after the last track";
  return m;
}

double Seconds(const Midi& m, uint64_t tick) {
  double seconds = 0;
  uint64_t from = 0;
  uint32_t usPerQuarter = 500000;  // until the first tempo event
  for (const auto& [at, tempo] : m.tempo) {
    if (at >= tick) break;
    seconds += double(at - from) * usPerQuarter / 1e6 / m.division;
    from = at;
    usPerQuarter = tempo;
  }
  return seconds + double(tick - from) * usPerQuarter / 1e6 / m.division;
}

class TuneFile : public testing::Test {
 protected:
  void SetUp() override {
    bytes = ReadFile(SoundPath("tune.mid"));
    midi = ParseMidi(bytes);
  }
  Bytes bytes;
  Midi midi;
};

TEST_F(TuneFile, IsAStandardMidiFileOfTheReservedSize) {
  EXPECT_EQ(bytes.size(), 10930u);
  ASSERT_EQ(midi.error, "");
  EXPECT_EQ(midi.format, 1);
  EXPECT_GE(midi.tracks, 4) << "melody, harmony, bass and drums";
}

// The game restarts the tune when it stops: it must stop cleanly, with
// every note released and no long silence before the end of the file.
TEST_F(TuneFile, PlaysAMinuteOrTwoAndEndsCleanly) {
  ASSERT_EQ(midi.error, "");
  EXPECT_GT(midi.notes, 500);
  EXPECT_EQ(midi.hangingNotes, 0);
  const double length = Seconds(midi, midi.lastTick);
  EXPECT_GE(length, 60.0);
  EXPECT_LE(length, 120.0);
  EXPECT_LE(length - Seconds(midi, midi.lastNoteOffTick), 0.25);
}

struct BrokenMidi {
  const char* what;
  Bytes track;  // events of the only track
  const char* error;
};

Bytes OneTrackFile(const Bytes& events) {
  Bytes b = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0};
  b.push_back(uint8_t(events.size() >> 8));
  b.push_back(uint8_t(events.size()));
  b.insert(b.end(), events.begin(), events.end());
  return b;
}

TEST(MidiChecker, ReadsRunningStatusMetaAndSysex) {
  const Bytes events = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo
                        0x00, 0xF0, 0x02, 0x7E, 0xF7,              // sysex
                        0x00, 0x90, 60, 100,                       // note on
                        0x81, 0x40, 60, 0,                         // running status, 192 ticks
                        0x00, 0xFF, 0x2F, 0x00};
  const Midi m = ParseMidi(OneTrackFile(events));
  EXPECT_EQ(m.error, "");
  EXPECT_EQ(m.notes, 1);
  EXPECT_EQ(m.hangingNotes, 0);
  EXPECT_EQ(m.lastTick, 192u);
  EXPECT_DOUBLE_EQ(Seconds(m, 192), 1.0);  // two quarters at 120 per minute
}

TEST(MidiChecker, RefusesBrokenTracks) {
  const BrokenMidi cases[] = {
      {"no end of track", {0x00, 0x90, 60, 100}, "track 0: no end of track"},
      {"end of track too early",
       {0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90, 60, 100},
       "track 0: end of track before the end of the chunk"},
      {"running status after a meta event",
       {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x01, 0x00, 0x00, 60, 0, 0x00, 0xFF, 0x2F, 0x00},
       "track 0: data byte without a running status"},
      {"delta time of five bytes",
       {0x81, 0x81, 0x81, 0x81, 0x01, 0xFF, 0x2F, 0x00},
       "track 0: bad delta time"},
      {"meta event longer than the chunk", {0x00, 0xFF, 0x01, 0x10, 'a'}, "track 0: meta event cut off"},
      {"status byte as data", {0x00, 0x90, 0x80, 100, 0x00, 0xFF, 0x2F, 0x00},
       "track 0: status byte inside a channel message"},
      {"release of a silent note", {0x00, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00},
       "track 0: note released that was not sounding"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseMidi(OneTrackFile(c.track)).error, c.error) << c.what;

  Bytes longChunk = OneTrackFile({0x00, 0xFF, 0x2F, 0x00});
  longChunk[21] += 1;
  EXPECT_EQ(ParseMidi(longChunk).error, "track 0 runs past the end");
  Bytes extraTrack = OneTrackFile({0x00, 0xFF, 0x2F, 0x00});
  extraTrack[9] = 1;   // format 1
  extraTrack[11] = 2;  // claims two tracks
  EXPECT_EQ(ParseMidi(extraTrack).error, "track 1 missing");
}

}  // namespace
