// rara3-pack: builds TOVAK.DAT from its source files and splits it again.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/command_line.h"
#include "data/data_file.h"
#include "data/data_pack.h"
#include "data/data_place.h"
#include "platform/posix/posix_files.h"

namespace {

using namespace rara3;

constexpr const char* kHelp =
    "Usage:\n"
    "  rara3-pack pack [--keep-player-data] STAGEDIR TUNE SFXDIR PROGRESS OUT\n"
    "  rara3-pack unpack DATAFILE OUTDIR\n"
    "  rara3-pack --help\n"
    "\n"
    "pack builds the game's data file OUT (1068193 bytes, written whole through a\n"
    "temporary file beside it) from:\n"
    "  STAGEDIR  the stage files 001.txt .. 100.txt: 20 lines of 20 cells, row 0\n"
    "            first; lines starting with ';' are comments. Cells:\n"
    "            . empty  P pair  % break  V vanish  T step  S slide  C copy\n"
    "            # solid  B bomb  @ player  E exit\n"
    "  TUNE      the tune, a Standard MIDI File of exactly 10930 bytes\n"
    "  SFXDIR    the effects sfx0.wav .. sfx9.wav, each a wave file of exactly\n"
    "            7506, 172610, 92374, 55632, 92224, 162882, 40194, 44852,\n"
    "            40054 and 308934 bytes\n"
    "  PROGRESS  the highest stage the player may choose, 1 to 100\n"
    "Every problem found is listed on standard error; nothing is written then.\n"
    "\n"
    "  --keep-player-data  OUT is a player's data file: when it is already\n"
    "            there it keeps its progress byte and the stages the player\n"
    "            edited, and takes the tune, the effects and every other stage\n"
    "            from the new data. OUT.shipped, written beside it, keeps the\n"
    "            data OUT was last made from, which tells edited stages from\n"
    "            the rest; without it every stage that differs is kept.\n"
    "            An OUT of another size is kept as OUT.damaged and replaced.\n"
    "\n"
    "unpack writes the parts of DATAFILE into OUTDIR as stages/001.txt ..\n"
    "stages/100.txt, sound/tune.mid, sound/sfx0.wav .. sound/sfx9.wav and\n"
    "progress.txt, so that\n"
    "  rara3-pack pack OUTDIR/stages OUTDIR/sound/tune.mid OUTDIR/sound \\\n"
    "      $(cat OUTDIR/progress.txt) NEW.DAT\n"
    "gives the same data file. A cell value above 10 is written as '?' and\n"
    "reported; pack refuses '?' until it is replaced by a cell character.\n"
    "\n"
    "Exit status: 0 done, 1 a file was refused or could not be read or\n"
    "written, 2 wrong usage.\n";

int Usage(const char* problem) {
  std::fprintf(stderr, "rara3-pack: %s\n\n%s", problem, kHelp);
  return 2;
}

void PrintAll(const std::vector<std::string>& lines) {
  for (const auto& line : lines) std::fprintf(stderr, "rara3-pack: %s\n", line.c_str());
}

int Fail(const std::string& line) {
  std::fprintf(stderr, "rara3-pack: %s\n", line.c_str());
  return 1;
}

int Pack(const std::vector<std::string>& args) {
  bool keep = false;
  std::vector<std::string> operands;
  for (const auto& a : args) {
    if (a == "--keep-player-data") {
      keep = true;
    } else if (a.size() > 1 && a[0] == '-') {
      return Usage(("unknown option " + a).c_str());
    } else {
      operands.push_back(a);
    }
  }
  if (operands.size() != 5) return Usage("pack takes STAGEDIR TUNE SFXDIR PROGRESS OUT");
  const PackInputs in{operands[0], operands[1], operands[2], operands[3]};
  const std::string& out = operands[4];

  PosixFiles files;
  std::vector<uint8_t> data;
  std::vector<std::string> errors;
  if (!PackDataFile(files, in, data, errors)) {
    PrintAll(errors);
    std::fprintf(stderr, "rara3-pack: %s was not written\n", out.c_str());
    return 1;
  }

  std::string error;
  if (keep) {
    std::vector<uint8_t> existing;
    bool missing = false;
    if (files.ReadAll(out, existing, missing, error)) {
      if (!IsDataFile(existing)) {
        // Not usable by the game, but maybe worth something to the player.
        const std::string aside = out + ".damaged";
        if (!files.ReplaceWhole(aside, existing.data(), existing.size(), error)) return Fail(error);
        std::fprintf(stderr,
                     "rara3-pack: %s is %zu bytes, not a data file of %lld bytes; kept it as "
                     "%s and made a fresh one\n",
                     out.c_str(), existing.size(), static_cast<long long>(kDataFileSize),
                     aside.c_str());
        if (!files.ReplaceWhole(out, data.data(), data.size(), error)) return Fail(error);
      }
    } else if (!missing) {
      return Fail(error + " (nothing was written)");
    }
    FollowReport report;
    if (!FollowShippedDataFile(files, data, out, report, error)) return Fail(error);
    if (report.outcome == FollowOutcome::Followed && IsDataFile(existing)) {
      std::string kept;
      for (const int32_t s : report.keptStages) {
        kept += ' ';
        kept += StageDigits(s);
      }
      std::printf("rara3-pack: %s follows the new data: kept its progress (%d)%s%s\n",
                  out.c_str(), existing[kProgressOffset],
                  kept.empty() ? "" : " and its stages", kept.c_str());
      if (!report.madeFromKnown && !report.keptStages.empty()) {
        std::printf("rara3-pack: with no record of the data %s was made from, every stage "
                    "that differs from the new one was kept as the player's; delete %s to "
                    "take the new stages\n",
                    out.c_str(), out.c_str());
      }
    }
    return 0;
  }
  if (!files.ReplaceWhole(out, data.data(), data.size(), error)) return Fail(error);
  return 0;
}

int Unpack(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("unpack takes DATAFILE OUTDIR");
  const std::string& dataPath = args[0];
  const std::string& outDir = args[1];

  PosixFiles files;
  std::vector<uint8_t> data;
  bool missing = false;
  std::string error;
  if (!files.ReadAll(dataPath, data, missing, error)) return Fail(error);

  std::vector<UnpackedFile> parts;
  std::vector<std::string> warnings;
  if (!UnpackDataFile(data, dataPath, parts, warnings, error)) return Fail(error);

  for (const char* sub : {kUnpackedStageDir, kUnpackedSoundDir}) {
    std::error_code ec;
    const std::string dir = JoinPath(outDir, sub);
    std::filesystem::create_directories(dir, ec);
    if (ec) return Fail(dir + ": cannot be created: " + ec.message());
  }
  for (const auto& part : parts) {
    if (!files.ReplaceWhole(JoinPath(outDir, part.name), part.bytes.data(), part.bytes.size(),
                            error)) {
      return Fail(error);
    }
  }
  PrintAll(warnings);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (rara3::AnswerStandardOptions(argc, argv, "rara3-pack", kHelp, stdout)) return 0;
  rara3::IgnoreFileSizeSignal();
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("no command given");
  const std::string command = args[0];
  args.erase(args.begin());
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (command == "pack") return Pack(args);
  if (command == "unpack") return Unpack(args);
  return Usage(("unknown command " + command).c_str());
}
