// Start-up: the main window is created and loaded, shown, and the program waits for events.
#include "app/Plataforma.h"
#include "app/fQuorvel.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[]) {
    Plataforma::Elegir(argc, argv);
    QApplication app(argc, argv);
    Plataforma::Preparar();
#ifdef Q_OS_WIN
    // One look on Windows 10 and 11: Qt's Windows 11 style draws the lists' arrows with an
    // icon font that not every system has, and its buttons under the pointer in dark mode
    // lose their captions.
    QApplication::setStyle(QStringLiteral("windowsvista"));
#endif
    // Desktop shells tie the windows to the launcher by these: the class of WM_CLASS on X11
    // (the entry's StartupWMClass) and the app_id, the entry's own name, on Wayland.
    QApplication::setApplicationName(QStringLiteral("quorvel"));
    QApplication::setDesktopFileName(QStringLiteral("es.quorvel.electricos"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/icono.ico")));
    fQuorvel ventana;
    // Of its fixed size also where the platform shows windows full screen (the browser's).
    ventana.showNormal();
    return app.exec();
}
