#include "secciones/fIntensidad.h"

#include "input/Comprobacion.h"
#include "input/Module1.h"
#include "input/NumeroRegional.h"
#include "secciones/Relaciones.h"
#include "ui/Controles.h"
#include "ui/Disposicion.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <cmath>

using Disposicion::Twips;

namespace {

const QString kCaidaSuperada = QStringLiteral("Caída superada");
constexpr qint16 kVerdadero = -1;
constexpr qint16 kFalso = 0;

QColor colorDe(quint32 rgb) {
    return QColor::fromRgb(QRgb(rgb));
}

} // namespace

fIntensidad::fIntensidad()
    : VentanaCalculadora(QStringLiteral("Cálculo de intensidades"),
                         Disposicion::TwipsTamano(5505, 3120)) {
    setObjectName(QStringLiteral("fIntensidad"));
}

void fIntensidad::CrearControles(QWidget *superficie) {
    const QFont negrita = Disposicion::FuenteSansSerif(9.75, true);

    Command1 = Disposicion::CrearBotonCerrar(superficie, Twips(60, 2640, 5412, 432));
    HacerBotonCancelar(Command1);
    connect(Command1, &QPushButton::clicked, this, &fIntensidad::Command1_Click);

    Clase = Disposicion::CrearLista(superficie, "Clase", Twips(1800, 60, 3612, 336), negrita);
    connect(Clase, &Lista::Click, this, &fIntensidad::Clase_Click);

    auto *Frame1 = new QGroupBox(superficie);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips(60, 420, 5412, 2172));

    Combo1 = Disposicion::CrearLista(Frame1, "Combo1", Twips(3720, 1320, 1572, 336), negrita);
    for (const char16_t *material : secciones::kMateriales)
        Combo1->addItem(QString::fromUtf16(material));
    Combo1->setCurrentIndex(-1); // chosen by the load step
    connect(Combo1, &Lista::Click, this, &fIntensidad::Combo1_Click);

    struct Caja {
        CajaNumero *&control;
        const char *nombre;
        const char16_t *texto;
        int top;
        void (fIntensidad::*change)();
        void (fIntensidad::*keyPress)(qint16 &);
    };
    const Caja cajas[] = {
        {caida, "caida", u"10", 1680, &fIntensidad::caida_Change, &fIntensidad::caida_KeyPress},
        {Seccion, "Seccion", u"6", 1320, &fIntensidad::Seccion_Change,
         &fIntensidad::Seccion_KeyPress},
        {Potencia, "Potencia", u"2000", 600, &fIntensidad::Potencia_Change,
         &fIntensidad::Potencia_KeyPress},
        {Tension, "Tension", u"220", 240, &fIntensidad::Tension_Change,
         &fIntensidad::Tension_KeyPress},
        {longitud, "longitud", u"10", 960, &fIntensidad::longitud_Change,
         &fIntensidad::longitud_KeyPress},
    };
    for (const Caja &c : cajas) {
        c.control = Disposicion::CrearCaja(Frame1, c.nombre, c.texto, Twips(1680, c.top, 972, 360),
                                           negrita);
        connect(c.control, &QLineEdit::textChanged, this, c.change);
        connect(c.control, &CajaNumero::KeyPress, this, c.keyPress);
    }

    struct Rotulo {
        QWidget *contenedor;
        const char *nombre;
        const char16_t *caption;
        int left, top, width, height;
        QWidget *control; // what it captions, which a screen reader names after it
    };
    const Rotulo rotulos[] = {
        {Frame1, "Label3", u"Material:", 2760, 1320, 948, 336, Combo1},
        {Frame1, "Labelcaida", u"Caída (V):", 180, 1680, 1524, 360, caida},
        {Frame1, "LabelTension", u"Tensión (V):", 180, 240, 1524, 360, Tension},
        {Frame1, "Labellongitud", u"Longitud (m):", 180, 960, 1524, 360, longitud},
        {Frame1, "labelseccion", u"Sección (mm²):", 180, 1320, 1500, 348, Seccion},
        {Frame1, "LabelPotencia", u"Potencia (W):", 180, 600, 1524, 360, Potencia},
        {superficie, "Label1", u"Tipo de corriente:", 60, 60, 1740, 348, Clase},
    };

    Disposicion::CrearLogo(Frame1, Twips(2760, 240, 2484, 996));

    caidamax = new Etiqueta(Frame1);
    caidamax->setObjectName(QStringLiteral("caidamax"));
    caidamax->setText(QStringLiteral("Label3"));
    caidamax->setGeometry(Twips(2760, 1680, 2472, 372));
    caidamax->setFont(Disposicion::FuenteSansSerif(9.75, true, true));
    caidamax->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Disposicion::PonerFondo(caidamax, Disposicion::kGrisClaro);
    Disposicion::PonerColorTexto(caidamax, colorDe(secciones::kColorNormal));
    connect(caidamax, &Etiqueta::Change, this, &fIntensidad::caidamax_Change);

    label2 = new QLabel(Frame1);
    label2->setObjectName(QStringLiteral("label2"));
    label2->setGeometry(Twips(2520, 2280, 36, 192));
    Disposicion::PonerColorTexto(label2, Qt::red);
    label2->hide();

    for (const Rotulo &r : rotulos) {
        Disposicion::CrearRotulo(r.contenedor, r.nombre, r.caption,
                                 Twips(r.left, r.top, r.width, r.height), r.control);
    }

    // Focus order by tab index, across the frame; it does not follow the screen.
    Disposicion::OrdenDeTabulacion(
        {Clase, longitud, Command1, Tension, Potencia, Seccion, caida, Combo1});
    Clase->setFocus();
}

