#!/usr/bin/python3
"""What a screen reader receives from Alkor, driven from the keyboard.

Run inside its own X display and D-Bus session (CTest does):
    xvfb-run -a dbus-run-session -- python3 lector.py ALKOR PRACTICA [--orca REGISTRO]

It starts the accessibility bus and the program, gives the keyboard to the bench, and checks
the events a reader gets: the focused item with its line, the notice spoken when an item is
taken away and when it comes back. With --orca it also runs the screen reader, silent, writing
what it would say to REGISTRO (its debug log; lines "SPEECH OUTPUT").

Every wait is for an event, with a deadline; nothing sleeps a fixed time.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
gi.require_version("Gdk", "3.0")
from gi.repository import Gdk, GLib  # noqa: E402
import pyatspi  # noqa: E402

ESPERA = 30.0  # seconds: a loaded machine may be slow, but not this slow
eventos = []


def fallar(texto):
    print("FALLO:", texto, file=sys.stderr)
    print("Eventos recibidos:", file=sys.stderr)
    for e in eventos[-40:]:
        print("  ", e, file=sys.stderr)
    sys.exit(1)


def esperar(condicion, que, segundos=ESPERA):
    ctx = GLib.MainContext.default()
    fin = time.monotonic() + segundos
    while time.monotonic() < fin:
        r = condicion()
        if r:
            return r
        if not ctx.iteration(False):
            time.sleep(0.02)
    fallar("no llegó a tiempo: " + que)


def al_evento(ev):
    try:
        eventos.append((ev.type, ev.source.getRoleName(), ev.source.name, ev.detail1,
                        ev.source.description))
    except Exception:  # the source may be gone already
        eventos.append((ev.type, None, None, ev.detail1, None))


def tecla(nombre, modificador=None):
    kv = Gdk.keyval_from_name(nombre)
    if modificador:
        pyatspi.Registry.generateKeyboardEvent(Gdk.keyval_from_name(modificador), None,
                                               pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(kv, None, pyatspi.KEY_SYM)
    if modificador:
        pyatspi.Registry.generateKeyboardEvent(Gdk.keyval_from_name(modificador), None,
                                               pyatspi.KEY_RELEASE)


def buscar(raiz, rol, nombre=None):
    pila = [raiz]
    while pila:
        o = pila.pop()
        if o is None:
            continue
        try:
            if o.getRole() == rol and (nombre is None or o.name == nombre):
                return o
            pila.extend(o[i] for i in range(o.childCount))
        except Exception:
            continue
    return None


def aviso_dicho(parte):
    """The index of the first 'notification shown' event whose text holds parte."""
    def buscar_aviso():
        for i, (tipo, rol, nombre, detalle, _) in enumerate(eventos):
            if tipo.startswith("object:state-changed:showing") and rol == "notification" \
                    and detalle == 1 and nombre and parte in nombre:
                return i + 1
        return None
    return buscar_aviso


def preparar_orca(casa, registro):
    """A silent reader: a speech module that says nothing, no braille, its log line-buffered."""
    datos = os.path.join(casa, ".local", "share", "orca")
    os.makedirs(datos, exist_ok=True)
    modulos = os.path.join(casa, "modulos")
    os.makedirs(modulos, exist_ok=True)
    with open(os.path.join(modulos, "voz_muda.py"), "w") as f:
        f.write(
            "class _Muda:\n"
            "    def __getattr__(self, n):\n"
            "        return lambda *a, **k: None\n"
            "    def getInfo(self):\n"
            "        return ['Voz muda', 'voz_muda']\n"
            "class SpeechServer:\n"
            "    _m = _Muda()\n"
            "    getFactoryName = staticmethod(lambda: 'Voz muda')\n"
            "    getSpeechServers = staticmethod(lambda: [SpeechServer._m])\n"
            "    getSpeechServer = staticmethod(lambda info=None: SpeechServer._m)\n"
            "    shutdownActiveServers = staticmethod(lambda: None)\n")
    with open(os.path.join(datos, "user-settings.conf"), "w") as f:
        json.dump({"general": {"speechServerFactory": "voz_muda",
                               "speechFactoryModules": ["voz_muda"],
                               "enableBraille": False, "enableSound": False,
                               "startingProfile": ["Default", "default"],
                               "activeProfile": ["Default", "default"]},
                   "profiles": {"default": {"profile": ["Default", "default"]}},
                   "pronunciations": {}, "keybindings": {}}, f)
    with open(os.path.join(datos, "orca-customizations.py"), "w") as f:
        f.write("import orca.debug\n"
                "if orca.debug.debugFile:\n"
                "    orca.debug.debugFile.reconfigure(line_buffering=True)\n")
    entorno = dict(os.environ, PYTHONPATH=modulos, LANG="es_ES.UTF-8")
    return subprocess.Popen(["orca", "--replace", "--debug-file=" + registro], env=entorno,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main():
    args = sys.argv[1:]
    registro = None
    if "--orca" in args:
        i = args.index("--orca")
        registro = os.path.abspath(args[i + 1])
        del args[i:i + 2]
    alkor, practica = args
    casa = tempfile.mkdtemp(prefix="alkor-lector-")
    os.environ["HOME"] = casa
    os.environ["XDG_CONFIG_HOME"] = os.path.join(casa, ".config")
    procesos = [subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])]
    try:
        escritorio = esperar(lambda: pyatspi.Registry.getDesktop(0), "el bus de accesibilidad")
        if registro:
            procesos.append(preparar_orca(casa, registro))
            esperar(lambda: any(a is not None and a.name == "orca" for a in escritorio),
                    "el lector de pantalla")
        pyatspi.Registry.registerEventListener(
            al_evento, "object:state-changed:showing", "object:state-changed:focused",
            "object:property-change:accessible-value")
        entorno = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        procesos.append(subprocess.Popen([alkor, practica], env=entorno))

        app = esperar(lambda: next((a for a in escritorio if a is not None and a.name == "Alkor"),
                                   None), "el programa en el bus")
        mesa = esperar(lambda: buscar(app, pyatspi.ROLE_LIST, "Mesa de trabajo"), "la mesa")
        aviso = mesa[mesa.childCount - 1]
        if aviso.getRole() != pyatspi.ROLE_NOTIFICATION:
            fallar("la mesa no termina en un aviso: %s" % aviso.getRoleName())
        esperar(lambda: app[0].getState().contains(pyatspi.STATE_ACTIVE), "la ventana activa")
        # A beaker from the Equipo menu, as a reader activates a menu entry: it is said.
        equipo = buscar(app, pyatspi.ROLE_MENU_ITEM, "Equipo")
        vasos = buscar(equipo, pyatspi.ROLE_MENU_ITEM, "Vasos de precipitados")
        buscar(vasos, pyatspi.ROLE_MENU_ITEM, "250 ml").queryAction().doAction(0)
        puesto = esperar(aviso_dicho(" colocado en la mesa"), "el aviso de la pieza colocada")
        nombre = eventos[puesto - 1][2][:-len(" colocado en la mesa")]
        # The keyboard to the bench: the new item is the selected one, with its line.
        mesa.queryComponent().grabFocus()
        pieza = mesa[0]
        esperar(lambda: pieza.getState().contains(pyatspi.STATE_FOCUSED),
                "el foco en la pieza")
        if pieza.name != nombre or not pieza.description.startswith("0.0 ml"):
            fallar("la pieza no es la colocada o no dice lo que contiene: %r, %r"
                   % (pieza.name, pieza.description))
        # Supr takes it away, and that is said.
        tecla("Delete")
        esperar(aviso_dicho(nombre + " retirado de la mesa"), "el aviso de la retirada")
        if registro:
            # What the reader said of it: the notices are spoken, not dropped.
            def dichos():
                with open(registro, encoding="utf-8", errors="replace") as f:
                    return [l for l in f if "SPEECH OUTPUT" in l and "de la mesa" in l]
            for linea in esperar(dichos, "el lector de pantalla diciendo un aviso"):
                print("lector:", linea.strip())
        print("lector: correcto (%d eventos)" % len(eventos))
    finally:
        for p in reversed(procesos):
            p.terminate()
        for p in reversed(procesos):
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(casa, ignore_errors=True)


if __name__ == "__main__":
    main()
