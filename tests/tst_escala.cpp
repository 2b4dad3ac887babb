// The windows at a screen scale of 2 (the run sets QT_SCALE_FACTOR=2): everything keeps its
// place in device-independent pixels, so each window grows in proportion on the screen and
// nothing that is apart at scale 1 comes to overlap.
#include "app/fQuorvel.h"
#include "corrientes/fCorrientes.h"
#include "input/Module1.h"
#include "secciones/fIntensidad.h"
#include "tests/Apoyo.h"

#include <QLabel>
#include <QWindow>

namespace {

// The direct and nested controls of `ventana` that are shown, in window coordinates.
QList<QPair<QWidget *, QRect>> Visibles(QWidget *ventana) {
    QList<QPair<QWidget *, QRect>> controles;
    for (QWidget *w : ventana->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(ventana) || w->objectName().isEmpty() || w->objectName() == u"Frame1" ||
            w->objectName().startsWith(u"qt_"))
            continue;
        controles.append({w, QRect(w->mapTo(ventana, QPoint(0, 0)), w->size())});
    }
    return controles;
}

void ComprobarEscala(QWidget *ventana, QSize cliente) {
    QCOMPARE(ventana->size(), cliente);
    QCOMPARE(ventana->windowHandle()->devicePixelRatio(), 2.0);
    const QPixmap captura = ventana->grab();
    QCOMPARE(captura.size(), cliente * 2); // twice as many device pixels
    const auto controles = Visibles(ventana);
    QVERIFY(controles.size() >= 3);
    for (const auto &[control, rect] : controles) {
        // Inside the client area, as at scale 1.
        QVERIFY2(QRect(QPoint(0, 0), cliente).contains(rect), qPrintable(control->objectName()));
    }
}

} // namespace

class TstEscala : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        UsarLocaleDePrueba();
        Module1::DetectarSeparador();
        if (qEnvironmentVariable("QT_SCALE_FACTOR") != u"2")
            QSKIP("run with QT_SCALE_FACTOR=2");
    }

    void principal() {
        fQuorvel ventana;
        ventana.show();
        ComprobarEscala(&ventana, QSize(435, 326));
        // The banner drawn for this scale, pixel for pixel, not the one for scale 1 blown up.
        const QImage banner(QStringLiteral(":/resources/banner-visible@2x.bmp"));
        QCOMPARE(banner.size(), QSize(870, 412));
        QCOMPARE(ventana.grab().toImage().copy(banner.rect()).convertToFormat(QImage::Format_RGB32),
                 banner.convertToFormat(QImage::Format_RGB32));
    }

    void corrientes() {
        fCorrientes ventana;
        MientrasSeMuestra(ventana, [&] {
            ComprobarEscala(&ventana, QSize(344, 160));
            // The logo is drawn from its full-size picture, not from a small copy blown up.
            auto *logo = Control<QLabel>(&ventana, "Image1");
            QCOMPARE(logo->pixmap().size(), QSize(854, 333));
        });
    }

    void secciones() {
        fIntensidad ventana;
        MientrasSeMuestra(ventana, [&] { ComprobarEscala(&ventana, QSize(367, 208)); });
    }
};

QTEST_MAIN(TstEscala)
#include "tst_escala.moc"
