#!/usr/bin/python3
"""Acceptance run of the built program in a real X server.

Started by run.sh inside its own X server and D-Bus session.  Launches the program once per
locale, finds it through AT-SPI by its pid, drives it with real X key and pointer events
(xdotool) and reads the windows back through AT-SPI and the root window's pixels.

    aceptacion.py [path-to-quorvel]

Environment: DISPLAY (required), ACCEPTANCE_SHOTS (folder for the PNG screenshots, default
build/acceptance), ACCEPTANCE_LOCALES (default "es_ES.UTF-8 en_US.UTF-8"), ACCEPTANCE_STRICT=1
(what cannot be observed at all fails instead of being reported as a warning).
"""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import escritorio  # noqa: E402
from escenario import Recorrido  # noqa: E402
from escritorio import (PLAZO, Fallo, GestorDeVentanas, Pantalla,  # noqa: E402
                        contraste_de_texto, escribir, escribir_png, luminancia, mas_frecuente,
                        resumen_colores, teclas, xdo)

Atspi.set_timeout(2000, 5000)

RAIZ = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

from textos import (B_CERRAR, B_CORRIENTES, B_SECCIONES, CAIDA_SUPERADA,  # noqa: E402
                    MSG_NO_NUMERICO, T_CORRIENTES, T_PRINCIPAL, T_SECCIONES)

# Controls are told apart by their role itself: each at-spi2-core release may call a role
# something else ("push button" up to 2.46, "button" from 2.56 on).
BOTON = Atspi.Role.PUSH_BUTTON
CAJA = Atspi.Role.TEXT
ROTULO = Atspi.Role.LABEL
ENTRADA = os.path.join(RAIZ, "resources", "escritorio", "es.quorvel.electricos.desktop")
GRIS_ROTULOS = (224, 224, 224)
# The captions of each calculator, as AT-SPI names them (their own text).
ROTULOS_CORRIENTES = ("Tipo de corriente:", "Tensión (V) :", "Potencia (W):",
                      "Intensidad (A):", "Cos Ø:")
ROTULOS_SECCIONES = ("Tipo de corriente:", "Tensión (V):", "Potencia (W):", "Longitud (m):",
                     "Sección (mm²):", "Caída (V):", "Material:")


class Aviso(Exception):
    """Something that the driver cannot observe at all (reported, not counted as failed)."""


# ---------------------------------------------------------------------------------------------
# Small utilities


def esperar(condicion, descripcion, plazo=PLAZO, intervalo=0.03):
    """escritorio.esperar, with an object that AT-SPI lost meanwhile counting as false."""
    return escritorio.esperar(condicion, descripcion, plazo, intervalo,
                              errores=(GLib.Error, RuntimeError))


# ---------------------------------------------------------------------------------------------
# The AT-SPI side


def hijos(objeto):
    for i in range(objeto.get_child_count()):
        hijo = objeto.get_child_at_index(i)
        if hijo is not None:
            yield hijo


def ROTULO_CAIDA_MAXIMA(nombre):
    """The maximum-drop caption, named by its own text ("Caída máxima: 6,60V")."""
    return nombre.startswith("Caída máxima")


def nombre_de_rol(rol):
    return rol.value_name.removeprefix("ATSPI_ROLE_").lower().replace("_", " ")


def buscar(objeto, rol, nombre=None, solo_visibles=True):
    """Depth-first: the first descendant with that role (and name) that is showing. What is
    not showing is not searched either: a closed list's entries and a hidden window's
    controls stay in the tree, and some claim to be showing or focused all the same."""
    for hijo in hijos(objeto):
        if solo_visibles and not mostrando(hijo):
            continue
        nombre_hijo = hijo.get_name() or ""
        coincide = nombre is None or (nombre(nombre_hijo) if callable(nombre) else
                                      nombre_hijo == nombre)
        if hijo.get_role() == rol and coincide:
            return hijo
        encontrado = buscar(hijo, rol, nombre, solo_visibles)
        if encontrado is not None:
            return encontrado
    return None


def mostrando(objeto):
    return objeto.get_state_set().contains(Atspi.StateType.SHOWING)


def texto_de(objeto):
    return Atspi.Text.get_text(objeto, 0, Atspi.Text.get_character_count(objeto))


