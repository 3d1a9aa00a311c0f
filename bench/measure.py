"""Timing of one command line for the benchmark scripts."""
import os
import subprocess
import sys
import tempfile


def run_once(argv, stdout_path=None):
    """Runs argv once (its standard output to stdout_path, or discarded) and
    returns its processor time (user + system, seconds) and its peak resident
    size in bytes. Processor time shows the program's own cost on a machine
    that other work shares."""
    out = open(stdout_path, "wb") if stdout_path else subprocess.DEVNULL
    with tempfile.NamedTemporaryFile("r") as peak:
        # /usr/bin/time reports the peak of the program alone: a child's own
        # figure would include this interpreter, which it starts as a copy of.
        try:
            proc = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", peak.name] + argv,
                                    stdout=out)
            _, status, usage = os.wait4(proc.pid, 0)
        finally:
            if stdout_path:
                out.close()
        if status != 0:
            sys.exit("failed: %s" % " ".join(argv))
        return max(usage.ru_utime + usage.ru_stime, 1e-3), int(peak.read().split()[-1]) * 1024
