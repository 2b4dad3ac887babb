// Where Qt's bridge sends a description change with its text (Windows, macOS, the browser),
// the screen-reader layer has nothing to send itself.
#include "ui/AccesibilidadPlataforma.h"

namespace Accesibilidad {

void EnviarDescripcion(QObject *control, const QString &descripcion) {
    Q_UNUSED(control);
    Q_UNUSED(descripcion);
}

} // namespace Accesibilidad
