// What the screen-reader layer asks of each platform's accessibility bus, one file each:
// AT-SPI on Linux (Accesibilidad_atspi.cpp); elsewhere Qt's bridge tells what it must
// (Accesibilidad_sin_bus.cpp).
#pragma once

#include <QString>

class QObject;

namespace Accesibilidad {

// Sends the screen reader a change of the accessible description of `control`, with the new
// text itself.
void EnviarDescripcion(QObject *control, const QString &descripcion);

} // namespace Accesibilidad
