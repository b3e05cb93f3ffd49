"""Composes the game's tune and writes assets/sound/tune.mid.

A cheerful C-major piece in four parts (melody, chords, bass, drums, with a
marimba and strings for colour), form A A B A C A, about 87 seconds at
132 beats per minute. It starts on a downbeat with every part and ends on a
short tonic chord two beats into the last bar: the game's restart pause
fills the rest of that bar, so the restart lands like the next downbeat.

Edit the score below and run this file (or make_sound.py) to regenerate."""

import os
import sys

from midi_file import Track, smf_bytes

TUNE_SIZE = 10930
DIVISION = 96            # ticks per quarter note
EIGHTH = DIVISION // 2
BAR = 8 * EIGHTH
TEMPO_BPM = 132

# General MIDI programs (0-based) and channels.
MELODY, CHORDS, BASS, ARP, PAD, DRUMS = 0, 1, 2, 3, 4, 9
PROGRAMS = {MELODY: 73,   # flute (changed per section by FORM)
            CHORDS: 4,    # electric piano
            BASS: 33,     # fingered bass
            ARP: 12,      # marimba
            PAD: 48}      # string ensemble
# Channel volume (CC 7), pan (CC 10), reverb (CC 91), chorus (CC 93).
MIX = {MELODY: (104, 64, 40, 0),
       CHORDS: (84, 50, 30, 20),
       BASS: (100, 64, 10, 0),
       ARP: (110, 84, 40, 0),
       PAD: (52, 40, 60, 20),
       DRUMS: (104, 64, 20, 0)}

PART_NAMES = [(MELODY, 'Melody'), (CHORDS, 'Chords'), (BASS, 'Bass'),
              (ARP, 'Marimba'), (PAD, 'Strings'), (DRUMS, 'Drums')]

KICK, SNARE, CLOSED_HAT, OPEN_HAT, CRASH, RIM = 36, 38, 42, 46, 49, 37

NOTE_NAMES = {'C': 0, 'D': 2, 'E': 4, 'F': 5, 'G': 7, 'A': 9, 'B': 11}
CHORD_SHAPES = {'': (0, 4, 7), 'm': (0, 3, 7), '7': (0, 4, 7, 10)}

# Chords, one bar per entry; two chords in a bar split it in halves.
HARMONY = {
    'A': ['C', 'Am', 'F', 'G', 'C', 'Am', 'Dm G', 'C'],
    'B': ['F', 'G', 'Em', 'Am', 'Dm', 'G', 'C F', 'G7'],
    'C': ['Am', 'F', 'C', 'G', 'Am', 'F', 'Dm', 'G7'],
}

# Melody: note:length in eighths, one bar per string; r is a rest.
A_BODY = ['E5:2 G5:2 C6:2 G5:2', 'A5:3 G5:1 E5:2 C5:2', 'F5:2 A5:2 C6:3 A5:1',
          'G5:4 D5:2 B4:2', 'E5:2 G5:2 C6:2 E6:2', 'C6:3 A5:1 E5:2 A5:2',
          'F5:2 A5:2 G5:2 B5:2']
MELODY_LINES = {
    'A1': A_BODY + ['C6:6 r:2'],
    'A2': A_BODY + ['C6:4 r:2 E5:1 G5:1'],      # leads into B
    'A3': A_BODY + ['C6:4 r:2 A5:1 B5:1'],      # leads into C
    'A4': A_BODY + ['C6:4'],                    # the end
    'B': ['A5:1 C6:1 A5:1 F5:1 C5:2 F5:2', 'G5:1 B5:1 D6:2 B5:2 G5:2',
          'E5:2 G5:2 B5:3 A5:1', 'A5:2 E5:2 C5:2 E5:2',
          'F5:2 A5:1 F5:1 D5:2 A5:2', 'G5:2 B5:1 A5:1 G5:2 D5:2',
          'C5:2 E5:2 F5:2 A5:2', 'G5:2 B5:2 D6:2 F5:2'],
    'C': ['C6:4 A5:2 E5:2', 'A5:4 G5:2 F5:2', 'G5:4 E5:2 C5:2', 'D5:4 B4:2 D5:2',
          'E5:4 A5:2 C6:2', 'C6:3 A5:1 F5:2 A5:2', 'D6:4 C6:2 A5:2', 'B5:4 G5:2 F5:2'],
}

