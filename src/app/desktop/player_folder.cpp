#include "app/desktop/player_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/data_layout.h"
#include "data/data_pack.h"

namespace rara3 {
namespace {

bool RegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

std::string HomeFolder() {
  std::string home = Env("HOME");
  if (!home.empty()) return home;
  const passwd* pw = ::getpwuid(::getuid());
  return pw != nullptr && pw->pw_dir != nullptr ? pw->pw_dir : "";
}

std::string StageList(const std::vector<int32_t>& stages) {
  std::string out;
  for (const int32_t s : stages) out += (out.empty() ? "" : ", ") + StageDigits(s);
  return out;
}

}  // namespace

DataPlaceFacts GatherDataPlaceFacts(const std::string& programDir,
                                    const std::string& installedDataDir) {
  DataPlaceFacts f;
  const std::string programFile = JoinPath(programDir, kDataFileName);
  f.programFileExists = RegularFile(programFile);
  f.programFileWritable = f.programFileExists && ::access(programFile.c_str(), W_OK) == 0;
  f.installedFileExists =
      !installedDataDir.empty() && RegularFile(JoinPath(installedDataDir, kDataFileName));
  f.xdgDataHome = Env("XDG_DATA_HOME");
  f.home = HomeFolder();
  return f;
}

bool MakeFolders(const std::string& dir, std::string& error) {
  std::string path;
  size_t from = 0;
  while (from <= dir.size()) {
    const size_t slash = dir.find('/', from);
    const size_t end = slash == std::string::npos ? dir.size() : slash;
    path = dir.substr(0, end);
    from = end + 1;
    if (path.empty() || path == "." || path == "..") continue;
    if (::mkdir(path.c_str(), 0700) == 0) continue;
    const int e = errno;
    struct stat st {};
    if (e == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
    error = path + "/: the folder for the game's files cannot be made: " +
            (e == EEXIST ? "a file of that name is in the way" : std::strerror(e));
    return false;
  }
  return true;
}

bool SetUpPlayerFolder(Files& files, const DataPlace& place, std::vector<std::string>& notes,
                       std::string& error) {
  if (place.mode != DataMode::PerUser) return true;
  if (!MakeFolders(place.appDir, error)) return false;
  std::vector<uint8_t> shipped;
  bool missing = false;
  if (!files.ReadAll(place.shippedFile, shipped, missing, error)) return false;
  if (!IsDataFile(shipped)) {
    error = place.shippedFile + ": expected " + std::to_string(kDataFileSize) +
            " bytes (the game's shipped data file), found " + std::to_string(shipped.size());
    return false;
  }
  const std::string playerFile = JoinPath(place.appDir, kDataFileName);
  FollowReport report;
  if (!FollowShippedDataFile(files, shipped, playerFile, report, error)) return false;
  if (report.outcome == FollowOutcome::Followed) {
    std::string line = playerFile + ": now follows the new " + place.shippedFile +
                       " (tune, effects and unedited stages); the progress was kept";
    if (!report.keptStages.empty()) {
      line += std::string(report.madeFromKnown ? "; your edited stages were kept: "
                                               : "; stages that differ from the shipped "
                                                 "ones were kept: ") +
              StageList(report.keptStages);
    }
    notes.push_back(line);
  }
  return true;
}

}  // namespace rara3
