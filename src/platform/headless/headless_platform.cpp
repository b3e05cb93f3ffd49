#include "platform/headless/headless_platform.h"

#include <cstdio>
#include <cstring>

namespace rara3 {

void HeadlessDisplay::Blit(int32_t x, int32_t y, int sheet, const Rect& src, bool keyed) {
  if (recordBlits) frame.push_back({x, y, sheet, src, keyed});
  if (sink != nullptr) sink->Blit(x, y, sheet, src, keyed);
}

void HeadlessDisplay::Flip() {
  ++flips;
  if (recordBlits) {
    lastFrame.swap(frame);
    frame.clear();
  }
}

void HeadlessKeyboard::Poll(uint8_t (&state)[256]) { std::memcpy(state, held, sizeof held); }

void HeadlessAudio::PlayTune() {
  tuneOps.push_back("play");
  tunePlaying = true;
}

void HeadlessAudio::StopTune() {
  tuneOps.push_back("stop");
  tunePlaying = false;
}

void HeadlessAudio::CloseMusic() {
  tuneOps.push_back("close");
  tunePlaying = false;
}

void HeadlessSystem::ReportError(const std::string& line) {
  errors.push_back(line);
  if (echoErrors) std::fprintf(stderr, "%s\n", line.c_str());
}

void HeadlessSystem::EndProgram(int exitStatus) {
  if (ended) return;
  ended = true;
  status = exitStatus;
}

}  // namespace rara3
