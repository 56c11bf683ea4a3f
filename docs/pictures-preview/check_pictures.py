#!/usr/bin/env python3
"""Checks the pictures of res/pictures/ against the numbers the program relies on.

- every item picture has the item's size: width, height and viewBox 0 0 W H;
- layers: `picture` everywhere, `interior` and `overlay` for vessels;
- each interior is made of whole pixels, keeps off the first and last column (the program's
  interior region never starts a run in column 0 and drops a run left open at the right edge),
  and spans the rows the level arithmetic needs (top = the full level, bottom = the bottom line);
- graduation ticks sit on the rows the level arithmetic gives for their volumes;
- probe points and the hot plate's lamps land on the drawn item (rendered with rsvg-convert);
- flame frames are 14 x 15; textures are black on white, whole pixels, of their sizes.

    python3 docs/pictures-preview/check_pictures.py        # prints problems, exit status 1 if any
"""

import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, HERE)
import build_pictures as bp  # noqa: E402  (tables of sizes and the level arithmetic)

SRC = bp.OUT
NS = '{http://www.w3.org/2000/svg}'
problems = []


def bad(msg):
    problems.append(msg)
    print('FAIL', msg)


def load(name):
    path = os.path.join(SRC, name + '.svg')
    if not os.path.exists(path):
        bad('%s: missing' % name)
        return None
    return ET.parse(path).getroot()


def layer(root, lid):
    for g in root.findall(NS + 'g'):
        if g.get('id') == lid:
            return g
    return None


def check_size(name, root, w, h):
    if root.get('width') != str(w) or root.get('height') != str(h):
        bad('%s: size %sx%s, expected %dx%d' % (name, root.get('width'), root.get('height'), w, h))
    if root.get('viewBox') != '0 0 %d %d' % (w, h):
        bad('%s: viewBox %s' % (name, root.get('viewBox')))


def interior_pixels(g):
    pix = set()
    for el in g.iter(NS + 'path'):
        for x, y, w, hh in re.findall(r'M(-?\d+) (-?\d+)h(\d+)v(\d+)h-\d+z', el.get('d')):
            x, y, w, hh = int(x), int(y), int(w), int(hh)
            for yy in range(y, y + hh):
                for xx in range(x, x + w):
                    pix.add((xx, yy))
        leftover = re.sub(r'M(-?\d+) (-?\d+)h(\d+)v(\d+)h-\d+z', '', el.get('d')).strip()
        if leftover:
            bad('interior path is not whole-pixel rectangles: %r' % leftover[:40])
    return pix


def tick_rows(g):
    rows = set()
    for el in g.iter(NS + 'line'):
        y1, y2 = float(el.get('y1')), float(el.get('y2'))
        if y1 == y2 and el.get('stroke-width') == '1' and y1 - int(y1) == 0.5:
            rows.add(int(y1))
    return rows


# expected interior rows (top, bottom) and graduation volumes per vessel
EXPECT = {
    'vaso100': ((14, 88), [10 * k for k in range(1, 11)]),
    'vaso250': ((13, 97), [25 * k for k in range(1, 11)]),
    'vaso600': ((14, 94), [60 * k for k in range(1, 11)]),
    'erlenmeyer100': ((5, 103), [10 * k for k in range(3, 11)]),
    'erlenmeyer250': ((5, 119), [25 * k for k in range(2, 11)]),
    'matrazbalon': ((5, 105), []),
    'probeta10': ((14, 113), [k * 0.5 for k in range(1, 21)]),
    'probeta100': ((7, 206), [5 * k for k in range(1, 21)]),
    'tuboensaye': ((6, 97), []),
    'vidrioreloj': ((2, 22), []),
    'crisol': ((4, 31), []),
    'calorimetro': ((12, 90), []),
    'matrazgases': ((24, 130), []),
    'bureta10': ((20, 220), [k * 0.5 for k in range(0, 21)]),
    'bureta50': ((20, 247), list(range(0, 51))),
    'pipetagraduada': ((19, 174), [k * 0.5 for k in range(2, 21)]),
    'pipetavolumetrica': ((20, 179), []),
    'cabezadestilacion': ((90, 215), []),
    'condensador': ((5, 76), []),
    'cododestilacion': ((4, 65), []),
    'filtrobuchner': ((5, 16), []),
    'tubovidrio_derecha': ((4, 119), []),
    'tubovidrio_izquierda': ((4, 119), []),
    'condensadorreflujo': ((23, 154), []),
}

