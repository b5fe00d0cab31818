#!/usr/bin/env bash
# Fails when a file of the core (src/core, src/logger, sim) includes a Qt
# header: the core builds and runs without Qt. The include roots keep the
# core from reaching a src/ui header at all; this catches a Qt one. Also
# fails when two folders under src/core and src/ui depend on each other,
# directly or round a longer loop.
set -euo pipefail
cd "$(dirname "$0")/.."
if bad=$(grep -rnE '^\s*#\s*include\s*<Q' src/core src/logger sim); then
  printf 'core files that include Qt headers:\n%s\n' "$bad"
  exit 1
fi
python3 - <<'PY'
import os, re, sys
inc = re.compile(r'^\s*#\s*include\s*"([a-z]+)/([A-Za-z0-9_]+\.h)"', re.M)
deps = {}
for root, sees in (("src/core", ("src/core",)), ("src/ui", ("src/ui", "src/core"))):
    for folder in sorted(os.listdir(root)):
        here = f"{root}/{folder}"
        if not os.path.isdir(here):
            continue
        for name in os.listdir(here):
            if not name.endswith((".h", ".cpp")):
                continue
            for concern, header in inc.findall(open(f"{here}/{name}", encoding="utf-8").read()):
                # the include root that holds the header, as the compiler finds it
                there = next((f"{r}/{concern}" for r in sees if os.path.exists(f"{r}/{concern}/{header}")), None)
                if there and there != here:
                    deps.setdefault(here, set()).add(there)

def loop_from(start):
    path, seen = [start], set()
    def walk(node):
        for nxt in sorted(deps.get(node, ())):
            if nxt == start:
                return path + [start]
            if nxt not in seen:
                seen.add(nxt)
                path.append(nxt)
                found = walk(nxt)
                if found:
                    return found
                path.pop()
        return None
    return walk(start)

for folder in sorted(deps):
    loop = loop_from(folder)
    if loop:
        print("folders that depend on each other: " + " -> ".join(loop))
        sys.exit(1)
PY
echo "core: $(find src/core src/logger sim -name '*.h' -o -name '*.cpp' | wc -l) files, no Qt header; no folder cycle"
