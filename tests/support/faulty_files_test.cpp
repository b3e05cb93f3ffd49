// The fault-injecting file layer fails exactly the operations it is told to
// and passes every other one through untouched.
#include <gtest/gtest.h>

#include "support/faulty_files.h"
#include "support/memory_files.h"

namespace rara3 {
namespace {

class FaultyFilesTest : public testing::Test {
 protected:
  FaultyFilesTest() {
    mem.files["/a/TOVAK.DAT"] = std::vector<uint8_t>(8, 1);
    mem.files["/a/007.PBD"] = {'0', '\r', '\n'};
  }
  // One of each operation; true for each that succeeded.
  std::vector<bool> RunAll() {
    std::vector<bool> ok;
    uint8_t byte = 0;
    std::vector<uint8_t> out;
    bool missing = false;
    ok.push_back(files.ReadAt("/a/TOVAK.DAT", 0, &byte, 1, error));
    ok.push_back(files.WriteAt("/a/TOVAK.DAT", 0, &byte, 1, error));
    ok.push_back(files.ReadAll("/a/007.PBD", out, missing, error));
    ok.push_back(files.ReplaceWhole("/a/007.PBD", "1", 1, error));
    return ok;
  }

  MemoryFiles mem;
  FaultyFiles files{mem};
  std::string error;
};

TEST_F(FaultyFilesTest, WithoutFaultsEverythingPassesThrough) {
  EXPECT_EQ(RunAll(), std::vector<bool>(4, true));
  EXPECT_EQ(mem.files["/a/007.PBD"], std::vector<uint8_t>{'1'});
  EXPECT_EQ(files.Log(), (std::vector<std::string>{"ReadAt /a/TOVAK.DAT", "WriteAt /a/TOVAK.DAT",
                                                   "ReadAll /a/007.PBD",
                                                   "ReplaceWhole /a/007.PBD"}));
  EXPECT_EQ(files.Failures(), 0);
}

TEST_F(FaultyFilesTest, FailsTheNthOperationOnly) {
  files.FailNth(3);
  EXPECT_EQ(RunAll(), (std::vector<bool>{true, true, false, true}));
  EXPECT_NE(error.find("/a/007.PBD"), std::string::npos) << error;
  EXPECT_EQ(files.Failures(), 1);
  EXPECT_EQ(RunAll(), std::vector<bool>(4, true));
}

TEST_F(FaultyFilesTest, FailsEveryOperationOfAKindOnMatchingPaths) {
  files.FailEvery(FileOp::ReplaceWhole, ".PBD");
  files.FailEvery(FileOp::ReadAt);
  EXPECT_EQ(RunAll(), (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(RunAll(), (std::vector<bool>{false, true, true, false}));
  // A failed write reaches nothing underneath.
  EXPECT_EQ(mem.files["/a/007.PBD"], (std::vector<uint8_t>{'0', '\r', '\n'}));
  files.Clear();
  EXPECT_EQ(RunAll(), std::vector<bool>(4, true));
}

TEST_F(FaultyFilesTest, CountsTheNthAmongMatchingOperations) {
  files.Add({FileOp::WriteAt, "TOVAK", 2, "No space left on device"});
  EXPECT_EQ(RunAll(), std::vector<bool>(4, true));
  EXPECT_EQ(RunAll(), (std::vector<bool>{true, false, true, true}));
  EXPECT_NE(error.find("cannot be written: No space left on device"), std::string::npos) << error;
  EXPECT_EQ(RunAll(), std::vector<bool>(4, true));
}

}  // namespace
}  // namespace rara3
