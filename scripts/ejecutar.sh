#!/usr/bin/env bash
# Installs what is missing, builds Alkor in Release and starts it.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$raiz/build" -j"$(nproc)"

if [ -x "$raiz/build/app/alkor" ]; then
    exec "$raiz/build/app/alkor" "$@"
elif [ -x "$raiz/build/tools/alkor-cli" ]; then
    echo "La ventana principal de Alkor aún no está construida; se inicia la herramienta de línea de órdenes."
    exec "$raiz/build/tools/alkor-cli" --help
else
    echo "Alkor está compilado, pero la ventana principal aún no está construida."
    echo "Por ahora el modelo químico se prueba con: scripts/probar.sh"
fi
