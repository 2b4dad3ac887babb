#!/usr/bin/python3
"""Acceptance run of the program natively on Wayland, in a headless sway compositor.

Started by wayland.sh inside its own D-Bus session, as the user the compositor runs as.
Starts sway, then the program on Qt's wayland platform under es_ES with WAYLAND_DEBUG=client,
and walks it as every platform's run does (escenario.py): keys typed through the compositor's
virtual keyboard (wtype), buttons pressed and boxes read through AT-SPI, the close box through
the compositor (swaymsg kill), pixels from its screenshots (grim). Besides, what the compositor
is told: each calculator's toplevel has the main window's as parent.

    wayland.py path-to-quorvel

Environment: XDG_RUNTIME_DIR (required, a 0700 folder of the user), ACCEPTANCE_SHOTS (folder for
the screenshot).
"""

import glob
import json
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

from aceptacion import (BOTON, CAJA, ROTULO, ROTULOS_CORRIENTES,  # noqa: E402
                        ROTULOS_SECCIONES, activar_bus_accesibilidad, buscar, hijos, mostrando,
                        texto_de)
from escenario import Recorrido  # noqa: E402
from escritorio import Fallo, esperar, leer_png  # noqa: E402
from textos import B_CERRAR, T_CORRIENTES, T_PRINCIPAL  # noqa: E402

LOCALE = "es_ES.UTF-8"


