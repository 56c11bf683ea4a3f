#!/usr/bin/env python3
"""Builds the pictures of the help pages (res/ayuda/figuras/) from the equipment pictures.

The equipment pictures in res/pictures/ hold three layers (picture, interior, overlay) for the
program's loader; shown as they are, the black interior layer would cover the glass. This
script keeps only the "picture" layer of each item and also composes a few assemblies at the
offsets the program uses (distillation set, reflux, filtration, delivery tube, calorimeter lid,
titration, heating, pipette, weighing). Liquids are drawn as the bench does: the picture, the
interior rows from the liquid's level down, then the picture again over them.

Run from the repository root:  python3 docs/ui-preview/figuras_ayuda.py
"""
import os
import re

FUENTE = 'res/pictures'
DESTINO = 'res/ayuda/figuras'


def leer(nombre):
    with open(os.path.join(FUENTE, nombre + '.svg'), encoding='utf-8') as f:
        return f.read()


def tamano(texto):
    m = re.search(r'width="(\d+)" height="(\d+)"', texto)
    return int(m.group(1)), int(m.group(2))


def capa(texto, nombre):
    m = re.search(r'<g id="%s"[^>]*>(.*?)</g>' % nombre, texto, re.S)
    return m.group(1).strip() if m else ''


def liquido(nombre, fila, color):
    """Interior rows from `fila` down, as one path of whole-pixel rectangles."""
    rects = re.findall(r'M(\d+) (\d+)h(\d+)v(\d+)h-\d+z', capa(leer(nombre), 'interior'))
    partes = []
    for x, y, w, h in (tuple(map(int, r)) for r in rects):
        y0, y1 = max(y, fila), y + h
        if y1 > y0:
            partes.append('M%d %dh%dv%dh-%dz' % (x, y0, w, y1 - y0, w))
    return '<path d="%s" fill="%s"/>' % (' '.join(partes), color) if partes else ''


def pieza(nombre, x=0, y=0, fila=None, color=None, extra=''):
    """One item at (x, y): picture layer, optional liquid from row `fila`, picture again."""
    texto = leer(nombre)
    dibujo = capa(texto, 'picture')
    cuerpo = dibujo
    if fila is not None:
        cuerpo += '\n' + liquido(nombre, fila, color) + '\n' + dibujo
    cuerpo += extra
    return '<g transform="translate(%g %g)">\n%s\n</g>' % (x, y, cuerpo)


def llama(x, y):
    return pieza('llama1', x, y)


def luces(n):
    return ''.join('<rect x="%d" y="29" width="17" height="2" fill="#ff0000"/>' % (7 + 21 * k) for k in range(n))


def columna(t):
    """Red column of the thermometer at t degrees, as the program draws it."""
    arriba = max(12, 67 - int(0.5 * t))
    return '<rect x="4" y="%d" width="2" height="%d" fill="#ff0000"/>' % (arriba, 67 - arriba + 1)


def escribir(nombre, ancho, alto, titulo, cuerpo):
    os.makedirs(DESTINO, exist_ok=True)
    with open(os.path.join(DESTINO, nombre + '.svg'), 'w', encoding='utf-8') as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n'
                '  <!-- Alkor, ayuda: %s (hecha con docs/ui-preview/figuras_ayuda.py) -->\n%s\n</svg>\n'
                % (ancho, alto, ancho, alto, titulo, cuerpo))


SOLOS = ['vaso100', 'vaso250', 'vaso600', 'erlenmeyer100', 'erlenmeyer250', 'matrazbalon',
         'probeta10', 'probeta100', 'tuboensaye', 'vidrioreloj', 'crisol', 'calorimetro',
         'matrazgases', 'bureta10', 'bureta50', 'pipetagraduada', 'pipetavolumetrica',
         'cabezadestilacion', 'condensador', 'cododestilacion', 'filtrobuchner',
         'tubovidrio_derecha', 'tubovidrio_izquierda', 'condensadorreflujo', 'tapacalorimetro',
         'agitador', 'termometro', 'phmetro', 'balanza', 'conductimetro', 'banohielo']

AGUA = '#9db8ee'
ROSA = '#e57fb6'
VIOLETA = '#a48be0'