void fIntensidad::Form_Load() {
    cambia = kVerdadero;
    U = 220;
    L = 30;
    s = 6;
    e = 6;
    P = 2000;
    AUX = 2;
    MAT = 56;
    // Each write that changes a box's text runs its handler in full; the later steps
    // overwrite what those nested runs write.
    Tension->setText(QStringLiteral("220"));
    longitud->setText(QStringLiteral("30"));
    Seccion->setText(QStringLiteral("6"));
    caida->setText(QStringLiteral("6"));
    Potencia->setText(QStringLiteral("2000"));
    Clase->clear();
    for (const char16_t *clase : secciones::kClases)
        Clase->addItem(QString::fromUtf16(clase));
    Clase->setListIndex(0);
    Combo1->setListIndex(0);
}

void fIntensidad::Tension_Change() {
    CambioDeCaja(Tension, U, Pasos::Tension);
}
void fIntensidad::longitud_Change() {
    CambioDeCaja(longitud, L, Pasos::Seccion);
}
void fIntensidad::Potencia_Change() {
    CambioDeCaja(Potencia, P, Pasos::Seccion);
}
void fIntensidad::caida_Change() {
    CambioDeCaja(caida, e, Pasos::SeccionDesdeCaida);
}
void fIntensidad::Seccion_Change() {
    CambioDeCaja(Seccion, s, Pasos::Caida);
}

void fIntensidad::CambioDeCaja(CajaNumero *caja, double &valor, Pasos pasos) {
    if (!cambia)
        return;
    cambia = kFalso;
    label2->setText(QString());
    rechazada.Desmarcar();
    const QLocale locale;
    const Comprobacion comprobacion = ComprobarPositivo(caja->text(), locale);

    // The results are worked out before anything is written, so that a value whose results
    // a double cannot hold is refused like any other, rather than shown as "inf".
    const double anterior = valor;
    if (comprobacion.aceptada())
        valor = comprobacion.valor;
    const double resultado = pasos == Pasos::Caida
                                 ? secciones::CalcularCaida(AUX, L, P, MAT, s, U)
                                 : secciones::CalcularSeccion(AUX, L, P, MAT, e, U);
    const bool enRango = ResultadoValido(resultado) && std::isfinite(secciones::CaidaMaxima(U));
    if (!comprobacion.aceptada() || !enRango) {
        valor = anterior;
        label2->setText(kValorNoNumerico);
        rechazada.Marcar(caja, kValorNoNumerico);
        caja->setFocus();
        cambia = kVerdadero;
        return;
    }

    switch (pasos) {
    case Pasos::Tension:
        caidamax->setCaption(secciones::TextoCaidaMaxima(U, locale));
        caidamax_Change();
        s = resultado;
        Seccion->setText(NumeroRegional::Formatear(s, secciones::kMascaraResultado, locale));
        break;
    case Pasos::Seccion:
    case Pasos::SeccionDesdeCaida:
        s = resultado;
        Seccion->setText(NumeroRegional::Formatear(s,
                                                   pasos == Pasos::Seccion
                                                       ? secciones::kMascaraResultado
                                                       : secciones::kMascaraSeccionDesdeCaida,
                                                   locale));
        caidamax_Change();
        break;
    case Pasos::Caida:
        e = resultado;
        caida->setText(NumeroRegional::Formatear(e, secciones::kMascaraResultado, locale));
        caidamax_Change();
        break;
    }
    cambia = kVerdadero;
}

void fIntensidad::caidamax_Change() {
    // The drop as the box shows it; with no number there, the colour stays as it is.
    const std::optional<double> mostrada = NumeroRegional::Convertir(caida->text(), QLocale());
    if (!mostrada)
        return;
    const bool excedida = secciones::CaidaExcedida(*mostrada, U);
    Disposicion::PonerColorTexto(
        caidamax, colorDe(excedida ? secciones::kColorExcedida : secciones::kColorNormal));
    // The colour alone would not reach a screen reader; nor would the caption, which never
    // takes the focus, so the drop box says it too.
    const QString aviso = excedida ? kCaidaSuperada : QString();
    Describir(caidamax, aviso);
    caida->setAviso(aviso);
}

void fIntensidad::Clase_Click() {
    if (const std::optional<secciones::Clase> clase =
            secciones::ClaseLinea(Clase->currentIndex())) {
        U = clase->U;
        AUX = clase->AUX;
        Tension->setText(QString::fromUtf16(clase->textoTension));
    }
    caidamax->setCaption(secciones::TextoCaidaMaxima(U, QLocale()));
    caidamax_Change();
    Tension_Change();
}

void fIntensidad::Combo1_Click() {
    if (const std::optional<double> conductividad =
            secciones::Conductividad(Combo1->currentIndex()))
        MAT = *conductividad;
    Tension_Change();
}

void fIntensidad::Command1_Click() {
    hide();
    Combo1->setListIndex(0);
}

void fIntensidad::Tension_KeyPress(qint16 &KeyAscii) {
    Module1::FiltrarTecla(KeyAscii);
}
void fIntensidad::Potencia_KeyPress(qint16 &KeyAscii) {
    Module1::FiltrarTecla(KeyAscii);
}
void fIntensidad::longitud_KeyPress(qint16 &KeyAscii) {
    Module1::FiltrarTecla(KeyAscii);
}
void fIntensidad::Seccion_KeyPress(qint16 &KeyAscii) {
    Module1::FiltrarTecla(KeyAscii);
}
void fIntensidad::caida_KeyPress(qint16 &KeyAscii) {
    Module1::FiltrarTecla(KeyAscii);
}
