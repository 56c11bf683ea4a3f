#!/usr/bin/env bash
# Installs what is missing, builds Alkor in Release and starts it.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$raiz/build" -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No hay una pantalla gráfica; Alkor se inicia en una pantalla virtual (xvfb-run)." >&2
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$raiz/build/app/alkor" "$@"
fi
exec "$raiz/build/app/alkor" "$@"
