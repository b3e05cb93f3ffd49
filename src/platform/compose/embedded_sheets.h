// The PNG files of the nine sheets and of the window icon, built into the
// program.
#pragma once

#include <cstddef>

namespace rara3 {

struct EmbeddedFile {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
};

// Picture0.png .. Picture8.png for sheet 0..8; empty for any other index.
EmbeddedFile EmbeddedSheetPng(int sheet);
EmbeddedFile EmbeddedIconPng();

}  // namespace rara3
