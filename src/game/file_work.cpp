// Every read and write of the game's files: stages, the editor's save and
// export, replays and the progress byte, and the queue that asks for them.
#include "game/file_work.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>
#include <vector>

#include "core/words.h"
#include "data/data_file.h"
#include "game/floor_help_step.h"
#include "game/notice.h"
#include "game/replay_file.h"
#include "game/undo.h"

namespace rara3 {

namespace {

// The whole stage is read before Map changes, so a stage that cannot be
// read never leaves a half-loaded board.
bool LoadStageCells(GameState& g, Files& files, System& system, int32_t stage, bool forPlay) {
  StageCells cells;
  std::string error;
  if (!ReadStage(files, DataFilePath(g.lifecycle.AppDir), stage, cells, error)) {
    TellPlayer(system, TrFormat(N_("Stage {0} cannot be loaded: {1}"), {std::to_string(stage), error}));
    g.flow.Scene = SceneTitle;
    return false;
  }
  PlaceStageCells(g, cells, forPlay);
  return true;
}

// The clear kept in the floor's replay file, for the panel: its codes
// played from the start, counting those that walk or push (files written
// before only net moves were kept hold turns too). A missing or damaged
// file counts as no clear; playing the replay reports the damage.
void ReadBestClear(GameState& g, Files& files, System& system, int32_t stage) {
  g.Panel.bestMoves = -1;
  g.Panel.bestPushes = -1;
  std::vector<uint8_t> bytes;
  bool missing = false;
  std::string error;
  if (!files.ReadAll(StageFilePath(g.lifecycle.AppDir, stage, kReplayExtension), bytes, missing, error)) {
    // No file is no clear yet; a file that is there and cannot be read is
    // a fault of the system the player must hear of.
    if (!missing) {
      TellPlayer(system, TrFormat(N_("The replay of stage {0} cannot be played: {1}"),
                             {std::to_string(stage), error}));
    }
    return;
  }
  std::vector<int32_t> codes(ReplayCapacity);
  int32_t count = 0;
  if (!ParseReplay(bytes, ReplayCapacity, codes.data(), count, error)) return;
  Board b = g.record.StageStart;
  int32_t moves = 0;
  int32_t pushes = 0;
  for (int32_t i = 0; i < count; ++i) {
    const MoveResult r = ApplyMove(b, FacingOfMoveCode(codes[static_cast<size_t>(i)], b.Facing));
    if (r.kind == MoveKind::None) continue;
    ++moves;
    pushes += r.kind == MoveKind::Push;
    if (r.cleared) {
      g.Panel.bestMoves = moves;
      g.Panel.bestPushes = pushes;
      return;
    }
  }
}

constexpr char kHintsFile[] = "hints.txt";

// The counts of the hints file; a missing or damaged file is no counts at
// all, never a reason to stop play. A file that is there and cannot be read
// is a fault of the system: reported, and false so that it is not
// overwritten.
bool ReadHintCounts(const GameState& g, Files& files, System& system, std::map<int32_t, int32_t>& counts) {
  counts.clear();
  std::vector<uint8_t> bytes;
  bool missing = false;
  std::string error;
  if (files.ReadAll(g.lifecycle.AppDir + kHintsFile, bytes, missing, error)) {
    ParseHintCounts(std::string(bytes.begin(), bytes.end()), counts);
    return true;
  }
  if (missing) return true;
  TellPlayer(system, TrFormat(N_("The hints taken cannot be read: {0}"), {error}));
  return false;
}

void ReadBestHints(GameState& g, Files& files, System& system, int32_t stage) {
  g.Panel.bestHints = -1;
  if (g.Panel.bestMoves < 0) return;  // a count without its clear means nothing
  std::map<int32_t, int32_t> counts;
  ReadHintCounts(g, files, system, counts);
  const auto it = counts.find(stage);
  if (it != counts.end()) g.Panel.bestHints = it->second;
}

bool WriteHintCount(GameState& g, Files& files, System& system, int32_t stage, int32_t hints) {
  std::map<int32_t, int32_t> counts;
  if (!ReadHintCounts(g, files, system, counts)) return false;
  counts[stage] = std::max(hints, 0);
  std::string text = "# Hints taken on each floor's best clear, written by the game\n";
  for (const auto& [floor, count] : counts) text += std::to_string(floor) + " " + std::to_string(count) + "\n";
  std::string error;
  if (files.ReplaceWhole(g.lifecycle.AppDir + kHintsFile, text.data(), text.size(), error)) return true;
  TellPlayer(system, TrFormat(N_("The hints taken on stage {0} were not saved: {1}"), {std::to_string(stage), error}));
  return false;
}

bool EnterStage(GameState& g, Files& files, System& system, int32_t stage) {
  if (!LoadStageCells(g, files, system, stage, true)) return false;
  g.ExitOpen = false;
  g.Facing = FacingDown;
  g.flow.Scene = SceneIdle;
  KeepStageStart(g);
  ReadBestClear(g, files, system, stage);
  ReadBestHints(g, files, system, stage);
  ResetFloorHelp(g);
  return true;
}

bool EnterEditor(GameState& g, Files& files, System& system, int32_t stage) {
  if (!LoadStageCells(g, files, system, stage, false)) return false;
  g.flow.Scene = SceneEditor;
  return true;
}

// The export file's new bytes: the 400 cells, then whatever an existing,
// longer file held from offset 400 on. False when an existing file cannot
// be read, so its tail is never lost.
bool ExportBytes(Files& files, const std::string& path, const StageCells& cells,
                 std::vector<uint8_t>& out, std::string& error) {
  std::vector<uint8_t> old;
  bool missing = false;
  if (!files.ReadAll(path, old, missing, error) && !missing) return false;
  out.assign(cells, cells + kStageSize);
  if (!missing && old.size() > static_cast<size_t>(kStageSize)) {
    out.insert(out.end(), old.begin() + kStageSize, old.end());
  }
  return true;
}

// Map as the 400 bytes of a stage record.
void MapAsStageCells(const GameState& g, StageCells& cells) {
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) {
      // Map holds stage bytes and editor kinds only, all within 0..255.
      cells[20 * y + x] = static_cast<uint8_t>(g.Map[x][y]);
    }
  }
}