class Sesion:
    """sway on a virtual output, and the program in it: the walk's driver."""

    dec = ","  # es_ES
    separadores = ((".", False),)  # the separator key that is not the locale's own

    def __init__(self, programa, carpeta):
        self.carpeta = carpeta
        self.runtime = os.environ["XDG_RUNTIME_DIR"]
        config = os.path.join(carpeta, "sway.conf")
        with open(config, "w") as f:
            f.write("output HEADLESS-1 resolution 1280x800\nxwayland disable\n")
        entorno = dict(os.environ, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                       WLR_RENDERER="pixman")
        entorno.pop("WAYLAND_DISPLAY", None)
        entorno.pop("DISPLAY", None)
        self.registro_sway = open(os.path.join(carpeta, "sway.log"), "wb")
        antes = set(glob.glob(os.path.join(self.runtime, "wayland-*")))
        self.sway = subprocess.Popen(["sway", "-c", config], env=entorno,
                                     stdout=self.registro_sway, stderr=subprocess.STDOUT)
        self.procesos = [self.sway]

        def socket():
            if self.sway.poll() is not None:
                raise Fallo(f"sway terminó con código {self.sway.returncode} (véase "
                            f"{self.registro_sway.name})")
            nuevos = [s for s in set(glob.glob(os.path.join(self.runtime, "wayland-*"))) - antes
                      if not s.endswith(".lock")]
            return nuevos[0] if nuevos else None

        self.wayland = os.path.basename(esperar(socket, "sway no abre su socket", plazo=15))
        self.ipc = esperar(lambda: glob.glob(os.path.join(self.runtime,
                                                          f"sway-ipc.*.{self.sway.pid}.sock")),
                           "sway no abre su socket de órdenes", plazo=15)[0]
        # wtype's first key of each call can be lost while no other client holds a virtual
        # keyboard: one stays connected for the whole run.
        self.teclado = subprocess.Popen(["wtype", "-s", "3000000", "-k", "F24"],
                                        env=dict(os.environ, WAYLAND_DISPLAY=self.wayland))
        self.procesos.append(self.teclado)

        self.depuracion = os.path.join(carpeta, "wayland-debug.log")
        entorno = dict(os.environ, WAYLAND_DISPLAY=self.wayland, QT_QPA_PLATFORM="wayland",
                       WAYLAND_DEBUG="client", LC_ALL=LOCALE, LANG=LOCALE, LANGUAGE="",
                       QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        entorno.pop("DISPLAY", None)
        entorno.pop("QT_SCALE_FACTOR", None)
        self.registro = open(self.depuracion, "wb")
        self.programa = subprocess.Popen([programa], env=entorno, stdout=self.registro,
                                         stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        self.procesos.append(self.programa)

    def terminar(self):
        for proceso in reversed(self.procesos):
            if proceso.poll() is None:
                proceso.terminate()
                try:
                    proceso.wait(10)
                except subprocess.TimeoutExpired:
                    proceso.kill()
                    proceso.wait(10)
        self.registro.close()
        self.registro_sway.close()

    def teclear(self, *argumentos):
        subprocess.run(["wtype", *argumentos], check=True, timeout=10,
                       env=dict(os.environ, WAYLAND_DISPLAY=self.wayland))

    def num(self, texto):
        return texto.replace(".", self.dec)

    def sway_msg(self, *argumentos):
        r = subprocess.run(["swaymsg", "-s", self.ipc, *argumentos], capture_output=True,
                           text=True, timeout=10)
        if r.returncode != 0:
            raise Fallo(f"swaymsg {' '.join(argumentos)}: {r.stderr.strip() or r.stdout.strip()}")
        return r.stdout

    def contenido(self, titulo):
        """Where sway shows the window's contents on its output: x, y, width, height."""
        def buscar(nodo):
            if nodo.get("name") == titulo and nodo.get("pid") == self.programa.pid:
                r, w = nodo["rect"], nodo["window_rect"]
                return r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"]
            for hijo in nodo.get("nodes", []) + nodo.get("floating_nodes", []):
                encontrado = buscar(hijo)
                if encontrado:
                    return encontrado
            return None
        return esperar(lambda: buscar(json.loads(self.sway_msg("-t", "get_tree"))),
                       f"sway no muestra la ventana {titulo!r}")

    def pantallazo(self, x, y, ancho, alto):
        r = subprocess.run(["grim", "-g", f"{x},{y} {ancho}x{alto}", "-"], capture_output=True,
                           check=True, timeout=10, env=dict(os.environ, WAYLAND_DISPLAY=self.wayland))
        return r.stdout

    def captura(self, titulo, fichero):
        carpeta = os.environ.get("ACCEPTANCE_SHOTS")
        if carpeta:
            with open(os.path.join(carpeta, f"wayland-{fichero}"), "wb") as f:
                f.write(self.pantallazo(*self.contenido(titulo)))

    def pixeles_rotulo(self, titulo):
        x, y, _, _ = self.contenido(titulo)
        e = self.control(titulo, ROTULO, lambda n: n.startswith("Caída máxima")).get_extents(
            Atspi.CoordType.WINDOW)
        filas = leer_png(self.pantallazo(x + e.x, y + e.y, e.width, e.height))
        return [p for f in filas for p in f]

    def comprobar_fin(self):
        try:
            codigo = self.programa.wait(10)
        except subprocess.TimeoutExpired:
            raise Fallo(f"el programa sigue vivo tras {B_CERRAR!r}")
        if codigo != 0:
            raise Fallo(f"el programa terminó con código {codigo}")
        return "el programa termina con código 0"

    # -- what the program told the compositor

    def peticiones(self):
        with open(self.depuracion, encoding="utf-8", errors="replace") as f:
            return f.read()

    # libwayland writes an object as interface@id up to 1.21 and as interface#id from 1.22 on.
    def toplevels(self):
        """Each xdg_toplevel the program made, in order, with its title."""
        texto = self.peticiones()
        ids = re.findall(r"-> xdg_surface[@#]\d+\.get_toplevel\(new id xdg_toplevel[@#](\d+)\)",
                         texto)
        titulos = dict(re.findall(r"-> xdg_toplevel[@#](\d+)\.set_title\(\"(.*)\"\)", texto))
        return [(i, titulos.get(i)) for i in ids]

    def padre(self, toplevel):
        """What set_parent last named for the toplevel: an xdg_toplevel's id, "nil", or
        None."""
        padres = re.findall(
            rf"-> xdg_toplevel[@#]{toplevel}\.set_parent\((?:xdg_toplevel[@#])?(\w+)\)",
            self.peticiones())
        return padres[-1] if padres else None

    # -- AT-SPI

    def aplicacion(self):
        for app in hijos(Atspi.get_desktop(0)):
            try:
                if app.get_process_id() == self.programa.pid and app.get_child_count() > 0:
                    return app
            except gi.repository.GLib.Error:
                continue
        return None

    def ventana(self, titulo):
        app = self.aplicacion()
        for v in hijos(app) if app is not None else []:
            if v.get_name() == titulo and mostrando(v):
                return v
        return None

    def esperar_ventana(self, titulo, plazo=15):
        return esperar(lambda: self.ventana(titulo),
                       lambda: f"no se ve la ventana {titulo!r} en AT-SPI (programa "
                               f"{'vivo' if self.programa.poll() is None else 'terminado'})",
                       plazo=plazo)

    def esperar_oculta(self, titulo):
        esperar(lambda: self.ventana(titulo) is None, f"{titulo!r} sigue visible")

    def control(self, titulo, rol, nombre):
        return esperar(lambda: buscar(self.ventana(titulo), rol, nombre),
                       f"en {titulo!r} no hay control {nombre!r} visible")

    def boton(self, titulo, nombre):
        return self.control(titulo, BOTON, nombre)

    def pulsar(self, titulo, nombre):
        boton = self.control(titulo, BOTON, nombre)
        if not Atspi.Action.do_action(boton, 0):
            raise Fallo(f"AT-SPI no pulsa {nombre!r} en {titulo!r}")

    def reemplazar(self, titulo, nombre, texto, teclado_numerico=False):
        """Focuses the box, selects all with Ctrl+A and types the text over it."""
        caja = self.control(titulo, CAJA, nombre)
        esperar(lambda: caja.grab_focus() and caja.get_state_set().contains(
            Atspi.StateType.FOCUSED), f"la caja {nombre!r} no toma el foco")
        self.teclear("-M", "ctrl", "a", "-m", "ctrl")
        self.teclear(texto)

    def esperar_texto(self, titulo, nombre, esperado, que=""):
        visto = []

        def igual():
            visto[:] = [texto_de(self.control(titulo, CAJA, nombre))]
            return visto[0] == esperado

        esperar(igual, lambda: f"{que}caja {nombre!r} de {titulo!r}: se esperaba {esperado!r}, "
                               f"se ve {visto[0] if visto else '(nada)'!r}")

    def cerrar_con_caja(self, titulo):
        """As the close box does: the compositor asks the window to close."""
        self.sway_msg(f'[pid={self.programa.pid} title="^{re.escape(titulo)}$"]', "kill")

    def tecla(self, nombre):
        self.teclear("-k", nombre)


class Escenario(Recorrido):
    """The walk every platform shares, with what the compositor is told besides."""

    def __init__(self, sesion):
        super().__init__(sesion, LOCALE)
        self.s = sesion

    def al_abrir(self, titulo):
        s = self.s
        rotulos = ROTULOS_CORRIENTES[:-1] if titulo == T_CORRIENTES else ROTULOS_SECCIONES
        for rotulo in rotulos:
            s.control(titulo, ROTULO, rotulo)
        self.ok(f"AT-SPI nombra los rótulos de {titulo!r}: {', '.join(rotulos)}")
        principal = esperar(s.toplevels, "el programa no crea ningún xdg_toplevel")[0][0]
        calculadora = esperar(lambda: [t for t, nombre in s.toplevels() if nombre == titulo],
                              f"el programa no crea ningún xdg_toplevel titulado {titulo!r}")[-1]
        padre = esperar(lambda: s.padre(calculadora),
                        f"el xdg_toplevel de {titulo!r} no recibe set_parent")
        if padre != principal:
            raise Fallo(f"set_parent de {titulo!r} nombra {padre}, no la ventana principal "
                        f"(xdg_toplevel@{principal})")
        self.ok(f"el xdg_toplevel de {titulo!r} tiene por padre el de {T_PRINCIPAL!r}")


def main():
    programa = os.path.abspath(sys.argv[1])
    carpeta = os.path.dirname(programa)
    activar_bus_accesibilidad()
    inicio = time.monotonic()
    sesion = Sesion(programa, carpeta)
    escenario = Escenario(sesion)
    fallado = False
    try:
        escenario.ejecutar()
    except Fallo as fallo:
        fallado = True
        print(f"FALLO [Wayland, {LOCALE}]: {fallo}", flush=True)
    except Exception as error:  # an unexpected error is a failure, not a crash
        fallado = True
        print(f"FALLO [Wayland, {LOCALE}]: error inesperado del guion: "
              f"{type(error).__name__}: {error}", flush=True)
    finally:
        sesion.terminar()
    print(f"[Wayland, {LOCALE}] {escenario.pasados} comprobaciones en "
          f"{time.monotonic() - inicio:.1f} s", flush=True)
    if fallado:
        with open(os.path.join(carpeta, "sway.log"), encoding="utf-8", errors="replace") as f:
            print("sway:", *f.readlines()[-10:], sep="\n  ", flush=True)
    print(f"acceptance (wayland): {escenario.pasados} passed, {int(fallado)} failed", flush=True)
    return 1 if fallado else 0


if __name__ == "__main__":
    sys.exit(main())
