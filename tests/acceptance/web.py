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

from escritorio import PLAZO, Fallo, esperar
from escenario import Recorrido
from navegador import JS_VENTANA, Chromium, WebKit
from textos import B_CERRAR, B_CORRIENTES, B_SECCIONES, T_CORRIENTES, T_PRINCIPAL, T_SECCIONES

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
    """The driver of the shared walk (escenario.py): the program's windows in one browser's
    page."""

    # Both separator keys and the numeric keypad's decimal key.
    separadores = ((".", False), (",", False), (".", True))

    def __init__(self, navegador, url, idioma, capturas, docs):
        self.b = navegador
        self.url = url
        self.idioma = idioma
        self.capturas = capturas
        self.docs = docs
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

    def boton(self, titulo, nombre):
        return self.control(titulo, nombre, "button")

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

    def cerrar_con_caja(self, titulo):
        self.b.clic(*centro(self.esperar_ventana(titulo)["cierre"]))

    def tecla(self, nombre):
        self.b.tecla(nombre)

    def pixeles_rotulo(self, titulo):
        rotulo = self.control(titulo, lambda t: t.startswith("Caída máxima"), "div")
        x, y, ancho, alto = rotulo["caja"]
        return [p for f in self.b.pixeles(x, y, ancho, alto) for p in f]

    # The pictures the README shows, from Chromium under es-ES.
    PARA_DOCS = {"principal": "web-principal.png", "corrientes": "web-corrientes.png",
                 "secciones-roja": "web-secciones.png"}

    def captura(self, titulo, fichero):
        v = self.esperar_ventana(titulo)
        ruta = os.path.join(self.capturas, fichero)
        self.b.captura(ruta, v["caja"])
        destino = self.PARA_DOCS.get(fichero.removesuffix(f"-{self.idioma}.png"))
        if self.docs and destino:
            shutil.copyfile(ruta, os.path.join(self.docs, destino))
        return ruta

    def comprobar_fin(self):
        """The program gone from the page, and a way to start it again."""
        b = self.b
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
        caja = b.evaluar("(() => { const r = document.getElementById('reabrir')"
                         ".getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; })()")
        b.clic(*centro(caja))
        self.esperar_ventana(T_PRINCIPAL, plazo=60)
        return (f"el programa termina, la página dice {CERRADO!r}, y {ABRIR_DE_NUEVO!r} lo "
                "vuelve a abrir")


