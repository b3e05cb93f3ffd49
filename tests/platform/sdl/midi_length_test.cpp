// The tune's own length, read from its events and tempo map.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/sdl/midi_length.h"

namespace rara3 {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Header(uint16_t tracks, uint16_t division) {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, static_cast<uint8_t>(tracks),
          static_cast<uint8_t>(division >> 8), static_cast<uint8_t>(division & 0xFF)};
}

Bytes Track(const Bytes& events) {
  Bytes t = {'M', 'T', 'r', 'k', 0, 0, static_cast<uint8_t>(events.size() >> 8),
             static_cast<uint8_t>(events.size() & 0xFF)};
  t.insert(t.end(), events.begin(), events.end());
  return t;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Tempo 0.6 s a quarter at tick 0, two quarters of one note (running status
// for the note-off), end of track at tick 960.
const Bytes kTempoTrack = {0x00, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0,  // 600000 us
                           0x00, 0xFF, 0x2F, 0x00};
const Bytes kNoteTrack = {0x00, 0xC0, 0x05,              // program change: one data byte
                          0x00, 0x90, 0x3C, 0x64,        // note on
                          0x87, 0x40, 0x3C, 0x00,        // 960 ticks later, running status
                          0x00, 0xFF, 0x2F, 0x00};

struct LengthCase {
  const char* name;
  Bytes bytes;
  double seconds;  // negative: refused
};

void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.name; }

class MidiLengthTest : public testing::TestWithParam<LengthCase> {};

TEST_P(MidiLengthTest, ReadsTheLengthOrRefuses) {
  const LengthCase& c = GetParam();
  const double seconds = MidiLengthSeconds(c.bytes.data(), c.bytes.size());
  if (c.seconds < 0) {
    EXPECT_LT(seconds, 0);
  } else {
    EXPECT_NEAR(seconds, c.seconds, 1e-9);
  }
}

const LengthCase kCases[] = {
    {"TempoMapAndNotes", Cat({Header(2, 480), Track(kTempoTrack), Track(kNoteTrack)}), 1.2},
    {"DefaultTempo", Cat({Header(1, 480), Track(kNoteTrack)}), 1.0},
    {"TempoChangeHalfWay",
     Cat({Header(2, 480),
          Track({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,   // 500000 us
                 0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,  // at 480: 1 s
                 0x00, 0xFF, 0x2F, 0x00}),
          Track(kNoteTrack)}),
     1.5},
    {"TimeCodeDivision", Cat({Header(1, 0xE728), Track(kNoteTrack)}), 960.0 / (25 * 40)},
    {"NotAMidiFile", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, -1},
    {"TrackWithoutEnd", Cat({Header(1, 480), Track({0x00, 0x90, 0x3C, 0x64})}), -1},
    {"TrackCutShort", [] {
       Bytes b = Cat({Header(1, 480), Track(kNoteTrack)});
       b.resize(b.size() - 5);
       return b;
     }(), -1},
    {"RunningStatusFromNothing", Cat({Header(1, 480), Track({0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00})}), -1},
    {"MissingTrack", Header(2, 480), -1},
    {"ZeroDivision", Cat({Header(1, 0), Track(kNoteTrack)}), -1},
};

INSTANTIATE_TEST_SUITE_P(Files, MidiLengthTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MidiLength, TheShippedTuneLastsOverAMinute) {
  std::ifstream in(RARA3_SOURCE_DIR "/assets/sound/tune.mid", std::ios::binary);
  ASSERT_TRUE(in);
  const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const double seconds = MidiLengthSeconds(bytes.data(), bytes.size());
  EXPECT_GT(seconds, 60);
  EXPECT_LT(seconds, 120);
}

}  // namespace
}  // namespace rara3
