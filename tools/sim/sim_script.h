// The simulator's script: one command per line, '#' starts a comment. The
// whole script is read and checked before the game starts, so a typo never
// costs a long run.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace rara3::sim {

enum class Op { Key, Hold, Click, Swipe, Release, Run, Until, Print, Map, Sfx, Pauses, Tune, TuneEnd, Snap, Close };

struct Command {
  Op op = Op::Run;
  int line = 0;
  // key: code and modifier mask; run/until: count, until's scene; hold: the
  // held arrows as a bit set (1 left, 2 up, 4 right, 8 down); click: the
  // picture pixel; swipe: the step (a, b) and whether it is held (line).
  bool held = false;
  int32_t a = 0;
  int32_t b = 0;
  std::vector<std::string> fields;  // print
  std::string file;                 // snap
};

// Parses the script; on the first bad line returns false with a message
// naming the line.
bool ParseScript(std::istream& in, std::vector<Command>& out, std::string& error);

// The virtual-key code of a key name (enter, esc, space, arrows, f1..f12,
// a..z, 0..9, vk:N); -1 for an unknown name.
int32_t KeyCodeOfName(const std::string& name);

// The key code a gamepad button gives (a b x y back start guide ls rs lb rb
// up down left right); -1 for an unknown name.
int32_t PadKeyCodeOfName(const std::string& name);

// A scene by number 0..7 or by name (title idle walk push clear retire
// ending editor); -1 for anything else.
int32_t SceneOfName(const std::string& name);

}  // namespace rara3::sim
