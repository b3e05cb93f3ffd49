#include "platform/compose/compositor.h"

#include <SDL_image.h>

#include <algorithm>

#include "platform/compose/embedded_sheets.h"
#include "core/sheets.h"
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

void FreeAll(std::vector<SDL_Surface*> (&bands)[kSheetCount]) {
  for (auto& sheet : bands) {
    for (SDL_Surface* s : sheet) SDL_FreeSurface(s);
    sheet.clear();
  }
}

// Rows per keyed band: the height of the sheet's picture cells, so a picture
// is one blit (Picture5's pieces lie on a 60-row grid but for the logo and
// the banner, which take two).
constexpr int kBandHeight[kSheetCount] = {480, 80, 480, 72, 88, 60, 44, 71, 180};

// The keyed copy of a converted sheet in pieces of w x h pixels (the last
// ones cut by the sheet's edge), row after row. Empty on failure.
std::vector<SDL_Surface*> KeyedPieces(SDL_Surface* plain, int w, int h) {
  std::vector<SDL_Surface*> pieces;
  for (int top = 0; top < plain->h; top += h) {
    for (int left = 0; left < plain->w; left += w) {
      SDL_Rect rect{left, top, std::min(w, plain->w - left), std::min(h, plain->h - top)};
      SDL_Surface* piece =
          SDL_CreateRGBSurfaceWithFormat(0, rect.w, rect.h, 16, SDL_PIXELFORMAT_RGB565);
      // Key 0 of RGB565: black, and every colour dark enough to convert to it.
      const bool ok = piece != nullptr && SDL_BlitSurface(plain, &rect, piece, nullptr) == 0 &&
                      SDL_SetColorKey(piece, SDL_TRUE, 0) == 0 &&
                      SDL_SetSurfaceRLE(piece, 1) == 0;
      if (piece != nullptr) pieces.push_back(piece);
      if (!ok) {
        for (SDL_Surface* s : pieces) SDL_FreeSurface(s);
        return {};
      }
    }
  }
  return pieces;
}

// The picture cells of the sheets cut into cells of their own (0: none). A
// run-length blit of a whole surface takes SDL's quick path; a rectangle
// inside a wider surface takes the slower clipping one.
constexpr int kCellWidth[kSheetCount] = {0, 89, 0, 24, 37, 0, 44, 59, 96};
constexpr int kCellHeight[kSheetCount] = {0, 80, 0, 36, 88, 0, 44, 71, 180};

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
  FreeAll(keyedBands_);
  FreeAll(keyedCells_);
}

bool Compositor::SetSheets(SDL_Surface* const (&images)[kSheetCount], std::string& error) {
  for (int i = 0; i < kSheetCount; ++i) {
    if (images[i] == nullptr) {
      error = SheetName(i) + ": no image";
      return false;
    }
    if (images[i]->w != kSheetSize[i].w || images[i]->h != kSheetSize[i].h) {
      error = SheetName(i) + ": expected " + std::to_string(kSheetSize[i].w) + " x " +
              std::to_string(kSheetSize[i].h) + " pixels, found " + std::to_string(images[i]->w) +
              " x " + std::to_string(images[i]->h);
      return false;
    }
  }
  SDL_Surface* plain[kSheetCount] = {};
  std::vector<SDL_Surface*> keyed[kSheetCount];
  std::vector<SDL_Surface*> cells[kSheetCount];
  for (int i = 0; i < kSheetCount; ++i) {
    plain[i] = ToRgb565(images[i]);
    if (plain[i] != nullptr && SheetIsKeyed(i)) {
      keyed[i] = KeyedPieces(plain[i], plain[i]->w, kBandHeight[i]);
      if (kCellWidth[i] > 0) cells[i] = KeyedPieces(plain[i], kCellWidth[i], kCellHeight[i]);
    }
    if (plain[i] == nullptr ||
        (SheetIsKeyed(i) && (keyed[i].empty() || (kCellWidth[i] > 0 && cells[i].empty())))) {
      error = SheetName(i) + ": cannot convert to RGB565: " + SDL_GetError();
      FreeAll(plain);
      FreeAll(keyed);
      FreeAll(cells);
      return false;
    }
  }
  FreeSheets();
  for (int i = 0; i < kSheetCount; ++i) {
    plain_[i] = plain[i];
    keyedBands_[i].swap(keyed[i]);
    keyedCells_[i].swap(cells[i]);
  }
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
  SDL_Surface* s = plain_[sheet];
  if (s == nullptr) return;
  // Clipped here in 64 bits, so no rectangle can overflow on its way to SDL:
  // first the source to the sheet, the destination moving along, then the
  // destination to the screen. SDL_BlitSurface would clip the same way; the
  // rectangles being clipped already, SDL_LowerBlit copies them directly.
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
  const std::vector<SDL_Surface*>& bands = keyedBands_[sheet];
  if (!keyed || bands.empty()) {
    SDL_Rect from{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                  static_cast<int>(bottom - top)};
    SDL_Rect to{static_cast<int>(dx), static_cast<int>(dy), from.w, from.h};
    SDL_LowerBlit(s, &from, back_, &to);
    return;
  }
  // A rectangle inside one picture cell: one blit of that cell's surface.
  if (const int64_t cw = kCellWidth[sheet], ch = kCellHeight[sheet];
      cw > 0 && !keyedCells_[sheet].empty() && left / cw == (right - 1) / cw &&
      top / ch == (bottom - 1) / ch) {
    const int64_t columns = (s->w + cw - 1) / cw;
    const int64_t col = left / cw, row = top / ch;
    SDL_Rect from{static_cast<int>(left - col * cw), static_cast<int>(top - row * ch),
                  static_cast<int>(right - left), static_cast<int>(bottom - top)};
    SDL_Rect to{static_cast<int>(dx), static_cast<int>(dy), from.w, from.h};
    SDL_LowerBlit(keyedCells_[sheet][static_cast<size_t>(row * columns + col)], &from, back_, &to);
    return;
  }
  const int64_t bandHeight = kBandHeight[sheet];
  for (int64_t row = top; row < bottom;) {
    const int64_t band = row / bandHeight, bandTop = band * bandHeight;
    const int64_t end = std::min(bottom, bandTop + bandHeight);
    SDL_Rect from{static_cast<int>(left), static_cast<int>(row - bandTop),
                  static_cast<int>(right - left), static_cast<int>(end - row)};
    SDL_Rect to{static_cast<int>(dx), static_cast<int>(dy + (row - top)), from.w, from.h};
    SDL_LowerBlit(bands[static_cast<size_t>(band)], &from, back_, &to);
    row = end;
  }
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
