// TOVAK.DAT: the 100 stages, the progress byte, the tune and the ten effects
// at fixed offsets, with no header. Every operation opens the file for one
// use; a failure is reported with a message naming the file, what was
// expected and what was found, and a failed read writes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/data_layout.h"
#include "core/platform.h"

namespace rara3 {

// AppDir followed by the file name.
std::string DataFilePath(const std::string& appDir);

bool ReadProgress(Files& files, const std::string& path, uint8_t& value, std::string& error);
// Touches exactly the progress byte.
bool WriteProgress(Files& files, const std::string& path, uint8_t value, std::string& error);

bool ReadStage(Files& files, const std::string& path, int32_t stageNo, StageCells& cells,
               std::string& error);
// Touches exactly the 400 bytes of the stage.
bool WriteStage(Files& files, const std::string& path, int32_t stageNo, const StageCells& cells,
                std::string& error);

bool ReadTune(Files& files, const std::string& path, std::vector<uint8_t>& out, std::string& error);
// Effect i, 0..9, of its exact size from the effect table.
bool ReadEffect(Files& files, const std::string& path, int i, std::vector<uint8_t>& out,
                std::string& error);
// The ten effects from a file that holds the effect bank alone (the data
// file's bytes from kEffectBankOffset to its end): the page fetches it apart
// from the rest. The file must be exactly the bank; effects change only on
// success.
bool ReadEffectBank(Files& files, const std::string& path,
                    std::vector<std::vector<uint8_t>>& effects, std::string& error);

}  // namespace rara3
