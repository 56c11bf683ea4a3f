#!/usr/bin/env bash
# Builds the Debian package of Alkor (out/alkor_VERSION_ARCH.deb) from a Release build and
# runs lintian on it. ALKOR_BUILD names another build folder (default: build).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/dependencias.sh"
build="${ALKOR_BUILD:-$raiz/build}"
salida="$raiz/out"

cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=Release
# Only what goes into the package.
cmake --build "$build" -j"$(nproc)" --target alkor alkor-cli alkor_empaquetado
mkdir -p "$salida"
rm -f "$salida"/alkor_*.deb
(cd "$build" && cpack -G DEB -B "$salida" >/dev/null)
rm -rf "$salida/_CPack_Packages"
deb="$(ls "$salida"/alkor_*.deb)"
echo "Paquete: $deb"

# Errors and warnings fail the build; a warning kept on purpose is listed, with the reason, in
# packaging/lintian.txt.
lintian --fail-on error,warning --suppress-tags-from-file "$raiz/packaging/lintian.txt" "$deb"
