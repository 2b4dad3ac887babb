"""The browsers that the web acceptance run drives: headless Chromium through its DevTools
protocol, and WebKitGTK (Safari's engine) through its WebDriver. Both take real input (the
pointer and keys as the browser's own events) and give back what a user and a screen reader
get: the page's accessibility tree, the elements' places and the pixels.

Every wait here is bounded: a browser that stops answering is a failure, never a hang.
"""

import base64
import inspect
import json
import os
import shutil
import subprocess
import tempfile
import time
import urllib.request

from escritorio import PLAZO, Fallo, esperar, leer_png

# The window whose title bar says `titulo`: its box, whether it takes input, its close box,
# and its controls as the accessibility layer shows them (name, role, value, box), in page
# coordinates (CSS pixels).
JS_VENTANA = """
((titulo) => {
    const raiz = document.querySelector('#qt-shadow-container');
    if (!raiz || !raiz.shadowRoot)
        return null;
    const caja = e => { const r = e.getBoundingClientRect();
                        return [r.left, r.top, r.width, r.height]; };
    for (const v of raiz.shadowRoot.querySelectorAll('.qt-window')) {
        if (getComputedStyle(v).display == 'none' || v.offsetParent === null)
            continue;
        const nombre = v.querySelector('.window-name');
        const a11y = v.querySelector('.qt-window-a11y-container');
        const propio = a11y ? a11y.getAttribute('aria-label') : null;
        if ((nombre ? nombre.textContent : '') != titulo && propio != titulo)
            continue;
        const botones = v.querySelectorAll('.title-bar .image-button');
        const controles = a11y ? [...a11y.children].filter(e => e.getAttribute('aria-hidden') != 'true')
            .map(e => ({
                etiqueta: e.tagName.toLowerCase(),
                nombre: e.getAttribute('aria-label') || e.textContent,
                valor: 'value' in e ? e.value : null,
                soloLectura: !!e.readOnly,
                caja: caja(e),
            })) : [];
        const contenido = v.querySelector('.qt-window-canvas-container');
        return {
            caja: caja(v),
            cliente: contenido ? caja(contenido) : caja(v),
            bloqueada: v.classList.contains('blocked'),
            cierre: botones.length ? caja(botones[botones.length - 1]) : null,
            controles: controles,
        };
    }
    return null;
})
"""


