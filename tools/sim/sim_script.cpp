#include "sim_script.h"

#include <charconv>
#include <sstream>

#include "core/keys.h"
#include "core/pad_buttons.h"
#include "core/scenes.h"
#include "state_fields.h"

namespace rara3::sim {
namespace {

bool ParseNumber(const std::string& text, int64_t lo, int64_t hi, int32_t& out) {
  int64_t v = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || ptr != end || text.empty() || v < lo || v > hi) return false;
  out = static_cast<int32_t>(v);
  return true;
}

constexpr int32_t kMaxPasses = 1000000000;
constexpr int32_t kDefaultUntilMax = 100000;

}  // namespace

int32_t KeyCodeOfName(const std::string& name) {
  static const struct {
    const char* name;
    int32_t code;
  } kNamed[] = {{"enter", KeyEnter}, {"esc", KeyEscape}, {"space", KeySpace},
                {"left", KeyLeft},   {"up", KeyUp},       {"right", KeyRight},
                {"down", KeyDown},   {"backspace", KeyBackspace}};
  for (const auto& k : kNamed)
    if (name == k.name) return k.code;
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return KeyA + (name[0] - 'a');
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return Key0 + (name[0] - '0');
  int32_t n = 0;
  if (name.size() >= 2 && name[0] == 'f' && ParseNumber(name.substr(1), 1, 12, n)) return KeyF1 + n - 1;
  if (name.rfind("vk:", 0) == 0 && ParseNumber(name.substr(3), 0, 255, n)) return n;
  return -1;
}

int32_t PadKeyCodeOfName(const std::string& name) {
  static const struct {
    const char* name;
    PadButton button;
  } kButtons[] = {{"a", PadButton::A},          {"b", PadButton::B},
                  {"x", PadButton::X},          {"y", PadButton::Y},
                  {"back", PadButton::Back},    {"start", PadButton::Start},
                  {"guide", PadButton::Guide},  {"ls", PadButton::LeftStick},
                  {"rs", PadButton::RightStick}, {"lb", PadButton::LeftShoulder},
                  {"rb", PadButton::RightShoulder}, {"up", PadButton::DpadUp},
                  {"down", PadButton::DpadDown}, {"left", PadButton::DpadLeft},
                  {"right", PadButton::DpadRight}};
  for (const auto& b : kButtons)
    if (name == b.name) return KeyCodeOfPadButton(b.button);
  return -1;
}

int32_t SceneOfName(const std::string& name) {
  static const char* const kNames[] = {"title",  "idle",   "walk",   "push",
                                       "clear",  "retire", "ending", "editor"};
  for (int32_t i = 0; i < kSceneCount; ++i)
    if (name == kNames[i]) return i;
  int32_t n = 0;
  if (ParseNumber(name, 0, kSceneCount - 1, n)) return n;
  return -1;
}

