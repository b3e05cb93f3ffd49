// The frame in pixels: the nine sheets in RGB565, keyed on 0 from kSheetPlayer on,
// copied by rectangles onto a 640 x 480 RGB565 back buffer. The headless
// display and the real game's display compose their frames with this same
// code, so a frame of the simulator is the frame the player sees.
//
// Most frames repeat the last one's blits for a long way (the clear, the
// floor, the board up to whatever moved). A frame starts with a blit that
// covers the screen opaquely; its blits are held back while they match the
// last frame's, and when the frame is read or turns different, the matched
// part comes from a copy of the back buffer kept from an earlier frame with
// the same blits. The pixels are the same as drawing every blit.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/platform.h"

namespace rara3 {

class Compositor {
 public:
  Compositor();
  ~Compositor();
  Compositor(const Compositor&) = delete;
  Compositor& operator=(const Compositor&) = delete;

  // Takes decoded sheet images of any pixel format (the caller keeps and
  // frees them). Refuses, naming the sheet, a missing image or one of the
  // wrong size; the sheets loaded before stay in use then.
  bool SetSheets(SDL_Surface* const (&images)[kSheetCount], std::string& error);
  // The art built into the program.
  bool LoadEmbeddedSheets(std::string& error);
  bool HasSheets() const { return plain_[0] != nullptr; }

  // The fast blit: the source rectangle of a sheet onto the back buffer with
  // its top-left corner at (x, y); keyed skips the pixels that are 0. Only
  // the part that lies on the sheet and on the screen is copied, so any
  // rectangle is safe. Allocates nothing.
  void Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed);

  // The 640 x 480 RGB565 frame. Whoever writes into it through the
  // pointer makes it count as changed.
  const SDL_Surface* BackBuffer() const {
    Settle();
    shownValid_ = false;
    return back_;
  }
  uint16_t PixelAt(int x, int y) const;
  // The frame as 32-bit XRGB8888 pixels: what a window shows and what a
  // snapshot holds.
  void CopyXrgb8888(void* pixels, int pitch) const;
  // The frame in another of SDL's pixel formats (a canvas takes RGBA32).
  void CopyPixels(uint32_t format, void* pixels, int pitch) const;
  // True when the frame is surely the one the last copy gave: made
  // by the same blits from a screen-covering one, with the same sheets. A
  // window need not show it again.
  bool SameAsLastCopy() const;
  // A PNG of the frame (24-bit RGB).
  bool SavePng(const std::string& path, std::string& error) const;

  // Blits drawn from the kept copy instead of one by one, since the start.
  long long BlitsFromCopy() const { return blitsFromCopy_; }

 private:
  struct BlitOp {
    int32_t x;
    int32_t y;
    int sheet;
    Rect src;
    bool keyed;
    friend bool operator==(const BlitOp&, const BlitOp&) = default;
  };
  // The most blits of one frame that are remembered; a longer frame is drawn
  // as it comes. Reserved once, so frames allocate nothing.
  static constexpr size_t kMaxFrameBlits = 4096;

  void FreeSheets();
  void ForgetFrames();
  void Draw(const BlitOp& b) const;
  bool CoversScreen(const BlitOp& b) const;
  bool OpaqueSource(int sheet, int64_t left, int64_t top, int64_t right, int64_t bottom) const;
  // Draws the blits held back; the back buffer is then up to date.
  void Settle() const;

  SDL_Surface* back_ = nullptr;
  // Every sheet unkeyed, and sheets 1 to 8 a second time keyed and
  // run-length encoded, so neither kind of blit toggles keys. The keyed
  // copies are cut in bands of picture rows: a run-length blit walks every
  // row above its rectangle, and the player's sheet is 1280 rows tall.
  SDL_Surface* plain_[kSheetCount] = {};
  std::vector<SDL_Surface*> keyedBands_[kSheetCount];
  // The keyed sheets once more, one surface per picture cell, for the
  // rectangles that lie inside one cell (nearly every blit).
  std::vector<SDL_Surface*> keyedCells_[kSheetCount];
  // Per band and per cell: no pixel is 0, so the key changes nothing.
  std::vector<bool> opaqueBands_[kSheetCount];
  std::vector<bool> opaqueCells_[kSheetCount];

  // The frame cache. Mutable: reading the frame draws what was held back.
  mutable std::vector<BlitOp> last_;     // the last frame's blits
  mutable std::vector<BlitOp> current_;  // this frame's, so far
  mutable bool holding_ = false;        // current_ matches last_ and is not drawn
  mutable bool overflow_ = false;       // this frame has too many blits to keep
  mutable bool inFrame_ = false;        // a screen-covering blit started a frame
  mutable bool onlyCovering_ = false;   // every blit of this frame so far covers the screen
  SDL_Surface* copy_ = nullptr;         // the back buffer after copyBlits_
  mutable std::vector<BlitOp> copyBlits_;
  mutable bool copyValid_ = false;
  mutable long long blitsFromCopy_ = 0;
  // The blits of the frame the last CopyXrgb8888 gave.
  mutable std::vector<BlitOp> shown_;
  mutable bool shownValid_ = false;
};

// The RGB565 value of a 24-bit colour, as the sheets are converted.
uint16_t Rgb565(uint32_t rgb);

}  // namespace rara3
