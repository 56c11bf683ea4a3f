#!/usr/bin/env bash
# Installs what is missing, checks the sources' format and layers, builds Alkor and runs the
# whole test suite through CTest, first in Release and then with AddressSanitizer and
# UndefinedBehaviorSanitizer; then builds the fuzz targets with clang and runs each for a minute on its seeds.
# ALKOR_SIN_SANITIZADORES=1 skips the second pass, ALKOR_SIN_FUZZ=1 the fuzzing;
# ALKOR_FUZZ_SEGUNDOS sets the time per fuzz target (60).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/dependencias.sh"
nucleos="$(nproc)"

# Formatting and the layers' includes, before spending time on a build.
"$raiz/scripts/comprobar_fuentes.sh"

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

if [ "${ALKOR_SIN_FUZZ:-0}" != "1" ]; then
    CC=clang CXX=clang++ cmake -S "$raiz" -B "$raiz/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DALKOR_FUZZ=ON -DALKOR_BUILD_TESTS=OFF -DALKOR_BUILD_BENCHMARKS=OFF
    cmake --build "$raiz/build-fuzz" -j"$nucleos" --target alkor_fuzz
    "$raiz/fuzz/ejecutar.sh" "$raiz/build-fuzz" "${ALKOR_FUZZ_SEGUNDOS:-60}"
fi
