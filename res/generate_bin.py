#!/usr/bin/env python3
"""Writes the program's BIN resources into res/bin/ (kov.gresource.xml stores
each under its id, 152.gif, 153.mid and 154.bmp).

  background-picture.gif     160 x 160 GIF89a background picture, a soft light
                             pattern that tiles seamlessly (every wave's period
                             divides 160)
  background-music.mid       Standard MIDI file, format 1, 18 tracks, 120 ticks
                             per quarter: an eight-bar tune in C major that ends
                             on the tonic and loops
  placeholder-thumbnail.bmp  32 x 32 8-bit BMP with a 3-colour table: the
                             placeholder thumbnail (white square, red one-pixel
                             frame, red diagonal cross)

Python 3 standard library only. The outputs are committed so that building
the program never needs Python; run this after changing a generator.
"""
import math
import os
import struct
import sys

# ---------------------------------------------------------------- GIF 152

GIF_SIZE = 160
GIF_BITS = 6                      # 64 palette entries
GIF_COLOURS = 1 << GIF_BITS

# The pattern runs between these two light colours (warm white, pale blue).
LIGHT = (0xFA, 0xF7, 0xF0)
SHADE = (0xD9, 0xE2, 0xEC)

BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def gif_palette():
    """64 colours from LIGHT to SHADE, as RGB triples."""
    table = []
    for i in range(GIF_COLOURS):
        t = i / (GIF_COLOURS - 1)
        table.append(tuple(round(a + (b - a) * t) for a, b in zip(LIGHT, SHADE)))
    return table


def pattern_level(x, y):
    """A value in 0..1: soft diamonds with a finer lattice of dots over them.
    All periods (80, 40, 160) divide 160, so the tile has no seams."""
    two_pi = 2 * math.pi
    diamonds = math.cos(two_pi * (x + y) / 80) * math.cos(two_pi * (x - y) / 80)
    dots = math.cos(two_pi * x / 40) * math.cos(two_pi * y / 40)
    swell = math.cos(two_pi * x / 160) * math.cos(two_pi * y / 160)
    value = 0.5 + 0.28 * diamonds + 0.12 * dots + 0.10 * swell
    return min(1.0, max(0.0, value))


def gif_pixels():
    """Palette indices, row by row, with 4x4 ordered dithering between levels
    (4 divides 160, so the dither is seamless too)."""
    pixels = bytearray()
    for y in range(GIF_SIZE):
        for x in range(GIF_SIZE):
            scaled = pattern_level(x, y) * (GIF_COLOURS - 1)
            base = int(scaled)
            threshold = (BAYER4[y % 4][x % 4] + 0.5) / 16
            index = base + (1 if scaled - base > threshold else 0)
            pixels.append(min(index, GIF_COLOURS - 1))
    return bytes(pixels)


