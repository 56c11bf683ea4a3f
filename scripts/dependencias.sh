#!/usr/bin/env bash
# Installs, as root on Debian 12, the packages Alkor needs to build, test and run.
# The package lists are refreshed only when something is actually missing.
set -euo pipefail

PAQUETES=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libgl-dev qt6-translations-l10n
    libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    fonts-liberation2
    xvfb xauth
    # The screen-reader check: the accessibility bus, its Python client, a private D-Bus
    # session; the reader itself for scripts/lector_orca.sh.
    at-spi2-core python3-pyatspi gir1.2-gtk-3.0 dbus-x11 orca
)

# --- Packaging: building the Debian package and checking it (scripts/paquete.sh) ---
# dpkg-dev and file for CPack's shlibdeps, lintian, the desktop-file and AppStream validators,
# and Qt's own Spanish texts, which the installed program loads for its standard dialogs.
PAQUETES+=(
    dpkg-dev file lintian desktop-file-utils appstream
    qt6-translations-l10n
)
# --- end of packaging ---

faltan=()
for p in "${PAQUETES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        faltan+=("$p")
    fi
done

if [ ${#faltan[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Faltan paquetes (${faltan[*]}); ejecute este guion como root." >&2
    exit 1
fi

echo "Instalando: ${faltan[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${faltan[@]}"
