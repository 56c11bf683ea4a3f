"""Writes res/iconos/decantar.svg and transferir.svg (tilted beaker pouring into another)."""
import os
RAIZ = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..'))
import math
from tilt import *
O='#3c5366'; G='#eef6fb'; L='#4d9de0'; LS='#8cc4f0'; S='#9a5a24'; SD='#6e3c14'

def tilted(ang, cx, cy, tx, ty, level, sed_level=None, w=12, h=13):
    inner = beaker(w, h, r=2.5, n=6)
    world = xf(inner, w/2, h/2, ang, tx, ty)
    parts = []
    parts.append('<path d="%s" fill="%s"/>' % (path(world), G))
    if level is not None:
        liq = clip_below(world, level)
        if len(liq) > 2:
            parts.append('<path d="%s" fill="%s"/>' % (path(liq), L))
    if sed_level is not None:
        sed = clip_below(world, sed_level)
        if len(sed) > 2:
            parts.append('<path d="%s" fill="%s"/>' % (path(sed), S))
    # outline in local coordinates, transformed
    tr = 'translate(%g %g) rotate(%g) translate(%g %g)' % (tx, ty, ang, -w/2, -h/2)
    outline = ('M-2 -1.2 Q0 -0.6 0 1.5 V%g Q0 %g 2.5 %g H%g Q%g %g %g %g V1.5 Q%g -0.6 %g -1.2'
               % (h-2.5, h, h, w-2.5, w, h, w, h-2.5, w, w+2.3))
    parts.append('<path transform="%s" d="%s" fill="none" stroke="%s" stroke-width="2" stroke-linejoin="round" stroke-linecap="round"/>' % (tr, outline, O))
    lip = xf([(w+2.3, -1.2)], w/2, h/2, ang, tx, ty)[0]
    return parts, lip, world

def receiver(x0, x1, top, bottom, liq, sed=None):
    p=[]
    p.append('<path d="M%g %g V%g Q%g %g %g %g H%g Q%g %g %g %g V%g Z" fill="%s"/>' % (x0, top, bottom-2.5, x0, bottom, x0+2.5, bottom, x1-2.5, x1, bottom, x1, bottom-2.5, top, G))
    p.append('<path d="M%g %g V%g Q%g %g %g %g H%g Q%g %g %g %g V%g Z" fill="%s"/>' % (x0, liq, bottom-2.5, x0, bottom, x0+2.5, bottom, x1-2.5, x1, bottom, x1, bottom-2.5, liq, L))
    p.append('<rect x="%g" y="%g" width="%g" height="1.5" fill="%s"/>' % (x0, liq, x1-x0, LS))
    if sed is not None:
        p.append('<path d="M%g %g V%g Q%g %g %g %g H%g Q%g %g %g %g V%g Z" fill="%s"/>' % (x0, sed, bottom-2.5, x0, bottom, x0+2.5, bottom, x1-2.5, x1, bottom, x1, bottom-2.5, sed, S))
    p.append('<path d="M%g %g Q%g %g %g %g V%g Q%g %g %g %g H%g Q%g %g %g %g V%g Q%g %g %g %g" fill="none" stroke="%s" stroke-width="2" stroke-linejoin="round" stroke-linecap="round"/>'
             % (x0-2.2, top-1, x0, top-0.6, x0, top+1.5, bottom-2.5, x0, bottom, x0+2.5, bottom, x1-2.5, x1, bottom, x1, bottom-2.5, top+1.5, x1, top-0.6, x1+2.2, top-1, O))
    return p

def svg(title, body):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">\n'
            '  <!-- Alkor: icono de la barra de herramientas "%s" -->\n  ' % title + '\n  '.join(body) + '\n</svg>\n')

# Decantar: only the liquid leaves, the settled solid stays behind in the tilted beaker
W,H=12,14
src, lip, world = tilted(50, 6, 7, 10.5, 10.2, None, None, W, H)
lowest = max(p[1] for p in world)
mouth = xf([(W,0)], W/2, H/2, 50, 10.5, 10.2)[0]
src, lip, world = tilted(50, 6, 7, 10.5, 10.2, mouth[1]+0.6, lowest-2.4, W, H)
rec = receiver(16, 29, 18, 29, 23.5)
sx = lip[0]+0.2
stream = '<path d="M%.2f %.2f C%.2f %.2f %.2f %.2f %.2f %.2f V24" fill="none" stroke="%s" stroke-width="2" stroke-linecap="round"/>' % (lip[0]-1.2, lip[1]-0.2, lip[0], lip[1]-0.2, sx, lip[1]+0.8, sx, lip[1]+3, L)
body = rec[:-1] + [stream] + [rec[-1]] + src
open(os.path.join(RAIZ, 'res/iconos/decantar.svg'),'w').write(svg('Decantar', body))

# Transferir: liquid and solid leave together; the receiver gets both
A=78
src, lip, world = tilted(A, 6, 7, 10.5, 7.8, None, None, W, H)
lowest = max(p[1] for p in world)
src, lip, world = tilted(A, 6, 7, 10.5, 7.8, None, lowest-1.6, W, H)
sx = lip[0]-0.4
stream = '<path d="M%.2f %.2f C%.2f %.2f %.2f %.2f %.2f %.2f V23" fill="none" stroke="%s" stroke-width="3" stroke-linecap="round"/>' % (lip[0]-2.2, lip[1]-0.6, lip[0]-0.6, lip[1]-0.6, sx, lip[1]+0.6, sx, lip[1]+3, L)
grains = ''.join('<rect x="%.1f" y="%.1f" width="2" height="2" fill="%s"/>' % (gx, gy, SD) for gx, gy in [(sx-2.2, lip[1]+1.5), (sx+0.6, lip[1]+4.5), (sx-2.4, lip[1]+7.5)])
rec = receiver(15, 29, 18, 29, 22, 25.5)
body = rec[:-1] + [stream, grains] + [rec[-1]] + src
open(os.path.join(RAIZ, 'res/iconos/transferir.svg'),'w').write(svg('Transferir', body))