# Sections in order: (melody line, harmony, which colour parts play, drum
# style, melody instrument).
FLUTE, TRUMPET = 73, 56
FORM = [('A1', 'A', set(), 'light', FLUTE),
        ('A2', 'A', {ARP}, 'full', FLUTE),
        ('B', 'B', set(), 'full', FLUTE),
        ('A3', 'A', {ARP}, 'full', TRUMPET),
        ('C', 'C', {PAD}, 'soft', FLUTE),
        ('A4', 'A', {ARP}, 'full', FLUTE)]


def pitch(name):
    """'C#5' -> MIDI key (C4 = 60)."""
    key = NOTE_NAMES[name[0]]
    rest = name[1:]
    while rest and rest[0] in '#b':
        key += 1 if rest[0] == '#' else -1
        rest = rest[1:]
    return key + 12 * (int(rest) + 1)


def chord_tones(chord):
    root = NOTE_NAMES[chord[0]]
    rest = chord[1:]
    if rest[:1] in ('#', 'b'):
        root += 1 if rest[0] == '#' else -1
        rest = rest[1:]
    return root % 12, [(root + i) % 12 for i in CHORD_SHAPES[rest]]


def chord_spans(harmony_bars, start):
    """(tick, length, chord) for each chord of a section."""
    spans = []
    for i, bar in enumerate(harmony_bars):
        names = bar.split()
        length = BAR // len(names)
        for j, name in enumerate(names):
            spans.append((start + i * BAR + j * length, length, name))
    return spans


def voicing(chord, previous):
    """The three-note voicing between G3 and C5, below the melody, that moves
    least from the previous one and stays near the middle of that range."""
    _, tones = chord_tones(chord)
    tones = tones[:1] + tones[1:] if len(tones) == 3 else [tones[0], tones[1], tones[3]]
    best = None
    for low in range(55, 70):
        if low % 12 not in tones:
            continue
        notes = [low]
        for _ in range(2):
            n = notes[-1] + 1
            while n % 12 not in tones or n % 12 in [x % 12 for x in notes]:
                n += 1
            notes.append(n)
        if notes[-1] > 72:
            continue
        cost = sum(abs(a - b) for a, b in zip(notes, previous)) + abs(sum(notes) / 3 - 64) / 2
        if best is None or cost < best[0]:
            best = (cost, notes)
    return best[1]


