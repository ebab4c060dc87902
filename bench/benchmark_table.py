#!/usr/bin/env python3
"""Turns Google Benchmark's JSON output (standard input) into a markdown table.

Times are shown in each benchmark's own unit; bytes_per_second in binary
units; every other counter as it is. A complexity fit gives its coefficient
(time per unit of N) and its root-mean-square misfit.
"""

import json
import sys


def throughput(bytes_per_second):
    for unit in ("B/s", "KiB/s", "MiB/s", "GiB/s"):
        if bytes_per_second < 1024 or unit == "GiB/s":
            return f"{bytes_per_second:.3g} {unit}" if bytes_per_second < 1000 else f"{bytes_per_second:,.0f} {unit}"
        bytes_per_second /= 1024


def number(value):
    return f"{value:.3g}" if abs(value) < 1000 else f"{value:,.0f}"


def main():
    report = json.load(sys.stdin)
    rows = [b for b in report["benchmarks"]
            if b.get("run_type") != "aggregate" or b.get("aggregate_name") in ("median", "BigO", "RMS")]
    known = {"bytes_per_second"}
    counters = sorted({key for b in rows for key in b if key not in known and isinstance(b[key], float)
                       and key not in ("real_time", "cpu_time", "iterations", "repetitions", "threads",
                                       "repetition_index", "family_index", "per_family_instance_index",
                                       "cpu_coefficient", "real_coefficient", "rms")})
    print("| " + " | ".join(["benchmark", "time", "CPU", "throughput", *counters]) + " |")
    print("|---|---:|---:|---:|" + "---:|" * len(counters))
    for b in rows:
        if b.get("aggregate_name") == "BigO":
            print(f"| {b['name']} (fit) | {number(b['real_coefficient'])} · {b['big_o']} "
                  f"| {number(b['cpu_coefficient'])} · {b['big_o']} |" + " |" * (len(counters) + 1))
            continue
        if b.get("aggregate_name") == "RMS":
            print(f"| {b['name']} (misfit) | {b['rms'] * 100:.0f} % | |" + " |" * (len(counters) + 1))
            continue
        unit = b.get("time_unit", "ns")
        cells = [b["name"], f"{number(b['real_time'])} {unit}", f"{number(b['cpu_time'])} {unit}",
                 throughput(b["bytes_per_second"]) if "bytes_per_second" in b else ""]
        cells += [number(b[key]) if key in b else "" for key in counters]
        print("| " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main()
