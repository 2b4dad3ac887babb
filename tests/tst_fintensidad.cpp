// The sections and voltage-drop window, driven as a user would: keys through the key filter,
// list choices, pastes, Escape and Enter, "Cerrar", the close box and reopening.
#include "input/Comprobacion.h"
#include "input/Module1.h"
#include "secciones/fIntensidad.h"
#include "tests/Apoyo.h"
#include "ui/Controles.h"
#include "ui/Disposicion.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <iterator>

namespace {

const QColor kGris(64, 64, 64);
const QColor kRojo(255, 0, 0);

// The five number boxes, in the order the checks list them.
const char *const kCajas[] = {"Tension", "longitud", "Potencia", "Seccion", "caida"};

// Replaces the box's text by typing, as a user who selects it all first; no keys empty it.
void Escribir(QLineEdit *caja, const QString &teclas) {
    caja->selectAll();
    if (teclas.isEmpty())
        QTest::keyClick(caja, Qt::Key_Backspace);
    else
        Teclear(caja, teclas);
}

// Replaces the box's text with a paste, which the key filter never sees.
void Pegar(QLineEdit *caja, const QString &texto, bool portapapeles) {
    if (!portapapeles) {
        caja->setText(texto);
        return;
    }
    QApplication::clipboard()->setText(texto);
    caja->selectAll();
    QTest::keyClick(caja, Qt::Key_V, Qt::ControlModifier);
}

// "1,000" or "1.000": a thousand with the test locale's grouping.
QString MilAgrupado() {
    return QStringLiteral("1") + QLocale().groupSeparator() + QStringLiteral("000");
}

bool MuestraNoFinito(const QString &texto) {
    return texto.contains(u"inf", Qt::CaseInsensitive) ||
           texto.contains(u"nan", Qt::CaseInsensitive) || texto.contains(u'∞');
}

} // namespace

class TstFIntensidad : public QObject {
    Q_OBJECT

    fIntensidad *ventana = nullptr;

    CajaNumero *caja(const char *nombre) { return Control<CajaNumero>(ventana, nombre); }
    CajaNumero *caja(const QString &nombre) { return caja(qPrintable(nombre)); }
    Lista *Clase() { return Control<Lista>(ventana, "Clase"); }
    Lista *Combo1() { return Control<Lista>(ventana, "Combo1"); }
    Etiqueta *caidamax() { return Control<Etiqueta>(ventana, "caidamax"); }
    QColor colorCaidaMaxima() { return caidamax()->palette().color(QPalette::WindowText); }
    QString mensaje() { return Control<QLabel>(ventana, "label2")->text(); }
    QPushButton *Cerrar() { return Control<QPushButton>(ventana, "Command1"); }

    // Escape is a shortcut of the window, which acts while the window is the active one; an
    // offscreen window is activated a little after it shows.
    bool activar() {
        ventana->activateWindow();
        return QTest::qWaitForWindowActive(ventana);
    }

    // The stored value that the box called `nombre` feeds.
    double &valor(const QString &nombre) {
        if (nombre == u"Tension")
            return ventana->U;
        if (nombre == u"longitud")
            return ventana->L;
        if (nombre == u"Potencia")
            return ventana->P;
        if (nombre == u"Seccion")
            return ventana->s;
        return ventana->e;
    }

    // What the window shows and holds, to tell that a refused edit changed nothing else.
    struct Estado {
        QStringList textos;
        QString caption;
        QColor color;
        double L = 0, U = 0, P = 0, e = 0, s = 0;
    };
    Estado estado() {
        Estado actual;
        actual.caption = caidamax()->text();
        actual.color = colorCaidaMaxima();
        actual.L = ventana->L;
        actual.U = ventana->U;
        actual.P = ventana->P;
        actual.e = ventana->e;
        actual.s = ventana->s;
        for (const char *nombre : kCajas)
            actual.textos << caja(nombre)->text();
        return actual;
    }
    // Compares all but the box `editada`, whose text is the refused one.
    void compararSalvo(const Estado &antes, const QString &editada) {
        const Estado ahora = estado();
        for (int i = 0; i < int(std::size(kCajas)); ++i) {
            if (editada != QLatin1String(kCajas[i]))
                QCOMPARE(ahora.textos[i], antes.textos[i]);
        }
        QCOMPARE(ahora.caption, antes.caption);
        QCOMPARE(ahora.color, antes.color);
        QCOMPARE(ahora.L, antes.L);
        QCOMPARE(ahora.U, antes.U);
        QCOMPARE(ahora.P, antes.P);
        QCOMPARE(ahora.e, antes.e);
        QCOMPARE(ahora.s, antes.s);
    }

