"""Makes the game's ten sound effects and writes assets/sound/sfx0.wav ..
sfx9.wav. Each is synthesised from scratch (effect 9 is a line spoken by
espeak-ng) and written at the exact byte size the data file reserves for it.

Edit an effect's function below and run this file (or make_sound.py)."""

import os
import subprocess
import sys
import tempfile

import numpy as np

import synth as s
from wave_file import RATE, frames_for_size, wave_bytes

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import core_tables  # noqa: E402

# Byte size of each effect in the data file, by index.
SIZES = core_tables.effect_sizes()

# Peak level of each finished effect in dBFS. The game plays effects 10 dB
# down, so they are made full; the push is heard on every move, and the
# colour change, vanish and retire are dense held tones that sound louder
# than their peaks, so those sit a little lower.
PEAK_DB = [-3.0, -1.5, -1.5, -2.0, -3.0, -1.2, -2.0, -3.0, -4.0, -1.5]

# Every effect ends in a fade this long (seconds), so the last sample is
# zero; the ones still ringing at their end fade for longer.
END_FADE = [0.02, 0.15, 0.05, 0.012, 0.05, 0.1, 0.012, 0.03, 0.05, 0.02]


def n_frames(index):
    return frames_for_size(SIZES[index])


def bell(freq, n, decay, brightness=0.5):
    """A small glassy bell: a few partials, the upper ones dying first."""
    t = s.times(n)
    out = np.sin(2 * np.pi * freq * t) * np.exp(-t / decay)
    for ratio, amp, speed in ((2.0, brightness, 2.0), (3.01, brightness * 0.5, 3.0),
                              (4.2, brightness * 0.25, 5.0)):
        if freq * ratio > 0.45 * RATE:
            break  # above the wave's range it would fold back as noise
        out += amp * np.sin(2 * np.pi * freq * ratio * t) * np.exp(-t * speed / decay)
    attack = min(s.seconds(0.002), n)
    out[:attack] *= np.linspace(0, 1, attack)
    return out


def brass(freq, n, attack=0.015, release=0.05, bright=8):
    """A bright brass-like tone: harmonics falling off with number, opening
    up over the attack."""
    t = s.times(n)
    out = np.zeros(n)
    opening = 1 - np.exp(-t / 0.03)
    # A gentle vibrato that sets in once the note has spoken.
    ph = s.phase_of(freq * (1 + 0.004 * np.sin(2 * np.pi * 5.5 * t) * np.clip(t / 0.2, 0, 1)))
    for h in range(1, bright + 1):
        if freq * h > RATE / 2 * 0.9:
            break
        weight = (1.0 / h) * (opening ** (h / 2))
        out += weight * np.sin(h * ph)
    return out * s.adsr(n, attack, 0.08, 0.75, release)


def sfx0_push(n):
    """A short, soft thud: a falling low sine under a muffled tap."""
    t = s.times(n)
    body = np.sin(s.phase_of(55 + 95 * np.exp(-t / 0.018))) * np.exp(-t / 0.028)
    rng = np.random.default_rng(100)
    tap = s.one_pole_lowpass(rng.standard_normal(n), 900) * np.exp(-t / 0.006)
    mono = body + 0.8 * tap
    mono[:s.seconds(0.0015)] *= np.linspace(0, 1, s.seconds(0.0015))
    return s.stereo(mono)


