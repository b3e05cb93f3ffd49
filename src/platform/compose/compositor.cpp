#include "platform/compose/compositor.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "platform/compose/embedded_sheets.h"
#include "core/sheets.h"

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
// is one blit (kSheetLettering's pieces lie on a 60-row grid but for the logo and
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

// Whether no pixel of the rectangle of a converted sheet is 0: keyed or not,
// a blit of it copies every pixel.
bool RegionOpaque(const SDL_Surface* plain, int left, int top, int w, int h) {
  for (int y = top; y < top + h; ++y) {
    const auto* row = reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(plain->pixels) +
                                                        y * plain->pitch);
    if (std::find(row + left, row + left + w, uint16_t{0}) != row + left + w) return false;
  }
  return true;
}

// The same for each piece of w x h pixels, in the order of KeyedPieces.
std::vector<bool> OpaquePieces(const SDL_Surface* plain, int w, int h) {
  std::vector<bool> opaque;
  for (int top = 0; top < plain->h; top += h) {
    for (int left = 0; left < plain->w; left += w) {
      opaque.push_back(
          RegionOpaque(plain, left, top, std::min(w, plain->w - left), std::min(h, plain->h - top)));
    }
  }
  return opaque;
}

// The picture cells of the sheets cut into cells of their own (0: none). A
// run-length blit of a whole surface takes SDL's quick path; a rectangle
// inside a wider surface takes the slower clipping one.
constexpr int kCellWidth[kSheetCount] = {0, 89, 0, 24, 37, 0, 44, 59, 96};
constexpr int kCellHeight[kSheetCount] = {0, 80, 0, 36, 88, 0, 44, 71, 180};

// A blit's rectangles clipped in 64 bits, so none can overflow on its way
// to SDL: first the source to the sheet, the destination moving along, then
// the destination to the screen. SDL_BlitSurface would clip the same way;
// the rectangles being clipped already, SDL_LowerBlit copies them directly.
struct Clipped {
  int64_t left, top, right, bottom;  // on the sheet
  int64_t dx, dy;                    // on the screen
};

// False when nothing of the rectangle is left.
bool ClipBlit(const SDL_Surface* s, int32_t x, int32_t y, const Rect& src, Clipped& c) {
  c = {src.Left, src.Top, src.Right, src.Bottom, x, y};
  if (c.left < 0) {
    c.dx -= c.left;
    c.left = 0;
  }
  if (c.top < 0) {
    c.dy -= c.top;
    c.top = 0;
  }
  c.right = std::min<int64_t>(c.right, s->w);
  c.bottom = std::min<int64_t>(c.bottom, s->h);
  if (c.dx < 0) {
    c.left -= c.dx;
    c.dx = 0;
  }
  if (c.dy < 0) {
    c.top -= c.dy;
    c.dy = 0;
  }
  c.right = std::min<int64_t>(c.right, c.left + (kScreenWidth - c.dx));
  c.bottom = std::min<int64_t>(c.bottom, c.top + (kScreenHeight - c.dy));
  return c.right > c.left && c.bottom > c.top;
}

// An unkeyed copy between two RGB565 surfaces, rectangles clipped already.
// Row by row with the C library's copy: SDL's own plain blit copies 8 bytes
// at a time, several times slower here.
void CopyRows(const SDL_Surface* from, const SDL_Rect& rect, SDL_Surface* to, int x, int y) {
  const auto* src = static_cast<const uint8_t*>(from->pixels) + rect.y * from->pitch + rect.x * 2;
  auto* dst = static_cast<uint8_t*>(to->pixels) + y * to->pitch + x * 2;
  const size_t bytes = static_cast<size_t>(rect.w) * 2;
  if (from->pitch == to->pitch && bytes == static_cast<size_t>(from->pitch)) {
    std::memcpy(dst, src, bytes * static_cast<size_t>(rect.h));
    return;
  }
  for (int row = 0; row < rect.h; ++row) {
    std::memcpy(dst, src, bytes);
    src += from->pitch;
    dst += to->pitch;
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
  copy_ = SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 16, SDL_PIXELFORMAT_RGB565);
  if (copy_ == nullptr || copy_->pitch != back_->pitch) {
    SDL_FreeSurface(copy_);
    SDL_FreeSurface(back_);
    throw PlatformError{-1, std::string("back buffer copy: ") + SDL_GetError()};
  }
  last_.reserve(kMaxFrameBlits);
  current_.reserve(kMaxFrameBlits);
  copyBlits_.reserve(kMaxFrameBlits);
  shown_.reserve(kMaxFrameBlits);
}

