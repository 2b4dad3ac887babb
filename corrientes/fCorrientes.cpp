#include "corrientes/fCorrientes.h"

#include "corrientes/Relaciones.h"
#include "input/Module1.h"
#include "input/NumeroRegional.h"
#include "ui/Controles.h"
#include "ui/Disposicion.h"

#include <QLabel>
#include <QPushButton>

using Disposicion::Twips;

namespace {

// The layout's initial texts of the power and current boxes, and the values that the load
// step takes from them, so that the first recomputation matches what the boxes show.
constexpr const char16_t *kPotenciaInicial = u"2000";
constexpr const char16_t *kIntensidadInicial = u"1";
constexpr double kPotenciaInicialValor = 2000;
constexpr double kIntensidadInicialValor = 1;

} // namespace

fCorrientes::fCorrientes()
    : VentanaCalculadora(QStringLiteral("Cálculo de Corrientes y Potencias"),
                         Disposicion::TwipsTamano(5160, 2400)) {
    setObjectName(QStringLiteral("fCorrientes"));
}

void fCorrientes::CrearControles(QWidget *superficie) {
    const QFont fuenteCaja = Disposicion::FuenteSansSerif(9.75, false);

    label2 = new QLineEdit(superficie);
    label2->setObjectName(QStringLiteral("label2"));
    label2->setGeometry(Twips(2640, 1500, 2472, 312));
    label2->setReadOnly(true);
    label2->setAccessibleName(QStringLiteral("Mensaje"));
    Disposicion::PonerFondo(label2, Disposicion::kGrisClaro);
    QPalette paleta = label2->palette();
    paleta.setColor(QPalette::Base, Disposicion::kGrisClaro);
    label2->setPalette(paleta);
    Disposicion::PonerColorTexto(label2, Disposicion::kTextoSobreGris);

    Command1 = Disposicion::CrearBotonCerrar(superficie, Twips(0, 1920, 5112, 432));
    connect(Command1, &QPushButton::clicked, this, &fCorrientes::Command1_Click);

    struct Caja {
        CajaNumero *&control;
        const char *nombre;
        const char16_t *texto;
        int top;
        void (fCorrientes::*change)();
        void (fCorrientes::*keyPress)(qint16 &);
    };
    const Caja cajas[] = {
        {Coseno, "Coseno", u"1", 1500, &fCorrientes::Coseno_Change, &fCorrientes::Coseno_KeyPress},
        {Potencia, "Potencia", kPotenciaInicial, 780, &fCorrientes::Potencia_Change,
         &fCorrientes::Potencia_KeyPress},
        {Intensidad, "Intensidad", kIntensidadInicial, 1140, &fCorrientes::Intensidad_Change,
         &fCorrientes::Intensidad_KeyPress},
        {Tension, "Tension", u"220", 420, &fCorrientes::Tension_Change,
         &fCorrientes::Tension_KeyPress},
    };
    for (const Caja &c : cajas) {
        c.control = Disposicion::CrearCaja(superficie, c.nombre, c.texto,
                                           Twips(1620, c.top, 912, 312), fuenteCaja);
        connect(c.control, &QLineEdit::textChanged, this, c.change);
        connect(c.control, &CajaNumero::KeyPress, this, c.keyPress);
    }

    Clase = Disposicion::CrearLista(superficie, "Clase", Twips(1860, 0, 3252, 336), fuenteCaja);
    connect(Clase, &Lista::Click, this, &fCorrientes::Clase_Click);

    Disposicion::CrearLogo(superficie, Twips(2640, 420, 2484, 996));

    struct Rotulo {
        const char *nombre;
        const char16_t *caption;
        int left, top, width, height;
        QWidget *control; // what it captions, which a screen reader names after it
        QLabel **destino; // where the window keeps it, for the one label it hides and shows
    };
    const Rotulo rotulos[] = {
        {"LabelCoseno", u"Cos Ø:", 0, 1500, 1632, 312, Coseno, &LabelCoseno},
        {"LabelPotencia", u"Potencia (W):", 0, 780, 1632, 312, Potencia, nullptr},
        {"LabelIntensidad", u"Intensidad (A):", 0, 1140, 1632, 312, Intensidad, nullptr},
        {"LabelTension", u"Tensión (V) :", 0, 420, 1632, 312, Tension, nullptr},
        {"Label1", u"Tipo de corriente:", 0, 0, 1860, 336, Clase, nullptr},
    };
    for (const Rotulo &r : rotulos) {
        QLabel *rotulo = Disposicion::CrearRotulo(
            superficie, r.nombre, r.caption, Twips(r.left, r.top, r.width, r.height), r.control);
        if (r.destino)
            *r.destino = rotulo;
    }

    // Focus order by tab index; the labels hold indexes but never take the focus.
    Disposicion::OrdenDeTabulacion(
        {Clase, Tension, Intensidad, Potencia, Coseno, Command1, label2});
    Clase->setFocus();
}