def sfx1_pairing(n):
    """A bright, rising sparkle: a pentatonic run of bells climbing two
    octaves over the 1.6 s flicker, twinkles around it, and a final chord
    that rings out."""
    out = np.zeros((n, 2))
    scale = [0, 2, 4, 7, 9]
    run = [72 + 12 * (i // 5) + scale[i % 5] for i in range(11)]
    step = 1.5 / len(run)
    for i, key in enumerate(run):
        start = s.seconds(i * step)
        tone = bell(s.midi_hz(key), n - start, 0.22, 0.4) * (0.55 + 0.03 * i)
        s.place(out, s.stereo(tone, -0.5 if i % 2 else 0.5), start)
    rng = np.random.default_rng(101)
    for k in range(26):
        at = rng.uniform(0.0, 1.6)
        key = rng.choice([96, 100, 103, 105, 108])
        tone = bell(s.midi_hz(key), s.seconds(0.35), 0.06, 0.2) * 0.18
        s.place(out, s.stereo(tone, rng.uniform(-0.9, 0.9)), s.seconds(at))
    # The final chord arrives as the flicker ends and decays to the end.
    chord_at = s.seconds(1.5)
    for key, pan in ((96, -0.3), (100, 0.3), (103, 0.0), (108, 0.0)):
        tone = bell(s.midi_hz(key), n - chord_at, 0.28, 0.3) * 0.35
        s.place(out, s.stereo(tone, pan), chord_at)
    # A soft rising shimmer underneath ties the run together.
    t = s.times(n)
    sweep_hz = 700 * 2 ** (np.minimum(t, 1.6) / 1.6 * 2)
    shimmer = np.sin(s.phase_of(sweep_hz)) * (0.5 + 0.5 * np.sin(2 * np.pi * 14 * t))
    shimmer *= 0.07 * s.adsr(n, 0.05, 0.0, 1.0, 0.5) * np.clip(1.75 - t, 0, 1)
    out += s.widen(shimmer)
    return out


def sfx2_clear(n):
    """A short fanfare: a quick rising call, then a held major chord."""
    out = np.zeros((n, 2))
    calls = [(0.00, 0.09, 67), (0.09, 0.09, 72), (0.18, 0.09, 76)]
    for at, length, key in calls:
        tone = brass(s.midi_hz(key), s.seconds(length + 0.03), 0.006, 0.03)
        s.place(out, s.stereo(tone * 0.7, 0.0), s.seconds(at))
    hold_at = 0.27
    hold = n - s.seconds(hold_at)
    for key, pan, gain in ((79, 0.0, 0.8), (76, -0.4, 0.5), (72, 0.4, 0.5), (60, 0.0, 0.45)):
        tone = brass(s.midi_hz(key), hold, 0.01, 0.45)
        s.place(out, s.stereo(tone * gain, pan), s.seconds(hold_at))
    # A light cymbal splash on the chord.
    rng = np.random.default_rng(102)
    splash = s.highpass(rng.standard_normal(hold), 4000) * np.exp(-s.times(hold) / 0.18) * 0.12
    s.place(out, s.widen(splash, 7, 0.6), s.seconds(hold_at))
    return out


def footstep(n, seed, pan):
    """One step: a dull heel strike and a lighter toe scuff right after."""
    rng = np.random.default_rng(seed)
    t = s.times(n)
    heel = s.one_pole_lowpass(rng.standard_normal(n), 1200) * np.exp(-t / 0.018)
    heel += 0.6 * np.sin(2 * np.pi * 95 * t) * np.exp(-t / 0.03)
    toe_at = s.seconds(0.07)
    toe = np.zeros(n)
    m = n - toe_at
    toe[toe_at:] = s.one_pole_lowpass(rng.standard_normal(m), 2500) * np.exp(-s.times(m) / 0.025) * 0.5
    return s.stereo(heel + toe, pan)


def sfx3_footstep(n):
    """A footstep: left then right."""
    out = np.zeros((n, 2))
    s.place(out, footstep(s.seconds(0.3), 103, -0.2), 0)
    s.place(out, footstep(s.seconds(0.3), 113, 0.2) * 0.85, s.seconds(0.32))
    return out


def sfx4_colour_change(n):
    """A shimmering morph: a chord that glides up a step at each change of
    colour (every 0.2 s), with a fast tremolo and a slow stereo drift."""
    t = s.times(n)
    steps = np.minimum(np.floor(t / 0.2), 4)
    glide = s.one_pole_lowpass(steps, 18.0)  # portamento between steps
    out = np.zeros((n, 2))
    for base, pan in ((72, -0.6), (76, 0.6), (79, 0.0)):
        key = base + 2 * glide
        freq = s.midi_hz(key) * (1 + 0.004 * np.sin(2 * np.pi * 6 * t + base))
        ph = s.phase_of(freq)
        # FM gives the glassy colour; its depth breathes with each step.
        depth = 1.2 + 0.8 * np.cos(2 * np.pi * t / 0.2)
        tone = np.sin(ph + depth * np.sin(2 * ph))
        s.place(out, s.stereo(tone * 0.3, pan * np.cos(2 * np.pi * 0.9 * t)), 0)
    tremolo = 0.7 + 0.3 * np.sin(2 * np.pi * 16 * t)
    out *= (tremolo * s.adsr(n, 0.02, 0.0, 1.0, 0.3))[:, None]
    return out


def sfx5_explosion(n):
    """A punchy blast with a decaying rumble."""
    rng = np.random.default_rng(105)
    t = s.times(n)
    crack = rng.standard_normal(n) * np.exp(-t / 0.025)
    thump = np.sin(s.phase_of(32 + 90 * np.exp(-t / 0.05))) * np.exp(-t / 0.22)
    rumble_src = rng.standard_normal(n)
    cutoff = 140 + 2200 * np.exp(-t / 0.12)
    rumble = s.one_pole_lowpass(s.one_pole_lowpass(rumble_src, cutoff), cutoff)
    rumble *= np.exp(-t / 0.55) * 4.0
    debris = np.zeros(n)
    for k in range(30):
        at = s.seconds(rng.uniform(0.05, 0.9))
        m = s.seconds(0.015)
        debris[at:at + m] += rng.standard_normal(m) * np.exp(-s.times(m) / 0.003) * \
            0.4 * np.exp(-at / RATE / 0.4)
    # Saturation keeps the first crack from dwarfing the body of the blast.
    mono = np.tanh(1.8 * (0.9 * crack + 1.0 * thump + rumble + debris))
    mono[:s.seconds(0.001)] *= np.linspace(0, 1, s.seconds(0.001))
    left = mono + 0.15 * s.one_pole_lowpass(rng.standard_normal(n), 400) * np.exp(-t / 0.5)
    right = mono + 0.15 * s.one_pole_lowpass(rng.standard_normal(n), 400) * np.exp(-t / 0.5)
    return np.stack([left, right], axis=1)


def sfx6_bump(n):
    """A bump: a dull knock against something solid."""
    rng = np.random.default_rng(106)
    t = s.times(n)
    low = np.sin(s.phase_of(70 + 60 * np.exp(-t / 0.02))) * np.exp(-t / 0.06)
    wood = np.sin(2 * np.pi * 340 * t) * np.exp(-t / 0.03) * 0.45
    tap = s.one_pole_lowpass(rng.standard_normal(n), 1800) * np.exp(-t / 0.008) * 0.7
    mono = low + wood + tap
    mono[:s.seconds(0.001)] *= np.linspace(0, 1, s.seconds(0.001))
    return s.stereo(mono)


def sfx7_vanish(n):
    """A quick descending blip: a stepped fall of a hollow tone with an
    echo."""
    t = s.times(n)
    step = np.floor(t / 0.028)
    key = 96 - 2.2 * step
    freq = s.midi_hz(key)
    ph = s.phase_of(freq)
    tone = np.sin(ph) + 0.3 * np.sin(3 * ph) + 0.12 * np.sin(5 * ph)
    env = np.exp(-t / 0.12) * (1 - np.exp(-t / 0.002))
    dry = tone * env
    echo = np.zeros(n)
    d = s.seconds(0.09)
    echo[d:] = dry[:-d] * 0.35
    return np.stack([dry + 0.5 * echo, 0.8 * dry + echo], axis=1)


def sfx8_retire(n):
    """A short, sad falling phrase: three notes down, the last one sagging."""
    out = np.zeros(n)
    notes = [(0.00, 0.10, 71), (0.10, 0.10, 70), (0.20, n / RATE - 0.20, 69)]
    for i, (at, length, key) in enumerate(notes):
        m = s.seconds(length)
        t = s.times(m)
        bend = -1.5 * np.clip((t - 0.06) / 0.2, 0, 1) if i == 2 else 0
        vibrato = 0.25 * np.sin(2 * np.pi * 5 * t) * np.clip(t / 0.1, 0, 1) if i == 2 else 0
        freq = s.midi_hz(key + bend + vibrato)
        ph = s.phase_of(np.broadcast_to(freq, (m,)))
        # Odd harmonics give a muted, reedy voice.
        tone = np.sin(ph) + 0.35 * np.sin(3 * ph) + 0.15 * np.sin(5 * ph)
        env = s.adsr(m, 0.008, 0.05, 0.8, 0.03 if i < 2 else 0.2)
        s.place(out, tone * env, s.seconds(at))
    return s.widen(out, 9, 0.3)


# The ending portrait's mouth, in seconds from the start of effect 9:
# open, closed, open, closed, open (until after the effect has ended).
MOUTH_OPEN = [(0.0, 0.25), (40 / 60, 55 / 60), (90 / 60, 240 / 60)]
# What is said in each opening; a line of several phrases is spoken phrase
# by phrase and joined with short breaths, so the sound keeps going while
# the mouth is open.
SPOKEN = [(['Yay!'], 60), (['Yay!'], 75), (['Congratulations!', 'You did it!'], 62)]
BREATH = 0.06


def speak(text, pitch):
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, 'line.wav')
        subprocess.run(['espeak-ng', '-v', 'en-us+f3', '-s', '165', '-p', str(pitch),
                        '-w', path, text], check=True)
        return read_mono(path)


def read_mono(path):
    """16-bit mono wave at the effect rate, as floats."""
    with open(path, 'rb') as f:
        data = f.read()
    pos = 12
    samples = None
    while pos + 8 <= len(data):
        tag, size = data[pos:pos + 4], int.from_bytes(data[pos + 4:pos + 8], 'little')
        if tag == b'fmt ':
            channels = int.from_bytes(data[pos + 10:pos + 12], 'little')
            rate = int.from_bytes(data[pos + 12:pos + 16], 'little')
            if channels != 1 or rate != RATE:
                raise ValueError(f'{path}: want mono {RATE} Hz')
        if tag == b'data':
            # espeak-ng writes a streaming header whose size may be wrong.
            body = data[pos + 8:]
            samples = np.frombuffer(body[:len(body) // 2 * 2], '<i2') / 32768.0
            break
        pos += 8 + size + (size & 1)
    if samples is None:
        raise ValueError(f'{path}: no data chunk')
    return samples


def trim(x, threshold_db=-40):
    """Cut the silence around a spoken line."""
    level = 10 ** (threshold_db / 20) * np.max(np.abs(x))
    loud = np.nonzero(np.abs(x) > level)[0]
    return x[loud[0]:loud[-1] + 1]


def stretch_to(x, n):
    """Fit a line into n samples without changing its pitch (sox tempo)."""
    with tempfile.TemporaryDirectory() as tmp:
        src, dst = os.path.join(tmp, 'in.raw'), os.path.join(tmp, 'out.raw')
        (np.clip(x, -1, 1) * 32767).astype('<i2').tofile(src)
        factor = len(x) / n
        raw = ['-t', 'raw', '-r', str(RATE), '-e', 'signed', '-b', '16', '-c', '1']
        subprocess.run(['sox', '-D', *raw, src, *raw, dst, 'tempo', '-s', f'{factor:.6f}'],
                       check=True)
        y = np.fromfile(dst, '<i2') / 32767.0
    return s.fit(trim(y, -50), n)


def sfx9_ending(n):
    """A cheerful spoken line that follows the portrait's mouth: a word for
    each of the two short openings and the full line for the long one,
    silent while the mouth is shut."""
    out = np.zeros(n)
    for (open_at, close_at), (text, pitch) in zip(MOUTH_OPEN, SPOKEN):
        start = s.seconds(open_at)
        # Leave a little room before the mouth shuts (or the effect ends).
        room = min(s.seconds(close_at), n) - start - s.seconds(0.03)
        pieces = [trim(speak(phrase, pitch)) for phrase in text]
        gap = np.zeros(s.seconds(BREATH))
        line = np.concatenate([x for p in pieces for x in (p, gap)][:-1])
        # Fill the opening: the mouth moves for as long as the words last.
        line = stretch_to(line, room)
        line = s.fade_in(line, 0.003)
        line = s.fade_out(line, 0.02)
        s.place(out, line / np.max(np.abs(line)), start)
    return s.widen(out, 6, 0.15)


EFFECTS = [sfx0_push, sfx1_pairing, sfx2_clear, sfx3_footstep, sfx4_colour_change,
           sfx5_explosion, sfx6_bump, sfx7_vanish, sfx8_retire, sfx9_ending]


def finish(index, raw):
    sound = s.fade_out(raw, END_FADE[index])
    sound[-1] = 0.0
    return s.normalise(sound, PEAK_DB[index])


def main(out_dir):
    for index, make in enumerate(EFFECTS):
        sound = finish(index, make(n_frames(index)))
        path = os.path.join(out_dir, f'sfx{index}.wav')
        with open(path, 'wb') as f:
            f.write(wave_bytes(sound, SIZES[index]))
        print(f'{path}: {SIZES[index]} bytes, {len(sound) / RATE:.3f} s')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else
         os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'assets', 'sound'))
