#include "platform/compose/compositor.h"

#include <SDL_image.h>

#include <algorithm>

#include "platform/compose/embedded_sheets.h"
#include "platform/compose/sheet_sizes.h"
#include "platform/compose/test_sheets.h"

namespace rara3 {
namespace {

std::string SheetName(int i) { return "Picture" + std::to_string(i); }

// The sheet in the back buffer's format: RGB565, no alpha, so every blit is a
// straight copy (or a keyed one).
SDL_Surface* ToRgb565(SDL_Surface* image) {
  SDL_Surface* s = SDL_ConvertSurfaceFormat(image, SDL_PIXELFORMAT_RGB565, 0);
  if (s != nullptr) SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
  return s;
}

void FreeAll(SDL_Surface* (&surfaces)[kSheetCount]) {
  for (SDL_Surface*& s : surfaces) {
    SDL_FreeSurface(s);
    s = nullptr;
  }
}

}  // namespace

uint16_t Rgb565(uint32_t rgb) {
  const uint32_t r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
  return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

Compositor::Compositor() {
  back_ = SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 16, SDL_PIXELFORMAT_RGB565);
  if (back_ == nullptr) throw PlatformError{-1, std::string("back buffer: ") + SDL_GetError()};
  SDL_SetSurfaceBlendMode(back_, SDL_BLENDMODE_NONE);
  SDL_FillRect(back_, nullptr, 0);
}

Compositor::~Compositor() {
  FreeSheets();
  SDL_FreeSurface(back_);
}

void Compositor::FreeSheets() {
  FreeAll(plain_);
  FreeAll(keyed_);
}

bool Compositor::SetSheets(SDL_Surface* const (&images)[kSheetCount], std::string& error) {
  for (int i = 0; i < kSheetCount; ++i) {
    if (images[i] == nullptr) {
      error = SheetName(i) + ": no image";
      return false;
    }
    if (images[i]->w != kSheetWidth[i] || images[i]->h != kSheetHeight[i]) {
      error = SheetName(i) + ": expected " + std::to_string(kSheetWidth[i]) + " x " +
              std::to_string(kSheetHeight[i]) + " pixels, found " + std::to_string(images[i]->w) +
              " x " + std::to_string(images[i]->h);
      return false;
    }
  }
  SDL_Surface* plain[kSheetCount] = {};
  SDL_Surface* keyed[kSheetCount] = {};
  for (int i = 0; i < kSheetCount; ++i) {
    plain[i] = ToRgb565(images[i]);
    keyed[i] = SheetIsKeyed(i) && plain[i] != nullptr ? SDL_DuplicateSurface(plain[i]) : nullptr;
    const bool ok = plain[i] != nullptr && (!SheetIsKeyed(i) || keyed[i] != nullptr);
    // Key 0 of RGB565: black, and every colour dark enough to convert to it.
    if (!ok || (keyed[i] != nullptr && (SDL_SetColorKey(keyed[i], SDL_TRUE, 0) != 0 ||
                                        SDL_SetSurfaceRLE(keyed[i], 1) != 0))) {
      error = SheetName(i) + ": cannot convert to RGB565: " + SDL_GetError();
      FreeAll(plain);
      FreeAll(keyed);
      return false;
    }
  }
  FreeSheets();
  std::copy(std::begin(plain), std::end(plain), plain_);
  std::copy(std::begin(keyed), std::end(keyed), keyed_);
  return true;
}

bool Compositor::LoadEmbeddedSheets(std::string& error) {
  SDL_Surface* images[kSheetCount] = {};
  bool ok = true;
  for (int i = 0; i < kSheetCount && ok; ++i) {
    const EmbeddedFile png = EmbeddedSheetPng(i);
    if (png.size == 0) {
      error = SheetName(i) + ".png: this build carries no sheet art";
      ok = false;
      break;
    }
    images[i] = IMG_Load_RW(SDL_RWFromConstMem(png.data, static_cast<int>(png.size)), 1);
    if (images[i] == nullptr) {
      error = SheetName(i) + ".png: cannot be decoded: " + IMG_GetError();
      ok = false;
    }
  }
  if (ok) ok = SetSheets(images, error);
  FreeAll(images);
  return ok;
}

bool Compositor::LoadTestSheets(std::string& error) {
  SDL_Surface* images[kSheetCount] = {};
  for (int i = 0; i < kSheetCount; ++i) images[i] = MakeTestSheet(i);
  const bool ok = SetSheets(images, error);
  FreeAll(images);
  return ok;
}

void Compositor::Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) {
  if (sheet < 0 || sheet >= kSheetCount) return;
  SDL_Surface* s = keyed && keyed_[sheet] != nullptr ? keyed_[sheet] : plain_[sheet];
  if (s == nullptr) return;
  // Clipped here in 64 bits, so no rectangle can overflow on its way to SDL:
  // first the source to the sheet, the destination moving along, then the
  // destination to the screen.
  int64_t left = src.Left, top = src.Top, right = src.Right, bottom = src.Bottom;
  int64_t dx = x, dy = y;
  if (left < 0) {
    dx -= left;
    left = 0;
  }
  if (top < 0) {
    dy -= top;
    top = 0;
  }
  right = std::min<int64_t>(right, s->w);
  bottom = std::min<int64_t>(bottom, s->h);
  if (dx < 0) {
    left -= dx;
    dx = 0;
  }
  if (dy < 0) {
    top -= dy;
    dy = 0;
  }
  right = std::min<int64_t>(right, left + (kScreenWidth - dx));
  bottom = std::min<int64_t>(bottom, top + (kScreenHeight - dy));
  if (right <= left || bottom <= top) return;
  SDL_Rect from{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                static_cast<int>(bottom - top)};
  SDL_Rect to{static_cast<int>(dx), static_cast<int>(dy), 0, 0};
  SDL_BlitSurface(s, &from, back_, &to);
}

uint16_t Compositor::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return 0;
  const auto* row = static_cast<const uint8_t*>(back_->pixels) + y * back_->pitch;
  return reinterpret_cast<const uint16_t*>(row)[x];
}

void Compositor::CopyXrgb8888(void* pixels, int pitch) const {
  SDL_ConvertPixels(kScreenWidth, kScreenHeight, SDL_PIXELFORMAT_RGB565, back_->pixels, back_->pitch,
                    SDL_PIXELFORMAT_XRGB8888, pixels, pitch);
}

bool Compositor::SavePng(const std::string& path, std::string& error) const {
  SDL_Surface* xrgb =
      SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 32, SDL_PIXELFORMAT_XRGB8888);
  SDL_Surface* rgb = nullptr;
  bool ok = xrgb != nullptr;
  if (ok) {
    CopyXrgb8888(xrgb->pixels, xrgb->pitch);
    rgb = SDL_ConvertSurfaceFormat(xrgb, SDL_PIXELFORMAT_RGB24, 0);
    ok = rgb != nullptr;
  }
  if (ok) ok = IMG_SavePNG(rgb, path.c_str()) == 0;
  if (!ok) error = path + ": cannot write the snapshot: " + SDL_GetError();
  SDL_FreeSurface(rgb);
  SDL_FreeSurface(xrgb);
  return ok;
}

}  // namespace rara3