# points that must fall on the drawn item: probe points, lamp windows, the balance pan
POINTS = {
    'termometro': [(5, 78)],
    'phmetro': [(2, 128)],
    'conductimetro': [(82, 128), (24, 37)],
    'agitador': [(2, 128)],
    'balanza': [(58, 0)],
    'parrilla': [(15, 30), (36, 30), (57, 30), (78, 30), (99, 30)],
    'tapacalorimetro': [(0, 10)],
    'tubovidrio_derecha': [(150, 117)],
    'tubovidrio_izquierda': [(3, 117)],
    'mechero': [(22, 16)],
}


def alpha_at(name, pts):
    with tempfile.TemporaryDirectory() as tmp:
        text = open(os.path.join(SRC, name + '.svg'), encoding='utf-8').read()
        for lid in ('interior', 'overlay'):
            text = text.replace('<g id="%s"' % lid, '<g id="%s" display="none"' % lid)
        src = os.path.join(tmp, 'a.svg')
        out = os.path.join(tmp, 'a.png')
        with open(src, 'w', encoding='utf-8') as f:
            f.write(text)
        subprocess.run(['rsvg-convert', '-o', out, src], check=True)
        res = []
        for x, y in pts:
            a = subprocess.run(['convert', out, '-format', '%%[fx:p{%d,%d}.a]' % (x, y), 'info:'],
                               capture_output=True, text=True, check=True).stdout
            res.append(float(a))
        return res


def main():
    for name, (w, h, cap, B) in bp.VESSELS.items():
        root = load(name)
        if root is None:
            continue
        check_size(name, root, w, h)
        for lid in ('picture', 'interior', 'overlay'):
            if layer(root, lid) is None:
                bad('%s: no %s layer' % (name, lid))
        g = layer(root, 'interior')
        if g is None:
            continue
        pix = interior_pixels(g)
        if not pix:
            bad('%s: empty interior' % name)
            continue
        ys = [y for _, y in pix]
        xs = [x for x, _ in pix]
        if min(xs) < 1 or max(xs) > w - 2:
            bad('%s: interior touches the first or last column' % name)
        (top, bottom), vols = EXPECT[name]
        if (min(ys), max(ys)) != (top, bottom):
            bad('%s: interior rows %d..%d, expected %d..%d' % (name, min(ys), max(ys), top, bottom))
        lev = bp.LEVELS[name.split('_')[0]]
        rows = tick_rows(layer(root, 'overlay'))
        want = {lev(v) for v in vols}
        if vols and not want <= rows:
            bad('%s: no tick at rows %s' % (name, sorted(want - rows)))
        extra = rows - want
        if vols and extra:
            bad('%s: ticks at rows %s that no volume gives' % (name, sorted(extra)))
        # every tick row must have liquid under it at that volume: the interior reaches it
        for y in want:
            if not any(yy == y for _, yy in pix):
                bad('%s: tick row %d outside the interior' % (name, y))
        print('ok  %-22s %3dx%-3d interior rows %3d..%-3d ticks %s'
              % (name, w, h, min(ys), max(ys), ','.join(str(r) for r in sorted(want)) or '-'))
    for name, (w, h) in bp.OTHERS.items():
        root = load(name)
        if root is None:
            continue
        check_size(name, root, w, h)
        if layer(root, 'picture') is None:
            bad('%s: no picture layer' % name)
        print('ok  %-22s %3dx%-3d' % (name, w, h))
    for k in range(1, 5):
        root = load('llama%d' % k)
        if root is not None:
            check_size('llama%d' % k, root, 14, 15)
    sizes = {0: (8, 8), 1: (8, 8), 2: (9, 8), 3: (8, 8), 4: (8, 8), 5: (8, 8), 6: (12, 12)}
    for code, (w, h) in sizes.items():
        name = 'textura%d' % (500 + code)
        root = load(name)
        if root is None:
            continue
        check_size(name, root, w, h)
        for el in root.iter():
            fill = el.get('fill')
            if fill and fill not in ('#000000', '#ffffff'):
                bad('%s: colour %s' % (name, fill))
            d = el.get('d')
            if d and re.search(r'\d\.\d', d):
                bad('%s: fractional coordinates' % name)
    for name, pts in POINTS.items():
        for (x, y), a in zip(pts, alpha_at(name, pts)):
            if a < 0.3:   # translucent glass (35 %) counts as drawn
                bad('%s: point (%d, %d) is not on the picture (alpha %.2f)' % (name, x, y, a))
    print('%d problem(s)' % len(problems))
    sys.exit(1 if problems else 0)


if __name__ == '__main__':
    main()
