// The start-up baseline: the least a Qt Widgets program of the main window's size does, one
// fixed-size window holding one label in the default font, shown, then the event loop.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#ifdef QUORVEL_BENCH_EXIT
#include <QEvent>
#include <QTimer>

namespace {

// With QUORVEL_BENCH_EXIT set, ends right after the window's first paint, the same way the
// benchmark build of the program does.
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
    QWidget ventana;
    ventana.setFixedSize(435, 326);
    auto *rotulo =
        new QLabel(QStringLiteral("Una línea de texto en la fuente por defecto"), &ventana);
    rotulo->move(12, 12);
#ifdef QUORVEL_BENCH_EXIT
    SalidaTrasPintar salida;
    if (qEnvironmentVariableIsSet("QUORVEL_BENCH_EXIT"))
        ventana.installEventFilter(&salida);
#endif
    ventana.show();
    return app.exec();
}
