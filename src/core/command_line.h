// The options every program of the game answers the same way: --help and
// --version print to standard output and end with status 0, before the
// program touches any file or display.
#pragma once

#include <cstdio>
#include <string>

namespace rara3 {

// The game's version, from the build.
const char* GameVersion();

// "NAME (Rara3) VERSION".
std::string VersionLine(const char* program);

enum class StandardOption { None, Help, Version };

// What argument arg asks of the standard options.
StandardOption StandardOptionOf(const std::string& arg);

// Scans the arguments for --help or --version (the first one wins) and
// answers it on out: the usage text or the version line. True when the
// program should end now with status 0.
bool AnswerStandardOptions(int argc, char** argv, const char* program, const char* usage,
                           std::FILE* out);

}  // namespace rara3
