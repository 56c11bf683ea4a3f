"""Geometry of a tilted beaker: its interior as a polygon, turned and moved, and cut by a level."""
import math, sys
def beaker(w, h, r=2.0, n=4):
    # interior outline of an upright beaker, mouth at y=0, clockwise from top-left
    pts=[(0,0),(0,h-r)]
    for i in range(1,n):
        t=(math.pi/2)*i/n
        pts.append((r - r*math.cos(t), h - r + r*math.sin(t)))
    pts += [(r,h),(w-r,h)]
    for i in range(1,n):
        t=(math.pi/2)*i/n
        pts.append((w - r + r*math.sin(t), h - r + r*math.cos(t)))
    pts += [(w,h-r),(w,0)]
    return pts
def xf(pts, cx, cy, ang, tx, ty):
    a=math.radians(ang); c=math.cos(a); s=math.sin(a)
    return [(tx + (x-cx)*c - (y-cy)*s, ty + (x-cx)*s + (y-cy)*c) for x,y in pts]
def clip_below(pts, level):
    # keep the part with y >= level (Sutherland-Hodgman, closed polygon)
    out=[]
    n=len(pts)
    for i in range(n):
        p=pts[i]; q=pts[(i+1)%n]
        pin=p[1]>=level; qin=q[1]>=level
        if pin: out.append(p)
        if pin!=qin:
            t=(level-p[1])/(q[1]-p[1])
            out.append((p[0]+t*(q[0]-p[0]), level))
    return out
def path(pts, close=True):
    s='M'+' L'.join('%.2f %.2f'%p for p in pts)
    return s+(' Z' if close else '')