Compositor::~Compositor() {
  FreeSheets();
  SDL_FreeSurface(copy_);
  SDL_FreeSurface(back_);
}

void Compositor::FreeSheets() {
  FreeAll(plain_);
  FreeAll(keyedBands_);
  FreeAll(keyedCells_);
  for (int i = 0; i < kSheetCount; ++i) {
    opaqueBands_[i].clear();
    opaqueCells_[i].clear();
  }
}

void Compositor::ForgetFrames() {
  last_.clear();
  current_.clear();
  copyBlits_.clear();
  shown_.clear();
  holding_ = overflow_ = inFrame_ = onlyCovering_ = copyValid_ = shownValid_ = false;
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
  // Blits held back are drawn with the sheets they were asked with; no
  // frame drawn before is reused with the new ones.
  Settle();
  ForgetFrames();
  FreeSheets();
  for (int i = 0; i < kSheetCount; ++i) {
    plain_[i] = plain[i];
    keyedBands_[i].swap(keyed[i]);
    keyedCells_[i].swap(cells[i]);
    if (SheetIsKeyed(i)) {
      opaqueBands_[i] = OpaquePieces(plain_[i], plain_[i]->w, kBandHeight[i]);
      if (kCellWidth[i] > 0) opaqueCells_[i] = OpaquePieces(plain_[i], kCellWidth[i], kCellHeight[i]);
    }
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

void Compositor::Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) {
  const BlitOp b{x, y, sheet, src, keyed};
  const bool covers = CoversScreen(b);
  // A frame starts at a blit that hides everything before it; the blits
  // that cover the screen one after the other at its start belong to it.
  if (covers && !(inFrame_ && onlyCovering_)) {
    if (!holding_) {
      if (inFrame_ && !overflow_) {
        last_.swap(current_);
      } else {
        last_.clear();
      }
    }
    // A frame still held back was never drawn or read: it is dropped, and
    // the one before stays the one to match.
    current_.clear();
    inFrame_ = onlyCovering_ = true;
    overflow_ = false;
    holding_ = !last_.empty();
  }
  if (!covers) onlyCovering_ = false;
  if (!inFrame_) {
    Draw(b);
    return;
  }
  if (holding_) {
    if (current_.size() < last_.size() && last_[current_.size()] == b) {
      current_.push_back(b);
      return;
    }
    Settle();
  }
  Draw(b);
  if (overflow_) return;
  if (current_.size() < kMaxFrameBlits) {
    current_.push_back(b);
  } else {
    overflow_ = true;
  }
}

void Compositor::Settle() const {
  if (!holding_) return;
  holding_ = false;
  const size_t held = current_.size();
  size_t drawn = 0;
  const size_t bytes = static_cast<size_t>(back_->pitch) * static_cast<size_t>(back_->h);
  if (copyValid_ && copyBlits_.size() <= held &&
      std::equal(copyBlits_.begin(), copyBlits_.end(), current_.begin())) {
    std::memcpy(back_->pixels, copy_->pixels, bytes);
    drawn = copyBlits_.size();
    blitsFromCopy_ += static_cast<long long>(drawn);
  }
  for (size_t i = drawn; i < held; ++i) Draw(current_[i]);
  // Kept for the next frames when more than the screen-covering blit is in
  // it: when the copy could not be used, and when the whole last frame came
  // again (a still picture). Not each time a frame agrees with the last one
  // a little longer than the copy goes: frames that alternate would copy
  // the back buffer every time.
  if (held >= 2 && (drawn == 0 || (held > drawn && held == last_.size()))) {
    std::memcpy(copy_->pixels, back_->pixels, bytes);
    copyBlits_.assign(current_.begin(), current_.begin() + static_cast<std::ptrdiff_t>(held));
    copyValid_ = true;
  }
}

bool Compositor::OpaqueSource(int sheet, int64_t left, int64_t top, int64_t right,
                              int64_t bottom) const {
  if (!SheetIsKeyed(sheet)) return true;
  const SDL_Surface* s = plain_[sheet];
  if (const int64_t cw = kCellWidth[sheet], ch = kCellHeight[sheet];
      cw > 0 && !opaqueCells_[sheet].empty() && left / cw == (right - 1) / cw &&
      top / ch == (bottom - 1) / ch) {
    const int64_t columns = (s->w + cw - 1) / cw;
    return opaqueCells_[sheet][static_cast<size_t>((top / ch) * columns + left / cw)];
  }
  const std::vector<bool>& bands = opaqueBands_[sheet];
  const int64_t bandHeight = kBandHeight[sheet];
  for (int64_t band = top / bandHeight; band <= (bottom - 1) / bandHeight; ++band) {
    if (static_cast<size_t>(band) >= bands.size() || !bands[static_cast<size_t>(band)]) return false;
  }
  return true;
}

bool Compositor::CoversScreen(const BlitOp& b) const {
  if (b.sheet < 0 || b.sheet >= kSheetCount || plain_[b.sheet] == nullptr) return false;
  // The whole screen, with no pixel the key would skip.
  Clipped c;
  return ClipBlit(plain_[b.sheet], b.x, b.y, b.src, c) && c.dx == 0 && c.dy == 0 &&
         c.right - c.left == kScreenWidth && c.bottom - c.top == kScreenHeight &&
         (!b.keyed || OpaqueSource(b.sheet, c.left, c.top, c.right, c.bottom));
}

void Compositor::Draw(const BlitOp& b) const {
  const int sheet = b.sheet;
  if (sheet < 0 || sheet >= kSheetCount) return;
  SDL_Surface* s = plain_[sheet];
  if (s == nullptr) return;
  Clipped c;
  if (!ClipBlit(s, b.x, b.y, b.src, c)) return;
  const int64_t left = c.left, top = c.top, right = c.right, bottom = c.bottom, dx = c.dx, dy = c.dy;
  const std::vector<SDL_Surface*>& bands = keyedBands_[sheet];
  // Without a pixel of 0 under it, the key changes nothing: a plain copy.
  if (!b.keyed || bands.empty() || OpaqueSource(sheet, left, top, right, bottom)) {
    SDL_Rect from{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                  static_cast<int>(bottom - top)};
    CopyRows(s, from, back_, static_cast<int>(dx), static_cast<int>(dy));
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
    if (opaqueBands_[sheet][static_cast<size_t>(band)]) {
      from.y = static_cast<int>(row);
      CopyRows(s, from, back_, to.x, to.y);
    } else {
      SDL_LowerBlit(bands[static_cast<size_t>(band)], &from, back_, &to);
    }
    row = end;
  }
}

uint16_t Compositor::PixelAt(int x, int y) const {
  Settle();
  if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return 0;
  const auto* row = static_cast<const uint8_t*>(back_->pixels) + y * back_->pitch;
  return reinterpret_cast<const uint16_t*>(row)[x];
}

bool Compositor::SameAsLastCopy() const {
  return shownValid_ && inFrame_ && !overflow_ && current_ == shown_;
}

void Compositor::CopyXrgb8888(void* pixels, int pitch) const {
  CopyPixels(SDL_PIXELFORMAT_XRGB8888, pixels, pitch);
}

void Compositor::CopyPixels(uint32_t format, void* pixels, int pitch) const {
  Settle();
  shownValid_ = inFrame_ && !overflow_;
  if (shownValid_) shown_.assign(current_.begin(), current_.end());
  SDL_ConvertPixels(kScreenWidth, kScreenHeight, SDL_PIXELFORMAT_RGB565, back_->pixels, back_->pitch,
                    format, pixels, pitch);
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
