"""Model.velocity_at on 1,000,000 random points of a 2.5-million-node model, beside the plain
C++ loop of the same look-ups into a prepared buffer (timed inside C++), in one run.

Run by hand after a build:  PYTHONPATH=build/python /usr/bin/python3 bench/python_velocity_at.py
The ratio is what the binding costs on top of the loop: converting and broadcasting the point
arrays, allocating the result, releasing the GIL.
"""
import time

import numpy as np

import quasigrid as qg

REPEATS = 7


def seconds(run):
    start = time.perf_counter()
    run()
    return time.perf_counter() - start


def main():
    m = qg.Model.new(extent=(0, 10000, -3000, 0), size=(1581, 1581),
                     velocity=(500, 1200, 2500, 3500))
    # Uneven H-lines, so that the walk in Z meets sloping cell edges.
    bump = 40 * np.sin(m.x / 300.0, dtype=np.float32)
    m.z[:, 1:-1] += bump[:, None]
    rng = np.random.default_rng(1)
    x = rng.uniform(-100, 10100, 1_000_000).astype(np.float32)
    z = rng.uniform(-3100, 100, 1_000_000).astype(np.float32)
    out = np.empty_like(x)

    x64, z64 = x.astype(np.float64), z.astype(np.float64)
    # Interleaved, so that a neighbour's load on the shared machine falls on all three alike.
    loop, binding, converted = [], [], []
    for _ in range(REPEATS):
        loop.append(qg._baseline_velocity_loop(m, x, z, out))
        binding.append(seconds(lambda: m.velocity_at(x, z)))
        converted.append(seconds(lambda: m.velocity_at(x64, z64)))
    loop, binding, converted = min(loop), min(binding), min(converted)
    np.testing.assert_array_equal(m.velocity_at(x, z), out)
    print(f"model {m.nx} x {m.nz} = {m.nx * m.nz} nodes, {len(x)} points, best of {REPEATS}")
    print(f"C++ loop (baseline)            {loop * 1e3:8.1f} ms")
    print(f"velocity_at, float32 points    {binding * 1e3:8.1f} ms   x {binding / loop:.3f}")
    print(f"velocity_at, float64 points    {converted * 1e3:8.1f} ms   x {converted / loop:.3f}"
          "  (includes the conversion)")


if __name__ == "__main__":
    main()
