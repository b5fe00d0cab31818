"""Prints the benchmark results against their targets as one table.

bench_table.py [--only-run] TARGETS RESULTS.json...
--only-run leaves out the targets of benchmarks that were not run (a
filtered run). Results with instruction counts (bench_instructions.py) add
a column of instructions per iteration, and ratio targets on the field
"instructions" are judged by them.
"""
import json
import sys

SCALE = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def key(name):
    return name.split("/manual_time")[0].split("/iterations:")[0]


def load_results(paths):
    results = {}
    for path in paths:
        with open(path) as f:
            text = f.read()
        # a program none of whose benchmarks the filter chose writes nothing
        if text.strip():
            for b in json.loads(text)["benchmarks"]:
                if b.get("run_type", "iteration") == "iteration":
                    # the timed run and the instruction count of one benchmark meet here
                    results.setdefault(key(b["name"]), {}).update(b)
    return results


def value(b, field, unit):
    if field in ("real_time", "cpu_time"):
        return b[field] * SCALE[b["time_unit"]]
    if field == "bytes_per_second":
        return b[field] / 1e6
    return b[field]


def ratio(over, under, field):
    if over is None or under is None or field not in over or field not in under:
        return None
    return value(over, field, "") / value(under, field, "")


def main():
    args = sys.argv[1:]
    only_run = args[0] == "--only-run"
    if only_run:
        args = args[1:]
    targets = [l.rstrip("\n").split("\t") for l in open(args[0]) if l.strip() and not l.startswith("#")]
    results = load_results(args[1:])
    counted = any("instructions" in b for b in results.values())
    rows = [("Figure", "Target", "Result", "Instr/iter" if counted else "", "")]
    failed = judged = 0
    for name, figure, field, unit, op, limit in targets:
        names = name.split(" / ")
        found = [results.get(n) for n in names]
        if only_run and any(b is None for b in found):
            continue
        instr = ""
        if len(names) == 2:
            r = ratio(*found, "instructions")
            instr = "" if r is None else f"{r:.3f} x"
            v = ratio(*found, field)
        else:
            b = found[0]
            v = None if b is None or field not in b else value(b, field, unit)
            if b is not None and "instructions" in b:
                instr = f"{b['instructions'] / 1e6:,.1f} M"
        if field == "instructions" and not counted:
            rows.append((figure, f"{op} {limit} {unit}", "needs --instructions", "", "-"))
            continue
        judged += 1
        if v is None:
            rows.append((figure, f"{op} {limit} {unit}", "not run", instr, "MISSING"))
            failed += 1
            continue
        lim = float(limit)
        ok = {"<=": v <= lim, ">=": v >= lim, "<": v < lim, "report": True}[op]
        target = "report" if op == "report" else f"{op} {limit} {unit}"
        rows.append((figure, target, f"{v:.3f} {unit}", instr, "ok" if ok else "OVER"))
        failed += not ok
    widths = [max(len(r[i]) for r in rows) for i in range(5)]
    for r in rows:
        print("  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip())
    print(f"\n{judged - failed} within target, {failed} not")


main()
