#include "core/command_line.h"

namespace rara3 {

const char* GameVersion() { return RARA3_VERSION; }

std::string VersionLine(const char* program) {
  return std::string(program) + " (Rara3) " + GameVersion();
}

StandardOption StandardOptionOf(const std::string& arg) {
  if (arg == "--help" || arg == "-h") return StandardOption::Help;
  if (arg == "--version" || arg == "-V") return StandardOption::Version;
  return StandardOption::None;
}

bool AnswerStandardOptions(int argc, char** argv, const char* program, const char* usage,
                           std::FILE* out) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    // After "--" everything is an operand.
    if (arg == "--") break;
    switch (StandardOptionOf(arg)) {
      case StandardOption::Help: std::fputs(usage, out); return true;
      case StandardOption::Version:
        std::fprintf(out, "%s\n", VersionLine(program).c_str());
        return true;
      case StandardOption::None: break;
    }
  }
  return false;
}

}  // namespace rara3
