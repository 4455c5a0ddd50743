#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Prints the velmora / Qt ratio table from Google Benchmark JSON files.

Benchmarks are named family/variant/size, variant being "velmora" or "qt". Each row pairs
the two variants of one family and size; the ratio compares the best repetition of each, the
median column their median repetitions, as a measure of the noise. The value is time for
most families, retained heap bytes per widget for "memory". Benchmarks without a pair (the
inspector's, for instance) are listed below the table with their best time.
"""

import json
import statistics
import sys
from collections import defaultdict

# Families without a target (tables-sorted, tables-bulk-sorted) are shown for information.
TARGETS = {"build": 1.05, "memory": 1.05, "tables-hidden": 1.5, "tables-shown": 1.5,
           "tables-bulk-hidden": 1.05, "tables-bulk-shown": 1.05, "startup": 1.05}


def load(paths):
    runs = defaultdict(list)
    for path in paths:
        with open(path, encoding="utf-8") as handle:
            for run in json.load(handle)["benchmarks"]:
                if run.get("run_type") == "aggregate" or run.get("error_occurred"):
                    continue
                runs[run["run_name"]].append(run)
    return runs


def seconds(run, key):
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run.get("time_unit", "ns")]
    return run[key] * scale


def show_time(value):
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6), ("ns", 1e-9)):
        if value >= scale:
            return f"{value / scale:.3g} {unit}"
    return f"{value / 1e-9:.3g} ns"


def best(runs, family, size):
    """The best repetition: its value, that value as text, the cost of one unit as text, and
    the median repetition's value."""
    if family == "memory":
        bytes_ = [r["bytes_per_widget"] for r in runs]
        allocs = min(r["allocs_per_widget"] for r in runs)
        return min(bytes_), f"{min(bytes_):.0f} B", f"{allocs:.1f} allocs/widget", statistics.median(bytes_)
    # Process CPU time: on a shared machine it is less disturbed by other jobs than wall time.
    times = [seconds(r, "cpu_time") for r in runs]
    value = min(times)
    unit = f"{show_time(value / size)}/{'row' if family.startswith('tables') else 'widget'}"
    return value, show_time(value), unit, statistics.median(times)


def main(paths):
    runs = load(paths)
    pairs = defaultdict(dict)
    unpaired = []
    for name, group in runs.items():
        parts = name.split("/")
        if len(parts) >= 3 and parts[1] in ("velmora", "qt") and parts[-1].isdigit():
            key = (parts[0], "/".join(parts[2:]))
            pairs[key][parts[1]] = group
        else:
            unpaired.append((name, group))

    header = (f"{'benchmark':<28}{'velmora':>12}{'qt':>12}{'ratio':>8}{'median':>8}{'target':>8}   "
              f"{'velmora per unit':<20}{'qt per unit':<20}")
    print(header)
    print("-" * len(header))
    missed = 0
    def order(item):
        family, case = item[0]
        *mode, size = case.split("/")
        return family, mode, int(size)

    for (family, case), variants in sorted(pairs.items(), key=order):
        if "velmora" not in variants or "qt" not in variants:
            unpaired.extend((f"{family}/{v}/{case}", g) for v, g in variants.items())
            continue
        size = int(case.split("/")[-1])
        v_value, v_text, v_unit, v_median = best(variants["velmora"], family, size)
        q_value, q_text, q_unit, q_median = best(variants["qt"], family, size)
        ratio = v_value / q_value
        median_ratio = v_median / q_median
        target = TARGETS.get(family)
        flag = ""
        if target is not None and ratio > target:
            flag = "  <- over target"
            missed += 1
        target_text = f"{target:.2f}" if target else "-"
        print(f"{family + '/' + case:<28}{v_text:>12}{q_text:>12}{ratio:>8.2f}{median_ratio:>8.2f}{target_text:>8}   {v_unit:<20}{q_unit:<20}{flag}")
    if unpaired:
        print()
        print(f"{'other benchmark':<40}{'best':>12}")
        for name, group in sorted(unpaired):
            print(f"{name:<40}{show_time(min(seconds(r, 'cpu_time') for r in group)):>12}")
    print()
    print(f"{missed} ratio(s) over target" if missed else "every ratio within its target")


if __name__ == "__main__":
    main(sys.argv[1:])
