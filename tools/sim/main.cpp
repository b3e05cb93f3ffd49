// rara3-sim DATAFILE [SCRIPT]: plays the game without a window, driven by a
// script of keys, held arrows and passes, printing what the script asks.
// See docs/sim.md.
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/command_line.h"
#include "core/words.h"
#include "data/data_file.h"
#include "platform/posix/posix_files.h"
#include "redirect_files.h"
#include "sim_script.h"
#include "simulator.h"

namespace {

constexpr const char* kUsage =
    "usage: rara3-sim [--test-sheets] [--panels] DATAFILE [SCRIPT]\n"
    "Runs the game on DATAFILE (its folder is the program folder: replay and\n"
    "export files go there) with the commands of SCRIPT or standard input.\n"
    "--test-sheets: snapshots use generated test sheets instead of the art.\n"
    "--panels: the side panels are shown from the start (F1 toggles them).\n"
    "Exit status: 0 done or the game ended, 1 a data file or snapshot problem,\n"
    "2 a bad command line or script.\n";

}  // namespace

int main(int argc, char** argv) {
  if (rara3::AnswerStandardOptions(argc, argv, "rara3-sim", kUsage, stdout)) return 0;
  rara3::IgnoreFileSizeSignal();
  // Messages and panels in the environment's language, as the game shows them.
  rara3::UseLocaleLanguage(RARA3_SIM_LOCALE_DIR);
  using namespace rara3;
  using namespace rara3::sim;
  SimOptions options;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return kStatusOk;
    }
    if (a == "--test-sheets") {
      options.testSheets = true;
    } else if (a == "--panels") {
      options.panels = true;
    } else if (a.size() > 1 && a[0] == '-') {
      std::cerr << "rara3-sim: unknown option " << a << '\n' << kUsage;
      return kStatusScript;
    } else {
      args.push_back(a);
    }
  }
  if (args.empty() || args.size() > 2) {
    std::cerr << kUsage;
    return kStatusScript;
  }

  std::vector<Command> script;
  std::string error;
  std::ifstream file;
  if (args.size() == 2) {
    file.open(args[1]);
    if (!file) {
      std::cerr << "rara3-sim: " << args[1] << ": cannot be read\n";
      return kStatusScript;
    }
  }
  if (!ParseScript(args.size() == 2 ? static_cast<std::istream&>(file) : std::cin, script, error)) {
    std::cerr << "rara3-sim: " << (args.size() == 2 ? args[1] + ": " : "") << error << '\n';
    return kStatusScript;
  }
  for (const Command& c : script) options.compose |= c.op == Op::Snap;

  // The game reads AppDir followed by TOVAK.DAT; a data file of another name
  // stands in for it.
  const std::string& dataFile = args[0];
  const size_t slash = dataFile.rfind('/');
  const std::string programDir = slash == std::string::npos ? "." : dataFile.substr(0, slash + 1);
  PosixFiles posix;
  RedirectFiles files(posix, dataFile);

  Simulator sim(files, options);
  if (!sim.Start(programDir, error)) {
    std::cerr << "rara3-sim: " << error << '\n';
    return kStatusFile;
  }
  const int status = sim.Run(script, std::cout, std::cerr);
  std::cout.flush();
  return status;
}
