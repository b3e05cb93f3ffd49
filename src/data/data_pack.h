// Packing TOVAK.DAT from its source files and unpacking it again: 100 stage
// files, the tune, the ten effects and the progress value. Used by
// rara3-pack; kept here so the tests can reach every rule.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/data_layout.h"
#include "core/platform.h"

namespace rara3 {

// "001.txt" .. "100.txt".
std::string StageTextName(int32_t stageNo);
constexpr const char* kTuneFileName = "tune.mid";
constexpr const char* kProgressFileName = "progress.txt";
// Where unpacking puts each kind of file, relative to its folder.
constexpr const char* kUnpackedStageDir = "stages";
constexpr const char* kUnpackedSoundDir = "sound";

// dir + "/" + name, without doubling a slash already there.
std::string JoinPath(const std::string& dir, const std::string& name);

struct PackInputs {
  std::string stageDir;   // 001.txt .. 100.txt
  std::string tunePath;   // exactly 10930 bytes
  std::string effectDir;  // sfx0.wav .. sfx9.wav, each of its size in the effect table
  std::string progress;   // decimal text, 1 to 100
};

// The progress value of the command line or of progress.txt (one trailing
// line end allowed).
bool ParseProgressText(const std::string& text, int32_t& value, std::string& error);

// Builds the 1068193 bytes of a data file. Every problem found goes to
// errors, one line each, so a single run shows them all; out is filled only
// when there are none.
bool PackDataFile(Files& files, const PackInputs& in, std::vector<uint8_t>& out,
                  std::vector<std::string>& errors);

// Whether bytes look like a data file: exactly its size.
bool IsDataFile(const std::vector<uint8_t>& bytes);

struct UnpackedFile {
  std::string name;  // relative: "stages/001.txt", "sound/tune.mid", "progress.txt"
  std::vector<uint8_t> bytes;
};

// Splits a data file into the files PackDataFile reads. Cell values above 10
// become '?' and a progress byte outside 1..100 is written as it is; both
// are listed in warnings, since packing refuses them.
bool UnpackDataFile(const std::vector<uint8_t>& data, const std::string& name,
                    std::vector<UnpackedFile>& files, std::vector<std::string>& warnings,
                    std::string& error);

}  // namespace rara3
