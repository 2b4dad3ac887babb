#include "ui/Disposicion.h"

#include "ui/Controles.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace Disposicion {

namespace {
int pixeles(int twips) {
    return (twips + kTwipsPorPixel / 2) / kTwipsPorPixel;
}
} // namespace

QRect Twips(int left, int top, int width, int height) {
    const int x = pixeles(left);
    const int y = pixeles(top);
    return QRect(x, y, pixeles(left + width) - x, pixeles(top + height) - y);
}

QSize TwipsTamano(int width, int height) {
    return QSize(pixeles(width), pixeles(height));
}

QFont FuenteSansSerif(qreal puntos, bool negrita, bool cursiva) {
    // The metric-compatible faces come before the generic fallback, which may run wider.
    QFont fuente;
    fuente.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                        QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                        QStringLiteral("Helvetica")});
    fuente.setStyleHint(QFont::SansSerif);
    fuente.setPointSizeF(puntos);
    fuente.setBold(negrita);
    fuente.setItalic(cursiva);
    return fuente;
}

void Rotular(QLabel *rotulo, QWidget *control) {
    if (!control)
        return;
    rotulo->setBuddy(control);
    QString nombre = rotulo->text();
    if (nombre.endsWith(u':'))
        nombre.chop(1);
    control->setAccessibleName(nombre.trimmed());
}

void PonerFondo(QWidget *control, const QColor &color) {
    QPalette paleta = control->palette();
    paleta.setColor(control->backgroundRole(), color);
    control->setPalette(paleta);
    control->setAutoFillBackground(true);
}

void PonerColorTexto(QWidget *control, const QColor &color) {
    QPalette paleta = control->palette();
    paleta.setColor(control->foregroundRole(), color);
    control->setPalette(paleta);
}

QPushButton *CrearBotonCerrar(QWidget *padre, const QRect &rect) {
    auto *boton = new QPushButton(QStringLiteral("Cerrar"), padre);
    boton->setObjectName(QStringLiteral("Command1"));
    boton->setGeometry(rect);
    boton->setFont(FuenteSansSerif(12, true, true));
    boton->setAutoDefault(false); // Enter presses nothing in these windows
    return boton;
}

CajaNumero *CrearCaja(QWidget *padre, const char *nombre, const char16_t *texto, const QRect &rect,
                      const QFont &fuente) {
    auto *caja = new CajaNumero(padre);
    caja->setObjectName(QLatin1String(nombre));
    caja->setText(QString::fromUtf16(texto));
    caja->setGeometry(rect);
    caja->setFont(fuente);
    return caja;
}

Lista *CrearLista(QWidget *padre, const char *nombre, const QRect &rect, const QFont &fuente) {
    auto *lista = new Lista(padre);
    lista->setObjectName(QLatin1String(nombre));
    lista->setGeometry(rect);
    lista->setFont(fuente);
    return lista;
}

QLabel *CrearLogo(QWidget *padre, const QRect &rect) {
    auto *logo = new QLabel(padre);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(rect);
    logo->setPixmap(QPixmap(QStringLiteral(":/resources/logo.jpg")));
    logo->setScaledContents(true);
    return logo;
}

QLabel *CrearRotulo(QWidget *padre, const char *nombre, const char16_t *caption, const QRect &rect,
                    QWidget *control) {
    auto *rotulo = new QLabel(QString::fromUtf16(caption), padre);
    rotulo->setObjectName(QLatin1String(nombre));
    rotulo->setGeometry(rect);
    rotulo->setFont(FuenteSansSerif(9.75, true));
    rotulo->setAlignment(Qt::AlignRight | Qt::AlignTop);
    PonerFondo(rotulo, kGrisClaro);
    PonerColorTexto(rotulo, kTextoSobreGris);
    rotulo->lower();
    Rotular(rotulo, control);
    return rotulo;
}

void OrdenDeTabulacion(std::initializer_list<QWidget *> controles) {
    QWidget *anterior = nullptr;
    for (QWidget *control : controles) {
        if (anterior)
            QWidget::setTabOrder(anterior, control);
        anterior = control;
    }
}

} // namespace Disposicion
