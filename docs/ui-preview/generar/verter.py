"""Writes res/imagenes/verter.svg, the pour cursor (its stream ends at the lower-left corner)."""
import os
RAIZ = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..'))
from tilt import *
O='#3c5366'; G='#eef6fb'; L='#4d9de0'
W,H=13,14; A=-40; TX,TY=17.5,13
inner=beaker(W,H,2.5,6)
world=xf(inner,W/2,H/2,A,TX,TY)
mouth=xf([(0,0)],W/2,H/2,A,TX,TY)[0]
lipf=xf([(-2.3,-1.2)],W/2,H/2,A,TX,TY)[0]
liq=clip_below(world, mouth[1]+0.8)
tr='translate(%g %g) rotate(%g) translate(%g %g)'%(TX,TY,A,-W/2,-H/2)
outline=('M-2.3 -1.2 Q0 -0.6 0 1.5 V%g Q0 %g 2.5 %g H%g Q%g %g %g %g V0.5'
         % (H-2.5,H,H,W-2.5,W,H,W,H-2.5))
sx=lipf[0]+0.6
stream='M%.2f %.2f C%.2f %.2f 2.5 %.2f 2.5 %.2f V29.5'%(lipf[0]+0.8,lipf[1]-0.2,lipf[0]-1.6,lipf[1]+0.6,lipf[1]+3,lipf[1]+7)
s='''<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <!-- Alkor: cursor para verter (Decantar, Transferir); su punto activo es la esquina inferior izquierda, donde termina el chorro -->
  <g fill="none" stroke="#ffffff" stroke-linejoin="round" stroke-linecap="round">
    <path transform="%(tr)s" d="%(outline)s" stroke-width="5"/>
    <path d="%(stream)s" stroke-width="5.5"/>
  </g>
  <path d="%(world)s" fill="#ffffff"/>
  <path d="%(world)s" fill="%(G)s"/>
  <path d="%(liq)s" fill="%(L)s"/>
  <path d="%(stream)s" fill="none" stroke="%(O)s" stroke-width="3.5" stroke-linecap="round"/>
  <path d="%(stream)s" fill="none" stroke="%(L)s" stroke-width="1.6" stroke-linecap="round"/>
  <path transform="%(tr)s" d="M0.5 0 H%(W)g" fill="none" stroke="%(O)s" stroke-width="1"/>
  <path transform="%(tr)s" d="%(outline)s" fill="none" stroke="%(O)s" stroke-width="2" stroke-linejoin="round" stroke-linecap="round"/>
</svg>
'''%dict(tr=tr,outline=outline,stream=stream,world=path(world),liq=path(liq),G='#dfeaf3',L=L,O=O,W=W)
open(os.path.join(RAIZ, 'res/imagenes/verter.svg'),'w').write(s)