    // The figures of the first load.
    void compararCarga() {
        QCOMPARE(caja("Tension")->text(), QStringLiteral("220"));
        QCOMPARE(caja("longitud")->text(), QStringLiteral("30"));
        QCOMPARE(caja("Potencia")->text(), QStringLiteral("2000"));
        QCOMPARE(caja("caida")->text(), QStringLiteral("6"));
        QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("1,62")));
        QCOMPARE(caidamax()->text(), Regional(QStringLiteral("Caída máxima: 6,60V")));
        QCOMPARE(colorCaidaMaxima(), kGris);
        QCOMPARE(Clase()->currentIndex(), 0);
        QCOMPARE(Clase()->currentText(), QStringLiteral("Continúa"));
        QCOMPARE(Combo1()->currentText(), QStringLiteral("Cobre"));
        QCOMPARE(mensaje(), QString());
        QCOMPARE(ventana->L, 30.0);
        QCOMPARE(ventana->U, 220.0);
        QCOMPARE(ventana->P, 2000.0);
        QCOMPARE(ventana->e, 6.0);
        QCOMPARE(ventana->AUX, 2.0);
        QCOMPARE(ventana->MAT, 56.0);
    }

private Q_SLOTS:
    void initTestCase() {
        UsarLocaleDePrueba();
        Module1::DetectarSeparador();
    }
    void init() { ventana = new fIntensidad; }
    void cleanup() {
        delete ventana;
        ventana = nullptr;
    }

    void antesDeCargar() {
        QCOMPARE(ventana->windowTitle(), QStringLiteral("Cálculo de intensidades"));
        QCOMPARE(ventana->size(), QSize(367, 208));
        QCOMPARE(ventana->size(), Disposicion::TwipsTamano(5505, 3120));
        QCOMPARE(ventana->minimumSize(), ventana->maximumSize());
        QVERIFY(ventana->isModal());
        QVERIFY(!ventana->cargada());
        QVERIFY(!ventana->findChild<QPushButton *>(QStringLiteral("Command1")));
    }

    void disposicion() {
        MientrasSeMuestra(*ventana, [&] {
            using Disposicion::Twips;
            QVERIFY(ventana->cargada());
            auto *Frame1 = Control<QGroupBox>(ventana, "Frame1");
            QVERIFY(Frame1);
            QWidget *superficie = Frame1->parentWidget();
            QVERIFY(superficie);
            QCOMPARE(superficie->parentWidget(), ventana);
            QCOMPARE(Frame1->geometry(), Twips(60, 420, 5412, 2172));
            QCOMPARE(Frame1->geometry(), QRect(4, 28, 361, 145));

            QPushButton *cerrar = Cerrar();
            QVERIFY(cerrar);
            QCOMPARE(cerrar->text(), QStringLiteral("Cerrar"));
            QCOMPARE(cerrar->parentWidget(), superficie);
            QCOMPARE(cerrar->geometry(), Twips(60, 2640, 5412, 432));

            QVERIFY(Clase());
            QCOMPARE(Clase()->parentWidget(), superficie);
            QCOMPARE(Clase()->geometry(), Twips(1800, 60, 3612, 336));
            QVERIFY(!Clase()->isEditable());
            const QStringList clases{QStringLiteral("Continúa"),
                                     QStringLiteral("Alterna monofásica"),
                                     QStringLiteral("Alterna trifásica")};
            for (int i = 0; i < clases.size(); ++i)
                QCOMPARE(Clase()->itemText(i), clases[i]);
            QCOMPARE(Clase()->count(), clases.size());

            QVERIFY(Combo1());
            QCOMPARE(Combo1()->parentWidget(), Frame1);
            QCOMPARE(Combo1()->geometry(), Twips(3720, 1320, 1572, 336));
            QVERIFY(!Combo1()->isEditable());
            const QStringList materiales{QStringLiteral("Cobre"), QStringLiteral("Aluminio"),
                                         QStringLiteral("Hierro")};
            QCOMPARE(Combo1()->count(), materiales.size());
            for (int i = 0; i < materiales.size(); ++i)
                QCOMPARE(Combo1()->itemText(i), materiales[i]);

            struct Caja {
                const char *nombre;
                int top;
            };
            const Caja cajas[] = {
                {"Tension", 240},  {"Potencia", 600}, {"longitud", 960},
                {"Seccion", 1320}, {"caida", 1680},
            };
            for (const Caja &c : cajas) {
                CajaNumero *control = caja(c.nombre);
                QVERIFY(control);
                QCOMPARE(control->parentWidget(), Frame1);
                QCOMPARE(control->geometry(), Twips(1680, c.top, 972, 360));
            }

            struct Rotulo {
                const char *nombre;
                QString texto;
                QRect rect;
                QWidget *padre;
                QWidget *control;
            };
            const Rotulo rotulos[] = {
                {"Label3", QStringLiteral("Material:"), Twips(2760, 1320, 948, 336), Frame1,
                 Combo1()},
                {"Labelcaida", QStringLiteral("Caída (V):"), Twips(180, 1680, 1524, 360), Frame1,
                 caja("caida")},
                {"LabelTension", QStringLiteral("Tensión (V):"), Twips(180, 240, 1524, 360), Frame1,
                 caja("Tension")},
                {"Labellongitud", QStringLiteral("Longitud (m):"), Twips(180, 960, 1524, 360),
                 Frame1, caja("longitud")},
                {"labelseccion", QStringLiteral("Sección (mm²):"), Twips(180, 1320, 1500, 348),
                 Frame1, caja("Seccion")},
                {"LabelPotencia", QStringLiteral("Potencia (W):"), Twips(180, 600, 1524, 360),
                 Frame1, caja("Potencia")},
                {"Label1", QStringLiteral("Tipo de corriente:"), Twips(60, 60, 1740, 348),
                 superficie, Clase()},
            };
            for (const Rotulo &r : rotulos) {
                QLabel *rotulo = Control<QLabel>(ventana, r.nombre);
                QVERIFY(rotulo);
                QCOMPARE(rotulo->text(), r.texto);
                QCOMPARE(rotulo->parentWidget(), r.padre);
                QCOMPARE(rotulo->geometry(), r.rect);
                QCOMPARE(rotulo->buddy(), r.control);
            }
            QCOMPARE(caja("Tension")->accessibleName(), QStringLiteral("Tensión (V)"));
            QCOMPARE(Clase()->accessibleName(), QStringLiteral("Tipo de corriente"));

            QVERIFY(caidamax());
            QCOMPARE(caidamax()->parentWidget(), Frame1);
            QCOMPARE(caidamax()->geometry(), Twips(2760, 1680, 2472, 372));
            QVERIFY(caidamax()->isVisibleTo(ventana));

            QLabel *label2 = Control<QLabel>(ventana, "label2");
            QVERIFY(label2);
            QCOMPARE(label2->parentWidget(), Frame1);
            QCOMPARE(label2->geometry(), Twips(2520, 2280, 36, 192));
            QVERIFY(!label2->isVisibleTo(ventana));
            QVERIFY(label2->y() >= Frame1->height());

            QLabel *logo = Control<QLabel>(ventana, "Image1");
            QVERIFY(logo);
            QCOMPARE(logo->parentWidget(), Frame1);
            QCOMPARE(logo->geometry(), Twips(2760, 240, 2484, 996));
            QVERIFY(!logo->pixmap().isNull());
            QVERIFY(logo->hasScaledContents());
            QCOMPARE(CajasTapadas(ventana), QStringList());
        });
    }

    void legibleConPaletaOscura() {
        // The captions keep the text colours of the grey the layout fixes (the maximum-drop
        // caption its dark grey); the boxes follow the desktop's palette.
        const QPalette antes = QApplication::palette();
        QApplication::setPalette(PaletaOscura());
        MientrasSeMuestra(*ventana, [&] {
            QCOMPARE(Ilegibles(ventana), QStringList());
            QCOMPARE(caja("caida")->palette().color(QPalette::Base), QColor(36, 36, 36));
        });
        QApplication::setPalette(antes);
    }

    void ordenDeTabulacion() {
        MientrasSeMuestra(*ventana, [&] {
            QCOMPARE(ventana->focusWidget(), Clase());
            const char *orden[] = {"longitud", "Command1", "Tension", "Potencia",
                                   "Seccion",  "caida",    "Combo1",  "Clase"};
            // The chain as the widgets keep it, among those that the Tab key reaches.
            QWidget *actual = Clase();
            for (const char *nombre : orden) {
                do
                    actual = actual->nextInFocusChain();
                while (!(actual->focusPolicy() & Qt::TabFocus) || !actual->isVisibleTo(ventana));
                QCOMPARE(actual->objectName(), QString::fromLatin1(nombre));
            }
            // And with the key itself.
            for (const char *nombre : orden) {
                QTest::keyClick(ventana->focusWidget(), Qt::Key_Tab);
                QCOMPARE(ventana->focusWidget()->objectName(), QString::fromLatin1(nombre));
            }
            // Backwards, with Shift+Tab.
            for (int i = int(std::size(orden)) - 2; i >= -1; --i) {
                QTest::keyClick(ventana->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
                const char *nombre = i >= 0 ? orden[i] : "Clase";
                QCOMPARE(ventana->focusWidget()->objectName(), QString::fromLatin1(nombre));
            }
            // Tabbing through the boxes changes nothing.
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("1,62")));
        });
    }

    void primeraCarga() {
        AnunciosEnviados anuncios;
        MientrasSeMuestra(*ventana, [&] {
            // Loading passes through an exceeded drop, which no longer stands once loaded.
            QCOMPARE(anuncios.tomar(), QStringList());
            compararCarga();
            QCOMPARE(ventana->focusWidget(), Clase());
        });
    }

    void claseDeCorriente() {
        MientrasSeMuestra(*ventana, [&] {
            Clase()->setListIndex(2);
            QCOMPARE(Clase()->currentText(), QStringLiteral("Alterna trifásica"));
            QCOMPARE(caja("Tension")->text(), QStringLiteral("380"));
            QCOMPARE(caidamax()->text(), Regional(QStringLiteral("Caída máxima: 11,40V")));
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("0,47")));
            QCOMPARE(colorCaidaMaxima(), kGris);
            QCOMPARE(ventana->U, 380.0);
            QCOMPARE(ventana->AUX, 1.0);

            // A voltage of the user's own, then back to direct current: its 220 returns.
            Escribir(caja("Tension"), QStringLiteral("400"));
            QCOMPARE(ventana->U, 400.0);
            QCOMPARE(caidamax()->text(), Regional(QStringLiteral("Caída máxima: 12,00V")));
            Clase()->setListIndex(0);
            QCOMPARE(caja("Tension")->text(), QStringLiteral("220"));
            QCOMPARE(ventana->U, 220.0);
            QCOMPARE(ventana->AUX, 2.0);
            QCOMPARE(caidamax()->text(), Regional(QStringLiteral("Caída máxima: 6,60V")));
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("1,62")));

            // Single phase reckons as direct current does, after a typed voltage too.
            Escribir(caja("Tension"), QStringLiteral("230"));
            QCOMPARE(ventana->U, 230.0);
            Clase()->setListIndex(1);
            QCOMPARE(caja("Tension")->text(), QStringLiteral("220"));
            QCOMPARE(ventana->AUX, 2.0);
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("1,62")));
        });
    }

    void claseConElTeclado() {
        MientrasSeMuestra(*ventana, [&] {
            QCOMPARE(ventana->focusWidget(), Clase());
            QTest::keyClick(Clase(), Qt::Key_Down);
            QTest::keyClick(Clase(), Qt::Key_Down);
            QCOMPARE(Clase()->currentIndex(), 2);
            QCOMPARE(caja("Tension")->text(), QStringLiteral("380"));
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("0,47")));
            QTest::keyClick(Clase(), Qt::Key_Up);
            QCOMPARE(Clase()->currentIndex(), 1);
            QCOMPARE(caja("Tension")->text(), QStringLiteral("220"));
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("1,62")));
        });
    }

    void caidaTecleada_data() {
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<double>("caida");
        QTest::addColumn<QColor>("color");
        QTest::newRow("7 excede") << "7" << Regional("1,4") << 7.0 << kRojo;
        QTest::newRow("6,6 con coma es el maximo") << "6,6" << Regional("1,5") << 6.6 << kGris;
        QTest::newRow("6.6 con punto es el maximo") << "6.6" << Regional("1,5") << 6.6 << kGris;
        QTest::newRow("6,61 excede") << "6,61" << Regional("1,5") << 6.61 << kRojo;
        QTest::newRow("3 no excede") << "3" << Regional("3,2") << 3.0 << kGris;
    }
    void caidaTecleada() {
        QFETCH(QString, teclas);
        QFETCH(QString, seccion);
        QFETCH(double, caida);
        QFETCH(QColor, color);
        MientrasSeMuestra(*ventana, [&] {
            AnunciosEnviados anuncios;
            Escribir(caja("caida"), teclas);
            QCOMPARE(anuncios.tomar(),
                     AnunciosEnviados::esperados(
                         color == kRojo ? QStringList{QStringLiteral("caida: Caída superada")}
                                        : QStringList()));
            QCOMPARE(caja("caida")->text(), Regional(QString(teclas).replace(u'.', u',')));
            QCOMPARE(ventana->e, caida);
            QCOMPARE(caja("Seccion")->text(), seccion);
            QCOMPARE(colorCaidaMaxima(), color);
            // The drop box, where the focus is, tells a screen reader what the colour shows.
            QCOMPARE(caja("caida")->accessibleDescription(),
                     color == kRojo ? QStringLiteral("Caída superada") : QString());
            QCOMPARE(mensaje(), QString());
        });
    }

    void caidaYLuegoTrifasica() {
        MientrasSeMuestra(*ventana, [&] {
            Escribir(caja("caida"), QStringLiteral("7"));
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("1,4")));
            QCOMPARE(colorCaidaMaxima(), kRojo);
            Clase()->setListIndex(2);
            // 7 V is under the 11,40 V of 380 V.
            QCOMPARE(colorCaidaMaxima(), kGris);
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("0,40")));
            QCOMPARE(caja("caida")->text(), QStringLiteral("7"));
            // And back: 7 V is over the 6,60 V of 220 V again.
            Clase()->setListIndex(0);
            QCOMPARE(colorCaidaMaxima(), kRojo);
        });
    }

    void seccionTecleada_data() {
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("caida");
        QTest::addColumn<QColor>("color");
        QTest::newRow("1,4755 muestra el maximo") << "1,4755" << Regional("6,60") << kGris;
        QTest::newRow("1.4755 con punto") << "1.4755" << Regional("6,60") << kGris;
        QTest::newRow("2,5") << "2,5" << Regional("3,90") << kGris;
        QTest::newRow("1") << "1" << Regional("9,74") << kRojo;
        QTest::newRow("1,4 excede") << "1,4" << Regional("6,96") << kRojo;
    }
    void seccionTecleada() {
        QFETCH(QString, teclas);
        QFETCH(QString, caida);
        QFETCH(QColor, color);
        MientrasSeMuestra(*ventana, [&] {
            Escribir(caja("Seccion"), teclas);
            const double s = QLocale().toDouble(caja("Seccion")->text());
            QCOMPARE(ventana->s, s);
            QCOMPARE(caja("caida")->text(), caida);
            QCOMPARE(colorCaidaMaxima(), color);
            QCOMPARE(ventana->e, (2.0 * 30 * 2000) / ((56.0 * s) * 220));
            QCOMPARE(mensaje(), QString());
        });
    }

    void caidaMostradaDecideElColor() {
        // 1,4755 mm² gives a drop just over 6,6 V, which the box shows rounded to 6,60: the
        // caption goes by what is shown.
        MientrasSeMuestra(*ventana, [&] {
            Escribir(caja("Seccion"), QStringLiteral("1,4755"));
            QCOMPARE(caja("caida")->text(), Regional(QStringLiteral("6,60")));
            QVERIFY2(ventana->e > 6.6, qPrintable(QString::number(ventana->e, 'g', 17)));
            QCOMPARE(colorCaidaMaxima(), kGris);
        });
    }

    void material_data() {
        QTest::addColumn<int>("indice");
        QTest::addColumn<QString>("material");
        QTest::addColumn<double>("conductividad");
        QTest::addColumn<QString>("seccion");
        QTest::newRow("cobre") << 0 << "Cobre" << 56.0 << Regional("1,62");
        QTest::newRow("aluminio") << 1 << "Aluminio" << 35.0 << Regional("2,60");
        QTest::newRow("hierro") << 2 << "Hierro" << 8.5 << Regional("10,70");
    }
    void material() {
        QFETCH(int, indice);
        QFETCH(QString, material);
        QFETCH(double, conductividad);
        QFETCH(QString, seccion);
        MientrasSeMuestra(*ventana, [&] {
            Combo1()->setListIndex(indice);
            QCOMPARE(Combo1()->currentText(), material);
            QCOMPARE(ventana->MAT, conductividad);
            QCOMPARE(caja("Seccion")->text(), seccion);
            QCOMPARE(caja("caida")->text(), QStringLiteral("6"));
        });
    }

    void materialConElTeclado() {
        MientrasSeMuestra(*ventana, [&] {
            Combo1()->setFocus();
            QTest::keyClick(Combo1(), Qt::Key_Down);
            QCOMPARE(Combo1()->currentText(), QStringLiteral("Aluminio"));
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("2,60")));
            QTest::keyClick(Combo1(), Qt::Key_Down);
            QCOMPARE(Combo1()->currentText(), QStringLiteral("Hierro"));
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("10,70")));
        });
    }

    void longitudVacia() {
        MientrasSeMuestra(*ventana, [&] {
            Escribir(caja("longitud"), QString());
            QCOMPARE(caja("longitud")->text(), QString());
            QCOMPARE(mensaje(), kValorNoNumerico);
            QCOMPARE(ventana->focusWidget(), caja("longitud"));
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("1,62")));
            QCOMPARE(ventana->L, 30.0);

            Teclear(caja("longitud"), QStringLiteral("5"));
            QCOMPARE(mensaje(), QString());
            QCOMPARE(ventana->L, 5.0);
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("0,27")));
        });
    }

    void ceroRechazado_data() {
        QTest::addColumn<QString>("nombre");
        for (const char *nombre : kCajas)
            QTest::newRow(nombre) << QString::fromLatin1(nombre);
    }
    void ceroRechazado() {
        QFETCH(QString, nombre);
        MientrasSeMuestra(*ventana, [&] {
            CajaNumero *editada = caja(nombre);
            const double anterior = valor(nombre);
            const Estado antes = estado();
            Escribir(editada, QStringLiteral("0"));
            QCOMPARE(editada->text(), QStringLiteral("0"));
            QCOMPARE(mensaje(), kValorNoNumerico);
            QCOMPARE(editada->accessibleDescription(), kValorNoNumerico);
            QCOMPARE(ventana->focusWidget(), editada);
            QCOMPARE(valor(nombre), anterior);
            compararSalvo(antes, nombre);
        });
    }

    void pegado_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("portapapeles");
        QTest::addColumn<bool>("aceptado");
        QTest::addColumn<double>("valor");
        QTest::newRow("negativo") << "Potencia"
                                  << "-5" << false << false << 2000.0;
        QTest::newRow("negativo con Ctrl+V") << "longitud"
                                             << "-5" << true << false << 30.0;
        QTest::newRow("fuera de rango") << "longitud"
                                        << "1e400" << false << false << 30.0;
        QTest::newRow("letras") << "Tension"
                                << "abc" << false << false << 220.0;
        QTest::newRow("letras con Ctrl+V") << "caida"
                                           << "abc" << true << false << 6.0;
        QTest::newRow("solo separador")
            << "Potencia" << QLocale().decimalPoint() << false << false << 2000.0;
        QTest::newRow("agrupado") << "Potencia" << MilAgrupado() << false << true << 1000.0;
        QTest::newRow("agrupado con Ctrl+V")
            << "Potencia" << MilAgrupado() << true << true << 1000.0;
        QTest::newRow("exponente") << "longitud"
                                   << "6e1" << false << true << 60.0;
    }
    void pegado() {
        QFETCH(QString, nombre);
        QFETCH(QString, texto);
        QFETCH(bool, portapapeles);
        QFETCH(bool, aceptado);
        QFETCH(double, valor);
        MientrasSeMuestra(*ventana, [&] {
            CajaNumero *editada = caja(nombre);
            const Estado antes = estado();
            Pegar(editada, texto, portapapeles);
            QCOMPARE(editada->text(), texto);
            QCOMPARE(this->valor(nombre), valor);
            if (!aceptado) {
                QCOMPARE(mensaje(), kValorNoNumerico);
                QCOMPARE(ventana->focusWidget(), editada);
                compararSalvo(antes, nombre);
                return;
            }
            QCOMPARE(mensaje(), QString());
            const double s = (2.0 * ventana->L * ventana->P) / ((56.0 * 6) * 220);
            QCOMPARE(ventana->s, s);
            QCOMPARE(caja("Seccion")->text(),
                     QLocale().toString(s, 'f', 2).remove(QLocale().groupSeparator()));
        });
    }

    void resultadoNoFinito_data() {
        QTest::addColumn<QString>("previa");
        QTest::addColumn<QString>("textoPrevio");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("texto");
        QTest::newRow("potencia enorme") << ""
                                         << ""
                                         << "Potencia"
                                         << "1e308";
        QTest::newRow("longitud enorme") << ""
                                         << ""
                                         << "longitud"
                                         << "1e307";
        QTest::newRow("tension diminuta") << ""
                                          << ""
                                          << "Tension"
                                          << "1e-320";
        QTest::newRow("seccion diminuta") << ""
                                          << ""
                                          << "Seccion"
                                          << "1e-320";
        QTest::newRow("caida diminuta") << ""
                                        << ""
                                        << "caida"
                                        << "1e-320";
        QTest::newRow("potencia enorme tras tension diminuta") << "Tension"
                                                               << "1e-300"
                                                               << "Potencia"
                                                               << "1e300";
        QTest::newRow("tension diminuta tras potencia enorme") << "Potencia"
                                                               << "1e300"
                                                               << "Tension"
                                                               << "1e-300";
        QTest::newRow("seccion diminuta tras potencia enorme") << "Potencia"
                                                               << "1e300"
                                                               << "Seccion"
                                                               << "1e-300";
    }
    void resultadoNoFinito() {
        QFETCH(QString, previa);
        QFETCH(QString, textoPrevio);
        QFETCH(QString, nombre);
        QFETCH(QString, texto);
        MientrasSeMuestra(*ventana, [&] {
            if (!previa.isEmpty()) {
                caja(previa)->setText(textoPrevio);
                QCOMPARE(mensaje(), QString()); // a large but finite result is accepted
                QCOMPARE(valor(previa), QLocale::c().toDouble(textoPrevio));
            }
            CajaNumero *editada = caja(nombre);
            const double anterior = valor(nombre);
            const Estado antes = estado();
            editada->setText(texto);
            QCOMPARE(mensaje(), kValorNoNumerico);
            QCOMPARE(valor(nombre), anterior);
            QCOMPARE(ventana->focusWidget(), editada);
            compararSalvo(antes, nombre);
            for (const char *otra : kCajas)
                QVERIFY2(!MuestraNoFinito(caja(otra)->text()), otra);
            QVERIFY(!MuestraNoFinito(caidamax()->text()));
            QVERIFY(std::isfinite(ventana->s) && std::isfinite(ventana->e));
        });
    }

    void escapeCierra_data() {
        QTest::addColumn<QString>("foco");
        QTest::newRow("en la lista de clases") << "Clase";
        QTest::newRow("en una caja") << "Tension";
        QTest::newRow("en la lista de materiales") << "Combo1";
        QTest::newRow("en el boton") << "Command1";
    }
    void escapeCierra() {
        QFETCH(QString, foco);
        bool oculta = false;
        MientrasSeMuestra(*ventana, [&] {
            QVERIFY(activar());
            Combo1()->setListIndex(1);
            QWidget *control = ventana->findChild<QWidget *>(foco);
            QVERIFY(control);
            control->setFocus();
            QCOMPARE(ventana->focusWidget(), control);
            QTest::keyClick(control, Qt::Key_Escape);
            oculta = !ventana->isVisible();
            // It was "Cerrar" that ran: the material goes back to copper.
            QCOMPARE(Combo1()->currentText(), QStringLiteral("Cobre"));
        });
        QVERIFY(oculta);
        QVERIFY(ventana->cargada());
    }

    void enterNoHaceNada_data() {
        QTest::addColumn<QString>("foco");
        QTest::addColumn<int>("tecla");
        QTest::newRow("Return en la lista de clases") << "Clase" << int(Qt::Key_Return);
        QTest::newRow("Return en una caja") << "Tension" << int(Qt::Key_Return);
        QTest::newRow("Enter en una caja") << "longitud" << int(Qt::Key_Enter);
        QTest::newRow("Return en el boton") << "Command1" << int(Qt::Key_Return);
        QTest::newRow("Enter en el boton") << "Command1" << int(Qt::Key_Enter);
    }
    void enterNoHaceNada() {
        QFETCH(QString, foco);
        QFETCH(int, tecla);
        MientrasSeMuestra(*ventana, [&] {
            QVERIFY(activar()); // where a dialog's default button would take Enter
            QWidget *control = ventana->findChild<QWidget *>(foco);
            QVERIFY(control);
            control->setFocus();
            const Estado antes = estado();
            QTest::keyClick(control, Qt::Key(tecla));
            QVERIFY(ventana->isVisible());
            compararSalvo(antes, QString());
            QCOMPARE(mensaje(), QString());
        });
    }

    void cerrarOcultaYConserva() {
        bool oculta = false;
        MientrasSeMuestra(*ventana, [&] {
            Clase()->setListIndex(2);
            Combo1()->setListIndex(1);
            Escribir(caja("longitud"), QStringLiteral("45"));
            QCOMPARE(ventana->L, 45.0);
            // 45 m of aluminium on 380 V.
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("1,13")));
            QTest::mouseClick(Cerrar(), Qt::LeftButton);
            oculta = !ventana->isVisible();
            // "Cerrar" leaves copper chosen and reckoned.
            QCOMPARE(Combo1()->currentText(), QStringLiteral("Cobre"));
            QCOMPARE(ventana->MAT, 56.0);
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("0,70")));
        });
        QVERIFY(oculta);
        QVERIFY(ventana->cargada());
        MientrasSeMuestra(*ventana, [&] {
            // Shown as left: the load step did not run again.
            QCOMPARE(caja("longitud")->text(), QStringLiteral("45"));
            QCOMPARE(ventana->L, 45.0);
            QCOMPARE(Clase()->currentText(), QStringLiteral("Alterna trifásica"));
            QCOMPARE(caja("Tension")->text(), QStringLiteral("380"));
            QCOMPARE(Combo1()->currentText(), QStringLiteral("Cobre"));
            QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("0,70")));
            QCOMPARE(caidamax()->text(), Regional(QStringLiteral("Caída máxima: 11,40V")));
        });
    }

    void cerrarConTensionRechazada() {
        bool oculta = false;
        MientrasSeMuestra(*ventana, [&] {
            Escribir(caja("Tension"), QString());
            QCOMPARE(mensaje(), kValorNoNumerico);
            QTest::mouseClick(Cerrar(), Qt::LeftButton);
            oculta = !ventana->isVisible();
        });
        QVERIFY(oculta);
        QCOMPARE(mensaje(), kValorNoNumerico);
        QCOMPARE(ventana->U, 220.0);
        QCOMPARE(Combo1()->currentText(), QStringLiteral("Cobre"));
        QCOMPARE(caja("Seccion")->text(), Regional(QStringLiteral("1,62")));
        MientrasSeMuestra(*ventana, [&] {
            QCOMPARE(caja("Tension")->text(), QString());
            Teclear(caja("Tension"), QStringLiteral("380"));
            QCOMPARE(mensaje(), QString());
            QCOMPARE(ventana->U, 380.0);
        });
    }

    void cajaDeCierreDescarga() {
        MientrasSeMuestra(*ventana, [&] {
            Clase()->setListIndex(2);
            Combo1()->setListIndex(2);
            Escribir(caja("longitud"), QStringLiteral("45"));
            Escribir(caja("caida"), QStringLiteral("9"));
            QVERIFY(ventana->close());
        });
        QVERIFY(!ventana->isVisible());
        QVERIFY(!ventana->cargada());
        QVERIFY(!ventana->findChild<QLineEdit *>(QStringLiteral("longitud")));
        MientrasSeMuestra(*ventana, [&] {
            QVERIFY(ventana->cargada());
            compararCarga();
            QCOMPARE(ventana->focusWidget(), Clase());
        });
    }
};

QTEST_MAIN(TstFIntensidad)
#include "tst_fintensidad.moc"
