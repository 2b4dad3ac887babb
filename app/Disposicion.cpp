#include "app/Disposicion.h"

#include <QLabel>
#include <QPalette>
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

} // namespace Disposicion
