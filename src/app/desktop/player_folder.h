// The disk's side of where the game keeps its files: what the choice needs
// to know, the per-user folder made, and the player's data file made from
// or brought up to date with the shipped one.
#pragma once

#include <string>
#include <vector>

#include "core/platform.h"
#include "data/data_place.h"

namespace rara3 {

// programDir/TOVAK.DAT and installedDataDir/TOVAK.DAT as this user finds
// them, $XDG_DATA_HOME, and $HOME (or the password entry when unset).
DataPlaceFacts GatherDataPlaceFacts(const std::string& programDir,
                                    const std::string& installedDataDir);

// Makes dir and every missing folder above it; new ones are the user's
// alone (0700), as the XDG base directories ask.
bool MakeFolders(const std::string& dir, std::string& error);

// Per-user mode: the folder made, then the player's data file made from or
// following the shipped file. Lines for the player (stages kept) go to notes.
// Portable mode touches nothing. Every failure names the folder or file.
bool SetUpPlayerFolder(Files& files, const DataPlace& place, std::vector<std::string>& notes,
                       std::string& error);

}  // namespace rara3
