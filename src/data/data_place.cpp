#include "data/data_place.h"

#include <algorithm>
#include <cstring>

#include "core/data_layout.h"
#include "data/data_pack.h"

namespace rara3 {
namespace {

std::string WithOneTrailingSlash(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir.empty()) return "./";
  if (dir.back() != '/') dir += '/';
  return dir;
}

bool Absolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

bool SameStage(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int32_t s) {
  const auto at = static_cast<size_t>(StageCellOffset(s, 0, 0));
  return std::memcmp(a.data() + at, b.data() + at, static_cast<size_t>(kStageSize)) == 0;
}

bool WriteWhole(Files& files, const std::string& path, const std::vector<uint8_t>& bytes,
                std::string& error) {
  return files.ReplaceWhole(path, bytes.data(), bytes.size(), error);
}

std::string NotADataFile(const std::string& path, size_t size) {
  return path + ": expected " + std::to_string(kDataFileSize) + " bytes (a data file), found " +
         std::to_string(size);
}

}  // namespace

bool ChooseDataPlace(const std::string& programDir, const std::string& installedDataDir,
                     const DataPlaceFacts& facts, DataPlace& place, std::string& error) {
  if (facts.programFileWritable || (!facts.programFileExists && !facts.installedFileExists)) {
    place = {DataMode::Portable, programDir, ""};
    return true;
  }
  // Installed: the shipped file beside the installed data, or the read-only
  // one beside the program (a build folder copied somewhere read-only).
  const std::string shipped =
      facts.installedFileExists ? JoinPath(installedDataDir, kDataFileName)
                                : JoinPath(programDir, kDataFileName);
  std::string base;
  // XDG: a relative XDG_DATA_HOME is invalid and is ignored.
  if (Absolute(facts.xdgDataHome)) {
    base = facts.xdgDataHome;
  } else if (Absolute(facts.home)) {
    base = JoinPath(facts.home, ".local/share");
  } else {
    error = JoinPath(programDir, kDataFileName) +
            ": cannot be written here, and no folder for the player's files is known "
            "(neither XDG_DATA_HOME nor HOME names an absolute folder)";
    return false;
  }
  place = {DataMode::PerUser, WithOneTrailingSlash(WithOneTrailingSlash(base) + "rara3"), shipped};
  return true;
}

std::vector<uint8_t> FollowShippedData(const std::vector<uint8_t>& player,
                                       const std::vector<uint8_t>* madeFrom,
                                       const std::vector<uint8_t>& shipped,
                                       std::vector<int32_t>& keptStages) {
  std::vector<uint8_t> out = shipped;
  keptStages.clear();
  for (int32_t s = 1; s <= kStageCount; ++s) {
    const bool edited = madeFrom != nullptr ? !SameStage(player, *madeFrom, s)
                                            : !SameStage(player, shipped, s);
    if (!edited) continue;
    const auto at = static_cast<size_t>(StageCellOffset(s, 0, 0));
    std::memcpy(out.data() + at, player.data() + at, static_cast<size_t>(kStageSize));
    keptStages.push_back(s);
  }
  out[kProgressOffset] = player[kProgressOffset];
  return out;
}

bool FollowShippedDataFile(Files& files, const std::vector<uint8_t>& shipped,
                           const std::string& playerPath, FollowReport& report,
                           std::string& error) {
  report = {};
  const std::string madeFromPath = playerPath + kShippedCopySuffix;
  std::vector<uint8_t> player;
  bool missing = false;
  if (!files.ReadAll(playerPath, player, missing, error)) {
    if (!missing) return false;
    error.clear();
    // First start: the shipped copy first, so a start interrupted between
    // the two writes simply makes the player's file next time.
    if (!WriteWhole(files, madeFromPath, shipped, error)) return false;
    if (!WriteWhole(files, playerPath, shipped, error)) return false;
    report.outcome = FollowOutcome::Created;
    return true;
  }
  if (!IsDataFile(player)) {
    error = NotADataFile(playerPath, player.size()) +
            "; it was left as it is (move it away to start afresh)";
    return false;
  }

  std::vector<uint8_t> madeFrom;
  if (!files.ReadAll(madeFromPath, madeFrom, missing, error)) {
    if (!missing) return false;
    error.clear();
    madeFrom.clear();
  }
  // A damaged shipped copy tells nothing: treated as missing, which keeps
  // every stage that differs from the shipped one.
  const bool known = IsDataFile(madeFrom);
  if (known && madeFrom == shipped) return true;

  std::vector<int32_t> kept;
  const std::vector<uint8_t> followed =
      FollowShippedData(player, known ? &madeFrom : nullptr, shipped, kept);
  // The player's file first: should the run stop before the shipped copy is
  // written, the next run finds the new stages equal to the shipped ones and
  // the player's edits still differing from the old copy, and keeps both.
  if (followed != player && !WriteWhole(files, playerPath, followed, error)) return false;
  if (!WriteWhole(files, madeFromPath, shipped, error)) return false;
  report.outcome = FollowOutcome::Followed;
  report.keptStages = std::move(kept);
  report.madeFromKnown = known;
  return true;
}

}  // namespace rara3
