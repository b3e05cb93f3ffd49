// How a stage uses the board and its boxes: the playing area, what the
// shortest solution does, and what happens to it when one object, all boxes
// of a kind, or one wall cell is taken away. The stage generator refines its
// candidates with the same measures the docs report.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/solver.h"
#include "stage_file.h"

namespace rara3::solve {

// The cells the player and the boxes can ever reach: every cell but the
// solid boxes that is joined to the player's cell.
struct PlayArea {
  bool in[kBoardSize][kBoardSize] = {};
  int cells = 0;
  int x0 = kBoardSize, y0 = kBoardSize, x1 = -1, y1 = -1;  // bounding box, inclusive
  int Width() const { return x1 - x0 + 1; }
  int Height() const { return y1 - y0 + 1; }
  double CentreX() const { return (x0 + x1) / 2.0; }
  double CentreY() const { return (y0 + y1) / 2.0; }
  // Two parts of at least this many cells that only one cell joins: rooms
  // with a door or corridor between them.
  bool hasDoor = false;
};

PlayArea AreaOf(const Board& b);

// What the shortest solution does.
struct SolutionFacts {
  int moves = 0;
  int pushes = 0;
  int boxChanges = 0;     // pushes of another box than the push before
  int distinctBoxes = 0;  // boxes pushed at least once
  int pairings = 0, vanishes = 0, copyChanges = 0, blasts = 0, steps = 0, slides = 0;
  std::vector<std::string> story;  // one line per push
};

SolutionFacts FactsOf(const Board& start, const std::vector<int32_t>& facings);

// The outcome of a stage changed in one way, against its shortest solution.
enum class Change { Unsolvable, Longer, Same, Shorter, Unknown };
struct Outcome {
  Change change = Change::Unknown;
  int delta = 0;  // new length minus old
};
const char* ChangeName(Change c);

// What the shipped (shortest) solution makes of the room it is given: how
// much of the floor it uses, how busy the outline is, how it pushes, and how
// many pushes the player could have made instead at each step.
struct ShapeFacts {
  int floor = 0;          // cells of the playing area
  int used = 0;           // walked, slid over, or where an object starts
  bool usedCell[kBoardSize][kBoardSize] = {};
  int outlineCorners = 0; // 2x2 windows holding 1 or 3 floor cells, twice for 2 diagonal ones
  int stubs = 0;          // wall cells with 3 or more floor neighbours
  int wallsBeside = 0;    // wall cells with a floor neighbour
  int wallsBesideIdle = 0;  // of which no cell next to it (diagonals too) is used
  int haulage = 0;        // pushes of the box the push before moved, the same way
  int ideaMoments = 0;    // runs of pushes where neither it nor the next makes progress
  std::vector<int> choices;  // per push: distinct boards one push away
  std::string lastEvent;  // "pair" or "copy" (a copy box turned partner)
  std::string kindsPushed;  // the kinds pushed, in kind order, comma-joined
};

ShapeFacts ShapeOf(const Board& start, const PlayArea& area, const std::vector<int32_t>& facings);

struct MeasureLimits {
  SearchLimits solve{20'000'000, 300.0};
  // Each changed stage is searched up to max(floor, factor x the stage's own
  // states); beyond that its outcome is unknown.
  uint64_t variantFloor = 2'000'000;
  double variantFactor = 6.0;
  SearchLimits deadEnds{30'000'000, 300.0};
  bool walls = true;
  // Light: the solution, its shape and the kinds taken away; no dead ends,
  // no single objects, no walls (for tools that measure many candidates).
  bool light = false;
  // Shape only: the solution and its shape, nothing taken away.
  bool shapeOnly = false;
};

struct ObjectOutcome {
  int x = 0, y = 0;
  int32_t kind = 0;
  Outcome outcome;
};

struct KindOutcome {
  int32_t kind = 0;
  bool named = false;  // the idea line names it
  Outcome outcome;
};

struct StageMeasure {
  PlayArea area;
  int kindCount[11] = {};
  SolveResult solve;
  // The fewest pushes any solution needs (walking free), and the kinds that
  // solution pushes: a stage whose idea this skips can be won without it.
  SolveResult fewestPushes;
  std::string fewestPushKinds;
  std::string fewestPushUses;  // the kinds it pushes, runs into or blows up
  std::vector<std::string> fewestPushStory;
  SolutionFacts facts;
  ShapeFacts shape;
  DeadEndResult deadEnds;
  std::vector<ObjectOutcome> objects;
  std::vector<KindOutcome> kinds;  // every box kind present but the pair
  int wallsInBox = 0;
  int wallsBuried = 0;  // with no cell of the area beside them
  int wallsIrrelevant = 0;
  int wallsUnknown = 0;
  std::vector<std::pair<int, int>> irrelevantWalls;
  double seconds = 0;
};

// The box kinds an idea line names, by the words a player uses for them.
std::vector<int32_t> KindsNamedIn(const std::string& idea);

// Searches the stage with one change against the solution of the original.
Outcome OutcomeOf(const Board& changed, const std::vector<int32_t>& shortest, uint64_t maxStates,
                  double maxSeconds);

StageMeasure MeasureStage(const StageFile& file, const Board& start, const MeasureLimits& limits);

// One line of JSON with every figure of the measure.
std::string MeasureJson(int number, const StageFile& file, const StageMeasure& m);

}  // namespace rara3::solve
