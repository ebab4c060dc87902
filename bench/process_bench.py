#!/usr/bin/env python3
"""Whole-process benchmark of one recording against floor programs.

Each program gets a tool folder of its own holding a vando.ini and a batch
list with the given number of requests already queued. The programs run
interleaved; the batch list is laid anew before every run, outside the timed
part; every run goes through measure_run, which reports the wall time and
the peak memory of that one process. The tables give medians and ratios.

native: the POSIX recorder against record_floor, which reads the same two
        files and writes the same bytes back, once crash-safe (new file,
        fsync, rename, as the recorder writes) and once in place.
wine:   the Windows recorder under Wine against a program that only exits
        with status 3, Wine's own start-up floor.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

SETTINGS = (
    b"[vando]\r\n"
    b"scenery_name=Rhein_Main\r\n"
    b"zoom_level=17\r\n"
    b"plane_long=8.5706\r\n"
    b"plane_lat=50.0333\r\n"
    b"hi_res_textures_threshold_radius_m=3000\r\n"
    b"low_res_textures_threshold_radius_m=9000\r\n"
    b"cache_folder=C:\\vando\\cache\r\n"
    b"output_folder=C:\\vando\\scenery\r\n"
    b"max_threads=4\r\n"
)
ARGUMENT = "-ft"
NEW_LINE = "Rhein_Main;17;8.5706;50.0333;3000;9000;" + ARGUMENT
EXIT_STATUS = 3
MEBIBYTE = 1024 * 1024
TIME_TARGET = 1.3


def queued_list(count):
    """The batch list as the recorder leaves it: CR LF between lines, none after the last."""
    lines = (
        f"Scenery_{i:06d};{12 + i % 8};{(i % 3600) / 10 - 180:.4f};{(i % 1700) / 10 - 85:.4f};3000;9000;-ft"
        for i in range(count)
    )
    return "\r\n".join(lines).encode()


def expected_list(batch):
    return batch + (b"\r\n" if batch else b"") + NEW_LINE.encode()


class Program:
    """One measured program, with a tool folder of its own."""

    def __init__(self, name, work_dir, measurer, command, env=None):
        self.name = name
        self.folder = os.path.join(work_dir, name)
        os.makedirs(self.folder)
        self.measurer = measurer
        self.command = command(self.folder)
        self.env = env
        self.walls = []
        self.cpus = []
        self.peaks = []

    def lay_folder(self, batch):
        with open(os.path.join(self.folder, "vando.ini"), "wb") as f:
            f.write(SETTINGS)
        self.lay_batch(batch)

    def lay_batch(self, batch):
        with open(os.path.join(self.folder, "vandobatch.txt"), "wb") as f:
            f.write(batch)

    def check_recorded(self, batch):
        with open(os.path.join(self.folder, "vandobatch.txt"), "rb") as f:
            if f.read() != expected_list(batch):
                sys.exit(f"{self.name} did not write the expected batch list")

    def run(self, record=True):
        result = subprocess.run([self.measurer, *self.command], env=self.env, stdout=subprocess.PIPE, check=True)
        wall_ns, peak_kib, status, cpu_ns, _ = (int(field) for field in result.stdout.split())
        if status != EXIT_STATUS:
            sys.exit(f"{self.name}: exit status {status}, expected {EXIT_STATUS}")
        if record:
            self.walls.append(wall_ns / 1e6)
            self.cpus.append(cpu_ns / 1e6)
            self.peaks.append(peak_kib)

    def wall_ms(self):
        return statistics.median(self.walls)

    def cpu_ms(self):
        return statistics.median(self.cpus)

    def peak_kib(self):
        return statistics.median(self.peaks)


def measure(programs, batch, runs, warmups):
    for program in programs:
        program.lay_folder(batch)
        program.walls.clear()
        program.cpus.clear()
        program.peaks.clear()
    for index in range(warmups + runs):
        # Each program leads in turn, so none always runs right after another.
        shift = index % len(programs)
        for program in programs[shift:] + programs[:shift]:
            program.lay_batch(batch)
            program.run(record=index >= warmups)


def installed(executable, folder):
    """The recorder finds its folder from its own path, so it runs from the folder under the tool's name."""
    target = os.path.join(folder, "vando.exe")
    shutil.copy2(executable, target)
    return target


def size_text(kib):
    return f"{kib / 1024:.1f} MiB" if kib >= 1024 else f"{kib:.0f} KiB"


def verdict(ok):
    return "✓" if ok else "**✗**"


