#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

The seeds are small, hand-made programs for each target (their byte layout
follows the readers in DispatcherTarget.cpp, ProcessTarget.cpp) and a set of
tiny PNG images in every colour type and bit depth. Run it again after a
change of those readers; the output is deterministic.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes(data))


# Dispatcher: [process first?] then per step [selector, opcode, index, value, opt, text length, text..., ptr choice]
def call(opcode, index=16, value=16, opt=0, text=b"", ptr=1):
    return [1, opcode, index, value, opt, len(text)] + list(text) + [ptr]


def dispatcher_seeds():
    write("dispatcher", "fresh-nothing", [0])
    write("dispatcher", "processed-nothing", [1, 128, 200])
    every = [0]
    for op in range(0, 82):
        every += call(op)
    write("dispatcher", "fresh-every-opcode", every)
    every[0] = 1
    write("dispatcher", "processed-every-opcode", [1, 64, 64] + every[1:])
    texts = [1, 100, 100]
    texts += call(4, text=b"A long program name that does not fit")
    texts += call(5) + call(29) + call(51, text=b"receiveVstMidiEvent")
    texts += call(27, index=16 + 3, text=b"0.5") + call(7, index=16 + 9)
    texts += [0, 1, 128]  # a float block in between
    texts += call(10, opt=7) + [0, 0, 255]  # NaN sample rate, then a double block
    texts += call(13) + call(14) + call(19) + call(59, index=16 + 65, value=16 + 13, opt=0xC3)
    texts += call(61, value=16 + 2) + call(15) + call(14, ptr=0)
    write("dispatcher", "texts-editor-and-odd-rates", texts)
    speakers = [0] + call(42) + call(69) + call(23) + call(24, value=0xE0, ptr=1)
    speakers += [1, 0xF0, 0xFF, 0xFF, 0xFF, 0x7F, 0xE0] + [0xFF] * 4 + [0xC1, 0, 1]
    write("dispatcher", "pointers-and-huge-opcode", speakers)


# Process: [max block lo, hi, rate] then steps: parameter [1, index, value] or
# block [0, precision, frames lo, hi, per channel: length, samples...]
def parameter(index, choice):
    return [1, index, choice]


def block(frames, left, right, double=False):
    return [0, 0 if double else 1, frames & 0xFF, frames >> 8,
            len(left) - 1] + left + [len(right) - 1] + right


def in_range(x):
    """The value byte for a value within 0..1 (see anyParameterValue)."""
    return 14 + round(x * (0xFE - 14))


SWITCH = {0.0: 0, 1.0: 1, 0.25: 2, 0.5: 3, 0.75: 4}
SINE = [120 + round(12 * v) for v in (0, 0.7, 1, 0.7, 0, -0.7, -1, -0.7)]


def process_seeds():
    loud = [0x00, 0x02, 6]  # 512 frames at most, 384 kHz
    for index, value in [(2, 1.0), (3, 0.0), (5, 1.0), (6, 0.75), (7, 1.0)]:
        loud += parameter(index, SWITCH.get(value, in_range(value)))
    for _ in range(3):
        loud += block(512, SINE, SINE[::-1]) + block(333, SINE, [120], double=True)
    write("process", "near-field-fifth-order", loud)

    extremes = [0xFF, 0x07, 0]
    extremes += block(100, [0xF0, 120, 0xF1], [0xF2, 0xF3])
    extremes += block(100, SINE, SINE) + block(100, SINE, SINE, double=True)
    extremes += parameter(0, 10) + block(64, SINE, SINE) + parameter(0, 11)
    extremes += parameter(3, 8) + block(64, SINE, SINE) + parameter(9, 1)
    extremes += parameter(8, 1) + block(1, [0xF5], [0xF6]) + block(2048, SINE, SINE)
    write("process", "non-finite-then-recovery", extremes)

    modes = [0x40, 0x00, 3]
    for order in (0.0, 0.25, 0.5, 0.75, 1.0):
        for output in (0.0, 1.0):
            modes += parameter(5, SWITCH[order]) + parameter(8, SWITCH[output])
            modes += parameter(6, SWITCH[order]) + block(64, SINE, SINE)
    write("process", "every-order-both-outputs", modes)


# CLAP: [edition, state length, state..., read chunk, max frames (u16)] then per block
# [precision, frames (u16), input channels, event count, per event: kind, time (u16), id, number]
def clap_state(values):
    return b"Sferant1" + b"".join(struct.pack("<f", v) for v in values)


def clap_block(frames, events, double=False, channels=1):
    out = [0 if double else 1] + list(struct.pack("<H", frames)) + [channels, len(events)]
    for kind, time, index, number in events:
        out += [kind] + list(struct.pack("<H", time)) + [index, number]
    return out


