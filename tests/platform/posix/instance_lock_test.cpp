#include "platform/posix/instance_lock.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "support/temp_folder.h"

namespace rara3 {
namespace {

using test::TempFolder;

// A lock folder of this process's own, as $XDG_RUNTIME_DIR would be.
class LockFolder : public TempFolder {
 public:
  std::string dir() const { return path().substr(0, path().size() - 1); }
};

TEST(InstanceLock, SecondTakerOfTheSameFolderSeesTheGameRunning) {
  LockFolder run;
  const std::string key = InstanceLockKey("/games/a/");
  InstanceLock first;
  InstanceLock second;
  std::string error;
  ASSERT_EQ(AcquireInstanceLock(run.dir(), key, first, error), InstanceLockResult::Acquired)
      << error;
  EXPECT_GE(first.raiseFd, 0);
  EXPECT_EQ(AcquireInstanceLock(run.dir(), key, second, error),
            InstanceLockResult::AlreadyRunning);
  EXPECT_EQ(second.lockFd, -1);
  EXPECT_EQ(second.raiseFd, -1);
  // Another folder has a lock of its own.
  InstanceLock other;
  ASSERT_EQ(AcquireInstanceLock(run.dir(), InstanceLockKey("/games/b/"), other, error),
            InstanceLockResult::Acquired);
  // Released with the file, as when the process ends.
  close(first.lockFd);
  close(first.raiseFd);
  ASSERT_EQ(AcquireInstanceLock(run.dir(), key, second, error), InstanceLockResult::Acquired);
  for (int fd : {second.lockFd, second.raiseFd, other.lockFd, other.raiseFd}) close(fd);
}

// The audit's crash loop in small: a copy killed while it holds the lock
// leaves its files behind, and the next start takes the lock and the raise
// socket over.
TEST(InstanceLock, ALockLeftByAKilledCopyNeverBlocks) {
  LockFolder run;
  const std::string key = InstanceLockKey("/games/killed/");
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstanceLock held;
    std::string error;
    const bool ok = AcquireInstanceLock(run.dir(), key, held, error) == InstanceLockResult::Acquired;
    (void)!write(ready[1], ok ? "y" : "n", 1);
    pause();
    _exit(0);
  }
  char answer = 0;
  ASSERT_EQ(read(ready[0], &answer, 1), 1);
  ASSERT_EQ(answer, 'y');
  InstanceLock mine;
  std::string error;
  EXPECT_EQ(AcquireInstanceLock(run.dir(), key, mine, error), InstanceLockResult::AlreadyRunning);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  ASSERT_EQ(AcquireInstanceLock(run.dir(), key, mine, error), InstanceLockResult::Acquired) << error;
  ASSERT_TRUE(AskRunningInstanceToRaise(run.dir(), key));
  EXPECT_TRUE(TakeRaiseRequests(mine.raiseFd));
  close(mine.lockFd);
  close(mine.raiseFd);
}

// Two spellings of one folder are one lock; the part not made yet counts
// as written.
TEST(InstanceLock, OneFolderHasOneKeyHoweverItIsWritten) {
  TempFolder t;
  std::filesystem::create_directories(t / "h7/share");
  std::filesystem::create_directory_symlink(t / "h7", t / "link");
  const std::string canonical = CanonicalFolder(t / "h7/share");
  EXPECT_EQ(canonical.back(), '/');
  EXPECT_EQ(canonical.find("//"), std::string::npos);
  struct Case {
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {t / "h7/share", t / "h7//share/", true},
      {t / "h7/share", t / "h7/./share", true},
      {t / "h7/share", t / "link/share", true},
      {t / "h7/share", t / "h7/x/../share", true},  // x does not exist: tidied as written
      {t / "h7/share", t / "h7/share/../share", true},
      {t / "h7/new/rara3", t / "h7//new/./rara3/", true},
      {t / "h7/new/rara3", t / "link/new/rara3", true},
      {t / "h7/share", t / "h7/other", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InstanceLockKey(c.a) == InstanceLockKey(c.b), c.same) << c.a << " / " << c.b;
  }
}

TEST(InstanceLock, ARunningCopyTakesRaiseRequestsOfItsOwnUser) {
  LockFolder run;
  const std::string key = InstanceLockKey("/games/raise/");
  InstanceLock lock;
  std::string error;
  ASSERT_EQ(AcquireInstanceLock(run.dir(), key, lock, error), InstanceLockResult::Acquired);
  EXPECT_FALSE(TakeRaiseRequests(lock.raiseFd));
  ASSERT_TRUE(AskRunningInstanceToRaise(run.dir(), key));
  ASSERT_TRUE(AskRunningInstanceToRaise(run.dir(), key));
  EXPECT_TRUE(TakeRaiseRequests(lock.raiseFd));
  EXPECT_FALSE(TakeRaiseRequests(lock.raiseFd)) << "both requests were taken at once";
  close(lock.lockFd);
  close(lock.raiseFd);
  // With nobody running, the request has nowhere to go.
  EXPECT_FALSE(AskRunningInstanceToRaise(run.dir(), key));
  EXPECT_FALSE(TakeRaiseRequests(-1));
}

TEST(InstanceLock, TheLockFolderIsTheUsersOwnAndClosedToOthers) {
  TempFolder t;
  const unsigned me = geteuid();
  std::string folder;
  std::string error;
  // A private runtime folder is used as it is.
  ASSERT_TRUE(ChooseLockFolder(t.path().substr(0, t.path().size() - 1), "/nonexistent", me, folder,
                               error));
  EXPECT_EQ(folder + "/", t.path());
  // One open to others is not; the fallback is made private.
  std::filesystem::create_directory(t / "open");
  chmod((t / "open").c_str(), 0777);
  std::filesystem::create_directory(t / "tmp");
  ASSERT_TRUE(ChooseLockFolder(t / "open", t / "tmp", me, folder, error)) << error;
  EXPECT_EQ(folder, t / "tmp/rara3-" + std::to_string(me));
  struct stat st {};
  ASSERT_EQ(stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // A link planted under the fallback's name is refused, never followed.
  std::filesystem::create_directory(t / "tmp2");
  std::filesystem::create_directory_symlink(t / "open", t / ("tmp2/rara3-" + std::to_string(me)));
  EXPECT_FALSE(ChooseLockFolder("", t / "tmp2", me, folder, error));
  EXPECT_NE(error.find("remove it"), std::string::npos) << error;
}

// --- A second local user ---------------------------------------------------

constexpr unsigned kOtherUid = 4242;

// Runs step in a child process as another user; its result is the child's
// exit status (0 for true).
bool AsOtherUser(const std::function<bool()>& step) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    if (setgroups(0, nullptr) != 0 || setresgid(kOtherUid, kOtherUid, kOtherUid) != 0 ||
        setresuid(kOtherUid, kOtherUid, kOtherUid) != 0) {
      _exit(3);
    }
    _exit(step() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class SecondUser : public testing::Test {
 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "acting as a second user needs root (CI runs as root)";
    // A shared scratch folder like /tmp, where both users may make things.
    base_ = tmp_.path().substr(0, tmp_.path().size() - 1);
    chmod(base_.c_str(), 01777);
  }
  TempFolder tmp_;
  std::string base_;
};

// The audit: another user makes the lock folder first. The game is not
// blocked by it; it will not use the folder and runs without a lock.
TEST_F(SecondUser, CannotBlockTheGameBySquattingItsFolders) {
  const std::string squat = base_ + "/rara3-0";
  ASSERT_TRUE(AsOtherUser([&] { return mkdir(squat.c_str(), 0777) == 0 && chmod(squat.c_str(), 0777) == 0; }));
  std::string folder;
  std::string error;
  EXPECT_FALSE(ChooseLockFolder("", base_, 0, folder, error));
  EXPECT_NE(error.find("another user"), std::string::npos) << error;
  // Its runtime folder handed over as ours is not used either.
  const std::string theirs = base_ + "/run-4242";
  ASSERT_TRUE(AsOtherUser([&] { return mkdir(theirs.c_str(), 0700) == 0; }));
  ASSERT_EQ(mkdir((base_ + "/own").c_str(), 0755), 0);
  ASSERT_TRUE(ChooseLockFolder(theirs, base_ + "/own", 0, folder, error)) << error;
  EXPECT_EQ(folder, base_ + "/own/rara3-0");

  // The old lock's name, bound first by the other user, is nothing to the
  // game now.
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t squatter = fork();
  ASSERT_GE(squatter, 0);
  if (squatter == 0) {
    if (setresgid(kOtherUid, kOtherUid, kOtherUid) != 0 || setresuid(kOtherUid, kOtherUid, kOtherUid) != 0) _exit(3);
    const int s = socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const char name[] = "rara3/0/0000000000000000";
    std::memcpy(addr.sun_path + 1, name, sizeof name - 1);
    const bool bound = bind(s, reinterpret_cast<sockaddr*>(&addr),
                            static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + sizeof name)) == 0;
    (void)!write(ready[1], bound ? "y" : "n", 1);
    pause();
    _exit(0);
  }
  char answer = 0;
  ASSERT_EQ(read(ready[0], &answer, 1), 1);
  const std::string run = base_ + "/run-0";
  ASSERT_EQ(mkdir(run.c_str(), 0700), 0);
  InstanceLock lock;
  EXPECT_EQ(AcquireInstanceLock(run, InstanceLockKey("/games/h7/"), lock, error),
            InstanceLockResult::Acquired);
  kill(squatter, SIGKILL);
  waitpid(squatter, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  close(lock.lockFd);
  close(lock.raiseFd);
}

// The audit: another user asks the running game to raise its window. The
// folder keeps it out; and were the folder opened, the game still ignores it.
TEST_F(SecondUser, CannotRaiseTheWindow) {
  const std::string run = base_ + "/run-0";
  ASSERT_EQ(mkdir(run.c_str(), 0700), 0);
  const std::string key = InstanceLockKey("/games/h7/");
  InstanceLock lock;
  std::string error;
  ASSERT_EQ(AcquireInstanceLock(run, key, lock, error), InstanceLockResult::Acquired) << error;
  EXPECT_FALSE(AsOtherUser([&] { return AskRunningInstanceToRaise(run, key); }));
  EXPECT_FALSE(TakeRaiseRequests(lock.raiseFd));

  chmod(run.c_str(), 0755);
  chmod((run + "/rara3-" + key + ".sock").c_str(), 0777);
  EXPECT_TRUE(AsOtherUser([&] { return AskRunningInstanceToRaise(run, key); }))
      << "the other user's request must reach the socket for this test to mean anything";
  EXPECT_FALSE(TakeRaiseRequests(lock.raiseFd));
  // Nor can it take the lock from under the game.
  EXPECT_FALSE(AsOtherUser([&] {
    InstanceLock theirs;
    std::string e;
    return AcquireInstanceLock(run, key, theirs, e) != InstanceLockResult::Unavailable;
  }));
  ASSERT_TRUE(AskRunningInstanceToRaise(run, key));
  EXPECT_TRUE(TakeRaiseRequests(lock.raiseFd));
  close(lock.lockFd);
  close(lock.raiseFd);
}

}  // namespace
}  // namespace rara3
