"""Writes the game's effect files: RIFF WAVE, PCM, 22050 Hz, 16-bit stereo,
padded with a trailing JUNK chunk to the exact byte size the data file
reserves for each effect."""

import struct

import numpy as np

RATE = 22050
CHANNELS = 2
BITS = 16
BLOCK_ALIGN = CHANNELS * BITS // 8
HEADER = 12 + 8 + 16 + 8  # RIFF/WAVE, fmt chunk, data chunk header
JUNK_HEADER = 8


def frames_for_size(size):
    """The most sample frames that fit a file of `size` bytes with room for
    an empty JUNK chunk after the data."""
    return (size - HEADER - JUNK_HEADER) // BLOCK_ALIGN


def to_pcm16(stereo):
    """stereo: float array (frames, 2) in [-1, 1] -> little-endian int16 bytes."""
    clipped = np.clip(stereo, -1.0, 1.0)
    ints = np.round(clipped * 32767.0).astype('<i2')
    return ints.tobytes()


def wave_bytes(stereo, size):
    """A complete wave file of exactly `size` bytes holding `stereo`."""
    frames = frames_for_size(size)
    if stereo.shape != (frames, CHANNELS):
        raise ValueError(f"need {frames} stereo frames for {size} bytes, got {stereo.shape}")
    data = to_pcm16(stereo)
    junk = size - HEADER - len(data) - JUNK_HEADER
    if junk < 0 or junk % 2:
        raise ValueError(f"cannot pad to {size} bytes")
    fmt = struct.pack('<HHIIHH', 1, CHANNELS, RATE, RATE * BLOCK_ALIGN, BLOCK_ALIGN, BITS)
    body = (b'WAVE'
            + b'fmt ' + struct.pack('<I', len(fmt)) + fmt
            + b'data' + struct.pack('<I', len(data)) + data
            + b'JUNK' + struct.pack('<I', junk) + bytes(junk))
    out = b'RIFF' + struct.pack('<I', len(body)) + body
    assert len(out) == size
    return out
