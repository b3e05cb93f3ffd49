// Where the game keeps its files, and how the player's data file follows a
// new shipped one.
//
// Portable: the program's folder holds a writable TOVAK.DAT, and everything
// is read and written there. Installed: the program's folder cannot be
// written, so the player's files live in $XDG_DATA_HOME/rara3/
// (~/.local/share/rara3/ when unset), made from the shipped data file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/platform.h"

namespace rara3 {

// Beside the player's data file: the shipped file it was last made from, so
// that stages the player edited can be told from those the player did not.
constexpr const char* kShippedCopySuffix = ".shipped";

enum class DataMode { Portable, PerUser };

// What the choice needs to know of the disk and the environment.
struct DataPlaceFacts {
  bool programFileExists = false;    // programDir/TOVAK.DAT
  bool programFileWritable = false;  // ... and this user may write it
  bool installedFileExists = false;  // installedDataDir/TOVAK.DAT
  std::string xdgDataHome;           // $XDG_DATA_HOME, "" when unset
  std::string home;                  // the user's home folder, "" when unknown
};

struct DataPlace {
  DataMode mode = DataMode::Portable;
  std::string appDir;       // ends in exactly one '/'
  std::string shippedFile;  // PerUser: the data file the player's copy follows
};

// Portable when the program's folder holds a writable data file, or holds
// none and no installed one exists either (the start then reports the
// missing file there). Otherwise per-user, following the installed data
// file, or the read-only one beside the program when nothing is installed.
// Fails only when no per-user folder can be named.
bool ChooseDataPlace(const std::string& programDir, const std::string& installedDataDir,
                     const DataPlaceFacts& facts, DataPlace& place, std::string& error);

// The player's data file made to follow a new shipped one: the tune and the
// effects are the shipped ones, the progress is the player's, a stage the
// player edited (it differs from madeFrom, the shipped file the player's was
// made from) stays as edited, every other stage becomes the shipped one.
// Without madeFrom (nullptr) an edit cannot be told from an older shipped
// stage, so every stage that differs from the shipped one is kept. All three
// must be data files. keptStages lists the stages kept, 1..100.
std::vector<uint8_t> FollowShippedData(const std::vector<uint8_t>& player,
                                       const std::vector<uint8_t>* madeFrom,
                                       const std::vector<uint8_t>& shipped,
                                       std::vector<int32_t>& keptStages);

enum class FollowOutcome {
  Created,    // the player had no data file: the shipped one was copied whole
  Unchanged,  // the shipped file is the one the player's was made from
  Followed,   // the player's file now follows a changed shipped file
};

struct FollowReport {
  FollowOutcome outcome = FollowOutcome::Unchanged;
  std::vector<int32_t> keptStages;  // Followed: the player's own stages kept
  bool madeFromKnown = true;        // Followed: whether madeFrom was there
};

// The player's data file at playerPath, made from or brought up to date with
// the shipped bytes; the shipped copy is kept at playerPath + ".shipped".
// Each file is written whole through a temporary file and a rename, the
// player's file before the shipped copy, so an interrupted run is finished
// by the next one without losing anything. A player's file that is not a
// data file is left alone and reported. Every failure names the file.
bool FollowShippedDataFile(Files& files, const std::vector<uint8_t>& shipped,
                           const std::string& playerPath, FollowReport& report,
                           std::string& error);

}  // namespace rara3
