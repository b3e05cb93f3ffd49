// The player's data file following a new shipped one, from any mix of
// player file (missing, cut short, edited anywhere), shipped copy (missing,
// damaged, old, already the new one) and new shipped file, with any one file
// operation failing on the way. Whatever happens, each file is left whole
// (as it was, or a complete data file), and the next start without the
// fault ends exactly where one undisturbed start would have.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/data_layout.h"
#include "data/data_pack.h"
#include "data/data_place.h"
#include "support/faulty_files.h"
#include "support/memory_files.h"
#include "fuzz_input.h"

using namespace rara3;

namespace {

const std::string kPlayer = "/g/TOVAK.DAT";
const std::string kCopy = "/g/TOVAK.DAT.shipped";

const std::vector<uint8_t>& Base() {
  static const std::vector<uint8_t> base = [] {
    std::vector<uint8_t> v(static_cast<size_t>(kDataFileSize));
    for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint8_t>((i * 7 + i / 400) % 9);
    v[kProgressOffset] = 4;
    return v;
  }();
  return base;
}

// A byte of the input picks a stage cell, the progress byte or a byte of the
// tune or effects, and another its new value.
void Patch(std::vector<uint8_t>& file, FuzzInput& in) {
  const uint8_t where = in.Byte();
  const uint8_t value = in.Byte();
  if (file.empty()) return;
  size_t offset = 0;
  if (where < 200) {
    offset = static_cast<size_t>(where / 2) * 400 + (where % 2) * 211;
  } else if (where < 230) {
    offset = static_cast<size_t>(kProgressOffset);
  } else {
    offset = static_cast<size_t>(kProgressOffset) + 1 + static_cast<size_t>(where - 230) * 40000;
  }
  if (offset < file.size()) file[offset] = value;
}

void Fail(const char* what) {
  std::fprintf(stderr, "follow_fuzz: %s\n", what);
  std::abort();
}

bool WholeOrAsBefore(const MemoryFiles& files, const std::string& path,
                     const std::map<std::string, std::vector<uint8_t>>& before) {
  const auto now = files.files.find(path);
  const auto old = before.find(path);
  if (now == files.files.end()) return old == before.end();
  if (old != before.end() && now->second == old->second) return true;
  return IsDataFile(now->second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in{data, size};
  const uint8_t playerMode = in.Byte() % 4;
  const uint8_t copyMode = in.Byte() % 4;
  const uint8_t failAt = in.Byte() % 8;  // 0: nothing fails
  const uint8_t shortBy = in.Byte();

  std::vector<uint8_t> oldShipped = Base();
  std::vector<uint8_t> newShipped = Base();
  std::vector<uint8_t> player = Base();
  while (in.More()) {
    switch (in.Byte() % 3) {
      case 0: Patch(oldShipped, in); Patch(player, in); break;
      case 1: Patch(newShipped, in); break;
      default: Patch(player, in); break;
    }
  }

  MemoryFiles start;
  if (playerMode == 1) player.resize(player.size() - 1 - shortBy * 1000u);
  if (playerMode != 0) start.files[kPlayer] = player;
  if (copyMode == 1) start.files[kCopy] = std::vector<uint8_t>(oldShipped.begin(), oldShipped.begin() + shortBy);
  if (copyMode == 2) start.files[kCopy] = oldShipped;
  if (copyMode == 3) start.files[kCopy] = newShipped;

  // One undisturbed start.
  MemoryFiles clean = start;
  FollowReport report;
  std::string error;
  const bool cleanOk = FollowShippedDataFile(clean, newShipped, kPlayer, report, error);
  if (cleanOk != (playerMode != 1)) Fail("only a player file that is no data file is refused");
  if (!cleanOk && clean.files != start.files) Fail("a refused follow changed a file");
  if (cleanOk) {
    const auto& now = clean.files[kPlayer];
    if (!IsDataFile(now) || clean.files[kCopy] != newShipped) Fail("follow incomplete");
    if (playerMode != 0 && now[kProgressOffset] != player[kProgressOffset]) Fail("progress lost");
    for (int32_t s = 1; s <= kStageCount; ++s) {
      const size_t at = static_cast<size_t>(StageCellOffset(s, 0, 0));
      const bool asShipped = std::equal(now.begin() + at, now.begin() + at + kStageSize, newShipped.begin() + at);
      const bool asPlayer = playerMode != 0 && std::equal(now.begin() + at, now.begin() + at + kStageSize, player.begin() + at);
      if (!asShipped && !asPlayer) Fail("a stage is neither the player's nor the shipped one");
    }
    // Unchanged: the copy says the player's file was made from this shipped
    // file already, and nothing is read beyond it.
    if (report.outcome != FollowOutcome::Unchanged &&
        !std::equal(now.begin() + kTuneOffset, now.end(), newShipped.begin() + kTuneOffset)) {
      Fail("the tune and effects are not the shipped ones");
    }
  }

  // The same with one operation failing, then a start without the fault.
  if (failAt != 0) {
    MemoryFiles disk = start;
    FaultyFiles faulty(disk);
    faulty.FailNth(failAt);
    std::string faultError;
    if (!FollowShippedDataFile(faulty, newShipped, kPlayer, report, faultError) &&
        faultError.empty()) {
      Fail("a failure without a message");
    }
    if (!WholeOrAsBefore(disk, kPlayer, start.files) || !WholeOrAsBefore(disk, kCopy, start.files)) {
      Fail("a file left half written");
    }
    std::string again;
    const bool ok = FollowShippedDataFile(disk, newShipped, kPlayer, report, again);
    if (ok != cleanOk || disk.files != clean.files) Fail("the next start did not finish the follow");
  }
  return 0;
}
