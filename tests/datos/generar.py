#!/usr/bin/env python3
"""Builds the damaged practice files of this folder from files the program writes.

    generar.py NUEVA.uak1 PLANTILLA901.akp PLANTILLA903.akp fijas/extendida.uak1

NUEVA is `alkor-cli nueva`, the templates are `alkor-cli plantilla 901` and `903`, the
last a practice in the extended version (the practice test writes it with
ALKOR_REGENERAR_FIJAS=1). Each
output is what a damaged or hostile file looked like when it was found to mislead the
readers; the tests read them and expect a clean refusal or a sound correction.

The practices whose chemistry once went wrong are kept as sources, readable and commented,
in fuentes/; each is compiled here with the command-line tool:

    alkor-cli compilar fuentes/equilibrio_acetico equilibrio_acetico.uak1
    alkor-cli compilar fuentes/reactivo_que_crece reactivo_que_crece.uak1
"""
import struct
import sys

nueva, p901, p903, extendida = (open(a, 'rb').read() for a in sys.argv[1:5])


def i32(n):
    return struct.pack('<i', n)


def f64(d):
    return struct.pack('<d', d)


def fase(estado, entradas=b'', n=0):
    return i32(estado) + i32(0) + f64(0.0) + f64(0.0) + i32(n) + entradas + i32(0)


def entrada(componente, moles, gramos, ml):
    return i32(componente) + i32(0) + f64(moles) + f64(gramos) + f64(ml) + f64(0) + f64(0) + b'\0'


def vaso(tipo, x, y, liquido=b'', n=0):
    return (i32(tipo) + i32(x) + i32(y) + f64(0.0) + f64(20.0) + fase(1, liquido, n) + fase(0) +
            fase(2))


def banco(*items):
    # The new practice ends with its empty bench: an item count of 0.
    return nueva[:-4] + i32(len(items)) + b''.join(items)


def escribir(nombre, datos):
    with open(nombre, 'wb') as f:
        f.write(datos)


# A 250 ml beaker whose corner lies at the ends of the integer range.
escribir('coordenada_extrema.uak1', banco(vaso(2, 2**31 - 1, -2**31)))
# A 10 ml burette holding 1e30 ml of water.
escribir('bureta_desbordada.uak1', banco(vaso(20, 100, 100, entrada(0, 1e30 / 18, 1e30, 1e30), 1)))
# Template 901 whose sodium chloride has a second solubility temperature of 5e-324: a line
# with an infinite slope.
linea = f64(35.7) + f64(39.8) + f64(0.0) + f64(100.0)
assert p901.count(linea) == 1
escribir('solubilidad_denormal.akp', p901.replace(linea, f64(35.7) + f64(39.8) + f64(0.0) +
                                                  f64(5e-324)))
# Template 903 with one byte more than its records take.
escribir('byte_de_mas.akp', p903 + b'\0')


def bloque(datos):
    """Where the extension block of an extended practice begins and ends."""
    pos = 0
    for _ in range(4):  # name, summary, signature, version: one-byte lengths here
        pos += 1 + datos[pos]
    assert datos[pos - 5:pos] == b'Vol.2'
    n = struct.unpack_from('<i', datos, pos)[0]
    fin = pos + 4
    for _ in range(n):
        fin += 8 + struct.unpack_from('<i', datos, fin + 4)[0]
    return pos, fin


def con_registro(datos, etiqueta, contenido):
    """The practice with one more record at the end of its block."""
    pos, fin = bloque(datos)
    n = struct.unpack_from('<i', datos, pos)[0]
    return (datos[:pos] + i32(n + 1) + datos[pos + 4:fin] + i32(etiqueta) + i32(len(contenido)) +
            contenido + datos[fin:])


# What a later version of the program may write: a newer version in the head, a record
# this one must understand to read the file, and one it may step over.
escribir('version_nueva.uak1', extendida.replace(b'\x05Vol.2', b'\x05Vol.3', 1))
escribir('registro_obligatorio.uak1', con_registro(extendida, 0x8FFF, b'futuro'))
escribir('registro_opcional.uak1', con_registro(extendida, 0x7FFF, b'futuro'))
