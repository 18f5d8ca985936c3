#!/usr/bin/env python3
"""Prints the medians and ratios of one benchmark run as Markdown tables.

Arguments: the JSON results of the key_search, requests and memory
benchmarks (Google Benchmark's --benchmark_out_format=json). Times are
medians of CPU time over the repetitions of this one run.
"""
import json
import platform
import sys

SIZES = (1000, 100000, 1000000)
KEY_TARGET = 1.5
CATEGORIES_TARGET = 1.5  # against the floor with the pages read
REPORT_TARGET = 2.0
# The age sentence (1) and the graphics (17 to 19) against the cheapest text.
GRAPHIC_TYPES = (17, 18, 19)
SLOW_TYPES = (1,) + GRAPHIC_TYPES
SLOW_TYPE_TARGET = 2.0
TO_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def load(path):
    """The run's context and, by benchmark name, its median (or only) run."""
    with open(path) as f:
        data = json.load(f)
    runs = {}
    for b in data["benchmarks"]:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        runs[b["run_name"]] = b
    return data["context"], runs


def ns(run):
    return run["cpu_time"] * TO_NS[run["time_unit"]]


def verdict(met):
    return "met" if met else "MISSED"


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(str(c) for c in row) + " |" for row in rows]
    return "\n".join(lines)


def key_search(runs):
    rows = []
    for size in SIZES:
        for keys in ("present", "absent"):
            t = {who: ns(runs[f"{who}/{keys}/{size}"])
                 for who in ("FindKey", "Floor", "SqliteMemory", "SqliteFile")}
            ratio = t["FindKey"] / t["Floor"]
            rows.append([f"{size:,}", keys, f"{t['FindKey']:.0f}", f"{t['Floor']:.0f}",
                         f"{t['SqliteMemory']:.0f}", f"{t['SqliteFile']:.0f}",
                         f"{ratio:.2f} ({verdict(ratio <= KEY_TARGET)})",
                         f"{t['SqliteMemory'] / t['FindKey']:.1f}",
                         f"{t['SqliteFile'] / t['FindKey']:.1f}"])
    return table(["records", "keys", "FindKey+read ns", "floor ns", "SQLite mem ns",
                  "SQLite file ns", f"FindKey/floor (<= {KEY_TARGET})",
                  "SQLite mem/FindKey", "SQLite file/FindKey"], rows)


def requests(runs):
    categories = ns(runs["BM_GetCategories"])
    syscalls = ns(runs["BM_GetCategoriesFloor/syscalls"])
    pages = ns(runs["BM_GetCategoriesFloor/pages"])
    report = ns(runs["BM_FullReport"])
    report_floor = ns(runs["BM_FullReportFloor/searches"])
    pictures_floor = ns(runs["BM_FullReportFloor/pictures"])
    ratio = categories / pages
    report_ratio = report / report_floor
    whole = table(["request", "median", "floor", "ratio", "target"], [
        ["GetCategories, standard eight", f"{categories / 1e3:.1f} us",
         f"system calls {syscalls / 1e3:.1f} us", f"{categories / syscalls:.2f}x", ""],
        ["", "", f"and the pages opening reads {pages / 1e3:.1f} us", f"{ratio:.2f}x",
         f"<= {CATEGORIES_TARGET}x ({verdict(ratio <= CATEGORIES_TARGET)})"],
        ["full report, 19 types, size + copy", f"{report / 1e3:.1f} us",
         f"searches, tests and copies {report_floor / 1e3:.1f} us", f"{report_ratio:.2f}x",
         f"<= {REPORT_TARGET}x ({verdict(report_ratio <= REPORT_TARGET)})"],
        ["", "", f"and the graphics' {len(GRAPHIC_TYPES) * 2} existence tests "
         f"{pictures_floor / 1e3:.1f} us", f"{report / pictures_floor:.2f}x", ""],
    ])
    times = {t: ns(runs[f"BM_GetData/{t}"]) for t in range(1, 20)}
    cheapest = min(v for t, v in times.items() if t not in SLOW_TYPES)
    types = []
    for t, v in times.items():
        result = int(runs[f"BM_GetData/{t}"]["result"])
        against = v / cheapest
        target = f"<= {SLOW_TYPE_TARGET}x ({verdict(against <= SLOW_TYPE_TARGET)})" \
            if t in SLOW_TYPES else ""
        types.append([t, f"{v:.0f}", result if result < 0 else f"{result} bytes",
                      f"{against:.2f}x", target])
    exists = ns(runs["BM_ExistenceTest"])
    graphics = []
    for t in GRAPHIC_TYPES:
        floor = ns(runs[f"BM_GraphicFloor/{t}"])
        graphics.append([t, f"{times[t]:.0f}", f"{floor:.0f}", f"{times[t] / floor:.2f}x",
                         f"{floor / cheapest:.2f}x", f"{2 * exists / times[t]:.0%}"])
    return whole + "\n\nEach GetData type alone (size query plus copy):\n\n" + table(
        ["type", "ns", "result", "against the cheapest text", "target"], types) + \
        f"\n\nThe graphics against what they cannot do without; one existence test " \
        f"(the library's own) takes {exists:.0f} ns:\n\n" + table(
            ["type", "ns", "two existence tests, a writability test and a copy ns", "ratio",
             "that floor against the cheapest text", "the two tests' share of the type"],
            graphics)


