"""What a user does and sees, written once for every platform the acceptance runs drive.

`Recorrido` walks the program as a user would: the main window, each calculator with typed
values, both separator keys, refused input, "Cerrar" and the close box, the exceeded drop's red
caption, and "Cerrar" of the main window. It speaks to a driver, one per platform, which knows
how to find a window, press a button, type into a box, read a box, take a picture and tell the
program's end:

    d.dec, d.num(texto)                      the decimal separator; a number written with it
    d.separadores                            (key text, numeric keypad?) pairs to try
    d.esperar_ventana(titulo[, plazo])       the window, shown; d.esperar_oculta(titulo)
    d.boton(titulo, nombre)                  the button is there; d.pulsar(titulo, nombre)
    d.reemplazar(titulo, caja, texto[, numerico])   select all in the box and type over it
    d.esperar_texto(titulo, caja, esperado, que)    the box comes to show that text
    d.cerrar_con_caja(titulo), d.tecla(nombre)       the window's close box; a key (Escape)
    d.pixeles_rotulo(titulo)                 the drop caption's pixels, as (r, g, b)
    d.captura(titulo, fichero)               a picture of the window
    d.comprobar_fin()                        after the main window's "Cerrar": what shows the
                                             program has ended (raises Fallo otherwise)

A platform's own checks go in the hooks, which a driver's scenario overrides.
"""

from escritorio import Fallo, esperar, resumen_colores, rojo_intenso
from textos import (B_CERRAR, B_CORRIENTES, B_SECCIONES, MSG_NO_NUMERICO, T_CORRIENTES,
                    T_PRINCIPAL, T_SECCIONES)


