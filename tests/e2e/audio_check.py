#!/usr/bin/python3
"""Checks the game's captured sound (raw signed 16-bit stereo at 44100 Hz).

audio_check.py CAPTURE DATAFILE TUNE_FROM TUNE_TO EFFECT_FROM
  TUNE_FROM..TUNE_TO   byte range of the capture where the tune plays: it
                       must not be silent;
  EFFECT_FROM          from here on the push effect (effect 0 of the data
                       file) must be heard: a stretch of the capture must
                       match its waveform.
"""
import io
import sys
import wave

import numpy as np

RATE = 44100
EFFECT_OFFSET, EFFECT_SIZE = 50931, 7506


def mono(raw):
    s = np.frombuffer(raw[: len(raw) // 4 * 4], dtype="<i2").astype(np.float64)
    return s.reshape(-1, 2).mean(axis=1)


def effect_waveform(datafile):
    with open(datafile, "rb") as f:
        f.seek(EFFECT_OFFSET)
        blob = f.read(EFFECT_SIZE)
    with wave.open(io.BytesIO(blob)) as w:
        rate, channels, width = w.getframerate(), w.getnchannels(), w.getsampwidth()
        frames = w.readframes(w.getnframes())
    if width != 2:
        sys.exit(f"effect 0: {width * 8}-bit samples, expected 16")
    s = np.frombuffer(frames, dtype="<i2").astype(np.float64).reshape(-1, channels).mean(axis=1)
    # Band-limited resampling to the device's rate, as the mixer does.
    n = int(round(len(s) * RATE / rate))
    spectrum = np.fft.rfft(s)
    out = np.zeros(n // 2 + 1, dtype=complex)
    k = min(len(spectrum), len(out))
    out[:k] = spectrum[:k]
    return np.fft.irfft(out, n) * n / len(s)


def best_match(signal, template):
    """Highest normalised correlation of template against any stretch of signal."""
    n = len(signal) + len(template)
    size = 1 << (n - 1).bit_length()
    corr = np.fft.irfft(np.fft.rfft(signal, size) * np.conj(np.fft.rfft(template, size)), size)
    corr = corr[: len(signal) - len(template) + 1]
    energy = np.convolve(signal * signal, np.ones(len(template)), mode="valid")
    norm = np.sqrt(np.maximum(energy, 1e-9) * np.sum(template * template))
    score = corr / norm
    # Ignore near-silent stretches, where the ratio means nothing.
    score[energy < 1e-3 * np.sum(template * template)] = 0
    i = int(np.argmax(score))
    return score[i], i


def main():
    capture, datafile = sys.argv[1], sys.argv[2]
    tune_from, tune_to, effect_from = (int(a) for a in sys.argv[3:6])
    raw = open(capture, "rb").read()
    tune = mono(raw[tune_from:tune_to])
    if len(tune) < RATE:
        sys.exit(f"tune stretch too short: {len(tune)} samples")
    rms = float(np.sqrt(np.mean(tune * tune)))
    print(f"tune: {len(tune) / RATE:.1f} s, rms {rms:.0f}")
    if rms < 100:
        sys.exit("the tune is silent")
    tail = mono(raw[effect_from:])
    template = effect_waveform(datafile)
    score, at = best_match(tail, template)
    print(f"push effect: best match {score:.3f} at {at / RATE:.2f} s")
    if score < 0.9:
        sys.exit("the push effect is not in the capture")


if __name__ == "__main__":
    main()
