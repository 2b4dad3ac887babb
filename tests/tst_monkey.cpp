// Both calculator windows used at random, reproducibly: typed characters of every kind,
// editing keys, pastes of ordinary and absurd texts, list choices, "Cerrar", the close box and
// reopening, tens of thousands of them, with what must always hold checked after each one.
// Every failure names the seed and the step; QUORVEL_MONKEY_SEED=<seed> replays the same run
// and QUORVEL_MONKEY_PASOS=<n> changes its length.
#include "corrientes/Relaciones.h"
#include "corrientes/fCorrientes.h"
#include "input/Comprobacion.h"
#include "input/Module1.h"
#include "input/NumeroRegional.h"
#include "secciones/Relaciones.h"
#include "secciones/fIntensidad.h"
#include "tests/Apoyo.h"
#include "ui/Controles.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <optional>

namespace {

constexpr quint32 kSemillaFija = 20240917;
constexpr qint64 kPasosPorDefecto = 150000;

// Where the run stands, for every failure message: enough to replay it.
struct Rastro {
    quint32 semilla = 0;
    qint64 paso = 0;
    QString ventana;
    QString suceso;
};
Rastro rastro;

// A text as a failure message can show it: printable ASCII as is, the rest as \uXXXX, long
// texts cut short.
QString Describir(const QString &texto) {
    constexpr qsizetype kLimite = 48;
    QString d = QStringLiteral("\"");
    for (qsizetype i = 0; i < texto.size() && i < kLimite; ++i) {
        const char16_t c = texto[i].unicode();
        if (c >= 0x20 && c < 0x7f)
            d += QChar(c);
        else
            d += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
    }
    d += u'"';
    if (texto.size() > kLimite)
        d += QStringLiteral("...(%1 caracteres)").arg(texto.size());
    return d;
}

QString Numero(double valor) {
    return QString::number(valor, 'g', 17);
}

QByteArray Fallo(const char *condicion, const QString &detalle) {
    return QStringLiteral("QUORVEL_MONKEY_SEED=%1, paso %2, %3, tras %4: %5 [%6]")
        .arg(QString::number(rastro.semilla), QString::number(rastro.paso), rastro.ventana,
             rastro.suceso, detalle, QString::fromLatin1(condicion))
        .toLocal8Bit();
}

// Fails the test with the replay data; `detalle` is only worked out on failure.
#define COMPROBAR(condicion, detalle)                                                              \
    do {                                                                                           \
        if (!(condicion))                                                                          \
            QFAIL(Fallo(#condicion, detalle).constData());                                         \
    } while (false)

bool MuestraNoFinito(const QString &texto) {
    return texto.contains(u"inf", Qt::CaseInsensitive) ||
           texto.contains(u"nan", Qt::CaseInsensitive);
}

// QTest notes every key that no widget accepts; a monkey presses thousands of them.
QtMessageHandler avisosAnteriores = nullptr;
void FiltrarAvisos(QtMsgType tipo, const QMessageLogContext &contexto, const QString &texto) {
    if (tipo == QtWarningMsg && texto.startsWith(u"Keyboard event not accepted"))
        return;
    avisosAnteriores(tipo, contexto, texto);
}

// A key press and its release, with the text it types (any character, ASCII or not).
void Pulsar(QWidget *control, const QString &texto,
            Qt::KeyboardModifiers modificadores = Qt::NoModifier) {
    Qt::Key tecla = Qt::Key_unknown;
    if (texto.size() == 1) {
        const QChar c = texto[0];
        if (c.unicode() < 0x80 && c.isPrint())
            tecla = Qt::Key(c.toUpper().unicode());
        else if (c == u'\b')
            tecla = Qt::Key_Backspace;
        else if (c == u'\r')
            tecla = Qt::Key_Return;
        else if (c == u'\x1b')
            tecla = Qt::Key_Escape;
        else if (c == u'\t')
            tecla = Qt::Key_Tab;
    }
    QTest::sendKeyEvent(QTest::Press, control, tecla, texto, modificadores);
    QTest::sendKeyEvent(QTest::Release, control, tecla, texto, modificadores);
}

// Editing and moving keys, shortcuts included.
struct TeclaDeControl {
    Qt::Key tecla;
    Qt::KeyboardModifiers modificadores;
    const char *nombre;
};
const TeclaDeControl kTeclasDeControl[] = {
    {Qt::Key_Return, Qt::NoModifier, "Return"},
    {Qt::Key_Enter, Qt::KeypadModifier, "Enter"},
    {Qt::Key_Escape, Qt::NoModifier, "Escape"},
    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
    {Qt::Key_Delete, Qt::NoModifier, "Delete"},
    {Qt::Key_Delete, Qt::NoModifier, "Delete"},
    {Qt::Key_Left, Qt::NoModifier, "Left"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},
    {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
    {Qt::Key_Home, Qt::ShiftModifier, "Shift+Home"},
    {Qt::Key_End, Qt::ShiftModifier, "Shift+End"},
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
    {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
    {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert"},
    {Qt::Key_Delete, Qt::ShiftModifier, "Shift+Delete"},
    {Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+Backspace"},
    {Qt::Key_Delete, Qt::ControlModifier, "Ctrl+Delete"},
    {Qt::Key_K, Qt::ControlModifier, "Ctrl+K"},
};

// Keys that move through a pick-only list without opening it.
const TeclaDeControl kTeclasDeLista[] = {
    {Qt::Key_Down, Qt::NoModifier, "Down"},         {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},         {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_PageDown, Qt::NoModifier, "PageDown"}, {Qt::Key_PageUp, Qt::NoModifier, "PageUp"},
    {Qt::Key_Escape, Qt::NoModifier, "Escape"},     {Qt::Key_Return, Qt::NoModifier, "Return"},
};

// Single typed characters other than digits and separators: letters that mean something to
// a number (exponents, "inf", "nan"), signs, blanks, control characters that keys produce,
// and characters from outside ASCII (digits of other scripts, a minus sign, a non-breaking
// space, the currency sign, a character beyond the BMP).
const char16_t *const kCaracteresRaros[] = {
    u"e",      u"E",      u"d",      u"D",      u"a",      u"x",      u"n",          u"i",
    u"f",      u"+",      u"-",      u" ",      u"$",      u"%",      u"'",          u"_",
    u"/",      u"*",      u"#",      u"(",      u"~",      u"\t",     u"\u00F1",     u"\u00E9",
    u"\u20AC", u"\u00B2", u"\u00D8", u"\u00B7", u"\u00A0", u"\u2212", u"\u0663",     u"\uFF11",
    u"\u066B", u"\u00BD", u"\u0660", u"\u200B", u"\b",     u"\r",     u"\U0001F600", u"\x1b",
};

// Texts that a paste may bring, with ',' standing for the locale's decimal separator and 'G'
// for its digit grouping.
const char16_t *const kPegadosFijos[] = {
    u"",
    u" ",
    u"0",
    u"-0",
    u"+0",
    u"0,0",
    u"1e308",
    u"1e-308",
    u"-1e308",
    u"1,7976931348623157e308",
    u"1,7976931348623159e308",
    u"1e309",
    u"2e308",
    u"4,9e-324",
    u"2,5e-324",
    u"1e-320",
    u"1e-330",
    u"1e-400",
    u"1e400",
    u"9e99999999999",
    u"1e-99999999999",
    u"inf",
    u"-inf",
    u"INF",
    u"NaN",
    u"nan",
    u"Infinity",
    u"1e",
    u"1e+",
    u"e5",
    u",",
    u",,",
    u"-",
    u"+",
    u"--5",
    u"+-5",
    u"5-",
    u"5+",
    u"- 5",
    u"5 -",
    u"1,2,3",
    u"1G2G3",
    u"1G234G567,89",
    u"G123",
    u"123G",
    u"1GG234",
    u"1G23",
    u"0x1A",
    u"1_000",
    u"\u0663",
    u"\u0661\u0662\u0663",
    u"\uFF11\uFF12",
    u"\u22125",
    u"5\u00A0000",
    u"5\u202F000",
    u"\u20AC5",
    u"5 \u20AC",
    u"-5 \u20AC",
    u"$5",
    u"5$",
    u"(5)",
    u"\t5\n",
    u"5\r",
    u"\x01",
    u"\x7f",
    u"1d3",
    u"1D-3",
    u"4,4e3",
    u" +4400 ",
    u"0,0001",
    u"0,00000000000000000001",
    u"99999999999999999999999",
    u"1,e5",
    u",5",
    u"5,",
    u"0000000000001",
    u"220",
    u"380",
    u"0,8",
    u"1",
};

// Fragments that a paste may string together.
const char16_t *const kFragmentos[] = {
    u"0",   u"1",    u"9",      u"123",    u",",      u"G",    u"e",   u"E",
    u"d",   u"-",    u"+",      u" ",      u"\u20AC", u"$",    u"inf", u"nan",
    u"308", u"-308", u"\u0663", u"\u00A0", u"\u2212", u"\x7f", u"00",  u"5",
};

const char16_t *const kMascaras[] = {u"0.0", u"0.00", u"#0.00"};

// What a window shows and holds at a moment.
struct Foto {
    QList<double> valores;
    QStringList textos; // of the number boxes, in the order the window's monkey lists them
    QList<int> indices; // of the lists
    bool operator==(const Foto &otra) const {
        return valores == otra.valores && textos == otra.textos && indices == otra.indices;
    }
};

// Drives one window; what each window must hold is checked in the two subclasses.
class Mono {
public:
    Mono(VentanaCalculadora &v, const char *nombreVentana, QRandomGenerator &generador,
         std::initializer_list<const char *> nombresDeCajas,
         std::initializer_list<const char *> nombresDeListas,
         std::initializer_list<const char *> nombresDeValores)
        : nombre(QString::fromLatin1(nombreVentana)), ventana(v), azar(generador) {
        for (const char *c : nombresDeCajas)
            nombresCajas << QString::fromLatin1(c);
        for (const char *l : nombresDeListas)
            nombresListas << QString::fromLatin1(l);
        for (const char *n : nombresDeValores)
            nombresValores << QString::fromLatin1(n);
    }
    virtual ~Mono() = default;

    // Whether Escape presses "Cerrar" in this window.
    virtual bool EscapeCierra() const = 0;

    const QString nombre;

    // Displays the window and runs up to `sucesos` events from inside its modal loop; the
    // session ends early when an event hides or closes the window.
    void Sesion(int sucesos) {
        const bool carga = !ventana.cargada();
        QTimer::singleShot(0, &ventana, [this, sucesos, carga] {
            rastro.ventana = nombre;
            rastro.suceso = carga ? QStringLiteral("abrir (carga)") : QStringLiteral("reabrir");
            AlAbrir(carga);
            for (int i = 0; i < sucesos && !QTest::currentTestFailed(); ++i) {
                if (!Suceso())
                    break;
            }
            if (ventana.isVisible())
                ventana.hide();
        });
        ventana.Mostrar(nullptr);
        if (ventana.cargada())
            dejada = Fotografiar();
    }

    // What the run went through, so that the test can tell it reached every path.
    struct Cuenta {
        qint64 sucesos = 0, aceptadas = 0, rechazadas = 0, elecciones = 0, cerrar = 0, cierres = 0,
               cargas = 0, escape = 0;
    } cuenta;

protected:
    virtual QList<double> Valores() const = 0;
    virtual QString Mensaje() const = 0;
    // After every event, beyond what all windows share.
    virtual void ComprobarSiempre() {}
    // After an event that changed the text of `caja`.
    virtual void ComprobarEdicion(QLineEdit *caja, const Foto &antes) = 0;
    // After a choice in `lista`, by code or by keys.
    virtual void ComprobarLista(Lista *lista, const Foto &antes) = 0;
    // After "Cerrar" hid the window.
    virtual void ComprobarCerrar(const Foto &antes) = 0;
    // At a display that loaded the window afresh.
    virtual void ComprobarCarga() = 0;

    QLineEdit *Caja(const QString &nombreCaja) const { return cajas.value(nombreCaja); }
    QStringList Textos() const {
        QStringList textos;
        for (const QString &c : nombresCajas)
            textos << Caja(c)->text();
        return textos;
    }
    Foto Fotografiar() const {
        Foto foto{Valores(), Textos(), {}};
        for (Lista *l : listas)
            foto.indices << l->currentIndex();
        return foto;
    }
    static QString Regionalizar(const char16_t *texto) {
        const QLocale locale;
        QString t = QString::fromUtf16(texto);
        t.replace(u',', locale.decimalPoint());
        t.replace(u'G', locale.groupSeparator());
        return t;
    }

    VentanaCalculadora &ventana;
    QRandomGenerator &azar;
    QStringList nombresCajas;
    QStringList nombresListas;
    QStringList nombresValores;

private:
    void AlAbrir(bool carga) {
        cajas.clear();
        listas.clear();
        for (const QString &c : nombresCajas)
            cajas.insert(c, Control<QLineEdit>(&ventana, qPrintable(c)));
        for (const QString &l : nombresListas)
            listas << Control<Lista>(&ventana, qPrintable(l));
        cerrar = Control<QPushButton>(&ventana, "Command1");
        rotulos = ventana.findChildren<QLabel *>();
        todasLasCajas = ventana.findChildren<QLineEdit *>();
        COMPROBAR(!cajas.values().contains(nullptr) && !listas.contains(nullptr) && cerrar,
                  QStringLiteral("falta un control"));
        // Escape is a shortcut of the active window; the first events run before the
        // windowing system's own activation arrives. activateWindow() only asks the window
        // system, so the deprecated call that makes it active at once stays.
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(&ventana);
        QT_WARNING_POP
        if (carga) {
            tecleado.clear();
            pendiente.clear();
            ++cuenta.cargas;
            ComprobarCarga();
        } else {
            COMPROBAR(Fotografiar() == dejada,
                      QStringLiteral("la ventana no se muestra como se dejó"));
        }
        ComprobarComun();
    }

    // One random event and the checks after it; false when the session must end.
    bool Suceso() {
        ++rastro.paso;
        ++cuenta.sucesos;
        const Foto antes = Fotografiar();
        QLineEdit *objetivo = nullptr;
        Lista *lista = nullptr;
        bool eleccion = false;

        if (!pendiente.isEmpty() && destino && !destino->isHidden()) {
            // The rest of a number being typed.
            objetivo = destino;
            const QString c = pendiente.left(1);
            pendiente.remove(0, 1);
            rastro.suceso = QStringLiteral("tecla %1 en %2 (escribiendo)")
                                .arg(Describir(c), objetivo->objectName());
            Pulsar(objetivo, c);
        } else {
            pendiente.clear();
            const int tirada = azar.bounded(1000);
            if (tirada < 400) {
                objetivo = CajaAlAzar();
                Recolocar(objetivo);
                const QString c = CaracterAlAzar();
                const Qt::KeyboardModifiers mods =
                    azar.bounded(20) == 0 ? Qt::KeypadModifier : Qt::NoModifier;
                rastro.suceso = QStringLiteral("tecla %1 en %2 (cursor %3, selección %4)")
                                    .arg(Describir(c), objetivo->objectName())
                                    .arg(objetivo->cursorPosition())
                                    .arg(objetivo->selectedText().size());
                Pulsar(objetivo, c, mods);
            } else if (tirada < 520) {
                objetivo = CajaAlAzar();
                Recolocar(objetivo);
                const TeclaDeControl &t =
                    kTeclasDeControl[azar.bounded(int(std::size(kTeclasDeControl)))];
                rastro.suceso = QStringLiteral("%1 en %2 (cursor %3, selección %4)")
                                    .arg(QString::fromLatin1(t.nombre), objetivo->objectName())
                                    .arg(objetivo->cursorPosition())
                                    .arg(objetivo->selectedText().size());
                QTest::keyClick(objetivo, t.tecla, t.modificadores);
            } else if (tirada < 680) {
                objetivo = CajaAlAzar();
                const QString texto = TextoAlAzar();
                rastro.suceso = QStringLiteral("setText(%1) en %2")
                                    .arg(Describir(texto), objetivo->objectName());
                objetivo->setText(texto);
            } else if (tirada < 730) {
                objetivo = CajaAlAzar();
                const QString texto = TextoAlAzar();
                QApplication::clipboard()->setText(texto);
                if (azar.bounded(3))
                    objetivo->selectAll();
                else
                    Recolocar(objetivo);
                rastro.suceso = QStringLiteral("pegar %1 en %2 (cursor %3, selección %4)")
                                    .arg(Describir(texto), objetivo->objectName())
                                    .arg(objetivo->cursorPosition())
                                    .arg(objetivo->selectedText().size());
                QTest::keyClick(objetivo, Qt::Key_V, Qt::ControlModifier);
            } else if (tirada < 800) {
                // A number typed key by key over the box's text, or after it.
                objetivo = CajaAlAzar();
                if (azar.bounded(3))
                    objetivo->selectAll();
                else
                    objetivo->end(false);
                destino = objetivo;
                pendiente = NumeroTecleable();
                const QString c = pendiente.left(1);
                pendiente.remove(0, 1);
                rastro.suceso =
                    QStringLiteral("tecla %1 en %2 (empieza a escribir %3)")
                        .arg(Describir(c), objetivo->objectName(), Describir(c + pendiente));
                Pulsar(objetivo, c);
            } else if (tirada < 920) {
                lista = listas[azar.bounded(int(listas.size()))];
                const int indice = azar.bounded(-1, 3);
                rastro.suceso =
                    QStringLiteral("setListIndex(%1) en %2").arg(indice).arg(lista->objectName());
                eleccion = true;
                lista->setListIndex(indice);
            } else if (tirada < 960) {
                lista = listas[azar.bounded(int(listas.size()))];
                const TeclaDeControl &t =
                    kTeclasDeLista[azar.bounded(int(std::size(kTeclasDeLista)))];
                rastro.suceso = QStringLiteral("%1 en %2")
                                    .arg(QString::fromLatin1(t.nombre), lista->objectName());
                QTest::keyClick(lista, t.tecla, t.modificadores);
            } else if (tirada < 975) {
                rastro.suceso = QStringLiteral("clic en Cerrar");
                QTest::mouseClick(cerrar, Qt::LeftButton);
            } else if (tirada < 985) {
                rastro.suceso = QStringLiteral("espacio en Cerrar");
                QTest::keyClick(cerrar, Qt::Key_Space);
            } else if (tirada < 993) {
                rastro.suceso = QStringLiteral("close()");
                ventana.close();
            } else {
                // A read-only message box takes the focus and keys too.
                QWidget *receptor = ventana.findChild<QWidget *>(QStringLiteral("label2"));
                if (receptor->isHidden())
                    receptor = objetivo = CajaAlAzar();
                const QString c = CaracterAlAzar();
                rastro.suceso =
                    QStringLiteral("tecla %1 en %2").arg(Describir(c), receptor->objectName());
                Pulsar(receptor, c);
            }
        }
        return TrasSuceso(antes, objetivo, lista, eleccion);
    }

    bool TrasSuceso(const Foto &antes, QLineEdit *objetivo, Lista *lista, bool eleccion) {
        if (QTest::currentTestFailed())
            return false;
        if (!ventana.cargada()) {
            // The close box: the controls are gone, the values stay.
            ++cuenta.cierres;
            ComprobarCierre(antes);
            cajas.clear();
            listas.clear();
            tecleado.clear();
            pendiente.clear();
            return false;
        }
        const qsizetype i = objetivo ? nombresCajas.indexOf(objetivo->objectName()) : -1;
        if (i >= 0)
            tecleado.insert(objetivo, objetivo->text());
        ComprobarComun();
        if (QTest::currentTestFailed())
            return false;
        if (!ventana.isVisible()) {
            AlCerrar(antes);
            return false;
        }
        if (i >= 0 && objetivo->text() != antes.textos[i]) {
            ComprobarEdicion(objetivo, antes);
            ++(Mensaje().isEmpty() ? cuenta.aceptadas : cuenta.rechazadas);
        }
        if (QTest::currentTestFailed())
            return false;
        if (lista && (eleccion || lista->currentIndex() != antes.indices[listas.indexOf(lista)])) {
            ++cuenta.elecciones;
            ComprobarLista(lista, antes);
        }
        return !QTest::currentTestFailed();
    }

    // "Cerrar", by a click, by Space on it or by Escape anywhere in a window where it is the
    // cancel button.
    void AlCerrar(const Foto &antes) {
        ++cuenta.cerrar;
        if (rastro.suceso.contains(u"Escape") || rastro.suceso.contains(u"\\u001b")) {
            ++cuenta.escape;
            COMPROBAR(EscapeCierra(), QStringLiteral("Escape cerró la ventana"));
        }
        ComprobarCerrar(antes);
    }

    void ComprobarCierre(const Foto &antes) {
        ComprobarValores();
        COMPROBAR(Valores() == antes.valores,
                  QStringLiteral("la caja de cierre cambió los valores"));
        COMPROBAR(!ventana.isVisible(), QStringLiteral("sigue visible tras close()"));
    }

    void ComprobarValores() {
        const QList<double> valores = Valores();
        for (qsizetype i = 0; i < valores.size(); ++i)
            COMPROBAR(std::isfinite(valores[i]) && valores[i] > 0,
                      QStringLiteral("%1 vale %2 (%3)")
                          .arg(nombresValores[i], Numero(valores[i]), Todos(valores)));
    }

    QString Todos(const QList<double> &valores) const {
        QStringList todos;
        for (qsizetype i = 0; i < valores.size(); ++i)
            todos << nombresValores[i] + u'=' + Numero(valores[i]);
        return todos.join(u", ");
    }

    void ComprobarComun() {
        ComprobarValores();
        const QString mensaje = Mensaje();
        COMPROBAR(mensaje.isEmpty() || mensaje == kValorNoNumerico || mensaje == kValorNoValido,
                  QStringLiteral("mensaje %1").arg(Describir(mensaje)));
        COMPROBAR(!MuestraNoFinito(ventana.windowTitle()), ventana.windowTitle());
        for (QLabel *r : std::as_const(rotulos))
            COMPROBAR(!MuestraNoFinito(r->text()),
                      QStringLiteral("%1 muestra %2").arg(r->objectName(), Describir(r->text())));
        // A box may show what was typed or pasted into it, whatever it is; never a text of
        // the program's own.
        for (QLineEdit *c : std::as_const(todasLasCajas))
            COMPROBAR(!MuestraNoFinito(c->text()) || tecleado.value(c) == c->text(),
                      QStringLiteral("%1 muestra %2").arg(c->objectName(), Describir(c->text())));
        ComprobarSiempre();
    }

    QLineEdit *CajaAlAzar() {
        QList<QLineEdit *> visibles;
        for (const QString &c : std::as_const(nombresCajas)) {
            if (!Caja(c)->isHidden())
                visibles << Caja(c);
        }
        return visibles[azar.bounded(int(visibles.size()))];
    }

    // Where a click would leave the cursor: anywhere in the text, sometimes with a selection.
    void Recolocar(QLineEdit *caja) {
        switch (azar.bounded(4)) {
        case 0: {
            const int n = int(caja->text().size());
            const int inicio = azar.bounded(n + 1);
            caja->setSelection(inicio, azar.bounded(n - inicio + 1));
            break;
        }
        case 1:
            caja->setCursorPosition(azar.bounded(int(caja->text().size()) + 1));
            break;
        default:
            break; // where the last event left it
        }
    }

    QString CaracterAlAzar() {
        const int tirada = azar.bounded(100);
        if (tirada < 55)
            return QString(QChar(u'0' + azar.bounded(10)));
        if (tirada < 75)
            return azar.bounded(2) ? QStringLiteral(",") : QStringLiteral(".");
        return QString::fromUtf16(kCaracteresRaros[azar.bounded(int(std::size(kCaracteresRaros)))]);
    }

    // Keys a user would type for a number: digits and either separator, now and then a
    // stray character.
    QString NumeroTecleable() {
        QString t;
        if (azar.bounded(6) == 0)
            t += u'0';
        const int enteros = azar.bounded(0, 9);
        for (int i = 0; i < enteros; ++i)
            t += QChar(u'0' + azar.bounded(10));
        if (azar.bounded(2)) {
            t += azar.bounded(2) ? u',' : u'.';
            const int decimales = azar.bounded(0, 6);
            for (int i = 0; i < decimales; ++i)
                t += QChar(u'0' + azar.bounded(10));
        }
        if (azar.bounded(8) == 0)
            t.insert(azar.bounded(int(t.size()) + 1), CaracterAlAzar());
        if (t.isEmpty())
            t = QStringLiteral("1");
        return t;
    }

    double DobleAlAzar() {
        switch (azar.bounded(4)) {
        case 0: {
            const quint64 bits = azar.generate64();
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return std::isfinite(d) ? d : 1.0;
        }
        case 1:
            return (1 + azar.bounded(9.0)) * std::pow(10.0, azar.bounded(-330, 330));
        case 2:
            return azar.bounded(100000.0);
        default:
            return azar.bounded(1.0);
        }
    }

    QString CifrasAlAzar(int n) {
        QString t;
        for (int i = 0; i < n; ++i)
            t += QChar(u'0' + azar.bounded(10));
        return t;
    }

    // Texts that a paste brings: ordinary numbers, the program's own results, numbers at
    // the edges of what a double holds, and all sorts of garbage.
    QString TextoAlAzar() {
        const QLocale locale;
        const QString decimal = locale.decimalPoint();
        const QString grupo = locale.groupSeparator();
        switch (azar.bounded(12)) {
        case 0: {
            QString t = CifrasAlAzar(azar.bounded(1, 700));
            if (azar.bounded(2))
                t.insert(azar.bounded(int(t.size()) + 1), decimal);
            return t;
        }
        case 1:
            return Regionalizar(kPegadosFijos[azar.bounded(int(std::size(kPegadosFijos)))]);
        case 2: {
            QString t;
            if (azar.bounded(4) == 0)
                t += u' ';
            const char16_t *signos[] = {u"-", u"+", u"\u2212"};
            if (azar.bounded(3) == 0)
                t += QString::fromUtf16(signos[azar.bounded(3)]);
            if (azar.bounded(8) == 0)
                t += locale.currencySymbol();
            const int enteros = azar.bounded(0, 25);
            for (int i = 0; i < enteros; ++i) {
                if (i > 0 && (enteros - i) % 3 == 0 && azar.bounded(3) == 0)
                    t += grupo;
                t += QChar(u'0' + azar.bounded(10));
            }
            if (azar.bounded(2))
                t += (azar.bounded(5) ? decimal : grupo) + CifrasAlAzar(azar.bounded(0, 20));
            if (azar.bounded(3) == 0) {
                const char16_t exponentes[] = {u'e', u'E', u'd', u'D'};
                t += QChar(exponentes[azar.bounded(4)]);
                if (azar.bounded(2))
                    t += azar.bounded(2) ? u'-' : u'+';
                t += QString::number(azar.bounded(0, 400));
            }
            if (azar.bounded(10) == 0)
                t += u'-';
            if (azar.bounded(8) == 0)
                t += locale.currencySymbol();
            if (azar.bounded(4) == 0)
                t += u' ';
            return t;
        }
        case 3:
            return NumeroRegional::FormatoGeneral(DobleAlAzar(), locale);
        case 4:
            return NumeroRegional::Formatear(
                DobleAlAzar(), kMascaras[azar.bounded(int(std::size(kMascaras)))], locale);
        case 5: {
            QString t;
            const int n = azar.bounded(1, 9);
            for (int i = 0; i < n; ++i)
                t += Regionalizar(kFragmentos[azar.bounded(int(std::size(kFragmentos)))]);
            return t;
        }
        case 6: {
            QString t;
            const int n = azar.bounded(1, 20);
            for (int i = 0; i < n; ++i) {
                switch (azar.bounded(4)) {
                case 0:
                    t += QChar(char16_t(azar.bounded(0x20)));
                    break;
                case 1:
                    t += QChar(char16_t(azar.bounded(0x20, 0x7f)));
                    break;
                case 2:
                    t += QChar(char16_t(azar.bounded(0xA0, 0x100)));
                    break;
                default: {
                    const char16_t c = char16_t(azar.bounded(0x100, 0xD800));
                    t += QChar(c);
                }
                }
            }
            return t;
        }
        case 7:
            return QString::number(azar.bounded(1, 100000));
        case 8:
            return QString::number(azar.bounded(0, 1000)) + decimal +
                   CifrasAlAzar(azar.bounded(1, 5));
        case 9:
            return decimal + CifrasAlAzar(azar.bounded(1, 5));
        case 10: {
            // Near the ends of the exponent range, where results overflow or vanish.
            QString t = QString::number(azar.bounded(1, 10));
            if (azar.bounded(2))
                t += decimal + CifrasAlAzar(azar.bounded(1, 17));
            t += azar.bounded(2) ? QStringLiteral("e-") : QStringLiteral("e");
            return t + QString::number(azar.bounded(295, 330));
        }
        default:
            return azar.bounded(2) ? QString() : QStringLiteral("   ");
        }
    }

    QHash<QString, QLineEdit *> cajas;
    QList<Lista *> listas;
    QPushButton *cerrar = nullptr;
    QList<QLabel *> rotulos;
    QList<QLineEdit *> todasLasCajas;
    // The text each box had after the driver's last event on it.
    QHash<QLineEdit *, QString> tecleado;
    // The keys of a number still to be typed, and where.
    QString pendiente;
    QPointer<QLineEdit> destino;
    Foto dejada;
};

class MonoCorrientes : public Mono {
public:
    MonoCorrientes(fCorrientes &v, QRandomGenerator &generador)
        : Mono(v, "fCorrientes", generador, {"Tension", "Intensidad", "Potencia", "Coseno"},
               {"Clase"}, {"I", "cosfi", "U", "P", "raiz3"}),
          f(v) {}

private:
    enum { kI, kCosfi, kU, kP, kRaiz3 };

    fCorrientes &f;

    bool EscapeCierra() const override { return false; }

    QList<double> Valores() const override { return {f.I, f.cosfi, f.U, f.P, f.raiz3}; }
    QString Mensaje() const override {
        return f.findChild<QLineEdit *>(QStringLiteral("label2"))->text();
    }

    static double Relacion(const QList<double> &v, int dependiente) {
        return dependiente == kI
                   ? corrientes::CalcularIntensidad(v[kP], v[kU], v[kCosfi], v[kRaiz3])
                   : corrientes::CalcularPotencia(v[kI], v[kU], v[kCosfi], v[kRaiz3]);
    }
    QLineEdit *CajaDe(int valor) const {
        return Caja(valor == kI ? QStringLiteral("Intensidad") : QStringLiteral("Potencia"));
    }

    void ComprobarSiempre() override {
        COMPROBAR(f.cambia == -1, QStringLiteral("cambia vale %1").arg(f.cambia));
    }

    void ComprobarEdicion(QLineEdit *caja, const Foto &antes) override {
        const QString &nombreCaja = caja->objectName();
        const int propio = nombreCaja == u"Tension"    ? kU
                           : nombreCaja == u"Potencia" ? kP
                           : nombreCaja == u"Coseno"   ? kCosfi
                                                       : kI;
        const int dependiente = propio == kI ? kP : kI;
        const QList<double> v = Valores();
        const std::optional<double> leido = NumeroRegional::Convertir(caja->text(), QLocale());
        const bool enRango = leido && *leido > 0 && (propio != kCosfi || *leido <= 1);
        const QString texto = Describir(caja->text());
        if (Mensaje().isEmpty()) {
            COMPROBAR(enRango, QStringLiteral("%1 aceptó %2").arg(nombreCaja, texto));
            COMPROBAR(v[propio] == *leido,
                      QStringLiteral("%1 guarda %2 por el texto %3")
                          .arg(nombresValores[propio], Numero(v[propio]), texto));
            const double esperado = Relacion(v, dependiente);
            COMPROBAR(
                v[dependiente] == esperado,
                QStringLiteral("%1 vale %2, no %3")
                    .arg(nombresValores[dependiente], Numero(v[dependiente]), Numero(esperado)));
            const QString mostrado =
                NumeroRegional::Formatear(esperado, corrientes::kMascara, QLocale());
            QLineEdit *otra = CajaDe(dependiente);
            COMPROBAR(otra->text() == mostrado,
                      QStringLiteral("%1 muestra %2, no %3")
                          .arg(otra->objectName(), Describir(otra->text()), Describir(mostrado)));
            for (int i : {kI, kCosfi, kU, kP, kRaiz3}) {
                if (i != propio && i != dependiente)
                    COMPROBAR(v[i] == antes.valores[i],
                              QStringLiteral("%1 cambió").arg(nombresValores[i]));
            }
        } else {
            COMPROBAR(v == antes.valores,
                      QStringLiteral("rechazado %1 en %2, cambió un valor").arg(texto, nombreCaja));
            if (enRango) {
                QList<double> con = v;
                con[propio] = *leido;
                const double resultado = Relacion(con, dependiente);
                COMPROBAR(
                    !(std::isfinite(resultado) && resultado > 0),
                    QStringLiteral("rechazado %1 en %2, que da %3 = %4")
                        .arg(texto, nombreCaja, nombresValores[dependiente], Numero(resultado)));
            }
        }
    }

    void ComprobarLista(Lista *lista, const Foto &antes) override {
        const std::optional<corrientes::Clase> clase =
            corrientes::ClaseCorriente(lista->currentIndex());
        const QList<double> v = Valores();
        if (!clase) {
            COMPROBAR(v == antes.valores, QStringLiteral("sin clase, cambió un valor"));
            COMPROBAR(Textos() == antes.textos, QStringLiteral("sin clase, cambió una caja"));
            return;
        }
        COMPROBAR(v[kU] == clase->U, Numero(v[kU]));
        COMPROBAR(v[kCosfi] == clase->cosfi, Numero(v[kCosfi]));
        COMPROBAR(v[kRaiz3] == clase->raiz3, Numero(v[kRaiz3]));
        COMPROBAR(v[kP] == antes.valores[kP], Numero(v[kP]));
        COMPROBAR(Caja(QStringLiteral("Tension"))->text() ==
                      QString::fromUtf16(clase->textoTension),
                  Describir(Caja(QStringLiteral("Tension"))->text()));
        QLineEdit *coseno = Caja(QStringLiteral("Coseno"));
        COMPROBAR(coseno->isHidden() != clase->cosenoVisible, QStringLiteral("Coseno a la vista"));
        if (clase->cosenoVisible)
            COMPROBAR(coseno->text() == corrientes::TextoCosenoDefecto(QLocale()),
                      Describir(coseno->text()));
        const double esperado = Relacion(v, kI);
        const QString intensidad = Caja(QStringLiteral("Intensidad"))->text();
        if (std::isfinite(esperado) && esperado > 0) {
            COMPROBAR(v[kI] == esperado,
                      QStringLiteral("I vale %1, no %2").arg(Numero(v[kI]), Numero(esperado)));
            const QString mostrado =
                NumeroRegional::Formatear(esperado, corrientes::kMascara, QLocale());
            COMPROBAR(intensidad == mostrado, QStringLiteral("Intensidad muestra %1, no %2")
                                                  .arg(Describir(intensidad), Describir(mostrado)));
        } else {
            // A current the window cannot hold is not taken: it keeps one that it shows.
            const bool seMuestra =
                intensidad == NumeroRegional::Formatear(v[kI], corrientes::kMascara, QLocale());
            const bool sinCambios =
                intensidad == antes.textos[nombresCajas.indexOf(QStringLiteral("Intensidad"))] &&
                v[kI] == antes.valores[kI];
            COMPROBAR(seMuestra || sinCambios,
                      QStringLiteral("I vale %1 y la caja muestra %2 (la clase da %3)")
                          .arg(Numero(v[kI]), Describir(intensidad), Numero(esperado)));
        }
    }

    void ComprobarCerrar(const Foto &antes) override {
        COMPROBAR(Fotografiar() == antes, QStringLiteral("Cerrar cambió la ventana"));
    }

    void ComprobarCarga() override {
        const QList<double> v = Valores();
        COMPROBAR(v[kU] == 220 && v[kP] == 2000 && v[kCosfi] == 1 && v[kRaiz3] == 1,
                  QStringLiteral("valores de la carga"));
        COMPROBAR(v[kI] == corrientes::CalcularIntensidad(2000, 220, 1, 1), Numero(v[kI]));
        const QStringList esperados{QStringLiteral("220"), Regional(QStringLiteral("9,1")),
                                    QStringLiteral("2000"), QStringLiteral("1")};
        COMPROBAR(Textos() == esperados, Textos().join(u'|'));
        COMPROBAR(Caja(QStringLiteral("Coseno"))->isHidden(), QStringLiteral("Coseno a la vista"));
        COMPROBAR(Mensaje().isEmpty(), Mensaje());
        COMPROBAR(Fotografiar().indices == QList<int>{0}, QStringLiteral("Clase"));
    }
};

class MonoIntensidad : public Mono {
public:
    MonoIntensidad(fIntensidad &v, QRandomGenerator &generador)
        : Mono(v, "fIntensidad", generador, {"Tension", "longitud", "Potencia", "Seccion", "caida"},
               {"Clase", "Combo1"}, {"L", "U", "P", "e", "s", "AUX", "MAT"}),
          f(v) {}

private:
    enum { kL, kU, kP, kE, kS, kAUX, kMAT };

    fIntensidad &f;

    bool EscapeCierra() const override { return true; }

    QList<double> Valores() const override { return {f.L, f.U, f.P, f.e, f.s, f.AUX, f.MAT}; }
    QString Mensaje() const override {
        return f.findChild<QLabel *>(QStringLiteral("label2"))->text();
    }
    QLabel *CaidaMaxima() const { return f.findChild<QLabel *>(QStringLiteral("caidamax")); }

    static double Relacion(const QList<double> &v, int dependiente) {
        return dependiente == kS
                   ? secciones::CalcularSeccion(v[kAUX], v[kL], v[kP], v[kMAT], v[kE], v[kU])
                   : secciones::CalcularCaida(v[kAUX], v[kL], v[kP], v[kMAT], v[kS], v[kU]);
    }
    // What the window takes in: a result it can show, for a voltage whose maximum drop it
    // can show.
    static bool EnRango(const QList<double> &v, int dependiente) {
        const double r = Relacion(v, dependiente);
        return std::isfinite(r) && r > 0 && std::isfinite(secciones::CaidaMaxima(v[kU]));
    }

    void ComprobarSiempre() override {
        const QString esperado = secciones::TextoCaidaMaxima(f.U, QLocale());
        COMPROBAR(CaidaMaxima()->text() == esperado,
                  QStringLiteral("caidamax muestra %1, no %2")
                      .arg(Describir(CaidaMaxima()->text()), Describir(esperado)));
    }

    // The colour of the maximum drop follows the drop shown, when it is a number.
    void ComprobarColor() {
        const std::optional<double> mostrada =
            NumeroRegional::Convertir(Caja(QStringLiteral("caida"))->text(), QLocale());
        if (!mostrada)
            return;
        const QColor esperado = QColor::fromRgb(QRgb(secciones::CaidaExcedida(*mostrada, f.U)
                                                         ? secciones::kColorExcedida
                                                         : secciones::kColorNormal));
        const QColor color = CaidaMaxima()->palette().color(QPalette::WindowText);
        COMPROBAR(color == esperado,
                  QStringLiteral("caidamax en %1, no %2").arg(color.name(), esperado.name()));
    }

    void ComprobarEdicion(QLineEdit *caja, const Foto &antes) override {
        const QString &nombreCaja = caja->objectName();
        const int propio = nombreCaja == u"Tension"    ? kU
                           : nombreCaja == u"longitud" ? kL
                           : nombreCaja == u"Potencia" ? kP
                           : nombreCaja == u"Seccion"  ? kS
                                                       : kE;
        const int dependiente = propio == kS ? kE : kS;
        const char16_t *mascara =
            propio == kE ? secciones::kMascaraSeccionDesdeCaida : secciones::kMascaraResultado;
        const QList<double> v = Valores();
        const std::optional<double> leido = NumeroRegional::Convertir(caja->text(), QLocale());
        const QString texto = Describir(caja->text());
        if (Mensaje().isEmpty()) {
            COMPROBAR(leido && *leido > 0, QStringLiteral("%1 aceptó %2").arg(nombreCaja, texto));
            COMPROBAR(v[propio] == *leido,
                      QStringLiteral("%1 guarda %2 por el texto %3")
                          .arg(nombresValores[propio], Numero(v[propio]), texto));
            const double esperado = Relacion(v, dependiente);
            COMPROBAR(
                v[dependiente] == esperado,
                QStringLiteral("%1 vale %2, no %3")
                    .arg(nombresValores[dependiente], Numero(v[dependiente]), Numero(esperado)));
            const QString mostrado = NumeroRegional::Formatear(esperado, mascara, QLocale());
            QLineEdit *otra =
                Caja(dependiente == kS ? QStringLiteral("Seccion") : QStringLiteral("caida"));
            COMPROBAR(otra->text() == mostrado,
                      QStringLiteral("%1 muestra %2, no %3")
                          .arg(otra->objectName(), Describir(otra->text()), Describir(mostrado)));
            for (int i : {kL, kU, kP, kE, kS, kAUX, kMAT}) {
                if (i != propio && i != dependiente)
                    COMPROBAR(v[i] == antes.valores[i],
                              QStringLiteral("%1 cambió").arg(nombresValores[i]));
            }
            ComprobarColor();
        } else {
            COMPROBAR(Mensaje() == kValorNoNumerico, Mensaje());
            COMPROBAR(v == antes.valores,
                      QStringLiteral("rechazado %1 en %2, cambió un valor").arg(texto, nombreCaja));
            if (leido && *leido > 0) {
                QList<double> con = v;
                con[propio] = *leido;
                COMPROBAR(!EnRango(con, dependiente),
                          QStringLiteral("rechazado %1 en %2, que da %3 = %4")
                              .arg(texto, nombreCaja, nombresValores[dependiente],
                                   Numero(Relacion(con, dependiente))));
            }
        }
    }

    // A choice ends in a recomputation from the voltage box, as an edit of it would.
    void ComprobarTension(const Foto &antes) {
        const QList<double> v = Valores();
        QLineEdit *tension = Caja(QStringLiteral("Tension"));
        const std::optional<double> leido = NumeroRegional::Convertir(tension->text(), QLocale());
        if (Mensaje().isEmpty()) {
            COMPROBAR(
                leido && *leido == v[kU],
                QStringLiteral("U vale %1 con %2").arg(Numero(v[kU]), Describir(tension->text())));
            const double esperado = Relacion(v, kS);
            COMPROBAR(v[kS] == esperado,
                      QStringLiteral("s vale %1, no %2").arg(Numero(v[kS]), Numero(esperado)));
            const QString mostrado =
                NumeroRegional::Formatear(esperado, secciones::kMascaraResultado, QLocale());
            COMPROBAR(
                Caja(QStringLiteral("Seccion"))->text() == mostrado,
                QStringLiteral("Seccion muestra %1, no %2")
                    .arg(Describir(Caja(QStringLiteral("Seccion"))->text()), Describir(mostrado)));
            ComprobarColor();
        } else if (leido && *leido > 0) {
            QList<double> con = v;
            con[kU] = *leido;
            COMPROBAR(!EnRango(con, kS),
                      QStringLiteral("rechazada la tensión %1").arg(Describir(tension->text())));
        }
        for (int i : {kL, kP, kE})
            COMPROBAR(v[i] == antes.valores[i], QStringLiteral("%1 cambió").arg(nombresValores[i]));
    }

    void ComprobarLista(Lista *lista, const Foto &antes) override {
        const QList<double> v = Valores();
        const int indice = lista->currentIndex();
        if (lista->objectName() == u"Clase") {
            if (const std::optional<secciones::Clase> clase = secciones::ClaseLinea(indice)) {
                COMPROBAR(v[kU] == clase->U && v[kAUX] == clase->AUX,
                          QStringLiteral("U %1, AUX %2").arg(Numero(v[kU]), Numero(v[kAUX])));
                COMPROBAR(Caja(QStringLiteral("Tension"))->text() ==
                              QString::fromUtf16(clase->textoTension),
                          Describir(Caja(QStringLiteral("Tension"))->text()));
            } else {
                COMPROBAR(v[kAUX] == antes.valores[kAUX], Numero(v[kAUX]));
            }
            COMPROBAR(v[kMAT] == antes.valores[kMAT], Numero(v[kMAT]));
        } else {
            if (const std::optional<double> conductividad = secciones::Conductividad(indice))
                COMPROBAR(v[kMAT] == *conductividad, Numero(v[kMAT]));
            else
                COMPROBAR(v[kMAT] == antes.valores[kMAT], Numero(v[kMAT]));
            COMPROBAR(v[kAUX] == antes.valores[kAUX], Numero(v[kAUX]));
        }
        ComprobarTension(antes);
    }

    void ComprobarCerrar(const Foto &antes) override {
        // "Cerrar" leaves the material list at its first entry, which recomputes.
        Lista *material = f.findChild<Lista *>(QStringLiteral("Combo1"));
        COMPROBAR(material->currentIndex() == 0, QString::number(material->currentIndex()));
        ComprobarLista(material, antes);
    }

    void ComprobarCarga() override {
        const QList<double> v = Valores();
        COMPROBAR(v[kL] == 30 && v[kU] == 220 && v[kP] == 2000 && v[kE] == 6 && v[kAUX] == 2 &&
                      v[kMAT] == 56,
                  QStringLiteral("valores de la carga"));
        const double s = Relacion(v, kS);
        COMPROBAR(v[kS] == s, Numero(v[kS]));
        const QStringList esperados{
            QStringLiteral("220"), QStringLiteral("30"), QStringLiteral("2000"),
            NumeroRegional::Formatear(s, secciones::kMascaraResultado, QLocale()),
            QStringLiteral("6")};
        COMPROBAR(Textos() == esperados, Textos().join(u'|'));
        COMPROBAR(Mensaje().isEmpty(), Mensaje());
        COMPROBAR(Fotografiar().indices == (QList<int>{0, 0}), QStringLiteral("listas"));
    }
};

quint32 Semilla() {
    bool ok = false;
    const uint semilla = qEnvironmentVariable("QUORVEL_MONKEY_SEED").toUInt(&ok);
    return ok ? semilla : kSemillaFija;
}

qint64 Pasos() {
    bool ok = false;
    const qint64 pasos = qEnvironmentVariable("QUORVEL_MONKEY_PASOS").toLongLong(&ok);
    return ok && pasos > 0 ? pasos : kPasosPorDefecto;
}

} // namespace

class TstMonkey : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        UsarLocaleDePrueba();
        Module1::DetectarSeparador();
        avisosAnteriores = qInstallMessageHandler(FiltrarAvisos);
    }
    void cleanupTestCase() { qInstallMessageHandler(avisosAnteriores); }

    void ambasVentanas() {
        rastro = Rastro{Semilla(), 0, {}, {}};
        const qint64 total = Pasos();
        qInfo("QUORVEL_MONKEY_SEED=%u, %lld pasos, locale %s", rastro.semilla, total,
              qPrintable(QLocale().name()));
        QRandomGenerator azar(rastro.semilla);
        fCorrientes corrientes;
        fIntensidad intensidad;
        MonoCorrientes monoCorrientes(corrientes, azar);
        MonoIntensidad monoIntensidad(intensidad, azar);
        Mono *monos[] = {&monoCorrientes, &monoIntensidad};
        qint64 sesiones = 0;
        while (rastro.paso < total && !QTest::currentTestFailed()) {
            monos[azar.bounded(2)]->Sesion(azar.bounded(1, 400));
            ++sesiones;
        }
        if (QTest::currentTestFailed())
            return;
        qInfo("%lld sesiones", sesiones);
        for (const Mono *mono : monos) {
            const Mono::Cuenta &c = mono->cuenta;
            const QByteArray nombre = mono->nombre.toLatin1();
            qInfo("%s: %lld sucesos, %lld ediciones aceptadas, %lld rechazadas, %lld elecciones, "
                  "%lld Cerrar (%lld con Escape), %lld cierres, %lld cargas",
                  nombre.constData(), c.sucesos, c.aceptadas, c.rechazadas, c.elecciones, c.cerrar,
                  c.escape, c.cierres, c.cargas);
            // A run too short, or a driver gone wrong, would check nothing.
            if (total >= kPasosPorDefecto) {
                QVERIFY2(c.aceptadas > 100 && c.rechazadas > 100 && c.elecciones > 100 &&
                             c.cerrar > 10 && c.cierres > 10 && c.cargas > 10 &&
                             (c.escape > 10 || !mono->EscapeCierra()),
                         nombre.constData());
            }
        }
    }
};

QTEST_MAIN(TstMonkey)
#include "tst_monkey.moc"
