// What the tests share: the locale under test, taken from QUORVEL_TEST_LOCALE (es_ES or
// en_US) and made the default, and texts written with a comma turned into that locale's.
#pragma once

#include "input/Module1.h"

#include <QLocale>
#include <QString>
#include <QtTest>

inline void UsarLocaleDePrueba() {
    const QString nombre = qEnvironmentVariable("QUORVEL_TEST_LOCALE", QStringLiteral("es_ES"));
    QLocale::setDefault(QLocale(nombre));
    QVERIFY2(QLocale().decimalPoint() == (nombre == u"en_US" ? u"." : u","), qPrintable(nombre));
}

// Makes the locale called `nombre` the default and settles the separator pair for it, until
// it goes out of scope; an empty name leaves the locale of the run.
class LocaleDeFila {
public:
    explicit LocaleDeFila(const QString &nombre) {
        if (!nombre.isEmpty())
            QLocale::setDefault(QLocale(nombre));
        Module1::DetectarSeparador();
    }
    ~LocaleDeFila() {
        QLocale::setDefault(anterior);
        Module1::DetectarSeparador();
    }
    LocaleDeFila(const LocaleDeFila &) = delete;
    LocaleDeFila &operator=(const LocaleDeFila &) = delete;

private:
    const QLocale anterior;
};

inline bool LocaleConComa() {
    return QLocale().decimalPoint() == u",";
}

// "9,1" as the locale under test shows it: "9,1" or "9.1".
inline QString Regional(QString texto) {
    return texto.replace(u',', QLocale().decimalPoint());
}

// The child control called `nombre`, of the kind asked for; fails the test when missing.
template <class T> T *Control(QObject *ventana, const char *nombre) {
    T *control = ventana->findChild<T *>(QString::fromLatin1(nombre));
    if (!control)
        qWarning("no control %s", nombre);
    return control;
}

#ifdef QT_WIDGETS_LIB
#include "ui/VentanaCalculadora.h"

#include <QTimer>
#include <QWidget>

// Runs `accion` while `ventana` is displayed modally; hides it afterwards if the action did
// not, so that a failed check cannot leave the test waiting.
template <class F> void MientrasSeMuestra(VentanaCalculadora &ventana, F accion) {
    QTimer::singleShot(0, &ventana, [&] {
        accion();
        if (ventana.isVisible())
            ventana.hide();
    });
    ventana.Mostrar(nullptr);
}

// Types `texto` into `control` one key press at a time, any character included (QTest's own
// key clicks know ASCII alone).
inline void Teclear(QWidget *control, const QString &texto) {
    for (const QChar c : texto) {
        const Qt::Key tecla = c.unicode() < 0x80 && c.isPrint()
                                  ? Qt::Key(QChar(c).toUpper().unicode())
                                  : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, control, tecla, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, control, tecla, QString(c), Qt::NoModifier);
    }
}
#endif