bool SaveStage(GameState& g, Files& files, System& system, int32_t stageNo, const std::string& afterFailure = "") {
  StageCells cells;
  MapAsStageCells(g, cells);
  std::string error;
  if (!WriteStage(files, DataFilePath(g.lifecycle.AppDir), stageNo, cells, error)) {
    TellPlayer(system, TrFormat(N_("Stage {0} was not saved: {1}"), {std::to_string(stageNo), error}) +
                      afterFailure);
    return false;
  }
  const std::string exportPath = StageFilePath(g.lifecycle.AppDir, stageNo, kExportExtension);
  std::vector<uint8_t> bytes;
  if (!ExportBytes(files, exportPath, cells, bytes, error) ||
      !files.ReplaceWhole(exportPath, bytes.data(), bytes.size(), error)) {
    TellPlayer(system, TrFormat(N_("Stage {0} was saved, but its export copy was not written: {1}"),
                           {std::to_string(stageNo), error}));
    return false;
  }
  return true;
}

bool WriteReplay(GameState& g, Files& files, System& system, int32_t stage, int32_t count) {
  const std::string path = StageFilePath(g.lifecycle.AppDir, stage, kReplayExtension);
  const std::vector<uint8_t> bytes = FormatReplay(g.record.RecordMoves, std::clamp(count, 0, RecordCapacity));
  std::string error;
  if (!files.ReplaceWhole(path, bytes.data(), bytes.size(), error)) {
    TellPlayer(system, TrFormat(N_("The replay of stage {0} was not saved: {1}"),
                           {std::to_string(stage), error}));
    return false;
  }
  return true;
}