def main():
    for n in SOLOS:
        w, h = tamano(leer(n))
        extra = columna(20) if n == 'termometro' else ''
        escribir(n, w, h, n, pieza(n, extra=extra))
    # burner with its flame, hot plate with its two lights lit (as when they are put on the bench)
    escribir('mechero', 48, 80, 'Mechero Bunsen', pieza('mechero') + '\n' + llama(15, 0))
    escribir('parrilla', 117, 39, 'Parrilla', pieza('parrilla', extra=luces(2)))

    # distillation: flask at (30, 205); head (0, -200); condenser (67, -45); elbow (241, 20);
    # burner under the flask; a 100 ml beaker under the elbow's outlet
    fx, fy = 30, 205
    cuerpo = '\n'.join([
        pieza('mechero', fx + 16, fy + 110), llama(fx + 31, fy + 110),
        pieza('vaso100', fx + 248, fy + 108, 74, AGUA),
        pieza('matrazbalon', fx, fy, 70, VIOLETA),
        pieza('cabezadestilacion', fx, fy - 200),
        pieza('condensador', fx + 67, fy - 45),
        pieza('cododestilacion', fx + 241, fy + 20),
    ])
    escribir('destilacion', 360, fy + 205, 'equipo de destilación', cuerpo)

    # reflux: flask at (10, 163), reflux condenser (0, -158), hot plate underneath
    fx, fy = 20, 163
    cuerpo = '\n'.join([
        pieza('parrilla', fx - 18, fy + 110, extra=luces(3)),
        pieza('matrazbalon', fx, fy, 70, VIOLETA),
        pieza('condensadorreflujo', fx, fy - 158),
    ])
    escribir('reflujo', 122, fy + 150, 'condensador de reflujo', cuerpo)

    # filtration: Buchner funnel at (5, -25) on the 250 ml Erlenmeyer
    cuerpo = '\n'.join([pieza('erlenmeyer250', 0, 27, 100, AGUA), pieza('filtrobuchner', 5, 2)])
    escribir('filtracion', 83, 152, 'embudo Buchner', cuerpo)

    # delivery tube, outlet to the right, at (0, -25); its outlet (150, 117) dips into a test tube
    cuerpo = '\n'.join([
        pieza('erlenmeyer250', 2, 27, 95, AGUA),
        pieza('tuboensaye', 140, 110, 60, '#bfe3c9'),
        pieza('tubovidrio_derecha', 2, 2),
    ])
    escribir('desprendimiento', 170, 214, 'tubo de desprendimiento', cuerpo)

    # calorimeter with its lid at (0, -7)
    cuerpo = '\n'.join([pieza('calorimetro', 0, 7), pieza('tapacalorimetro', 0, 0)])
    escribir('calorimetro_tapado', 55, 105, 'calorímetro tapado', cuerpo)

    # titration: 50 ml burette whose tip lies at the mouth of a 250 ml Erlenmeyer flask
    bx = 41.5 - 15 + 10
    cuerpo = '\n'.join([
        pieza('erlenmeyer250', 10, 244, 99, ROSA),
        pieza('bureta50', bx, 0, 80, '#dcebf8'),
    ])
    escribir('titulacion', 103, 369, 'bureta sobre un matraz', cuerpo)

    # heating: a 250 ml beaker on the hot plate, a thermometer with its bulb in the liquid
    cuerpo = '\n'.join([
        pieza('parrilla', 0, 102, extra=luces(3)),
        pieza('vaso250', 15, 0, 46, AGUA),
        pieza('termometro', 24, 12, extra=columna(60)),
    ])
    escribir('calentar', 117, 141, 'vaso sobre la parrilla con un termómetro', cuerpo)

    # pipette above a beaker: its tip just above the beaker's mouth
    cuerpo = '\n'.join([pieza('vaso250', 0, 190, 64, AGUA), pieza('pipetavolumetrica', 36, 0)])
    escribir('pipeta', 86, 292, 'pipeta sobre un vaso', cuerpo)

    # weighing: a 100 ml beaker standing on the balance pan
    cuerpo = '\n'.join([pieza('balanza', 0, 92), pieza('vaso100', 19, 0, 51, AGUA)])
    escribir('pesar', 117, 131, 'vaso sobre la balanza', cuerpo)


if __name__ == '__main__':
    main()
