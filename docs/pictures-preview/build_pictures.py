#!/usr/bin/env python3
"""Draws every equipment picture of the bench into res/pictures/.

The pictures are plain SVG files and may be touched up by hand; this script is how they were
first laid out, and it keeps the numbers that must agree with the program in one place: the
item sizes, the bottom line of each interior and the content levels.  The level functions
below repeat the program's GetLevelY arithmetic (IEEE doubles, truncated toward zero), so every
graduation tick lands on the row where the liquid of that volume stops.

    python3 docs/pictures-preview/build_pictures.py      # writes res/pictures/*.svg
"""

import math
import re
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, '..', '..', 'res', 'pictures'))

# House colours
GL = '#3c5366'      # glass outline, graduations
GF = '#eef6fb'      # glass fill (translucent)
GFO = '0.35'
M1 = '#5f6b77'      # dark metal / edges
GLASS_THICK = '#e6eff5'  # thick glass (cylinder foot, stopcock barrel), drawn opaque
SHADE = '#e4ebf1'   # the faint shade down the right wall of the glass, opaque
M2 = '#9aa5b1'      # metal
M3 = '#d5dbe1'      # light metal / plastic
BODY = '#2f3b47'    # instrument bodies
PANEL = '#14201a'   # empty display panels
LCD = '#dbe7d5'     # a light display for the readings the program writes in blue
SHRINK = 1.25       # interior pixels lie wholly inside the 1.5 px wall line
RED = '#ff0000'     # thermometer liquid (the program draws its column in pure red)
FONT = 'Liberation Sans'


def n(v):
    """Compact number for path data (whole, half or quarter pixels stay exact)."""
    v = round(v, 3)
    if v == int(v):
        return str(int(v))
    return ('%.3f' % v).rstrip('0').rstrip('.')


# ---------------------------------------------------------------------------------------------
# Paths that are written as SVG and can also be sampled as polygons (for the interiors)

class Path:
    def __init__(self):
        self.d = []
        self.pts = []          # sampled points of the current figure
        self.figs = []         # finished figures (closed polygons)
        self.cur = (0.0, 0.0)

    def M(self, x, y):
        if self.pts:
            self.figs.append(self.pts)
        self.pts = [(x, y)]
        self.d.append('M%s %s' % (n(x), n(y)))
        self.cur = (x, y)
        return self

    def L(self, x, y):
        self.d.append('L%s %s' % (n(x), n(y)))
        self.pts.append((x, y))
        self.cur = (x, y)
        return self

    def C(self, x1, y1, x2, y2, x, y):
        self.d.append('C%s %s %s %s %s %s' % tuple(n(v) for v in (x1, y1, x2, y2, x, y)))
        x0, y0 = self.cur
        for i in range(1, 17):
            t = i / 16
            a, b, c, e = (1 - t) ** 3, 3 * t * (1 - t) ** 2, 3 * t * t * (1 - t), t ** 3
            self.pts.append((a * x0 + b * x1 + c * x2 + e * x, a * y0 + b * y1 + c * y2 + e * y))
        self.cur = (x, y)
        return self

    def Q(self, x1, y1, x, y):
        x0, y0 = self.cur
        return self.C(x0 + 2 / 3 * (x1 - x0), y0 + 2 / 3 * (y1 - y0),
                      x + 2 / 3 * (x1 - x), y + 2 / 3 * (y1 - y), x, y)

    def arc(self, cx, cy, r, a0, a1):
        """Circular arc from angle a0 to a1 (degrees, y down, 0 = +x), as cubic pieces.
        Moves (M) to the start when the path is empty, otherwise draws a line to it."""
        sx, sy = cx + r * math.cos(math.radians(a0)), cy + r * math.sin(math.radians(a0))
        if not self.d:
            self.M(sx, sy)
        elif abs(self.cur[0] - sx) > 1e-6 or abs(self.cur[1] - sy) > 1e-6:
            self.L(sx, sy)
        steps = max(1, int(math.ceil(abs(a1 - a0) / 90.0 - 1e-9)))
        da = (a1 - a0) / steps
        for i in range(steps):
            b0 = math.radians(a0 + i * da)
            b1 = math.radians(a0 + (i + 1) * da)
            k = 4 / 3 * math.tan((b1 - b0) / 4)
            x0, y0 = cx + r * math.cos(b0), cy + r * math.sin(b0)
            x3, y3 = cx + r * math.cos(b1), cy + r * math.sin(b1)
            self.C(x0 - k * r * math.sin(b0), y0 + k * r * math.cos(b0),
                   x3 + k * r * math.sin(b1), y3 - k * r * math.cos(b1), x3, y3)
        return self

    def Z(self):
        self.d.append('Z')
        return self

    def polys(self):
        return self.figs + ([self.pts] if self.pts else [])

    def __str__(self):
        return ' '.join(self.d)


def el(tag, **kw):
    attrs = []
    for k, v in kw.items():
        if v is None:
            continue
        k = k.rstrip('_').replace('_', '-')
        attrs.append('%s="%s"' % (k, v))
    return '<%s %s/>' % (tag, ' '.join(attrs))


def path(d, fill='none', stroke=None, sw=None, fo=None, so=None, op=None, lj='round', lc='round',
         extra=None):
    kw = dict(d=str(d), fill=fill)
    if fo is not None:
        kw['fill_opacity'] = fo
    if stroke:
        kw.update(stroke=stroke, stroke_width=n(sw))
        if so is not None:
            kw['stroke_opacity'] = so
        kw.update(stroke_linejoin=lj, stroke_linecap=lc)
    if op is not None:
        kw['opacity'] = op
    if extra:
        kw.update(extra)
    return el('path', **kw)


def rect(x, y, w, h, fill, stroke=None, sw=None, rx=None, fo=None):
    kw = dict(x=n(x), y=n(y), width=n(w), height=n(h), fill=fill)
    if rx:
        kw['rx'] = n(rx)
    if fo is not None:
        kw['fill_opacity'] = fo
    if stroke:
        kw.update(stroke=stroke, stroke_width=n(sw))
    return el('rect', **kw)


def circle(cx, cy, r, fill, stroke=None, sw=None, fo=None):
    kw = dict(cx=n(cx), cy=n(cy), r=n(r), fill=fill)
    if fo is not None:
        kw['fill_opacity'] = fo
    if stroke:
        kw.update(stroke=stroke, stroke_width=n(sw))
    return el('circle', **kw)


def ellipse(cx, cy, rx, ry, fill, stroke=None, sw=None):
    kw = dict(cx=n(cx), cy=n(cy), rx=n(rx), ry=n(ry), fill=fill)
    if stroke:
        kw.update(stroke=stroke, stroke_width=n(sw))
    return el('ellipse', **kw)


def line(x1, y1, x2, y2, stroke, sw, lc='butt', op=None):
    kw = dict(x1=n(x1), y1=n(y1), x2=n(x2), y2=n(y2), stroke=stroke, stroke_width=n(sw),
              stroke_linecap=lc)
    if op is not None:
        kw['stroke_opacity'] = op
    return el('line', **kw)


def text(x, y, s, size=6, anchor='start', fill=GL):
    return ('<text x="%s" y="%s" font-family="%s" font-size="%s" text-anchor="%s" fill="%s">%s</text>'
            % (n(x), n(y), FONT, n(size), anchor, fill, s))


# ---------------------------------------------------------------------------------------------
# Interiors: exact pixel sets written as whole-pixel rectangles (crisp in every renderer)

def inside(px, py, poly):
    c = False
    j = len(poly) - 1
    for i in range(len(poly)):
        xi, yi = poly[i]
        xj, yj = poly[j]
        if (yi > py) != (yj > py):
            x = xi + (py - yi) * (xj - xi) / (yj - yi)
            if px < x:
                c = not c
        j = i
    return c


