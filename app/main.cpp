// Start-up: the main window is created and loaded, shown, and the program waits for events.
#include "app/fQuorvel.h"

#include <QApplication>
#include <QIcon>

#ifdef QUORVEL_BENCH_EXIT
#include <QEvent>
#include <QTimer>

namespace {

// Only in the start-up benchmark's build of the program: with the environment variable
// QUORVEL_BENCH_EXIT set, the program ends as soon as the main window has been painted once,
// so that a driver can time the start-up from outside.
class SalidaTrasPintar : public QObject {
public:
    bool eventFilter(QObject *objeto, QEvent *evento) override {
        if (evento->type() == QEvent::Paint && !pintada) {
            pintada = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(objeto, evento);
    }

private:
    bool pintada = false;
};

} // namespace
#endif

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/icono.ico")));
    fQuorvel ventana;
#ifdef QUORVEL_BENCH_EXIT
    SalidaTrasPintar salida;
    if (qEnvironmentVariableIsSet("QUORVEL_BENCH_EXIT"))
        ventana.installEventFilter(&salida);
#endif
    ventana.show();
    return app.exec();
}
