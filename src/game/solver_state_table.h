// The set of visited states: fixed-length keys packed in chunks that never
// move, found through an open-addressing table of 8-byte slots (32 bits of
// the hash and the key's index) with full-key checks.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace rara3::solve {

class StateTable {
 public:
  explicit StateTable(size_t keyBytes) : keyBytes_(keyBytes) { Rehash(1 << 16); }

  size_t size() const { return count_; }
  const uint8_t* Key(uint32_t index) const {
    return chunks_[index >> kChunkBits].get() + (index & kChunkMask) * keyBytes_;
  }

  // The index of the key, adding it when new; isNew tells which.
  uint32_t Insert(const uint8_t* key, bool& isNew) {
    if ((count_ + 1) * 10 > slots_.size() * 7) Rehash(slots_.size() * 2);
    const uint32_t h = Hash(key);
    const size_t mask = slots_.size() - 1;
    for (size_t i = Spread(h) & mask;; i = (i + 1) & mask) {
      Slot& s = slots_[i];
      if (s.index == kNone) {
        s.index = static_cast<uint32_t>(count_);
        s.hash = h;
        if ((count_ & kChunkMask) == 0) {
          chunks_.emplace_back(new uint8_t[(kChunkMask + 1) * keyBytes_]);
        }
        std::memcpy(chunks_.back().get() + (count_ & kChunkMask) * keyBytes_, key, keyBytes_);
        ++count_;
        isNew = true;
        return s.index;
      }
      if (s.hash == h && std::memcmp(Key(s.index), key, keyBytes_) == 0) {
        isNew = false;
        return s.index;
      }
    }
  }

  // The index of a known key, or kNone.
  uint32_t Find(const uint8_t* key) const {
    const uint32_t h = Hash(key);
    const size_t mask = slots_.size() - 1;
    for (size_t i = Spread(h) & mask;; i = (i + 1) & mask) {
      const Slot& s = slots_[i];
      if (s.index == kNone) return kNone;
      if (s.hash == h && std::memcmp(Key(s.index), key, keyBytes_) == 0) return s.index;
    }
  }

  static constexpr uint32_t kNone = 0xFFFFFFFFu;

 private:
  static constexpr uint32_t kChunkBits = 16;
  static constexpr uint32_t kChunkMask = (1u << kChunkBits) - 1;

  struct Slot {
    uint32_t hash;
    uint32_t index;
  };

  uint32_t Hash(const uint8_t* key) const {
    // Eight bytes at a time, each folded in by a 128-bit multiply.
    uint64_t h = 0x9E3779B97F4A7C15ull ^ keyBytes_;
    size_t i = 0;
    for (; i + 8 <= keyBytes_; i += 8) {
      uint64_t w;
      std::memcpy(&w, key + i, 8);
      h = Mix(h ^ w, 0xA0761D6478BD642Full);
    }
    uint64_t tail = 0;
    std::memcpy(&tail, key + i, keyBytes_ - i);
    h = Mix(h ^ tail, 0xE7037ED1A0B428DBull);
    return static_cast<uint32_t>(Mix(h, 0x8EBC6AF09C88C6E3ull));
  }

  // The slot position of a 32-bit hash in tables of any size.
  static size_t Spread(uint32_t h) { return static_cast<size_t>(h) * 0x9E3779B97F4A7C15ull >> 16; }

  static uint64_t Mix(uint64_t a, uint64_t b) {
    const unsigned __int128 r = static_cast<unsigned __int128>(a) * b;
    return static_cast<uint64_t>(r) ^ static_cast<uint64_t>(r >> 64);
  }

  void Rehash(size_t n) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(n, Slot{0, kNone});
    const size_t mask = n - 1;
    for (const Slot& s : old) {
      if (s.index == kNone) continue;
      size_t i = Spread(s.hash) & mask;
      while (slots_[i].index != kNone) i = (i + 1) & mask;
      slots_[i] = s;
    }
  }

  size_t keyBytes_;
  size_t count_ = 0;
  std::vector<std::unique_ptr<uint8_t[]>> chunks_;
  std::vector<Slot> slots_;
};

}  // namespace rara3::solve
