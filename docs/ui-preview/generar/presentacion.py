"""Writes res/imagenes/presentacion.svg, the 480 x 300 splash picture (texts as glyph outlines)."""
import os
RAIZ = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..'))
import texto
from escena import *
TEAL='#19a38f'; TEALS='#6fd6c4'; TEALD='#0f7566'
BLUE='#4d9de0'; BLUES='#8cc4f0'
W,H=480,300
BENCH=250
s=[]
s.append('<rect width="480" height="300" fill="#f5f9fc"/>')
s.append('<circle cx="372" cy="150" r="138" fill="#e2eff8"/>')
s.append('<circle cx="372" cy="150" r="104" fill="#d6e8f5"/>')
# bench
s.append('<rect x="0" y="%d" width="480" height="%d" fill="#2f3b47"/>' % (BENCH, H-BENCH))
s.append('<rect x="0" y="%d" width="480" height="4" fill="#5f6b77"/>' % BENCH)
s.append('<rect x="0" y="%d" width="480" height="1" fill="#9aa5b1"/>' % BENCH)
# stand with burette over an Erlenmeyer flask
s += stand(300, 284, 356, BENCH, 26, 64, 334)
b, tip = burette(338, 40, 150, 84, '#cfe6f8', '#eef6fb', 6)
s += b
s.append('<rect x="330" y="60" width="16" height="13" rx="2" fill="%s" stroke="%s" stroke-width="1.5"/>' % (M2, M1))
s.append('<path d="M338 %g C340.6 %g 341.4 %g 341.4 %g A3.4 3.4 0 0 1 334.6 %g C334.6 %g 335.4 %g 338 %g Z" fill="#cfe6f8" stroke="%s" stroke-width="1.2"/>' % (tip+4, tip+7.5, tip+9, tip+10.5, tip+10.5, tip+9, tip+7.5, tip+4, O))
s += erlen(338, 188, 18, 20, 84, BENCH-1, 222, '#e0569f', '#f3a6cf')
s.append(bubble(326, 238, 3, '#a8326f'))
s.append(bubble(349, 232, 2, '#a8326f'))
# beaker with a thermometer standing in it
s += beaker(386, 458, 184, BENCH-1, 212, BLUE, BLUES, 5)
s.append('<rect x="427" y="150" width="8" height="86" rx="4" fill="%s" stroke="%s" stroke-width="2"/>' % (G, O))
s.append('<rect x="430" y="172" width="2" height="62" fill="#e0403a"/>')
s.append('<circle cx="431" cy="236" r="6" fill="#e0403a" stroke="%s" stroke-width="2"/>' % O)
s.append('<path d="M437 158.5 H441 M437 166.5 H439 M437 174.5 H441" stroke="%s" stroke-width="1"/>' % O)
# title
s.append('<path d="%s" fill="#2f3b47"/>' % texto.path('Alkor', 'sansb', 80, 30, 118))
s.append(star(226, 52, 14))
s.append('<path d="%s" fill="%s"/>' % (texto.path('Vol. 1', 'sansb', 30, 34, 160), TEAL))
s.append('<rect x="34" y="176" width="64" height="4" fill="%s"/>' % TEAL)
s.append('<path d="%s" fill="#5f6b77"/>' % texto.path('Laboratorio virtual de química', 'sans', 17, 34, 210))
svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="480" height="300" viewBox="0 0 480 300">\n'
       '  <!-- Alkor: ventana de presentación (480 x 300). Los textos están convertidos en trazos. -->\n  '
       + '\n  '.join(s) + '\n</svg>\n')
open(os.path.join(RAIZ, 'res/imagenes/presentacion.svg'),'w').write(svg)
