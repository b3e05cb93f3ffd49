#include "platform/sdl/midi_length.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace rara3 {
namespace {

struct Reader {
  const uint8_t* p;
  const uint8_t* end;
  bool ok = true;

  uint8_t Byte() {
    if (p >= end) {
      ok = false;
      return 0;
    }
    return *p++;
  }
  uint32_t Big(int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | Byte();
    return v;
  }
  // A variable-length quantity: at most four bytes.
  uint32_t Vlq() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const uint8_t b = Byte();
      v = (v << 7) | (b & 0x7F);
      if ((b & 0x80) == 0) return v;
    }
    ok = false;
    return 0;
  }
  void Skip(uint32_t n) {
    if (static_cast<size_t>(end - p) < n) {
      ok = false;
      p = end;
      return;
    }
    p += n;
  }
};

struct TempoChange {
  uint64_t tick;
  uint32_t microsPerQuarter;
};

// Walks one track; returns its end tick, collecting tempo changes.
bool ReadTrack(Reader r, uint64_t& endTick, std::vector<TempoChange>& tempos) {
  uint64_t tick = 0;
  uint8_t status = 0;
  while (r.ok && r.p < r.end) {
    tick += r.Vlq();
    const uint8_t b = r.Byte();
    if (b == 0xFF) {
      const uint8_t type = r.Byte();
      const uint32_t length = r.Vlq();
      if (type == 0x2F) {
        endTick = tick;
        return r.ok;
      }
      if (type == 0x51 && length == 3) {
        tempos.push_back({tick, r.Big(3)});
      } else {
        r.Skip(length);
      }
      status = 0;
    } else if (b == 0xF0 || b == 0xF7) {
      r.Skip(r.Vlq());
      status = 0;
    } else if (b >= 0xF1) {
      return false;  // not allowed in a file
    } else {
      if (b & 0x80) {
        status = b;
        r.Byte();
      } else if (status == 0) {
        return false;  // running status with nothing to run on
      }
      // Program change and channel pressure carry one data byte, the rest two.
      const uint8_t kind = status & 0xF0;
      if (kind != 0xC0 && kind != 0xD0) r.Byte();
    }
  }
  return false;  // no end of track
}

}  // namespace

double MidiLengthSeconds(const uint8_t* bytes, size_t size) {
  Reader r{bytes, bytes + size};
  if (size < 14 || std::memcmp(bytes, "MThd", 4) != 0) return -1;
  r.Skip(4);
  const uint32_t headerLength = r.Big(4);
  if (headerLength < 6) return -1;
  r.Big(2);  // format
  const uint32_t tracks = r.Big(2);
  const uint32_t division = r.Big(2);
  r.Skip(headerLength - 6);
  if (!r.ok || division == 0) return -1;

  uint64_t endTick = 0;
  std::vector<TempoChange> tempos;
  for (uint32_t t = 0; t < tracks; ++t) {
    if (static_cast<size_t>(r.end - r.p) < 8 || std::memcmp(r.p, "MTrk", 4) != 0) return -1;
    r.Skip(4);
    const uint32_t length = r.Big(4);
    if (static_cast<size_t>(r.end - r.p) < length) return -1;
    uint64_t trackEnd = 0;
    if (!ReadTrack(Reader{r.p, r.p + length}, trackEnd, tempos)) return -1;
    endTick = std::max(endTick, trackEnd);
    r.Skip(length);
  }

  if (division & 0x8000) {
    // Time code: frames per second times ticks per frame.
    const int fps = -static_cast<int8_t>(division >> 8);
    const int ticksPerFrame = division & 0xFF;
    if (fps <= 0 || ticksPerFrame == 0) return -1;
    return static_cast<double>(endTick) / (fps * ticksPerFrame);
  }
  std::stable_sort(tempos.begin(), tempos.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  double seconds = 0;
  uint64_t at = 0;
  uint32_t micros = 500000;  // 120 beats a minute until told otherwise
  for (const TempoChange& change : tempos) {
    if (change.tick >= endTick) break;
    seconds += static_cast<double>(change.tick - at) * micros / 1e6 / division;
    at = change.tick;
    micros = change.microsPerQuarter;
  }
  seconds += static_cast<double>(endTick - at) * micros / 1e6 / division;
  return seconds;
}

}  // namespace rara3
