// Layout helpers shared by the three windows: figures in twips (15 to a pixel at 96 dpi,
// so that Qt's device-independent pixels scale them on other screens), the sans-serif
// stand-in for the layouts' bitmap face, and label colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

#include <initializer_list>

class CajaNumero;
class Lista;
class QLabel;
class QPushButton;
class QWidget;

namespace Disposicion {

inline constexpr int kTwipsPorPixel = 15;

// Each edge rounded to the nearest pixel, so that neighbouring controls stay neighbours.
QRect Twips(int left, int top, int width, int height);
QSize TwipsTamano(int width, int height);

// "MS Sans Serif" where the system has it, the nearest sans-serif face otherwise.
QFont FuenteSansSerif(qreal puntos, bool negrita, bool cursiva = false);

inline const QColor kGrisClaro(224, 224, 224);
// The text colour of the light face that the layouts were drawn for: what stands on a
// background they fix keeps it, whatever palette the desktop hands the program.
inline const QColor kTextoSobreGris(0, 0, 0);

// Makes `rotulo` the caption of `control`: its buddy, and its accessible name without the
// colon ("Tensión (V)"), so that a screen reader says what the field is.
void Rotular(QLabel *rotulo, QWidget *control);

void PonerFondo(QWidget *control, const QColor &color);
void PonerColorTexto(QWidget *control, const QColor &color);

// The controls both calculators build, each named as the windows' handlers know it.
QPushButton *CrearBotonCerrar(QWidget *padre, const QRect &rect);
CajaNumero *CrearCaja(QWidget *padre, const char *nombre, const char16_t *texto, const QRect &rect,
                      const QFont &fuente);
Lista *CrearLista(QWidget *padre, const char *nombre, const QRect &rect, const QFont &fuente);
// The logo, scaled to fill its box.
QLabel *CrearLogo(QWidget *padre, const QRect &rect);
// A caption: bold, right-aligned, black on light grey, and the caption of `control`. It is
// drawn on the window's surface beneath every box and list, which show their whole border
// where a caption reaches under them.
QLabel *CrearRotulo(QWidget *padre, const char *nombre, const char16_t *caption, const QRect &rect,
                    QWidget *control);

// Sets the focus order to the order given.
void OrdenDeTabulacion(std::initializer_list<QWidget *> controles);

} // namespace Disposicion
