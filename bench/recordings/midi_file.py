"""Writes Standard MIDI Files (format 1, one track per part) from note lists:
the benchmark material's only MIDI writer. Notes are (start beat, length in
beats, key, velocity); a part is (channel, program, notes)."""
import struct

TICKS = 480


def _vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def _track(events):
    data, now = b"", 0
    for tick, message in sorted(events, key=lambda e: (e[0], e[1][0] & 0xF0 != 0x80)):
        data += _vlq(tick - now) + message
        now = tick
    data += b"\x00\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + data


def write(path, tempo, parts):
    tempo_us = int(60_000_000 / tempo)
    tracks = [_track([(0, b"\xff\x51\x03" + tempo_us.to_bytes(3, "big"))])]
    for channel, program, notes in parts:
        events = [] if channel == 9 else [(0, bytes([0xC0 | channel, program]))]
        for start, length, key, velocity in notes:
            on = int(round(start * TICKS))
            off = max(on + 1, int(round((start + length) * TICKS)) - 1)
            events.append((on, bytes([0x90 | channel, key, velocity])))
            events.append((off, bytes([0x80 | channel, key, 0])))
        tracks.append(_track(events))
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS) + b"".join(tracks))
