"""Building blocks for the effects: oscillators, envelopes, noise and simple
filters over numpy arrays at the effect rate. Everything is deterministic:
noise comes from a generator with a fixed seed per effect."""

import numpy as np

from wave_file import RATE


def times(n):
    return np.arange(n) / RATE


def seconds(n):
    return int(round(n * RATE))


def midi_hz(key):
    return 440.0 * 2.0 ** ((key - 69) / 12.0)


def phase_of(freq):
    """Running phase (radians) of a frequency that may change per sample."""
    freq = np.broadcast_to(np.asarray(freq, dtype=float), np.shape(freq))
    return 2 * np.pi * np.cumsum(freq) / RATE


def sine(freq, n=None):
    if np.isscalar(freq):
        return np.sin(2 * np.pi * freq * times(n))
    return np.sin(phase_of(freq))


def triangle(freq, n=None):
    ph = (2 * np.pi * freq * times(n)) if np.isscalar(freq) else phase_of(freq)
    return 2 / np.pi * np.arcsin(np.sin(ph))


def adsr(n, attack, decay, sustain, release):
    """Attack/decay/sustain level/release (seconds) over n samples; the
    release ends exactly at the last sample."""
    env = np.full(n, float(sustain))
    a, d, r = seconds(attack), seconds(decay), seconds(release)
    a = max(a, 1)
    env[:a] = np.linspace(0, 1, a, endpoint=False)
    d_end = min(a + d, n)
    if d_end > a:
        env[a:d_end] = np.linspace(1, sustain, d_end - a)
    if r > 0:
        r = min(r, n)
        env[n - r:] *= np.linspace(1, 0, r) ** 2
    return env


def exp_decay(n, time_constant):
    return np.exp(-times(n) / time_constant)


def fade_out(x, length):
    """Smooth cosine fade over the last `length` seconds, ending at zero."""
    k = min(seconds(length), len(x))
    ramp = 0.5 + 0.5 * np.cos(np.linspace(0, np.pi, k))
    x = x.copy()
    x[-k:] *= ramp[:, None] if x.ndim == 2 else ramp
    return x


def fade_in(x, length):
    k = min(seconds(length), len(x))
    ramp = 0.5 - 0.5 * np.cos(np.linspace(0, np.pi, k))
    x = x.copy()
    x[:k] *= ramp[:, None] if x.ndim == 2 else ramp
    return x


def one_pole_lowpass(x, cutoff):
    """First-order low-pass; `cutoff` in Hz, scalar or per sample."""
    cutoff = np.broadcast_to(np.asarray(cutoff, dtype=float), x.shape)
    a = 1 - np.exp(-2 * np.pi * cutoff / RATE)
    y = np.empty_like(x)
    acc = 0.0
    for i in range(len(x)):
        acc += a[i] * (x[i] - acc)
        y[i] = acc
    return y


def highpass(x, cutoff):
    return x - one_pole_lowpass(x, cutoff)


def place(out, sound, start):
    """Mix `sound` into `out` from sample `start`, cut at the end of `out`."""
    end = min(len(out), start + len(sound))
    if end > start:
        out[start:end] += sound[:end - start]
    return out


def stereo(mono, pan=0.0):
    """Equal-power pan: -1 left, 0 centre, 1 right."""
    angle = (pan + 1) * np.pi / 4
    return np.stack([mono * np.cos(angle), mono * np.sin(angle)], axis=1) * np.sqrt(2)


def widen(mono, delay_ms=11.0, amount=0.35):
    """A little width: the right channel gets a short delayed copy."""
    d = seconds(delay_ms / 1000)
    delayed = np.concatenate([np.zeros(d), mono[:-d]]) if d else mono
    right = (1 - amount) * mono + amount * delayed
    return np.stack([mono, right], axis=1)


def normalise(x, peak_db):
    """Scale so the largest sample sits at `peak_db` dBFS."""
    peak = np.max(np.abs(x))
    if peak == 0:
        raise ValueError("silent sound")
    return x * (10 ** (peak_db / 20) / peak)


def fit(x, n):
    """Cut or zero-pad to n samples."""
    if len(x) >= n:
        return x[:n]
    pad = np.zeros((n - len(x),) + x.shape[1:])
    return np.concatenate([x, pad])