class Escenario(Recorrido):
    """The walk every platform shares, with what the browser adds to check."""

    def __init__(self, navegador, url, idioma, capturas, docs):
        self.p = Pagina(navegador, url, idioma, capturas, docs)
        super().__init__(self.p, idioma)
        self.b = navegador
        self.idioma = idioma
        self.url = url
        self.principal = None
        self.b.abrir(url)

    def ejecutar(self):
        super().ejecutar()
        if isinstance(self.b, Chromium):
            self.comprobar_sin_idioma()
            self.comprobar_descarga_fallida()

    def comprobar_sin_idioma(self):
        """A browser that names no language: the program reads and writes numbers with "."."""
        b, p = self.b, self.p
        b("Emulation.setUserAgentOverride", userAgent=b("Browser.getVersion")["userAgent"],
          acceptLanguage="")
        b.abrir(self.url)
        p.esperar_ventana(T_PRINCIPAL, plazo=60)
        p.pulsar(T_PRINCIPAL, B_CORRIENTES)
        p.esperar_ventana(T_CORRIENTES)
        p.esperar_texto(T_CORRIENTES, "Intensidad (A)", "9.1", "sin idioma del navegador: ")
        self.ok("sin idioma del navegador, el separador es '.': intensidad 9.1")

    def comprobar_descarga_fallida(self):
        """The program's download fails: the page says so in Spanish, with a way to retry."""
        b = self.b
        b("Network.enable")
        b("Network.setBlockedURLs", urls=["*quorvel.wasm"])
        b("Network.setCacheDisabled", cacheDisabled=True)
        b.abrir(self.url)
        aviso = esperar(lambda: b.evaluar(
            "(() => { const a = document.getElementById('aviso');"
            " const r = document.getElementById('reabrir');"
            " return a && !a.hidden && r && !r.hidden ?"
            " [document.getElementById('mensaje').textContent, r.textContent] : null; })()"),
            "sin el programa descargado, la página no dice nada", plazo=30)
        b("Network.setBlockedURLs", urls=[])
        if not aviso[0].startswith("No se pudo descargar el programa"):
            raise Fallo(f"sin el programa descargado la página dice {aviso[0]!r}")
        self.ok(f"sin el programa descargado la página dice {aviso[0]!r}, con {aviso[1]!r}")

    def al_empezar(self):
        b = self.b
        idioma = b.evaluar("navigator.languages[0] || navigator.language")
        if idioma != self.idioma:
            raise Fallo(f"el navegador da el idioma {idioma!r}, se pidió {self.idioma!r}")
        self.ok(f"la página tiene el idioma {idioma!r}")
        self.principal = self.p.ventana(T_PRINCIPAL)
        b.evaluar(JS_CONTAR_PITIDOS)

    def al_abrir(self, titulo):
        n = self.p.num
        self.comprobar_sobre_el_lanzador(self.principal, self.p.ventana(titulo))
        if titulo == T_CORRIENTES:
            self.comprobar_arbol(T_CORRIENTES, [
                ("textbox", "Tensión (V)", "220"), ("textbox", "Potencia (W)", "2000"),
                ("textbox", "Intensidad (A)", n("9.1")), ("textbox", "Mensaje", ""),
                ("combobox", "Tipo de corriente", "Continúa"), ("button", B_CERRAR, None)])
            # Restored in this order, each box ends as it was.
            self.comprobar_sobre_sus_controles(T_CORRIENTES, ("Intensidad (A)", "Tensión (V)",
                                                              "Potencia (W)"))
        else:
            self.comprobar_arbol(T_SECCIONES, [
                ("textbox", "Caída (V)", "6"), ("textbox", "Sección (mm²)", n("1.62")),
                ("combobox", "Tipo de corriente", "Continúa"),
                ("combobox", "Material", "Cobre"),
                ("StaticText", n("Caída máxima: 6.60V"), None)])
            self.comprobar_sobre_sus_controles(T_SECCIONES, ("Sección (mm²)", "Longitud (m)",
                                                             "Caída (V)"))

    def al_teclear_letra(self):
        return self.b.evaluar("window.pitidos")

    def tras_letra_rechazada(self, antes):
        b = self.b
        pitidos = b.evaluar("window.pitidos")
        if pitidos == antes + 1:
            self.ok("la letra rechazada suena con un pitido, uno solo")
        elif b.evaluar("!!(window.AudioContext || window.webkitAudioContext)"):
            raise Fallo(f"la letra rechazada dio {pitidos - antes} pitidos, se esperaba 1")
        else:
            self.aviso("este navegador no tiene Web Audio: no se oye el pitido")

    def con_calculadora_abierta(self, titulo):
        """The main window takes no input while the calculator is open."""
        p = self.p
        if not p.ventana(T_PRINCIPAL)["bloqueada"]:
            raise Fallo(f"con {titulo!r} abierta, {T_PRINCIPAL!r} no está bloqueada")
        otro = B_SECCIONES if titulo == T_CORRIENTES else B_CORRIENTES
        otra = T_SECCIONES if titulo == T_CORRIENTES else T_CORRIENTES
        self.b.clic(*centro(p.control(T_PRINCIPAL, otro)["caja"]))
        # Something typed after the click, and seen, tells that the click has been handled.
        potencia = p.control(titulo, "Potencia (W)", "input")["valor"]
        p.reemplazar(titulo, "Potencia (W)", potencia)
        p.esperar_texto(titulo, "Potencia (W)", potencia)
        if p.ventana(otra) is not None:
            raise Fallo(f"un clic en {otro!r} abrió {otra!r} con {titulo!r} abierta")
        self.ok(f"con {titulo!r} abierta, {T_PRINCIPAL!r} está bloqueada y un clic en "
                f"{otro!r} no hace nada")

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
