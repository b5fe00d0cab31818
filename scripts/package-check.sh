#!/usr/bin/env bash
# Builds the Debian package from an already built build folder (no compiling),
# installs it with apt-get, runs the installed programs away from the source
# tree, validates the menu entry, the metainfo, the udev rule and the logger's
# unit, and removes the package again. Usage: scripts/package-check.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
build=$(cd "${1:-build}" && pwd)

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    sudo=(sudo -n)
  else
    echo "package check: skipped (installing the package needs root or password-less sudo)"
    exit 0
  fi
fi

work=$(mktemp -d)
chmod 755 "$work" # apt's download user reads the package from here
installed=0
remove_package() {
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq tarvik >/dev/null
}
cleanup() {
  if [ "$installed" = 1 ]; then remove_package || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
check() { # check NAME COMMAND...: runs the command, its output kept for a failure
  local name=$1
  shift
  if out=$("$@" 2>&1); then
    passed=$((passed + 1))
    echo "package check: ok    $name"
  else
    failed=$((failed + 1))
    echo "package check: FAIL  $name"
    printf '%s\n' "$out" | sed 's/^/    /' | head -40
  fi
}
same() { [ "$1" = "$2" ] || { echo "expected '$2', got '$1'"; return 1; }; }
no_display() { env -i PATH=/usr/bin:/bin HOME="$work" "$@"; }

version=$(sed -nE 's/.*kTarvikVersion = "([^"]+)".*/\1/p' "$build/generated/TarvikVersion.h")
deb="$work/tarvik_${version}_$(dpkg --print-architecture).deb"
if ! (cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log"
  echo "package check: cpack failed"
  exit 1
fi
check "package name is tarvik_<version>_<arch>.deb" test -f "$deb"
check "Depends computed from the programs" sh -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6"

"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall --allow-downgrades "$deb" \
  >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }
installed=1
has_logger=0
dpkg -L tarvik | grep -qx /usr/bin/tarvik-logger && has_logger=1

id=org.tarvik.Tarvik
files=(/usr/bin/tarvik /usr/bin/tarvik-meter-sim "/usr/share/applications/$id.desktop"
  "/usr/share/metainfo/$id.metainfo.xml" "/usr/share/icons/hicolor/scalable/apps/$id.svg"
  /usr/lib/udev/rules.d/70-tarvik.rules /usr/share/man/man1/tarvik.1.gz /usr/share/man/man1/tarvik-meter-sim.1.gz)
for size in 16 32 48 64 128 256; do files+=("/usr/share/icons/hicolor/${size}x$size/apps/$id.png"); done
if [ "$has_logger" = 1 ]; then
  files+=(/usr/lib/systemd/system/tarvik-logger@.service)
  [ -f "$src/docs/man/tarvik-logger.1" ] && files+=(/usr/share/man/man1/tarvik-logger.1.gz)
fi
for f in "${files[@]}"; do check "installed $f" test -s "$f"; done

cd "$work" # nothing may come from the source or build tree
check "tarvik --version without a display" same "$(no_display /usr/bin/tarvik --version)" "tarvik $version"
check "tarvik --help without a display" sh -c "env -i /usr/bin/tarvik --help | grep -q -- --simulate"
check "tarvik --simulate --screenshot (offscreen)" sh -c \
  "env -i PATH=/usr/bin:/bin HOME='$work' QT_QPA_PLATFORM=offscreen timeout 60 /usr/bin/tarvik --simulate \
   --screenshot '$work/shot.png' && head -c 8 '$work/shot.png' | od -An -tx1 | grep -q '89 50 4e 47'"
check "tarvik-meter-sim gives a pseudo-terminal" sh -c \
  "timeout 10 /usr/bin/tarvik-meter-sim --hangup-after 1 </dev/null | grep -qx '/dev/pts/[0-9]*'"
if [ "$has_logger" = 1 ]; then
  check "tarvik-logger --help" no_display /usr/bin/tarvik-logger --help
  # The unit's own command line, as systemd would expand it for a meter on a
  # simulated terminal, with the state folder moved here and a sample count.
  unit_cmd=$(sed -n 's/^ExecStart=//p' /usr/lib/systemd/system/tarvik-logger@.service)
  coproc SIM { exec /usr/bin/tarvik-meter-sim --interval 100 --level 64.5 --hangup-after 30; }
  read -r pts <&"${SIM[0]}"
  unit_cmd=${unit_cmd//%f/$pts}
  unit_cmd=${unit_cmd//%i/meter}
  unit_cmd=${unit_cmd//%%/%}
  unit_cmd=${unit_cmd//\/var\/lib\/tarvik-logger/$work/state}
  unit_cmd=${unit_cmd//\$TARVIK_LOGGER_OPTS/--count 3}
  check "the logger's unit command records a meter" sh -c \
    "timeout 30 $unit_cmd && grep -qs '64.5' $work/state/meter/tarvik-*.txt"
  kill "$SIM_PID" 2>/dev/null || true
  wait "$SIM_PID" 2>/dev/null || true
  if command -v systemd-analyze >/dev/null; then
    cp /usr/lib/systemd/system/tarvik-logger@.service "$work/tarvik-logger@dev-ttyUSB0.service"
    check "systemd-analyze verify of the logger's unit" \
      systemd-analyze verify --man=no "$work/tarvik-logger@dev-ttyUSB0.service"
  fi
fi
check "desktop-file-validate" desktop-file-validate "/usr/share/applications/$id.desktop"
check "appstreamcli validate --no-net" appstreamcli validate --no-net "/usr/share/metainfo/$id.metainfo.xml"
if command -v udevadm >/dev/null && udevadm verify --help >/dev/null 2>&1; then
  check "udevadm verify" udevadm verify /usr/lib/udev/rules.d/70-tarvik.rules
else
  echo "package check: note  no 'udevadm verify' here (systemd < 254); the UdevRule tests check the rule"
fi
if command -v groff >/dev/null; then
  for page in $(dpkg -L tarvik | grep '^/usr/share/man/man1/.*\.1\.gz$'); do
    check "man page $(basename "$page") formats cleanly" sh -c "! zcat '$page' | groff -man -ww -z 2>&1 | grep ."
  done
fi
leaks=$(dpkg -L tarvik | while read -r f; do [ -f "$f" ] && grep -lF "$src" "$f"; done || true)
check "no build-tree path in the installed files" same "$leaks" ""

remove_package
installed=0
check "removed again" sh -c "! dpkg -s tarvik >/dev/null 2>&1 && [ ! -e /usr/bin/tarvik ] && \
  [ ! -e /usr/lib/udev/rules.d/70-tarvik.rules ]"

echo "package check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
