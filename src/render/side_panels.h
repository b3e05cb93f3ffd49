// The side panels in the black bars beside the board, in the small letters
// of kSheetLettering. Drawn over every scene but the ending while F1 has them on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// Each bar is 80 px wide; the text keeps 4 px from the board and the edge.
constexpr int32_t kPanelTextWidth = 72;
constexpr int32_t kLeftPanelX = 4;
constexpr int32_t kRightPanelX = 564;
constexpr int32_t kPanelTop = 6;
constexpr int32_t kPanelLinePitch = 11;
// Lines after the first of a wrapped text start this far in.
constexpr int32_t kPanelIndent = 5;

// The UTF-8 text as characters; a broken sequence becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

// Width in pixels of the characters as the panels draw them.
int32_t PanelTextWidth(std::u32string_view text);

// The text broken into lines that fit `width` pixels (the lines after the
// first `kPanelIndent` narrower): at spaces where it can, anywhere within a
// word too long for a line (Japanese has no spaces).
std::vector<std::u32string> WrapPanelText(std::string_view text, int32_t width);

void DrawSidePanels(const GameState& g, Display& d);

}  // namespace rara3
