#!/usr/bin/env bash
# Puts the demo stand-ins for the outside programs into a working folder:
#   tools/demo-standins.sh <working folder>
# "ZIDodur" copies a sent job archive into <working folder>/Outbox;
# "Veltrane.Exe" and "Kelvaro3D.Exe" note the script record they were given
# in <working folder>/Companion.log. "ZezuzIzov" is not installed, so jobs go
# out through ZIDodur with their archive path.
set -euo pipefail
if [ "$#" -ne 1 ]; then
  echo "usage: $0 <working folder>" >&2
  exit 2
fi
src="$(cd "$(dirname "$0")" && pwd)/demo-standins"
dest=$1
mkdir -p -- "$dest/Outbox" "$dest/Jobs"
install -m 755 -- "$src/ZIDodur" "$dest/ZIDodur"
install -m 755 -- "$src/Veltrane.Exe" "$dest/Veltrane.Exe"
install -m 755 -- "$src/Veltrane.Exe" "$dest/Kelvaro3D.Exe"