def compose(only=None):
    """The tracks of the tune; with `only`, just that channel's part (for
    measuring each part's level alone)."""
    conductor = Track('Rara3 tune')
    conductor.meta(0, 0x51, int(60_000_000 / TEMPO_BPM).to_bytes(3, 'big'))
    conductor.meta(0, 0x58, bytes([4, 2, 24, 8]))
    conductor.meta(0, 0x59, bytes([0, 0]))  # C major

    parts = {ch: Track(name) for ch, name in PART_NAMES}
    for ch, track in parts.items():
        vol, pan, rev, cho = MIX[ch]
        if ch in PROGRAMS:
            track.program(0, ch, PROGRAMS[ch])
        for cc, value in ((7, vol), (10, pan), (91, rev), (93, cho)):
            track.control(0, ch, cc, value)

    tick = 0
    previous_voicing = [60, 64, 67]
    melody_program = PROGRAMS[MELODY]
    for index, (line, harmony, colours, drums, program) in enumerate(FORM):
        last_section = index == len(FORM) - 1
        start = tick
        if program != melody_program:
            parts[MELODY].program(start, MELODY, program)
            melody_program = program
        # Melody.
        for b, bar in enumerate(MELODY_LINES[line]):
            t = start + b * BAR
            for item in bar.split():
                name, length = item.split(':')
                length = int(length) * EIGHTH
                if name != 'r':
                    strong = (t - start) % (2 * EIGHTH * 2) == 0
                    parts[MELODY].note(t, length - 6, MELODY, pitch(name), 100 if strong else 88)
                t += length
        melody_end = t
        spans = chord_spans(HARMONY[harmony], start)
        if last_section:
            # The final chord sounds for as long as the final melody note.
            spans[-1] = (spans[-1][0], melody_end - spans[-1][0], spans[-1][2])
        for span_tick, length, chord in spans:
            root, tones = chord_tones(chord)
            notes = voicing(chord, previous_voicing)
            previous_voicing = notes
            final = last_section and span_tick == spans[-1][0]
            # Electric piano: on the beat, then a push on the off-beat.
            hits = [(0, length)] if final else \
                [(h * 4 * EIGHTH + o * EIGHTH, d * EIGHTH)
                 for h in range(length // (4 * EIGHTH))
                 for o, d in ((0, 3), (3, 1))]
            for off, dur in hits:
                for n in notes:
                    parts[CHORDS].note(span_tick + off, dur - 4, CHORDS, n,
                                       70 if off % (4 * EIGHTH) == 0 else 58)
            # Bass: root, a pickup, the fifth, the octave.
            bass_root = 36 + root if root >= 4 else 48 + root
            if final:
                figure = [(0, length, 0)]
            elif length == BAR:
                figure = [(0, 3, 0), (3, 1, 0), (4, 2, 7), (6, 2, 12)]
            else:
                figure = [(0, 3, 0), (3, 1, 7)]
            for off, dur, step in figure:
                off_t = off * EIGHTH
                dur_t = dur * EIGHTH if not final else dur
                parts[BASS].note(span_tick + off_t, dur_t - 6, BASS, bass_root + step,
                                 100 if off == 0 else 84)
            # Marimba: broken chord in eighths, above the chords.
            if ARP in colours and not final:
                arp = sorted(n + 12 for n in notes)
                order = [0, 1, 2, 1]
                for k in range(length // EIGHTH):
                    parts[ARP].note(span_tick + k * EIGHTH, EIGHTH - 4, ARP,
                                    arp[order[k % 4]], 88 if k % 2 == 0 else 72)
            # Strings: the chord held.
            if PAD in colours:
                for n in notes:
                    parts[PAD].note(span_tick, length - 4, PAD, n, 64)
        # Drums, one bar at a time.
        bars = len(HARMONY[harmony])
        for b in range(bars):
            t0 = start + b * BAR
            # The last beat is a short kick and snare: no cymbal rings on past
            # the end of the file into the restart.
            if last_section and b == bars - 1:
                for key, vel in ((KICK, 100), (SNARE, 84)):
                    parts[DRUMS].note(t0, 2 * EIGHTH, DRUMS, key, vel)
                break
            fill = b == bars - 1
            hits = []
            if drums == 'soft':
                hits += [(0, KICK, 90), (4, KICK, 70), (2, RIM, 60), (6, RIM, 60)]
                hits += [(e, CLOSED_HAT, 44) for e in (1, 3, 5, 7)]
            else:
                hits += [(0, KICK, 100), (3, KICK, 80), (4, KICK, 96)]
                hits += [(2, SNARE, 92), (6, SNARE, 96)]
                step = 1 if drums == 'full' else 2
                hits += [(e, CLOSED_HAT, 64 if e % 2 == 0 else 48) for e in range(0, 8, step)
                         if not (fill and e >= 6)]
                if fill:
                    hits += [(7, SNARE, 80)]
            if b == 0:
                hits = [h for h in hits if h[1] != CLOSED_HAT or h[0] != 0]
                hits.append((0, CRASH, 84))
            for e, key, vel in hits:
                parts[DRUMS].note(t0 + e * EIGHTH, EIGHTH // 2, DRUMS, key, vel)
        tick = start + bars * BAR

    return [conductor] + [t for ch, t in parts.items() if only in (None, ch)]


def sounding_notes(tracks):
    """(start, end, key, channel) of every pitched note."""
    notes = []
    for track in tracks:
        held = {}
        for tick, _, msg in sorted(track.events, key=lambda e: (e[0], e[1])):
            if msg[0] & 0xF0 != 0x90 or msg[0] & 0x0F == DRUMS:
                continue
            key = (msg[0] & 0x0F, msg[1])
            if msg[2]:
                held[key] = tick
            else:
                notes.append((held.pop(key), tick, msg[1], key[0]))
    return sorted(notes)


def clashes(tracks):
    """Notes of different parts a semitone (or a major seventh or minor
    ninth) apart that sound together for longer than a passing eighth."""
    notes = sounding_notes(tracks)
    found = []
    for i, (s1, e1, k1, c1) in enumerate(notes):
        for s2, e2, k2, c2 in notes[i + 1:]:
            if s2 >= e1:
                break
            overlap = min(e1, e2) - max(s1, s2)
            if c1 != c2 and overlap > EIGHTH and abs(k1 - k2) % 12 in (1, 11):
                found.append((max(s1, s2) // BAR + 1, k1, k2))
    return found


def main(out_dir):
    tracks = compose()
    for bar, a, b in clashes(tracks):
        print(f'warning: bar {bar}: keys {a} and {b} clash')
    data = smf_bytes(tracks, DIVISION, TUNE_SIZE,
                     pad_text=b'Rara3 tune. Composed for the game and free to use with it. ')
    path = os.path.join(out_dir, 'tune.mid')
    with open(path, 'wb') as f:
        f.write(data)
    print(f'{path}: {len(data)} bytes')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else
         os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'assets', 'sound'))
