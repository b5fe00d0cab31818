"""Instructions per iteration of the timed loop, from callgrind runs.

bench_instructions.py OUT.json RUN...: each RUN is a prefix; RUN.cg is the
callgrind output of one benchmark (dumps combined, a dump on entering
StartKeepRunning, PauseTiming and FinishKeepRunning, costs zeroed on
entering ResumeTiming) and RUN.json that run's benchmark output. Writes the
figures as a benchmark output file that bench_table.py merges by name.
"""
import json
import sys


def loop_instructions(path):
    """Instructions of each timed loop (batch), paused stretches left out."""
    batches, acc, in_loop, trigger = [], 0, False, ""
    with open(path) as f:
        for line in f:
            if line.startswith("desc: Trigger:"):
                trigger = line
            elif line.startswith("summary:"):
                n = int(line.split()[1])
                if "StartKeepRunning" in trigger:  # the setup before the loop is dropped
                    acc, in_loop = 0, True
                elif "PauseTiming" in trigger:  # FinishKeepRunning pauses too, outside the loop
                    acc += n if in_loop else 0
                elif "FinishKeepRunning" in trigger and in_loop:
                    batches.append(acc + n)
                    acc, in_loop = 0, False
    return batches


def main():
    out = []
    for run in sys.argv[2:]:
        batches = loop_instructions(run + ".cg")
        with open(run + ".json") as f:
            results = [b for b in json.load(f)["benchmarks"] if b.get("run_type", "iteration") == "iteration"]
        if not batches or len(results) != 1:
            print(f"{run}: no timed loop found", file=sys.stderr)
            continue
        b = results[0]
        # the reported figures are those of the last batch
        out.append({"name": b["name"], "run_type": "iteration", "instr_iterations": b["iterations"],
                    "instructions": batches[-1] / b["iterations"]})
    with open(sys.argv[1], "w") as f:
        json.dump({"benchmarks": out}, f, indent=1)


main()
