#include "game/panel_lines.h"

#include "core/words.h"
#include "data/stage_titles.h"
#include "game/stage_flow.h"

namespace rara3 {

namespace {

const char* SpeedName(int32_t stepFrames) {
  switch (stepFrames) {
    case 1: return Tr(N_("fast"));
    case 3: return Tr(N_("slow"));
    default: return Tr(N_("normal"));
  }
}

void AddFloor(const GameState& g, std::vector<PanelLine>& left) {
  left.push_back({TrFormat(N_("Floor {0}"), {std::to_string(g.flow.StageNo)}), false});
  const std::string title = StageTitle(g.flow.StageNo);
  if (!title.empty()) left.push_back({title, false});
  left.push_back({});
}

void AddProgress(const GameState& g, std::vector<PanelLine>& left) {
  left.push_back({TrFormat(N_("Moves {0}"), {std::to_string(g.Undo.Moves())}), false});
  left.push_back({TrFormat(N_("Pushes {0}"), {std::to_string(g.Undo.pushes)}), false});
  if (g.Help.HintsTaken > 0)
    left.push_back({TrFormat(N_("Hints {0}"), {std::to_string(g.Help.HintsTaken)}), false});
  // On the clear screen the clear just made counts too, before Enter keeps it.
  const bool newBest = g.flow.Scene == SceneClear && !g.record.ReplayMode && ClearIsBest(g);
  const int32_t bestMoves = newBest ? g.Undo.Moves() : g.Panel.bestMoves;
  const int32_t bestPushes = newBest ? g.Undo.pushes : g.Panel.bestPushes;
  if (bestMoves >= 0) {
    left.push_back({TrFormat(N_("Best clear: {0}, {1}"),
                             {TrFormatCount("{0} move", "{0} moves", bestMoves, {std::to_string(bestMoves)}),
                              TrFormatCount("{0} push", "{0} pushes", bestPushes,
                                            {std::to_string(bestPushes)})}),
                    newBest});
    const int32_t hints = newBest ? g.Help.HintsTaken : g.Panel.bestHints;
    if (hints > 0) {
      left.push_back({TrFormatCount("with {0} hint", "with {0} hints", hints, {std::to_string(hints)}), newBest});
    }
  } else {
    left.push_back({Tr(N_("Not cleared yet")), false});
  }
  left.push_back({});
  const bool changing = g.Panel.changeTicks > 0;
  left.push_back({TrFormat(N_("Speed: {0}"), {SpeedName(g.switches.StepFrames)}),
                  changing && g.Panel.change == PanelChange::Speed});
  left.push_back({TrFormat(N_("Colour set {0}"), {std::to_string(g.switches.AltColors + 1)}),
                  changing && g.Panel.change == PanelChange::Colors});
}

void AddKeys(std::vector<PanelLine>& right, std::initializer_list<const char*> keys) {
  for (const char* k : keys) right.push_back({Tr(k), false});
}

void AddBoardKeys(std::vector<PanelLine>& right) {
  AddKeys(right, {N_("Arrows: move"), N_("Backspace: undo"), N_("R: restart"), N_("H: hint"), N_("Esc: give up"),
                  N_("Enter: speed"), N_("Space: colours"), N_("M: music"), N_("S: sound"),
                  N_("F1: hide panels")});
}

}  // namespace

std::vector<PanelLine> NoWayOutLines(bool noWayOut) {
  if (!noWayOut) return {};
  return {{}, {Tr(N_("No way out: undo (Backspace) or restart (R)")), true}};
}

PanelLines LinesForPanels(const GameState& g) {
  PanelLines p;
  switch (g.flow.Scene) {
    case SceneTitle:
      AddFloor(g, p.left);
      AddKeys(p.right, {N_("Up/Down: choose a floor"), N_("Enter: start"), N_("Esc: quit"),
                        N_("M: music"), N_("S: sound"), N_("F1: hide panels")});
      break;
    case SceneIdle:
    case SceneWalk:
    case ScenePush:
      AddFloor(g, p.left);
      // What wins, for a player who has read nothing (board.cpp: CommitPush),
      // short enough for the bar: a copy box that hits a pair box turns
      // into one, which the tutorial shows.
      p.left.push_back({Tr(N_("Goal: push a pair box into another one. The exit opens: walk onto it.")),
                        false});
      p.left.push_back({});
      AddProgress(g, p.left);
      // The stuck-floor search's verdict: until it proves the floor lost,
      // nothing.
      for (PanelLine& l : NoWayOutLines(g.Help.NoWayOut)) p.left.push_back(std::move(l));
      if (g.Help.Notice == HintNotice::NotFound && g.Help.NoticeFramesLeft > 0)
        p.left.push_back({Tr(N_("No hint found")), true});
      if (g.record.ReplayMode) {
        p.right.push_back({Tr(N_("Replay")), true});
      } else {
        AddBoardKeys(p.right);
      }
      break;
    case SceneClear:
      AddFloor(g, p.left);
      AddProgress(g, p.left);
      p.right.push_back({Tr(N_("Floor cleared!")), false});
      // Only once Enter is taken: earlier it would be ignored. A replay
      // goes back to the title instead.
      if (g.pace.ClearTick == kClearHold) {
        p.right.push_back(
            {Tr(g.record.ReplayMode ? N_("Enter: back to the title") : N_("Enter: next floor")), true});
      }
      break;
    case SceneRetire:
      AddFloor(g, p.left);
      AddProgress(g, p.left);
      p.right.push_back({Tr(N_("Given up")), false});
      if (g.pace.RetireTick == kRetireHold) p.right.push_back({Tr(N_("Esc: back to the title")), true});
      break;
    case SceneEditor:
      AddFloor(g, p.left);
      AddKeys(p.right, {N_("Arrows: cursor"), N_("1-8: boxes"), N_("A: player"), N_("Z: exit"),
                        N_("Q: erase"), N_("Enter: save"), N_("Esc: leave"), N_("F1: hide panels")});
      break;
    default:
      break;
  }
  return p;
}

}  // namespace rara3