def lzw_encode(pixels, min_code_size):
    """GIF's variable-length LZW: codes packed least significant bit first,
    a clear code first and whenever the 4096-entry table is full."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0

    def emit(code, size):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def reset():
        return {}, end + 1, min_code_size + 1

    table, next_code, code_size = reset()
    emit(clear, code_size)
    prefix = pixels[0]
    for k in pixels[1:]:
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix, code_size)
        table[key] = next_code
        next_code += 1
        if next_code > (1 << code_size) and code_size < 12:
            code_size += 1
        if next_code == 4096:
            emit(clear, code_size)
            table, next_code, code_size = reset()
        prefix = k
    emit(prefix, code_size)
    emit(end, code_size)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def gif_sub_blocks(data):
    blocks = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        blocks.append(len(chunk))
        blocks += chunk
    blocks.append(0)
    return bytes(blocks)


def make_gif():
    palette = gif_palette()
    packed = 0x80 | ((8 - 1) << 4) | (GIF_BITS - 1)   # global table, 8-bit colour resolution
    data = bytearray(b'GIF89a')
    data += struct.pack('<HHBBB', GIF_SIZE, GIF_SIZE, packed, 0, 0)
    for rgb in palette:
        data += bytes(rgb)
    data += b'\x2C' + struct.pack('<HHHHB', 0, 0, GIF_SIZE, GIF_SIZE, 0)
    data.append(GIF_BITS)
    data += gif_sub_blocks(lzw_encode(gif_pixels(), GIF_BITS))
    data.append(0x3B)
    return bytes(data)

# ---------------------------------------------------------------- MIDI 153

DIVISION = 120                    # ticks per quarter note
BAR = 4 * DIVISION
BARS = 8
SONG_END = BARS * BAR
TEMPO_US = 625000                 # 96 quarter notes a minute
TRACK_COUNT = 18
EIGHTH = DIVISION // 2

NOTE = {'C': 0, 'D': 2, 'E': 4, 'F': 5, 'G': 7, 'A': 9, 'B': 11}


def pitch(name):
    """'C4' is 60; a '#' after the letter raises by one."""
    semis = NOTE[name[0]]
    rest = name[1:]
    if rest.startswith('#'):
        semis += 1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + semis


# One chord per half bar: I vi IV V | I vi IV-V | I
CHORDS = [['C4', 'E4', 'G4']] * 2 + [['A3', 'C4', 'E4']] * 2 + [['F3', 'A3', 'C4']] * 2 + \
         [['G3', 'B3', 'D4']] * 2 + [['C4', 'E4', 'G4']] * 2 + [['A3', 'C4', 'E4']] * 2 + \
         [['F3', 'A3', 'C4'], ['G3', 'B3', 'D4']] + [['C4', 'E4', 'G4']] * 2

# (note, length in eighths); eight eighths a bar
MELODY = [
    ('E5', 2), ('G5', 2), ('C6', 2), ('B5', 1), ('A5', 1),
    ('A5', 3), ('G5', 1), ('E5', 4),
    ('F5', 2), ('A5', 2), ('C6', 2), ('A5', 2),
    ('G5', 3), ('F5', 1), ('D5', 4),
    ('E5', 2), ('G5', 2), ('C6', 2), ('D6', 1), ('E6', 1),
    ('C6', 3), ('B5', 1), ('A5', 4),
    ('A5', 2), ('F5', 2), ('D5', 2), ('B4', 2),
    ('C5', 8),
]

BASS_ROOTS = ['C3', 'A2', 'F2', 'G2', 'C3', 'A2', None, 'C3']


def vlq(value):
    """MIDI variable-length quantity."""
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


class Track:
    def __init__(self, name):
        self.events = []          # (tick, order, bytes); note-offs sort first
        self.meta(0, 0x03, name.encode('ascii'))

    def meta(self, tick, kind, payload):
        self.events.append((tick, 1, bytes([0xFF, kind]) + vlq(len(payload)) + payload))

    def setup(self, channel, program, volume, pan):
        self.events.append((0, 1, bytes([0xC0 | channel, program])))
        self.events.append((0, 1, bytes([0xB0 | channel, 7, volume])))
        self.events.append((0, 1, bytes([0xB0 | channel, 10, pan])))
        self.events.append((0, 1, bytes([0xB0 | channel, 91, 48])))

    def note(self, channel, tick, length, key, velocity):
        self.events.append((tick, 2, bytes([0x90 | channel, key, velocity])))
        self.events.append((tick + length, 0, bytes([0x80 | channel, key, 0])))

    def chunk(self):
        self.meta(SONG_END, 0x2F, b'')
        body = bytearray()
        last = 0
        for tick, _, data in sorted(self.events, key=lambda e: (e[0], e[1])):
            body += vlq(tick - last) + data
            last = tick
        return b'MTrk' + struct.pack('>I', len(body)) + bytes(body)


def conductor_track():
    track = Track('KOV theme')
    track.meta(0, 0x58, bytes([4, 2, 24, 8]))              # 4/4
    track.meta(0, 0x59, bytes([0, 0]))                     # C major
    track.meta(0, 0x51, TEMPO_US.to_bytes(3, 'big'))
    return track


def melody_track(name, channel, program, octave_shift, first_bar, velocity, pan):
    track = Track(name)
    track.setup(channel, program, 100, pan)
    tick = 0
    for key, eighths in MELODY:
        length = eighths * EIGHTH
        if tick >= first_bar * BAR:
            track.note(channel, tick, length - 6, pitch(key) + 12 * octave_shift, velocity)
        tick += length
    return track


def pad_track():
    track = Track('Strings')
    track.setup(2, 48, 70, 40)
    for i, chord in enumerate(CHORDS):
        for key in chord:
            track.note(2, i * 2 * DIVISION, 2 * DIVISION, pitch(key), 52)
    return track


def arpeggio_track():
    track = Track('Harp')
    track.setup(1, 46, 80, 88)
    order = [0, 1, 2, 1]
    for i, chord in enumerate(CHORDS):
        for step in range(4):
            key = pitch(chord[order[step]]) + 12
            track.note(1, i * 2 * DIVISION + step * EIGHTH, EIGHTH, key, 58 if step else 66)
    return track


def bass_track():
    track = Track('Bass')
    track.setup(3, 32, 96, 64)
    for bar, root in enumerate(BASS_ROOTS):
        start = bar * BAR
        if root is None:          # IV then V in the same bar
            for beat, key in enumerate(['F2', 'C3', 'G2', 'D3']):
                track.note(3, start + beat * DIVISION, DIVISION - 10, pitch(key), 84)
        elif bar == BARS - 1:     # the closing tonic, held
            track.note(3, start, BAR - 10, pitch(root), 84)
        else:
            fifth = pitch(root) + 7
            for beat, key in enumerate([pitch(root), fifth, pitch(root), fifth]):
                track.note(3, start + beat * DIVISION, DIVISION - 10, key, 84 if beat % 2 == 0 else 72)
    return track


def drum_track():
    track = Track('Drums')
    track.setup(9, 0, 72, 64)
    for bar in range(BARS):
        start = bar * BAR
        for eighth in range(8):
            track.note(9, start + eighth * EIGHTH, 30, 42, 44 if eighth % 2 else 56)   # closed hi-hat
        track.note(9, start, 60, 36, 80)                                           # kick
        track.note(9, start + 2 * DIVISION, 60, 36, 70)
        track.note(9, start + DIVISION, 60, 37, 50)                                # side stick
        track.note(9, start + 3 * DIVISION, 60, 37, 50)
    return track


def bell_track():
    track = Track('Celesta')
    track.setup(5, 8, 70, 96)
    for bar in (0, 4, 7):
        track.note(5, bar * BAR, BAR // 2, pitch('C6') if bar != 4 else pitch('G5'), 48)
    return track


def make_midi():
    tracks = [
        conductor_track(),
        melody_track('Music box', 0, 10, 0, 0, 96, 64),
        arpeggio_track(),
        pad_track(),
        bass_track(),
        drum_track(),
        melody_track('Flute', 4, 73, -1, 4, 70, 52),
        bell_track(),
    ]
    while len(tracks) < TRACK_COUNT:
        tracks.append(Track('Spare %d' % len(tracks)))
    header = b'MThd' + struct.pack('>IHHH', 6, 1, len(tracks), DIVISION)
    return header + b''.join(t.chunk() for t in tracks)

# ---------------------------------------------------------------- BMP 154

BMP_SIZE = 32
WHITE, RED, GREY = 0, 1, 2


def placeholder_index(x, y):
    last = BMP_SIZE - 1
    if x in (0, last) or y in (0, last):
        return RED
    if x == y or x == last - y:
        return RED
    return WHITE


def make_bmp():
    colour_table = bytes([0xFF, 0xFF, 0xFF, 0,      # white (blue, green, red, 0)
                          0x00, 0x00, 0xFF, 0,      # red
                          0xC0, 0xC0, 0xC0, 0])     # grey, unused by the drawing
    colours = len(colour_table) // 4
    offset = 14 + 40 + len(colour_table)
    pixels = bytearray()
    for row in range(BMP_SIZE):                     # bottom-up rows, 32 bytes each
        y = BMP_SIZE - 1 - row
        pixels += bytes(placeholder_index(x, y) for x in range(BMP_SIZE))
    file_header = b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset)
    info_header = struct.pack('<IiiHHIIiiII', 40, BMP_SIZE, BMP_SIZE, 1, 8, 0,
                              len(pixels), 2835, 2835, colours, colours)
    return file_header + info_header + colour_table + bytes(pixels)

# ----------------------------------------------------------------


def main():
    out_dir = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'bin')
    os.makedirs(out_dir, exist_ok=True)
    for name, make in (('background-picture.gif', make_gif), ('background-music.mid', make_midi),
                       ('placeholder-thumbnail.bmp', make_bmp)):
        with open(os.path.join(out_dir, name), 'wb') as f:
            f.write(make())
    return 0


if __name__ == '__main__':
    sys.exit(main())
