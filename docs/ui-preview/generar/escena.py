"""House-style glassware drawn at a larger scale, for the splash and about pictures."""
O='#3c5366'; G='#eef6fb'; WH='#ffffff'
M1='#5f6b77'; M2='#9aa5b1'; M3='#d5dbe1'; BODY='#2f3b47'
def stand(x_rod, base_x0, base_x1, bench_y, top_y, arm_y, arm_x1):
    s=[]
    s.append('<rect x="%g" y="%g" width="%g" height="7" rx="2" fill="%s" stroke="%s" stroke-width="2"/>' % (base_x0, bench_y-8, base_x1-base_x0, M2, M1))
    s.append('<rect x="%g" y="%g" width="5" height="%g" rx="1.5" fill="%s" stroke="%s" stroke-width="1.5"/>' % (x_rod-2.5, top_y, bench_y-8-top_y+1, M3, M1))
    s.append('<rect x="%g" y="%g" width="%g" height="5" fill="%s"/>' % (x_rod, arm_y, arm_x1-x_rod, M1))
    s.append('<rect x="%g" y="%g" width="9" height="9" rx="1.5" fill="%s" stroke="%s" stroke-width="1.5"/>' % (x_rod-4.5, arm_y-2, M2, M1))
    return s
def burette(cx, top, bottom, level, liquid, surface, tick_every=8):
    # tube interior cx-4..cx+4, walls 2 px
    x0, x1 = cx-5, cx+5
    s=[]
    s.append('<path d="M%g %g V%g L%g %g H%g L%g %g V%g Z" fill="%s"/>' % (x0, top, bottom, cx-1.5, bottom+7, cx+1.5, x1, bottom, top, G))
    s.append('<path d="M%g %g V%g L%g %g H%g L%g %g V%g Z" fill="%s"/>' % (x0, level, bottom, cx-1.5, bottom+7, cx+1.5, x1, bottom, level, liquid))
    s.append('<rect x="%g" y="%g" width="10" height="2" fill="%s"/>' % (x0, level, surface))
    s.append('<rect x="%g" y="%g" width="2" height="%g" fill="%s"/>' % (x0+2, top+4, level-top-6, WH))
    y = top + 6
    k = 0
    while y < bottom - 2:
        ln = 7 if k % 5 == 0 else 4
        s.append('<path d="M%g %.1f H%g" stroke="%s" stroke-width="1"/>' % (x1+1, y+0.5, x1+1+ln, O))
        y += tick_every; k += 1
    s.append('<path d="M%g %g V%g L%g %g M%g %g V%g L%g %g" fill="none" stroke="%s" stroke-width="2" stroke-linejoin="round"/>' % (x0, top, bottom, cx-1.5, bottom+7, x1, top, bottom, cx+1.5, bottom+7, O))
    # stopcock and tip
    sc = bottom + 7
    s.append('<rect x="%g" y="%g" width="14" height="3" fill="%s"/>' % (cx-22, sc+1, M1))
    s.append('<rect x="%g" y="%g" width="5" height="7" rx="1.5" fill="%s"/>' % (cx-24, sc-1, M1))
    s.append('<rect x="%g" y="%g" width="14" height="6" rx="2" fill="%s" stroke="%s" stroke-width="1.5"/>' % (cx-7, sc-0.5, M2, M1))
    s.append('<path d="M%g %g V%g L%g %g L%g %g V%g Z" fill="%s"/>' % (cx-2, sc+5.5, sc+14, cx, sc+17, cx+2, sc+14, sc+5.5, O))
    return s, sc+17
