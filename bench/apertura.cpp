// Opening benchmark: how long each calculator takes to appear the way the main window's
// buttons open it, first (creation, loading, showing) and later (showing again after
// "Cerrar"), and how long reopening takes after the close box has unloaded it.
//
// Usage: bench_apertura [N] [inverso]   (N later openings of each, 20 by default; "inverso"
// opens the sections calculator first). Runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise. An opening is timed until the window has been painted
// once: the first event processed after its first paint.
#include "app/Formularios.h"
#include "app/fQuorvel.h"
#include "bench/Estadistica.h"
#include "corrientes/fCorrientes.h"
#include "input/Module1.h"
#include "secciones/fIntensidad.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

// Watches every widget's paint events and tells when one of `ventana`'s has gone by.
class VigiaPintado : public QObject {
public:
    QWidget *ventana = nullptr;
    std::function<void()> alPintar; // run once, from the event loop, after the paint

    bool eventFilter(QObject *objeto, QEvent *evento) override {
        if (evento->type() == QEvent::Paint && ventana && alPintar && objeto->isWidgetType() &&
            static_cast<QWidget *>(objeto)->window() == ventana) {
            QTimer::singleShot(0, ventana, std::exchange(alPintar, nullptr));
        }
        return QObject::eventFilter(objeto, evento);
    }
};

VigiaPintado *vigia = nullptr;

struct Apertura {
    double bucle = 0;   // ms until the modal loop processed its first event
    double pintada = 0; // ms until the window had been painted
};

// Opens `ventana` modally centred on `centro`, timing from `reloj`, which the caller started,
// and ends the display with `cerrar` (hide, or the close box) once it is painted.
template <class Ventana>
Apertura Abrir(Ventana *&ventana, const QWidget *centro, const QElapsedTimer &reloj,
               bool cerrarConCaja) {
    Apertura a;
    QTimer::singleShot(0, qApp, [&a, &reloj] { a.bucle = double(reloj.nsecsElapsed()) / 1e6; });
    if (!ventana)
        ventana = new Ventana;
    Ventana *v = ventana;
    vigia->ventana = v;
    vigia->alPintar = [&a, &reloj, v, cerrarConCaja] {
        a.pintada = double(reloj.nsecsElapsed()) / 1e6;
        if (cerrarConCaja)
            v->close();
        else
            v->hide();
    };
    // Should no paint come, the display ends anyway and the figure shows it.
    QTimer::singleShot(10000, v, [v] { v->hide(); });
    v->Mostrar(centro);
    vigia->ventana = nullptr;
    return a;
}

template <class Ventana>
void MedirVentana(const char *nombre, Ventana *&ventana, const QWidget *centro, int veces) {
    QElapsedTimer reloj;
    reloj.start();
    const Apertura primera = Abrir(ventana, centro, reloj, false);
    std::printf("%s primera apertura: hasta el bucle modal %.2f ms, hasta pintada %.2f ms\n",
                nombre, primera.bucle, primera.pintada);

    std::vector<double> bucle, pintada;
    for (int i = 0; i < veces; ++i) {
        reloj.start();
        const Apertura a = Abrir(ventana, centro, reloj, false);
        bucle.push_back(a.bucle);
        pintada.push_back(a.pintada);
    }
    std::printf("%s aperturas siguientes (n=%d): hasta pintada mediana %.2f ms, max %.2f ms; "
                "hasta el bucle modal mediana %.2f ms\n",
                nombre, veces, estadistica::Mediana(pintada), estadistica::Maximo(pintada),
                estadistica::Mediana(bucle));

    // Each display ended by the close box, which unloads, so each opening loads afresh.
    bucle.clear();
    pintada.clear();
    reloj.start();
    Abrir(ventana, centro, reloj, true);
    for (int i = 0; i < veces; ++i) {
        reloj.start();
        const Apertura a = Abrir(ventana, centro, reloj, true);
        bucle.push_back(a.bucle);
        pintada.push_back(a.pintada);
    }
    std::printf("%s aperturas tras la caja de cierre, recargando (n=%d): hasta pintada mediana "
                "%.2f ms, max %.2f ms\n",
                nombre, veces, estadistica::Mediana(pintada), estadistica::Maximo(pintada));
}

} // namespace

int main(int argc, char *argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int veces = 20;
    bool inverso = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == u"inverso")
            inverso = true;
        else
            veces = std::max(1, arg.toInt());
    }
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));

    VigiaPintado vigilante;
    vigia = &vigilante;
    app.installEventFilter(&vigilante);

    // As in the program: the main window is up and painted before any calculator opens.
    fQuorvel principal;
    {
        QEventLoop espera;
        vigilante.ventana = &principal;
        vigilante.alPintar = [&espera] { espera.quit(); };
        QTimer::singleShot(10000, &espera, &QEventLoop::quit);
        principal.show();
        espera.exec();
        vigilante.ventana = nullptr;
    }
    std::printf("plataforma: %s\n", qgetenv("QT_QPA_PLATFORM").constData());

    if (inverso) {
        MedirVentana("fIntensidad", Formularios::fIntensidad, &principal, veces);
        MedirVentana("fCorrientes", Formularios::fCorrientes, &principal, veces);
    } else {
        MedirVentana("fCorrientes", Formularios::fCorrientes, &principal, veces);
        MedirVentana("fIntensidad", Formularios::fIntensidad, &principal, veces);
    }
    return 0; // the main window deletes the calculators
}
