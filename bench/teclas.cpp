// Typing benchmark: how long one keystroke in each calculator's number boxes takes, from
// the key press reaching the box until it returns with the dependent box rewritten, and how
// long setting each list's selection takes. A bare QLineEdit gives the floor.
//
// Usage: bench_teclas [N]   (N digit/backspace pairs per box, 2000 by default)
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "bench/Estadistica.h"
#include "corrientes/fCorrientes.h"
#include "input/Module1.h"
#include "secciones/fIntensidad.h"
#include "ui/Controles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// The pairs typed, untimed, before the timed ones, so that first-use costs are left out.
constexpr int kCalentamiento = 50;

struct Resultado {
    QString nombre;
    std::vector<double> us;      // the event or call alone
    std::vector<double> pintado; // the repaint it leads to, processed right after
    int fallos = 0;              // keystrokes that did not leave the expected text
};

std::vector<Resultado> resultados;

double Microsegundos(qint64 ns) {
    return double(ns) / 1000.0;
}

// Runs `accion` once, timed, then lets the window repaint, timed on its own.
void Medir(Resultado &r, const std::function<void()> &accion) {
    QElapsedTimer reloj;
    reloj.start();
    accion();
    const qint64 ns = reloj.nsecsElapsed();
    reloj.restart();
    QCoreApplication::processEvents();
    r.pintado.push_back(Microsegundos(reloj.nsecsElapsed()));
    r.us.push_back(Microsegundos(ns));
}

// Types "0" at the end of the box and then a backspace, `pares` times: the text goes from
// its value to the value with one more zero and back, staying a valid number throughout.
void MedirCaja(const QString &ventana, QLineEdit *caja, int pares) {
    Resultado r;
    r.nombre = ventana + u'.' + caja->objectName() + QStringLiteral(" tecla");
    caja->setFocus();
    caja->end(false);
    const QString original = caja->text();
    const QString conCero = original + u'0';
    for (int i = -kCalentamiento; i < pares; ++i) {
        QKeyEvent cero(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, QStringLiteral("0"));
        QKeyEvent retroceso(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier,
                            QStringLiteral("\b"));
        if (i < 0) {
            QCoreApplication::sendEvent(caja, &cero);
            QCoreApplication::sendEvent(caja, &retroceso);
            QCoreApplication::processEvents();
            continue;
        }
        Medir(r, [&] { QCoreApplication::sendEvent(caja, &cero); });
        r.fallos += caja->text() != conCero;
        Medir(r, [&] { QCoreApplication::sendEvent(caja, &retroceso); });
        r.fallos += caja->text() != original;
    }
    resultados.push_back(std::move(r));
}

void MedirLista(const QString &ventana, Lista *lista, int veces) {
    Resultado r;
    r.nombre = ventana + u'.' + lista->objectName() + QStringLiteral(" setListIndex");
    const int entradas = lista->count();
    for (int i = -kCalentamiento; i < veces; ++i) {
        const int indice = (i + kCalentamiento + 1) % entradas;
        if (i < 0) {
            lista->setListIndex(indice);
            QCoreApplication::processEvents();
            continue;
        }
        Medir(r, [&] { lista->setListIndex(indice); });
        r.fallos += lista->currentIndex() != indice;
    }
    lista->setListIndex(0);
    QCoreApplication::processEvents();
    resultados.push_back(std::move(r));
}

template <class T> T *Hijo(QWidget *ventana, const char *nombre) {
    T *hijo = ventana->findChild<T *>(QLatin1String(nombre));
    if (!hijo) {
        std::fprintf(stderr, "no hay %s en %s\n", nombre, qPrintable(ventana->objectName()));
        std::exit(1);
    }
    return hijo;
}

// Shows `ventana` modally and runs `medir` inside its modal loop, then hides it.
void MedirMostrada(VentanaCalculadora *ventana, const std::function<void()> &medir) {
    QTimer::singleShot(0, ventana, [ventana, medir] {
        QCoreApplication::processEvents(); // the first paint, before anything is timed
        medir();
        ventana->hide();
    });
    ventana->Mostrar(nullptr);
}

void Imprimir(const Resultado &r) {
    using namespace estadistica;
    const QString fallos = r.fallos ? QStringLiteral("  FALLOS=%1").arg(r.fallos) : QString();
    std::printf("%-36s mediana %8.1f us  p99 %8.1f us  max %9.1f us", qPrintable(r.nombre),
                Mediana(r.us), Percentil(r.us, 99), Maximo(r.us));
    std::printf("  | repintado mediana %7.1f us p99 %8.1f us  | n=%zu%s\n", Mediana(r.pintado),
                Percentil(r.pintado, 99), r.us.size(), qPrintable(fallos));
}

} // namespace

int main(int argc, char *argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int pares = 2000;
    if (argc > 1)
        pares = std::max(1, QString::fromLocal8Bit(argv[1]).toInt());

    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    Module1::DetectarSeparador();

    auto *corrientes = new fCorrientes;
    auto *intensidad = new fIntensidad;

    MedirMostrada(corrientes, [&] {
        const QString v = QStringLiteral("fCorrientes");
        // Alternating current, so that the power-factor box is shown and in use.
        Hijo<Lista>(corrientes, "Clase")->setListIndex(1);
        QCoreApplication::processEvents();
        for (const char *caja : {"Tension", "Intensidad", "Potencia", "Coseno"})
            MedirCaja(v, Hijo<CajaNumero>(corrientes, caja), pares);
        MedirLista(v, Hijo<Lista>(corrientes, "Clase"), 2 * pares);
    });
    MedirMostrada(intensidad, [&] {
        const QString v = QStringLiteral("fIntensidad");
        for (const char *caja : {"Tension", "Potencia", "longitud", "Seccion", "caida"})
            MedirCaja(v, Hijo<CajaNumero>(intensidad, caja), pares);
        MedirLista(v, Hijo<Lista>(intensidad, "Clase"), 2 * pares);
        MedirLista(v, Hijo<Lista>(intensidad, "Combo1"), 2 * pares);
    });

    // The floor: a plain line edit, shown, assigned two texts in turn and typed into.
    {
        QLineEdit suelo;
        suelo.setText(QStringLiteral("220"));
        suelo.show();
        QCoreApplication::processEvents();
        Resultado asignar;
        asignar.nombre = QStringLiteral("QLineEdit setText (suelo)");
        for (int i = 0; i < 2 * pares; ++i) {
            const QString texto = i % 2 ? QStringLiteral("220") : QStringLiteral("2200");
            Medir(asignar, [&] { suelo.setText(texto); });
        }
        resultados.push_back(std::move(asignar));
        MedirCaja(QStringLiteral("QLineEdit"), &suelo, pares);
        resultados.back().nombre = QStringLiteral("QLineEdit tecla (suelo)");
    }

    const QByteArray plataforma = qgetenv("QT_QPA_PLATFORM");
    std::printf("plataforma: %s, locale %s, %d pares dígito/retroceso por caja\n",
                plataforma.constData(), qPrintable(QLocale().name()), pares);
    for (const Resultado &r : resultados)
        Imprimir(r);

    delete corrientes;
    delete intensidad;
    return 0;
}
