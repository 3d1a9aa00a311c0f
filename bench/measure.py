"""Timing of one command line for the benchmark scripts."""
import os
import subprocess
import sys
import time


def measure(argv, runs=3):
    """Best wall time and best processor time (user + system) of `runs` runs,
    and the largest peak resident size in bytes. The machine may be shared: the
    processor time shows the program's own cost when the wall time is inflated
    by other work."""
    wall, cpu, peak = None, None, 0
    for _ in range(runs):
        start = time.perf_counter()
        proc = subprocess.Popen(argv, stdout=subprocess.DEVNULL)
        _, status, usage = os.wait4(proc.pid, 0)
        elapsed = time.perf_counter() - start
        if status != 0:
            sys.exit("failed: %s" % " ".join(argv))
        used = usage.ru_utime + usage.ru_stime
        wall = elapsed if wall is None else min(wall, elapsed)
        cpu = used if cpu is None else min(cpu, used)
        peak = max(peak, usage.ru_maxrss * 1024)
    return wall, max(cpu, 1e-3), peak