class Chromium:
    """Headless Chromium spoken to over its DevTools protocol."""

    nombre = "Chromium"

    def __init__(self, idioma, registro):
        import websocket  # python3-websocket

        self.registro = registro
        self.perfil = tempfile.mkdtemp(prefix="quorvel-chromium-")
        self.proceso = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--remote-debugging-address=127.0.0.1",
             "--remote-debugging-port=0", f"--user-data-dir={self.perfil}", f"--lang={idioma}",
             "--window-size=1100,800", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=registro, stderr=registro)
        archivo = os.path.join(self.perfil, "DevToolsActivePort")
        esperar(lambda: os.path.exists(archivo) and open(archivo).read().count("\n") >= 1,
                "Chromium no abre su puerto de DevTools", plazo=30)
        puerto = open(archivo).read().split("\n")[0].strip()
        with urllib.request.urlopen(f"http://127.0.0.1:{puerto}/json/list", timeout=10) as r:
            paginas = [t for t in json.load(r) if t.get("type") == "page"]
        if not paginas:
            raise Fallo("Chromium no tiene ninguna página abierta")
        self.ws = websocket.create_connection(paginas[0]["webSocketDebuggerUrl"], timeout=PLAZO)
        self.n = 0
        self.consola = []  # what the page wrote to its console, for the run's log
        for dominio in ("Page", "Runtime", "DOM", "Accessibility"):
            self(f"{dominio}.enable")
        self("Emulation.setDeviceMetricsOverride", width=1100, height=800,
             deviceScaleFactor=1, mobile=False)
        # Headless Chromium takes --lang for its own texts only: the page's languages
        # (navigator.languages, Accept-Language) are the ones a user's settings would give.
        agente = self("Browser.getVersion")["userAgent"]
        self("Emulation.setUserAgentOverride", userAgent=agente, acceptLanguage=idioma)

    def __call__(self, metodo, **parametros):
        self.n += 1
        propio = self.n
        self.ws.send(json.dumps({"id": propio, "method": metodo, "params": parametros}))
        limite = time.monotonic() + PLAZO
        while True:
            queda = limite - time.monotonic()
            if queda <= 0:
                raise Fallo(f"Chromium no responde a {metodo} en {PLAZO} s")
            self.ws.settimeout(queda)
            mensaje = json.loads(self.ws.recv())
            if mensaje.get("method") in ("Runtime.consoleAPICalled", "Runtime.exceptionThrown"):
                self.consola.append(mensaje["params"])
            if mensaje.get("id") == propio:
                if "error" in mensaje:
                    raise Fallo(f"{metodo}: {mensaje['error'].get('message')}")
                return mensaje.get("result", {})

    def terminar(self):
        for mensaje in self.consola:
            self.registro.write(json.dumps(mensaje, ensure_ascii=False) + "\n")
        try:
            self.ws.close()
        except Exception:  # noqa: BLE001 - the browser may be gone already
            pass
        self.proceso.terminate()
        try:
            self.proceso.wait(10)
        except subprocess.TimeoutExpired:
            self.proceso.kill()
            self.proceso.wait(10)
        shutil.rmtree(self.perfil, ignore_errors=True)

    # -- the page

    def abrir(self, url):
        self("Page.navigate", url=url)

    def evaluar(self, expresion):
        r = self("Runtime.evaluate", expression=expresion, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in r:
            raise Fallo(f"error en la página: {r['exceptionDetails'].get('text')}")
        return r["result"].get("value")

    def arbol(self):
        """The accessibility tree's nodes that are not ignored: (role, name, value)."""
        nodos = self("Accessibility.getFullAXTree")["nodes"]
        dar = lambda n, k: (n.get(k) or {}).get("value")  # noqa: E731
        return [(dar(n, "role"), dar(n, "name"), dar(n, "value")) for n in nodos
                if not n.get("ignored")]

    # -- input

    def clic(self, x, y):
        for tipo in ("mouseMoved", "mousePressed", "mouseReleased"):
            self("Input.dispatchMouseEvent", type=tipo, x=x, y=y, button="left",
                 buttons=0 if tipo == "mouseMoved" else 1, clickCount=1)

    _TECLAS = {
        "Backspace": ("Backspace", "Backspace", 8), "Tab": ("Tab", "Tab", 9),
        "Escape": ("Escape", "Escape", 27), "Enter": ("Enter", "Enter", 13),
    }

    def tecla(self, nombre, ctrl=False):
        """A key without text (Backspace, Escape...), or with Ctrl a shortcut ("a" for all)."""
        if ctrl:
            codigo = ord(nombre.upper())
            comun = dict(key=nombre, code=f"Key{nombre.upper()}", windowsVirtualKeyCode=codigo,
                         modifiers=2)
        else:
            key, code, codigo = self._TECLAS[nombre]
            comun = dict(key=key, code=code, windowsVirtualKeyCode=codigo)
        self("Input.dispatchKeyEvent", type="rawKeyDown", **comun)
        self("Input.dispatchKeyEvent", type="keyUp", **comun)

    def escribir(self, texto, teclado_numerico=False):
        """Each character as its key: pressed with its text, then released."""
        for c in texto:
            if c in ".,":
                code = "NumpadDecimal" if teclado_numerico else ("Period" if c == "." else "Comma")
                vk = 110 if teclado_numerico else (190 if c == "." else 188)
            elif c.isdigit():
                code = f"Numpad{c}" if teclado_numerico else f"Digit{c}"
                vk = (96 if teclado_numerico else 48) + int(c)
            else:
                code, vk = f"Key{c.upper()}", ord(c.upper())
            comun = dict(key=c, code=code, windowsVirtualKeyCode=vk,
                         location=3 if teclado_numerico else 0)
            self("Input.dispatchKeyEvent", type="keyDown", text=c, unmodifiedText=c, **comun)
            self("Input.dispatchKeyEvent", type="keyUp", **comun)

    # -- pictures

    def pixeles(self, x, y, ancho, alto):
        r = self("Page.captureScreenshot", format="png",
                 clip=dict(x=x, y=y, width=ancho, height=alto, scale=1))
        return leer_png(base64.b64decode(r["data"]))

    def captura(self, ruta, caja=None):
        parametros = dict(format="png")
        if caja:
            x, y, ancho, alto = caja
            parametros["clip"] = dict(x=x, y=y, width=ancho, height=alto, scale=1)
        r = self("Page.captureScreenshot", **parametros)
        with open(ruta, "wb") as f:
            f.write(base64.b64decode(r["data"]))


class WebKit:
    """WebKitGTK through its WebDriver, in the virtual X server the caller provides."""

    nombre = "WebKit"

    def __init__(self, idioma, registro):
        from selenium import webdriver  # python3-selenium
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.keys import Keys

        self._acciones = ActionChains
        self._keys = Keys
        opciones = webdriver.WebKitGTKOptions()
        opciones.add_argument("--automation")
        # The page's language is the engine's: WebKitGTK takes it from the environment.
        os.environ["LANGUAGE"] = idioma.replace("-", "_")
        os.environ["LANG"] = idioma.replace("-", "_") + ".UTF-8"
        # Selenium 4.8 (Debian 12) takes the driver's path itself; later ones, a Service.
        if "service" in inspect.signature(webdriver.WebKitGTK.__init__).parameters:
            from selenium.webdriver.webkitgtk.service import Service

            self.driver = webdriver.WebKitGTK(
                options=opciones,
                service=Service(executable_path="/usr/bin/WebKitWebDriver", log_output=os.devnull))
        else:
            self.driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver",
                                              options=opciones, service_log_path=os.devnull)
        self.driver.set_page_load_timeout(PLAZO)
        self.driver.set_script_timeout(PLAZO)
        self.driver.set_window_size(1100, 800)

    def terminar(self):
        try:
            self.driver.quit()
        except Exception:  # noqa: BLE001 - the browser may be gone already
            pass

    def abrir(self, url):
        self.driver.get(url)

    def evaluar(self, expresion):
        return self.driver.execute_script(f"return ({expresion});")

    def arbol(self):
        return None  # WebDriver gives no accessibility tree

    def clic(self, x, y):
        from selenium.webdriver.common.actions.action_builder import ActionBuilder

        acciones = ActionBuilder(self.driver)
        acciones.pointer_action.move_to_location(int(x), int(y)).click()
        acciones.perform()

    def tecla(self, nombre, ctrl=False):
        k = self._keys
        tecla = {"Backspace": k.BACKSPACE, "Tab": k.TAB, "Escape": k.ESCAPE,
                 "Enter": k.ENTER}.get(nombre, nombre)
        a = self._acciones(self.driver)
        if ctrl:
            a.key_down(k.CONTROL).send_keys(tecla).key_up(k.CONTROL)
        else:
            a.send_keys(tecla)
        a.perform()

    def escribir(self, texto, teclado_numerico=False):
        k = self._keys
        for c in texto:
            tecla = k.DECIMAL if teclado_numerico and c in ".," else c
            self._acciones(self.driver).send_keys(tecla).perform()

    def pixeles(self, x, y, ancho, alto):
        filas = leer_png(self.driver.get_screenshot_as_png())
        return [f[int(x):int(x + ancho)] for f in filas[int(y):int(y + alto)]]

    def captura(self, ruta, caja=None):
        self.driver.save_screenshot(ruta)
