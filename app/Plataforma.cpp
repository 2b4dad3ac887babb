#include "app/Plataforma.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QList>

#include <cstring>

#ifdef Q_OS_WASM
#include <emscripten.h>
#endif

QByteArray Plataforma::Preferida(const QByteArray &qpa, const QByteArray &sesion,
                                 const QByteArray &escritorio, const QByteArray &pantallaX,
                                 QVersionNumber qt) {
    if (!qpa.isEmpty() || sesion != "wayland" || pantallaX.isEmpty() || qt >= QVersionNumber(6, 8))
        return {};
    // "GNOME", "ubuntu:GNOME", "GNOME-Classic:GNOME"...: GNOME draws no title bars for
    // Wayland clients, so Qt would draw its own.
    for (const QByteArray &nombre : escritorio.split(':'))
        if (nombre.compare("GNOME", Qt::CaseInsensitive) == 0)
            return QByteArrayLiteral("xcb;wayland"); // Wayland still, should X11 fail

    return {};
}

void Plataforma::Elegir(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return;
    const QByteArray eleccion =
        Preferida(qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"),
                  qgetenv("XDG_CURRENT_DESKTOP"), qgetenv("DISPLAY"), QLibraryInfo::version());
    if (!eleccion.isEmpty())
        qputenv("QT_QPA_PLATFORM", eleccion);
}

void Plataforma::Preparar() {
#ifdef Q_OS_WASM
    for (const char *cara : {"Regular", "Bold", "BoldItalic"})
        QFontDatabase::addApplicationFont(
            QStringLiteral(":/fuentes/LiberationSans-%1.ttf").arg(QLatin1StringView(cara)));
#endif
}

void Plataforma::Terminar() {
#ifdef Q_OS_WASM
    // Qt's loop never returns to main on a page, so QCoreApplication::exit() would leave the
    // windows standing, lifeless; the runtime's own exit tells the page.
    emscripten_force_exit(0);
#else
    QCoreApplication::exit(0);
#endif
}
