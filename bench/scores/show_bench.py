#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Opening one slot's list in a large score file: time and peak memory of
`tarno-scores show 1 --mark N`, against `cat FILE > /dev/null` in the same run.

Prints figures only; the machine is shared, so nothing here passes or fails.
Usage: show_bench.py --tool PATH [--records 1000000] [--runs 7] [--dir DIR]
"""
import argparse
import os
import random
import statistics
import struct
import subprocess
import sys
import tempfile
import time

NAMES = [b"Ann", b"bob", b"Anna", b"Zed", b"NoName Player", b"  Eve", b"Cy", b"Dee Dee"]


def generate(path, count, seed):
    """Mixed slots 0..17 with numbers of each slot's kind; returns a record of slot 1."""
    rng = random.Random(seed)
    marked = 0
    with open(path, "wb") as f:
        chunk = []
        for n in range(1, count + 1):
            slot = rng.randrange(0, 18)
            name = rng.choice(NAMES).ljust(50, b" ")
            time_ms = rng.randrange(0, 10_000_000)
            score = rng.randrange(0, 100) if slot in (5, 6, 17) else (
                rng.randrange(0, 1_000_000) if 7 <= slot <= 13 else 0)
            moves = rng.randrange(0, 100) if slot >= 14 else 0
            chunk.append(struct.pack("<i50siii", slot, name, time_ms, score, moves))
            if slot == 1 and n >= count // 2 and not marked:
                marked = n
            if len(chunk) == 65536:
                f.write(b"".join(chunk))
                chunk = []
        f.write(b"".join(chunk))
    return marked


def wall_time(argv):
    """Wall seconds of one run, output discarded."""
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        subprocess.run(argv, stdout=null, check=True)
        return time.perf_counter() - start


def peak_memory(argv):
    """Peak resident memory in KiB, from /usr/bin/time (package `time`) when present.
    Python's own child usage would report the forking interpreter's size instead."""
    if not os.path.exists("/usr/bin/time"):
        return float("nan")
    with tempfile.NamedTemporaryFile("r") as out, open(os.devnull, "wb") as null:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", out.name] + argv, stdout=null,
                       check=True)
        return int(out.read().split()[-1])


def bench(tool, path, marked, runs):
    subprocess.run(["cat", path], stdout=subprocess.DEVNULL, check=True)  # warm the cache
    cat_argv = ["cat", path]
    show_argv = [tool, "show", "1", "--mark", str(marked), "--file", path]
    cat, show = [], []
    for _ in range(runs):  # interleaved, so both see the same load on a shared machine
        cat.append(wall_time(cat_argv))
        show.append(wall_time(show_argv))
    return (cat, peak_memory(cat_argv)), (show, peak_memory(show_argv))


def report(label, size, cat, show):
    ct, st = statistics.median(cat[0]), statistics.median(show[0])
    print(f"{label}: {size / 1e6:.1f} MB")
    print(f"  cat            median {ct * 1000:8.1f} ms   peak {cat[1] / 1024:6.1f} MiB")
    print(f"  tarno-scores   median {st * 1000:8.1f} ms   peak {show[1] / 1024:6.1f} MiB")
    print(f"  ratio          {st / ct:.2f} x cat")


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--tool", required=True, help="path of the tarno-scores program")
    ap.add_argument("--records", type=int, default=1_000_000)
    ap.add_argument("--runs", type=int, default=7)
    ap.add_argument("--dir", default=None, help="folder for the generated files")
    ap.add_argument("--seed", type=int, default=20261206)
    args = ap.parse_args()
    print(f"seed {args.seed}, {args.runs} runs each, medians of wall time")
    with tempfile.TemporaryDirectory(dir=args.dir) as tmp:
        # A tenth of the size too, to see that memory does not grow with the file.
        for count in (args.records // 10, args.records):
            path = os.path.join(tmp, f"scores-{count}.lst")
            marked = generate(path, count, args.seed)
            cat, show = bench(args.tool, path, marked, args.runs)
            proc = subprocess.run([args.tool, "show", "1", "--mark", str(marked), "--file", path],
                                  capture_output=True, text=True, check=True)
            last = proc.stdout.strip().splitlines()[-1]
            report(f"{count} records, marked record {marked} ({last.split(chr(9))[0]})",
                   os.path.getsize(path), cat, show)
            os.remove(path)


if __name__ == "__main__":
    main()
