// The calls the game makes into its web page (web/rara3-page.js): showing
// a frame, the cursor, messages, saving the storage, the tune, and saying
// that the game has ended.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace rara3::page {

// A 640 x 480 frame of RGBA bytes onto the canvas.
void Present(const uint8_t* rgba, size_t size);
void ShowCursor(bool show);
// A message the player must see and close.
void MessageBox(const std::string& text);
// A failure the game survives (a file not written): on the page and in the
// console.
void ReportError(const std::string& line);
// Writes the save folder through to the browser's storage. A failure is
// shown by the page.
void Persist();
// Whether the page has an audio context for the effects; when the browser
// refused one, the page has said so and the game plays silently.
bool AudioAvailable();
// The game has ended with this status.
void Ended(int status);
// The browser's language tag (navigator.language), "" when it has none.
std::string Language();

// The tune: the page plays the recording the site's build made of it, and
// is handed the Standard MIDI File only for its own use. Until the
// player's first key or click lets the page make sound, a started tune
// counts as playing and begins from its start once sound is allowed.
void LoadTune(const uint8_t* bytes, size_t size);
void PlayTune();
void StopTune();
bool TuneIsPlaying();
void CloseMusic();

// SDL mixes the effects on the page's thread dozens of times a second,
// silence included: the page joins its mixer to the speakers only while an
// effect sounds. EffectsOpened once SDL's audio output exists, then
// EffectSounds at each effect started, with its length.
void EffectsOpened();
void EffectSounds(double seconds);

// Whether the page's tab is hidden.
bool Hidden();

// Milliseconds on the page's clock.
double NowMs();

}  // namespace rara3::page