def erlen(cx, neck_top, neck_w, neck_len, base_w, bottom, level, liquid, surface, flare=True):
    nl, nr = cx-neck_w/2, cx+neck_w/2
    sy = neck_top+neck_len
    bl, br = cx-base_w/2, cx+base_w/2
    r = 6
    def wall_x(y):  # left wall x at y (straight slant)
        t = (y-sy)/((bottom-r)-sy)
        return nl + (bl+2 - nl)*t
    body = 'M%g %g V%g L%g %g Q%g %g %g %g H%g Q%g %g %g %g L%g %g V%g Z' % (nl, neck_top, sy, bl+2, bottom-r, bl-1, bottom, bl+r, bottom, br-r, br+1, bottom, br-2, bottom-r, nr, sy, neck_top)
    s=['<path d="%s" fill="%s"/>' % (body, G)]
    lx = wall_x(level); rx = 2*cx-lx
    s.append('<path d="M%.2f %g L%g %g Q%g %g %g %g H%g Q%g %g %g %g L%.2f %g Z" fill="%s"/>' % (lx, level, bl+2, bottom-r, bl-1, bottom, bl+r, bottom, br-r, br+1, bottom, br-2, bottom-r, rx, level, liquid))
    lx2 = wall_x(level+3); rx2 = 2*cx-lx2
    s.append('<path d="M%.2f %g H%.2f L%.2f %g H%.2f Z" fill="%s"/>' % (lx, level, rx, rx2, level+3, lx2, surface))
    s.append('<rect x="%g" y="%g" width="3" height="%g" fill="%s"/>' % (nl+3, neck_top+5, neck_len-8, WH))
    ax, ay = wall_x(sy+8), sy+8
    bx, by = wall_x(level-4), level-4
    s.append('<path d="M%.2f %g L%.2f %g" stroke="%s" stroke-width="3" stroke-linecap="round"/>' % (ax+4, ay, bx+4, by, WH))
    fl = 'M%g %g Q%g %g %g %g ' % (nl-5, neck_top-1.5, nl, neck_top-1, nl, neck_top+3) if flare else 'M%g %g ' % (nl, neck_top)
    fr = ' V%g Q%g %g %g %g' % (neck_top+3, nr, neck_top-1, nr+5, neck_top-1.5) if flare else ' V%g' % neck_top
    s.append('<path d="%sV%g L%g %g Q%g %g %g %g H%g Q%g %g %g %g L%g %g%s" fill="none" stroke="%s" stroke-width="2.5" stroke-linejoin="round" stroke-linecap="round"/>' % (fl, sy, bl+2, bottom-r, bl-1, bottom, bl+r, bottom, br-r, br+1, bottom, br-2, bottom-r, nr, sy, fr, O))
    return s
def beaker(x0, x1, top, bottom, level, liquid, surface, ticks=5):
    r=6
    s=[]
    s.append('<path d="M%g %g V%g Q%g %g %g %g H%g Q%g %g %g %g V%g Z" fill="%s"/>' % (x0, top+2, bottom-r, x0, bottom, x0+r, bottom, x1-r, x1, bottom, x1, bottom-r, top+2, G))
    s.append('<path d="M%g %g V%g Q%g %g %g %g H%g Q%g %g %g %g V%g Z" fill="%s"/>' % (x0, level, bottom-r, x0, bottom, x0+r, bottom, x1-r, x1, bottom, x1, bottom-r, level, liquid))
    s.append('<rect x="%g" y="%g" width="%g" height="3" fill="%s"/>' % (x0, level, x1-x0, surface))
    s.append('<rect x="%g" y="%g" width="3" height="%g" fill="%s"/>' % (x0+4, top+8, level-top-12, WH))
    s.append('<rect x="%g" y="%g" width="3" height="%g" fill="%s"/>' % (x0+4, level+6, bottom-level-12, surface))
    step = (bottom-6-(top+10))/ticks
    for k in range(ticks):
        y = round(top+10+k*step)+0.5
        ln = 12 if k % 2 == 0 else 7
        s.append('<path d="M%g %g H%g" stroke="%s" stroke-width="1.5"/>' % (x1-16, y, x1-16+ln, O))
    s.append('<path d="M%g %g Q%g %g %g %g V%g Q%g %g %g %g H%g Q%g %g %g %g V%g Q%g %g %g %g" fill="none" stroke="%s" stroke-width="2.5" stroke-linejoin="round" stroke-linecap="round"/>' % (x0-6, top-1, x0, top, x0, top+6, bottom-r, x0, bottom, x0+r, bottom, x1-r, x1, bottom, x1, bottom-r, top+4, x1, top, x1+4, top-1, O))
    return s
