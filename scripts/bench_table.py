"""Prints the benchmark results against their targets as one table."""
import json
import sys

SCALE = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def load_results(paths):
    results = {}
    for path in paths:
        with open(path) as f:
            for b in json.load(f)["benchmarks"]:
                if b.get("run_type", "iteration") == "iteration":
                    results[b["name"].split("/manual_time")[0].split("/iterations:")[0]] = b
    return results


def value(b, field, unit):
    if field in ("real_time", "cpu_time"):
        return b[field] * SCALE[b["time_unit"]]
    if field == "bytes_per_second":
        return b[field] / 1e6
    return b[field]


def main():
    targets = [l.rstrip("\n").split("\t") for l in open(sys.argv[1]) if l.strip() and not l.startswith("#")]
    results = load_results(sys.argv[2:])
    rows = [("Figure", "Target", "Result", "")]
    failed = 0
    for name, figure, field, unit, op, limit in targets:
        if " / " in name:
            # a ratio of two figures of the same run
            over, under = (results.get(n) for n in name.split(" / "))
            b = None if over is None or under is None else {"ratio": value(over, field, "") / value(under, field, "")}
            field = "ratio"
        else:
            b = results.get(name)
        if b is None:
            rows.append((figure, f"{op} {limit} {unit}", "not run", "MISSING"))
            failed += 1
            continue
        v = value(b, field, unit)
        lim = float(limit)
        ok = {"<=": v <= lim, ">=": v >= lim, "<": v < lim, "report": True}[op]
        target = "report" if op == "report" else f"{op} {limit} {unit}"
        rows.append((figure, target, f"{v:.3f} {unit}", "ok" if ok else "OVER"))
        failed += not ok
    widths = [max(len(r[i]) for r in rows) for i in range(4)]
    for r in rows:
        print("  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip())
    print(f"\n{len(targets) - failed} within target, {failed} not")


main()
