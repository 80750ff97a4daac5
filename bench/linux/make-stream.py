#!/usr/bin/env python3
"""Writes a stream of evdev records (struct input_event, 24 bytes each) of
mouse motion and clicks: what one mouse sends, report after report.

    make-stream.py RECORDS > stream.bin
    make-stream.py RECORDS --pace HZ | ...    (one report at a time, HZ a second)
"""
import random
import struct
import sys
import time

EV_SYN, EV_KEY, EV_REL, EV_MSC = 0, 1, 2, 4
SYN_REPORT, REL_X, REL_Y, MSC_SCAN = 0, 0, 1, 4
BTN_LEFT, BTN_RIGHT = 0x110, 0x111


def main():
    total = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    pace = float(sys.argv[3]) if len(sys.argv) > 3 and sys.argv[2] == "--pace" else 0
    rng = random.Random(1)
    out = sys.stdout.buffer
    chunk = []
    written = 0
    usec = 0
    pressed = None

    def record(kind, code, value):
        chunk.append(struct.pack("qqHHi", usec // 1_000_000, usec % 1_000_000, kind, code, value))

    while written < total:
        usec += 1000  # a 1000 Hz mouse
        if pressed is None and rng.random() < 0.02:
            pressed = BTN_LEFT if rng.random() < 0.8 else BTN_RIGHT
            record(EV_MSC, MSC_SCAN, 0x90001 + pressed - BTN_LEFT)
            record(EV_KEY, pressed, 1)
        elif pressed is not None and rng.random() < 0.1:
            record(EV_MSC, MSC_SCAN, 0x90001 + pressed - BTN_LEFT)
            record(EV_KEY, pressed, 0)
            pressed = None
        else:
            record(EV_REL, REL_X, rng.randint(-6, 6))
            record(EV_REL, REL_Y, rng.randint(-6, 6))
        record(EV_SYN, SYN_REPORT, 0)
        if pace:
            # As a mouse sends them: each report on its own, on time.
            written += len(chunk)
            out.write(b"".join(chunk))
            out.flush()
            chunk.clear()
            time.sleep(1 / pace)
            continue
        if len(chunk) >= 4096:
            written += len(chunk)
            out.write(b"".join(chunk))
            chunk.clear()
    # Whole reports only: the stream may end a little past `total`.
    out.write(b"".join(chunk))


if __name__ == "__main__":
    main()
