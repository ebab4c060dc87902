"""What the files of a tool folder must show after a reliability run under
Wine: whole lines of requests that were recorded, each queued at most once,
every recorded one queued or run, and only a request in flight at a kill of
the runner run again."""

from collections import Counter

from conftest import SETTINGS

LINE_HEAD = (";".join(SETTINGS.values()) + ";").encode("cp1252")


def queued_requests(folder):
    """The arguments of the queued requests, in order; every line must be a
    whole one, CR LF between them, the last with or without it."""
    path = folder / "vandobatch.txt"
    data = path.read_bytes() if path.exists() else b""
    lines = data.split(b"\r\n")
    if lines[-1] == b"":
        lines.pop()
    for line in lines:
        assert line.startswith(LINE_HEAD) and b"\r" not in line and b"\n" not in line, f"broken line {line[:80]!r}"
    return [line[len(LINE_HEAD):].decode("cp1252") for line in lines]


def tool_runs(folder):
    """The request of every run of the stand-in (reliability_standin.exe),
    after checking that vando.ini held that request when it ran."""
    path = folder / "standin_runs.txt"
    records = path.read_bytes().decode("cp1252").splitlines() if path.exists() else []
    runs = []
    for record in records:
        argument, verdict, _ = record.split("\t", 2)
        assert verdict == "ok", f"the tool found the request or vando.ini wanting: {record!r}"
        runs.append(argument)
    return runs


def check_queue(folder, started, recorded, may_run_again=Counter(), drained=False):
    """Returns the queued requests and the runs, after checking them."""
    queued = queued_requests(folder)
    runs = Counter(tool_runs(folder))
    counts = Counter(queued)
    assert not [a for a in counts if counts[a] > 1], f"queued twice: {counts.most_common(3)}"
    assert set(queued) <= set(started), f"queued but never recorded: {set(queued) - set(started)}"
    assert set(runs) <= set(started), f"run but never recorded: {set(runs) - set(started)}"
    lost = [a for a in recorded if a not in counts and a not in runs]
    assert not lost, f"recorded requests lost: {lost}"
    too_often = [a for a in runs if runs[a] > may_run_again[a] + (0 if a in counts else 1)]
    assert not too_often, f"run too often: {[(a, runs[a], may_run_again[a]) for a in too_often]}"
    if drained:
        assert queued == [], f"not worked off: {queued}"
    return queued, runs
