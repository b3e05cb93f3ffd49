// The fuzz targets read their input a byte at a time; past its end every
// read gives 0, so any input, however short, drives a whole run.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rara3 {

struct FuzzInput {
  const uint8_t* data;
  size_t size;
  size_t at = 0;

  bool More() const { return at < size; }
  uint8_t Byte() { return at < size ? data[at++] : 0; }
  // Four bytes, most significant first.
  int32_t Int() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return static_cast<int32_t>(v);
  }
};

}  // namespace rara3
