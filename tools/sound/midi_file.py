"""A small Standard MIDI File writer: format 1, one chunk per track, running
status for channel messages, and a text meta event to pad the file to an
exact size."""

import struct


def vlq(value):
    """MIDI variable-length quantity."""
    if value < 0:
        raise ValueError("negative delta time")
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


class Track:
    """Events as (tick, order, bytes); order keeps note-offs before note-ons
    at the same tick so a repeated note is released before it sounds again."""

    def __init__(self, name):
        self.events = []
        self.meta(0, 0x03, name.encode('ascii'))

    def meta(self, tick, kind, data):
        self.events.append((tick, 0, bytes([0xFF, kind]) + vlq(len(data)) + data))

    def channel(self, tick, status, *data, order=2):
        self.events.append((tick, order, bytes([status, *data])))

    def program(self, tick, ch, prog):
        self.channel(tick, 0xC0 | ch, prog, order=1)

    def control(self, tick, ch, cc, value):
        self.channel(tick, 0xB0 | ch, cc, value, order=1)

    def note(self, tick, length, ch, key, velocity):
        if not (0 <= key < 128 and 0 < velocity < 128 and length > 0):
            raise ValueError(f"bad note {key} vel {velocity} len {length}")
        self.channel(tick, 0x90 | ch, key, velocity, order=2)
        # Note-on with velocity 0 releases the note and keeps running status.
        self.channel(tick + length, 0x90 | ch, key, 0, order=0)

    def end_tick(self):
        return max((t for t, _, _ in self.events), default=0)

    def encode(self):
        body = bytearray()
        now = 0
        running = None
        for tick, _, msg in sorted(self.events, key=lambda e: (e[0], e[1])):
            body += vlq(tick - now)
            now = tick
            if msg[0] < 0xF0 and msg[0] == running:
                body += msg[1:]
            else:
                body += msg
                running = msg[0] if msg[0] < 0xF0 else None
        body += b'\x00\xFF\x2F\x00'  # end of track, right after the last event
        return b'MTrk' + struct.pack('>I', len(body)) + bytes(body)


def smf_bytes(tracks, division, size=None, pad_text=b''):
    """Format 1 file. With `size`, the first track gets a text meta event at
    tick 0 whose length makes the whole file exactly `size` bytes."""
    head = b'MThd' + struct.pack('>IHHH', 6, 1, len(tracks), division)
    plain = head + b''.join(t.encode() for t in tracks)
    if size is None:
        return plain
    room = size - len(plain)
    # A text meta event costs delta(1) + FF 01 + vlq(len) + len bytes.
    for len_bytes in (1, 2, 3):
        text_len = room - 3 - len_bytes
        if text_len >= 0 and len(vlq(text_len)) == len_bytes:
            break
    else:
        raise ValueError(f"music is {len(plain)} bytes, too long for {size}")
    filler = (pad_text * (text_len // max(len(pad_text), 1) + 1))[:text_len]
    tracks[0].meta(0, 0x01, filler)
    out = head + b''.join(t.encode() for t in tracks)
    assert len(out) == size, (len(out), size)
    return out
