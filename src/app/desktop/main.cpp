// The program's entry point: one copy per user and data folder. The files
// live beside the program when its data file can be written there
// (portable), otherwise in the player's own data folder.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "core/command_line.h"
#include "core/words.h"
#include "data/data_pack.h"
#include "data/data_place.h"
#include "platform/posix/posix_files.h"
#include "app/desktop/init_and_run.h"
#include "app/desktop/one_copy.h"
#include "app/desktop/player_folder.h"

namespace {

constexpr const char* kUsage =
    "Usage: rara3 [--help | --version]\n"
    "Rara3, a sliding-box puzzle game, played full screen; it takes no other\n"
    "arguments.\n"
    "Its files (TOVAK.DAT, the replay and export files) are kept beside the\n"
    "program when its data file can be written there, otherwise in\n"
    "$XDG_DATA_HOME/rara3/ (~/.local/share/rara3/).\n"
    "  -h, --help     show this text and end\n"
    "  -V, --version  show the version and end\n";

// The folder of the executable, or "" when the system will not say.
std::string ProgramDir() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  const std::string exe(path, static_cast<size_t>(n));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "" : exe.substr(0, slash + 1);
}

// The compiled texts: beside a program run from its build folder, else
// where the installed game's are.
std::string LocaleDir(const std::string& dir) {
  struct stat st {};
  const std::string built = dir + "locale";
  if (!dir.empty() && stat(built.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return built;
  return dir.empty() ? RARA3_LOCALE_DIR : rara3::JoinPath(dir, RARA3_LOCALE_FROM_GAME);
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before any file or the display is touched.
  if (rara3::AnswerStandardOptions(argc, argv, "rara3", kUsage, stdout)) return 0;
  if (argc > 1) {
    const std::string arg = argv[1];
    std::fprintf(stderr, "rara3: %s %s\n", arg.size() > 1 && arg[0] == '-' ? "unknown option" : "unexpected argument", arg.c_str());
    std::fputs(kUsage, stderr);
    return 2;
  }
  rara3::IgnoreFileSizeSignal();
  const std::string dir = ProgramDir();
  // Every text shown from here on is in the player's language.
  rara3::UseLocaleLanguage(LocaleDir(dir));
  const std::string installedData = dir.empty() ? "" : rara3::JoinPath(dir, RARA3_DATA_FROM_GAME);
  rara3::DataPlace place;
  std::string error;
  if (!rara3::ChooseDataPlace(dir, installedData,
                              rara3::GatherDataPlaceFacts(dir, installedData), place, error)) {
    place = {rara3::DataMode::Portable, dir, ""};
  }
  // A second copy on the same files ends here, before anything is read or
  // written.
  rara3::InstanceLock lock;
  if (!rara3::TakeOneCopyLock(place.appDir.empty() ? "./" : place.appDir, lock)) return 0;
  if (!dir.empty() && chdir(dir.c_str()) != 0) {
    // Paths are absolute from here on; the folder only matters for them.
  }
  std::string startError = error;
  if (startError.empty()) {
    rara3::PosixFiles files;
    std::vector<std::string> notes;
    if (!rara3::SetUpPlayerFolder(files, place, notes, error)) startError = error;
    for (const auto& line : notes) std::fprintf(stderr, "rara3: %s\n", line.c_str());
  }
  return rara3::Main(place.appDir.empty() ? "./" : place.appDir, startError, lock.raiseFd);
}
