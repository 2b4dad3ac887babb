#!/usr/bin/python3
"""Acceptance run of the installed Windows program under Wine, in a virtual X server with a
window manager (started by windows.sh).

Starts the program from its Start-menu shortcut, as a user would, drives it with real X key
and pointer events and reads it back as a user reads: the boxes' texts through the clipboard
(select all, copy), colours and screenshots from the screen. Wine offers no accessibility
tree, so the controls are found by their place in the windows' layouts.

    aceptacion_windows.py ACCESO_DIRECTO.lnk SEPARADOR ETIQUETA

SEPARADOR is the decimal symbol the program must type and write ("," or "."); ETIQUETA names
the screenshots. Environment: DISPLAY, WINEPREFIX, LANG/LC_ALL (the locale under test),
ACCEPTANCE_SHOTS (folder for the screenshots).
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from escenario import Recorrido
from escritorio import Fallo, Pantalla, escribir, escribir_png, esperar, teclas, xdo

PLAZO_INICIO = 30.0  # Wine's first start of a program in a new prefix takes a while

from textos import T_PRINCIPAL, T_CORRIENTES, T_SECCIONES  # noqa: E402


def rect(left, top, width, height, origen=(0, 0)):
    """A control's rectangle in client pixels, each edge rounded as the layouts round it."""
    def px(t):
        return (t + 7) // 15
    x, y = px(left), px(top)
    return (origen[0] + x, origen[1] + y, px(left + width) - x, px(top + height) - y)


