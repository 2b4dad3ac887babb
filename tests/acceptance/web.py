#!/usr/bin/python3
"""Acceptance run of the web build in real headless browsers.

Serves the built site from 127.0.0.1, opens it in each browser and language, drives the
program with the browser's own pointer and key events, and reads back what the accessibility
layer shows (every control by its name, with its value, lying over the control) and the pixels.

    web.py SITE [BROWSER...]      browsers: chromium webkit (default: both)

Environment: ACCEPTANCE_SHOTS (folder for screenshots, default build-web/acceptance),
ACCEPTANCE_LANGS (default "es-ES en-US"), ACCEPTANCE_DOCS (folder where the es-ES screenshots of
Chromium are kept for the README, unset: none). WebKit needs DISPLAY (xvfb-run).
"""

import functools
import http.server
import os
import shutil
import sys
import threading

from escritorio import PLAZO, Fallo, esperar, resumen_colores, rojo_intenso
from navegador import JS_VENTANA, Chromium, WebKit
from textos import (B_CERRAR, B_CORRIENTES, B_SECCIONES, MSG_NO_NUMERICO, T_CORRIENTES,
                    T_PRINCIPAL, T_SECCIONES)

CERRADO = "Quorvel eléctricos se ha cerrado."
ABRIR_DE_NUEVO = "Abrir de nuevo"

# Counts the tones the page starts: the beep of a refused key.
JS_CONTAR_PITIDOS = """
(() => {
    window.pitidos = 0;
    const Original = window.AudioContext || window.webkitAudioContext;
    if (!Original || Original.contado)
        return;
    class Contado extends Original {
        createOscillator() { window.pitidos++; return super.createOscillator(); }
    }
    Contado.contado = true;
    window.AudioContext = Contado;
    window.webkitAudioContext = Contado;
})()
"""


class Servidor:
    """The site, as any static host serves it (.wasm as application/wasm), on 127.0.0.1."""

    def __init__(self, carpeta):
        manejador = functools.partial(Silencioso, directory=carpeta)
        self.http = http.server.ThreadingHTTPServer(("127.0.0.1", 0), manejador)
        self.url = f"http://127.0.0.1:{self.http.server_address[1]}/"
        self.hilo = threading.Thread(target=self.http.serve_forever, daemon=True)
        self.hilo.start()

    def terminar(self):
        self.http.shutdown()
        self.http.server_close()


