// How long a Standard MIDI File plays, from its own events and tempo map.
// The synthesiser keeps reporting the tune as playing while its last notes
// ring out; the tune's own length lets the game restart it on time.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rara3 {

// Seconds from the first tick to the last end of track; negative when the
// bytes are not a well-formed Standard MIDI File.
double MidiLengthSeconds(const uint8_t* bytes, size_t size);

}  // namespace rara3