def centro(r):
    return (r[0] + r[2] // 2, r[1] + r[3] // 2)


# Where the controls stand in each window's client area at 96 DPI (the layouts' twips), by
# their accessible names.
MARCO = (60 // 15, 420 // 15)  # Frame1, which holds the sections window's boxes
BOTONES_PRINCIPAL = {
    "Corrientes y potencias": rect(1140, 3180, 4272, 552),
    "Secciones y caídas de tensión": rect(1140, 3840, 4272, 552),
    "Cerrar": rect(2100, 4440, 2352, 432),
}
CAJAS_CORRIENTES = {
    "Tensión (V)": rect(1620, 420, 912, 312),
    "Potencia (W)": rect(1620, 780, 912, 312),
    "Intensidad (A)": rect(1620, 1140, 912, 312),
}
CERRAR_CORRIENTES = rect(0, 1920, 5112, 432)
MENSAJE_CORRIENTES = rect(2640, 1500, 2472, 312)
CAJAS_SECCIONES = {nombre: rect(1680, top, 972, 360, MARCO) for nombre, top in (
    ("Tensión (V)", 240), ("Potencia (W)", 600), ("Longitud (m)", 960), ("Sección (mm²)", 1320),
    ("Caída (V)", 1680))}
CERRAR_SECCIONES = rect(60, 2640, 5412, 432)
CAIDAMAX = rect(2760, 1680, 2472, 372, MARCO)

# Where the run clicks and reads: each control's centre.
PRINCIPAL = {nombre: centro(r) for nombre, r in BOTONES_PRINCIPAL.items()}
CORRIENTES = {nombre: centro(r) for nombre, r in CAJAS_CORRIENTES.items()}
CORRIENTES["Cerrar"] = centro(CERRAR_CORRIENTES)
CORRIENTES["Mensaje"] = centro(MENSAJE_CORRIENTES)
SECCIONES = {nombre: centro(r) for nombre, r in CAJAS_SECCIONES.items()}
SECCIONES["Cerrar"] = centro(CERRAR_SECCIONES)
LUGARES = {T_PRINCIPAL: PRINCIPAL, T_CORRIENTES: CORRIENTES, T_SECCIONES: SECCIONES}


# Where the installation under test put the program (ACCEPTANCE_PROGRAMA), for all users by
# default.
PROGRAMA = os.environ.get("ACCEPTANCE_PROGRAMA",
                          "C:\\Program Files\\Quorvel eléctricos\\quorvel.exe")
COMPILADOR = "x86_64-w64-mingw32-g++-posix"


class Sonda:
    """One of the run's own Win32 clients (uia/), cross-built once, on first use, into a folder
    of its own."""

    def __init__(self, fuente, *bibliotecas):
        self.fuente = os.path.join(os.path.dirname(os.path.abspath(__file__)), "uia", fuente)
        self.bibliotecas = bibliotecas
        self.carpeta = None

    def exe(self):
        nombre = os.path.splitext(os.path.basename(self.fuente))[0] + ".exe"
        if self.carpeta is None:
            if not shutil.which(COMPILADOR):
                raise Fallo(f"falta {COMPILADOR} (g++-mingw-w64-x86-64-posix) para {nombre}")
            self.carpeta = tempfile.mkdtemp(prefix="quorvel-sonda.")
            subprocess.run([COMPILADOR, "-std=c++20", "-O2", "-Wall", "-Wextra", "-static",
                            "-o", os.path.join(self.carpeta, nombre), self.fuente,
                            *self.bibliotecas], check=True, timeout=300)
        return os.path.join(self.carpeta, nombre)

    def limpiar(self):
        if self.carpeta:
            shutil.rmtree(self.carpeta, ignore_errors=True)


def destino_del_acceso(acceso):
    """The target and working folder of a Windows shell link (.lnk), from its local-path link
    information and its string data: the parts of the format that the installer writes."""
    with open(subprocess.check_output(["winepath", "-u", acceso], text=True,
                                    timeout=60).strip(), "rb") as f:
        datos = f.read()

    def u16(i):
        return int.from_bytes(datos[i:i + 2], "little")

    def u32(i):
        return int.from_bytes(datos[i:i + 4], "little")

    def texto(crudo, unicode):
        # The ANSI form is in the system code page: Western (1252) under es_ES and en_US.
        return crudo.decode("utf-16-le" if unicode else "cp1252")

    def cadena(i, unicode):
        if unicode:
            fin = i
            while u16(fin):
                fin += 2
        else:
            fin = datos.index(b"\0", i)
        return texto(datos[i:fin], unicode)

    banderas = u32(0x14)
    i = u32(0)
    if banderas & 0x1:  # the target as a shell item list
        i += 2 + u16(i)
    if not banderas & 0x2 or not u32(i + 8) & 0x1:
        raise Fallo("el acceso directo no da la ruta local de su programa")
    if u32(i + 4) >= 0x24:
        destino = cadena(i + u32(i + 28), True) + cadena(i + u32(i + 32), True)
    else:
        destino = cadena(i + u32(i + 16), False) + cadena(i + u32(i + 24), False)
    i += u32(i)
    unicode = bool(banderas & 0x80)
    carpeta = ""
    for bandera in (0x4, 0x8, 0x10, 0x20, 0x40):  # name, relative path, folder, arguments, icon
        if banderas & bandera:
            n = u16(i)
            crudo = datos[i + 2:i + 2 + n * (2 if unicode else 1)]
            if bandera == 0x10:
                carpeta = texto(crudo, unicode).rstrip("\0")
            i += 2 + len(crudo)
    return destino, carpeta


class Programa:
    """The driver of the shared walk (escenario.py) under Wine: windows by their X titles,
    controls by their places in the layouts, boxes read through the clipboard."""

    # Both separator keys type the decimal symbol, whichever it is.
    separadores = ((".", False), (",", False))

    def __init__(self, acceso, separador, etiqueta):
        self.acceso = acceso
        self.sep = separador
        self.dec = separador
        self.etiqueta = etiqueta
        self.capturas = os.environ.get("ACCEPTANCE_SHOTS", "build-windows/acceptance")
        os.makedirs(self.capturas, exist_ok=True)
        self.pantalla = Pantalla()
        self.proceso = None

    def num(self, texto):
        return texto.replace(".", self.sep)

    def arrancar(self):
        # The shell starts a shortcut's target in the shortcut's working folder; so does this,
        # with "start /wait", which returns the program's exit code. (Given the shortcut itself,
        # Wine 10's "start" returns at once, without the program's code.)
        programa, carpeta = destino_del_acceso(self.acceso)
        if programa.lower() != PROGRAMA.lower():
            raise Fallo(f"el acceso directo lleva a «{programa}», no a «{PROGRAMA}»")
        en = ["/d", carpeta] if carpeta else []
        self.proceso = subprocess.Popen(["wine", "start", "/wait", *en, programa],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def terminar(self):
        if self.proceso is not None and self.proceso.poll() is None:
            self.proceso.kill()

    # --- windows -----------------------------------------------------------------------------
    def ventana(self, titulo, plazo=5.0):
        return esperar(lambda: self.pantalla.ventanas(titulo),
                       f"la ventana «{titulo}» no está visible", plazo)[0]

    def esperar_ventana(self, titulo, plazo=5.0):
        # Wine's first start of a program in a new prefix takes a while.
        return self.ventana(titulo, max(plazo, PLAZO_INICIO) if titulo == T_PRINCIPAL else plazo)

    def esperar_oculta(self, titulo):
        esperar(lambda: not self.pantalla.ventanas(titulo),
                f"la ventana «{titulo}» sigue visible")

    def origen(self, xid):
        """The client area's top-left corner on the screen (the window manager's frame aside)."""
        salida = subprocess.run(["xwininfo", "-id", str(xid)], capture_output=True, text=True,
                                check=True, timeout=10).stdout
        valores = {}
        for linea in salida.splitlines():
            clave, _, valor = linea.strip().partition(":")
            valores[clave] = valor.strip()
        return (int(valores["Absolute upper-left X"]), int(valores["Absolute upper-left Y"]),
                int(valores["Width"]), int(valores["Height"]))

    def clic(self, titulo, lugar):
        x, y, _, _ = self.origen(self.ventana(titulo))
        xdo("mousemove", x + lugar[0], y + lugar[1])
        xdo("click", "1")

    def boton(self, titulo, nombre):
        # Wine offers no accessibility tree: the button is where the layout puts it.
        self.ventana(titulo)
        return LUGARES[titulo][nombre]

    def pulsar(self, titulo, nombre):
        self.clic(titulo, LUGARES[titulo][nombre])

    def cerrar_con_caja(self, titulo):
        self.pantalla.cerrar_con_caja(self.ventana(titulo))

    def tecla(self, nombre):
        teclas(nombre)

    def texto(self, titulo, lugar, puede_estar_vacia=False):
        """What the box shows: clicked into, selected whole and copied, as a user copies it.
        An empty box copies nothing: where it may be empty, nothing copied reads as empty."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i", "/dev/null"], check=True,
                       timeout=10)
        self.clic(titulo, lugar)
        teclas("ctrl+a")
        teclas("ctrl+c")

        def leido():
            # The clipboard's owner may never answer: each read is bounded, and the wait around
            # it ends in a failure that says so.
            try:
                r = subprocess.run(["xclip", "-o", "-selection", "clipboard"],
                                   capture_output=True, text=True, timeout=5)
            except subprocess.TimeoutExpired:
                return None
            return r.stdout if r.returncode == 0 and r.stdout else None

        if puede_estar_vacia:
            try:
                return esperar(leido, "", plazo=1.0)
            except Fallo:
                return ""
        return esperar(leido, f"nada copiado de la caja en {lugar} de «{titulo}»")

    def esperar_texto(self, titulo, caja, esperado, que=""):
        lugar = LUGARES[titulo][caja]
        visto = []

        def igual():
            visto[:] = [self.texto(titulo, lugar, puede_estar_vacia=esperado == "")]
            return visto[0] == esperado

        esperar(igual, lambda: f"{que}caja «{caja}» de «{titulo}»: se esperaba «{esperado}», "
                               f"se lee «{visto[0] if visto else ''}»")

    def reemplazar(self, titulo, caja, texto, teclado_numerico=False):
        self.clic(titulo, LUGARES[titulo][caja])
        teclas("ctrl+a")
        escribir(texto)

    def pintada(self, titulo):
        """The window's size and pixels once the program has painted it: until then Wine shows
        it in one flat colour, as steady as a painted one."""
        def pixeles():
            x, y, ancho, alto = self.origen(self.ventana(titulo))
            filas = self.pantalla.pixeles(x, y, ancho, alto)
            colores = {fila[i:i + 3] for fila in filas[::8] for i in range(0, len(fila), 24)}
            return (ancho, alto, filas) if len(colores) > 3 else None

        return esperar(pixeles, f"«{titulo}» no llega a pintarse")

    def captura(self, titulo, fichero):
        ruta = os.path.join(self.capturas, fichero)
        escribir_png(ruta, *self.pintada(titulo))
        print(f"captura: {ruta}", flush=True)

    def pixeles_rotulo(self, titulo):
        x, y, _, _ = self.origen(self.ventana(titulo))
        filas = self.pantalla.pixeles(x + CAIDAMAX[0], y + CAIDAMAX[1], CAIDAMAX[2], CAIDAMAX[3])
        return [tuple(fila[i:i + 3]) for fila in filas for i in range(0, len(fila), 3)]

    def comprobar_fin(self):
        codigo = esperar(lambda: self.proceso.poll() is not None and [self.proceso.returncode],
                         "el programa sigue en marcha tras «Cerrar»", 15.0)[0]
        if codigo != 0:
            raise Fallo(f"el programa terminó con el código {codigo}, no 0")
        return "el programa termina con el código 0"


class Escenario(Recorrido):
    """The walk every platform shares, with what Windows adds to check."""

    def __init__(self, programa):
        super().__init__(programa, programa.etiqueta)
        self.p = programa
        self.duena = Sonda("duena.cpp", "-lshell32")

    def ok(self, texto):
        self.pasados += 1
        print(f"ok [{self.p.etiqueta}]: {texto}", flush=True)

    def al_empezar(self):
        _, _, ancho, alto = self.p.origen(self.p.ventana(T_PRINCIPAL))
        if (ancho, alto) != (435, 326):
            raise Fallo(f"la ventana principal mide {ancho}x{alto}, no 435x326")
        self.ok("ventana principal «Quorvel eléctricos» de 435x326, abierta con el acceso "
                "directo del menú Inicio")

    def al_abrir(self, titulo):
        """The calculator's owner window is the main window, and a click on the main window's
        title bar leaves the calculator in front."""
        p = self.p
        r = subprocess.run(["wine", self.duena.exe(), titulo], capture_output=True, timeout=60)
        duena = r.stdout.decode("utf-8", "replace").strip()
        if r.returncode != 0 or duena != T_PRINCIPAL:
            raise Fallo(f"la ventana dueña de «{titulo}» es «{duena}», no «{T_PRINCIPAL}» "
                        f"(duena.exe: {r.returncode})")
        self.ok(f"la ventana dueña de «{titulo}» es «{T_PRINCIPAL}»")
        principal, calculadora = p.ventana(T_PRINCIPAL), p.ventana(titulo)
        x, y = p.pantalla.barra_de_titulo(principal)
        xdo("mousemove", x, y)
        xdo("click", "1")
        # What the window manager and Wine raise, they raise as they handle the click: the
        # order must hold for the whole second after it.
        limite = time.monotonic() + 1
        while time.monotonic() < limite:
            if not p.pantalla.encima(calculadora, principal):
                raise Fallo(f"un clic en la barra de título de «{T_PRINCIPAL}» la pone encima "
                            f"de «{titulo}»")
            time.sleep(0.05)
        self.ok(f"un clic en la barra de título de «{T_PRINCIPAL}» deja «{titulo}» delante")

    def ejecutar(self):
        self.p.arrancar()
        try:
            super().ejecutar()
        finally:
            self.p.terminar()
            self.duena.limpiar()


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    escenario = Escenario(Programa(*sys.argv[1:]))
    try:
        escenario.ejecutar()
    except Fallo as fallo:
        print(f"FALLO [{escenario.etiqueta}]: {fallo}", flush=True)
        return 1
    print(f"{escenario.etiqueta}: {escenario.pasados} comprobaciones correctas", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
