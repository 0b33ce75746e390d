#!/usr/bin/env python3
"""Turns the raw measurements of bench/run.sh into the Markdown results table.

    summarise.py RAW.tsv COMMAND > results.md
"""
import statistics
import sys
from collections import OrderedDict

ORDER = ["CopyFileA loop", "DeleteFileA loop", "Instally install", "Instally uninstall",
         "NSIS stored install", "NSIS stored uninstall", "NSIS zlib install", "NSIS zlib uninstall",
         "MSI install (msiexec)", "MSI uninstall (msiexec)", "cp -r (host)", "rm -r (host)"]


# What the figures of a row do not show, from how the program works.
REMARKS = {"MSI install (msiexec)": "the installation runs in Wine's installer service: CPU and peak memory are msiexec's own",
           "MSI uninstall (msiexec)": "as for the install",
           "DeleteFileA loop": "also removes the 50 folders"}


def read(path):
    steps, notes, meta, loads = OrderedDict(), {}, {}, []
    for line in open(path):
        f = line.rstrip("\n").split("\t")
        if f[0] == "meta":
            meta[f[1]] = f[2]
        elif f[0] == "load":
            loads.append(f[1:])
        elif f[1] == "note":
            notes.setdefault(f[0], [])
            if f[2] not in notes[f[0]]:
                notes[f[0]].append(f[2])
        else:
            steps.setdefault(f[0], []).append((float(f[2]), int(f[3] or 0), int(f[4]), float(f[5])))
    return steps, notes, meta, loads


def median(values):
    return statistics.median(values) if values else None


def main():
    steps, notes, meta, loads = read(sys.argv[1])
    command = sys.argv[2]
    copy = median([s for s, *_ in steps.get("CopyFileA loop", [])])
    delete = median([s for s, *_ in steps.get("DeleteFileA loop", [])])
    out = ["# Benchmark results", "",
           "Made by `%s` on %s. Payload: %s. %s." % (command, meta.get("start", "?"), meta.get("shape", "?"),
                                                    meta.get("wine", "Wine")),
           "Load average (1, 5, 15 min) at the start: %s; at the end: %s. The machine has 2 cores shared with "
           "other work, so single figures are noisy; each is the median of the runs shown." %
           (meta.get("load_start", "?"), meta.get("load_end", "?")), "",
           "Times are wall-clock seconds of the whole program run (Wine start-up included), peak memory is the "
           "largest resident set of the timed process and *CPU s* its processor time, user and system, without "
           "Wine's server (`/usr/bin/time`). *× copy* is the time divided by "
           "the CopyFileA loop's; *× delete* divides removals by the DeleteFileA loop's.", "",
           "| step | median s | CPU s | runs | × copy | × delete | peak MB | notes |",
           "|---|---:|---:|---:|---:|---:|---:|---|"]
    extra = [k for k in list(steps) + list(notes) if k not in ORDER]
    for label in ORDER + list(OrderedDict.fromkeys(extra)):
        runs = steps.get(label, [])
        if not runs and label not in notes:
            continue
        if not runs:
            out.append("| %s | | | | | | | %s |" % (label, "; ".join(notes[label])))
            continue
        seconds = median([s for s, *_ in runs])
        peak = max(r[1] for r in runs) / 1024.0
        codes = sorted({r[2] for r in runs if r[2] != 0})
        remarks = list(notes.get(label, [])) + ([REMARKS[label]] if label in REMARKS else [])
        if codes:
            remarks.append("exit code %s" % ", ".join(map(str, codes)))
        removal = "uninstall" in label or "Delete" in label or "rm -r" in label
        cpu = median([r[3] for r in runs])
        out.append("| %s | %.2f | %.2f | %d | %s | %s | %.0f | %s |" % (
            label, seconds, cpu, len(runs), "%.2f" % (seconds / copy) if copy else "",
            "%.2f" % (seconds / delete) if removal and delete else "", peak, "; ".join(remarks)))
    if loads:
        out += ["", "## Script loading (native, text layer)", "",
                "Each size is loaded up to 3 times in one process (once when a load takes over 30 s); the times "
                "are medians, peak memory that of the whole process (the generated text included), *held MB* the heap the "
                "load holds above the text (section index and tree) and *× text* that over the text's size. *components N*: N components, each with a key section and 2 file, 1 shortcut, "
                "1 INI and 1 registry line (5 sections each); *entries N*: 10 components sharing N entries.", "",
                "| series | size | script KB | reading passes | entries | loads | median ms | median CPU ms | peak MB | held MB | × text |",
                "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"]
        for f in loads:
            series, n, result = f[0], f[1], f[2]
            if not result.startswith(series):
                out.append("| %s | %s | | | | | %s | | | | |" % (series, n, result))
                continue
            fields = dict(p.split("=") for p in result.split()[2:])
            held = int(fields.get("heap_kb", 0))
            out.append("| %s | %s | %.0f | %s | %s | %s | %s | %s | %.1f | %.1f | %.1f |" % (
                series, n, int(fields["bytes"]) / 1024.0, fields["passes"], fields["entries"], fields["loads"],
                fields["median_ms"], fields["median_cpu_ms"], int(f[3] or 0) / 1024.0, held / 1024.0,
                held * 1024.0 / int(fields["bytes"])))
    print("\n".join(out))


if __name__ == "__main__":
    main()
