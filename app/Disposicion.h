// Layout helpers shared by the three windows: figures in twips (15 to a pixel at 96 dpi,
// so that Qt's device-independent pixels scale them on other screens), the sans-serif
// stand-in for the layouts' bitmap face, and label colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

class QLabel;
class QWidget;

namespace Disposicion {

inline constexpr int kTwipsPorPixel = 15;

// Each edge rounded to the nearest pixel, so that neighbouring controls stay neighbours.
QRect Twips(int left, int top, int width, int height);
QSize TwipsTamano(int width, int height);

// "MS Sans Serif" where the system has it, the nearest sans-serif face otherwise.
QFont FuenteSansSerif(qreal puntos, bool negrita, bool cursiva = false);

inline const QColor kGrisClaro(224, 224, 224);

// Makes `rotulo` the caption of `control`: its buddy, and its accessible name without the
// colon ("Tensión (V)"), so that a screen reader says what the field is.
void Rotular(QLabel *rotulo, QWidget *control);

void PonerFondo(QWidget *control, const QColor &color);
void PonerColorTexto(QWidget *control, const QColor &color);

} // namespace Disposicion