class Recorrido:
    def __init__(self, driver, etiqueta):
        self.d = driver
        self.etiqueta = etiqueta  # names the screenshots: the locale, the language
        self.pasados = 0
        self.avisos = []

    def ok(self, texto):
        self.pasados += 1
        print(f"  ok   {texto}", flush=True)

    def aviso(self, texto):
        self.avisos.append(texto)
        print(f"  AVISO {texto}", flush=True)

    # -- the hooks: a platform's own checks, at the moments they belong to

    def al_empezar(self):
        """The main window is shown with its buttons."""

    def al_abrir(self, titulo):
        """A calculator has just opened, with its initial figures."""

    def tras_letra_rechazada(self, antes):
        """A letter typed into a box was refused; `antes` is what al_teclear_letra gave."""

    def al_teclear_letra(self):
        """Just before a letter is typed; whatever it returns goes to tras_letra_rechazada."""

    def tras_rechazo(self, titulo, caja, mensaje):
        """The box's value was refused with `mensaje`, the focus in the box."""

    def tras_correccion(self, titulo, caja, mensaje):
        """The box's value, corrected, no longer refused."""

    def con_calculadora_abierta(self, titulo):
        """The calculator is open over the main window, its values settled."""

    def al_superar(self, titulo, caja):
        """The drop typed into `caja` exceeds the largest allowed."""

    def al_volver_bajo_el_maximo(self, titulo, caja):
        """The drop is back within the largest allowed."""

    # -- the walk

    def ejecutar(self):
        d, n = self.d, self.d.num

        d.esperar_ventana(T_PRINCIPAL, plazo=60)
        for boton in (B_CORRIENTES, B_SECCIONES, B_CERRAR):
            d.boton(T_PRINCIPAL, boton)
        self.ok(f"ventana {T_PRINCIPAL!r} con los botones {B_CORRIENTES!r}, {B_SECCIONES!r}, "
                f"{B_CERRAR!r}")
        self.al_empezar()
        d.captura(T_PRINCIPAL, f"principal-{self.etiqueta}.png")

        # Currents and powers
        d.pulsar(T_PRINCIPAL, B_CORRIENTES)
        d.esperar_ventana(T_CORRIENTES)
        d.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("9.1"))
        self.ok(f"{B_CORRIENTES!r} abre {T_CORRIENTES!r}; intensidad {n('9.1')}")
        d.captura(T_CORRIENTES, f"corrientes-{self.etiqueta}.png")
        self.al_abrir(T_CORRIENTES)

        d.reemplazar(T_CORRIENTES, "Potencia (W)", "4400")
        d.esperar_texto(T_CORRIENTES, "Potencia (W)", "4400")
        d.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("20.0"), "con potencia 4400: ")
        self.ok(f"potencia 4400 → intensidad {n('20.0')}")

        # The separator keys type the locale's separator, the one that is not it included.
        for tecla, numerico in d.separadores:
            d.reemplazar(T_CORRIENTES, "Tensión (V)", f"2{tecla}5", numerico)
            d.esperar_texto(T_CORRIENTES, "Tensión (V)", n("2.5"),
                            f"tras teclear 2, {tecla!r}"
                            f"{' (teclado numérico)' if numerico else ''} y 5: ")
        d.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("1760.0"), "con tensión 2,5 V: ")
        teclas = ", ".join(repr(t) + (" del teclado numérico" if num else "")
                           for t, num in d.separadores)
        self.ok(f"{teclas} escriben {d.dec!r}: tensión {n('2.5')}, intensidad {n('1760.0')}")

        antes = self.al_teclear_letra()
        d.reemplazar(T_CORRIENTES, "Tensión (V)", "22a0")
        d.esperar_texto(T_CORRIENTES, "Tensión (V)", "220", "tras teclear 22a0: ")
        d.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("20.0"), "con tensión 220: ")
        self.ok(f"la letra 'a' no entra en la caja: tensión 220, intensidad {n('20.0')}")
        self.tras_letra_rechazada(antes)

        d.reemplazar(T_CORRIENTES, "Tensión (V)", "0")
        d.esperar_texto(T_CORRIENTES, "Tensión (V)", "0")
        d.esperar_texto(T_CORRIENTES, "Mensaje", MSG_NO_NUMERICO, "con tensión 0: ")
        d.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("20.0"), "con tensión 0 rechazada: ")
        self.ok(f"tensión 0 rechazada con {MSG_NO_NUMERICO!r}")
        self.tras_rechazo(T_CORRIENTES, "Tensión (V)", MSG_NO_NUMERICO)

        d.reemplazar(T_CORRIENTES, "Tensión (V)", "220")
        d.esperar_texto(T_CORRIENTES, "Tensión (V)", "220")
        d.esperar_texto(T_CORRIENTES, "Mensaje", "", "con tensión 220 corregida: ")
        d.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("20.0"), "con tensión 220 corregida: ")
        self.ok(f"tensión corregida a 220: mensaje vacío, intensidad {n('20.0')}")
        self.tras_correccion(T_CORRIENTES, "Tensión (V)", MSG_NO_NUMERICO)
        self.con_calculadora_abierta(T_CORRIENTES)

        d.pulsar(T_CORRIENTES, B_CERRAR)
        d.esperar_oculta(T_CORRIENTES)
        d.esperar_ventana(T_PRINCIPAL)
        self.ok(f"{B_CERRAR!r} oculta {T_CORRIENTES!r}")

        d.pulsar(T_PRINCIPAL, B_CORRIENTES)
        d.esperar_ventana(T_CORRIENTES)
        d.esperar_texto(T_CORRIENTES, "Tensión (V)", "220", "al volver a abrir: ")
        d.esperar_texto(T_CORRIENTES, "Potencia (W)", "4400", "al volver a abrir: ")
        d.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("20.0"), "al volver a abrir: ")
        self.ok("al volver a abrir se conservan tensión 220, potencia 4400, intensidad "
                f"{n('20.0')}")

        # The close box unloads the window: opened again, it loads afresh.
        d.cerrar_con_caja(T_CORRIENTES)
        d.esperar_oculta(T_CORRIENTES)
        self.ok(f"la caja de cierre cierra {T_CORRIENTES!r}")
        d.pulsar(T_PRINCIPAL, B_CORRIENTES)
        d.esperar_ventana(T_CORRIENTES)
        d.esperar_texto(T_CORRIENTES, "Potencia (W)", "2000", "tras la caja de cierre: ")
        d.esperar_texto(T_CORRIENTES, "Intensidad (A)", n("9.1"), "tras la caja de cierre: ")
        d.esperar_texto(T_CORRIENTES, "Tensión (V)", "220", "tras la caja de cierre: ")
        self.ok(f"reabierta tras la caja de cierre, carga de nuevo: potencia 2000, intensidad "
                f"{n('9.1')}")
        d.pulsar(T_CORRIENTES, B_CERRAR)
        d.esperar_oculta(T_CORRIENTES)

        # Sections and voltage drops
        d.pulsar(T_PRINCIPAL, B_SECCIONES)
        d.esperar_ventana(T_SECCIONES)
        d.esperar_texto(T_SECCIONES, "Sección (mm²)", n("1.62"))
        self.ok(f"{B_SECCIONES!r} abre {T_SECCIONES!r}; sección {n('1.62')}")
        d.captura(T_SECCIONES, f"secciones-{self.etiqueta}.png")
        self.al_abrir(T_SECCIONES)

        antes = d.pixeles_rotulo(T_SECCIONES)
        if any(rojo_intenso(px) for px in antes):
            raise Fallo("el rótulo de caída máxima ya es rojo con caída 6 V (≤ 6,60 V): "
                        + resumen_colores(antes))
        d.reemplazar(T_SECCIONES, "Caída (V)", "7")
        d.esperar_texto(T_SECCIONES, "Caída (V)", "7")
        d.esperar_texto(T_SECCIONES, "Sección (mm²)", n("1.4"), "con caída 7: ")
        self.ok(f"caída 7 → sección {n('1.4')}")
        colores = []

        def rojo():
            colores[:] = d.pixeles_rotulo(T_SECCIONES)
            return any(rojo_intenso(px) for px in colores)

        esperar(rojo, lambda: "con caída 7 V (> 6,60 V) el rótulo de caída máxima no tiene "
                              "ningún píxel rojo; colores: " + resumen_colores(colores))
        self.ok("con caída 7 el rótulo de caída máxima se pinta en rojo")
        d.captura(T_SECCIONES, f"secciones-roja-{self.etiqueta}.png")
        self.al_superar(T_SECCIONES, "Caída (V)")
        d.reemplazar(T_SECCIONES, "Caída (V)", "6")
        d.esperar_texto(T_SECCIONES, "Caída (V)", "6")
        colores[:] = d.pixeles_rotulo(T_SECCIONES)
        esperar(lambda: not rojo(), lambda: "con caída 6 V el rótulo de caída máxima sigue "
                                            "rojo; colores: " + resumen_colores(colores))
        self.ok("con caída 6 el rótulo de caída máxima deja el rojo")
        self.al_volver_bajo_el_maximo(T_SECCIONES, "Caída (V)")
        self.con_calculadora_abierta(T_SECCIONES)

        d.pulsar(T_SECCIONES, B_CERRAR)
        d.esperar_oculta(T_SECCIONES)
        d.pulsar(T_PRINCIPAL, B_SECCIONES)
        d.esperar_ventana(T_SECCIONES)
        d.esperar_texto(T_SECCIONES, "Caída (V)", "6", "al volver a abrir: ")
        self.ok(f"{B_CERRAR!r} oculta {T_SECCIONES!r}, que al volver a abrir conserva la caída 6")
        d.cerrar_con_caja(T_SECCIONES)
        d.esperar_oculta(T_SECCIONES)
        d.pulsar(T_PRINCIPAL, B_SECCIONES)
        d.esperar_ventana(T_SECCIONES)
        d.esperar_texto(T_SECCIONES, "Sección (mm²)", n("1.62"), "tras la caja de cierre: ")
        self.ok(f"reabierta tras la caja de cierre, carga de nuevo: sección {n('1.62')}")

        d.tecla("Escape")
        d.esperar_oculta(T_SECCIONES)
        self.ok(f"Escape oculta {T_SECCIONES!r}")

        # End
        d.esperar_ventana(T_PRINCIPAL)
        d.pulsar(T_PRINCIPAL, B_CERRAR)
        self.ok(f"{B_CERRAR!r} de la ventana principal: {d.comprobar_fin()}")
