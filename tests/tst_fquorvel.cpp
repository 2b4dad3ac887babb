// The main window: its look, its buttons, the calculators it opens and the end of the program.
#include "app/Formularios.h"
#include "app/Plataforma.h"
#include "app/fQuorvel.h"
#include "corrientes/fCorrientes.h"
#include "input/Module1.h"
#include "secciones/fIntensidad.h"
#include "tests/Apoyo.h"
#include "ui/Controles.h"
#include "ui/Disposicion.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>

namespace {

QPushButton *Boton(QWidget *ventana, int indice) {
    for (QPushButton *b : ventana->findChildren<QPushButton *>(QStringLiteral("Command1")))
        if (b->property("Index").toInt() == indice)
            return b;
    return nullptr;
}

// Presses a main-window button whose action is a modal display: `accion` runs while the
// calculator is shown, which it finds as the active modal window, attached to the main window
// (which keeps it above the main window, as its owner on Windows).
template <class F> void PulsarYDurante(QPushButton *boton, F accion) {
    QTimer::singleShot(0, boton, [boton, accion] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        QVERIFY(modal->windowHandle());
        QCOMPARE(modal->windowHandle()->transientParent(), boton->window()->windowHandle());
        accion(modal);
        if (modal->isVisible())
            modal->hide();
    });
    QTest::mouseClick(boton, Qt::LeftButton);
}

} // namespace

