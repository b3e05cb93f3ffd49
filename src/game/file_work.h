// The game's files, touched in this one place. Key handlers and scene steps
// ask for file work with RequestFileWork; CarryOutFileWork does it in the
// order asked, reports each failure to the player and applies what the
// request says a failure or a success leads to.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// Queues one piece of file work. The queue holds what one key asks for; a
// request beyond it is a fault of the caller and is dropped.
void RequestFileWork(GameState& g, const FileRequest& request);
// Does every queued request, in order, and empties the queue. A failure
// that abandons a replay start drops the requests after it.
void CarryOutFileWork(GameState& g, Files& files, System& system);

// --- The file operations, also for drivers that set up a scene ---

// Loads stage StageNo for play and enters the idle scene. A stage that
// cannot be read is reported and leaves Map untouched and the game on the
// title; returns false then.
bool LoadStage(GameState& g, Files& files, System& system);
// Loads stage StageNo as stored (exit cells kept) and enters the editor.
bool LoadStageForEditor(GameState& g, Files& files, System& system);
// Writes Map into stage StageNo of the data file and into its export file.
// A failure is reported and returns false; the caller keeps the editor
// open. afterFailure ends the notice when the stage itself was not saved.
bool SaveEditedStage(GameState& g, Files& files, System& system,
                     const std::string& afterFailure = "");
// True when Map differs from stage StageNo as the data file holds it (or
// the stage cannot be read to tell).
bool EditorHasUnsavedEdits(const GameState& g, Files& files);
// Writes RecordMoves of stage StageNo, replacing the old file whole. A
// failure leaves the old file, reports one line and returns false.
bool WriteReplayFile(GameState& g, Files& files, System& system);
// Reads the replay file of stage StageNo into ReplayMoves and ReplayCount.
// A failure reports one line, changes neither and returns false.
bool ReadReplayFile(GameState& g, Files& files, System& system);
// Writes MaxStage as the progress byte; a failure is reported and the game
// goes on.
bool WriteProgressByte(GameState& g, Files& files, System& system);

// The player's settings file (settings.txt in AppDir): whether the side
// panels are shown. No file is the defaults (panels on); a file that cannot
// be read or parsed is reported, gives the defaults and returns false.
bool ReadSettings(GameState& g, Files& files, System& system);
// The settings text's lines: "# comment" and "panels on|off"; unknown
// settings are skipped. Returns the error, or "" when it is good.
std::string ParseSettings(const std::string& text, bool& panelsShown);

// The hints file (hints.txt in AppDir): the hints taken on each floor's
// best clear, a line "FLOOR COUNT" each, "# comment" lines skipped. False,
// with counts left empty, for a text with any other line.
bool ParseHintCounts(const std::string& text, std::map<int32_t, int32_t>& counts);

}  // namespace rara3
