#!/usr/bin/env python3
"""Renders the pictures of res/pictures/ into PNG previews beside this script.

For every picture: NAME.png (1x) and NAME-4x.png, the picture layer on the white bench.
For vessels also NAME-layers-4x.png: picture | interior | overlay, side by side, the way the
program lays out a vessel's strip.  Then sheet.png, a labelled contact sheet at 1x, and
sheet-2x.png.  Needs rsvg-convert (librsvg2-bin) and ImageMagick's montage.

    python3 docs/pictures-preview/render_previews.py
"""

import os
import re
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.normpath(os.path.join(HERE, '..', '..', 'res', 'pictures'))
LAYERS = ('picture', 'interior', 'overlay')

# catalogue order: vessels by type code, then heat sources and instruments, flame, textures
ORDER = ['vaso100', 'vaso250', 'vaso600', 'erlenmeyer100', 'erlenmeyer250', 'matrazbalon',
         'probeta10', 'probeta100', 'tuboensaye', 'vidrioreloj', 'crisol', 'calorimetro',
         'matrazgases', 'bureta10', 'bureta50', 'pipetagraduada', 'pipetavolumetrica',
         'cabezadestilacion', 'condensador', 'cododestilacion', 'filtrobuchner',
         'tubovidrio_derecha', 'tubovidrio_izquierda', 'condensadorreflujo',
         'tapacalorimetro', 'mechero', 'parrilla', 'agitador', 'termometro', 'phmetro',
         'balanza', 'conductimetro', 'banohielo', 'llama1', 'llama2', 'llama3', 'llama4',
         'textura500', 'textura501', 'textura502', 'textura503', 'textura504', 'textura505',
         'textura506']


def only(svg_text, keep):
    for layer in LAYERS:
        if layer != keep:
            svg_text = svg_text.replace('<g id="%s"' % layer, '<g id="%s" display="none"' % layer)
    return svg_text


def rsvg(svg_text, out, zoom, tmp):
    src = os.path.join(tmp, 'in.svg')
    with open(src, 'w', encoding='utf-8') as f:
        f.write(svg_text)
    subprocess.run(['rsvg-convert', '-z', str(zoom), '-b', 'white', '-o', out, src], check=True)


def main():
    files = [os.path.join(SRC, name + '.svg') for name in ORDER
             if os.path.exists(os.path.join(SRC, name + '.svg'))]
    with tempfile.TemporaryDirectory() as tmp:
        sheet = []
        for path in files:
            name = os.path.splitext(os.path.basename(path))[0]
            text = open(path, encoding='utf-8').read()
            vessel = '<g id="interior"' in text
            pic = only(text, 'picture') if vessel else text
            zoom4 = 4 if not name.startswith('textura') else 8
            rsvg(pic, os.path.join(HERE, name + '.png'), 1, tmp)
            rsvg(pic, os.path.join(HERE, '%s-4x.png' % name), zoom4, tmp)
            sheet.append(os.path.join(HERE, name + '.png'))
            if vessel:
                parts = []
                for layer in LAYERS:
                    out = os.path.join(tmp, '%s-%s.png' % (name, layer))
                    rsvg(only(text, layer), out, 4, tmp)
                    parts.append(out)
                subprocess.run(['montage'] + parts + ['-tile', '3x1', '-geometry', '+6+0',
                                                      '-background', '#e6e9ec',
                                                      os.path.join(HERE, '%s-layers-4x.png' % name)],
                               check=True)
        subprocess.run(['montage', '-label', '%t'] + sheet +
                       ['-font', 'Liberation-Sans', '-pointsize', '10', '-tile', '9x',
                        '-geometry', '196x256>+4+4', '-background', 'white',
                        os.path.join(HERE, 'sheet.png')], check=True)
        big = [re.sub(r'\.png$', '-4x.png', s) for s in sheet]
        subprocess.run(['montage', '-label', '%t'] + big +
                       ['-font', 'Liberation-Sans', '-pointsize', '14', '-tile', '9x',
                        '-resize', '50%', '-geometry', '392x512>+6+6', '-background', 'white',
                        os.path.join(HERE, 'sheet-2x.png')], check=True)


if __name__ == '__main__':
    main()
