"""What the acceptance drivers share: polling with a deadline, real key events (xdotool), the
screen's pixels, their contrast (WCAG 2), PNG screenshots written and read, windows by title
and the close box (python-xlib)."""

import struct
import subprocess
import time
import zlib
from collections import Counter

from Xlib import X, display as xdisplay
from Xlib.protocol import event as xevent

PLAZO = 5.0  # seconds a single condition may take to come true


class Fallo(Exception):
    """A check that did not hold; its text names what differed."""


def esperar(condicion, descripcion, plazo=PLAZO, intervalo=0.03, errores=()):
    """Polls condicion() until it returns a true value; Fallo(descripcion()) at the deadline.
    Exceptions of the types in `errores` (an object that vanished meanwhile) count as false."""
    limite = time.monotonic() + plazo
    ultimo = None
    while True:
        try:
            valor = condicion()
        except errores as error:
            valor, ultimo = None, error
        if valor:
            return valor
        if time.monotonic() >= limite:
            detalle = descripcion() if callable(descripcion) else descripcion
            if ultimo is not None:
                detalle += f" (último error: {ultimo})"
            raise Fallo(detalle)
        time.sleep(intervalo)


def xdo(*args):
    resultado = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                               timeout=10)
    if resultado.returncode != 0 and args[0] != "search":
        raise Fallo(f"xdotool {' '.join(map(str, args))} falló: {resultado.stderr.strip()}")
    return resultado.stdout


def teclas(*nombres):
    xdo("key", "--clearmodifiers", *nombres)


def escribir(texto):
    xdo("type", "--delay", "20", texto)


