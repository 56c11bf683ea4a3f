#!/usr/bin/env bash
# Installs what is missing, builds Alkor and runs the whole test suite through CTest, first
# in Release and then with AddressSanitizer and UndefinedBehaviorSanitizer.
# ALKOR_SIN_SANITIZADORES=1 skips the second pass.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/dependencias.sh"
nucleos="$(nproc)"

cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$raiz/build" -j"$nucleos"
(cd "$raiz/build" && ctest --output-on-failure -j"$nucleos")

# --- Packaging: the Debian package, built from this Release build and checked unpacked ---
"$raiz/scripts/comprobar_paquete.sh"
# --- end of packaging ---

if [ "${ALKOR_SIN_SANITIZADORES:-0}" != "1" ]; then
    cmake -S "$raiz" -B "$raiz/build-asan" -DCMAKE_BUILD_TYPE=Debug -DALKOR_SANITIZE=ON
    cmake --build "$raiz/build-asan" -j"$nucleos"
    (cd "$raiz/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j"$nucleos")
fi
