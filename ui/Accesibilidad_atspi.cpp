// The AT-SPI part of the screen-reader layer (Linux): the description change sent on the
// accessibility bus with the text itself.
#include "ui/AccesibilidadPlataforma.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QVariant>

// An object on the accessibility bus as AT-SPI names it: the connection's name and the path.
struct ReferenciaAtspi {
    QString servicio;
    QDBusObjectPath ruta;
};
Q_DECLARE_METATYPE(ReferenciaAtspi)

QDBusArgument &operator<<(QDBusArgument &argumento, const ReferenciaAtspi &referencia) {
    argumento.beginStructure();
    argumento << referencia.servicio << referencia.ruta;
    argumento.endStructure();
    return argumento;
}

const QDBusArgument &operator>>(const QDBusArgument &argumento, ReferenciaAtspi &referencia) {
    argumento.beginStructure();
    argumento >> referencia.servicio >> referencia.ruta;
    argumento.endStructure();
    return argumento;
}

namespace Accesibilidad {

// The description change as AT-SPI defines it, with the new text as its data, sent on the
// connection that Qt's bridge opened to the accessibility bus, so that it comes from the same
// application and the same object as everything else the screen reader knows of the control.
void EnviarDescripcion(QObject *control, const QString &descripcion) {
    static const QString kPrefijo = QStringLiteral("/org/a11y/atspi/accessible/");
    QDBusConnection bus(QStringLiteral("a11y"));
    if (!bus.isConnected())
        return;
    QAccessibleInterface *interfaz = QAccessible::queryAccessibleInterface(control);
    if (!interfaz)
        return;
    static const bool registrada = (qDBusRegisterMetaType<ReferenciaAtspi>(), true);
    Q_UNUSED(registrada);
    QDBusMessage senal = QDBusMessage::createSignal(
        kPrefijo + QString::number(QAccessible::uniqueId(interfaz)),
        QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    senal << QStringLiteral("accessible-description") << 0 << 0
          << QVariant::fromValue(QDBusVariant(descripcion))
          << QVariant::fromValue(ReferenciaAtspi{
                 bus.baseService(), QDBusObjectPath(kPrefijo + QStringLiteral("root"))});
    bus.send(senal);
}

} // namespace Accesibilidad
