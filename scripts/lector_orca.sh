#!/usr/bin/env bash
# Runs the screen-reader check of tests/accesibilidad/lector.py with the screen reader itself
# (Orca, silent: what it would say goes to its debug log), and prints what it said of the
# bench's notices. Not run by CI: the reader's timing on a loaded machine varies.
#   scripts/lector_orca.sh [build] [registro]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$raiz/build}"
registro="${2:-$build/lector-orca.log}"
xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- /usr/bin/python3 \
    "$raiz/tests/accesibilidad/lector.py" "$build/app/alkor" \
    "$raiz/tests/datos/fijas/plantilla_903.akp" --orca "$registro"
grep -a "SPEECH OUTPUT" "$registro" | cut -c17-