def escribir_png(ruta, ancho, alto, filas_rgb):
    def trozo(tipo, datos):
        return (struct.pack(">I", len(datos)) + tipo + datos +
                struct.pack(">I", zlib.crc32(tipo + datos) & 0xFFFFFFFF))

    crudo = b"".join(b"\x00" + fila for fila in filas_rgb)
    with open(ruta, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(trozo(b"IHDR", struct.pack(">IIBBBBB", ancho, alto, 8, 2, 0, 0, 0)))
        f.write(trozo(b"IDAT", zlib.compress(crudo, 9)))
        f.write(trozo(b"IEND", b""))


def leer_png(datos):
    """The pixels of an 8-bit, non-interlaced PNG (what browsers write), as rows of (r, g, b)."""
    if datos[:8] != b"\x89PNG\r\n\x1a\n":
        raise Fallo("la captura no es un PNG")
    pos, idat, ancho, alto, tipo = 8, b"", 0, 0, 0
    while pos < len(datos):
        largo, clase = struct.unpack(">I4s", datos[pos:pos + 8])
        cuerpo = datos[pos + 8:pos + 8 + largo]
        if clase == b"IHDR":
            ancho, alto, profundidad, tipo, _, _, entrelazado = struct.unpack(">IIBBBBB", cuerpo)
            if profundidad != 8 or entrelazado or tipo not in (2, 6):
                raise Fallo(f"PNG de forma no prevista (profundidad {profundidad}, tipo {tipo})")
        elif clase == b"IDAT":
            idat += cuerpo
        pos += 12 + largo
    bpp = 3 if tipo == 2 else 4
    crudo = zlib.decompress(idat)
    fila_bytes = ancho * bpp
    filas, anterior, pos = [], bytearray(fila_bytes), 0
    for _ in range(alto):
        filtro = crudo[pos]
        fila = bytearray(crudo[pos + 1:pos + 1 + fila_bytes])
        pos += 1 + fila_bytes
        for i in range(fila_bytes):
            a = fila[i - bpp] if i >= bpp else 0
            b = anterior[i]
            c = anterior[i - bpp] if i >= bpp else 0
            if filtro == 1:
                fila[i] = (fila[i] + a) & 0xFF
            elif filtro == 2:
                fila[i] = (fila[i] + b) & 0xFF
            elif filtro == 3:
                fila[i] = (fila[i] + (a + b) // 2) & 0xFF
            elif filtro == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                fila[i] = (fila[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        filas.append([tuple(fila[i:i + 3]) for i in range(0, fila_bytes, bpp)])
        anterior = fila
    return filas


def luminancia(p):
    """Relative luminance of an sRGB colour (WCAG 2)."""
    def canal(c):
        c /= 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (canal(c) for c in p)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contraste(a, b):
    claro, oscuro = sorted((luminancia(a), luminancia(b)), reverse=True)
    return (claro + 0.05) / (oscuro + 0.05)


def mas_frecuente(pixeles):
    return Counter(pixeles).most_common(1)[0][0]


def contraste_de_texto(pixeles):
    """Background (the commonest colour) and the text's contrast on it (the pixel that
    stands out most: the core of a stroke, past its anti-aliased edge)."""
    fondo = mas_frecuente(pixeles)
    return fondo, max(contraste(p, fondo) for p in pixeles)


def resumen_colores(pixeles):
    return ", ".join("#%02x%02x%02x×%d" % (*p, n) for p, n in Counter(pixeles).most_common(4))


def rojo_intenso(p):
    r, g, b = p
    return r >= 200 and g <= 60 and b <= 60


class Pantalla:
    def __init__(self):
        self.d = xdisplay.Display()
        self.raiz = self.d.screen().root
        self.wm_protocols = self.d.intern_atom("WM_PROTOCOLS")
        self.wm_delete = self.d.intern_atom("WM_DELETE_WINDOW")

    def pixeles(self, x, y, ancho, alto):
        """Rows of RGB bytes of the root window's rectangle (24/32-bit TrueColor, BGRX)."""
        imagen = self.raiz.get_image(x, y, ancho, alto, X.ZPixmap, 0xFFFFFFFF)
        datos = imagen.data if isinstance(imagen.data, bytes) else bytes(imagen.data)
        paso = len(datos) // alto
        filas = []
        for fila in range(alto):
            bgrx = datos[fila * paso: fila * paso + ancho * 4]
            rgb = bytearray(ancho * 3)
            rgb[0::3] = bgrx[2::4]
            rgb[1::3] = bgrx[1::4]
            rgb[2::3] = bgrx[0::4]
            filas.append(bytes(rgb))
        return filas

    def ventanas(self, titulo, pid=None):
        """Viewable X windows whose title is exactly titulo (of the process pid, if given)."""
        filtro = ["--pid", pid] if pid is not None else []
        salida = xdo("search", "--all", "--onlyvisible", *filtro, "--name",
                     "^" + titulo.replace("(", "\\(").replace(")", "\\)") + "$")
        return [int(w) for w in salida.split()]

    def wm_class(self, xid):
        """(instance, class) of the window's WM_CLASS, as a desktop shell reads it."""
        return self.d.create_resource_object("window", xid).get_wm_class()

    def transitoria_de(self, xid):
        """The window that WM_TRANSIENT_FOR names (the one a window manager keeps it above), or
        None."""
        ventana = self.d.create_resource_object("window", xid).get_wm_transient_for()
        return ventana.id if ventana else None

    def marco(self, xid):
        """The root's child that holds the window: its window manager's frame, or itself."""
        ventana = self.d.create_resource_object("window", xid)
        while True:
            padre = ventana.query_tree().parent
            if padre is None or padre.id == self.raiz.id:
                return ventana
            ventana = padre

    def encima(self, xid, otra):
        """Whether the window xid is stacked above the window otra."""
        orden = [v.id for v in self.raiz.query_tree().children]  # bottom to top
        return orden.index(self.marco(xid).id) > orden.index(self.marco(otra).id)

    def barra_de_titulo(self, xid):
        """A point of the title bar that the window manager's frame gives the window."""
        marco = self.marco(xid)
        origen = marco.translate_coords(self.raiz, 0, 0)  # the root's corner, from the frame
        cliente = self.d.create_resource_object("window", xid).translate_coords(marco, 0, 0)
        # Halfway down what the frame holds above the window, 40 pixels from its left edge.
        return -origen.x + 40, -origen.y + max(2, -cliente.y // 2)

    def cerrar_con_caja(self, xid):
        """What a window manager sends when the close box is clicked."""
        ventana = self.d.create_resource_object("window", xid)
        mensaje = xevent.ClientMessage(window=ventana, client_type=self.wm_protocols,
                                       data=(32, [self.wm_delete, X.CurrentTime, 0, 0, 0]))
        ventana.send_event(mensaje, event_mask=0)
        self.d.flush()


class GestorDeVentanas:
    """Openbox on the display while the block runs: it frames the windows given and handles
    clicks as a desktop does; when it ends, the windows are back on the bare root and the last
    of them has the focus."""

    def __init__(self, pantalla, ventanas):
        self.pantalla = pantalla
        self.ventanas = ventanas
        self.proceso = None

    def enmarcadas(self, si):
        return all((self.pantalla.marco(v).id != v) == si for v in self.ventanas)

    def __enter__(self):
        self.proceso = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        esperar(lambda: self.enmarcadas(True), "openbox no enmarca las ventanas", plazo=10)
        return self

    def __exit__(self, *excepcion):
        self.proceso.terminate()
        self.proceso.wait(10)
        esperar(lambda: self.enmarcadas(False), "sin openbox, las ventanas siguen enmarcadas")
        # With no window manager nothing gives the focus back: to the last window given, as
        # it had it before.
        xdo("windowfocus", "--sync", self.ventanas[-1])
        return False
