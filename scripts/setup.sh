#!/usr/bin/env bash
# Installs what Tarvik needs on Debian 12; does nothing when all is there.
set -euo pipefail
pkgs=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 poppler-utils clang libclang-rt-14-dev xvfb xauth python3 ccache locales)
# The workbook export and the tests that read it back.
pkgs+=(libxlsxwriter-dev pkgconf unzip)
# Qt's own dialogs in the program's Portuguese; LibreOffice renders exported workbooks in the tests.
pkgs+=(qt6-translations-l10n libreoffice-calc-nogui)
# lupdate and lrelease, and their CMake functions, for the English catalogue.
pkgs+=(qt6-l10n-tools qt6-tools-dev)
# Publishing to a message broker: the library, and a broker and clients for the tests.
pkgs+=(libmosquitto-dev mosquitto mosquitto-clients)
# The logger's TLS to the broker: the tests make their certificates with openssl.
pkgs+=(openssl)
# The logger's Prometheus metrics: the HTTP server library; curl and promtool for the tests.
pkgs+=(libmicrohttpd-dev curl prometheus)
# The logger's service unit rated by systemd-analyze security.
pkgs+=(systemd)
# Icons rendered at build time; the Debian package and its checks.
pkgs+=(librsvg2-bin dpkg-dev file desktop-file-utils appstream groff-base)
# Instruction counts of the benchmarks (bench.sh --instructions).
pkgs+=(valgrind)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