class TstFQuorvel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { UsarLocaleDePrueba(); }

    void disposicion() {
        fQuorvel ventana;
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Quorvel eléctricos"));
        QCOMPARE(ventana.size(), QSize(435, 326));
        QCOMPARE(ventana.minimumSize(), ventana.maximumSize());
        QVERIFY(!(ventana.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(ventana.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(ventana.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(ventana.palette().color(QPalette::Window), QColor(Qt::white));
        struct Esperado {
            int indice;
            QString caption;
            QRect rect;
        };
        using Disposicion::Twips;
        const Esperado botones[] = {
            {0, "Corrientes y potencias", Twips(1140, 3180, 4272, 552)},
            {1, "Secciones y caídas de tensión", Twips(1140, 3840, 4272, 552)},
            {2, "Cerrar", Twips(2100, 4440, 2352, 432)},
        };
        for (const Esperado &b : botones) {
            QPushButton *boton = Boton(&ventana, b.indice);
            QVERIFY(boton);
            QCOMPARE(boton->text(), b.caption);
            QCOMPARE(boton->geometry(), b.rect);
            QVERIFY(boton->font().bold() && boton->font().italic());
            QCOMPARE(boton->font().pointSizeF(), 12.0);
            QVERIFY(!boton->isDefault() && !boton->autoDefault());
            // Below the banner, 206 pixels high.
            QVERIFY(boton->geometry().top() > 206);
        }
        // The banner is drawn at its natural size, cut by the window, not scaled.
        const QImage imagen = ventana.grab().toImage();
        const QImage banner(QStringLiteral(":/resources/banner.bmp"));
        QCOMPARE(banner.size(), QSize(884, 206));
        const QRect visible(0, 0, 435, 206);
        QCOMPARE(imagen.copy(visible).convertToFormat(QImage::Format_RGB32),
                 banner.copy(visible).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(imagen.pixelColor(5, 230), QColor(Qt::white));
    }

    void recursos() {
        const QImage icono(QStringLiteral(":/resources/icono.ico"));
        QCOMPARE(icono.size(), QSize(32, 32));
        const QImage logo(QStringLiteral(":/resources/logo.jpg"));
        QCOMPARE(logo.size(), QSize(854, 333));
        QFile bmp(QStringLiteral(":/resources/banner.bmp"));
        QCOMPARE(bmp.size(), 546366);
        QFile ico(QStringLiteral(":/resources/icono.ico"));
        QCOMPARE(ico.size(), 766);
    }

    void focoYTabulacion() {
        fQuorvel ventana;
        ventana.show();
        QCOMPARE(ventana.focusWidget(), Boton(&ventana, 0));
        QTest::keyClick(ventana.focusWidget(), Qt::Key_Tab);
        QCOMPARE(ventana.focusWidget(), Boton(&ventana, 1));
        QTest::keyClick(ventana.focusWidget(), Qt::Key_Tab);
        QCOMPARE(ventana.focusWidget(), Boton(&ventana, 2));
        QTest::keyClick(ventana.focusWidget(), Qt::Key_Tab);
        QCOMPARE(ventana.focusWidget(), Boton(&ventana, 0));
        // Neither Enter nor Escape presses a button.
        QSignalSpy pulsado(Boton(&ventana, 0), &QPushButton::clicked);
        QTest::keyClick(ventana.focusWidget(), Qt::Key_Return);
        QTest::keyClick(ventana.focusWidget(), Qt::Key_Escape);
        QCOMPARE(pulsado.count(), 0);
    }

    void detectaElSeparadorAlCargar() {
        Module1::SepDecimal = 0;
        Module1::SepAjeno = 0;
        fQuorvel ventana;
        QCOMPARE(Module1::SepDecimal, qint16(LocaleConComa() ? 44 : 46));
        QCOMPARE(Module1::SepAjeno, qint16(LocaleConComa() ? 46 : 44));
    }

    void abreCadaCalculadoraUnaVez() {
        fQuorvel ventana;
        ventana.show();
        QVERIFY(!Formularios::fCorrientes);
        PulsarYDurante(Boton(&ventana, 0), [](QWidget *modal) {
            QCOMPARE(modal, Formularios::fCorrientes);
            QCOMPARE(modal->windowTitle(), QStringLiteral("Cálculo de Corrientes y Potencias"));
            QLineEdit *tension = Control<QLineEdit>(modal, "Tension");
            tension->selectAll();
            QTest::keyClicks(tension, QStringLiteral("400"));
            QTest::mouseClick(Control<QPushButton>(modal, "Command1"), Qt::LeftButton);
        });
        fCorrientes *primera = Formularios::fCorrientes;
        QVERIFY(primera && !primera->isVisible());
        PulsarYDurante(Boton(&ventana, 0), [primera](QWidget *modal) {
            QCOMPARE(modal, primera);
            QCOMPARE(Control<QLineEdit>(modal, "Tension")->text(), QStringLiteral("400"));
        });
        PulsarYDurante(Boton(&ventana, 1), [](QWidget *modal) {
            QCOMPARE(modal, Formularios::fIntensidad);
            QCOMPARE(modal->windowTitle(), QStringLiteral("Cálculo de intensidades"));
            // The main window takes no input meanwhile.
            QWidget *principal = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == u"fQuorvel")
                    principal = w;
            QSignalSpy pulsado(Boton(principal, 0), &QPushButton::clicked);
            QTest::mouseClick(principal->windowHandle(), Qt::LeftButton, {},
                              Boton(principal, 0)->geometry().center());
            QCOMPARE(pulsado.count(), 0);
        });
        QCOMPARE(Formularios::fCorrientes, primera);
    }

    void plataforma_data() {
        QTest::addColumn<QByteArray>("qpa");
        QTest::addColumn<QByteArray>("sesion");
        QTest::addColumn<QByteArray>("escritorio");
        QTest::addColumn<QByteArray>("pantallaX");
        QTest::addColumn<QString>("qt");
        QTest::addColumn<QByteArray>("esperada");
        QTest::newRow("GNOME Wayland, Qt 6.4")
            << QByteArray() << QByteArray("wayland") << QByteArray("GNOME") << QByteArray(":0")
            << "6.4.2" << QByteArray("xcb;wayland");
        QTest::newRow("Ubuntu's GNOME, Qt 6.4")
            << QByteArray() << QByteArray("wayland") << QByteArray("ubuntu:GNOME")
            << QByteArray(":1") << "6.4.2" << QByteArray("xcb;wayland");
        QTest::newRow("GNOME Wayland, Qt 6.8")
            << QByteArray() << QByteArray("wayland") << QByteArray("GNOME") << QByteArray(":0")
            << "6.8.2" << QByteArray();
        QTest::newRow("the user's choice")
            << QByteArray("wayland") << QByteArray("wayland") << QByteArray("GNOME")
            << QByteArray(":0") << "6.4.2" << QByteArray();
        QTest::newRow("no XWayland") << QByteArray() << QByteArray("wayland") << QByteArray("GNOME")
                                     << QByteArray() << "6.4.2" << QByteArray();
        QTest::newRow("Plasma") << QByteArray() << QByteArray("wayland") << QByteArray("KDE")
                                << QByteArray(":0") << "6.4.2" << QByteArray();
        QTest::newRow("GNOME on X11") << QByteArray() << QByteArray("x11") << QByteArray("GNOME")
                                      << QByteArray(":0") << "6.4.2" << QByteArray();
    }

    void plataforma() {
        QFETCH(QByteArray, qpa);
        QFETCH(QByteArray, sesion);
        QFETCH(QByteArray, escritorio);
        QFETCH(QByteArray, pantallaX);
        QFETCH(QString, qt);
        QFETCH(QByteArray, esperada);
        QCOMPARE(Plataforma::Preferida(qpa, sesion, escritorio, pantallaX,
                                       QVersionNumber::fromString(qt)),
                 esperada);
    }

    void cerrarTerminaElPrograma() {
        fQuorvel ventana;
        ventana.show();
        // A calculator that exists hidden does not keep the program alive.
        PulsarYDurante(Boton(&ventana, 1), [](QWidget *modal) {
            QTest::mouseClick(Control<QPushButton>(modal, "Command1"), Qt::LeftButton);
        });
        QVERIFY(Formularios::fIntensidad && !Formularios::fIntensidad->isVisible());
        QTimer::singleShot(0, &ventana,
                           [&] { QTest::mouseClick(Boton(&ventana, 2), Qt::LeftButton); });
        QCOMPARE(QApplication::exec(), 0);
    }

    void cerrarLaVentanaTerminaElPrograma() {
        fQuorvel ventana;
        ventana.show();
        PulsarYDurante(Boton(&ventana, 0), [](QWidget *modal) {
            QTest::mouseClick(Control<QPushButton>(modal, "Command1"), Qt::LeftButton);
        });
        QSignalSpy ultima(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, &ventana, [&] { ventana.close(); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(ultima.count(), 1);
    }
};

QTEST_MAIN(TstFQuorvel)
#include "tst_fquorvel.moc"
