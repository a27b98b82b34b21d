#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Appends while readers loop over a large score file: how many appends are lost
and how long the worst one waited.

Four readers (by default) run `tarno-scores dump` over and over on a 1,000,000-record
file, each read by a consumer that takes its output slowly (64 KiB, then a pause), as
a pager or a busy pipe does. Meanwhile `tarno-scores add` records one result after
another. An append is lost when the tool does not exit with 0 or its record is not in
the file afterwards. The wait of an append is its wall time minus the median wall time
of the same append with no reader running. With --probe, the same number of appends
is made again by scores_append_probe, which times each AppendRecord call inside one
process: the append's own wait, without a process start on a busy machine.

Prints figures only; the machine is shared, so nothing here passes or fails.
Usage: readers_bench.py --tool PATH [--probe PATH] [--records 1000000] [--readers 4]
                        [--appends 20]
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from show_bench import generate  # noqa: E402  (same folder)


def slow_reader(tool, path, stop, passes, pause):
    """Loops `dump`, reading its output in 64 KiB pieces with a pause after each."""
    while not stop.is_set():
        proc = subprocess.Popen([tool, "dump", "--file", path], stdout=subprocess.PIPE)
        while proc.stdout.read(65536):
            if stop.is_set():
                break
            time.sleep(pause)
        proc.stdout.close()
        proc.wait()
        passes.append(1)


def append(tool, path, i):
    start = time.perf_counter()
    proc = subprocess.run([tool, "add", f"tarno9,{i}", "--name", f"bench{i}", "--file", path],
                          capture_output=True, text=True)
    took = time.perf_counter() - start
    number = int(proc.stdout) if proc.returncode == 0 and proc.stdout.strip() else 0
    return took, proc.returncode, number, proc.stderr.strip()


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--tool", required=True, help="path of the tarno-scores program")
    ap.add_argument("--probe", default=None, help="path of scores_append_probe")
    ap.add_argument("--records", type=int, default=1_000_000)
    ap.add_argument("--readers", type=int, default=4)
    ap.add_argument("--appends", type=int, default=20)
    ap.add_argument("--gap", type=float, default=0.2, help="seconds between appends")
    ap.add_argument("--pause", type=float, default=0.002,
                    help="the consumers' pause after each 64 KiB, seconds")
    ap.add_argument("--dir", default=None, help="folder for the generated file")
    ap.add_argument("--seed", type=int, default=20261207)
    args = ap.parse_args()

    with tempfile.TemporaryDirectory(dir=args.dir) as tmp:
        path = os.path.join(tmp, "scores.lst")
        generate(path, args.records, args.seed)
        subprocess.run(["cat", path], stdout=subprocess.DEVNULL, check=True)  # warm the cache

        quiet = []
        for i in range(5):
            took, rc, _, err = append(args.tool, path, i)
            if rc != 0:
                sys.exit(f"an append without readers failed: {err}")
            quiet.append(took)
        base = statistics.median(quiet)

        stop = threading.Event()
        passes = []
        readers = [threading.Thread(target=slow_reader,
                                    args=(args.tool, path, stop, passes, args.pause))
                   for _ in range(args.readers)]
        for t in readers:
            t.start()
        time.sleep(1.0)  # every reader is inside a pass
        results = []
        for i in range(args.appends):
            results.append(append(args.tool, path, 1000 + i))
            time.sleep(args.gap)
        probe = []
        if args.probe:
            out = subprocess.run([args.probe, path, str(args.appends), str(int(args.gap * 1000))],
                                 capture_output=True, text=True, check=True).stdout
            probe = [line.split(" ", 2) for line in out.splitlines()]
        stop.set()
        for t in readers:
            t.join()

        # A reported number must hold the record that was appended.
        check = subprocess.run([args.tool, "dump", "--file", path], capture_output=True,
                               text=True, check=True).stdout.splitlines()
        names = {}
        for line in check[args.records:]:
            cols = line.split("\t")
            names[int(cols[0])] = cols[3]
        probe_lost = sum(1 for p in probe if p[0] != "ok" or not names.get(int(p[2]), "")
                         .startswith("probe"))
        probe_us = [int(p[1]) for p in probe]
        if args.probe:
            quiet_probe = subprocess.run([args.probe, path, "5", "0"], capture_output=True,
                                         text=True, check=True).stdout
            probe_base = statistics.median(int(line.split()[1])
                                           for line in quiet_probe.splitlines())
        lost = 0
        for i, (took, rc, number, err) in enumerate(results):
            if rc != 0 or names.get(number) != f"bench{1000 + i}":
                lost += 1
        waits = [took - base for took, _, _, _ in results]
        errors = sorted({err for _, rc, _, err in results if rc != 0})

    print(f"{args.records} records, {args.readers} readers (slow consumers, pause "
          f"{args.pause * 1000:.0f} ms per 64 KiB), {args.appends} appends {args.gap} s apart")
    print(f"  reader passes finished   {len(passes)}")
    print(f"  append without readers   median {base * 1000:7.1f} ms")
    print(f"  lost appends             {lost} of {args.appends}")
    print(f"  append wait              median {statistics.median(waits) * 1000:7.1f} ms   "
          f"worst {max(waits) * 1000:7.1f} ms")
    for e in errors:
        print(f"  error: {e}")
    if args.probe:
        print(f"  AppendRecord calls (scores_append_probe), {len(probe)} during the readers:")
        print(f"    without readers        median {probe_base / 1000:7.1f} ms")
        print(f"    lost                   {probe_lost} of {len(probe)}")
        print(f"    call time              median {statistics.median(probe_us) / 1000:7.1f} ms   "
              f"worst {max(probe_us) / 1000:7.1f} ms")


if __name__ == "__main__":
    main()
