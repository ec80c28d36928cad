#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Sound files for the real-host tests, with nothing but Python's standard library:
#   sound.py signal OUT.wav FRAMES   the stereo test signal as 32-bit float WAV
#   sound.py compare A.wav B.wav     exit 0 when both hold the same samples, bit for bit
#   sound.py sounding A.wav 0,1      exit 0 when channels 0 and 1 carry signal and no other
#                                    channel does (below a millionth of the loudest)
import struct
import sys


def signal_frame(k):
    # Whole-number arithmetic and one division: every host and language computes the same
    # doubles (ardour/test_signal.lua makes this signal inside Ardour).
    return (k * 7919 % 2000 / 2000 - 0.5, k * 104729 % 3000 / 3000 - 0.5)


def write_float_wav(path, frames, channels, rate=48000):
    data = b"".join(struct.pack("<%df" % channels, *frame) for frame in frames)
    fmt = struct.pack("<HHIIHH", 3, channels, rate, rate * 4 * channels, 4 * channels, 32)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE")
        f.write(b"fmt " + struct.pack("<I", len(fmt)) + fmt)
        f.write(b"data" + struct.pack("<I", len(data)) + data)


# (channels, float samples) of a WAV file of 32-bit floats (WAVE_FORMAT_IEEE_FLOAT, or
# WAVE_FORMAT_EXTENSIBLE as libsndfile writes more than two channels).
def read_float_wav(path):
    with open(path, "rb") as f:
        data = f.read()
    at, channels = 12, None
    while at + 8 <= len(data):
        chunk, size = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
        body = data[at + 8:at + 8 + size]
        if chunk == b"fmt ":
            tag, channels = struct.unpack("<HH", body[:4])
            bits = struct.unpack("<H", body[14:16])[0]
            if tag not in (3, 0xFFFE) or bits != 32:
                sys.exit("%s: not 32-bit float samples" % path)
        elif chunk == b"data":
            return channels, struct.unpack("<%df" % (size // 4), body)
        at += 8 + size + (size & 1)
    sys.exit("%s: no samples" % path)


def compare(a, b):
    (channels_a, samples_a), (channels_b, samples_b) = read_float_wav(a), read_float_wav(b)
    if channels_a != channels_b or len(samples_a) != len(samples_b):
        sys.exit("%s has %d channels, %d samples; %s has %d, %d" % (
            a, channels_a, len(samples_a), b, channels_b, len(samples_b)))
    peak = max(abs(x) for x in samples_a)
    if samples_a != samples_b:
        worst = max(abs(x - y) for x, y in zip(samples_a, samples_b))
        sys.exit("the samples differ by up to %g (peak %g)" % (worst, peak))
    print("identical to the bit: %d channels, %d frames, peak %g" % (
        channels_a, len(samples_a) // channels_a, peak))


def sounding(path, listed):
    channels, samples = read_float_wav(path)
    peaks = [max(abs(x) for x in samples[c::channels]) for c in range(channels)]
    loudest = max(peaks)
    heard = [c for c in range(channels) if peaks[c] > 1e-6 * loudest]
    expected = sorted(int(c) for c in listed.split(","))
    if heard != expected or loudest == 0:
        sys.exit("%s: channels %s carry signal, not %s (peaks %s)" % (
            path, heard, expected, " ".join("%.3g" % p for p in peaks[:max(expected) + 3])))
    print("channels %s carry signal (peaks %s), the other %d are silent" % (
        listed, " ".join("%.3g" % peaks[c] for c in expected), channels - len(expected)))


if __name__ == "__main__":
    if sys.argv[1:2] == ["signal"] and len(sys.argv) == 4:
        write_float_wav(sys.argv[2], (signal_frame(k) for k in range(int(sys.argv[3]))), 2)
    elif sys.argv[1:2] == ["compare"] and len(sys.argv) == 4:
        compare(sys.argv[2], sys.argv[3])
    elif sys.argv[1:2] == ["sounding"] and len(sys.argv) == 4:
        sounding(sys.argv[2], sys.argv[3])
    else:
        sys.exit("usage: sound.py signal OUT.wav FRAMES | compare A.wav B.wav | "
                 "sounding A.wav CHANNELS")
