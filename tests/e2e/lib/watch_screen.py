#!/usr/bin/env python3
"""Watches two screen pixels in Xvfb's frame-buffer file (Xvfb -fbdir), a few
hundred times a second, far faster than screenshots: tells whether the first
pixel ever met its condition before the second one met its own.

usage: watch_screen.py FBFILE SECONDS X1 Y1 COND1 X2 Y2 COND2
Prints "watching" as soon as it watches, so that the caller can start what it
is to see. COND is an arithmetic condition over r, g and b (0..255) as the shell
scripts write them (&&, ||, !). Prints "seen" or
"unseen"; exits 1 when the second condition never held within SECONDS."""
import mmap
import struct
import sys
import time


def main():
    path, seconds = sys.argv[1], float(sys.argv[2])
    first = (int(sys.argv[3]), int(sys.argv[4]), sys.argv[5])
    second = (int(sys.argv[6]), int(sys.argv[7]), sys.argv[8])
    with open(path, "rb") as f:
        fb = mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ)
    # The XWD header: big-endian 32-bit fields.
    header = struct.unpack(">25I", fb[:100])
    header_size, byte_order, bits_per_pixel = header[0], header[7], header[11]
    bytes_per_line, ncolors = header[12], header[19]
    if bits_per_pixel != 32:
        sys.exit("watch_screen: expects a 32-bit screen")
    start = header_size + 12 * ncolors

    def pixel(x, y):
        p = fb[start + y * bytes_per_line + 4 * x:start + y * bytes_per_line + 4 * x + 4]
        b, g, r = (p[0], p[1], p[2]) if byte_order == 0 else (p[3], p[2], p[1])
        return r, g, b

    def python(cond):
        cond = cond.replace("&&", " and ").replace("||", " or ")
        return compile(cond.replace("!(", " not ("), "cond", "eval")

    conditions = {first[2]: python(first[2]), second[2]: python(second[2])}

    def holds(spot):
        r, g, b = pixel(spot[0], spot[1])
        return eval(conditions[spot[2]], {}, {"r": r, "g": g, "b": b})

    print("watching", flush=True)
    seen = False
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        seen = seen or holds(first)
        if holds(second):
            print("seen" if seen else "unseen")
            return 0
        time.sleep(0.002)
    print("seen" if seen else "unseen")
    return 1


sys.exit(main())
