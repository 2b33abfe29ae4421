#!/usr/bin/env bash
# Puts the demo stand-ins for the outside programs into a working folder:
#   tools/demo-standins.sh <working folder>
# "ZIDodur" copies a sent job archive into <working folder>/Outbox;
# "Veltrane.Exe" and "Kelvaro3D.Exe" note the script record they were given
# in <working folder>/Companion.log. "ZezuzIzov" is not installed, so jobs go
# out through ZIDodur with their archive path.
# The demo scanner stands at every program path the scanner settings name by
# default (under <working folder>/External/) and as StartScanner.Exe; it
# leaves sample feet made by solvane_make_samples ($SOLVANE_MAKE_SAMPLES, else
# the one built in build/ by tools/run.sh) in <working folder>/External/DemoScanner;
# without it the scanner is installed but has no feet to leave. It plays the
# Ruru-Zirorur, LSR and Pellmar programs (see demo-standins/Scanner).
set -euo pipefail
if [ "$#" -ne 1 ]; then
  echo "usage: $0 <working folder>" >&2
  exit 2
fi
src="$(cd "$(dirname "$0")" && pwd)/demo-standins"
mkdir -p -- "$1/Outbox" "$1/Jobs"
dest=$(cd -- "$1" && pwd)
install -m 755 -- "$src/ZIDodur" "$dest/ZIDodur"
install -m 755 -- "$src/Veltrane.Exe" "$dest/Veltrane.Exe"
install -m 755 -- "$src/Veltrane.Exe" "$dest/Kelvaro3D.Exe"

samples="$dest/External/DemoScanner"
mkdir -p -- "$samples"
maker=${SOLVANE_MAKE_SAMPLES:-$src/../../build/src/views3d/samples/solvane_make_samples}
if [ -x "$maker" ]; then
  "$maker" "$samples" >/dev/null
else
  echo "demo-standins: no solvane_make_samples; the demo scanner has no sample feet" >&2
fi
scanner_at() {
  mkdir -p -- "$(dirname -- "$1")"
  sed -e "s|@DEMO_SAMPLES@|$samples|" -e "s|@DEMO_HOME@|$dest|" "$src/Scanner" > "$1"
  chmod 755 -- "$1"
}
scanner_at "$dest/External/Scansoft/Bin/Scansoft.exe"
scanner_at "$dest/External/LSR 3D Foot Scan/Bin/LSR_3D_Foot_Scan.exe"
scanner_at "$dest/External/KOVA_Datastore/PellmarBrennickScannerControlPopUp.V0.99b.exe"
scanner_at "$dest/External/Program Files/Scansoft/Bin/Scansoft.exe"
scanner_at "$dest/StartScanner.Exe"
mkdir -p -- "$dest/External/KOVA_Datastore/DataDrop"
