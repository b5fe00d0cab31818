#!/usr/bin/env bash
# Fails when a file of the core (tarvik_core: protocol, records, session,
# serial, files, simulator...) includes a Qt header: the core must build and
# run without Qt. Reads the sources of tarvik_core from the build's compile
# commands, and checks them and the headers they include from src/ and sim/.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
python3 - "$build/compile_commands.json" <<'PY'
import json, os, re, sys
root = os.getcwd()
inc = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)
qt = re.compile(r'^(Q[A-Za-z]+|Qt[A-Za-z]*/.*|q[a-z]+\.h)$')
todo = [e["file"] for e in json.load(open(sys.argv[1])) if "/tarvik_core.dir/" in e.get("output", e.get("command", ""))]
seen, bad = set(), []
while todo:
    f = os.path.realpath(todo.pop())
    if f in seen or not os.path.exists(f):
        continue
    seen.add(f)
    for name in inc.findall(open(f, encoding="utf-8", errors="replace").read()):
        if qt.match(name):
            bad.append(f"{os.path.relpath(f, root)}: {name}")
        for base in ("src", "sim", "."):
            p = os.path.join(root, base, name)
            if os.path.exists(p):
                todo.append(p)
                break
if bad:
    print("core files that include Qt headers:\n  " + "\n  ".join(sorted(bad)))
    sys.exit(1)
print(f"core: {len(seen)} files, no Qt header")
PY
