#!/usr/bin/python3
"""Acceptance run of the program natively on Wayland, in a headless sway compositor.

Started by wayland.sh inside its own D-Bus session, as the user the compositor runs as.
Starts sway, then the program on Qt's wayland platform under es_ES with WAYLAND_DEBUG=client,
and checks what the compositor is told (each calculator's toplevel has the main window's as
parent), what a user types (4400 W gives 20,0 A) and that AT-SPI names the controls.

    wayland.py path-to-quorvel

Environment: XDG_RUNTIME_DIR (required, a 0700 folder of the user), ACCEPTANCE_SHOTS (folder for
the screenshot).
"""

import glob
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

from aceptacion import (B_CERRAR, B_CORRIENTES, B_SECCIONES, BOTON, CAJA,  # noqa: E402
                        ROTULO, ROTULOS_CORRIENTES, ROTULOS_SECCIONES, T_CORRIENTES,
                        T_PRINCIPAL, T_SECCIONES, activar_bus_accesibilidad, buscar, hijos,
                        mostrando, texto_de)
from escritorio import Fallo, esperar  # noqa: E402

LOCALE = "es_ES.UTF-8"


class Sesion:
    """sway on a virtual output, and the program in it."""

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

    def captura(self, ruta):
        subprocess.run(["grim", ruta], check=True, timeout=10,
                       env=dict(os.environ, WAYLAND_DISPLAY=self.wayland))

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

    def esperar_ventana(self, titulo):
        return esperar(lambda: self.ventana(titulo),
                       lambda: f"no se ve la ventana {titulo!r} en AT-SPI (programa "
                               f"{'vivo' if self.programa.poll() is None else 'terminado'})",
                       plazo=15)

    def control(self, titulo, rol, nombre):
        return esperar(lambda: buscar(self.ventana(titulo), rol, nombre),
                       f"en {titulo!r} no hay control {nombre!r} visible")

    def pulsar(self, titulo, nombre):
        boton = self.control(titulo, BOTON, nombre)
        if not Atspi.Action.do_action(boton, 0):
            raise Fallo(f"AT-SPI no pulsa {nombre!r} en {titulo!r}")


class Escenario:
    def __init__(self, sesion):
        self.s = sesion
        self.pasados = 0

    def ok(self, texto):
        self.pasados += 1
        print(f"  ok   {texto}", flush=True)

    def abrir(self, boton, titulo, rotulos):
        s = self.s
        s.pulsar(T_PRINCIPAL, boton)
        s.esperar_ventana(titulo)
        for rotulo in rotulos:
            s.control(titulo, ROTULO, rotulo)
        self.ok(f"{boton!r} abre {titulo!r}; AT-SPI nombra sus rótulos {', '.join(rotulos)}")
        principal = esperar(s.toplevels, "el programa no crea ningún xdg_toplevel")[0][0]
        calculadora = esperar(lambda: [t for t, nombre in s.toplevels() if nombre == titulo],
                              f"el programa no crea ningún xdg_toplevel titulado {titulo!r}")[-1]
        padre = esperar(lambda: s.padre(calculadora),
                        f"el xdg_toplevel de {titulo!r} no recibe set_parent")
        if padre != principal:
            raise Fallo(f"set_parent de {titulo!r} nombra {padre}, no la ventana principal "
                        f"(xdg_toplevel@{principal})")
        self.ok(f"el xdg_toplevel de {titulo!r} tiene por padre el de {T_PRINCIPAL!r}")

    def ejecutar(self):
        s = self.s
        s.esperar_ventana(T_PRINCIPAL)
        for boton in (B_CORRIENTES, B_SECCIONES, B_CERRAR):
            s.control(T_PRINCIPAL, BOTON, boton)
        self.ok(f"en Wayland, AT-SPI nombra {T_PRINCIPAL!r} y sus botones")

        # Direct current is chosen: the power factor's caption is hidden.
        self.abrir(B_CORRIENTES, T_CORRIENTES, ROTULOS_CORRIENTES[:-1])
        potencia = s.control(T_CORRIENTES, CAJA, "Potencia (W)")
        esperar(lambda: potencia.grab_focus() and
                potencia.get_state_set().contains(Atspi.StateType.FOCUSED),
                "la caja de potencia no toma el foco")
        s.teclear("-M", "ctrl", "a", "-m", "ctrl")
        s.teclear("4400")
        visto = []

        def intensidad():
            visto[:] = [texto_de(s.control(T_CORRIENTES, CAJA, "Intensidad (A)")),
                        texto_de(potencia)]
            return visto == ["20,0", "4400"]

        esperar(intensidad, lambda: f"tras teclear 4400 en la potencia se ve intensidad "
                                    f"{visto[0]!r}, potencia {visto[1]!r}; se esperaba '20,0'")
        self.ok("potencia 4400 tecleada → intensidad '20,0'")
        carpeta = os.environ.get("ACCEPTANCE_SHOTS")
        if carpeta:
            s.captura(os.path.join(carpeta, "wayland-corrientes.png"))
        s.pulsar(T_CORRIENTES, B_CERRAR)
        esperar(lambda: s.ventana(T_CORRIENTES) is None, f"{T_CORRIENTES!r} sigue visible")

        self.abrir(B_SECCIONES, T_SECCIONES, ROTULOS_SECCIONES)
        s.pulsar(T_SECCIONES, B_CERRAR)
        esperar(lambda: s.ventana(T_SECCIONES) is None, f"{T_SECCIONES!r} sigue visible")

        s.pulsar(T_PRINCIPAL, B_CERRAR)
        try:
            codigo = s.programa.wait(10)
        except subprocess.TimeoutExpired:
            raise Fallo(f"el programa sigue vivo tras {B_CERRAR!r}")
        if codigo != 0:
            raise Fallo(f"el programa terminó con código {codigo}")
        self.ok(f"{B_CERRAR!r}: el programa termina con código 0")


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
