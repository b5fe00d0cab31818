#!/usr/bin/env bash
# Sets up, builds and starts Tarvik on its built-in simulated meter.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
exec build/tarvik-console "$@"
