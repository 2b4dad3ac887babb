// Only in the start-up benchmark's builds (the program's and the baseline's), linked in beside
// their own main(): with the environment variable QUORVEL_BENCH_EXIT set, the program ends as
// soon as its first window has been painted once, so that a driver can time the start-up from
// outside. It hooks in when the application object is made, so the program needs no change.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class SalidaTrasPintar : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *objeto, QEvent *evento) override {
        if (evento->type() == QEvent::Paint && !pintada && objeto->isWidgetType() &&
            static_cast<QWidget *>(objeto)->isWindow()) {
            pintada = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(objeto, evento);
    }

private:
    bool pintada = false;
};

void Instalar() {
    if (qEnvironmentVariableIsSet("QUORVEL_BENCH_EXIT"))
        qApp->installEventFilter(new SalidaTrasPintar(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Instalar)
