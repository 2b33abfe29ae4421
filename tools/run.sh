#!/usr/bin/env bash
# Installs what is missing, builds, prepares a demo working folder when there
# is none yet, adds the drawing tools' installation data the working folder
# lacks, and starts the program with the arguments given here.
#   tools/run.sh            start normally
#   tools/run.sh -d         keep the working files after a job is sent
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

home="${SOLVANE_HOME:-$HOME/3DEriruvu}"
if [ ! -e "$home" ]; then
  echo "run: preparing a demo working folder in $home"
  # Two clinics (users), so a job can be moved between them with "Tools".
  mkdir -p "$home/Data/DemoClinic" "$home/Data/NorthClinic" "$home/Jobs" "$home/Archive"
  # Text files the program reads are CR LF, as on the clinic PCs.
  printf 'DEMO\r\nA0000\r\n0001\r\nDemoClinic\r\nNorthClinic\r\n' > "$home/Solvane.Cfg"
  printf 'Podiatrists\r\nDr Ann Lee\r\nDr Tom Hart\r\nDr Mia Chen\r\nEnd\r\n' > "$home/Podiatrist.Cfg"
  printf 'Clinics\r\nDemo Clinic;1 High Street;Townsville\r\nNorth Clinic;5 Park Road;Townsville\r\nEnd\r\n' > "$home/Clinic.Cfg"
  # The clinic's option table: the EVA window's lists and the option-table print.
  cp tools/demo-home/Solvane.Tbl "$home/Solvane.Tbl"
  # The rigid window's option table and the help pages of its grid rows.
  cp tools/demo-home/Solvane_Rigids.Tbl tools/demo-home/Help_Links.Cfg "$home/"
  cp -r tools/demo-home/RigidHelp "$home/RigidHelp"
  # Made-up feet (from formulas, no person's scan) so a foot can be loaded at once.
  build/src/views3d/samples/solvane_make_samples "$home/Data/DemoClinic"
  # One complete job (scans, models, photos, record) named as the scanners'
  # pick-ups name a job's files, to try "Tools" (moving a job) on.
  SOLVANE_HOME="$home" build/src/views3d/samples/solvane_make_samples --job "$home/Data/DemoClinic"
  # Stand-in sender and companion: a job sent from the demo lands in Outbox/.
  bash tools/demo-standins.sh "$home"
fi

# The drawing tools' installation data (template outlines, feature blocks and
# their icons, Graphics.Lib, GraphicImage.Jpg), for a new working folder and
# an older one alike: only missing files are added, none is ever replaced.
added=$(build/src/drawing/installdata/solvane_make_drawing_data "$home")
if [ -n "$added" ]; then
  echo "run: added the drawing tools' installation data to $home"
fi

export SOLVANE_HOME="$home"
exec build/src/app/solvane "$@"