VALUE, MOD = 5, 6


def clap_seeds():
    state = clap_state([0.4, 0.6, 1, 0.24, 0.33, 1, 0.5, 1, 0])
    write("clap", "state-then-automation",
          [1, len(state)] + list(state) + [2] + list(struct.pack("<H", 512)) +
          clap_block(700, [(VALUE, 100, 0, 3), (MOD, 50, 0, 6), (VALUE, 650, 3, 8)]) +
          clap_block(64, [(VALUE, 40, 0, 4), (VALUE, 10, 5, 10), (VALUE, 600, 6, 12)], True))
    write("clap", "truncated-state",
          [0, 20] + list(state[:20]) + [0] + list(struct.pack("<H", 64)) +
          clap_block(128, [(VALUE, 0, 2, 1), (VALUE, 1, 3, 0), (MOD, 2, 3, 16)]))
    write("clap", "odd-events",
          [0, 0, 0, 1, 0] +
          clap_block(300, [(0x80 | VALUE, 5, 0, 3), (0x40 | VALUE, 6, 0, 3), (0, 7, 0, 3),
                           (VALUE, 8, 11, 3), (VALUE, 9, 0, 0xF0), (MOD, 9, 1, 0xF1),
                           (VALUE, 3, 0, 0xFF), (MOD, 4, 5, 4)], channels=0) +
          clap_block(0, [(VALUE, 0, 6, 4)]))


# VST3: [class, read chunk - 1, state length, state..., double?] then per block
# [frames low, frames high, point count, per point (frame / 8 + 2, index, float value)].
def vst3_state(values):
    return b"SfVST3\x00\x01" + b"".join(struct.pack("<f", v) for v in values)


def vst3_block(frames, points):
    body = [frames & 0xFF, frames >> 8, len(points)]
    for frame, index, value in points:
        body += [frame // 8 + 2, index] + list(struct.pack("<f", value))
    return body


def vst3_seeds():
    state = vst3_state([0.4, 0.6, 1, 0.24, 0.3, 1, 0.5, 1, 0])
    moving = vst3_block(1500, [(0, 0, 0.1), (200, 0, 0.9), (800, 5, 0.5), (1400, 8, 1.0)])
    write("vst3", "state-then-points", [0, 2, len(state)] + list(state) + [0] + moving)
    write("vst3", "truncated-state", [1, 0, len(state) - 3] + list(state[:-3]) + [1] + moving)
    write("vst3", "odd-points", [1, 39, 0, 1] + vst3_block(0, [(8, 3, 0.5)]) +
          vst3_block(7, [(500, 11, 2.0), (0, 2, -1.0), (16, 4, float("nan"))]))


def chunk(kind, body):
    data = kind + body
    return struct.pack(">I", len(body)) + data + struct.pack(">I", zlib.crc32(data))


def png(width, height, depth, colour, rows, interlace=0, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace)
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def png_seeds():
    w, h = 3, 2
    write("png", "rgba8.png", png(w, h, 8, 6, [bytes(range(i * 12, i * 12 + 12)) for i in range(h)]))
    write("png", "rgb8.png", png(w, h, 8, 2, [bytes(range(9)) for _ in range(h)]))
    write("png", "rgb16.png", png(w, h, 16, 2, [bytes(range(18)) for _ in range(h)]))
    write("png", "grey8.png", png(w, h, 8, 0, [b"\x00\x80\xff"] * h))
    write("png", "grey1.png", png(9, h, 1, 0, [b"\xa5\x80"] * h))
    write("png", "grey4-trns.png",
          png(w, h, 4, 0, [b"\x12\x30"] * h, extra=chunk(b"tRNS", b"\x00\x01")))
    write("png", "grey-alpha16.png", png(w, h, 16, 4, [bytes(12)] * h))
    palette = chunk(b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255]))
    write("png", "palette2-trns.png",
          png(w, h, 2, 3, [b"\x18"] * h, extra=palette + chunk(b"tRNS", b"\x80\x00")))
    write("png", "interlaced-1x1.png", png(1, 1, 8, 6, [b"\x10\x20\x30\x40"], interlace=1))
    write("png", "not-a-png", b"\x89PNX\r\n\x1a\n" + bytes(20))
    huge = struct.pack(">IIBBBBB", 30000, 30000, 8, 6, 0, 0, 0)
    write("png", "huge-header.png", b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", huge))
    with open(os.path.join(HERE, "..", "resources", "png", "136.png"), "rb") as f:
        write("png", "editor-readout.png", f.read())


if __name__ == "__main__":
    dispatcher_seeds()
    process_seeds()
    clap_seeds()
    vst3_seeds()
    png_seeds()