bool ReadReplay(GameState& g, Files& files, System& system, int32_t stage) {
  const std::string path = StageFilePath(g.lifecycle.AppDir, stage, kReplayExtension);
  std::vector<uint8_t> bytes;
  bool missing = false;
  std::string error;
  if (!files.ReadAll(path, bytes, missing, error)) {
    TellPlayer(system, TrFormat(missing ? N_("No replay of stage {0} to play: {1}")
                                   : N_("The replay of stage {0} cannot be played: {1}"),
                           {std::to_string(stage), error}));
    return false;
  }
  if (!ParseReplay(bytes, ReplayCapacity, g.record.ReplayMoves, g.record.ReplayCount, error)) {
    TellPlayer(system, TrFormat(N_("The replay of stage {0} cannot be played: {1}"),
                           {std::to_string(stage), path + ": " + error}));
    return false;
  }
  return true;
}

bool WriteProgressValue(GameState& g, Files& files, System& system, int32_t maxStage) {
  std::string error;
  const auto value = static_cast<uint8_t>(maxStage);
  if (WriteProgress(files, DataFilePath(g.lifecycle.AppDir), value, error)) return true;
  TellPlayer(system, TrFormat(N_("Progress (stage {0}) was not saved: {1}"),
                         {std::to_string(maxStage), error}));
  return false;
}

constexpr char kSettingsFile[] = "settings.txt";

std::string SettingsText(const GameState& g) {
  return std::string("# Rara3 settings, written by the game\npanels ") + (g.Panel.shown ? "on" : "off") +
         "\n";
}

bool WriteSettingsFile(GameState& g, Files& files, System& system) {
  const std::string path = g.lifecycle.AppDir + kSettingsFile;
  const std::string text = SettingsText(g);
  std::string error;
  if (files.ReplaceWhole(path, text.data(), text.size(), error)) return true;
  TellPlayer(system, TrFormat(N_("The settings were not saved: {0}"), {error}));
  return false;
}

bool Perform(GameState& g, Files& files, System& system, const FileRequest& r) {
  switch (r.work) {
    case FileWork::LoadStage: return EnterStage(g, files, system, r.stage);
    case FileWork::LoadStageForEditor: return EnterEditor(g, files, system, r.stage);
    case FileWork::ReadReplay: return ReadReplay(g, files, system, r.stage);
    case FileWork::WriteReplay: return WriteReplay(g, files, system, r.stage, r.value);
    case FileWork::WriteProgress: return WriteProgressValue(g, files, system, r.value);
    case FileWork::SaveEditedStage: return SaveStage(g, files, system, r.stage);
    case FileWork::WriteSettings: return WriteSettingsFile(g, files, system);
    case FileWork::WriteHints: return WriteHintCount(g, files, system, r.stage, r.value);
  }
  return false;
}

}  // namespace

void RequestFileWork(GameState& g, const FileRequest& request) {
  if (g.fileWork.FileRequestCount < 0) g.fileWork.FileRequestCount = 0;
  if (g.fileWork.FileRequestCount >= kFileRequestCapacity) return;
  g.fileWork.FileRequests[g.fileWork.FileRequestCount] = request;
  ++g.fileWork.FileRequestCount;
}

void CarryOutFileWork(GameState& g, Files& files, System& system) {
  const int32_t count = std::clamp(g.fileWork.FileRequestCount, 0, kFileRequestCapacity);
  g.fileWork.FileRequestCount = 0;
  for (int32_t i = 0; i < count; ++i) {
    const FileRequest& r = g.fileWork.FileRequests[i];
    if (Perform(g, files, system, r)) {
      if (r.closesEditor) g.flow.Scene = SceneTitle;
    } else if (r.abandonsReplay) {
      // A replay that cannot start leaves the title as it was; the failure
      // has been reported.
      g.record.ReplayMode = false;
      g.flow.Scene = SceneTitle;
      return;
    }
  }
}

