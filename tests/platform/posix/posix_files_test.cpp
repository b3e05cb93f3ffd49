// The files on disk: reads and writes in place never create, extend or
// shorten a file; a whole replacement either lands completely or leaves the
// old file as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "platform/posix/posix_files.h"
#include "support/temp_folder.h"

namespace rara3 {
namespace {

using test::TempFolder;

std::vector<uint8_t> Pattern(size_t n, uint8_t seed = 0) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 37 + seed);
  return v;
}

class PosixFilesTest : public testing::Test {
 protected:
  TempFolder dir;
  PosixFiles files;
  std::string error;
};

TEST_F(PosixFilesTest, ReadAtReadsTheBytesAtTheOffset) {
  dir.Write("f", Pattern(100));
  uint8_t out[10] = {};
  ASSERT_TRUE(files.ReadAt(dir / "f", 90, out, sizeof out, error)) << error;
  const auto expected = Pattern(100);
  EXPECT_TRUE(std::equal(out, out + 10, expected.begin() + 90));
}

TEST_F(PosixFilesTest, WriteAtWritesOnlyItsBytes) {
  dir.Write("f", Pattern(100));
  const uint8_t bytes[3] = {0xAA, 0xBB, 0xCC};
  // The very end of the file is still inside it.
  ASSERT_TRUE(files.WriteAt(dir / "f", 97, bytes, sizeof bytes, error)) << error;
  auto expected = Pattern(100);
  std::copy(bytes, bytes + 3, expected.begin() + 97);
  EXPECT_EQ(dir.Read("f"), expected);
}

// A failing read or write in place: the message names the file and the
// reason, and the folder is exactly as before.
struct InPlaceFailure {
  const char* name;
  std::function<void(const TempFolder&)> setup;
  bool write;
  int64_t offset;
  size_t size;
  std::vector<std::string> messageParts;
};

void PrintTo(const InPlaceFailure& c, std::ostream* os) { *os << c.name; }

class InPlaceFailureTest : public testing::TestWithParam<InPlaceFailure> {};

TEST_P(InPlaceFailureTest, FailsNamingFileAndReasonAndChangesNothing) {
  const InPlaceFailure& c = GetParam();
  TempFolder dir;
  c.setup(dir);
  const auto before = dir.List();
  const bool regular = std::filesystem::is_regular_file(dir / "f");
  const auto bytesBefore = regular ? dir.Read("f") : std::vector<uint8_t>{};
  PosixFiles files;
  std::string error;
  std::vector<uint8_t> buffer(c.size, 0x5A);
  const bool ok = c.write ? files.WriteAt(dir / "f", c.offset, buffer.data(), c.size, error)
                          : files.ReadAt(dir / "f", c.offset, buffer.data(), c.size, error);
  EXPECT_FALSE(ok);
  EXPECT_NE(error.find(dir / "f"), std::string::npos) << error;
  for (const auto& part : c.messageParts) EXPECT_NE(error.find(part), std::string::npos) << error;
  EXPECT_EQ(dir.List(), before);
  if (regular) {
    EXPECT_EQ(dir.Read("f"), bytesBefore);
  }
}

void NoFile(const TempFolder&) {}
void ShortFile(const TempFolder& d) { d.Write("f", Pattern(1200)); }
// Opening a directory for writing fails for every user, root included.
void DirectoryInstead(const TempFolder& d) { std::filesystem::create_directory(d / "f"); }

const InPlaceFailure kInPlaceFailures[] = {
    {"ReadMissing", NoFile, false, 0, 1, {"cannot be opened", "No such file or directory"}},
    {"ReadShort", ShortFile, false, 40000, 1, {"expected at least 40001 bytes, found 1200"}},
    {"ReadDirectory", DirectoryInstead, false, 0, 1, {"not a regular file"}},
    {"ReadNegativeOffset", ShortFile, false, -1, 1, {"negative offset"}},
    {"WriteMissingDoesNotCreate", NoFile, true, 0, 1, {"No such file or directory"}},
    {"WriteShortDoesNotExtend", ShortFile, true, 1200, 1,
     {"expected at least 1201 bytes to write in place, found 1200"}},
    {"WriteStraddlingTheEnd", ShortFile, true, 1199, 2, {"expected at least 1201 bytes"}},
    {"WriteDirectory", DirectoryInstead, true, 0, 1, {"not a regular file"}},
};

INSTANTIATE_TEST_SUITE_P(PosixFiles, InPlaceFailureTest, testing::ValuesIn(kInPlaceFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PosixFilesTest, ReadAllTellsAMissingFileFromAnUnreadableOne) {
  dir.Write("f", Pattern(70000));
  std::vector<uint8_t> out;
  bool missing = true;
  ASSERT_TRUE(files.ReadAll(dir / "f", out, missing, error)) << error;
  EXPECT_EQ(out, Pattern(70000));
  EXPECT_FALSE(missing);

  out = {1, 2, 3};
  EXPECT_FALSE(files.ReadAll(dir / "none", out, missing, error));
  EXPECT_TRUE(missing);
  EXPECT_NE(error.find(dir / "none"), std::string::npos) << error;
  EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3}));

  std::filesystem::create_directory(dir / "sub");
  EXPECT_FALSE(files.ReadAll(dir / "sub", out, missing, error));
  EXPECT_FALSE(missing);
}