def native(args, work_dir):
    recorder = Program("recorder", work_dir, args.measurer, lambda folder: [installed(args.recorder, folder), ARGUMENT])
    safe = Program("safe-floor", work_dir, args.measurer, lambda folder: [args.floor, "safe", folder, NEW_LINE])
    plain = Program("plain-floor", work_dir, args.measurer, lambda folder: [args.floor, "plain", folder, NEW_LINE])
    programs = [recorder, safe, plain]

    times = []
    memory = []
    for count in args.sizes:
        batch = queued_list(count)
        for program in programs:
            program.lay_folder(batch)
            program.run(record=False)
            program.check_recorded(batch)
        measure(programs, batch, args.runs, args.warmups)
        ratio = recorder.wall_ms() / safe.wall_ms()
        limit_kib = (3 * len(batch) + 4 * MEBIBYTE) / 1024
        list_size = size_text(len(batch) / 1024)
        times.append(f"| {count:,} | {list_size} | {recorder.wall_ms():.2f} | {safe.wall_ms():.2f} | {ratio:.2f} "
                     f"{verdict(ratio < TIME_TARGET)} | {plain.wall_ms():.2f} | {recorder.wall_ms() / plain.wall_ms():.2f} "
                     f"| {recorder.cpu_ms():.2f} | {safe.cpu_ms():.2f} | {recorder.cpu_ms() / safe.cpu_ms():.2f} |")
        memory.append(f"| {count:,} | {list_size} | {size_text(recorder.peak_kib())} | {size_text(safe.peak_kib())} "
                      f"| {size_text(limit_kib)} | {verdict(recorder.peak_kib() < limit_kib)} |")
        print(f"measured {count:,} queued", file=sys.stderr, flush=True)

    print(f"Wall time in ms, medians of {args.runs} interleaved runs each; CPU time is user + system.\n")
    print(f"| queued | list | recorder | crash-safe floor | ratio, target < {TIME_TARGET} | in-place floor | ratio "
          f"| recorder CPU | crash-safe floor CPU | ratio |")
    print("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
    print("\n".join(times))
    print("\nPeak memory (resident set size), medians.\n")
    print("| queued | list | recorder | crash-safe floor | limit: 3 × list + 4 MiB | within |")
    print("|---:|---:|---:|---:|---:|:---:|")
    print("\n".join(memory))


def wine(args, work_dir):
    env = dict(os.environ, WINEPREFIX=os.path.abspath(args.prefix), WINEARCH="win32", WINEDEBUG="-all")
    wine_exe = shutil.which("wine")
    recorder = Program("recorder", work_dir, args.measurer,
                       lambda folder: [wine_exe, installed(args.recorder, folder), ARGUMENT], env)
    floor = Program("exit3", work_dir, args.measurer,
                    lambda folder: [wine_exe, shutil.copy2(args.floor, os.path.join(folder, "exit3.exe"))], env)
    programs = [recorder, floor]

    # One server for all runs, so that no run pays for starting one; it may
    # be running already.
    subprocess.run(["wineserver", "-p"], env=env, stderr=subprocess.DEVNULL)
    try:
        print(f"Windows recorder under Wine against a program that only exits with status 3: "
              f"medians of {args.runs} interleaved runs each.\n")
        print("| queued | list | recorder ms | exit-3 program ms | ratio |")
        print("|---:|---:|---:|---:|---:|")
        for count in args.sizes:
            batch = queued_list(count)
            recorder.lay_folder(batch)
            recorder.run(record=False)
            recorder.check_recorded(batch)
            measure(programs, batch, args.runs, args.warmups)
            print(f"| {count:,} | {size_text(len(batch) / 1024)} | {recorder.wall_ms():.0f} | {floor.wall_ms():.0f} "
                  f"| {recorder.wall_ms() / floor.wall_ms():.2f} |", flush=True)
    finally:
        subprocess.run(["wineserver", "-k"], env=env)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("mode", choices=["native", "wine"])
    parser.add_argument("--measurer", required=True, help="the measure_run executable")
    parser.add_argument("--recorder", required=True, help="the recorder executable")
    parser.add_argument("--floor", required=True, help="record_floor (native) or exit3.exe (wine)")
    parser.add_argument("--prefix", help="the Wine prefix of this benchmark (wine mode)")
    parser.add_argument("--sizes", type=int, nargs="+", default=[0, 100, 1000, 10000, 100000])
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("--warmups", type=int, default=2)
    args = parser.parse_args()
    if args.mode == "wine" and not args.prefix:
        parser.error("wine mode needs --prefix")
    with tempfile.TemporaryDirectory(prefix="vando-bench-") as work_dir:
        (native if args.mode == "native" else wine)(args, work_dir)


if __name__ == "__main__":
    main()
