#!/bin/bash
# Renders the interface pictures (res/iconos, res/imagenes) into the PNG previews of this folder.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick. Run from anywhere:
#   bash docs/ui-preview/render_ui.sh
set -e
cd "$(dirname "$0")/../.."
OUT=docs/ui-preview
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
FONT=$(fc-match -f '%{file}' 'Liberation Sans')
FONTB=$(fc-match -f '%{file}' 'Liberation Sans:bold')
GRIS='#f0f0f0'

# toolbar icons, in the order of the toolbar's buttons
ICONOS=(iniciar abrir guardar agua reactivo indicador vaso250 erlenmeyer250 matrazbola bureta50
        matrazgases tuboensaye pipetavolumetrica agitador parrilla termometro phmetro balanza
        decantar transferir)
for n in "${ICONOS[@]}"; do
  rsvg-convert -w 32 -h 32 "res/iconos/$n.svg" -o "$TMP/$n.png"
  convert "$TMP/$n.png" -background "$GRIS" -flatten "$TMP/$n-c.png"
  convert "$TMP/$n.png" -modulate 100,30 -background "$GRIS" -flatten "$TMP/$n-g.png"
  # one cell: the name, the greyed icon (normal), the coloured icon (under the mouse)
  convert -size 96x116 xc:"$GRIS" \
    "$TMP/$n-g.png" -geometry +10+30 -composite \
    "$TMP/$n-c.png" -geometry +54+30 -composite \
    -font "$FONT" -pointsize 10 -fill '#2f3b47' -gravity north -annotate +0+6 "$n" \
    -gravity south -fill '#5f6b77' -annotate +0+18 'normal    ratón' \
    "$TMP/cell-$n.png"
done
montage "${ICONOS[@]/#/$TMP/cell-}" -tile 10x -geometry +1+1 -background '#c9d1d9' "$TMP/celdas.png" 2>/dev/null || \
  montage $(for n in "${ICONOS[@]}"; do echo "$TMP/cell-$n.png"; done) -tile 10x -geometry +1+1 -background '#c9d1d9' "$TMP/celdas.png"
# the two bars as the program shows them: all greyed, and all in colour
convert $(for n in "${ICONOS[@]}"; do echo "$TMP/$n-g.png"; done) -background "$GRIS" -splice 8x0 +append -gravity east -splice 8x0 \
  -gravity north -splice 0x8 -gravity south -splice 0x8 "$TMP/barra-g.png"
convert $(for n in "${ICONOS[@]}"; do echo "$TMP/$n-c.png"; done) -background "$GRIS" -splice 8x0 +append -gravity east -splice 8x0 \
  -gravity north -splice 0x8 -gravity south -splice 0x8 "$TMP/barra-c.png"
convert -background white -fill '#2f3b47' -font "$FONTB" -pointsize 13 label:'Barra de herramientas: normal (gris) y bajo el ratón (color), a 32 px' "$TMP/t1.png"
convert "$TMP/t1.png" "$TMP/barra-g.png" "$TMP/barra-c.png" "$TMP/celdas.png" -background white -gravity west -splice 10x0 -gravity center -append \
  -bordercolor white -border 10 "$OUT/toolbar.png"
# enlarged, to check the pixels
convert "$TMP/barra-g.png" "$TMP/barra-c.png" -append -filter point -resize 300% "$OUT/toolbar-3x.png"

# application icon at 16, 24, 32, 48 and 64 px, and the 16 and 32 px ones enlarged
for s in 16 24 32 48 64; do rsvg-convert -w $s -h $s res/iconos/alkor.svg -o "$TMP/alkor$s.png"; done
convert "$TMP/alkor16.png" -filter point -resize 400% "$TMP/alkor16x4.png"
convert "$TMP/alkor32.png" -filter point -resize 200% "$TMP/alkor32x2.png"
convert -background white "$TMP/alkor16.png" "$TMP/alkor24.png" "$TMP/alkor32.png" "$TMP/alkor48.png" "$TMP/alkor64.png" \
  "$TMP/alkor16x4.png" "$TMP/alkor32x2.png" -background white -gravity west -splice 16x0 -gravity south +append \
  -gravity northwest -splice 0x22 -font "$FONT" -pointsize 11 -fill '#2f3b47' \
  -annotate +16+4 '16, 24, 32, 48 y 64 px; 16 px ampliado x4 y 32 px ampliado x2' \
  -bordercolor white -border 12 "$OUT/alkor.png"

# splash picture, 1x
rsvg-convert res/imagenes/presentacion.svg -o "$OUT/presentacion.png"

# about picture, 1x, with sample white notice lines in 12 px Arial at x = 10 from y = 320 (six lines,
# then two more two lines further down), a sample link centred in (140,16)-(290,60) and a stand-in
# for the "Aceptar" button 10 px from the right and top edges
rsvg-convert res/imagenes/acercade.svg -o "$TMP/acercade.png"
rsvg-convert -w 16 -h 16 res/imagenes/aceptar.svg -o "$TMP/aceptar16.png"
convert "$TMP/acercade.png" -font "$FONT" -fill white -pointsize 12 \
  -annotate +10+331 'Alkor Vol. 1 - Laboratorio virtual de química' \
  -annotate +10+345 'Versión 1.0' \
  -annotate +10+359 'Línea de aviso 3: derechos del autor' \
  -annotate +10+373 'Línea de aviso 4: licencia de uso' \
  -annotate +10+387 'Línea de aviso 5' \
  -annotate +10+401 'Línea de aviso 6' \
  -annotate +10+443 'Línea de aviso 7 (dos líneas más abajo)' \
  -annotate +10+457 'Línea de aviso 8' \
  -pointsize 18 -gravity north -annotate -15+19 'www.ejemplo.org' -gravity northwest \
  -fill '#e6e6e6' -stroke '#8a8a8a' -draw 'roundrectangle 372,10 450,32 3,3' -stroke none \
  "$TMP/aceptar16.png" -geometry +377+13 -composite \
  -fill black -pointsize 12 -annotate +396+14 'Aceptar' \
  "$OUT/acercade.png"

# button pictures and the pour cursor, 1x and 4x
BOTONES=(aceptar abrir cancelar marco procedimiento resultados imprimir practica)
for n in "${BOTONES[@]}" verter; do
  rsvg-convert "res/imagenes/$n.svg" -o "$TMP/b-$n.png"
done
convert $(for n in "${BOTONES[@]}"; do echo "$TMP/b-$n.png"; done) -background none -gravity center -extent 20x20 \
  -background '#e6e6e6' -alpha remove -alpha off -gravity west -splice 8x0 +append -gravity east -splice 8x0 \
  -gravity north -splice 0x8 -gravity south -splice 0x8 +repage "$OUT/botones.png"
convert "$OUT/botones.png" -filter point -resize 400% "$OUT/botones-4x.png"
# cursor on the white bench and over a blue liquid
convert -size 40x40 xc:white "$TMP/b-verter.png" -geometry +4+4 -composite "$TMP/v1.png"
convert -size 40x40 xc:'#9db8ee' "$TMP/b-verter.png" -geometry +4+4 -composite "$TMP/v2.png"
convert "$TMP/v1.png" "$TMP/v2.png" -background '#c9d1d9' -splice 4x0 +append "$OUT/verter.png"
convert "$OUT/verter.png" -filter point -resize 400% "$OUT/verter-4x.png"
mogrify +repage -depth 8 "$OUT"/*.png
echo "previews written to $OUT"
