#include "platform/compose/embedded_sheets.h"

#include "core/platform.h"

// The generated sources define these at global scope.
#define RARA3_DECLARE_PNG(name)      \
  extern const unsigned char name[]; \
  extern const std::size_t name##_size;
RARA3_DECLARE_PNG(rara3_picture0_png)
RARA3_DECLARE_PNG(rara3_picture1_png)
RARA3_DECLARE_PNG(rara3_picture2_png)
RARA3_DECLARE_PNG(rara3_picture3_png)
RARA3_DECLARE_PNG(rara3_picture4_png)
RARA3_DECLARE_PNG(rara3_picture5_png)
RARA3_DECLARE_PNG(rara3_picture6_png)
RARA3_DECLARE_PNG(rara3_picture7_png)
RARA3_DECLARE_PNG(rara3_picture8_png)
RARA3_DECLARE_PNG(rara3_icon_png)

namespace rara3 {

EmbeddedFile EmbeddedSheetPng(int sheet) {
  static const EmbeddedFile kSheets[] = {
      {rara3_picture0_png, rara3_picture0_png_size}, {rara3_picture1_png, rara3_picture1_png_size},
      {rara3_picture2_png, rara3_picture2_png_size}, {rara3_picture3_png, rara3_picture3_png_size},
      {rara3_picture4_png, rara3_picture4_png_size}, {rara3_picture5_png, rara3_picture5_png_size},
      {rara3_picture6_png, rara3_picture6_png_size}, {rara3_picture7_png, rara3_picture7_png_size},
      {rara3_picture8_png, rara3_picture8_png_size},
  };
  if (sheet >= 0 && sheet < kSheetCount) return kSheets[sheet];
  return {};
}

EmbeddedFile EmbeddedIconPng() { return {rara3_icon_png, rara3_icon_png_size}; }

}  // namespace rara3
