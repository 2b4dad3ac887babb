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

#include <QAccessible>
#include <QComboBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

// The announcements made to screen readers while it lives, caught before they reach the
// platform's bridge, as "object: text".
class AnunciosEnviados {
public:
    AnunciosEnviados() { anterior = QAccessible::installUpdateHandler(&Recoger); }
    ~AnunciosEnviados() {
        QAccessible::installUpdateHandler(anterior);
        enviados().clear();
    }
    AnunciosEnviados(const AnunciosEnviados &) = delete;
    AnunciosEnviados &operator=(const AnunciosEnviados &) = delete;

    // What was announced since the last call, once what is pending has been made.
    QStringList tomar() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        return std::exchange(enviados(), {});
    }
    // Where a description change reaches no screen reader (UI Automation) and Qt can
    // announce, the texts; elsewhere nothing, for the description change says it.
    static QStringList esperados(const QStringList &textos) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) && !defined(Q_OS_LINUX)
        return textos;
#else
        Q_UNUSED(textos);
        return {};
#endif
    }

private:
    static QStringList &enviados() {
        static QStringList lista;
        return lista;
    }
    static void Recoger(QAccessibleEvent *evento) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (evento->type() == QAccessible::Announcement)
            enviados() << evento->object()->objectName() + QStringLiteral(": ") +
                              static_cast<QAccessibleAnnouncementEvent *>(evento)->message();
#else
        Q_UNUSED(evento);
#endif
    }
    QAccessible::UpdateHandler anterior = nullptr;
};

// What a desktop set to prefer dark hands the program through its platform theme.
inline QPalette PaletaOscura() {
    QPalette paleta(QColor(240, 240, 240), QColor(50, 50, 50));
    paleta.setColor(QPalette::Button, QColor(67, 67, 67));
    paleta.setColor(QPalette::Base, QColor(36, 36, 36));
    paleta.setColor(QPalette::Text, QColor(240, 240, 240));
    paleta.setColor(QPalette::ButtonText, QColor(240, 240, 240));
    return paleta;
}

// The contrast (WCAG) of the text that `control` draws on its own background: the commonest
// colour inside its border is the background, the one that stands out most is the text.
inline double ContrasteDelTexto(QWidget *control) {
    const auto luminancia = [](QRgb rgb) {
        const auto canal = [](int v) {
            const double c = v / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * canal(qRed(rgb)) + 0.7152 * canal(qGreen(rgb)) + 0.0722 * canal(qBlue(rgb));
    };
    const QImage imagen = control->grab(control->rect().adjusted(3, 3, -3, -3)).toImage();
    QHash<QRgb, int> cuenta;
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x)
            ++cuenta[imagen.pixel(x, y)];
    const QRgb fondo =
        std::max_element(cuenta.keyValueBegin(), cuenta.keyValueEnd(), [](auto a, auto b) {
            return a.second < b.second;
        })->first;
    const double b = luminancia(fondo);
    double mayor = 1;
    for (auto it = cuenta.keyBegin(); it != cuenta.keyEnd(); ++it) {
        const double a = luminancia(*it);
        mayor = std::max(mayor, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
    }
    return mayor;
}

// The visible captions of `ventana`, and `otros`, whose text stands below 4.5:1 on its
// background.
inline QStringList Ilegibles(QWidget *ventana, const QList<QWidget *> &otros = {}) {
    QList<QWidget *> controles = otros;
    for (QLabel *rotulo : ventana->findChildren<QLabel *>())
        if (rotulo->isVisible() && !rotulo->text().isEmpty())
            controles << rotulo;
    QStringList ilegibles;
    for (QWidget *control : controles)
        if (ContrasteDelTexto(control) < 4.5)
            ilegibles << control->objectName();
    return ilegibles;
}

// The visible boxes and lists of `ventana` that something covers at the middle of their
// left border, where a caption reaches under them.
inline QStringList CajasTapadas(QWidget *ventana) {
    QStringList tapadas;
    for (QWidget *control : ventana->findChildren<QWidget *>()) {
        if (!control->isVisible() ||
            !(qobject_cast<QLineEdit *>(control) || qobject_cast<QComboBox *>(control)))
            continue;
        const QRect r = control->geometry();
        QWidget *visto = control->parentWidget()->childAt(QPoint(r.left(), r.center().y()));
        if (visto != control && !control->isAncestorOf(visto))
            tapadas << control->objectName();
    }
    return tapadas;
}

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