def round_flask(cx, neck_top, neck_w, cy, r, level, liquid, surface):
    import math
    nl, nr = cx-neck_w/2, cx+neck_w/2
    jy = cy - math.sqrt(r*r - (neck_w/2)**2)
    s=[]
    s.append('<path d="M%g %g V%.2f A%g %g 0 1 0 %g %.2f V%g Z" fill="%s"/>' % (nl, neck_top, jy, r, r, nr, jy, neck_top, G))
    hw = math.sqrt(r*r-(level-cy)**2)
    large = 1 if level < cy else 0
    s.append('<path d="M%.2f %g A%g %g 0 %d 0 %.2f %g Z" fill="%s"/>' % (cx-hw, level, r, r, large, cx+hw, level, liquid))
    hw2 = math.sqrt(r*r-(level+3-cy)**2)
    s.append('<path d="M%.2f %g H%.2f L%.2f %g H%.2f Z" fill="%s"/>' % (cx-hw, level, cx+hw, cx+hw2, level+3, cx-hw2, surface))
    s.append('<rect x="%g" y="%g" width="3" height="%g" fill="%s"/>' % (nl+3, neck_top+5, jy-neck_top-6, WH))
    s.append('<path d="M%.2f %.2f A%g %g 0 0 1 %.2f %.2f" fill="none" stroke="%s" stroke-width="3" stroke-linecap="round"/>' % (cx-r*0.72, cy-r*0.05, r*0.75, r*0.75, cx-r*0.3, cy-r*0.62, WH))
    s.append('<path d="M%g %g Q%g %g %g %g V%.2f A%g %g 0 1 0 %g %.2f V%g Q%g %g %g %g" fill="none" stroke="%s" stroke-width="2.5" stroke-linejoin="round" stroke-linecap="round"/>' % (nl-5, neck_top-1.5, nl, neck_top-1, nl, neck_top+3, jy, r, r, nr, jy, neck_top+3, nr, neck_top-1, nr+5, neck_top-1.5, O))
    return s
def test_tube(cx, top, bottom, level, liquid, surface, w=12):
    x0, x1 = cx-w/2, cx+w/2; r=w/2
    s=[]
    s.append('<path d="M%g %g V%g A%g %g 0 0 0 %g %g V%g Z" fill="%s"/>' % (x0, top, bottom-r, r, r, x1, bottom-r, top, G))
    s.append('<path d="M%g %g V%g A%g %g 0 0 0 %g %g V%g Z" fill="%s"/>' % (x0, level, bottom-r, r, r, x1, bottom-r, level, liquid))
    s.append('<rect x="%g" y="%g" width="%g" height="2.5" fill="%s"/>' % (x0, level, w, surface))
    s.append('<rect x="%g" y="%g" width="2" height="%g" fill="%s"/>' % (x0+3, top+4, level-top-7, WH))
    s.append('<path d="M%g %g Q%g %g %g %g V%g A%g %g 0 0 0 %g %g V%g Q%g %g %g %g" fill="none" stroke="%s" stroke-width="2.5" stroke-linejoin="round" stroke-linecap="round"/>' % (x0-3, top-1, x0, top-0.5, x0, top+3, bottom-r, r, r, x1, bottom-r, top+3, x1, top-0.5, x1+3, top-1, O))
    return s
def star(cx, cy, r, fill='#ffd25a', stroke='#c98a00', sw=1.5):
    k = r*0.28
    return '<path d="M%g %g L%g %g L%g %g L%g %g L%g %g L%g %g L%g %g L%g %g Z" fill="%s" stroke="%s" stroke-width="%g" stroke-linejoin="round"/>' % (cx, cy-r, cx+k, cy-k, cx+r, cy, cx+k, cy+k, cx, cy+r, cx-k, cy+k, cx-r, cy, cx-k, cy-k, fill, stroke, sw)
def bubble(cx, cy, r, ring):
    return '<circle cx="%g" cy="%g" r="%g" fill="#ffffff" fill-opacity="0.85" stroke="%s" stroke-width="1.5"/>' % (cx, cy, r, ring)