class Silencioso(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def log_message(self, *args):
        pass


def centro(caja):
    x, y, ancho, alto = caja
    return x + ancho / 2, y + alto / 2


class Pagina:
    """The program's windows in one browser's page."""

    def __init__(self, navegador, idioma, capturas):
        self.b = navegador
        self.idioma = idioma
        self.capturas = capturas
        self.dec = "," if idioma.startswith("es-ES") else "."

    def num(self, texto):
        return texto.replace(".", self.dec)

    def ventana(self, titulo):
        return self.b.evaluar(f"{JS_VENTANA}({titulo!r})")

    def esperar_ventana(self, titulo, plazo=PLAZO):
        return esperar(lambda: self.ventana(titulo), f"la ventana {titulo!r} no aparece",
                       plazo=plazo)

    def esperar_oculta(self, titulo):
        esperar(lambda: self.ventana(titulo) is None, f"la ventana {titulo!r} sigue a la vista")

    def control(self, titulo, nombre, etiqueta=None):
        """The control named `nombre` (or whose name passes it) of the window shown."""
        def buscar():
            v = self.ventana(titulo)
            for c in (v or {}).get("controles", []):
                coincide = nombre(c["nombre"]) if callable(nombre) else c["nombre"] == nombre
                if coincide and (etiqueta is None or c["etiqueta"] == etiqueta):
                    return c
            return None
        return esperar(buscar, lambda: f"{titulo!r} no muestra ningún control {nombre!r}; "
                                       f"muestra {self.nombres(titulo)}")

    def nombres(self, titulo):
        v = self.ventana(titulo)
        return [(c["etiqueta"], c["nombre"], c["valor"]) for c in (v or {}).get("controles", [])]

    def pulsar(self, titulo, nombre):
        self.b.clic(*centro(self.control(titulo, nombre)["caja"]))

    def reemplazar(self, titulo, nombre, texto, teclado_numerico=False):
        """Clicks into the box, selects all with Ctrl+A and types the text over it."""
        self.b.clic(*centro(self.control(titulo, nombre, "input")["caja"]))
        self.b.tecla("a", ctrl=True)
        self.b.escribir(texto, teclado_numerico)

    def esperar_texto(self, titulo, nombre, esperado, que=""):
        visto = []

        def igual():
            visto[:] = [self.control(titulo, nombre, "input")["valor"]]
            return visto[0] == esperado
        esperar(igual, lambda: f"{que}la caja {nombre!r} de {titulo!r} dice "
                               f"{visto[0] if visto else None!r}, se esperaba {esperado!r}")

    def captura(self, titulo, fichero):
        v = self.esperar_ventana(titulo)
        ruta = os.path.join(self.capturas, fichero)
        self.b.captura(ruta, v["caja"])
        return ruta

    def pixeles_de(self, control):
        x, y, ancho, alto = control["caja"]
        filas = self.b.pixeles(x, y, ancho, alto)
        return [p for f in filas for p in f]


class Escenario:
    def __init__(self, navegador, url, idioma, capturas, docs):
        self.p = Pagina(navegador, idioma, capturas)
        self.b = navegador
        self.url = url
        self.idioma = idioma
        self.docs = docs
        self.pasados = 0
        self.avisos = []

    def ok(self, texto):
        self.pasados += 1
        print(f"  ok   {texto}", flush=True)

    def aviso(self, texto):
        self.avisos.append(texto)
        print(f"  AVISO {texto}", flush=True)

    def guardar(self, ruta, nombre):
        if self.docs:
            shutil.copyfile(ruta, os.path.join(self.docs, nombre))

    def ejecutar(self):
        p, b, n = self.p, self.b, self.p.num
        b.abrir(self.url)
        principal = p.esperar_ventana(T_PRINCIPAL, plazo=60)
        idioma = b.evaluar("navigator.languages[0] || navigator.language")
        if idioma != self.idioma:
            raise Fallo(f"el navegador da el idioma {idioma!r}, se pidió {self.idioma!r}")
        for boton in (B_CORRIENTES, B_SECCIONES, B_CERRAR):
            p.control(T_PRINCIPAL, boton, "button")
        self.ok(f"{T_PRINCIPAL!r} con los botones {B_CORRIENTES!r}, {B_SECCIONES!r}, "
                f"{B_CERRAR!r} en el árbol de accesibilidad")
        b.evaluar(JS_CONTAR_PITIDOS)
        self.guardar(p.captura(T_PRINCIPAL, f"principal-{self.idioma}.png"), "web-principal.png")

        # Currents and powers
        p.pulsar(T_PRINCIPAL, B_CORRIENTES)
        corrientes = p.esperar_ventana(T_CORRIENTES)
        p.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("9.1"))
        self.ok(f"{B_CORRIENTES!r} abre {T_CORRIENTES!r}; intensidad {n('9.1')}")
        self.comprobar_sobre_el_lanzador(principal, corrientes)
        self.comprobar_arbol(T_CORRIENTES, [
            ("textbox", "Tensión (V)", "220"), ("textbox", "Potencia (W)", "2000"),
            ("textbox", "Intensidad (A)", n("9.1")), ("textbox", "Mensaje", ""),
            ("combobox", "Tipo de corriente", "Continúa"), ("button", B_CERRAR, None)])
        self.guardar(p.captura(T_CORRIENTES, f"corrientes-{self.idioma}.png"),
                     "web-corrientes.png")
        self.comprobar_sobre_sus_controles(T_CORRIENTES, ("Tensión (V)", "Potencia (W)",
                                                          "Intensidad (A)"))

        p.reemplazar(T_CORRIENTES, "Potencia (W)", "4400")
        p.esperar_texto(T_CORRIENTES, "Potencia (W)", "4400")
        p.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("20.0"), "con potencia 4400: ")
        self.ok(f"potencia 4400 → intensidad {n('20.0')}")

        # Both separator keys, and the numeric keypad's, type the locale's separator.
        for tecla, numerico in ((".", False), (",", False), (".", True)):
            p.reemplazar(T_CORRIENTES, "Tensión (V)", f"2{tecla}5", numerico)
            p.esperar_texto(T_CORRIENTES, "Tensión (V)", n("2.5"),
                            f"tras teclear 2, {tecla!r}{' (teclado numérico)' if numerico else ''} "
                            "y 5: ")
        p.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("1760.0"), "con tensión 2,5 V: ")
        self.ok(f"las teclas '.', ',' y la decimal del teclado numérico escriben {p.dec!r}: "
                f"tensión {n('2.5')}, intensidad {n('1760.0')}")

        antes = b.evaluar("window.pitidos")
        p.reemplazar(T_CORRIENTES, "Tensión (V)", "22a0")
        p.esperar_texto(T_CORRIENTES, "Tensión (V)", "220", "tras teclear 22a0: ")
        pitidos = b.evaluar("window.pitidos")
        if pitidos == antes + 1:
            self.ok("la letra 'a' no entra en la caja y suena un pitido")
        elif b.evaluar("!!(window.AudioContext || window.webkitAudioContext)"):
            raise Fallo(f"la letra rechazada dio {pitidos - antes} pitidos, se esperaba 1")
        else:
            self.aviso("la letra 'a' no entra en la caja; este navegador no tiene Web Audio")

        p.reemplazar(T_CORRIENTES, "Tensión (V)", "0")
        p.esperar_texto(T_CORRIENTES, "Mensaje", MSG_NO_NUMERICO, "con tensión 0: ")
        self.ok(f"tensión 0 rechazada con {MSG_NO_NUMERICO!r} en el campo de mensaje")
        p.reemplazar(T_CORRIENTES, "Tensión (V)", "220")
        p.esperar_texto(T_CORRIENTES, "Mensaje", "", "con tensión 220 corregida: ")
        p.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("20.0"), "con tensión 220: ")

        # The launcher takes no input while the calculator is open.
        if not p.ventana(T_PRINCIPAL)["bloqueada"]:
            raise Fallo(f"con {T_CORRIENTES!r} abierta, {T_PRINCIPAL!r} no está bloqueada")
        b.clic(*centro(p.control(T_PRINCIPAL, B_SECCIONES)["caja"]))
        p.reemplazar(T_CORRIENTES, "Potencia (W)", "4400")
        p.esperar_texto(T_CORRIENTES, "Potencia (W)", "4400")
        if p.ventana(T_SECCIONES) is not None:
            raise Fallo(f"un clic en {B_SECCIONES!r} abrió {T_SECCIONES!r} con "
                        f"{T_CORRIENTES!r} abierta")
        self.ok(f"con {T_CORRIENTES!r} abierta, un clic en {B_SECCIONES!r} no hace nada")

        p.pulsar(T_CORRIENTES, B_CERRAR)
        p.esperar_oculta(T_CORRIENTES)
        self.ok(f"{B_CERRAR!r} oculta {T_CORRIENTES!r}")
        p.pulsar(T_PRINCIPAL, B_CORRIENTES)
        p.esperar_ventana(T_CORRIENTES)
        p.esperar_texto(T_CORRIENTES, "Potencia (W)", "4400", "al volver a abrir: ")
        p.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("20.0"), "al volver a abrir: ")
        self.ok(f"al volver a abrir se conservan potencia 4400 e intensidad {n('20.0')}")

        # The close box unloads the window: opened again, it loads afresh.
        b.clic(*centro(p.ventana(T_CORRIENTES)["cierre"]))
        p.esperar_oculta(T_CORRIENTES)
        p.pulsar(T_PRINCIPAL, B_CORRIENTES)
        p.esperar_ventana(T_CORRIENTES)
        p.esperar_texto(T_CORRIENTES, "Potencia (W)", "2000", "tras la caja de cierre: ")
        p.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("9.1"), "tras la caja de cierre: ")
        self.ok(f"la caja de cierre descarga {T_CORRIENTES!r}: reabierta, potencia 2000, "
                f"intensidad {n('9.1')}")
        p.pulsar(T_CORRIENTES, B_CERRAR)
        p.esperar_oculta(T_CORRIENTES)

        # Sections and voltage drops
        p.pulsar(T_PRINCIPAL, B_SECCIONES)
        secciones = p.esperar_ventana(T_SECCIONES)
        p.esperar_texto(T_SECCIONES, "Sección (mm²)", n("1.62"))
        self.ok(f"{B_SECCIONES!r} abre {T_SECCIONES!r}; sección {n('1.62')}")
        self.comprobar_sobre_el_lanzador(principal, secciones)
        self.comprobar_arbol(T_SECCIONES, [
            ("textbox", "Caída (V)", "6"), ("textbox", "Sección (mm²)", n("1.62")),
            ("combobox", "Tipo de corriente", "Continúa"), ("combobox", "Material", "Cobre"),
            ("StaticText", n("Caída máxima: 6.60V"), None)])
        self.comprobar_sobre_sus_controles(T_SECCIONES, ("Longitud (m)", "Caída (V)",
                                                         "Sección (mm²)"))
        rotulo = p.control(T_SECCIONES, lambda t: t.startswith("Caída máxima"), "div")
        antes = p.pixeles_de(rotulo)
        if any(rojo_intenso(px) for px in antes):
            raise Fallo("el rótulo de caída máxima ya es rojo con caída 6 V (≤ 6,60 V): "
                        + resumen_colores(antes))
        p.reemplazar(T_SECCIONES, "Caída (V)", "7")
        p.esperar_texto(T_SECCIONES, "Sección (mm²)", n("1.4"), "con caída 7: ")
        self.ok(f"caída 7 → sección {n('1.4')}")
        colores = []

        def rojo():
            colores[:] = p.pixeles_de(p.control(T_SECCIONES, rotulo["nombre"], "div"))
            return any(rojo_intenso(px) for px in colores)
        esperar(rojo, lambda: "con caída 7 V (> 6,60 V) el rótulo de caída máxima no tiene "
                              "ningún píxel rojo; colores: " + resumen_colores(colores))
        self.ok("con caída 7 el rótulo de caída máxima se pinta en rojo")
        self.guardar(p.captura(T_SECCIONES, f"secciones-roja-{self.idioma}.png"),
                     "web-secciones.png")
        b.tecla("Escape")
        p.esperar_oculta(T_SECCIONES)
        self.ok(f"Escape oculta {T_SECCIONES!r}")

        # End: the program gone from the page, and a way to start it again.
        p.pulsar(T_PRINCIPAL, B_CERRAR)
        aviso = esperar(lambda: b.evaluar(
            "(() => { const m = document.getElementById('mensaje');"
            " const a = document.getElementById('aviso');"
            " return a && !a.hidden && !document.getElementById('pantalla') ? m.textContent : null;"
            " })()"), f"{B_CERRAR!r} de {T_PRINCIPAL!r} no deja la página con su aviso")
        if aviso != CERRADO:
            raise Fallo(f"tras {B_CERRAR!r} la página dice {aviso!r}, se esperaba {CERRADO!r}")
        arbol = b.arbol()
        if arbol is not None and not any(r == "button" and nm == ABRIR_DE_NUEVO
                                         for r, nm, _ in arbol):
            raise Fallo(f"tras {B_CERRAR!r} el árbol de accesibilidad no tiene el botón "
                        f"{ABRIR_DE_NUEVO!r}")
        self.ok(f"{B_CERRAR!r} termina el programa: la página dice {CERRADO!r}")
        b.evaluar("document.getElementById('reabrir').getBoundingClientRect().toJSON()")
        caja = b.evaluar("(() => { const r = document.getElementById('reabrir')"
                         ".getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; })()")
        b.clic(*centro(caja))
        p.esperar_ventana(T_PRINCIPAL, plazo=60)
        self.ok(f"{ABRIR_DE_NUEVO!r} vuelve a abrir {T_PRINCIPAL!r}")

    def comprobar_sobre_el_lanzador(self, principal, calculadora):
        cx, cy = centro(principal["caja"])
        dx, dy = centro(calculadora["caja"])
        if abs(cx - dx) > 2 or abs(cy - dy) > 2:
            raise Fallo(f"la calculadora se abre centrada en ({dx:.0f}, {dy:.0f}), no sobre el "
                        f"lanzador ({cx:.0f}, {cy:.0f})")
        self.ok("la calculadora se abre centrada sobre el lanzador")

    def comprobar_arbol(self, titulo, esperados):
        """What the browser's accessibility tree holds: each control's role, name and value."""
        arbol = self.b.arbol()
        if arbol is None:
            # WebDriver has no tree: the layer's elements, which the tree is made of.
            vistos = self.p.nombres(titulo)
            for rol, nombre, valor in esperados:
                etiqueta = {"textbox": "input", "combobox": "select", "button": "button",
                            "StaticText": "div"}[rol]
                if not any(e == etiqueta and nm == nombre and (valor is None or v == valor)
                           for e, nm, v in vistos):
                    raise Fallo(f"{titulo!r} no muestra {etiqueta} {nombre!r} = {valor!r}; "
                                f"muestra {vistos}")
            self.ok(f"{titulo!r}: {len(esperados)} controles con su nombre y su valor")
            return
        for rol, nombre, valor in esperados:
            if not any(r == rol and nm == nombre and (valor is None or (v or "") == valor)
                       for r, nm, v in arbol):
                cerca = [x for x in arbol if x[1] == nombre or x[0] == rol]
                raise Fallo(f"el árbol de accesibilidad no tiene {rol} {nombre!r} = {valor!r}; "
                            f"tiene {cerca[:12]}")
        self.ok(f"árbol de accesibilidad de {titulo!r}: " +
                ", ".join(f"{r} {nm!r}" + (f" = {v!r}" if v is not None else "")
                          for r, nm, v in esperados))

    def comprobar_sobre_sus_controles(self, titulo, cajas):
        """Each box's element lies over the box: a click at its centre types into that box."""
        p = self.p
        for nombre in cajas:
            caja = p.control(titulo, nombre, "input")
            original = caja["valor"]
            p.b.clic(*centro(caja["caja"]))
            p.b.tecla("a", ctrl=True)
            p.b.escribir("8")
            p.esperar_texto(titulo, nombre, "8", "un clic en el centro de su elemento y '8': ")
            p.reemplazar(titulo, nombre, original)
            p.esperar_texto(titulo, nombre, original)
        self.ok(f"los elementos de {', '.join(cajas)} están sobre sus cajas")


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    sitio = os.path.abspath(sys.argv[1])
    nombres = sys.argv[2:] or ["chromium", "webkit"]
    capturas = os.path.abspath(os.environ.get("ACCEPTANCE_SHOTS", "build-web/acceptance"))
    docs = os.environ.get("ACCEPTANCE_DOCS")
    os.makedirs(capturas, exist_ok=True)
    idiomas = os.environ.get("ACCEPTANCE_LANGS", "es-ES en-US").split()
    clases = {"chromium": Chromium, "webkit": WebKit}
    servidor = Servidor(sitio)
    pasados, fallos, avisos = 0, [], []
    try:
        for nombre in nombres:
            for idioma in idiomas:
                print(f"== {clases[nombre].nombre}, {idioma}", flush=True)
                registro = open(os.path.join(capturas, f"{nombre}-{idioma}.log"), "w")
                navegador = None
                try:
                    navegador = clases[nombre](idioma, registro)
                    carpeta = os.path.join(capturas, f"{nombre}-{idioma}")
                    os.makedirs(carpeta, exist_ok=True)
                    guardar = docs if (nombre == "chromium" and idioma == "es-ES") else None
                    escenario = Escenario(navegador, servidor.url, idioma, carpeta, guardar)
                    try:
                        escenario.ejecutar()
                    finally:
                        pasados += escenario.pasados
                        avisos += escenario.avisos
                except Fallo as error:
                    print(f"  FALLO {error}", flush=True)
                    fallos.append(f"{nombre} {idioma}: {error}")
                finally:
                    if navegador is not None:
                        navegador.terminar()
                    registro.close()
    finally:
        servidor.terminar()
    print(f"web: {pasados} passed, {len(fallos)} failed" +
          (f" ({len(avisos)} avisos)" if avisos else ""))
    for f in fallos:
        print(f"  FALLO {f}")
    return 1 if fallos else 0


if __name__ == "__main__":
    sys.exit(main())