def seg_dist(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    L2 = dx * dx + dy * dy
    t = 0 if L2 == 0 else max(0, min(1, ((px - ax) * dx + (py - ay) * dy) / L2))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def poly_dist(px, py, poly):
    return min(seg_dist(px, py, poly[i], poly[(i + 1) % len(poly)]) for i in range(len(poly)))


def polyline_dist(px, py, pts):
    return min(seg_dist(px, py, pts[i], pts[i + 1]) for i in range(len(pts) - 1))


class Pixels:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.set = set()

    def add_poly(self, poly, shrink, y0, y1, x0=1, x1=None):
        """Pixels whose centre lies inside poly and at least `shrink` from its edge."""
        x1 = self.w - 2 if x1 is None else x1
        for y in range(max(0, y0), min(self.h - 1, y1) + 1):
            for x in range(max(1, x0), min(self.w - 2, x1) + 1):
                cx, cy = x + 0.5, y + 0.5
                if inside(cx, cy, poly) and poly_dist(cx, cy, poly) >= shrink - 1e-9:
                    self.set.add((x, y))
        return self

    def add_tube(self, pts, r, y0, y1, x0=1, x1=None):
        """Pixels whose centre lies within r of the polyline pts (a tube's bore)."""
        x1 = self.w - 2 if x1 is None else x1
        for y in range(max(0, y0), min(self.h - 1, y1) + 1):
            for x in range(max(1, x0), min(self.w - 2, x1) + 1):
                if polyline_dist(x + 0.5, y + 0.5, pts) <= r + 1e-9:
                    self.set.add((x, y))
        return self

    def add_rect(self, x0, y0, x1, y1):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if 1 <= x <= self.w - 2:
                    self.set.add((x, y))
        return self

    def remove_if(self, pred):
        self.set = {p for p in self.set if not pred(*p)}
        return self

    def rows(self):
        ys = sorted({y for _, y in self.set})
        return (ys[0], ys[-1]) if ys else (None, None)

    def svg(self, fill='#000000'):
        """Row runs, merged downwards into rectangles."""
        runs = {}
        for y in range(self.h):
            xs = sorted(x for x, yy in self.set if yy == y)
            rr = []
            for x in xs:
                if rr and rr[-1][1] == x:
                    rr[-1][1] = x + 1
                else:
                    rr.append([x, x + 1])
            runs[y] = [tuple(r) for r in rr]
        out = []
        open_ = {}   # (x0,x1) -> start y
        for y in range(self.h + 1):
            cur = set(runs.get(y, []))
            for r in list(open_):
                if r not in cur:
                    y0 = open_.pop(r)
                    out.append((r[0], y0, r[1] - r[0], y - y0))
            for r in cur:
                if r not in open_:
                    open_[r] = y
        out.sort(key=lambda t: (t[1], t[0]))
        d = ' '.join('M%d %dh%dv%dh-%dz' % (x, y, w, h, w) for x, y, w, h in out)
        return '<path d="%s" fill="%s"/>' % (d, fill)


# ---------------------------------------------------------------------------------------------
# Level arithmetic of the vessels (the program's GetLevelY)

def trunc(v):
    return int(v)   # toward zero, like the C++ conversion


LEVELS = {
    'vaso100': lambda v: 0 if v > 100 else trunc(88 - (0.75 * v - 1)),
    'vaso250': lambda v: 0 if v > 250 else trunc(97 - (0.34 * v - 1)),
    'vaso600': lambda v: 0 if v > 600 else trunc(94 - (0.135 * v - 1)),
    'erlenmeyer100': lambda v: trunc(103 - 0.16 * v) if v <= 25 else
        trunc(100 - 0.52 * (v - 25)) if v <= 50 else
        trunc(88 - 0.76 * (v - 50)) if v <= 75 else
        trunc(70 - 1.12 * (v - 75)) if v <= 100 else 5,
    'erlenmeyer250': lambda v: trunc(119 - 0.08 * v) if v <= 50 else
        trunc(116 - 0.2 * (v - 50)) if v <= 100 else
        trunc(107 - 0.32 * (v - 100)) if v <= 150 else
        trunc(92 - 0.44 * (v - 150)) if v <= 200 else
        trunc(71 - 0.56 * (v - 200)) if v <= 250 else 5,
    'matrazbalon': lambda v: 0 if v >= 250 else trunc(105 - (0.404 * v - 1)),
    'probeta10': lambda v: 0 if v > 10 else trunc(113 - (10 * v - 1)),
    'probeta100': lambda v: 0 if v > 100 else trunc(206 - (2 * v - 1)),
    'tuboensaye': lambda v: trunc(97 - (1.84 * v - 1)),
    'vidrioreloj': lambda v: 0 if v > 50 else trunc(22 - (0.42 * v - 1)),
    'crisol': lambda v: 0 if v > 100 else trunc(27 - (0.52 * v - 1)),
    'calorimetro': lambda v: 0,
    'matrazgases': lambda v: 0 if v >= 300 else trunc(130 - (0.356 * v - 1)),
    'bureta10': lambda v: trunc(220 - 20 * v),
    'bureta50': lambda v: trunc(220 - 4 * v),
    'pipetagraduada': lambda v: trunc(174 - 20 * v) if v <= 1 else
        trunc(154 - 15 * (v - 1)) if v <= 10.1 else 174,
    'pipetavolumetrica': lambda v: trunc(179 - 96 * v) if v <= 1 else
        trunc(96 - 5.8823 * (v - 1)) if v <= 9.5 else
        trunc(46 - 38 * (v - 8.5)) if v <= 10.1 else 179,
    'cabezadestilacion': lambda v: 134,
    'condensador': lambda v: trunc(76 - (10 * v - 1)),
    'cododestilacion': lambda v: 52,
    'filtrobuchner': lambda v: 56,
    'tubovidrio': lambda v: 1,
    'condensadorreflujo': lambda v: trunc(154 - (4.4 * v - 1)),
}

# item: (width, height, capacity, m_nFondo)
VESSELS = {
    'vaso100': (78, 92, 100, 88),
    'vaso250': (86, 102, 250, 97),
    'vaso600': (113, 99, 600, 94),
    'erlenmeyer100': (75, 109, 100, 103),
    'erlenmeyer250': (83, 125, 250, 119),
    'matrazbalon': (80, 110, 250, 105),
    'probeta10': (36, 118, 10, 113),
    'probeta100': (42, 211, 100, 206),
    'tuboensaye': (25, 102, 50, 97),
    'vidrioreloj': (75, 30, 50, 22),
    'crisol': (88, 50, 100, 31),
    'calorimetro': (55, 98, 500, 0),
    'matrazgases': (80, 135, 300, 130),
    'bureta10': (30, 250, 10, 220),
    'bureta50': (30, 250, 50, 247),
    'pipetagraduada': (17, 176, 10, 174),
    'pipetavolumetrica': (13, 181, 10, 179),
    'cabezadestilacion': (83, 217, 10, 188),
    'condensador': (190, 91, 10, 76),
    'cododestilacion': (66, 83, 10, 65),
    'filtrobuchner': (56, 58, 80, 0),
    'tubovidrio_derecha': (154, 120, 10, 22),
    'tubovidrio_izquierda': (154, 120, 10, 22),
    'condensadorreflujo': (84, 175, 30, 154),
}

OTHERS = {
    'tapacalorimetro': (55, 16),
    'mechero': (48, 80),
    'parrilla': (117, 39),
    'agitador': (4, 130),
    'termometro': (28, 82),
    'phmetro': (92, 130),
    'balanza': (117, 39),
    'conductimetro': (85, 130),
    'banohielo': (120, 52),
}

NAMES = {
    'vaso100': 'Vaso de precipitados 100 ml',
    'vaso250': 'Vaso de precipitados 250 ml',
    'vaso600': 'Vaso de precipitados 600 ml',
    'erlenmeyer100': 'Matraz Erlenmeyer 100 ml',
    'erlenmeyer250': 'Matraz Erlenmeyer 250 ml',
    'matrazbalon': 'Matraz de balón 250 ml',
    'probeta10': 'Probeta 10 ml',
    'probeta100': 'Probeta 100 ml',
    'tuboensaye': 'Tubo de ensaye 50 ml',
    'vidrioreloj': 'Vidrio de reloj 50 ml',
    'crisol': 'Crisol de porcelana 100 ml',
    'calorimetro': 'Calorímetro 500 ml',
    'matrazgases': 'Matraz para reacciones entre gases 300 ml',
    'bureta10': 'Bureta de 10 ml',
    'bureta50': 'Bureta de 50 ml',
    'pipetagraduada': 'Pipeta graduada 10 ml',
    'pipetavolumetrica': 'Pipeta volumétrica 10 ml',
    'cabezadestilacion': 'Cabeza de destilación',
    'condensador': 'Condensador',
    'cododestilacion': 'Codo de destilación',
    'filtrobuchner': 'Embudo Buchner',
    'tubovidrio_derecha': 'Tubo de desprendimiento, salida a la derecha',
    'tubovidrio_izquierda': 'Tubo de desprendimiento, salida a la izquierda',
    'condensadorreflujo': 'Condensador de reflujo',
    'tapacalorimetro': 'Tapa del calorímetro',
    'mechero': 'Mechero Bunsen',
    'parrilla': 'Parrilla',
    'agitador': 'Agitador de vidrio',
    'termometro': 'Termómetro',
    'phmetro': 'Potenciómetro (pH)',
    'balanza': 'Balanza',
    'conductimetro': 'Conductímetro',
    'banohielo': 'Baño de hielo',
}



def band(pth, width, fill):
    """A highlight or shade band along a path, opaque and made of whole pixels.  The picture is
    put on the bench by AND with its mask and OR with its colours, which turns half-transparent
    light pixels grey; so the glass keeps one translucency (its fill) and everything drawn on it
    is opaque, with soft edges only where an outline needs them."""
    pts = [q for fig in pth.polys() for q in fig]
    segs = []
    for fig in pth.polys():
        segs += [(fig[i], fig[i + 1]) for i in range(len(fig) - 1)]
    r = width / 2.0
    x0 = int(math.floor(min(x for x, _ in pts) - r - 1))
    x1 = int(math.ceil(max(x for x, _ in pts) + r + 1))
    y0 = int(math.floor(min(y for _, y in pts) - r - 1))
    y1 = int(math.ceil(max(y for _, y in pts) + r + 1))
    pix = Pixels(x1 + 2, y1 + 2)
    for y in range(max(0, y0), y1 + 1):
        for x in range(max(0, x0), x1 + 1):
            if min(seg_dist(x + 0.5, y + 0.5, a, b) for a, b in segs) <= r + 1e-9:
                pix.set.add((x, y))
    return pix.svg(fill)

class Pic:
    def __init__(self, name, w, h):
        self.name, self.w, self.h = name, w, h
        self.picture = []
        self.interior = None
        self.notes = []

    def write(self):
        title = NAMES.get(self.name, self.name)
        out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
               % (self.w, self.h, self.w, self.h),
               '  <!-- Alkor: %s, %d x %d -->' % (title, self.w, self.h)]
        for c in self.notes:
            out.append('  <!-- %s -->' % c)
        out.append('  <g id="picture">')
        out += ['    ' + e for e in self.picture]
        out.append('  </g>')
        if self.interior is not None:
            out.append('  <g id="interior" shape-rendering="crispEdges">')
            out.append('    ' + self.interior.svg())
            out.append('  </g>')
            # The overlay repeats the glass exactly.  It is laid over the contents by AND: the
            # near-white glass lets them through, outline and marks darken them, and over the empty
            # vessel it changes nothing, pixel for pixel (a picture ANDed with itself is itself).
            out.append('  <g id="overlay">')
            out += ['    ' + e for e in self.picture]
            out.append('  </g>')
        out.append('</svg>')
        with open(os.path.join(OUT, self.name + '.svg'), 'w', encoding='utf-8') as f:
            f.write('\n'.join(out) + '\n')


# ---------------------------------------------------------------------------------------------
# Glass helpers

def glass(pic, outline, highlight=None, shade=None, fill_path=None, rim=None):
    """Adds a glass body: translucent fill, highlight, shade, outline (+ rim)."""
    fp = fill_path if fill_path is not None else outline
    pic.picture.append(path(fp, fill=GF, fo=GFO))
    if shade:
        pic.picture.append(band(shade, 2, SHADE))
    if highlight:
        pic.picture.append(band(highlight, 2, '#ffffff'))
    pic.picture.append(path(outline, stroke=GL, sw=1.5))
    if rim:
        for r in rim:
            pic.picture.append(path(r, stroke=GL, sw=2.25))


def tick_row(y):
    return y + 0.5


def graduate(pic, level, vols, x0, short, long_, labels, size=6, side='right', minor=(),
             minor_len=None, num_dx=1.5):
    """Ticks at level(v) for v in vols; long ticks and numbers for v in labels (dict v->text)."""
    rows = []
    items = []
    for v in minor:
        y = level(v)
        L = minor_len if minor_len else max(2, short - 2)
        items.append(line(x0, tick_row(y), x0 + L if side == 'right' else x0 - L, tick_row(y), GL, 1))
    for v in vols:
        y = level(v)
        L = long_ if v in labels else short
        x1 = x0 + L if side == 'right' else x0 - L
        items.append(line(x0, tick_row(y), x1, tick_row(y), GL, 1))
        rows.append((v, y))
        if v in labels:
            if side == 'right':
                items.append(text(x1 + num_dx, y + 3, labels[v], size, 'start'))
            else:
                items.append(text(x1 - num_dx, y + 3, labels[v], size, 'end'))
    pic.picture += items
    return rows


# ---------------------------------------------------------------------------------------------
# Vessels

