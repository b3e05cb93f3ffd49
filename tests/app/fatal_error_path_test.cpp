#include "app/fatal_error_path.h"

#include <gtest/gtest.h>

#include "core/display_error_text.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"

namespace rara3 {
namespace {

// A display whose restore fails as well: the path must still end.
class FailingRestoreDisplay : public HeadlessDisplay {
 public:
  void RestoreDisplay() override { throw PlatformError{kCodeDisplayFailed, "restore"}; }
};

TEST(FatalErrorPath, GivesTheDesktopBackShowsTheTextAndEndsWithStatusOne) {
  MemoryFiles files;
  HeadlessPlatform hp(files);
  RunFatalErrorPath(hp.platform, {kCodeFileTooShort, "/game/TOVAK.DAT: expected 1068193 bytes"});
  EXPECT_TRUE(hp.system.cursorShown);
  EXPECT_EQ(hp.display.restores, 1);
  // English unless a Japanese locale was chosen at start-up.
  const std::string text = "Unexpected error 62\n/game/TOVAK.DAT: expected 1068193 bytes";
  EXPECT_EQ(hp.system.errors, std::vector<std::string>{text});
  EXPECT_EQ(hp.system.messages, std::vector<std::string>{text});
  EXPECT_TRUE(hp.system.ended);
  EXPECT_EQ(hp.system.status, 1);
}

TEST(FatalErrorPath, AFailingRestoreDoesNotKeepTheMessageBack) {
  MemoryFiles files;
  HeadlessPlatform hp(files);
  FailingRestoreDisplay display;
  Platform p{display, hp.keyboard, hp.audio, hp.system, files, hp.window};
  RunFatalErrorPath(p, {kDirectDrawBase + 450, ""});
  ASSERT_EQ(hp.system.messages.size(), 1u);
  EXPECT_EQ(hp.system.messages[0], DisplayErrorText(kDirectDrawBase + 450));
  EXPECT_EQ(hp.system.status, 1);
}

}  // namespace
}  // namespace rara3
