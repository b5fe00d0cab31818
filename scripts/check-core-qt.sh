#!/usr/bin/env bash
# Fails when a file of the core (src/core, src/logger, sim) includes a Qt
# header: the core builds and runs without Qt. The include roots keep the
# core from reaching a src/ui header at all; this catches a Qt one.
set -euo pipefail
cd "$(dirname "$0")/.."
if bad=$(grep -rnE '^\s*#\s*include\s*<Q' src/core src/logger sim); then
  printf 'core files that include Qt headers:\n%s\n' "$bad"
  exit 1
fi
echo "core: $(find src/core src/logger sim -name '*.h' -o -name '*.cpp' | wc -l) files, no Qt header"
