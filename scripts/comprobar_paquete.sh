#!/usr/bin/env bash
# Builds the Debian package (scripts/paquete.sh) and checks it as a school's PC would get it:
# the files in their places, the control fields, the menu entry and software-centre entry
# through their validators, and the installed programs, unpacked into a temporary root, at
# work: alkor-cli writes a template and alkor opens it under Xvfb and paints its bench.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/paquete.sh"
deb="$(ls "$raiz"/out/alkor_*.deb)"

fallo() {
    echo "comprobar_paquete: $*" >&2
    exit 1
}

id=com.korvexsoft.Alkor
lista="$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')"
for f in /usr/bin/alkor /usr/bin/alkor-cli \
    /usr/share/applications/$id.desktop \
    /usr/share/mime/packages/$id.xml \
    /usr/share/metainfo/$id.metainfo.xml \
    /usr/share/man/es/man1/alkor.1.gz /usr/share/man/es/man1/alkor-cli.1.gz \
    /usr/share/man/man1/alkor.1.gz /usr/share/man/man1/alkor-cli.1.gz \
    /usr/share/doc/alkor/copyright /usr/share/doc/alkor/changelog.gz; do
    grep -qx "$f" <<<"$lista" || fallo "falta $f en el paquete"
done
for n in apps/$id mimetypes/application-x-alkor-practica mimetypes/application-x-alkor-plantilla; do
    for f in scalable/$n.svg 48x48/$n.png 256x256/$n.png; do
        grep -qx "/usr/share/icons/hicolor/$f" <<<"$lista" || fallo "falta el icono $f"
    done
done
# Nothing outside /usr, and no tests, benchmarks or build tools.
if grep -v '^/usr/' <<<"$lista" | grep -qv '^/$'; then fallo "archivos fuera de /usr"; fi
if grep -Eq 'tst_|bench_|hoja_equipo|svg_a_png' <<<"$lista"; then fallo "sobran archivos"; fi

[ "$(dpkg-deb -f "$deb" Package)" = alkor ] || fallo "nombre del paquete"
[ "$(dpkg-deb -f "$deb" Section)" = education ] || fallo "sección"
depende="$(dpkg-deb -f "$deb" Depends)"
for d in libqt6widgets6 libqt6svg6 qt6-translations-l10n fonts-liberation2; do
    grep -q "\b$d\b" <<<"$depende" || fallo "no depende de $d: $depende"
done

raiz_tmp="$(mktemp -d)"
trap 'rm -rf "$raiz_tmp"' EXIT
dpkg-deb -x "$deb" "$raiz_tmp"
desktop-file-validate "$raiz_tmp/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$raiz_tmp/usr/share/metainfo/$id.metainfo.xml"

# The installed programs read nothing from the source or build folders: no path to them is
# compiled in.
for b in alkor alkor-cli; do
    if grep -qaF "$raiz" "$raiz_tmp/usr/bin/$b"; then fallo "$b lleva la ruta $raiz"; fi
done

plantilla="$raiz_tmp/titulacion.akp"
"$raiz_tmp/usr/bin/alkor-cli" plantilla 903 "$plantilla"
"$raiz_tmp/usr/bin/alkor-cli" info "$plantilla" | grep -q 'Titulación ácido base' \
    || fallo "alkor-cli no escribió la plantilla 903"

# Started from another folder, as the desktop starts it, with the template to open.
medida="$(cd "$raiz_tmp" && timeout 180 xvfb-run -a -s '-screen 0 1280x800x24' \
    "$raiz_tmp/usr/bin/alkor" --medir "$plantilla" 2>&1 >/dev/null)" \
    || fallo "alkor --medir terminó con error: $medida"
grep -q '^primera mesa pintada' <<<"$medida" || fallo "alkor no pintó la mesa: $medida"
[ "$(grep -c '^pintado de la mesa' <<<"$medida")" -eq 5 ] || fallo "pintados: $medida"
grep -q '^práctica en la mesa: «Titulación ácido base»' <<<"$medida" \
    || fallo "alkor no abrió la plantilla: $medida"
grep -v '^pintado de la mesa' <<<"$medida"

echo "Paquete comprobado: $(basename "$deb"), $(dpkg-deb -f "$deb" Installed-Size) KiB instalado"
