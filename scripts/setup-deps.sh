#!/bin/bash
# The set-up step of the run, test and release commands, and the only one that
# needs root: run as root, or as a user through sudo. Idempotent: when
# everything is there it only checks and returns, and asks sudo for nothing.
#   setup-deps.sh               the Debian packages of scripts/packages.txt
#   setup-deps.sh --for-tests   also wine32 (where this machine runs i386
#                               programs) and a running CUPS with the PDF queue
#                               "VexalPDF" that the print tests print to
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
for_tests=false
[[ "${1:-}" == --for-tests ]] && for_tests=true

mapfile -t wanted < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$here/packages.txt" | grep -v '^$')
if $for_tests; then
  if vexal_runs_i386; then
    wanted+=(wine32:i386)  # the 32-bit program's run under 32-bit Wine
  else
    echo "setup-deps: this machine does not run i386 programs: no wine32; the 32-bit" \
      "program is built but not run"
  fi
fi

missing=()
for pkg in "${wanted[@]}"; do
  status="$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)"
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done

as_root() {
  if [[ "$(id -u)" == 0 ]]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "setup-deps: need root (or sudo) for: $*" >&2
    exit 1
  fi
}

if ((${#missing[@]} > 0)); then
  echo "setup-deps: installing ${missing[*]}"
  if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" </dev/null
fi

if $for_tests; then
  # cups-pdf writes each job to the printing user's ~/PDF. lpstat speaks the
  # user's language: its English words are asked for.
  if ! LC_ALL=C lpstat -r 2>/dev/null | grep -q "is running"; then
    as_root cupsd
    for _ in $(seq 100); do
      LC_ALL=C lpstat -r 2>/dev/null | grep -q "is running" && break
      sleep 0.1
    done
  fi
  if ! lpstat -v VexalPDF >/dev/null 2>&1; then
    as_root lpadmin -p VexalPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  fi
fi