bool LoadStage(GameState& g, Files& files, System& system) { return EnterStage(g, files, system, g.flow.StageNo); }

bool LoadStageForEditor(GameState& g, Files& files, System& system) { return EnterEditor(g, files, system, g.flow.StageNo); }

bool SaveEditedStage(GameState& g, Files& files, System& system, const std::string& afterFailure) {
  return SaveStage(g, files, system, g.flow.StageNo, afterFailure);
}

bool EditorHasUnsavedEdits(const GameState& g, Files& files) {
  StageCells stored;
  std::string error;
  if (!ReadStage(files, DataFilePath(g.lifecycle.AppDir), g.flow.StageNo, stored, error)) return true;
  StageCells shown;
  MapAsStageCells(g, shown);
  return !std::equal(std::begin(stored), std::end(stored), std::begin(shown));
}

bool WriteReplayFile(GameState& g, Files& files, System& system) { return WriteReplay(g, files, system, g.flow.StageNo, g.record.RecordCount); }

bool ReadReplayFile(GameState& g, Files& files, System& system) { return ReadReplay(g, files, system, g.flow.StageNo); }

bool WriteProgressByte(GameState& g, Files& files, System& system) { return WriteProgressValue(g, files, system, g.flow.MaxStage); }

bool ReadSettings(GameState& g, Files& files, System& system) {
  g.Panel.shown = true;
  const std::string path = g.lifecycle.AppDir + kSettingsFile;
  std::vector<uint8_t> bytes;
  bool missing = false;
  std::string error;
  if (!files.ReadAll(path, bytes, missing, error)) {
    if (missing) return true;
  } else {
    error = ParseSettings(std::string(bytes.begin(), bytes.end()), g.Panel.shown);
    if (error.empty()) return true;
    g.Panel.shown = true;
    error = path + ": " + error;
  }
  TellPlayer(system, TrFormat(N_("The settings cannot be read, so the defaults are used: {0}"), {error}));
  return false;
}

namespace {

// The lines of the game's small text files, "\n" or "\r\n" ended; empty
// and "#" comment lines come back empty, keeping their number.
std::vector<std::string> SettingLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string l = text.substr(start, end - start);
    start = end + 1;
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (!l.empty() && l[0] == '#') l.clear();
    lines.push_back(std::move(l));
  }
  return lines;
}

}  // namespace

bool ParseHintCounts(const std::string& text, std::map<int32_t, int32_t>& counts) {
  counts.clear();
  for (const std::string& l : SettingLines(text)) {
    if (l.empty()) continue;
    int32_t floor = 0;
    int32_t count = 0;
    const char* const end0 = l.data() + l.size();
    const auto a = std::from_chars(l.data(), end0, floor);
    const bool spaced = a.ec == std::errc() && a.ptr != end0 && *a.ptr == ' ';
    const auto b = spaced ? std::from_chars(a.ptr + 1, end0, count) : a;
    if (!spaced || b.ec != std::errc() || b.ptr != end0 || floor < 1 || floor > kStageCount || count < 0) {
      counts.clear();
      return false;
    }
    counts[floor] = count;
  }
  return true;
}

std::string ParseSettings(const std::string& text, bool& panelsShown) {
  const std::vector<std::string> lines = SettingLines(text);
  for (size_t line = 1; line <= lines.size(); ++line) {
    const std::string& l = lines[line - 1];
    if (l.empty()) continue;
    const size_t space = l.find(' ');
    const std::string key = l.substr(0, space);
    const std::string value = space == std::string::npos ? "" : l.substr(space + 1);
    // Settings of a later version are left alone.
    if (key != "panels") continue;
    if (value != "on" && value != "off") {
      return TrFormat(N_("line {0}: \"panels\" is \"on\" or \"off\", not \"{1}\""),
                      {std::to_string(line), value});
    }
    panelsShown = value == "on";
  }
  return "";
}

}  // namespace rara3