def memory(runs):
    heap = []
    rests = set()
    for size in SIZES:
        r = runs[f"BM_OpenTableHeap/{size}/iterations:1"]
        rests.add(r["other_bytes"])
        heap.append([f"{size:,}", f"{r['image_bytes']:,.0f}", f"{r['heap_bytes']:,.0f}",
                     f"{r['offset_bytes']:,.0f}", f"{r['other_bytes']:,.0f}",
                     f"{r['blocks']:.0f}", f"{r['left_after_close']:,.0f}"])
    s = runs["BM_SharedResidency/iterations:1"]
    copies = s["pss_sum_MB"] / s["table_MB"]
    shared = table(["readers", "table MB", "Rss sum MB", "Pss sum MB", "Pss each MB",
                    "private each MB", "Pss sum / table (8 copies: 8)"],
                   [[8, f"{s['table_MB']:.1f}", f"{s['rss_sum_MB']:.1f}",
                     f"{s['pss_sum_MB']:.1f}", f"{s['pss_each_MB']:.1f}",
                     f"{s['private_each_MB']:.2f}", f"{copies:.2f} ({verdict(copies < 1.5)})"]])
    fixed = f"{verdict(len(rests) == 1)}: the same at every size" if len(rests) == 1 else \
        f"{verdict(False)}: it grows with the table"
    return table(["records", "image bytes", "heap added by Open", "record offsets",
                  "beyond the offsets", "blocks", "left after Close"], heap) + \
        f"\n\nHeap beyond the 4-byte offsets (the field objects): {fixed}.\n" + \
        "\nEight processes mapping one 100 MB table (from smaps_rollup):\n\n" + shared


def processor():
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    return platform.processor()


def main(paths):
    context, key_runs = load(paths[0])
    _, request_runs = load(paths[1])
    _, memory_runs = load(paths[2])
    load_average = ", ".join(f"{x:.1f}" for x in context.get("load_avg", []))
    print(f"{context['date']}, {processor()}, {context['num_cpus']} CPUs at "
          f"{context['mhz_per_cpu']} MHz, load average {load_average}; medians of CPU time\n")
    print("Key search, one lookup (FindKey plus AsString of a text field):\n")
    print(key_search(key_runs))
    print("\nWhole requests through the exports:\n")
    print(requests(request_runs))
    print("\nMemory:\n")
    print(memory(memory_runs))


if __name__ == "__main__":
    main(sys.argv[1:])
