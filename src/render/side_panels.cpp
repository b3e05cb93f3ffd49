#include "render/side_panels.h"

#include <algorithm>
#include <unordered_map>

#include "core/sheets.h"
#include "game/panel_lines.h"
#include "render/blit.h"
#include "render/panel_glyph_table.h"

namespace rara3 {

namespace {

const PanelGlyph* FindGlyph(char32_t c) {
  const auto end = std::end(kPanelGlyphs);
  const auto it = std::lower_bound(std::begin(kPanelGlyphs), end, c,
                                   [](const PanelGlyph& g, char32_t code) { return g.code < code; });
  return it != end && it->code == c ? it : nullptr;
}

// A character the sheet lacks shows as a question mark.
const PanelGlyph& GlyphOf(char32_t c) {
  const PanelGlyph* g = FindGlyph(c);
  return g != nullptr ? *g : *FindGlyph(U'?');
}

bool IsSpace(char32_t c) { return c == U' ' || c == U'\u3000'; }

// Japanese punctuation that never starts a line: the character before it
// goes down with it.
bool NeverStartsALine(char32_t c) {
  return c == U'。' || c == U'、' || c == U'」' || c == U'』' || c == U'）' || c == U'！' || c == U'？';
}

// Where the glyphs of one panel text go, wrapped to the panel: worked out
// once per text, as the panels draw the same few texts every frame.
struct PanelTextLayout {
  struct Placed {
    int32_t x;
    int row;
    const PanelGlyph* glyph;
  };
  int rows = 0;
  std::vector<Placed> glyphs;  // row by row; spaces draw nothing
};

const PanelTextLayout& LayoutOf(const std::string& text) {
  // Per thread, so tests that draw on several threads share nothing; kept
  // small, as the texts on screen at a time are a few dozen.
  thread_local std::unordered_map<std::string, PanelTextLayout> known;
  if (const auto it = known.find(text); it != known.end()) return it->second;
  if (known.size() >= 256) known.clear();
  PanelTextLayout layout;
  const std::vector<std::u32string> wrapped = WrapPanelText(text, kPanelTextWidth);
  layout.rows = static_cast<int>(wrapped.size());
  for (size_t row = 0; row < wrapped.size(); ++row) {
    int32_t x = row == 0 ? 0 : kPanelIndent;
    for (char32_t c : wrapped[row]) {
      const PanelGlyph& g = GlyphOf(c);
      if (!IsSpace(c)) layout.glyphs.push_back({x, static_cast<int>(row), &g});
      x += g.advance;
    }
  }
  return known.emplace(text, std::move(layout)).first->second;
}

void DrawPanel(Display& d, const std::vector<PanelLine>& lines, int32_t x) {
  int32_t y = kPanelTop;
  for (const PanelLine& line : lines) {
    const PanelTextLayout& layout = LayoutOf(line.text);
    const int32_t tone = line.bright ? kPanelToneRows : 0;
    size_t k = 0;
    for (int row = 0; row < layout.rows; ++row) {
      if (y + kPanelGlyphHeight > kScreenHeight) return;
      for (; k < layout.glyphs.size() && layout.glyphs[k].row == row; ++k) {
        const PanelGlyph& g = *layout.glyphs[k].glyph;
        DrawFixed(d, kSheetLettering, RectAt(g.x, g.y + tone, g.advance + 1, kPanelGlyphHeight),
                  x + layout.glyphs[k].x, y);
      }
      y += kPanelLinePitch;
    }
    if (layout.rows == 0) y += kPanelLinePitch / 2;  // an empty line parts groups
  }
}

}  // namespace

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = extra >= 0 && i + static_cast<size_t>(extra) < text.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      ok = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    out += ok ? c : U'\uFFFD';
    i += ok ? static_cast<size_t>(extra) + 1 : 1;
  }
  return out;
}

int32_t PanelTextWidth(std::u32string_view text) {
  int32_t w = 0;
  for (char32_t c : text) w += GlyphOf(c).advance;
  return w;
}

std::vector<std::u32string> WrapPanelText(std::string_view text, int32_t width) {
  const std::u32string chars = DecodeUtf8(text);
  std::vector<std::u32string> lines;
  size_t start = 0;
  while (start < chars.size()) {
    const int32_t room = lines.empty() ? width : width - kPanelIndent;
    // The most characters that fit, then back to the last space among them.
    size_t end = start;
    int32_t used = 0;
    while (end < chars.size() && used + GlyphOf(chars[end]).advance <= room) {
      used += GlyphOf(chars[end]).advance;
      ++end;
    }
    if (end == start) end = start + 1;  // never stall on a glyph wider than the room
    size_t cut = end;
    if (end < chars.size() && !IsSpace(chars[end])) {
      for (size_t k = end; k > start + 1; --k) {
        if (IsSpace(chars[k - 1])) {
          cut = k - 1;
          break;
        }
      }
      if (cut == end && NeverStartsALine(chars[end]) && end > start + 1) --cut;
    }
    lines.push_back(chars.substr(start, cut - start));
    start = cut;
    while (start < chars.size() && IsSpace(chars[start])) ++start;
  }
  return lines;
}

void DrawSidePanels(const GameState& g, Display& d) {
  if (!g.Panel.shown || g.flow.Scene == SceneEnding) return;
  const PanelLines lines = LinesForPanels(g);
  DrawPanel(d, lines.left, kLeftPanelX);
  DrawPanel(d, lines.right, kRightPanelX);
}

}  // namespace rara3
