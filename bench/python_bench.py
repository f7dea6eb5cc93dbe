#!/usr/bin/env python3
# The module's rate against the command line's for the same poster, both
# rendering and writing it on every core; and against a pure-Python loop
# compiled by numba (the usual way of drawing attractors in Python), when
# numba is installed. Each rate is the best of three runs.
import os
import subprocess
import sys
import tempfile
import time

PROGRAM, MODULE = sys.argv[1], sys.argv[2]
sys.path.insert(0, MODULE)
import orvantis  # noqa: E402

OPTIONS = dict(type="alpha", method="hit-count", filter="log", res=800, steps=40_000_000,
               orbits=64)
ARGUMENTS = ["--type", "alpha", "--method", "hit-count", "--filter", "log", "--res", "800",
             "--steps", "40000000", "--orbits", "64", "--quiet"]
STEPS = OPTIONS["steps"]


def best(run):
    times = []
    for _ in range(3):
        started = time.perf_counter()
        run()
        times.append(time.perf_counter() - started)
    return STEPS / min(times)


def numba_rate():
    try:
        import numba
        import numpy as np
    except ImportError:
        return None

    @numba.njit(cache=False)
    def clifford(steps, side, a, b, c, d):
        grid = np.zeros((side, side), np.uint32)
        x = y = 0.1
        for _ in range(steps):
            x, y = np.sin(a * y) + c * np.cos(a * x), np.sin(b * x) + d * np.cos(b * y)
            grid[int((y + 3.0) / 6.0 * side), int((x + 3.0) / 6.0 * side)] += 1
        return grid

    clifford(1000, 800, -1.4, 1.6, 1.0, 0.7)
    return best(lambda: clifford(STEPS, 800, -1.4, 1.6, 1.0, 0.7))


with tempfile.TemporaryDirectory() as folder:
    recipe = orvantis.Recipe(**OPTIONS)
    module = best(lambda: orvantis.save(recipe, os.path.join(folder, "module.png")))
    command = best(lambda: subprocess.run(
        [PROGRAM, "poster", *ARGUMENTS, "-o", os.path.join(folder, "command.png")], check=True,
        env=dict(os.environ, QT_QPA_PLATFORM="offscreen")))
print(f"orvantis.save        {module / 1e6:8.2f} M steps/s")
print(f"orvantis poster      {command / 1e6:8.2f} M steps/s   module / command line {module / command:.3f}")
rate = numba_rate()
if rate is None:
    print("numba loop           skipped: python3-numba is not installed")
else:
    print(f"numba loop, 1 core   {rate / 1e6:8.2f} M steps/s   module / numba {module / rate:.2f}")
