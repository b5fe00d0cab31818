#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build; the whole suite
# under AddressSanitizer + UndefinedBehaviorSanitizer; the serial, receive
# and end-to-end tests under ThreadSanitizer; and, when clang is there, a
# bounded fuzzing run. Ends with one summary line of the test counts.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Comma-decimal locales, under which the view, file and print tests run again.
comma_locales=(pt_PT pl_PL de_DE)
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
for l in "${comma_locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "$l.utf-\?8" || $sudo_cmd localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
export TZ=UTC QT_QPA_PLATFORM=offscreen
logs=build-logs
mkdir -p "$logs"
t0=$SECONDS
# Each step's start, in minutes and seconds since the test command began.
step() { printf '== %s at %d:%02d\n' "$1" $(((SECONDS - t0) / 60)) $(((SECONDS - t0) % 60)); }
# Every pattern of a gtest filter must name at least one test of the binary,
# or a renamed test would drop out of a run without a word: each that names
# none is said and counted as a failure.
filters_failed=0
check_filter() {
  local pattern patterns listed
  IFS=: read -ra patterns <<<"$2"
  for pattern in "${patterns[@]}"; do
    listed=$("$1" --gtest_list_tests --gtest_filter="$pattern" 2>/dev/null || true)
    if ! grep -q '^  ' <<<"$listed"; then
      echo "$(basename "$1"): the filter $pattern matches no test"
      filters_failed=$((filters_failed + 1))
    fi
  done
}

step "normal build and suite"
scripts/build.sh build
# The core builds and runs without Qt: no file of it includes a Qt header.
scripts/check-core-qt.sh | tee "$logs/core-qt.log" || true
(cd build && ctest --output-on-failure -j 2) | tee "$logs/ctest.log" || true

step "comma locales"
# Numbers must not follow the user's locale: the view, file and print tests
# once more under each comma-decimal locale.
locale_ui='ViewFixture.*:PtyViewFixture.*:ReadoutFixture.*:DataFileMenu.*:MainFileCommandsTest.*'
locale_ui+=':DataLogDlgTest.*:Print*:GraphHostTest.*:RTSetupFixture.*:LiveReading*'
check_filter build/tests/tarvik_ui_tests "$locale_ui"
for l in "${comma_locales[@]}"; do
  log="$logs/gtest-locale-$l.log"
  if ! LC_ALL="$l.UTF-8" build/tests/tarvik_ui_tests --gtest_filter="$locale_ui" >"$log" 2>&1 &&
    ! grep -q '^\[  FAILED  \] [0-9]' "$log"; then
    echo '[  FAILED  ] 1 test, the run ended early' >>"$log"
  fi
  echo "$l.UTF-8: $(grep -E '^\[ *(PASSED|FAILED) *\] [0-9]+ test' "$log" | tr '\n' ' ')"
done
step "package check"
# The Debian package of the normal build: built, installed, run, validated, removed.
scripts/package-check.sh build | tee "$logs/package.log" || true

step "AddressSanitizer build and suite"
scripts/build.sh build-asan -DTARVIK_SANITIZE=address,undefined -DTARVIK_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j 2) | tee "$logs/ctest-asan.log" || true

step "ThreadSanitizer build and suites"
# ThreadSanitizer: the whole core suite (serial, receive, simulator, and the
# key repetition of KeyRepeatTest and SessionPtyTest) and the widget suite's
# tests that drive the view over a pseudo-terminal.
BUILD_TARGETS="tarvik_core_tests tarvik_ui_tests" scripts/build.sh build-tsan -DTARVIK_SANITIZE=thread -DTARVIK_BENCH=OFF
tsan_ui='SimulatedMeter.*:SimulatedDownload.*:HalfwayDownload.*:FaultTest.*:DownloadFaultTest.*'
tsan_ui+=':PtyViewFixture.*:DeviceArrivalWatcherTest.*:EndToEnd.*:RegistoFixture.*'
tsan_ui+=':LiveReadingTest.*'
check_filter build-tsan/tests/tarvik_ui_tests "$tsan_ui"
export TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/sanitizers/tsan.supp"
build-tsan/tests/tarvik_core_tests | tee "$logs/gtest-tsan-core.log" | grep -E '^\[ *(PASSED|FAILED) *\]|tests ran' || true
build-tsan/tests/tarvik_ui_tests --gtest_filter="$tsan_ui" | tee "$logs/gtest-tsan-ui.log" |
  grep -E '^\[ *(PASSED|FAILED) *\]|tests ran' || true
unset TSAN_OPTIONS

step "fuzzing"
if [ -x scripts/fuzz.sh ] && command -v clang++ >/dev/null; then
  scripts/fuzz.sh || fuzz_failed=1
fi

passed=0
failed=$((${fuzz_failed:-0} + filters_failed))
# A log without its summary line means the run ended early: one failure.
for f in "$logs"/ctest*.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$f" | tail -1 || true)
  if [ -z "$line" ]; then failed=$((failed + 1)); echo "$f: no summary"; continue; fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done
for f in "$logs"/gtest*.log; do
  n=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$f" | sed -E 's/.*\] ([0-9]+) test.*/\1/' || true)
  nf=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$f" | sed -E 's/.*\] ([0-9]+) test.*/\1/' || true)
  if [ -z "$n$nf" ]; then failed=$((failed + 1)); echo "$f: no summary"; continue; fi
  passed=$((passed + ${n:-0}))
  failed=$((failed + ${nf:-0}))
done
if line=$(grep -E '^package check: [0-9]+ passed' "$logs/package.log"); then
  passed=$((passed + $(sed -E 's/.*: ([0-9]+) passed.*/\1/' <<<"$line")))
  failed=$((failed + $(sed -E 's/.*passed, ([0-9]+) failed.*/\1/' <<<"$line")))
else
  failed=$((failed + 1))
  echo "$logs/package.log: no summary"
fi
if grep -q 'no Qt header' "$logs/core-qt.log"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi
step "done"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