def beaker(name, xl, xr, label_x0, num_size=7):
    W, H, cap, B = VESSELS[name]
    lev = LEVELS[name]
    p = Pic(name, W, H)
    top = 4.0
    wl, wr = xl + 0.75, xr - 0.75          # wall centre lines (outer edge on whole pixels)
    yb = B + 1.75                          # bottom centre line: row B stays clear of the wall
    r = 4.0
    o = Path()
    o.M(wl - 4.25, top - 1.0)              # spout, flared to the left
    o.C(wl - 1.5, top - 0.5, wl, top + 1.0, wl, top + 5.0)
    o.L(wl, yb - r)
    o.arc(wl + r, yb - r, r, 180, 90)
    o.L(wr - r, yb)
    o.arc(wr - r, yb - r, r, 90, 0)
    o.L(wr, top + 2.5)
    o.C(wr, top + 0.5, wr + 0.5, top, wr + 1.75, top - 0.25)
    fillp = Path()
    fillp.M(wl, top + 1.0).L(wl, yb - r).arc(wl + r, yb - r, r, 180, 90).L(wr - r, yb)
    fillp.arc(wr - r, yb - r, r, 90, 0).L(wr, top + 1.0).Z()
    hl = Path().M(wl + 3.5, top + 9).L(wl + 3.5, B - 7)
    sh = Path().M(wr - 2.5, top + 7).L(wr - 2.5, B - 5)
    rim = [Path().M(wl - 4.25, top - 1.0).C(wl - 2.5, top - 0.75, wl - 0.75, top, wl - 0.25, top + 1.5),
           Path().M(wr + 1.75, top - 0.25).C(wr + 0.75, top + 0.25, wr + 0.25, top + 0.75, wr, top + 2.0)]
    glass(p, o, hl, sh, fillp, rim)
    # interior: from the full mark down to the bottom line
    ytop = lev(cap)
    poly = Path()
    poly.M(wl, -5).L(wl, yb - r).arc(wl + r, yb - r, r, 180, 90).L(wr - r, yb)
    poly.arc(wr - r, yb - r, r, 90, 0).L(wr, -5).Z()
    p.interior = Pixels(W, H).add_poly(poly.polys()[0], SHRINK, ytop, B)
    step = cap // 10
    vols = [step * k for k in range(1, 11)]
    labels = {cap // 2: str(cap // 2), cap: str(cap)}
    rows = graduate(p, lev, vols, label_x0, 5, 9, labels, num_size)
    p.notes.append('interior: rows %d..%d; graduation rows %s' %
                   (ytop, B, ', '.join('%d ml = %d' % r for r in rows)))
    return p, rows


def make_beakers():
    res = {}
    res['vaso100'] = beaker('vaso100', 6, 72, 46)
    res['vaso250'] = beaker('vaso250', 6, 80, 50)
    res['vaso600'] = beaker('vaso600', 6, 107, 64)
    return res



# ---------------------------------------------------------------------------------------------
# Tubes: a centre line with round bends, drawn as a glass tube of a given outer half-width

class Tube:
    def __init__(self, pts, rc=6.0):
        self.segs = []
        P = [tuple(p) for p in pts]
        cur = P[0]
        for i in range(1, len(P) - 1):
            a, b, c = P[i - 1], P[i], P[i + 1]
            u = self._unit(a, b)
            v = self._unit(b, c)
            cross = u[0] * v[1] - u[1] * v[0]
            dot = max(-1, min(1, u[0] * v[0] + u[1] * v[1]))
            th = math.acos(dot)
            if th < 1e-6:
                continue
            t = rc * math.tan(th / 2)
            S = (b[0] - u[0] * t, b[1] - u[1] * t)
            E = (b[0] + v[0] * t, b[1] + v[1] * t)
            k = 1 if cross > 0 else -1
            nu = (-u[1], u[0])
            C = (S[0] + nu[0] * rc * k, S[1] + nu[1] * rc * k)
            self.segs.append(('L', cur, S, nu))
            a0 = math.degrees(math.atan2(S[1] - C[1], S[0] - C[0]))
            a1 = math.degrees(math.atan2(E[1] - C[1], E[0] - C[0]))
            da = (a1 - a0 + 180) % 360 - 180
            self.segs.append(('A', C, rc, a0, a0 + da, k))
            cur = E
        u = self._unit(P[-2], P[-1])
        self.segs.append(('L', cur, P[-1], (-u[1], u[0])))

    @staticmethod
    def _unit(a, b):
        dx, dy = b[0] - a[0], b[1] - a[1]
        L = math.hypot(dx, dy)
        return dx / L, dy / L

    def side(self, off, path=None, reverse=False):
        """Offset line at signed distance off (+ is the side of the normal (-uy, ux))."""
        p = path if path is not None else Path()
        segs = list(reversed(self.segs)) if reverse else self.segs
        for sg in segs:
            if sg[0] == 'L':
                _, a, b, nn = sg
                if reverse:
                    a, b = b, a
                pa = (a[0] + nn[0] * off, a[1] + nn[1] * off)
                pb = (b[0] + nn[0] * off, b[1] + nn[1] * off)
                if not p.d:
                    p.M(*pa)
                elif abs(p.cur[0] - pa[0]) > 1e-6 or abs(p.cur[1] - pa[1]) > 1e-6:
                    p.L(*pa)
                p.L(*pb)
            else:
                _, C, rc, a0, a1, k = sg
                r = rc - off * k
                if reverse:
                    a0, a1 = a1, a0
                p.arc(C[0], C[1], r, a0, a1)
        return p

    def outline(self, R):
        p = self.side(R)
        self.side(-R, p, reverse=True)
        return p.Z()

    def centre_pts(self):
        pts = []
        for sg in self.segs:
            if sg[0] == 'L':
                pts += [sg[1], sg[2]]
            else:
                _, C, rc, a0, a1, k = sg
                for i in range(13):
                    a = math.radians(a0 + (a1 - a0) * i / 12)
                    pts.append((C[0] + rc * math.cos(a), C[1] + rc * math.sin(a)))
        return pts


def glass_tube(pic, tube, R, highlight=True, open_end=False, open_start=False):
    """Glass tube of outer half-width R (outer edges on whole pixels when the centre line is).
    With open_end the far end is left open, for a tube that goes on in another shape."""
    pic.picture.append(path(tube.outline(R), fill=GF, fo=GFO))
    if highlight and R >= 4:
        pic.picture.append(band(tube.side(-(R - 2.5)), 1.5, '#ffffff'))
    if open_end or open_start:
        a = tube.side(R - 0.75)
        b = tube.side(-(R - 0.75))
        items = [path(a, stroke=GL, sw=1.5, lc='butt'), path(b, stroke=GL, sw=1.5, lc='butt')]
        if not open_start:
            items.append(path(Path().M(*a.pts[0]).L(*b.pts[0]), stroke=GL, sw=1.5))
        if not open_end:
            items.append(path(Path().M(*a.pts[-1]).L(*b.pts[-1]), stroke=GL, sw=1.5))
    else:
        items = [path(tube.outline(R - 0.75), stroke=GL, sw=1.5)]
    pic.picture += items


def tube_bore(pix, tube, R, y0, y1):
    """Interior pixels of a tube of outer half-width R: wholly inside its walls."""
    return pix.add_tube(tube.centre_pts(), R - 2.0, y0, y1)


# Local frames for pieces drawn along a slanted axis
class Frame:
    def __init__(self, ox, oy, ang_deg):
        self.ox, self.oy = ox, oy
        a = math.radians(ang_deg)
        self.c, self.s = math.cos(a), math.sin(a)

    def __call__(self, u, w):
        # u along the axis, w across it (positive w is below the axis when the axis runs right)
        return (self.ox + u * self.c - w * self.s, self.oy + u * self.s + w * self.c)

    def path(self, pts, close=True):
        p = Path()
        p.M(*self(*pts[0]))
        for q in pts[1:]:
            p.L(*self(*q))
        return p.Z() if close else p


# ---------------------------------------------------------------------------------------------
# Erlenmeyer flasks

def erlenmeyer(name, neck_r, neck_bottom, body_r, corner, tick_x0_dx=1.0, num_size=6):
    W, H, cap, B = VESSELS[name]
    lev = LEVELS[name]
    p = Pic(name, W, H)
    xc = W / 2.0
    top = 2.5
    nl, nr = xc - neck_r + 0.75, xc + neck_r - 0.75      # neck wall centre lines
    bl, br = xc - body_r + 0.75, xc + body_r - 0.75      # body wall centre lines at the bottom
    yb = B + 1.75
    sh = 10.0                                            # shoulder length
    def outline_path(closed_top=False):
        o = Path()
        o.M(nl - 1.75, top - 0.5)
        o.C(nl - 0.25, top, nl, top + 0.75, nl, top + 3.0)
        o.L(nl, neck_bottom)
        o.C(nl, neck_bottom + sh * 0.55, nl - 1.5, neck_bottom + sh, nl - 3.0, neck_bottom + sh + 3)
        o.L(bl + corner * 0.35, yb - corner)
        o.C(bl - 0.6, yb - corner * 0.45, bl + corner * 0.2, yb, bl + corner, yb)
        o.L(br - corner, yb)
        o.C(br - corner * 0.2, yb, br + 0.6, yb - corner * 0.45, br - corner * 0.35, yb - corner)
        o.L(nr + 3.0, neck_bottom + sh + 3)
        o.C(nr + 1.5, neck_bottom + sh, nr, neck_bottom + sh * 0.55, nr, neck_bottom)
        o.L(nr, top + 3.0)
        o.C(nr, top + 0.75, nr + 0.25, top, nr + 1.75, top - 0.5)
        if closed_top:
            o.Z()
        return o

    o = outline_path()
    fillp = outline_path(True)
    hl = Path().M(nl + 3.0, top + 6).L(nl + 3.0, neck_bottom + 2)
    hl2 = Path().M(nl - 3.5, neck_bottom + sh + 9).L(bl + corner * 0.35 + 3.8, yb - corner - 6)
    sh_ = Path().M(nr + 1.5, neck_bottom + sh + 10).L(br - corner * 0.35 - 3.0, yb - corner - 4)
    rim = [Path().M(nl - 1.75, top - 0.5).C(nl - 0.5, top - 0.25, nl, top + 0.5, nl, top + 2.0),
           Path().M(nr + 1.75, top - 0.5).C(nr + 0.5, top - 0.25, nr, top + 0.5, nr, top + 2.0)]
    p.picture.append(path(fillp, fill=GF, fo=GFO))
    p.picture.append(band(sh_, 2, SHADE))
    p.picture.append(band(hl, 2, '#ffffff'))
    p.picture.append(band(hl2, 2, '#ffffff'))
    p.picture.append(path(o, stroke=GL, sw=1.5))
    for r in rim:
        p.picture.append(path(r, stroke=GL, sw=2.25))
    ytop = lev(cap + 1)          # the level the flask shows when over-full: the top of the neck
    poly = outline_path(True).polys()[0]
    p.interior = Pixels(W, H).add_poly(poly, SHRINK, ytop, B)
    # graduations: every tenth of the capacity, from the full mark down while they stay apart
    step = cap // 10
    vols = []
    last = None
    for k in range(10, 0, -1):
        v = step * k
        y = lev(v)
        if y > B - 4 or (last is not None and y - last < 3):
            break
        vols.append(v)
        last = y
    labels = {cap // 2: str(cap // 2), cap: str(cap)}
    x0 = xc + tick_x0_dx
    rows = graduate(p, lev, sorted(vols), x0, 4, 7, labels, num_size, num_dx=0)
    # numbers of the long ticks go to the left of the scale (the glass is wider there)
    p.picture = [e.replace('text-anchor="start"', 'text-anchor="end"') for e in p.picture]
    fixed = []
    for lst in (p.picture,):
        for i, e in enumerate(lst):
            if e.startswith('<text'):
                # move the number left of the tick start

                m = re.search(r'x="([0-9.]+)"', e)
                lst[i] = e.replace(m.group(0), 'x="%s"' % n(x0 - 1.5), 1)
    p.notes.append('interior: rows %d..%d; graduation rows %s' %
                   (ytop, B, ', '.join('%d ml = %d' % r for r in rows)))
    return p, rows


# ---------------------------------------------------------------------------------------------
# Round flasks

def matraz_balon():
    name = 'matrazbalon'
    W, H, cap, B = VESSELS[name]
    lev = LEVELS[name]
    p = Pic(name, W, H)
    xc = 40.0
    R = 34.25                      # wall centre line radius: outer edge at 5 .. 75
    cy = B + 2.0 - R               # bottom centre line at B + 2: row B clear of the wall
    nl, nr = 33.75, 46.25          # neck outer edges 33 .. 47
    top = 2.5
    # junctions of the neck walls with the ball (angles on screen: 270 is straight up)
    aL = 360 - math.degrees(math.acos((nl - 2.5 - xc) / R))
    aR = 360 - math.degrees(math.acos((nr + 2.5 - xc) / R))

    def build(closed):
        o = Path()
        o.M(nl - 1.75, top - 0.5)
        o.C(nl - 0.25, top, nl, top + 0.75, nl, top + 3)
        jl = (xc + R * math.cos(math.radians(aL)), cy + R * math.sin(math.radians(aL)))
        jr = (xc + R * math.cos(math.radians(aR)), cy + R * math.sin(math.radians(aR)))
        o.L(nl, jl[1] - 4)
        o.Q(nl, jl[1] - 0.5, jl[0], jl[1])
        o.arc(xc, cy, R, aL, aR - 360)          # down the left side, under the bottom, up the right
        o.Q(nr, jr[1] - 0.5, nr, jr[1] - 4)
        o.L(nr, top + 3)
        o.C(nr, top + 0.75, nr + 0.25, top, nr + 1.75, top - 0.5)
        if closed:
            o.Z()
        return o

    out = build(False)
    p.picture.append(path(build(True), fill=GF, fo=GFO))
    p.picture.append(band(Path().arc(xc, cy, R - 3.5, 10, 60), 2, SHADE))
    p.picture.append(band(Path().arc(xc, cy, R - 3.5, 150, 215), 2.5, '#ffffff'))
    p.picture.append(band(Path().M(nl + 3, top + 6).L(nl + 3, 30), 2, '#ffffff'))
    p.picture.append(path(out, stroke=GL, sw=1.5))
    rim = [Path().M(nl - 1.75, top - 0.5).C(nl - 0.5, top - 0.25, nl, top + 0.5, nl, top + 2.0),
           Path().M(nr + 1.75, top - 0.5).C(nr + 0.5, top - 0.25, nr, top + 0.5, nr, top + 2.0)]
    for r in rim:
        p.picture.append(path(r, stroke=GL, sw=2.25))
    ytop = lev(249.999)
    p.interior = Pixels(W, H).add_poly(build(True).polys()[0], SHRINK, ytop, B)
    p.notes.append('interior: rows %d..%d (250 ml reaches the top of the neck); no graduations'
                   % (ytop, B))
    return p, []


def matraz_gases():
    name = 'matrazgases'
    W, H, cap, B = VESSELS[name]
    lev = LEVELS[name]
    p = Pic(name, W, H)
    xc = 40.0
    R = 37.25                                   # outer edge 2 .. 78
    yb = B + 1.75                               # flat bottom centre line
    cy = 96.0
    nl, nr = 33.75, 46.25
    half_flat = math.sqrt(max(0.0, R * R - (yb - cy) ** 2))
    aB_r = math.degrees(math.asin((yb - cy) / R))          # angle where the ball meets the flat
    aL = 360 - math.degrees(math.acos((nl - 2.5 - xc) / R))
    aR = 360 - math.degrees(math.acos((nr + 2.5 - xc) / R))
    top = 12.0

    def build(closed):
        o = Path()
        o.M(nl, top)
        jl = (xc + R * math.cos(math.radians(aL)), cy + R * math.sin(math.radians(aL)))
        jr = (xc + R * math.cos(math.radians(aR)), cy + R * math.sin(math.radians(aR)))
        o.L(nl, jl[1] - 4)
        o.Q(nl, jl[1] - 0.5, jl[0], jl[1])
        o.arc(xc, cy, R, aL, 180 - aB_r)
        o.L(xc + half_flat, yb)
        o.arc(xc, cy, R, aB_r, aR - 360)
        o.Q(nr, jr[1] - 0.5, nr, jr[1] - 4)
        o.L(nr, top)
        if closed:
            o.Z()
        return o

    body = build(True)
    p.picture.append(path(body, fill=GF, fo=GFO))
    p.picture.append(band(Path().arc(xc, cy, R - 3.5, 5, 50), 2, SHADE))
    p.picture.append(band(Path().arc(xc, cy, R - 3.5, 145, 215), 2.5, '#ffffff'))
    p.picture.append(band(Path().M(nl + 3, top + 8).L(nl + 3, 50), 2, '#ffffff'))
    out = build(False)
    p.picture.append(path(out, stroke=GL, sw=1.5))
    # rubber stopper in the neck
    st = Path().M(31.5, 3.5).L(48.5, 3.5).L(47.0, 17.5).L(33.0, 17.5).Z()
    p.picture.append(path(st, fill=M1, stroke='#46505a', sw=1))
    p.picture.append(line(32.5, 5, 47.5, 5, M2, 1))
    # pressure indicator: a small dial beside the stopper; the program draws its lever
    p.picture.append(rect(48, 6.5, 5, 3, M2, stroke=M1, sw=1))
    p.picture.append(circle(59.5, 8.5, 7, '#ffffff', stroke=M1, sw=1.5))
    p.picture.append(path(Path().arc(59.5, 8.5, 5.0, 150, 320), stroke=GL, sw=1))
    for a in (150, 190, 235, 280, 320):
        ca, sa = math.cos(math.radians(a)), math.sin(math.radians(a))
        p.picture.append(line(59.5 + 5 * ca, 8.5 + 5 * sa, 59.5 + 3.6 * ca, 8.5 + 3.6 * sa, GL, 1))
    p.picture.append(circle(59.5, 8.5, 1.5, M1))
    ytop = lev(299.999)
    p.interior = Pixels(W, H).add_poly(body.polys()[0], SHRINK, ytop, B)
    p.notes.append('interior: rows %d..%d; lever pivot (59, 8) is drawn by the program' % (ytop, B))
    return p, []


# ---------------------------------------------------------------------------------------------
# Cylinders and test tube

def probeta(name, xl, xr, num_size=6):
    W, H, cap, B = VESSELS[name]
    lev = LEVELS[name]
    p = Pic(name, W, H)
    top = 3.0
    wl, wr = xl + 0.75, xr - 0.75
    yb = B + 1.75
    o = Path()
    o.M(wl - 3.5, top - 1.0)
    o.C(wl - 1.25, top - 0.5, wl, top + 0.5, wl, top + 4)
    o.L(wl, yb)
    o.L(wr, yb)
    o.L(wr, top + 2)
    o.C(wr, top + 0.5, wr + 0.5, top, wr + 1.5, top - 0.25)
    fillp = Path().M(wl, top + 1).L(wl, yb).L(wr, yb).L(wr, top + 1).Z()
    # foot
    fy0, fy1 = B + 2.5, H - 0.75
    foot = Path().M(wl - 3, fy0).L(wr + 3, fy0).L(W - 2.75, fy1 - 1.5).L(W - 2.75, fy1) \
        .L(2.75, fy1).L(2.75, fy1 - 1.5).Z()
    p.picture.append(path(foot, fill=GLASS_THICK, stroke=GL, sw=1.5))
    hl = Path().M(wl + 3, top + 8).L(wl + 3, B - 4)
    sh = Path().M(wr - 2.5, top + 8).L(wr - 2.5, B - 3)
    rim = [Path().M(wl - 3.5, top - 1.0).C(wl - 2, top - 0.75, wl - 0.5, top, wl, top + 1.5),
           Path().M(wr + 1.5, top - 0.25).C(wr + 0.6, top + 0.1, wr + 0.1, top + 0.6, wr, top + 1.5)]
    glass(p, o, hl, sh, fillp, rim)
    ytop = lev(cap)
    poly = Path().M(wl, -5).L(wl, yb).L(wr, yb).L(wr, -5).Z()
    p.interior = Pixels(W, H).add_poly(poly.polys()[0], SHRINK, ytop, B)
    step = cap / 10
    vols = [step * k for k in range(1, 11)]
    vols = [int(v) if v == int(v) else v for v in vols]
    labels = {cap // 2: str(cap // 2), cap: str(cap)}
    minor = [step * (k + 0.5) for k in range(0, 10)]
    rows = graduate(p, lev, vols, wl + 1.0, 4, 7, labels, num_size, minor=minor, minor_len=2)
    p.notes.append('interior: rows %d..%d; graduation rows %s' %
                   (ytop, B, ', '.join('%g ml = %d' % r for r in rows)))
    return p, rows


def tubo_ensaye():
    name = 'tuboensaye'
    W, H, cap, B = VESSELS[name]
    lev = LEVELS[name]
    p = Pic(name, W, H)
    top = 3.0
    wl, wr = 4.75, 20.25
    yb = B + 2.0                   # round bottom: row B stays clear of the wall
    r = (wr - wl) / 2
    o = Path()
    o.M(wl - 1.75, top - 0.5)
    o.C(wl - 0.25, top, wl, top + 0.75, wl, top + 3)
    o.L(wl, yb - r)
    o.arc(12.5, yb - r, r, 180, 0)
    o.L(wr, top + 3)
    o.C(wr, top + 0.75, wr + 0.25, top, wr + 1.75, top - 0.5)
    fillp = Path().M(wl, top + 1).L(wl, yb - r).arc(12.5, yb - r, r, 180, 0).L(wr, top + 1).Z()
    hl = Path().M(wl + 3, top + 7).L(wl + 3, B - 8)
    sh = Path().M(wr - 2.5, top + 7).L(wr - 2.5, B - 8)
    rim = [Path().M(wl - 1.75, top - 0.5).C(wl - 0.5, top - 0.25, wl, top + 0.5, wl, top + 2.0),
           Path().M(wr + 1.75, top - 0.5).C(wr + 0.5, top - 0.25, wr, top + 0.5, wr, top + 2.0)]
    glass(p, o, hl, sh, fillp, rim)
    ytop = lev(cap)
    poly = Path().M(wl, -5).L(wl, yb - r).arc(12.5, yb - r, r, 180, 0).L(wr, -5).Z()
    p.interior = Pixels(W, H).add_poly(poly.polys()[0], SHRINK, ytop, B)
    p.notes.append('interior: rows %d..%d; no graduations' % (ytop, B))
    return p, []


def vidrio_reloj():
    name = 'vidrioreloj'
    W, H, cap, B = VESSELS[name]
    lev = LEVELS[name]
    p = Pic(name, W, H)
    xc = W / 2.0
    xa, xb = 2.5, W - 2.5            # tips of the dish
    ytip = 2.5
    yu = B + 1.75                    # upper surface centre line at the middle
    yl = yu + 2.5                    # lower surface centre line at the middle

    def circ(ymid):
        hw = xc - xa
        s = ymid - ytip
        Rr = (hw * hw + s * s) / (2 * s)
        return (xc, ymid - Rr, Rr)

    cu = circ(yu)
    cl = circ(yl)

    def ang(c, x, y):
        return math.degrees(math.atan2(y - c[1], x - c[0]))

    up = Path()
    up.arc(cu[0], cu[1], cu[2], ang(cu, xb, ytip), ang(cu, xa, ytip))     # right tip to left tip
    lo = Path()
    lo.arc(cl[0], cl[1], cl[2], ang(cl, xa, ytip), ang(cl, xb, ytip))
    body = Path()
    body.arc(cu[0], cu[1], cu[2], ang(cu, xb, ytip), ang(cu, xa, ytip))
    body.arc(cl[0], cl[1], cl[2], ang(cl, xa, ytip), ang(cl, xb, ytip))
    body.Z()
    p.picture.append(path(body, fill=GF, fo=GFO))
    hl = Path().arc(cl[0], cl[1], cl[2] - 1.2, 112, 150)
    p.picture.append(band(hl, 1.2, '#ffffff'))
    p.picture.append(path(body, stroke=GL, sw=1.5))
    ytop = lev(50)
    dish = Path()
    dish.arc(cu[0], cu[1], cu[2], ang(cu, xb, ytip), ang(cu, xa, ytip))
    dish.Z()
    poly = dish.polys()[0]
    pix = Pixels(W, H)
    for y in range(ytop, B + 1):
        for x in range(1, W - 1):
            cx, cy_ = x + 0.5, y + 0.5
            d = math.hypot(cx - cu[0], cy_ - cu[1])
            if d <= cu[2] - SHRINK:
                pix.set.add((x, y))
    p.interior = pix
    p.notes.append('interior: rows %d..%d, the hollow of the dish; no graduations' % (ytop, B))
    return p, []



# ---------------------------------------------------------------------------------------------
# Porcelain and metal vessels

PORC = '#f7f8fa'      # glazed porcelain
PORC_IN = '#f9fcfe'   # inside of the porcelain: as light as the glass, it lies over the contents


def crisol():
    name = 'crisol'
    W, H, cap, B = VESSELS[name]
    p = Pic(name, W, H)
    xc = W / 2.0
    top = 3.0
    # outer body: tapered cup, rounded bottom corners, small foot ring
    ol, orr = 4.75, W - 4.75          # outer wall centre lines at the top
    bl, br = 15.75, W - 15.75         # ... at the bottom
    yb = 42.75
    outer_open = Path().M(ol, top).L(bl, yb - 4).Q(bl + 0.6, yb, bl + 4.5, yb).L(br - 4.5, yb) \
        .Q(br - 0.6, yb, br, yb - 4).L(orr, top)
    outer = Path().M(ol, top).L(bl, yb - 4).Q(bl + 0.6, yb, bl + 4.5, yb).L(br - 4.5, yb) \
        .Q(br - 0.6, yb, br, yb - 4).L(orr, top).Z()
    foot = Path().M(25.75, yb + 0.5).L(62.25, yb + 0.5).L(60.75, 48.25).L(27.25, 48.25).Z()
    # inner cavity
    il, ir = 9.25, W - 9.25
    ibl, ibr = 18.75, W - 18.75
    iyb = B + 1.75
    inner = Path().M(il, top).L(ibl, iyb - 3).Q(ibl + 0.5, iyb, ibl + 3.5, iyb).L(ibr - 3.5, iyb) \
        .Q(ibr - 0.5, iyb, ibr, iyb - 3).L(ir, top)
    inner_closed = Path().M(il, top).L(ibl, iyb - 3).Q(ibl + 0.5, iyb, ibl + 3.5, iyb) \
        .L(ibr - 3.5, iyb).Q(ibr - 0.5, iyb, ibr, iyb - 3).L(ir, top).Z()
    p.picture.append(path(foot, fill=M3, stroke=GL, sw=1.5))
    p.picture.append(path(outer, fill=PORC))
    p.picture.append(path(Path().M(orr - 3.2, top + 4).L(br - 2.5, yb - 6), stroke=M3, sw=3))
    p.picture.append(path(inner_closed, fill=PORC_IN))
    p.picture.append(path(Path().M(il + 3.5, top + 4).L(ibl + 2.6, iyb - 5), stroke='#ffffff', sw=2))
    p.picture.append(path(outer_open, stroke=GL, sw=1.5))
    p.picture.append(path(inner, stroke=GL, sw=1.5))
    rim = [Path().M(ol - 0.5, top).L(il + 0.25, top), Path().M(ir - 0.25, top).L(orr + 0.5, top)]
    for r in rim:
        p.picture.append(path(r, stroke=GL, sw=2.25))
    ytop = 4
    p.interior = Pixels(W, H).add_poly(inner_closed.polys()[0], SHRINK, ytop, B)
    p.notes.append('interior: rows %d..%d (the cup; 100 ml lies above the picture)' % (ytop, B))
    return p, []


def calorimetro():
    name = 'calorimetro'
    W, H, cap, B = VESSELS[name]
    p = Pic(name, W, H)
    body = Path().M(2.25, 8).L(2.25, 92).Q(2.25, 96.25, 6.5, 96.25).L(48.5, 96.25) \
        .Q(52.75, 96.25, 52.75, 92).L(52.75, 8).Z()
    p.picture.append(path(body, fill=M3))
    p.picture.append(rect(44, 9, 7.5, 86, M2))                # darker side for depth
    p.picture.append(rect(6, 10, 3, 82, '#ffffff', fo='0.8'))  # highlight
    for y in (22, 80):
        p.picture.append(rect(2.25, y, 50.5, 3, M2))
        p.picture.append(line(2.25, y + 3.5, 52.75, y + 3.5, M1, 1))
    p.picture.append(path(body, stroke=M1, sw=1.5))
    # rim of the opening (the lid sits over it)
    p.picture.append(rect(0.75, 3.75, 53.5, 5.5, M2, stroke=M1, sw=1.5, rx=1.5))
    p.picture.append(line(4, 6.5, 51, 6.5, '#46505a', 1.5))
    p.interior = Pixels(W, H).add_rect(9, 12, 45, 90)
    p.notes.append('interior: the cavity, rows 12..90; the calorimeter is opaque and its contents '
                   'are never painted')
    return p, []


# ---------------------------------------------------------------------------------------------
# Burettes and pipettes

def bureta(name, labels, major_step, minor_step):
    W, H, cap, B = VESSELS[name]
    lev = LEVELS[name]
    p = Pic(name, W, H)
    wl, wr = 9.75, 19.25
    top = 2.0
    ycone = 222.0
    tl, tr = 12.75, 16.25            # tip walls (1 px bore)
    ybar0, ybar1 = 226.5, 235.5
    tube = Path().M(wl - 1.5, top - 0.5).C(wl - 0.25, top, wl, top + 0.5, wl, top + 2) \
        .L(wl, ycone).Q(wl, ycone + 2.5, tl, ybar0 - 0.5).L(tl, ybar0)
    tube2 = Path().M(tr, ybar0).L(tr, ybar0 - 0.5).Q(wr, ycone + 2.5, wr, ycone).L(wr, top + 2) \
        .C(wr, top + 0.5, wr + 0.25, top, wr + 1.5, top - 0.5)
    tip = Path().M(tl, ybar1).L(tl, 245).L(13.25, 250.5)
    tip2 = Path().M(tr, ybar1).L(tr, 245).L(15.75, 250.5)
    fill = Path().M(wl, top + 1).L(wl, ycone).Q(wl, ycone + 2.5, tl, ybar0 - 0.5).L(tl, 245) \
        .L(13.25, 250.5).L(15.75, 250.5).L(tr, 245).L(tr, ybar0 - 0.5).Q(wr, ycone + 2.5, wr, ycone) \
        .L(wr, top + 1).Z()
    p.picture.append(path(fill, fill=GF, fo=GFO))
    p.picture.append(band(Path().M(wl + 2.75, 24).L(wl + 2.75, 214), 1.5, '#ffffff'))
    for q in (tube, tube2, tip, tip2):
        p.picture.append(path(q, stroke=GL, sw=1.5))
    for q in (Path().M(wl - 1.5, top - 0.5).C(wl - 0.5, top - 0.25, wl, top + 0.25, wl, top + 1.5),
              Path().M(wr + 1.5, top - 0.5).C(wr + 0.5, top - 0.25, wr, top + 0.25, wr, top + 1.5)):
        p.picture.append(path(q, stroke=GL, sw=2.25))
    # stopcock: glass barrel, key and handle
    barrel = Path().M(8.75, ybar0).L(20.25, ybar0).Q(22.25, ybar0, 22.25, 229.5).L(22.25, 232.5) \
        .Q(22.25, ybar1, 20.25, ybar1).L(8.75, ybar1).Q(6.75, ybar1, 6.75, 232.5).L(6.75, 229.5) \
        .Q(6.75, ybar0, 8.75, ybar0).Z()
    p.picture.append(path(barrel, fill=GLASS_THICK, stroke=GL, sw=1.5))
    p.picture.append(rect(3.5, 229.5, 22, 3, M3, stroke=M1, sw=1, rx=1))
    p.picture.append(rect(0.5, 226.5, 4, 9, M1, stroke='#46505a', sw=1, rx=1))
    # interior: the graduated tube from the full mark down to the bottom line (and, when the
    # bottom line is lower, through the stopcock bore and the tip)
    pix = Pixels(W, H)
    poly = Path().M(wl, -5).L(wl, ycone).Q(wl, ycone + 2.5, tl, ybar0 - 0.5).L(tl, 260).L(tr, 260) \
        .L(tr, ybar0 - 0.5).Q(wr, ycone + 2.5, wr, ycone).L(wr, -5).Z()
    ytop = lev(cap)
    pix.add_poly(poly.polys()[0], SHRINK, ytop, B)
    p.interior = pix
    # graduations: read from the top (0 at the full mark), ticks on the glass against the right
    # wall, numbers beside the tube
    rows = []
    xr = wr - 0.75
    v = 0.0
    while v <= cap + 1e-9:
        y = lev(v)
        is_major = abs(v / major_step - round(v / major_step)) < 1e-9
        content = round(v, 6)
        if is_major:
            delivered = cap - content
            L = 6 if delivered in labels else 3.5
            e = [line(xr, y + 0.5, xr - L, y + 0.5, GL, 1)]
            if delivered in labels:
                e.append(text(wr + 2.25, y + 2.5, labels[delivered], 6))
            rows.append((delivered, y))
        else:
            e = [line(xr, y + 0.5, xr - 2, y + 0.5, GL, 1)]
        p.picture += e
        v += minor_step
    rows.sort()
    p.notes.append('interior: rows %d..%d; read from the top: %s' %
                   (ytop, B, ', '.join('%g ml at %d' % r for r in rows)))
    return p, rows


def pipeta_graduada():
    name = 'pipetagraduada'
    W, H, cap, B = VESSELS[name]
    lev = LEVELS[name]
    p = Pic(name, W, H)
    wl, wr = 4.75, 12.25             # outer 4 .. 13, bore 6 .. 10
    tl, tr = 6.75, 10.25             # tip outer 6 .. 11, bore 8
    yt = 156.0
    left = Path().M(wl, -1).L(wl, yt).Q(wl, yt + 6, tl, yt + 11).L(tl, H + 1)
    right = Path().M(wr, -1).L(wr, yt).Q(wr, yt + 6, tr, yt + 11).L(tr, H + 1)
    fill = Path().M(wl, 0).L(wl, yt).Q(wl, yt + 6, tl, yt + 11).L(tl, H).L(tr, H).L(tr, yt + 11) \
        .Q(wr, yt + 6, wr, yt).L(wr, 0).Z()
    p.picture.append(path(fill, fill=GF, fo=GFO))
    p.picture.append(band(Path().M(wl + 2.25, 4).L(wl + 2.25, 150), 1.5, '#ffffff'))
    for q in (left, right):
        p.picture.append(path(q, stroke=GL, sw=1.5, lc='butt'))
    poly = Path().M(wl, -5).L(wl, yt).Q(wl, yt + 6, tl, yt + 11).L(tl, H + 5).L(tr, H + 5) \
        .L(tr, yt + 11).Q(wr, yt + 6, wr, yt).L(wr, -5).Z()
    ytop = lev(cap)
    p.interior = Pixels(W, H).add_poly(poly.polys()[0], SHRINK, ytop, B)
    rows = []
    xr = wr - 0.75
    for k in range(0, 10):
        v = cap - k                       # content at the mark
        y = lev(v)
        L = 4 if k in (0, 5) else 2.5
        e = [line(xr, y + 0.5, xr - L, y + 0.5, GL, 1)]
        if k in (0, 5):
            e.append(text(wr + 1.25, y + 2.5, str(k), 6))
        rows.append((k, y))
        p.picture += e
    for k in range(0, 9):
        y = lev(cap - k - 0.5)
        e = [line(xr, y + 0.5, xr - 1.5, y + 0.5, GL, 1)]
        p.picture += e
    p.notes.append('interior: rows %d..%d; read from the top: %s' %
                   (ytop, B, ', '.join('%g ml at %d' % r for r in rows)))
    return p, rows


def pipeta_volumetrica():
    name = 'pipetavolumetrica'
    W, H, cap, B = VESSELS[name]
    p = Pic(name, W, H)
    sl, sr = 4.75, 8.25              # stem outer 4 .. 9, bore 6
    bl, br = 1.75, 11.25             # bulb outer 1 .. 12
    b0, b1 = 44.0, 99.0              # straight part of the bulb

    def side(x_s, x_b):
        q = Path().M(x_s, -1).L(x_s, b0 - 8).C(x_s, b0 - 4, x_b, b0 - 3, x_b, b0) \
            .L(x_b, b1).C(x_b, b1 + 3, x_s, b1 + 4, x_s, b1 + 8).L(x_s, 170).L(x_s + (0.5 if x_s < 6 else -0.5), H + 1)
        return q
    left, right = side(sl, bl), side(sr, br)
    fill = Path().M(sl, 0).L(sl, b0 - 8).C(sl, b0 - 4, bl, b0 - 3, bl, b0).L(bl, b1) \
        .C(bl, b1 + 3, sl, b1 + 4, sl, b1 + 8).L(sl, 170).L(sl + 0.5, H).L(sr - 0.5, H).L(sr, 170) \
        .L(sr, b1 + 8).C(sr, b1 + 4, br, b1 + 3, br, b1).L(br, b0).C(br, b0 - 3, sr, b0 - 4, sr, b0 - 8) \
        .L(sr, 0).Z()
    p.picture.append(path(fill, fill=GF, fo=GFO))
    p.picture.append(band(Path().M(bl + 2.25, b0 + 3).L(bl + 2.25, b1 - 3), 1.5, '#ffffff'))
    for q in (left, right):
        p.picture.append(path(q, stroke=GL, sw=1.5, lc='butt'))
    ring = 20
    e = line(2.5, ring + 0.5, 10.5, ring + 0.5, GL, 1)
    p.picture.append(e)
    poly = fill.polys()[0]
    poly = [(x, y if y > 1 else -5) for x, y in poly]
    poly = [(x, y if y < H - 1 else H + 5) for x, y in poly]
    p.interior = Pixels(W, H).add_poly(poly, SHRINK, ring, B)
    p.notes.append('interior: rows %d..%d; the calibration ring is row %d (10.0 ml is above the '
                   'picture, so a full pipette fills to the ring)' % (ring, B, ring))
    return p, [(10, ring)]


# ---------------------------------------------------------------------------------------------
# Distillation, reflux, filtration and delivery pieces.  They are placed by the program relative
# to their parent flask: the head at (0, -200) and the reflux condenser at (0, -158) from the
# boiling flask, the condenser at (67, -45), the elbow at (241, 20); the funnel at (5, -25) and the
# delivery tube at (0, -25) or (-71, -25) from the Erlenmeyer 250 ml.  The joints below are drawn
# so that the pieces meet there: the neck of both flasks is centred on x = 40 (boiling flask) and
# x = 41.5 (Erlenmeyer 250 ml), and the condenser line runs at 20.556 degrees (slope 0.375).

SLOPE_DEG = math.degrees(math.atan(0.375))
COND_A = (4.0, 8.0)                 # condenser inlet on its axis, in the condenser's frame
COND_END_X = 182.0                  # x where the condenser's inner tube ends


def thermometer_stem(p, xc, y_top, y_bulb, rb, ticks=()):
    """A small glass thermometer; red bulb.  xc is the centre of the capillary pixels."""
    wl, wr = xc - 2.75, xc + 2.75
    st = Path().M(wl, y_bulb - rb + 1).L(wl, y_top + 2.75).arc(xc, y_top + 2.75, 2.75, 180, 360) \
        .L(wr, y_bulb - rb + 1)
    p.picture.append(path(Path().M(wl, y_bulb).L(wl, y_top + 2.75).arc(xc, y_top + 2.75, 2.75, 180, 360)
                          .L(wr, y_bulb).Z(), fill='#f7fafc'))
    p.picture.append(rect(xc - 0.5, y_top + 2, 1, y_bulb - y_top - 2, '#ffffff'))
    for y in ticks:
        p.picture.append(line(xc + 1.25, y + 0.5, xc + 2.25, y + 0.5, GL, 1))
    p.picture.append(path(st, stroke=GL, sw=1.5))
    p.picture.append(circle(xc, y_bulb, rb - 0.75, RED, stroke=GL, sw=1.5))
    p.picture.append(rect(xc - 0.5, y_bulb - rb - 1, 1, 2, RED))


def cabeza_destilacion():
    name = 'cabezadestilacion'
    W, H, cap, B = VESSELS[name]
    p = Pic(name, W, H)
    wl, wr = 33.75, 46.25           # column outer 33 .. 47, centred on the flask neck (x = 40)
    jl, jr = 35.75, 44.25           # male joint outer 35 .. 45 (sits inside the flask neck)
    ytop, ycol = 44.0, 189.5        # the column narrows into the joint right under the bottom line
    a = math.radians(SLOPE_DEG)
    # side arm: axis through the condenser inlet (head coordinates 67 + 4, 155 + 8)
    ax, ay = 67 + COND_A[0], 155 + COND_A[1]
    Ra = 4.0
    off = Ra - 0.75
    nx, ny = -math.sin(a), math.cos(a)

    def axis_y(x):
        return ay + (x - ax) * math.tan(a)

    y_up = axis_y(wr) - off / math.cos(a)
    y_lo = axis_y(wr) + off / math.cos(a)
    u_end = 6.0
    ex, ey = ax + u_end * math.cos(a), ay + u_end * math.sin(a)
    up_end = (ex - off * nx, ey - off * ny)
    lo_end = (ex + off * nx, ey + off * ny)

    def outline(closed):
        o = Path()
        o.M(wl, ytop + 4).Q(wl, ytop, wl + 4, ytop).L(wr - 4, ytop).Q(wr, ytop, wr, ytop + 4)
        o.L(wr, y_up).L(*up_end).L(*lo_end).L(wr, y_lo)
        o.L(wr, ycol).Q(wr, ycol + 3, jr, ycol + 5).L(jr + 0.5, H + 1)
        if closed:
            o.L(jl - 0.5, H + 1)
        else:
            o.M(jl - 0.5, H + 1)
        o.L(jl, ycol + 5).Q(wl, ycol + 3, wl, ycol).L(wl, ytop + 4)
        if closed:
            o.Z()
        return o

    body = outline(True)
    p.picture.append(path(body, fill=GF, fo=GFO))
    p.picture.append(band(Path().M(wl + 3, ytop + 8).L(wl + 3, ycol - 4), 2, '#ffffff'))
    o = outline(False)
    p.picture.append(path(o, stroke=GL, sw=1.5))
    # thermometer adapter and thermometer (bulb just above the column's lower part; the program
    # draws the red column from (40, 78) upwards)
    p.picture.append(path(Path().M(32.5, 36.5).L(47.5, 36.5).L(45.5, 49.5).L(34.5, 49.5).Z(),
                          fill=M1, stroke='#46505a', sw=1))
    p.picture.append(line(33.5, 38, 46.5, 38, M2, 1))
    thermometer_stem(p, 40.5, 0.0, 82.5, 4.0, ticks=[78 - 5 * k for k in range(1, 15)])
    pix = Pixels(W, H).add_poly(body.polys()[0], SHRINK, 90, H - 2)
    p.interior = pix
    y0, y1 = pix.rows()
    p.notes.append('interior: the column below the thermometer bulb and the side arm, rows %d..%d; '
                   'contents show from row 134 to the bottom line 188' % (y0, y1))
    p.notes.append('thermometer capillary: column x = 40, bulb top at row 78')
    return p, []


def condensador():
    name = 'condensador'
    W, H, cap, B = VESSELS[name]
    p = Pic(name, W, H)
    F = Frame(COND_A[0], COND_A[1], SLOPE_DEG)
    u_end = (COND_END_X - COND_A[0]) / math.cos(math.radians(SLOPE_DEG))
    Rin, Rj, Rs = 4.0, 10.5, 6.0
    uj0, uj1 = 30.0, 160.0

    # water nubs (under the jacket)
    for u, sgn in ((44.0, -1), (146.0, 1)):
        w0, w1 = Rj - 1.5, Rj + 7.5
        o = Path()
        a = F(u - 1.75, sgn * w0)
        o.M(*a).L(*F(u - 1.75, sgn * w1)).L(*F(u + 1.75, sgn * w1)).L(*F(u + 1.75, sgn * w0))
        wf = Rj - 0.75              # the fill starts on the jacket's wall line: one translucency
        f = Path().M(*F(u - 2.5, sgn * wf)).L(*F(u - 2.5, sgn * (w1 + 0.75))) \
            .L(*F(u + 2.5, sgn * (w1 + 0.75))).L(*F(u + 2.5, sgn * wf)).Z()
        p.picture.append(path(f, fill=GF, fo=GFO))
        p.picture.append(path(o, stroke=GL, sw=1.5))
        # hose ridge
        p.picture.append(path(Path().M(*F(u - 2.75, sgn * (w1 - 2))).L(*F(u + 2.75, sgn * (w1 - 2))),
                              stroke=GL, sw=1))
    # jacket
    jac = Path()
    jac.M(*F(uj0, -(Rin - 0.75)))
    jac.Q(*F(uj0 + 1, -(Rj - 0.75)), *F(uj0 + 8, -(Rj - 0.75)))
    jac.L(*F(uj1 - 8, -(Rj - 0.75)))
    jac.Q(*F(uj1 - 1, -(Rj - 0.75)), *F(uj1, -(Rin - 0.75)))
    jac.L(*F(uj1, Rin - 0.75))
    jac.Q(*F(uj1 - 1, Rj - 0.75), *F(uj1 - 8, Rj - 0.75))
    jac.L(*F(uj0 + 8, Rj - 0.75))
    jac.Q(*F(uj0 + 1, Rj - 0.75), *F(uj0, Rin - 0.75))
    jac.Z()
    p.picture.append(path(jac, fill=GF, fo=GFO))
    p.picture.append(band(Path().M(*F(uj0 + 9, -(Rj - 2.75))).L(*F(uj1 - 9, -(Rj - 2.75))),
                          2, '#ffffff'))
    p.picture.append(path(jac, stroke=GL, sw=1.5))
    # inner tube, with the socket that takes the head's side arm
    inner = Path().M(*F(14, -(Rin - 0.75))).L(*F(u_end, -(Rin - 0.75))).L(*F(u_end, Rin - 0.75)) \
        .L(*F(14, Rin - 0.75))
    # the inner tube's own fill only outside the jacket, so the glass is never two layers thick
    inner_fill = F.path([(14, -Rin), (uj0, -Rin), (uj0, Rin), (14, Rin)])
    inner_fill2 = F.path([(uj1, -Rin), (u_end, -Rin), (u_end, Rin), (uj1, Rin)])
    sock = Path().M(*F(14, -(Rin - 0.75))).L(*F(10, -(Rs - 0.75))).L(*F(-4, -(Rs - 0.75))) \
        .L(*F(-4, Rs - 0.75)).L(*F(10, Rs - 0.75)).L(*F(14, Rin - 0.75))
    sock_fill = F.path([(14, -Rin), (10, -Rs), (-4.5, -Rs), (-4.5, Rs), (10, Rs), (14, Rin)])
    p.picture.append(path(inner_fill, fill=GF, fo=GFO))
    p.picture.append(path(inner_fill2, fill=GF, fo=GFO))
    p.picture.append(path(sock_fill, fill=GF, fo=GFO))
    for q in (inner, sock):
        p.picture.append(path(q, stroke=GL, sw=1.5))
    # interior: the bore of the inner tube, down to the bottom line
    bore = [F(-4, 0), F(u_end - 0.5, 0)]
    pix = Pixels(W, H).add_tube(bore, Rin - 2.0, 0, B)
    p.interior = pix
    y0, y1 = pix.rows()
    p.notes.append('interior: the inner tube, rows %d..%d; 1 ml stands at row 67, the outlet end '
                   'is the lowest part' % (y0, y1))
    return p, []


def codo_destilacion():
    name = 'cododestilacion'
    W, H, cap, B = VESSELS[name]
    p = Pic(name, W, H)
    a = math.radians(SLOPE_DEG)
    # the condenser's axis in this piece's frame (placed at condenser + (174, 65))
    y_at0 = COND_A[1] - 65 + (0 - (COND_A[0] - 174)) * math.tan(a)
    xc = 46.0                        # outlet centre: the drop is drawn at x 43 .. 49 below
    yc = y_at0 + xc * math.tan(a)
    R = 5.0
    # vent nub to the right (under the main tube)
    nub = Tube([(xc + R - 0.75, 40.5), (63.5, 40.5)])
    glass_tube(p, nub, 2.5, highlight=False)
    # the tube narrows right under the bottom line (65), so the liquid rests on the taper
    F = Frame(-1.0, y_at0 - 0.375, SLOPE_DEG)
    tube = Tube([F(19.0, 0), (xc, yc), (xc, 66.0)], rc=11.0)     # starts where the socket ends
    glass_tube(p, tube, R, open_end=True, open_start=True)
    # drip tip
    tipo = Path().M(xc - R + 0.75, 65.5).Q(xc - R + 0.75, 70, xc - 2.25, 72).L(xc - 1.75, H + 1)
    tipo2 = Path().M(xc + R - 0.75, 65.5).Q(xc + R - 0.75, 70, xc + 2.25, 72).L(xc + 1.75, H + 1)
    tipf = Path().M(xc - R, 65.5).Q(xc - R, 70, xc - 3, 72).L(xc - 2.5, H).L(xc + 2.5, H) \
        .L(xc + 3, 72).Q(xc + R, 70, xc + R, 65.5).Z()
    p.picture.append(path(tipf, fill=GF, fo=GFO))
    for q in (tipo, tipo2):
        p.picture.append(path(q, stroke=GL, sw=1.5, lc='butt'))
    # socket that takes the condenser outlet
    sock = Path().M(*F(1.5, -5.75)).L(*F(15, -5.75)).L(*F(19, -(R - 0.75))).M(*F(19, R - 0.75)) \
        .L(*F(15, 5.75)).L(*F(1.5, 5.75))
    sockf = F.path([(1.0, -6.5), (15, -6.5), (19.0, -R), (19.0, R), (15, 6.5), (1.0, 6.5)])
    p.picture.append(path(sockf, fill=GF, fo=GFO))
    p.picture.append(path(sock, stroke=GL, sw=1.5))
    pix = Pixels(W, H)
    tube_bore(pix, tube, R, 0, B)
    pix.add_tube([F(1.0, 0), F(19.0, 0)], R - 2.0, 0, B)
    p.interior = pix
    y0, y1 = pix.rows()
    p.notes.append('interior: the bore, rows %d..%d; liquid shows from row 52 to the bottom line 65; '
                   'the program draws the drop at (43, 83)-(49, 92), under the tip' % (y0, y1))
    return p, []


def condensador_reflujo():
    name = 'condensadorreflujo'
    W, H, cap, B = VESSELS[name]
    lev = LEVELS[name]
    p = Pic(name, W, H)
    xc = 40.0
    Rin, Rj = 5.0, 12.0
    j0, j1 = 18.0, 144.0
    # nubs
    for y, x0, x1 in ((30.5, xc - Rj + 0.75, 6.5), (131.5, xc + Rj - 0.75, 77.5)):
        t = Tube([(x0, y), (x1, y)])
        glass_tube(p, t, 2.75, highlight=False)
        xr = x1 + (2 if x1 > x0 else -2)
        p.picture.append(line(xr, y - 2.75, xr, y + 2.75, GL, 1))
    # jacket
    jl, jr = xc - Rj + 0.75, xc + Rj - 0.75
    il, ir = xc - Rin + 0.75, xc + Rin - 0.75
    jac = Path().M(il, j0).Q(jl, j0 + 1, jl, j0 + 8).L(jl, j1 - 8).Q(jl, j1 - 1, il, j1) \
        .M(ir, j1).Q(jr, j1 - 1, jr, j1 - 8).L(jr, j0 + 8).Q(jr, j0 + 1, ir, j0)
    jacf = Path().M(il, j0).Q(jl, j0 + 1, jl, j0 + 8).L(jl, j1 - 8).Q(jl, j1 - 1, il, j1).L(ir, j1) \
        .Q(jr, j1 - 1, jr, j1 - 8).L(jr, j0 + 8).Q(jr, j0 + 1, ir, j0).Z()
    p.picture.append(path(jacf, fill=GF, fo=GFO))
    p.picture.append(band(Path().M(jl + 3, j0 + 9).L(jl + 3, j1 - 9), 2, '#ffffff'))
    p.picture.append(path(jac, stroke=GL, sw=1.5))
    # inner tube, open at the top, male joint at the bottom
    yj = 158.0
    inner_l = Path().M(il - 1.5, 1.0).C(il - 0.25, 1.5, il, 2, il, 3.5).L(il, yj).L(il + 0.5, H + 1)
    inner_r = Path().M(ir + 1.5, 1.0).C(ir + 0.25, 1.5, ir, 2, ir, 3.5).L(ir, yj).L(ir - 0.5, H + 1)
    # own fill above and below the jacket only: the glass is never two layers thick
    innf = Path().M(xc - Rin, 2).L(xc - Rin, j0).L(xc + Rin, j0).L(xc + Rin, 2).Z()
    innf2 = Path().M(xc - Rin, j1).L(xc - Rin, yj).L(xc - Rin + 0.5, H).L(xc + Rin - 0.5, H) \
        .L(xc + Rin, yj).L(xc + Rin, j1).Z()
    p.picture.append(path(innf, fill=GF, fo=GFO))
    p.picture.append(path(innf2, fill=GF, fo=GFO))
    for q in (inner_l, inner_r):
        p.picture.append(path(q, stroke=GL, sw=1.5, lc='butt'))
    for q in (Path().M(il - 1.5, 1.0).C(il - 0.5, 1.25, il, 1.75, il, 2.75),
              Path().M(ir + 1.5, 1.0).C(ir + 0.5, 1.25, ir, 1.75, ir, 2.75)):
        p.picture.append(path(q, stroke=GL, sw=2.25))
    # ground joint marks
    for y in (yj + 2, yj + 6, yj + 10):
        p.picture.append(line(il + 1, y + 0.5, ir - 1, y + 0.5, '#b4c2ce', 1))
    ytop = lev(cap)
    poly = Path().M(il, -5).L(il, yj).L(il + 0.5, H + 5).L(ir - 0.5, H + 5).L(ir, yj).L(ir, -5).Z()
    p.interior = Pixels(W, H).add_poly(poly.polys()[0], SHRINK, ytop, B)
    p.notes.append('interior: the inner tube, rows %d..%d (30 ml at row %d)' % (ytop, B, ytop))
    return p, []


def filtro_buchner():
    name = 'filtrobuchner'
    W, H, cap, B = VESSELS[name]
    p = Pic(name, W, H)
    xc = 36.5                        # on the Erlenmeyer's neck (41.5 - 5)
    bl, br = 18.75, 54.25            # bowl outer 18 .. 55
    yt, yb = 3.0, 21.0
    bowl = Path().M(bl, yt).L(bl, yb).Q(bl, yb + 4, bl + 6, yb + 5.5).L(xc - 3.25, yb + 7.5) \
        .L(xc - 3.25, yb + 9).M(xc + 3.25, yb + 9).L(xc + 3.25, yb + 7.5).L(br - 6, yb + 5.5) \
        .Q(br, yb + 4, br, yb).L(br, yt)
    bowlf = Path().M(bl, yt).L(bl, yb).Q(bl, yb + 4, bl + 6, yb + 5.5).L(xc - 3.25, yb + 7.5) \
        .L(xc - 3.25, yb + 9).L(xc + 3.25, yb + 9).L(xc + 3.25, yb + 7.5).L(br - 6, yb + 5.5) \
        .Q(br, yb + 4, br, yb).L(br, yt).Z()
    p.picture.append(path(bowlf, fill=PORC))
    p.picture.append(rect(br - 5.5, yt + 2, 3, yb - yt, M3))
    p.picture.append(path(Path().M(bl + 3, yt + 2).L(bl + 3, yb), stroke='#ffffff', sw=2))
    # inner wall of the bowl and the perforated plate
    inner = Path().M(bl + 2.5, yt).L(bl + 2.5, 18.0).L(br - 2.5, 18.0).L(br - 2.5, yt)
    p.picture.append(path(Path().M(bl + 2.5, yt).L(bl + 2.5, 18).L(br - 2.5, 18).L(br - 2.5, yt).Z(),
                          fill=PORC_IN))
    p.picture.append(path(inner, stroke=GL, sw=1, lc='butt'))
    for x in range(int(bl + 6), int(br - 4), 4):
        p.picture.append(rect(x, 18.5, 1.5, 1, GL))
    p.picture.append(path(bowl, stroke=GL, sw=1.5))
    p.picture.append(line(bl - 0.75, yt, br + 0.75, yt, GL, 2.25, lc='round'))
    # rubber cone that seals the flask neck, and the stem
    p.picture.append(path(Path().M(27.0, 24.5).L(46.0, 24.5).L(43.5, 37.5).L(29.5, 37.5).Z(),
                          fill=M1, stroke='#46505a', sw=1))
    p.picture.append(line(28, 26, 45, 26, M2, 1))
    stem = Path().M(xc - 2.25, yb + 9).L(xc - 2.25, 55.5).L(xc + 2.25, 57.5).L(xc + 2.25, yb + 9)
    stemf = Path().M(xc - 3, yb + 8).L(xc - 3, 56).L(xc + 3, 58).L(xc + 3, yb + 8).Z()
    p.picture.append(path(stemf, fill=GF, fo=GFO))
    p.picture.append(path(stem, stroke=GL, sw=1.5))
    poly = Path().M(bl + 2.5, yt - 6).L(bl + 2.5, 18).L(br - 2.5, 18).L(br - 2.5, yt - 6).Z()
    p.interior = Pixels(W, H).add_poly(poly.polys()[0], 1.0, int(yt) + 2, 17)
    p.notes.append('interior: the bowl above the plate, rows %d..%d; the program never paints the '
                   'funnel\'s contents' % p.interior.rows())
    return p, []


def tubo_vidrio(left):
    name = 'tubovidrio_izquierda' if left else 'tubovidrio_derecha'
    W, H, cap, B = VESSELS[name]
    p = Pic(name, W, H)

    def X(x):
        return W - x if left else x
    # rubber stopper in the Erlenmeyer's neck (neck centre 41.5)
    st = Path().M(X(31.5), 23.5).L(X(51.5), 23.5).L(X(49.0), 36.5).L(X(34.0), 36.5).Z()
    p.picture.append(path(st, fill=M1, stroke='#46505a', sw=1))
    p.picture.append(line(X(32.5), 25, X(50.5), 25, M2, 1))
    xo = 150.5
    t = Tube([(X(41.5), 40.0), (X(41.5), 5.5), (X(xo), 5.5), (X(xo), H + 1.0)], rc=7.0)
    R = 3.0
    p.picture.append(path(t.outline(R), fill=GF, fo=GFO))
    o1 = t.side(R - 0.75)
    o2 = t.side(-(R - 0.75))
    cap_ = Path().M(*t.side(R - 0.75).pts[0]).L(*t.side(-(R - 0.75)).pts[0])
    for q in (o1, o2, cap_):
        p.picture.append(path(q, stroke=GL, sw=1.5, lc='butt'))
    pix = Pixels(W, H)
    tube_bore(pix, t, R, 0, H - 1)
    p.interior = pix
    y0, y1 = pix.rows()
    probe = (3, 117) if left else (150, 117)
    p.notes.append('interior: the bore, rows %d..%d; contents show from row 1 to the bottom line 22; '
                   'outlet at the probe point (%d, %d)' % (y0, y1, probe[0], probe[1]))
    return p, []


# ---------------------------------------------------------------------------------------------
# Heat sources and instruments (one picture layer)

DARK_EDGE = '#46505a'


def tapa_calorimetro():
    name = 'tapacalorimetro'
    W, H = OTHERS[name]
    p = Pic(name, W, H)
    # stirrer knob (right) and thermometer cap (left) stand up from the lid
    p.picture.append(rect(47.5, 0.5, 4, 4, M1, stroke=DARK_EDGE, sw=1, rx=1))
    p.picture.append(rect(3.5, 1.5, 4, 3, M2, stroke=M1, sw=1, rx=1))
    # lid plate and skirt; the reading is written on the plate at (11, 1)
    p.picture.append(rect(1.25, 3.75, 52.5, 6, M3, stroke=M1, sw=1.5, rx=2))
    p.picture.append(rect(0.75, 8.75, 53.5, 6.5, M2, stroke=M1, sw=1.5, rx=1.5))
    p.picture.append(line(2, 12.5, 53, 12.5, M1, 1, op='0.5'))
    # a light window on the lid where the program writes the reading
    p.picture.append(rect(10.5, 1.5, 30, 11, LCD, stroke=M1, sw=1, rx=1.5))
    p.notes.append('reading written by the program at (11, 1); probe point (0, 0)')
    return p, []


def mechero():
    name = 'mechero'
    W, H = OTHERS[name]
    p = Pic(name, W, H)
    xc = 22.0                        # under the flame, drawn by the program at (15, 0) .. (29, 15)
    # gas inlet on the right
    p.picture.append(rect(24, 61.75, 21, 4.5, M2, stroke=M1, sw=1.5))
    for x in (36, 40, 44):
        p.picture.append(line(x, 61, x, 67, M1, 1))
    # base
    base = Path().M(3.75, 78.25).L(8.5, 70.75).L(35.5, 70.75).L(40.25, 78.25).Z()
    p.picture.append(path(base, fill=M2, stroke=M1, sw=1.5))
    p.picture.append(line(9, 72.5, 35, 72.5, M3, 1.5))
    p.picture.append(rect(2.75, 77.25, 38.5, 2, M1))
    # barrel
    p.picture.append(rect(xc - 3.25, 15.75, 6.5, 56, M3, stroke=M1, sw=1.5))
    p.picture.append(rect(xc + 0.75, 16.5, 1.75, 54.5, M2))
    p.picture.append(rect(xc - 4.5, 14.75, 9, 2.5, M2, stroke=M1, sw=1.5, rx=0.75))
    # air regulator collar with its opening
    p.picture.append(rect(xc - 4.75, 52.75, 9.5, 9.5, M2, stroke=M1, sw=1.5, rx=1))
    p.picture.append(rect(xc - 2, 55.5, 4, 4, '#1e262d'))
    p.notes.append('flame frames (llama1 .. llama4, 14 x 15) are drawn by the program at (15, 0)')
    return p, []


def llama(k):
    W, H = 14, 15
    p = Pic('llama%d' % (k + 1), W, H)
    # per frame: tip, the two flanks' pull (left, right), inner cone tip; the frames differ in
    # height and lean so that the flame flickers when they follow each other
    frames = [((7.0, 0.5), (0.5, 13.5), (7.0, 6.0)),     # upright
              ((9.5, 1.5), (1.0, 14.0), (7.75, 7.0)),    # bent to the right
              ((6.5, 0.0), (2.0, 12.0), (6.75, 5.0)),    # tall and narrow
              ((4.5, 2.0), (0.0, 13.0), (6.25, 7.5))]    # bent to the left, wider
    (tx, ty), (lp, rp), (ix, iy) = frames[k]

    def flame(inset, tip_drop):
        x0, x1 = 2.5 + inset, 11.5 - inset
        t = (tx + (7 - tx) * inset * 0.12, ty + tip_drop)
        q = Path().M(x0, 15)
        q.C(lp + inset * 1.2, 11.5, t[0] - 2.0 - 0.1 * (t[0] - 7), t[1] + 4.5, t[0], t[1])
        q.C(t[0] + 2.0 - 0.1 * (t[0] - 7), t[1] + 4.5, rp - inset * 1.2, 11.5, x1, 15)
        return q.Z()
    p.picture.append(path(flame(0, 0), fill='#ffb030'))
    p.picture.append(path(flame(1.0, 2.5), fill='#ffd25a'))
    inner = Path().M(4.5, 15).C(4.5, 12.5, ix - 1.5, iy + 3, ix, iy).C(ix + 1.5, iy + 3, 9.5, 12.5, 9.5, 15).Z()
    p.picture.append(path(inner, fill='#2f6fe0'))
    core = Path().M(6.0, 15).C(6.0, 13.5, ix - 0.75, iy + 4.5, ix, iy + 3) \
        .C(ix + 0.75, iy + 4.5, 8.0, 13.5, 8.0, 15).Z()
    p.picture.append(path(core, fill='#8fb4f2'))
    return p, []


def parrilla():
    name = 'parrilla'
    W, H = OTHERS[name]
    p = Pic(name, W, H)
    # feet
    for x in (6, 99):
        p.picture.append(rect(x, 35, 12, 4, '#1e262d', rx=1))
    # body
    p.picture.append(rect(1.25, 5.75, 114.5, 31, BODY, stroke='#1e262d', sw=1.5, rx=3))
    p.picture.append(line(3, 8, 114, 8, '#3f4d5a', 1.5))
    # heating plate on top: a vessel stands on row 0
    p.picture.append(rect(4.75, 0.75, 107.5, 5.5, M2, stroke=M1, sw=1.5, rx=1.5))
    p.picture.append(line(6.5, 2.5, 110.5, 2.5, M3, 1))
    # control knob
    p.picture.append(circle(104.5, 16.5, 6.25, M3, stroke=M1, sw=1.5))
    p.picture.append(line(104.5, 11.5, 104.5, 15.5, M1, 1.5, lc='round'))
    # level lamps: five dark windows; the program lights (7, 29)-(24, 31) and every 21 px further
    for i in range(5):
        x = 7 + 21 * i
        p.picture.append(rect(x - 1, 28, 19, 4, '#1e262d', rx=1))
        p.picture.append(rect(x, 29, 17, 2, '#3a1517'))
    p.notes.append('lamp windows: (6, 28)-(25, 32) and every 21 px to the right; the lit part is '
                   '(7, 29)-(24, 31) + 21 k, centres (15.5, 30) .. (99.5, 30)')
    return p, []


def banohielo():
    name = 'banohielo'
    W, H = OTHERS[name]
    p = Pic(name, W, H)
    # basin
    basin = Path().M(2.75, 12).L(8.5, 49.25).L(111.5, 49.25).L(117.25, 12).Z()
    water = Path().M(4.2, 21.5).L(115.8, 21.5).L(111.5, 49.25).L(8.5, 49.25).Z()
    p.picture.append(path(basin, fill=M3))
    p.picture.append(path(water, fill='#cfe6f5'))
    # ice cubes, some above the water
    cubes = [(10, 9, 13, 12, -8), (26, 13, 12, 11, 6), (41, 7, 14, 13, 4), (58, 12, 12, 11, -6),
             (73, 8, 13, 12, 8), (89, 11, 12, 12, -4), (103, 10, 10, 11, 5),
             (16, 28, 11, 10, 10), (36, 31, 12, 10, -5), (56, 29, 11, 10, 7), (78, 31, 12, 9, -8),
             (96, 28, 11, 10, 4)]
    for x, y, w, h, rot in cubes:
        cx, cy = x + w / 2, y + h / 2
        under = y > 20
        p.picture.append('<rect x="%s" y="%s" width="%s" height="%s" rx="2" fill="%s" stroke="%s" '
                         'stroke-width="1" transform="rotate(%d %s %s)"/>'
                         % (n(x), n(y), n(w), n(h), '#e4f1fa' if under else '#f4fafd',
                            '#8fb6d1', rot, n(cx), n(cy)))
        if not under:
            p.picture.append('<path d="M%s %sh%s" stroke="#ffffff" stroke-width="1.5" '
                             'stroke-linecap="round" transform="rotate(%d %s %s)"/>'
                             % (n(x + 2.5), n(y + 2.5), n(w - 6), rot, n(cx), n(cy)))
    p.picture.append(path(Path().M(4.2, 21.5).L(115.8, 21.5), stroke='#8fb6d1', sw=1))
    # front wall of the basin over the lower cubes
    p.picture.append(path(Path().M(6.5, 36).L(113.5, 36).L(111.5, 49.25).L(8.5, 49.25).Z(),
                          fill='#cfe6f5', fo='0.55'))
    p.picture.append(path(basin, stroke=M1, sw=1.5))
    p.picture.append(path(Path().M(1, 12).L(119, 12), stroke=M1, sw=2.5))
    p.picture.append(path(Path().M(5, 15).L(9.5, 46.5), stroke='#ffffff', sw=1.5, so='0.8'))
    p.picture.append(rect(9, 49.5, 102, 2, M1))
    return p, []


def agitador():
    name = 'agitador'
    W, H = OTHERS[name]
    p = Pic(name, W, H)
    # a solid rod four pixels wide, drawn on whole pixels: outline, lit side, glass
    p.picture.append(rect(0, 1, 1, 128, GL))
    p.picture.append(rect(3, 1, 1, 128, GL))
    p.picture.append(rect(1, 0, 2, 1, GL))
    p.picture.append(rect(1, 129, 2, 1, GL))
    p.picture.append(rect(1, 1, 1, 128, '#ffffff'))
    p.picture.append(rect(2, 1, 1, 128, '#dde8f0'))
    p.notes.append('glass stirring rod; probe point (2, 128) at its lower end')
    return p, []


def termometro():
    name = 'termometro'
    W, H = OTHERS[name]
    p = Pic(name, W, H)
    xc = 5.0                           # capillary pixels x = 4 and 5 (the program's red column)
    wl, wr = 1.75, 9.25                # stem outer 1 .. 10
    yt = 10.0
    stem = Path().M(wl, 69).L(wl, yt + 3.75).arc(5.5, yt + 3.75, 3.75, 180, 360).L(wr, 69)
    stemf = Path().M(wl, 70).L(wl, yt + 3.75).arc(5.5, yt + 3.75, 3.75, 180, 360).L(wr, 70).Z()
    p.picture.append(path(stemf, fill='#f7fafc'))
    p.picture.append(rect(4, 12, 2, 56, '#ffffff'))
    # scale: 0 degrees at row 67, 10 degrees every 5 rows up to 110 at row 12
    for k in range(0, 12):
        y = 67 - 5 * k
        L = 5 if k in (0, 5, 10) else 3
        p.picture.append(line(10.5, y + 0.5, 10.5 + L, y + 0.5, GL, 1))
        if k in (0, 5, 10):
            p.picture.append(text(17, y + 2.5, str(10 * k), 6))
        if k < 11:
            p.picture.append(line(10.5, y - 2, 12, y - 2, GL, 1))
    p.picture.append(path(stem, stroke=GL, sw=1.5))
    # bulb (the probe point (5, 78) is at its lower end)
    p.picture.append(path(Path().M(wl + 0.5, 69).L(wr - 0.5, 69).L(wr - 0.5, 70.5).L(wl + 0.5, 70.5).Z(),
                          fill='#f7fafc'))
    p.picture.append(circle(5.0, 74.25, 4.25, RED, stroke=GL, sw=1.5))
    p.picture.append(rect(4, 66, 2, 5, RED))
    p.picture.append(circle(3.75, 73.0, 1.0, '#ff9a9a'))
    p.notes.append('the program writes the reading at (2, 1) and draws the red column at x = 4, 5 '
                   'from row 67 up; probe point (5, 78)')
    return p, []


def electrode(p, xc, y0, y1, glass_from):
    """A dipping electrode of 5 px: dark body, glass end with a round bulb at y1."""
    p.picture.append(rect(xc - 2.5 + 0.75, y0, 3.5, glass_from - y0, BODY, stroke='#1e262d', sw=1.5, rx=1))
    g = Path().M(xc - 1.75, glass_from - 1).L(xc - 1.75, y1 - 2).arc(xc, y1 - 2, 1.75, 180, 0) \
        .L(xc + 1.75, glass_from - 1)
    p.picture.append(path(Path().M(xc - 1.75, glass_from - 1).L(xc - 1.75, y1 - 2)
                          .arc(xc, y1 - 2, 1.75, 180, 0).L(xc + 1.75, glass_from - 1).Z(), fill=GF))
    p.picture.append(path(g, stroke=GL, sw=1.5))


def phmetro():
    name = 'phmetro'
    W, H = OTHERS[name]
    p = Pic(name, W, H)
    # cable from the meter to the electrode
    p.picture.append(path(Path().M(16, 36).C(8, 36, 2.5, 34, 2.5, 44), stroke='#1e262d', sw=2))
    electrode(p, 2.5, 43.5, 129.5, 104)
    p.picture.append(rect(0.5, 42.5, 4, 4, M1, rx=1))
    # meter
    p.picture.append(rect(14.75, 2.75, 76.5, 48.5, BODY, stroke='#1e262d', sw=1.5, rx=4))
    p.picture.append(line(17, 5.5, 89, 5.5, '#3f4d5a', 1.5))
    # display, where the program writes "pH: ..." at (37, 16)
    p.picture.append(rect(32.5, 12.5, 58, 21, '#0b1210', rx=1.5))
    p.picture.append(rect(33.5, 13.5, 56, 19, LCD))
    # keys
    for x in (38, 52, 66, 80):
        p.picture.append(rect(x - 4, 39.5, 8, 5, M2, stroke=M1, sw=1, rx=1.5))
    p.picture.append(circle(23.5, 22.5, 4, M3, stroke=M1, sw=1.5))
    p.notes.append('display panel (33, 13)-(90, 33) left empty: the program writes the reading at '
                   '(37, 16); probe point (2, 128)')
    return p, []


def conductimetro():
    name = 'conductimetro'
    W, H = OTHERS[name]
    p = Pic(name, W, H)
    p.picture.append(path(Path().M(62, 34).C(74, 34, 82.5, 36, 82.5, 44), stroke='#1e262d', sw=2))
    electrode(p, 82.5, 43.5, 129.5, 104)
    p.picture.append(rect(80.5, 42.5, 4, 4, M1, rx=1))
    p.picture.append(rect(0.75, 4.75, 61.5, 50.5, BODY, stroke='#1e262d', sw=1.5, rx=4))
    p.picture.append(line(3, 7.5, 60, 7.5, '#3f4d5a', 1.5))
    # dial: the program draws its needle from (24, 37), 20 px long, from left (180) to right (0)
    cx, cy = 24.5, 37.5
    face = Path().M(cx - 21.5, cy + 3).L(cx - 21.5, cy).arc(cx, cy, 21.5, 180, 360).L(cx + 21.5, cy + 3).Z()
    p.picture.append(path(face, fill='#f4f7f9', stroke='#1e262d', sw=1.5))
    p.picture.append(path(Path().arc(cx, cy, 18.5, 180, 360), stroke=GL, sw=1))
    for k in range(8):
        th = 25.71 * k
        c, s = math.cos(math.radians(th)), math.sin(math.radians(th))
        p.picture.append(line(cx + 18.5 * c, cy - 18.5 * s, cx + 21 * c, cy - 21 * s, GL, 1))
    for k in range(7):
        th = 25.71 * (k + 0.5)
        c, s = math.cos(math.radians(th)), math.sin(math.radians(th))
        p.picture.append(line(cx + 18.5 * c, cy - 18.5 * s, cx + 20 * c, cy - 20 * s, GL, 1))
    p.picture.append(circle(cx, cy, 2.5, M1))
    # knob
    p.picture.append(circle(53.5, 45, 4.5, M3, stroke=M1, sw=1.5))
    p.picture.append(line(53.5, 41.5, 53.5, 44.5, M1, 1.5, lc='round'))
    p.notes.append('dial centred on (24, 37), radius 21: the program draws the needle; probe point '
                   '(82, 128)')
    return p, []


def balanza():
    name = 'balanza'
    W, H = OTHERS[name]
    p = Pic(name, W, H)
    for x in (6, 99):
        p.picture.append(rect(x, 35, 12, 4, '#1e262d', rx=1))
    p.picture.append(rect(1.25, 7.75, 114.5, 29, BODY, stroke='#1e262d', sw=1.5, rx=3))
    p.picture.append(line(3, 10, 114, 10, '#3f4d5a', 1.5))
    # pan: its top is row 0, where a vessel stands (probe point (58, -5))
    p.picture.append(rect(53.5, 3, 10, 5, M1))
    p.picture.append(rect(20.75, 0.75, 75.5, 3.5, M3, stroke=M1, sw=1.5, rx=1.5))
    # display: the program writes the mass right-aligned at (90, 15)
    p.picture.append(rect(9.5, 12.5, 86, 20, '#0b1210', rx=1.5))
    p.picture.append(rect(10.5, 13.5, 84, 18, PANEL))
    p.picture.append(circle(105.5, 17.5, 3.25, M2, stroke=M1, sw=1))
    p.picture.append(circle(105.5, 27.5, 3.25, M2, stroke=M1, sw=1))
    p.notes.append('display panel (10, 13)-(95, 32) left empty: the program writes the mass '
                   'right-aligned at (90, 15)')
    return p, []


# ---------------------------------------------------------------------------------------------
# Solid textures: black marks on white, tiled 8 x 8 (only the top-left 8 x 8 of each tile is used)

TEXTURES = {
    # fine dust
    0: (8, 8, ['........',
               '.#......',
               '........',
               '.....#..',
               '........',
               '........',
               '...#....',
               '.......#']),
    # granules
    1: (8, 8, ['........',
               '.##.....',
               '.....#..',
               '.....#..',
               '........',
               '..#.....',
               '.......#',
               '......##']),
    # filings: short slanted strokes
    2: (9, 8, ['.........',
               '.#.......',
               '..#......',
               '.....#...',
               '......#..',
               '.........',
               '..#......',
               '...#.....']),
    # lumps
    3: (8, 8, ['........',
               '.##.....',
               '.##.....',
               '........',
               '.....##.',
               '.....##.',
               '........',
               '...#....']),
    # cubic crystals (open squares)
    4: (8, 8, ['........',
               '.###....',
               '.#.#....',
               '.###....',
               '........',
               '.....#..',
               '........',
               '........']),
    # blue-vitriol crystals (small diamonds)
    5: (8, 8, ['........',
               '..#.....',
               '.#.#....',
               '..#.....',
               '......#.',
               '........',
               '.....#..',
               '........']),
    # flakes (short dashes); the 12 x 12 bitmap repeats its top-left 8 x 8
    6: (12, 12, None),
}

FLAKES = ['........',
          '.###....',
          '........',
          '.....##.',
          '........',
          '..##....',
          '........',
          '......##']


def textura(code):
    w, h, rows = TEXTURES[code]
    if rows is None:
        rows = [''.join(FLAKES[y % 8][x % 8] for x in range(w)) for y in range(h)]
    name = 'textura%d' % (500 + code)
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d" '
           'shape-rendering="crispEdges">' % (w, h, w, h),
           '  <!-- Alkor: solid texture %d, black marks on white -->' % code,
           '  <g id="picture">',
           '    <rect x="0" y="0" width="%d" height="%d" fill="#ffffff"/>' % (w, h)]
    d = []
    for y, row in enumerate(rows):
        x = 0
        while x < w:
            if row[x] == '#':
                x1 = x
                while x1 < w and row[x1] == '#':
                    x1 += 1
                d.append('M%d %dh%dv1h-%dz' % (x, y, x1 - x, x1 - x))
                x = x1
            else:
                x += 1
    out.append('    <path d="%s" fill="#000000"/>' % ' '.join(d))
    out += ['  </g>', '</svg>']
    with open(os.path.join(OUT, name + '.svg'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(out) + '\n')
    return name, (w, h)


def all_pictures():
    res = {}
    res.update(make_beakers())
    res['erlenmeyer100'] = erlenmeyer('erlenmeyer100', 8.5, 24, 35, 6)
    # the scale stands a little right of centre so that its numbers clear the label sticker
    res['erlenmeyer250'] = erlenmeyer('erlenmeyer250', 9.5, 24, 39, 6, tick_x0_dx=5.0)
    res['matrazbalon'] = matraz_balon()
    res['matrazgases'] = matraz_gases()
    res['probeta10'] = probeta('probeta10', 8, 28)
    res['probeta100'] = probeta('probeta100', 9, 33)
    res['tuboensaye'] = tubo_ensaye()
    res['vidrioreloj'] = vidrio_reloj()
    res['crisol'] = crisol()
    res['calorimetro'] = calorimetro()
    res['bureta10'] = bureta('bureta10', {0: '0', 5: '5', 10: '10'}, 1, 0.5)
    res['bureta50'] = bureta('bureta50', {0: '0', 25: '25', 50: '50'}, 5, 1)
    res['pipetagraduada'] = pipeta_graduada()
    res['pipetavolumetrica'] = pipeta_volumetrica()
    res['cabezadestilacion'] = cabeza_destilacion()
    res['condensador'] = condensador()
    res['cododestilacion'] = codo_destilacion()
    res['filtrobuchner'] = filtro_buchner()
    res['tubovidrio_derecha'] = tubo_vidrio(False)
    res['tubovidrio_izquierda'] = tubo_vidrio(True)
    res['condensadorreflujo'] = condensador_reflujo()
    res['tapacalorimetro'] = tapa_calorimetro()
    res['mechero'] = mechero()
    res['parrilla'] = parrilla()
    res['agitador'] = agitador()
    res['termometro'] = termometro()
    res['phmetro'] = phmetro()
    res['balanza'] = balanza()
    res['conductimetro'] = conductimetro()
    res['banohielo'] = banohielo()
    for k in range(4):
        res['llama%d' % (k + 1)] = llama(k)
    return res


def main():
    os.makedirs(OUT, exist_ok=True)
    only = sys.argv[1:]
    for k, (p, rows) in all_pictures().items():
        if only and k not in only:
            continue
        p.write()
        print(k, p.interior.rows() if p.interior else '', rows)
    if not only:
        for c in range(7):
            textura(c)


if __name__ == '__main__':
    main()