TEST_F(PosixFilesTest, ReplaceWholeCreatesAndReplacesLeavingNoTemporaryFile) {
  ASSERT_TRUE(files.ReplaceWhole(dir / "f", Pattern(500).data(), 500, error)) << error;
  EXPECT_EQ(dir.Read("f"), Pattern(500));
  // A shorter content leaves nothing of the longer one behind.
  ASSERT_TRUE(files.ReplaceWhole(dir / "f", Pattern(7, 9).data(), 7, error)) << error;
  EXPECT_EQ(dir.Read("f"), Pattern(7, 9));
  ASSERT_TRUE(files.ReplaceWhole(dir / "f", nullptr, 0, error)) << error;
  EXPECT_TRUE(dir.Read("f").empty());
  EXPECT_EQ(dir.List(), std::vector<std::string>{"f"});
}

TEST_F(PosixFilesTest, ReplaceWholeKeepsThePermissionsOfTheOldFile) {
  dir.Write("f", Pattern(10));
  ASSERT_EQ(chmod((dir / "f").c_str(), 0640), 0);
  ASSERT_TRUE(files.ReplaceWhole(dir / "f", Pattern(20).data(), 20, error)) << error;
  struct stat st {};
  ASSERT_EQ(stat((dir / "f").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(PosixFilesTest, ReplaceWholeIntoAMissingFolderFails) {
  EXPECT_FALSE(files.ReplaceWhole(dir / "no/f", Pattern(10).data(), 10, error));
  EXPECT_NE(error.find(dir / "no/f"), std::string::npos) << error;
  EXPECT_TRUE(dir.List().empty());
}

TEST_F(PosixFilesTest, ReplaceWholeOverADirectoryFailsAndRemovesItsTemporaryFile) {
  std::filesystem::create_directory(dir / "f");
  EXPECT_FALSE(files.ReplaceWhole(dir / "f", Pattern(10).data(), 10, error));
  EXPECT_NE(error.find("unchanged"), std::string::npos) << error;
  EXPECT_EQ(dir.List(), std::vector<std::string>{"f"});
  EXPECT_TRUE(std::filesystem::is_directory(dir / "f"));
}

// A write that fails halfway (here: the file size limit, which binds root
// too) leaves the old file whole and no temporary file behind. Run in a
// child so the limit cannot touch the rest of the tests.
TEST_F(PosixFilesTest, ReplaceWholeFailingHalfwayLeavesTheOldFile) {
  dir.Write("f", Pattern(300));
  const auto big = Pattern(200000);
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string childError;
    const bool ok = PosixFiles().ReplaceWhole(dir / "f", big.data(), big.size(), childError);
    _exit(ok ? 1 : childError.find("unchanged") != std::string::npos ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(dir.Read("f"), Pattern(300));
  EXPECT_EQ(dir.List(), std::vector<std::string>{"f"});
}

}  // namespace
}  // namespace rara3

namespace rara3 {
namespace {

// A FIFO or a device under a file's name never blocks the game: every
// operation refuses it at once with a message, and leaves it in place.
TEST(PosixFilesNotRegular, FifosAndDevicesAreRefusedWithoutWaiting) {
  test::TempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "007.PBD").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("/dev/zero", (dir / "008.PBD").c_str()), 0);
  ASSERT_EQ(::mkfifo((dir / "009.PBD.tmp").c_str(), 0600), 0);
  // A hang here ends the test program instead of stalling the suite.
  ::alarm(20);
  PosixFiles files;
  for (const char* name : {"007.PBD", "008.PBD"}) {
    SCOPED_TRACE(name);
    const std::string path = dir / name;
    std::string error;
    uint8_t byte = 0;
    std::vector<uint8_t> all;
    bool missing = true;
    EXPECT_FALSE(files.ReadAt(path, 0, &byte, 1, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_FALSE(files.WriteAt(path, 0, &byte, 1, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_FALSE(files.ReadAll(path, all, missing, error));
    EXPECT_FALSE(missing);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_FALSE(files.ReplaceWhole(path, "1\r\n28\r\n", 7, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
  }
  // The replacement's own temporary name taken by a FIFO.
  std::string error;
  EXPECT_FALSE(files.ReplaceWhole(dir / "009.PBD", "0\r\n", 3, error));
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
  ::alarm(0);
  struct stat st {};
  ASSERT_EQ(::lstat((dir / "007.PBD").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(::lstat((dir / "008.PBD").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_NE(::access((dir / "009.PBD").c_str(), F_OK), 0);
}

}  // namespace
}  // namespace rara3