def centro(objeto):
    e = objeto.get_extents(Atspi.CoordType.SCREEN)
    return e.x + e.width // 2, e.y + e.height // 2


def rectangulo(objeto):
    e = objeto.get_extents(Atspi.CoordType.SCREEN)
    return e.x, e.y, e.width, e.height


class Programa:
    def __init__(self, ruta, locale, pantalla, carpeta_capturas, oscuro=False):
        self.locale = locale
        self.pantalla = pantalla
        self.capturas = carpeta_capturas
        self.dec = "," if locale.startswith("es") else "."
        entorno = dict(os.environ, LC_ALL=locale, LANG=locale, LANGUAGE="",
                       QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        entorno.pop("QT_SCALE_FACTOR", None)
        if oscuro:
            # A desktop that prefers dark, as its settings dialog writes it, through the GTK
            # platform theme that Debian's Qt recommends.
            config = os.path.join(carpeta_capturas, "config-oscuro")
            os.makedirs(os.path.join(config, "gtk-3.0"), exist_ok=True)
            with open(os.path.join(config, "gtk-3.0", "settings.ini"), "w") as f:
                f.write("[Settings]\ngtk-theme-name=Adwaita\n"
                        "gtk-application-prefer-dark-theme=1\n")
            entorno.update(QT_QPA_PLATFORMTHEME="gtk3", XDG_CONFIG_HOME=config)
        nombre = f"quorvel-{locale}{'-oscuro' if oscuro else ''}.log"
        self.registro = open(os.path.join(carpeta_capturas, nombre), "wb")
        self.proceso = subprocess.Popen([ruta], env=entorno, stdout=self.registro,
                                        stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        self.pid = self.proceso.pid

    def terminar(self):
        if self.proceso.poll() is None:
            self.proceso.kill()
            self.proceso.wait(10)
        self.registro.close()

    def num(self, texto):
        """A number written with the locale's decimal separator."""
        return texto.replace(".", self.dec)

    # -- windows

    def aplicacion(self):
        # With the GTK platform theme the process registers a second, empty application.
        escritorio = Atspi.get_desktop(0)
        vacia = None
        for app in hijos(escritorio):
            try:
                if app.get_process_id() == self.pid:
                    if app.get_child_count() > 0:
                        return app
                    vacia = app
            except gi.repository.GLib.Error:
                continue
        return vacia

    def ventana_visible(self, titulo):
        app = self.aplicacion()
        if app is None:
            return None
        for ventana in hijos(app):
            if ventana.get_name() == titulo and mostrando(ventana):
                return ventana
        return None

    def titulos_visibles(self):
        app = self.aplicacion()
        if app is None:
            return "(la aplicación no está en el árbol AT-SPI)"
        return ", ".join(repr(v.get_name()) for v in hijos(app) if mostrando(v)) or "(ninguna)"

    def esperar_ventana(self, titulo, plazo=PLAZO):
        def lista():
            v = self.ventana_visible(titulo)
            return v if v is not None and self.pantalla.ventanas(titulo, self.pid) else None

        def por_que():
            if self.ventana_visible(titulo) is None:
                estado = ("vivo" if self.proceso.poll() is None else
                          f"terminó con {self.proceso.returncode}")
                return (f"no se ve la ventana {titulo!r} en AT-SPI (pid {self.pid}, {estado}); "
                        f"visibles: {self.titulos_visibles()}")
            return (f"la ventana {titulo!r} está en AT-SPI pero xdotool search --name no "
                    f"encuentra ninguna ventana X visible del pid {self.pid} con ese título")

        return esperar(lista, por_que, plazo=plazo)

    def esperar_oculta(self, titulo):
        esperar(lambda: self.ventana_visible(titulo) is None and
                not self.pantalla.ventanas(titulo, self.pid),
                lambda: f"la ventana {titulo!r} sigue visible")

    def control(self, ventana_titulo, rol, nombre):
        def encontrar():
            v = self.ventana_visible(ventana_titulo)
            return buscar(v, rol, nombre) if v is not None else None

        return esperar(encontrar, lambda: f"en {ventana_titulo!r} no hay {nombre_de_rol(rol)} "
                                         f"{nombre!r} visible")

    # -- reading and typing

    def esperar_texto(self, ventana_titulo, nombre, esperado, que=None):
        visto = []

        def igual():
            caja = buscar(self.ventana_visible(ventana_titulo), CAJA, nombre)
            visto[:] = [texto_de(caja)]
            return visto[0] == esperado

        esperar(igual, lambda: f"{que or ''}caja {nombre!r} de {ventana_titulo!r}: se esperaba "
                               f"{esperado!r}, se ve {visto[0] if visto else '(nada)'!r}")

    def boton(self, ventana_titulo, nombre):
        return self.control(ventana_titulo, BOTON, nombre)

    def pulsar(self, ventana_titulo, nombre, rol=BOTON):
        x, y = centro(self.control(ventana_titulo, rol, nombre))
        xdo("mousemove", x, y, "click", "1")

    @property
    def separadores(self):
        """The separator key that is not the locale's own: it must type the locale's one."""
        return (("." if self.dec == "," else ","), False),

    def cerrar_con_caja(self, titulo):
        """As a window manager would: a WM_DELETE_WINDOW message to the window."""
        xids = esperar(lambda: self.pantalla.ventanas(titulo, self.pid),
                       f"xdotool search --name no encuentra la ventana X {titulo!r}")
        for xid in xids:
            self.pantalla.cerrar_con_caja(xid)

    def tecla(self, nombre):
        teclas(nombre)

    def pixeles_rotulo(self, titulo):
        return self.pixeles_de(self.control(titulo, ROTULO, ROTULO_CAIDA_MAXIMA))

    def comprobar_fin(self):
        try:
            codigo = self.proceso.wait(10)
        except subprocess.TimeoutExpired:
            raise Fallo(f"el programa sigue vivo 10 s después de pulsar {B_CERRAR!r} en la "
                        "ventana principal")
        if codigo != 0:
            raise Fallo(f"el programa terminó con código {codigo}, se esperaba 0")
        return "el programa termina con código 0"

    def enfocar(self, ventana_titulo, nombre):
        """Clicks into a text box and waits until it has the focus."""
        caja = self.control(ventana_titulo, CAJA, nombre)
        x, y = centro(caja)
        xdo("mousemove", x, y, "click", "1")
        esperar(lambda: buscar(self.ventana_visible(ventana_titulo), CAJA, nombre)
                .get_state_set().contains(Atspi.StateType.FOCUSED),
                f"la caja {nombre!r} no toma el foco al hacer clic")

    def reemplazar(self, ventana_titulo, nombre, texto, teclado_numerico=False):
        """Click into the box, select all with Ctrl+A and type the text over it."""
        self.enfocar(ventana_titulo, nombre)
        teclas("ctrl+a")
        escribir(texto)

    # -- pictures

    def captura(self, ventana_titulo, fichero):
        ventana = self.esperar_ventana(ventana_titulo)
        x, y, ancho, alto = rectangulo(ventana)
        # Polls until two grabs agree, so that the picture is not taken mid-paint.
        anterior = []

        def estable():
            filas = self.pantalla.pixeles(x, y, ancho, alto)
            igual = filas == anterior
            anterior[:] = filas
            return igual and any(f.strip(b"\x00") for f in filas)

        esperar(estable, f"la ventana {ventana_titulo!r} no termina de pintarse", intervalo=0.05)
        ruta = os.path.join(self.capturas, fichero)
        escribir_png(ruta, ancho, alto, anterior)
        return ruta

    def pixeles_de(self, objeto, margen=0, derecha=0):
        """The control's pixels, less `margen` on every side and `derecha` more on the right
        (where a caption runs under its box)."""
        x, y, ancho, alto = rectangulo(objeto)
        x, y = x + margen, y + margen
        ancho, alto = ancho - 2 * margen - derecha, alto - 2 * margen
        filas = self.pantalla.pixeles(x, y, ancho, alto)
        return [tuple(f[i:i + 3]) for f in filas for i in range(0, len(f), 3)]

    def esperar_descripcion(self, ventana_titulo, nombre, contiene, que):
        """The focused box's accessible description holds (or, with contiene False, lacks)
        `que`."""
        visto = []

        def cumple():
            caja = buscar(self.ventana_visible(ventana_titulo), CAJA, nombre)
            enfocada = caja.get_state_set().contains(Atspi.StateType.FOCUSED)
            visto[:] = [caja.get_description() or "", enfocada]
            return enfocada and (que in visto[0]) == contiene

        esperar(cumple, lambda: f"caja {nombre!r} de {ventana_titulo!r}: se esperaba una "
                                f"descripción {'con' if contiene else 'sin'} {que!r} con el foco; "
                                f"se ve {visto[0] if visto else '(nada)'!r}, "
                                f"{'con' if visto and visto[1] else 'sin'} foco")


# ---------------------------------------------------------------------------------------------
# The scenario


class Escenario(Recorrido):
    """The walk every platform shares (escenario.py), with X11's own checks."""

    def __init__(self, ruta, locale, pantalla, capturas, oscuro=False):
        self.p = Programa(ruta, locale, pantalla, capturas, oscuro)
        super().__init__(self.p, locale)
        self.locale = locale

    # -- this platform's own checks, at their moments of the walk

    def al_empezar(self):
        self.comprobar_wm_class()

    def al_abrir(self, titulo):
        self.comprobar_sobre_el_lanzador(titulo)
        if titulo == T_SECCIONES:
            self.comprobar_rotulo(self.p.num("Caída máxima: 6.60V"))

    def tras_rechazo(self, titulo, caja, mensaje):
        self.p.esperar_descripcion(titulo, caja, True, mensaje)
        self.ok(f"la caja {caja!r}, con el foco, describe el rechazo: {mensaje!r}")

    def tras_correccion(self, titulo, caja, mensaje):
        self.p.esperar_descripcion(titulo, caja, False, mensaje)
        self.ok(f"corregida, la caja {caja!r} ya no describe ningún rechazo")
        self.comprobar_bordes(titulo, ("Tensión (V)", "Potencia (W)", "Intensidad (A)"))

    def al_superar(self, titulo, caja):
        self.p.esperar_descripcion(titulo, caja, True, CAIDA_SUPERADA)
        self.ok(f"con caída 7 la caja de caída, con el foco, dice {CAIDA_SUPERADA!r}")

    def al_volver_bajo_el_maximo(self, titulo, caja):
        self.p.esperar_descripcion(titulo, caja, False, CAIDA_SUPERADA)
        self.ok(f"con caída 6 la caja de caída ya no dice {CAIDA_SUPERADA!r}")
        self.comprobar_bordes(titulo, ("Tensión (V)", "Potencia (W)", "Longitud (m)",
                                       "Sección (mm²)", "Caída (V)"))

    def comprobar_wm_class(self):
        p = self.p
        with open(ENTRADA, encoding="utf-8") as f:
            clave = [linea.split("=", 1)[1].strip() for linea in f
                     if linea.startswith("StartupWMClass=")]
        if not clave:
            raise Fallo(f"{os.path.basename(ENTRADA)} no tiene StartupWMClass")
        xid = esperar(lambda: p.pantalla.ventanas(T_PRINCIPAL, p.pid),
                      f"no se encuentra la ventana X {T_PRINCIPAL!r}")[0]
        clase = p.pantalla.wm_class(xid)
        if not clase or clase[1] != clave[0]:
            raise Fallo(f"WM_CLASS de {T_PRINCIPAL!r} es {clase!r}; la entrada de escritorio "
                        f"dice StartupWMClass={clave[0]}")
        self.ok(f"WM_CLASS {clase!r} coincide con StartupWMClass={clave[0]}")

    def comprobar_sobre_el_lanzador(self, titulo):
        """The calculator belongs to the main window (WM_TRANSIENT_FOR), and under a window
        manager a click on the main window's title bar leaves the calculator in front."""
        p = self.p
        pantalla = p.pantalla
        lanzador = esperar(lambda: pantalla.ventanas(T_PRINCIPAL, p.pid),
                           f"no se encuentra la ventana X {T_PRINCIPAL!r}")[0]
        calculadora = esperar(lambda: pantalla.ventanas(titulo, p.pid),
                              f"no se encuentra la ventana X {titulo!r}")[0]
        duena = pantalla.transitoria_de(calculadora)
        if duena != lanzador:
            raise Fallo(f"WM_TRANSIENT_FOR de {titulo!r} es {duena and hex(duena)}, no la "
                        f"ventana principal {hex(lanzador)}")
        self.ok(f"WM_TRANSIENT_FOR de {titulo!r} es la ventana principal")
        with GestorDeVentanas(pantalla, (lanzador, calculadora)):
            x, y = pantalla.barra_de_titulo(lanzador)
            xdo("mousemove", x, y, "click", "1")
            # The window manager raises what it raises as it handles the click: the order
            # must hold for the whole second after it.
            limite = time.monotonic() + 1
            while time.monotonic() < limite:
                if not pantalla.encima(calculadora, lanzador):
                    raise Fallo(f"un clic en la barra de título de {T_PRINCIPAL!r} la pone "
                                f"encima de {titulo!r}")
                time.sleep(0.05)
        self.ok(f"con gestor de ventanas, un clic en {T_PRINCIPAL!r} deja {titulo!r} delante")

    def comprobar_bordes(self, titulo, cajas):
        """Each box shows its left border: the caption that reaches under it does not
        cover it."""
        p = self.p
        for nombre in cajas:
            x, y, _, alto = rectangulo(p.control(titulo, CAJA, nombre))
            borde = p.pantalla.pixeles(x, y + alto // 2, 1, 1)[0]
            if tuple(borde) == GRIS_ROTULOS:
                raise Fallo(f"el borde izquierdo de la caja {nombre!r} de {titulo!r} queda "
                            "bajo su rótulo (gris del rótulo en su primera columna)")
        self.ok(f"en {titulo!r} cada caja muestra su borde izquierdo junto al rótulo")

    def comprobar_contraste(self, titulo, rol, nombres):
        """Text at least 4.5:1 on the background the layouts fix, whatever the palette."""
        p = self.p
        for nombre in nombres:
            pixeles = p.pixeles_de(p.control(titulo, rol, nombre), margen=2, derecha=4)
            fondo, ratio = contraste_de_texto(pixeles)
            if ratio < 4.5:
                raise Fallo(f"{nombre_de_rol(rol)} {nombre!r} de {titulo!r}: contraste {ratio:.2f}:1 sobre "
                            f"#%02x%02x%02x; colores: {resumen_colores(pixeles)}" % fondo)
        self.ok(f"en {titulo!r} se leen (≥ 4,5:1): " +
                ", ".join(n if isinstance(n, str) else "Caída máxima…" for n in nombres))

    def ejecutar_oscuro(self):
        """The captions and message boxes under a dark desktop theme."""
        p = self.p
        esperar(lambda: p.aplicacion() is not None and p.ventana_visible(T_PRINCIPAL),
                f"la ventana principal {T_PRINCIPAL!r} no aparece con el tema oscuro", plazo=15)
        p.esperar_ventana(T_PRINCIPAL)

        p.pulsar(T_PRINCIPAL, B_CORRIENTES)
        p.esperar_ventana(T_CORRIENTES)
        # The boxes follow the desktop: dark ones mean the dark palette did reach the program.
        caja = mas_frecuente(p.pixeles_de(p.control(T_CORRIENTES, CAJA, "Potencia (W)"), 3))
        if luminancia(caja) > 0.2:
            raise Fallo("el tema oscuro no llega al programa: las cajas se pintan "
                        "#%02x%02x%02x (¿falta qt6-gtk-platformtheme?)" % caja)
        self.ok("con el tema oscuro las cajas siguen al escritorio (#%02x%02x%02x)" % caja)
        teclas("Down")  # "Alterna monofásica" brings the power-factor row into view
        p.control(T_CORRIENTES, ROTULO, "Cos Ø:")
        p.reemplazar(T_CORRIENTES, "Tensión (V)", "0")
        p.esperar_texto(T_CORRIENTES, "Mensaje", MSG_NO_NUMERICO, "con tensión 0: ")
        self.comprobar_contraste(T_CORRIENTES, ROTULO, ROTULOS_CORRIENTES)
        self.comprobar_contraste(T_CORRIENTES, CAJA, ("Mensaje",))
        self.comprobar_bordes(T_CORRIENTES, ("Tensión (V)", "Potencia (W)", "Intensidad (A)",
                                             "Cos Ø"))
        p.captura(T_CORRIENTES, f"corrientes-oscuro-{self.locale}.png")
        p.pulsar(T_CORRIENTES, B_CERRAR)
        p.esperar_oculta(T_CORRIENTES)

        p.pulsar(T_PRINCIPAL, B_SECCIONES)
        p.esperar_ventana(T_SECCIONES)
        self.comprobar_contraste(T_SECCIONES, ROTULO, ROTULOS_SECCIONES + (ROTULO_CAIDA_MAXIMA,))
        p.captura(T_SECCIONES, f"secciones-oscuro-{self.locale}.png")
        teclas("Escape")
        p.esperar_oculta(T_SECCIONES)
        p.pulsar(T_PRINCIPAL, B_CERRAR)
        p.proceso.wait(10)

    def comprobar_rotulo(self, esperado):
        """The caption's text, from whatever AT-SPI exposes of it."""
        p = self.p
        rotulo = p.control(T_SECCIONES, ROTULO, ROTULO_CAIDA_MAXIMA)
        candidatos = [rotulo.get_name() or "", rotulo.get_description() or ""]
        try:
            candidatos.append(texto_de(rotulo))
        except (gi.repository.GLib.Error, TypeError, NotImplementedError, AttributeError):
            pass
        if esperado in candidatos:
            self.ok(f"rótulo {esperado!r}")
            return
        if any("Caída máxima:" in c for c in candidatos):
            raise Fallo(f"rótulo de caída máxima: se esperaba {esperado!r}, se ve "
                        f"{[c for c in candidatos if 'Caída máxima:' in c][0]!r}")
        aviso = (f"el rótulo de caída máxima no expone su texto por AT-SPI (nombre "
                 f"{candidatos[0]!r}, descripción {candidatos[1]!r}, sin interfaz Text): no se "
                 f"puede comprobar {esperado!r}")
        if os.environ.get("ACCEPTANCE_STRICT") == "1":
            raise Fallo(aviso)
        self.avisos.append(aviso)
        print(f"  AVISO {aviso}", flush=True)


def activar_bus_accesibilidad():
    limite = time.monotonic() + 15
    while True:
        r = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                            "/org/a11y/bus", "org.a11y.Bus.GetAddress"], capture_output=True,
                           timeout=10)
        if r.returncode == 0:
            return
        if time.monotonic() >= limite:
            raise SystemExit("FALLO: el bus de accesibilidad (org.a11y.Bus) no responde: "
                             + r.stderr.decode(errors="replace").strip())
        time.sleep(0.1)


def main():
    ruta = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(RAIZ, "build", "bin", "quorvel"))
    if not os.access(ruta, os.X_OK):
        print(f"FALLO: no existe el programa ejecutable {ruta}", flush=True)
        return 2
    capturas = os.path.abspath(os.environ.get("ACCEPTANCE_SHOTS") or
                               os.path.join(RAIZ, "build", "acceptance"))
    os.makedirs(capturas, exist_ok=True)
    locales = os.environ.get("ACCEPTANCE_LOCALES", "es_ES.UTF-8 en_US.UTF-8").split()

    activar_bus_accesibilidad()
    pantalla = Pantalla()
    pasados = fallados = 0
    avisos = []
    # Every locale in the light default, then the first one under a dark desktop theme.
    for locale, oscuro in [(l, False) for l in locales] + [(locales[0], True)]:
        etiqueta = f"{locale}{', tema oscuro' if oscuro else ''}"
        print(f"[{etiqueta}] {ruta}", flush=True)
        inicio = time.monotonic()
        escenario = Escenario(ruta, locale, pantalla, capturas, oscuro)
        try:
            escenario.ejecutar_oscuro() if oscuro else escenario.ejecutar()
        except Fallo as fallo:
            fallados += 1
            print(f"FALLO [{etiqueta}]: {fallo}", flush=True)
        except Exception as error:  # an unexpected error is a failure, not a crash
            fallados += 1
            print(f"FALLO [{etiqueta}]: error inesperado del guion: {type(error).__name__}: "
                  f"{error}", flush=True)
        finally:
            escenario.p.terminar()
        pasados += escenario.pasados
        avisos += escenario.avisos
        print(f"[{etiqueta}] {escenario.pasados} comprobaciones en "
              f"{time.monotonic() - inicio:.1f} s", flush=True)
    print(f"capturas en {capturas}", flush=True)
    if avisos:
        print(f"{len(avisos)} aviso(s): comprobaciones que no se pudieron hacer", flush=True)
    print(f"acceptance: {pasados} passed, {fallados} failed", flush=True)
    return 1 if fallados else 0


if __name__ == "__main__":
    sys.exit(main())
