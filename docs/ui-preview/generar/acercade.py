"""Writes res/imagenes/acercade.svg, the 460 x 480 about picture: dark and plain at the top band
and from y = 297 down, where the program writes its link, button and notice lines."""
import os
RAIZ = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..'))
import re, texto
from escena import *
TEAL='#19a38f'; TEALS='#6fd6c4'
BLUE='#4d9de0'; BLUES='#8cc4f0'
DARK='#2f3b47'
BENCH=297
s=[]
s.append('<rect width="460" height="480" fill="#f5f9fc"/>')
s.append('<circle cx="340" cy="200" r="118" fill="#e2eff8"/>')
# top band: plain and dark where the program puts the web link (140,16)-(290,60) and the button (top right)
s.append('<rect x="0" y="0" width="460" height="66" fill="%s"/>' % DARK)
s.append('<rect x="0" y="66" width="460" height="3" fill="%s"/>' % TEAL)
# the application icon on a light disc, top left
icon = open(os.path.join(RAIZ, 'res/iconos/alkor.svg')).read()
inner = icon[icon.index('<path'):icon.rindex('</svg>')]
inner = re.sub(r'<!--.*?-->', '', inner)
s.append('<circle cx="40" cy="33" r="25" fill="#eef6fb"/>')
s.append('<g transform="translate(18 11) scale(0.6875)">%s</g>' % ' '.join(l.strip() for l in inner.splitlines() if l.strip()))
# bench and the dark lower part where the program writes its notice lines (y >= 305)
s.append('<rect x="0" y="%d" width="460" height="%d" fill="%s"/>' % (BENCH, 480-BENCH, DARK))
s.append('<rect x="0" y="%d" width="460" height="4" fill="#5f6b77"/>' % (BENCH-4))
s.append('<rect x="0" y="%d" width="460" height="1" fill="#9aa5b1"/>' % (BENCH-4))
# title block
s.append('<path d="%s" fill="#2f3b47"/>' % texto.path('Alkor', 'sansb', 60, 24, 144))
s.append(star(190, 100, 11))
s.append('<path d="%s" fill="%s"/>' % (texto.path('Vol. 1', 'sansb', 30, 27, 184), TEAL))
s.append('<rect x="27" y="198" width="56" height="4" fill="%s"/>' % TEAL)
s.append('<path d="%s" fill="#5f6b77"/>' % texto.path('Laboratorio virtual', 'sans', 17, 27, 229))
s.append('<path d="%s" fill="#5f6b77"/>' % texto.path('de química', 'sans', 17, 27, 250))
# small glassware on the left of the bench
s += erlen(176, 236, 14, 16, 62, BENCH-5, 268, TEAL, TEALS)
s.append(bubble(168, 281, 2.5, '#0f7566'))
s.append(bubble(184, 277, 1.8, '#0f7566'))
# stand, round-bottom flask and Bunsen burner on the right
s += stand(258, 244, 300, BENCH-4, 96, 128, 326)
s += round_flask(330, 112, 16, 186, 30, 190, '#8262d0', '#b4a0ec')
for (bx, by, br) in [(318, 204, 2.5), (334, 199, 2), (343, 208, 2.5), (326, 211, 1.6)]:
    s.append(bubble(bx, by, br, '#5a3fa8'))
s.append('<rect x="322" y="124" width="16" height="10" rx="2" fill="%s" stroke="%s" stroke-width="1.5"/>' % (M2, M1))
# wire gauze on a ring under the flask
s.append('<rect x="300" y="214" width="60" height="4" rx="1" fill="%s" stroke="%s" stroke-width="1"/>' % (M3, M1))
s.append('<rect x="258" y="214" width="44" height="4" fill="%s"/>' % M1)
# flame
fx, fy = 330, 250
s.append('<path d="M%g %g C%g %g %g %g %g %g C%g %g %g %g %g %g Z" fill="#ffb030"/>' % (fx, fy-29, fx+4, fy-19, fx+10, fy-11, fx+9, fy-3, fx+7, fy+1, fx-7, fy+1, fx-9, fy-3) + '')
s.append('<path d="M%g %g C%g %g %g %g %g %g C%g %g %g %g %g %g Z" fill="#ffb030"/>' % (fx-9, fy-3, fx-10, fy-11, fx-4, fy-19, fx, fy-29, fx, fy-29, fx, fy-29, fx, fy-29))
s.append('<path d="M%g %g C%g %g %g %g %g %g S%g %g %g %g S%g %g %g %g Z" fill="#ffd25a"/>' % (fx, fy-19, fx+3, fy-13, fx+6, fy-8, fx+6, fy-4, fx+4, fy, fx, fy, fx-6, fy-1, fx-6, fy-4))
s.append('<path d="M%g %g C%g %g %g %g %g %g S%g %g %g %g Z" fill="#2f6fe0"/>' % (fx, fy-12, fx+2, fy-9, fx+4, fy-5, fx+3.5, fy-2, fx-3.5, fy-2, fx, fy-12))
s.append('<path d="M%g %g L%g %g L%g %g Z" fill="#8fb6f5"/>' % (fx, fy-8, fx+1.8, fy-2.5, fx-1.8, fy-2.5))
# burner body
s.append('<rect x="342" y="275" width="24" height="6" fill="%s" stroke="%s" stroke-width="1.5"/>' % (M2, M1))
s.append('<path d="M310.5 %g L316 286.5 H344 L349.5 %g Z" fill="%s" stroke="%s" stroke-width="1.5" stroke-linejoin="round"/>' % (BENCH-4.5, BENCH-4.5, M2, M1))
s.append('<rect x="324.5" y="249.5" width="11" height="38" fill="%s" stroke="%s" stroke-width="1.5"/>' % (M3, M1))
s.append('<rect x="331" y="251" width="3" height="35" fill="%s"/>' % M2)
s.append('<rect x="322.5" y="247.5" width="15" height="4" rx="1" fill="%s" stroke="%s" stroke-width="1.5"/>' % (M2, M1))
s.append('<rect x="322.5" y="272.5" width="15" height="11" rx="1.5" fill="%s" stroke="%s" stroke-width="1.5"/>' % (M2, M1))
s.append('<rect x="327" y="276" width="6" height="5" fill="#1e262d"/>')
# beaker with water on the right
s += beaker(384, 440, 240, BENCH-5, 262, BLUE, BLUES, 4)
svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="460" height="480" viewBox="0 0 460 480">\n'
       '  <!-- Alkor: imagen del cuadro "Acerca de Alkor..." (460 x 480). La franja de arriba y la parte de abajo\n'
       '       (y >= 297) son lisas y oscuras: el programa pone ahí el enlace, el botón "Aceptar" y los avisos en blanco.\n'
       '       Los textos están convertidos en trazos. -->\n  '
       + '\n  '.join(s) + '\n</svg>\n')
open(os.path.join(RAIZ, 'res/imagenes/acercade.svg'),'w').write(svg)
