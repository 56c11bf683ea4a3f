"""Text as SVG path data, from the glyph outlines of the Liberation fonts (needs python3-fonttools)."""
from fontTools.ttLib import TTFont
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
FONTS = {
 'sans': '/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf',
 'sansb': '/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf',
 'sansi': '/usr/share/fonts/truetype/liberation2/LiberationSans-Italic.ttf',
}
_cache = {}
def font(name):
    if name not in _cache:
        _cache[name] = TTFont(FONTS.get(name, name))
    return _cache[name]
def width(text, name, size, tracking=0.0):
    f = font(name); upm = f['head'].unitsPerEm; cmap = f.getBestCmap(); hmtx = f['hmtx']
    w = 0
    for ch in text:
        g = cmap.get(ord(ch), '.notdef'); w += hmtx[g][0] * size / upm + tracking
    return w - tracking
def path(text, name, size, x, y, anchor='start', tracking=0.0):
    f = font(name); upm = f['head'].unitsPerEm; cmap = f.getBestCmap(); gs = f.getGlyphSet(); hmtx = f['hmtx']
    s = size / upm
    if anchor == 'middle': x -= width(text, name, size, tracking) / 2
    elif anchor == 'end': x -= width(text, name, size, tracking)
    out = []
    for ch in text:
        g = cmap.get(ord(ch), '.notdef')
        pen = SVGPathPen(gs, ntos=lambda v: ('%.2f' % v).rstrip('0').rstrip('.'))
        tp = TransformPen(pen, (s, 0, 0, -s, x, y))
        gs[g].draw(tp)
        d = pen.getCommands()
        if d: out.append(d)
        x += hmtx[g][0] * s + tracking
    return ' '.join(out)