void fCorrientes::Form_Load() {
    cambia = -1;
    P = kPotenciaInicialValor;
    I = kIntensidadInicialValor;
    Clase->clear();
    for (const char16_t *clase : corrientes::kClases)
        Clase->addItem(QString::fromUtf16(clase));
    Clase->setListIndex(0);
}

void fCorrientes::Clase_Click() {
    const std::optional<corrientes::Clase> clase =
        corrientes::ClaseCorriente(Clase->currentIndex());
    if (!clase)
        return;
    Tension->setText(QString::fromUtf16(clase->textoTension));
    U = clase->U;
    Coseno->setVisible(clase->cosenoVisible);
    LabelCoseno->setVisible(clase->cosenoVisible);
    cosfi = clase->cosfi;
    raiz3 = clase->raiz3;
    if (clase->cosenoVisible)
        Coseno->setText(corrientes::TextoCosenoDefecto(QLocale()));
    // Once more with the new kind's power factor and factor, which the writes above may
    // not have brought into the current box.
    EscribirIntensidad();
}

void fCorrientes::EscribirIntensidad() {
    const double intensidad = corrientes::CalcularIntensidad(P, U, cosfi, raiz3);
    // A current that a double cannot hold, or one that vanishes (a power pasted down in the
    // denormal range), is neither stored nor shown: the box keeps the last one.
    if (!ResultadoValido(intensidad))
        return;
    const qint16 antes = cambia;
    cambia = 0;
    I = intensidad;
    Intensidad->setText(NumeroRegional::Formatear(I, corrientes::kMascara, QLocale()));
    cambia = antes;
}

void fCorrientes::Tension_Change() {
    CambioDeCaja(Tension, ComprobarPositivo, U, Dependiente::Intensidad);
}

void fCorrientes::Potencia_Change() {
    CambioDeCaja(Potencia, ComprobarPositivo, P, Dependiente::Intensidad);
}

void fCorrientes::Coseno_Change() {
    CambioDeCaja(Coseno, corrientes::ComprobarCoseno, cosfi, Dependiente::Intensidad);
}

void fCorrientes::Intensidad_Change() {
    CambioDeCaja(Intensidad, ComprobarPositivo, I, Dependiente::Potencia);
}

void fCorrientes::CambioDeCaja(CajaNumero *caja, Comprobador comprobar, double &valor,
                               Dependiente dependiente) {
    if (!cambia)
        return;
    cambia = 0;
    label2->setText(QString());
    rechazada.Desmarcar();
    const QLocale locale;
    Comprobacion comprobacion = comprobar(caja->text(), locale);
    if (comprobacion.aceptada()) {
        const double anterior = valor;
        valor = comprobacion.valor;
        const bool haciaIntensidad = dependiente == Dependiente::Intensidad;
        const double resultado = haciaIntensidad
                                     ? corrientes::CalcularIntensidad(P, U, cosfi, raiz3)
                                     : corrientes::CalcularPotencia(I, U, cosfi, raiz3);
        if (ResultadoValido(resultado)) {
            (haciaIntensidad ? I : P) = resultado;
            (haciaIntensidad ? Intensidad : Potencia)
                ->setText(NumeroRegional::Formatear(resultado, corrientes::kMascara, locale));
        } else {
            // A result that a double cannot hold (or that vanishes) is refused with the
            // value that produced it, rather than shown as "inf" or stored.
            valor = anterior;
            comprobacion.mensaje = kValorNoValido;
        }
    }
    if (!comprobacion.aceptada()) {
        label2->setText(comprobacion.mensaje);
        rechazada.Marcar(caja, comprobacion.mensaje);
        caja->setFocus();
    }
    cambia = -1;
}

void fCorrientes::Tension_KeyPress(qint16 &KeyAscii) {
    Module1::FiltrarTecla(KeyAscii);
}
void fCorrientes::Intensidad_KeyPress(qint16 &KeyAscii) {
    Module1::FiltrarTecla(KeyAscii);
}
void fCorrientes::Potencia_KeyPress(qint16 &KeyAscii) {
    Module1::FiltrarTecla(KeyAscii);
}
void fCorrientes::Coseno_KeyPress(qint16 &KeyAscii) {
    Module1::FiltrarTecla(KeyAscii);
}

void fCorrientes::Command1_Click() {
    hide();
}
