#include "platform/browser/page.h"

#include <emscripten.h>

namespace rara3::page {
namespace {

// Every call goes to the object the page hands the module as rara3Page.
EM_JS(void, JsPresent, (const uint8_t* rgba, size_t size), {
  Module["rara3Page"].present(HEAPU8.subarray(rgba, rgba + size));
});
EM_JS(void, JsShowCursor, (int show), { Module["rara3Page"].showCursor(show !== 0); });
EM_JS(void, JsMessageBox, (const char* text), { Module["rara3Page"].messageBox(UTF8ToString(text)); });
EM_JS(void, JsReportError, (const char* line), { Module["rara3Page"].reportError(UTF8ToString(line)); });
EM_JS(void, JsPersist, (), { Module["rara3Page"].persist(); });
EM_JS(int, JsAudioAvailable, (), { return Module["rara3Page"].audioAvailable() ? 1 : 0; });
EM_JS(void, JsEnded, (int status), { Module["rara3Page"].ended(status); });
EM_JS(void, JsLanguage, (char* out, int size), {
  const tag = (typeof navigator !== "undefined" && navigator.language) || "";
  stringToUTF8(tag, out, size);
});
EM_JS(void, JsLoadTune, (const uint8_t* bytes, size_t size), {
  Module["rara3Page"].music.load(HEAPU8.slice(bytes, bytes + size));
});
EM_JS(void, JsPlayTune, (), { Module["rara3Page"].music.play(); });
EM_JS(void, JsStopTune, (), { Module["rara3Page"].music.stop(); });
EM_JS(int, JsTuneIsPlaying, (), { return Module["rara3Page"].music.isPlaying() ? 1 : 0; });
EM_JS(void, JsEffectsOpened, (), { Module["rara3Page"].effects.opened(Module["SDL2"]); });
EM_JS(void, JsEffectSounds, (double seconds), { Module["rara3Page"].effects.sounds(seconds); });
EM_JS(int, JsHidden, (), { return document.hidden ? 1 : 0; });
EM_JS(void, JsCloseMusic, (), { Module["rara3Page"].music.close(); });

}  // namespace

void Present(const uint8_t* rgba, size_t size) { JsPresent(rgba, size); }
void ShowCursor(bool show) { JsShowCursor(show ? 1 : 0); }
void MessageBox(const std::string& text) { JsMessageBox(text.c_str()); }
void ReportError(const std::string& line) { JsReportError(line.c_str()); }
void Persist() { JsPersist(); }
bool AudioAvailable() { return JsAudioAvailable() != 0; }
void Ended(int status) { JsEnded(status); }
std::string Language() {
  // A tag is a few letters ("ja-JP"); a longer one is cut, which keeps its
  // language.
  char tag[64] = {};
  JsLanguage(tag, static_cast<int>(sizeof tag));
  return tag;
}
void LoadTune(const uint8_t* bytes, size_t size) { JsLoadTune(bytes, size); }
void PlayTune() { JsPlayTune(); }
void StopTune() { JsStopTune(); }
bool TuneIsPlaying() { return JsTuneIsPlaying() != 0; }
void CloseMusic() { JsCloseMusic(); }
void EffectsOpened() { JsEffectsOpened(); }
void EffectSounds(double seconds) { JsEffectSounds(seconds); }
bool Hidden() { return JsHidden() != 0; }
double NowMs() { return emscripten_get_now(); }

}  // namespace rara3::page
