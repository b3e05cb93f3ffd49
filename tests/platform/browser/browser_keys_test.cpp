// The page's keys as the game knows them: the same scan codes, virtual-key
// codes and modifier mask the desktop reports, and which keys the page keeps
// from the browser.
#include <gtest/gtest.h>

#include "core/keys.h"
#include "platform/browser/browser_keys.h"

namespace rara3 {
namespace {

TEST(BrowserKeys, DomCodesGiveTheDesktopScanCodes) {
  const struct {
    const char* code;
    int scan;
  } cases[] = {
      {"ArrowUp", KeyStateUp}, {"ArrowLeft", KeyStateLeft}, {"ArrowRight", KeyStateRight},
      {"ArrowDown", KeyStateDown}, {"Escape", 1}, {"Digit1", 2}, {"Digit9", 10},
      {"Digit0", 11}, {"KeyQ", 16}, {"KeyA", 30}, {"KeyM", 50}, {"KeyZ", 44}, {"Enter", 28},
      {"Space", 57}, {"F1", 59}, {"F9", 67}, {"F10", 68}, {"F11", 87}, {"F12", 88},
      {"NumpadEnter", 156}, {"ControlRight", 157},
      // Not keys, or keys without a scan code of their own.
      {"", 0}, {"F", 0}, {"F0", 0}, {"F13", 0}, {"Digit", 0}, {"DigitX", 0}, {"Lang1", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ScanCodeOfDomCode(c.code), c.scan) << c.code;
}

TEST(BrowserKeys, KeyCodesAreTheVirtualKeysTheGameKnows) {
  for (unsigned long k : {13ul, 27ul, 32ul, 37ul, 40ul, 48ul, 57ul, 65ul, 90ul, 96ul, 111ul,
                          112ul, 118ul, 120ul, 122ul, 123ul}) {
    EXPECT_EQ(VirtualKeyOfDom(k), static_cast<int16_t>(k)) << k;
  }
  // No key, keys the game has no code for, and the separator key 108.
  for (unsigned long k : {0ul, 1ul, 7ul, 12ul, 41ul, 58ul, 64ul, 91ul, 108ul, 124ul, 186ul, 65535ul}) {
    EXPECT_EQ(VirtualKeyOfDom(k), 0) << k;
  }
  EXPECT_EQ(ModifierMaskOfDom(true, true, true), ModShift | ModCtrl | ModAlt);
  EXPECT_EQ(ModifierMaskOfDom(false, true, false), ModCtrl);
}

TEST(BrowserKeys, ThePageKeepsTheGamesKeysAndLeavesTheBrowserItsOwn) {
  const struct {
    int16_t key;
    int16_t mask;
    bool kept;
  } cases[] = {
      {KeyUp, 0, true}, {KeySpace, 0, true}, {KeyEnter, 0, true}, {KeyEscape, 0, true},
      {KeyM, 0, true}, {KeyS, ModShift, true}, {Key1, 0, true}, {Key8, 0, true},
      {KeyF11, ModCtrlShift, true}, {KeyF9, ModCtrlShift, true}, {KeyF7, ModCtrlShift, true},
      {KeyF1, 0, true},
      // The browser's: reload, its own shortcuts, F11 alone, keys the game ignores.
      {KeyF1 + 4, 0, false}, {KeyF11, 0, false}, {static_cast<int16_t>('R'), ModCtrl, false},
      {KeyUp, ModAlt, false}, {KeyF11, ModCtrlShift | ModAlt, false}, {Key9, 0, false},
      {static_cast<int16_t>('T'), ModCtrlShift, false}, {KeyTab, 0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GameKeepsKey(c.key, c.mask), c.kept) << c.key << " mask " << c.mask;
  }
}

}  // namespace
}  // namespace rara3
