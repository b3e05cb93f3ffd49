#include "render/side_panels.h"

#include <algorithm>

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

int32_t DrawText(Display& d, std::u32string_view text, int32_t x, int32_t y, bool bright) {
  for (char32_t c : text) {
    const PanelGlyph& g = GlyphOf(c);
    const int32_t top = g.y + (bright ? kPanelToneRows : 0);
    if (!IsSpace(c)) DrawFixed(d, kSheetLettering, RectAt(g.x, top, g.advance + 1, kPanelGlyphHeight), x, y);
    x += g.advance;
  }
  return x;
}

void DrawPanel(Display& d, const std::vector<PanelLine>& lines, int32_t x) {
  int32_t y = kPanelTop;
  for (const PanelLine& line : lines) {
    const std::vector<std::u32string> wrapped = WrapPanelText(line.text, kPanelTextWidth);
    for (size_t i = 0; i < wrapped.size(); ++i) {
      if (y + kPanelGlyphHeight > kScreenHeight) return;
      DrawText(d, wrapped[i], x + (i == 0 ? 0 : kPanelIndent), y, line.bright);
      y += kPanelLinePitch;
    }
    if (wrapped.empty()) y += kPanelLinePitch / 2;  // an empty line parts groups
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
