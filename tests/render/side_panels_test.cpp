// The side panels: what each scene says in both languages, how a text is
// wrapped to the bar, and that the drawn letters spell the lines.
#include "render/side_panels.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "game/panel_lines.h"
#include "core/sheets.h"
#include "render/panel_glyph_table.h"
#include "render/render_frame.h"
#include "support/game_fixture.h"
#include "support/language.h"

namespace rara3 {
namespace {

using test::GameFixture;

std::vector<std::string> Texts(const std::vector<PanelLine>& lines) {
  std::vector<std::string> out;
  for (const PanelLine& l : lines) out.push_back(l.bright ? "*" + l.text : l.text);
  return out;
}

std::string Utf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

class SidePanelsTest : public GameFixture {
 public:
  SidePanelsTest() { ChooseLanguage(nullptr); }
  ~SidePanelsTest() override { ChooseLanguage(nullptr); }
};

// Scene by scene, on floor 1 of the shipped set ("First Light") unless a
// case chooses another; "*" marks a bright line.
struct SceneCase {
  const char* name;
  const char* language;  // nullptr: English
  void (*enter)(GameState& g);
  std::vector<std::string> left;
  std::vector<std::string> right;
};

const std::vector<std::string> kBoardKeys = {
    "Arrows: move", "Backspace: undo", "R: restart", "H: hint", "Esc: give up", "Enter: speed",
    "Space: colours", "M: music", "S: sound", "F1: hide panels"};

const std::vector<std::string> kTitleKeys = {"Up/Down: choose a floor", "Enter: start", "Esc: quit",
                                              "M: music", "S: sound", "F1: hide panels"};
const std::vector<std::string> kTitleKeysJa = {"上下: フロアを選ぶ", "Enter: 始める", "Esc: 終わる",
                                                "M: 音楽", "S: 効果音", "F1: 表示を消す"};

void OnTitleOfFloor60(GameState& g) {
  g.flow.Scene = SceneTitle;
  g.flow.StageNo = 60;
}

void OnFloor(GameState& g) {
  g.flow.Scene = SceneIdle;
  g.Undo.steps.assign(12, {});
  g.Undo.steps[3].push = true;
  g.Undo.pushes = 1;
}

const char* const kGoal = "Goal: push a pair box into another one. The exit opens: walk onto it.";
const char* const kGoalJa = "目的: ペアの箱を別のペアの箱にぶつけると出口が開きます。出口へ歩けばクリア。";

const SceneCase kScenes[] = {
    {"title", nullptr, [](GameState& g) { g.flow.Scene = SceneTitle; },
     {"Floor 1", "First Light", ""},
     kTitleKeys},
    {"a floor never cleared", nullptr, OnFloor,
     {"Floor 1", "First Light", "", kGoal, "", "Moves 12", "Pushes 1", "Not cleared yet", "", "Speed: normal",
      "Colour set 1"},
     kBoardKeys},
    {"the best clear, the speed just changed", nullptr,
     [](GameState& g) {
       OnFloor(g);
       g.Panel.bestMoves = 10;
       g.Panel.bestPushes = 1;
       g.Panel.bestHints = 2;
       g.switches.StepFrames = 1;
       g.Panel.change = PanelChange::Speed;
       g.Panel.changeTicks = 5;
     },
     {"Floor 1", "First Light", "", kGoal, "", "Moves 12", "Pushes 1", "Best clear: 10 moves, 1 push", "with 2 hints",
      "", "*Speed: fast", "Colour set 1"},
     kBoardKeys},
    {"the colours changed long ago", nullptr,
     [](GameState& g) {
       OnFloor(g);
       g.switches.AltColors = 1;
       g.switches.StepFrames = 3;
       g.Panel.change = PanelChange::Colors;
     },
     {"Floor 1", "First Light", "", kGoal, "", "Moves 12", "Pushes 1", "Not cleared yet", "", "Speed: slow",
      "Colour set 2"},
     kBoardKeys},
    {"stuck after two hints, a hint not found", nullptr,
     [](GameState& g) {
       OnFloor(g);
       g.Help.HintsTaken = 2;
       g.Help.NoWayOut = true;
       g.Help.Notice = HintNotice::NotFound;
       g.Help.NoticeFramesLeft = 10;
     },
     {"Floor 1", "First Light", "", kGoal, "", "Moves 12", "Pushes 1", "Hints 2", "Not cleared yet", "",
      "Speed: normal", "Colour set 1", "", "*No way out: undo (Backspace) or restart (R)",
      "*No hint found"},
     kBoardKeys},
    {"cheering: Enter not taken yet", nullptr,
     [](GameState& g) {
       OnFloor(g);
       g.flow.Scene = SceneClear;
       g.pace.ClearTick = kClearHold - 1;
     },
     {"Floor 1", "First Light", "", "Moves 12", "Pushes 1", "*Best clear: 12 moves, 1 push", "", "Speed: normal",
      "Colour set 1"},
     {"Floor cleared!"}},
    {"cleared: Enter taken", nullptr,
     [](GameState& g) {
       OnFloor(g);
       g.flow.Scene = SceneClear;
       g.pace.ClearTick = kClearHold;
     },
     {"Floor 1", "First Light", "", "Moves 12", "Pushes 1", "*Best clear: 12 moves, 1 push", "", "Speed: normal",
      "Colour set 1"},
     {"Floor cleared!", "*Enter: next floor"}},
    {"a clear with more moves than the one kept", nullptr,
     [](GameState& g) {
       OnFloor(g);
       g.Panel.bestMoves = 10;
       g.Panel.bestPushes = 2;
       g.flow.Scene = SceneClear;
       g.pace.ClearTick = kClearHold;
     },
     {"Floor 1", "First Light", "", "Moves 12", "Pushes 1", "Best clear: 10 moves, 2 pushes", "",
      "Speed: normal", "Colour set 1"},
     {"Floor cleared!", "*Enter: next floor"}},
    {"a replay cleared", nullptr,
     [](GameState& g) {
       OnFloor(g);
       g.record.ReplayMode = true;
       g.flow.Scene = SceneClear;
       g.pace.ClearTick = kClearHold;
     },
     {"Floor 1", "First Light", "", "Moves 12", "Pushes 1", "Not cleared yet", "", "Speed: normal",
      "Colour set 1"},
     {"Floor cleared!", "*Enter: back to the title"}},
    {"given up: Esc taken", nullptr,
     [](GameState& g) {
       OnFloor(g);
       g.flow.Scene = SceneRetire;
       g.pace.RetireTick = kRetireHold;
     },
     {"Floor 1", "First Light", "", "Moves 12", "Pushes 1", "Not cleared yet", "", "Speed: normal",
      "Colour set 1"},
     {"Given up", "*Esc: back to the title"}},
    {"the editor", nullptr, [](GameState& g) { g.flow.Scene = SceneEditor; },
     {"Floor 1", "First Light", ""},
     {"Arrows: cursor", "1-8: boxes", "A: player", "Z: exit", "Q: erase", "Enter: save", "Esc: leave",
      "F1: hide panels"}},
    {"the ending", nullptr, [](GameState& g) { g.flow.Scene = SceneEnding; }, {}, {}},
    {"title on a later floor", nullptr, OnTitleOfFloor60, {"Floor 60", "Taking Turns", ""}, kTitleKeys},
    {"title in Japanese", "ja", [](GameState& g) { g.flow.Scene = SceneTitle; },
     {"フロア 1", "はじまりの光", ""},
     kTitleKeysJa},
    {"a floor in Japanese", "ja",
     [](GameState& g) {
       OnFloor(g);
       g.Panel.bestMoves = 10;
       g.Panel.bestPushes = 1;
       g.Panel.bestHints = 1;
     },
     {"フロア 1", "はじまりの光", "", kGoalJa, "", "歩数 12", "押した回数 1", "最高記録: 10歩、押し1回",
      "手がかり1回で", "",
      "速さ: ふつう", "配色 1"},
     {"矢印: 移動", "Backspace: 一手戻す", "R: やり直し", "H: 手がかり", "Esc: あきらめる", "Enter: 速さ",
      "Space: 配色", "M: 音楽", "S: 効果音", "F1: 表示を消す"}},
    {"cleared in Japanese", "ja",
     [](GameState& g) {
       OnFloor(g);
       g.flow.Scene = SceneClear;
       g.pace.ClearTick = kClearHold;
     },
     {"フロア 1", "はじまりの光", "", "歩数 12", "押した回数 1", "*最高記録: 12歩、押し1回", "",
      "速さ: ふつう", "配色 1"},
     {"フロアクリア！", "*Enter: 次のフロアへ"}},
    {"title on a later floor in Japanese", "ja", OnTitleOfFloor60, {"フロア 60", "かわりばんこ", ""},
     kTitleKeysJa},
};

TEST_F(SidePanelsTest, EachSceneSaysWhatItShould) {
  const auto start = std::make_unique<GameState>(g);
  for (const SceneCase& c : kScenes) {
    ChooseLanguage(c.language);
    g = *start;
    c.enter(g);
    const PanelLines lines = LinesForPanels(g);
    EXPECT_EQ(Texts(lines.left), c.left) << c.name;
    EXPECT_EQ(Texts(lines.right), c.right) << c.name;
  }
}

TEST_F(SidePanelsTest, NoWayOutNamesTheKeysThatHelp) {
  EXPECT_TRUE(NoWayOutLines(false).empty());
  EXPECT_EQ(Texts(NoWayOutLines(true)),
            (std::vector<std::string>{"", "*No way out: undo (Backspace) or restart (R)"}));
  ChooseLanguage("ja");
  EXPECT_EQ(Texts(NoWayOutLines(true)),
            (std::vector<std::string>{"", "*手詰まりです: 一手戻す (Backspace) か やり直し (R)"}));
}

TEST_F(SidePanelsTest, TextIsWrappedToTheBar) {
  struct WrapCase {
    const char* text;
    std::vector<std::string> lines;
  };
  // Latin letters are 5 px: 14 to the first line of 72 px, 13 after it.
  const WrapCase cases[] = {
      {"", {}},
      {"Floor 12", {"Floor 12"}},
      {"Backspace: undo", {"Backspace:", "undo"}},
      {"Best clear: 10 moves, 1 pushes", {"Best clear: 10", "moves, 1", "pushes"}},
      {"Supercalifragilistic", {"Supercalifragi", "listic"}},
      {"a  b", {"a  b"}},
      // Japanese letters are 8 px: nine to a line, cut anywhere.
      {"まだクリアしていません", {"まだクリアしていま", "せん"}},
      {"Backspace: 一手戻す", {"Backspace:", "一手戻す"}},
      // A full stop never starts a line: the letter before it goes along.
      {"ああああああああい。う", {"ああああああああ", "い。う"}},
  };
  for (const WrapCase& c : cases) {
    std::vector<std::string> got;
    for (const std::u32string& l : WrapPanelText(c.text, kPanelTextWidth)) got.push_back(Utf8(l));
    EXPECT_EQ(got, c.lines) << c.text;
  }
}

TEST_F(SidePanelsTest, BrokenUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(DecodeUtf8("a\xE3\x81"), U"a\uFFFD\uFFFD");
  EXPECT_EQ(DecodeUtf8("\xFF" "b"), U"\uFFFDb");
  EXPECT_EQ(DecodeUtf8("フ"), U"フ");
}

TEST_F(SidePanelsTest, EveryTranslatedTextCanBeDrawn) {
  // The sheet holds every character of the catalogue: nothing comes out as
  // a question mark in either language.
  std::map<char32_t, bool> inSheet;
  for (const PanelGlyph& gl : kPanelGlyphs) inSheet[gl.code] = true;
  for (const char* language : {static_cast<const char*>(nullptr), "ja"}) {
    ChooseLanguage(language);
    // Every floor's title, on the title screen.
    for (int32_t floor = 1; floor <= 100; ++floor) {
      g.flow.Scene = SceneTitle;
      g.flow.StageNo = floor;
      for (const PanelLine& l : LinesForPanels(g).left) {
        for (char32_t c : DecodeUtf8(l.text)) EXPECT_TRUE(inSheet[c]) << l.text;
      }
    }
    g.flow.StageNo = 1;
    for (int scene : {SceneTitle, SceneIdle, SceneClear, SceneRetire, SceneEditor}) {
      g.flow.Scene = static_cast<int16_t>(scene);
      g.pace.ClearTick = kClearHold;
      g.pace.RetireTick = kRetireHold;
      PanelLines lines = LinesForPanels(g);
      for (const PanelLine& l : NoWayOutLines(true)) lines.left.push_back(l);
      for (const auto* side : {&lines.left, &lines.right}) {
        for (const PanelLine& l : *side) {
          for (char32_t c : DecodeUtf8(l.text)) EXPECT_TRUE(inSheet[c]) << l.text;
        }
      }
    }
  }
}

// The letters a frame drew in a bar, read back line by line from the
// glyph rectangles.
std::vector<std::string> ReadBar(const std::vector<BlitRecord>& blits, int32_t left) {
  std::map<std::pair<int32_t, int32_t>, char32_t> at;
  for (const BlitRecord& b : blits) {
    if (b.sheet != kSheetLettering || b.src.Top < kPanelGlyphTop || b.x < left || b.x >= left + 80) continue;
    const int32_t row = (b.src.Top - kPanelGlyphTop) % kPanelToneRows + kPanelGlyphTop;
    for (const PanelGlyph& gl : kPanelGlyphs) {
      if (gl.x == b.src.Left && gl.y == row) at[{b.y, b.x}] = gl.code;
    }
  }
  std::vector<std::string> lines;
  int32_t y = -1;
  for (const auto& [pos, code] : at) {
    if (pos.first != y) {
      lines.emplace_back();
      y = pos.first;
    }
    lines.back() += Utf8(std::u32string(1, code));
  }
  return lines;
}

TEST_F(SidePanelsTest, TheDrawnLettersSpellTheLinesAndF1HidesThem) {
  for (const char* language : {static_cast<const char*>(nullptr), "ja"}) {
    ChooseLanguage(language);
    OnFloor(g);
    g.Panel.shown = true;
    hp.display.frame.clear();
    DrawFrame(g, hp.display);
    std::vector<std::string> left;
    for (const PanelLine& l : LinesForPanels(g).left) {
      for (const std::u32string& w : WrapPanelText(l.text, kPanelTextWidth)) {
        std::string s;
        for (char32_t c : w) {
          if (c != U' ') s += Utf8(std::u32string(1, c));
        }
        left.push_back(s);
      }
    }
    EXPECT_EQ(ReadBar(hp.display.frame, 0), left);
    EXPECT_FALSE(ReadBar(hp.display.frame, 560).empty());

    hp.display.frame.clear();
    Key(KeyF1);
    EXPECT_FALSE(g.Panel.shown);
    DrawFrame(g, hp.display);
    EXPECT_TRUE(ReadBar(hp.display.frame, 0).empty());
    EXPECT_TRUE(ReadBar(hp.display.frame, 560).empty());
  }
}

}  // namespace
}  // namespace rara3