bool ParseScript(std::istream& in, std::vector<Command>& out, std::string& error) {
  std::string raw;
  int lineNo = 0;
  while (std::getline(in, raw)) {
    ++lineNo;
    const std::string text = raw.substr(0, raw.find('#'));
    std::istringstream words(text);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    const std::string where = "line " + std::to_string(lineNo) + ": ";
    const auto fail = [&](const std::string& why) {
      error = where + why;
      return false;
    };
    Command c;
    c.line = lineNo;
    const std::string& op = w[0];
    const size_t args = w.size() - 1;
    if (op == "key") {
      if (args < 1) return fail("key needs a key name");
      c.op = Op::Key;
      c.a = KeyCodeOfName(w[1]);
      if (c.a < 0) return fail("unknown key '" + w[1] + "'");
      for (size_t i = 2; i < w.size(); ++i) {
        if (w[i] == "shift") c.b |= 1;
        else if (w[i] == "ctrl") c.b |= 2;
        else if (w[i] == "alt") c.b |= 4;
        else return fail("unknown modifier '" + w[i] + "' (shift, ctrl, alt)");
      }
    } else if (op == "pad") {
      // A pad button pressed: the key-down it gives, no modifiers.
      if (args != 1) return fail("pad needs one button name");
      c.op = Op::Key;
      c.a = PadKeyCodeOfName(w[1]);
      if (c.a < 0) return fail("unknown pad button '" + w[1] + "'");
    } else if (op == "hold") {
      c.op = Op::Hold;
      for (size_t i = 1; i < w.size(); ++i) {
        if (w[i] == "left") c.a |= 1;
        else if (w[i] == "up") c.a |= 2;
        else if (w[i] == "right") c.a |= 4;
        else if (w[i] == "down") c.a |= 8;
        else return fail("hold takes left, up, right, down; not '" + w[i] + "'");
      }
    } else if (op == "click") {
      // A board cell, or with px a pixel of the 640 x 480 picture.
      c.op = Op::Click;
      const bool pixel = args == 3 && w[1] == "px";
      if (args != 2 && !pixel) return fail("click needs a board cell X Y, or px X Y");
      const std::string& x = w[pixel ? 2 : 1];
      const std::string& y = w[pixel ? 3 : 2];
      if (pixel) {
        if (!ParseNumber(x, -10000, 10000, c.a) || !ParseNumber(y, -10000, 10000, c.b))
          return fail("click px needs two pixel numbers");
      } else {
        if (!ParseNumber(x, 0, 19, c.a) || !ParseNumber(y, 0, 19, c.b))
          return fail("click needs a cell X Y, each 0-19");
        c.a = 80 + 24 * c.a + 12;
        c.b = 24 * c.b + 12;
      }
    } else if (op == "swipe") {
      c.op = Op::Swipe;
      if (args < 1 || args > 2 || (args == 2 && w[2] != "hold"))
        return fail("swipe needs left, up, right or down, and may end in hold");
      c.held = args == 2;
      if (w[1] == "left") c.a = -1;
      else if (w[1] == "right") c.a = 1;
      else if (w[1] == "up") c.b = -1;
      else if (w[1] == "down") c.b = 1;
      else return fail("swipe takes left, up, right, down; not '" + w[1] + "'");
    } else if (op == "run") {
      c.op = Op::Run;
      if (args != 1 || !ParseNumber(w[1], 0, kMaxPasses, c.a)) return fail("run needs a number of passes");
    } else if (op == "until") {
      c.op = Op::Until;
      if (args < 1 || args > 2) return fail("until needs a scene and at most a limit");
      c.b = SceneOfName(w[1]);
      if (c.b < 0) return fail("unknown scene '" + w[1] + "'");
      c.a = kDefaultUntilMax;
      if (args == 2 && !ParseNumber(w[2], 0, kMaxPasses, c.a)) return fail("bad limit '" + w[2] + "'");
    } else if (op == "print") {
      c.op = Op::Print;
      if (args < 1) return fail("print needs at least one field");
      for (size_t i = 1; i < w.size(); ++i) {
        if (!IsStateField(w[i])) return fail("unknown field '" + w[i] + "'");
        c.fields.push_back(w[i]);
      }
    } else if (op == "snap") {
      c.op = Op::Snap;
      if (args != 1) return fail("snap needs one file name");
      c.file = w[1];
    } else {
      static const struct {
        const char* name;
        Op op;
      } kBare[] = {{"map", Op::Map},       {"sfx", Op::Sfx},           {"pauses", Op::Pauses},
                   {"tune", Op::Tune},     {"tune-end", Op::TuneEnd}, {"close", Op::Close},
                   {"release", Op::Release}};
      bool found = false;
      for (const auto& k : kBare) {
        if (op == k.name) {
          c.op = k.op;
          found = true;
        }
      }
      if (!found) return fail("unknown command '" + op + "'");
      if (args != 0) return fail(op + " takes no arguments");
    }
    out.push_back(std::move(c));
  }
  return true;
}

}  // namespace rara3::sim
