// Every read and write of the game's files: stages, the editor's save and
// export, replays and the progress byte, and the queue that asks for them.
#include "game/file_work.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "core/words.h"
#include "data/data_file.h"
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

bool EnterStage(GameState& g, Files& files, System& system, int32_t stage) {
  if (!LoadStageCells(g, files, system, stage, true)) return false;
  g.ExitOpen = false;
  g.Facing = FacingDown;
  g.flow.Scene = SceneIdle;
  KeepStageStart(g);
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

bool Perform(GameState& g, Files& files, System& system, const FileRequest& r) {
  switch (r.work) {
    case FileWork::LoadStage: return EnterStage(g, files, system, r.stage);
    case FileWork::LoadStageForEditor: return EnterEditor(g, files, system, r.stage);
    case FileWork::ReadReplay: return ReadReplay(g, files, system, r.stage);
    case FileWork::WriteReplay: return WriteReplay(g, files, system, r.stage, r.value);
    case FileWork::WriteProgress: return WriteProgressValue(g, files, system, r.value);
    case FileWork::SaveEditedStage: return SaveStage(g, files, system, r.stage);
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

}  // namespace rara3
