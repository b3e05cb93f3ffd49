#include "platform/posix/instance_lock.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

namespace rara3 {
namespace {

// Names unique to this test process, so parallel test runs never meet.
std::string TestDir(const char* leaf) {
  return "/tmp/rara3-lock-test-" + std::to_string(getpid()) + "/" + leaf + "/";
}

TEST(InstanceLock, SecondTakerOfTheSameFolderSeesTheGameRunning) {
  const std::string name = InstanceLockName(1000, TestDir("a"));
  int first = -1;
  int second = -1;
  ASSERT_EQ(AcquireInstanceLock(name, first), InstanceLockResult::Acquired);
  EXPECT_EQ(AcquireInstanceLock(name, second), InstanceLockResult::AlreadyRunning);
  EXPECT_EQ(second, -1);
  // Released with the socket, as when the process ends.
  close(first);
  ASSERT_EQ(AcquireInstanceLock(name, second), InstanceLockResult::Acquired);
  close(second);
}

TEST(InstanceLock, CopiesInOtherFoldersOrOfOtherUsersRunSideBySide) {
  int a = -1;
  int b = -1;
  int c = -1;
  ASSERT_EQ(AcquireInstanceLock(InstanceLockName(1000, TestDir("a")), a),
            InstanceLockResult::Acquired);
  EXPECT_EQ(AcquireInstanceLock(InstanceLockName(1000, TestDir("b")), b),
            InstanceLockResult::Acquired);
  EXPECT_EQ(AcquireInstanceLock(InstanceLockName(1001, TestDir("a")), c),
            InstanceLockResult::Acquired);
  for (int fd : {a, b, c}) close(fd);
}

TEST(InstanceLock, NameFitsASocketAddressForAnyFolder) {
  const std::string longDir = "/" + std::string(4000, 'x') + "/";
  const std::string name = InstanceLockName(4294967295u, longDir);
  EXPECT_LT(name.size(), 100u);
  EXPECT_NE(name, InstanceLockName(4294967295u, longDir + "y/"));
  int fd = -1;
  ASSERT_EQ(AcquireInstanceLock(name + std::to_string(getpid()), fd), InstanceLockResult::Acquired);
  close(fd);
}

}  // namespace
}  // namespace rara3

namespace rara3 {
namespace {

// A second start's request reaches the running copy's socket, where it is
// taken without blocking, many at once.
TEST(InstanceLockRaise, ASecondStartAsksTheRunningCopyToComeForward) {
  const std::string name = InstanceLockName(1000, "/tmp/rara3-raise-test-" + std::to_string(getpid()) + "/");
  int fd = -1;
  ASSERT_EQ(AcquireInstanceLock(name, fd), InstanceLockResult::Acquired);
  EXPECT_FALSE(TakeRaiseRequests(fd));
  ASSERT_TRUE(AskRunningInstanceToRaise(name));
  ASSERT_TRUE(AskRunningInstanceToRaise(name));
  EXPECT_TRUE(TakeRaiseRequests(fd));
  EXPECT_FALSE(TakeRaiseRequests(fd)) << "both requests were taken at once";
  close(fd);
  // With nobody running, the request has nowhere to go.
  EXPECT_FALSE(AskRunningInstanceToRaise(name));
  EXPECT_FALSE(TakeRaiseRequests(-1));
}

}  // namespace
}  // namespace rara3
