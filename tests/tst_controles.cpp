// The controls' notifications and the calculator-window lifecycle, with a small window of
// the tests' own.
#include "input/Module1.h"
#include "tests/Apoyo.h"
#include "ui/Accesibilidad.h"
#include "ui/Controles.h"
#include "ui/VentanaCalculadora.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <utility>

namespace {

enum class Entrada { Teclas, Compuesta, DeUnaVez };

// A calculator window reduced to what the lifecycle needs: a box, "Cerrar", a load count.
class VentanaDePrueba : public VentanaCalculadora {
public:
    VentanaDePrueba() : VentanaCalculadora(QStringLiteral("Prueba"), QSize(200, 100)) {}
    int cargas = 0;
    QLineEdit *caja = nullptr;

protected:
    void CrearControles(QWidget *superficie) override {
        caja = new QLineEdit(QStringLiteral("inicial"), superficie);
        caja->setObjectName(QStringLiteral("caja"));
        auto *cerrar = new QPushButton(QStringLiteral("Cerrar"), superficie);
        cerrar->setObjectName(QStringLiteral("Command1"));
        cerrar->move(0, 50);
        connect(cerrar, &QPushButton::clicked, this, &QWidget::hide);
    }
    void Form_Load() override { ++cargas; }
};

// The descriptions the screen-reader layer sends, caught on their way to the bus, as
// "object: text".
class DescripcionesEnviadas {
public:
    DescripcionesEnviadas() {
        Accesibilidad::DesviarDescripciones([this](QObject *control, const QString &texto) {
            enviadas << control->objectName() + QStringLiteral(": ") + texto;
        });
    }
    ~DescripcionesEnviadas() { Accesibilidad::DesviarDescripciones({}); }
    DescripcionesEnviadas(const DescripcionesEnviadas &) = delete;
    DescripcionesEnviadas &operator=(const DescripcionesEnviadas &) = delete;

    // What was sent since the last call, where the layer is at work; nothing elsewhere, where
    // Qt's bridge sends the text itself and a second one would be said twice.
    QStringList tomar() { return std::exchange(enviadas, {}); }
    static QStringList esperadas(const QStringList &textos) {
        return Accesibilidad::PuenteIncompleto() ? textos : QStringList();
    }

private:
    QStringList enviadas;
};

} // namespace

Q_DECLARE_METATYPE(Entrada)

class TstControles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        UsarLocaleDePrueba();
        Module1::DetectarSeparador();
    }

    void tecleo_data() {
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("nombreLocale"); // empty: the locale of the run
        // How the characters arrive: as key presses, or as a browser or an on-screen keyboard
        // hands them over, composed text, one character at a time or all at once.
        QTest::addColumn<Entrada>("entrada");
        QTest::newRow("punto") << "2.5"
                               << "2,5" << QString() << Entrada::Teclas;
        QTest::newRow("coma") << "2,5"
                              << "2,5" << QString() << Entrada::Teclas;
        QTest::newRow("letra") << "2a5"
                               << "25" << QString() << Entrada::Teclas;
        QTest::newRow("signos") << "-5+"
                                << "5" << QString() << Entrada::Teclas;
        QTest::newRow("exponente") << "1e3"
                                   << "13" << QString() << Entrada::Teclas;
        QTest::newRow("dos separadores") << "1.2.3"
                                         << "1,2,3" << QString() << Entrada::Teclas;
        QTest::newRow("separador primero") << ".5"
                                           << ",5" << QString() << Entrada::Teclas;
        QTest::newRow("blanco") << "4 4"
                                << "44" << QString() << Entrada::Teclas;
        QTest::newRow("acento") << QString::fromUtf16(u"7é€8") << "78" << QString()
                                << Entrada::Teclas;
        // Every separator key types the Arabic "٫"; Arabic digits are digits there.
        QTest::newRow("ar_EG") << QString::fromUtf16(u"2\u0662.,\u066B5")
                               << QString::fromUtf16(u"2\u0662,,,5") << "ar_EG" << Entrada::Teclas;
        QTest::newRow("letra compuesta") << "4,5a."
                                         << "4,5," << QString() << Entrada::Compuesta;
        QTest::newRow("signos compuestos") << "-5+"
                                           << "5" << QString() << Entrada::Compuesta;
        QTest::newRow("de una vez") << "4.5a,"
                                    << "4,5," << QString() << Entrada::DeUnaVez;
        QTest::newRow("ar_EG compuesta")
            << QString::fromUtf16(u"2\u0662.,\u066B5") << QString::fromUtf16(u"2\u0662,,,5")
            << "ar_EG" << Entrada::Compuesta;
    }
    void tecleo() {
        QFETCH(QString, teclas);
        QFETCH(QString, texto);
        QFETCH(QString, nombreLocale);
        QFETCH(Entrada, entrada);
        const LocaleDeFila enVigor(nombreLocale);
        CajaNumero caja;
        connect(&caja, &CajaNumero::KeyPress, &caja, &Module1::FiltrarTecla);
        QSignalSpy cambios(&caja, &QLineEdit::textChanged);
        const auto componer = [&caja](const QString &trozo) {
            QInputMethodEvent evento;
            evento.setCommitString(trozo);
            QCoreApplication::sendEvent(&caja, &evento);
        };
        if (entrada == Entrada::Teclas)
            Teclear(&caja, teclas);
        else if (entrada == Entrada::DeUnaVez)
            componer(teclas);
        else
            for (const QChar c : teclas)
                componer(QString(c));
        QCOMPARE(caja.text(), Regional(texto));
        QCOMPARE(cambios.count(), caja.text().size());
    }

    void edicion() {
        CajaNumero caja;
        connect(&caja, &CajaNumero::KeyPress, &caja, &Module1::FiltrarTecla);
        QTest::keyClicks(&caja, QStringLiteral("123"));
        QTest::keyClick(&caja, Qt::Key_Backspace);
        QCOMPARE(caja.text(), QStringLiteral("12"));
        QTest::keyClick(&caja, Qt::Key_Left);
        QTest::keyClick(&caja, Qt::Key_Delete);
        QCOMPARE(caja.text(), QStringLiteral("1"));
        QTest::keyClick(&caja, Qt::Key_Return);
        QTest::keyClick(&caja, Qt::Key_Escape);
        QCOMPARE(caja.text(), QStringLiteral("1"));
        // The editing shortcuts are no typed characters.
        caja.setText(QStringLiteral("45"));
        QTest::keyClick(&caja, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(caja.selectedText(), QStringLiteral("45"));
        QTest::keyClick(&caja, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(caja.text(), QString());
        QTest::keyClick(&caja, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(caja.text(), QStringLiteral("45"));
        QTest::keyClick(&caja, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(caja.text(), QString());
        // A paste is not filtered: judging it is the window's business.
        QApplication::clipboard()->setText(QStringLiteral("-1e3"));
        QTest::keyClick(&caja, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(caja.text(), QStringLiteral("-1e3"));
    }

    void reemplazoSobreSeleccion() {
        CajaNumero caja;
        connect(&caja, &CajaNumero::KeyPress, &caja, &Module1::FiltrarTecla);
        caja.setText(QStringLiteral("999"));
        caja.selectAll();
        const char ajeno = Module1::SepAjeno == 46 ? '.' : ',';
        QTest::keyClick(&caja, ajeno);
        QCOMPARE(caja.text(), QLocale().decimalPoint());
    }

    void cambioSoloSiDifiere() {
        QLineEdit caja(QStringLiteral("220"));
        QSignalSpy cambios(&caja, &QLineEdit::textChanged);
        caja.setText(QStringLiteral("220"));
        QCOMPARE(cambios.count(), 0);
        caja.setText(QStringLiteral("380"));
        QCOMPARE(cambios.count(), 1);
    }

    void listaClick() {
        Lista lista;
        lista.addItems({QStringLiteral("a"), QStringLiteral("b")});
        QSignalSpy clics(&lista, &Lista::Click);
        lista.setListIndex(0);
        lista.setListIndex(0);
        QCOMPARE(clics.count(), 2);
        lista.setListIndex(-1);
        QCOMPARE(lista.currentIndex(), -1);
        QCOMPARE(clics.count(), 3);
        lista.setListIndex(0);
        lista.setFocus();
        QTest::keyClick(&lista, Qt::Key_Down);
        QCOMPARE(lista.currentIndex(), 1);
        QCOMPARE(clics.count(), 5);
        lista.setCurrentIndex(0); // a plain change of index is no click
        QCOMPARE(clics.count(), 5);
    }

    void descripcionesAlLector_data() {
        QTest::addColumn<QStringList>("mensajes"); // set one after another on the box
        QTest::addColumn<QStringList>("enviadas");
        const QString rechazo = QStringLiteral("Valor no númerico...");
        QTest::newRow("rechazo y valor válido")
            << QStringList{rechazo, QString()}
            << QStringList{QStringLiteral("caja: ") + rechazo, QStringLiteral("caja: ")};
        QTest::newRow("rechazo repetido")
            << QStringList{rechazo, rechazo} << QStringList{QStringLiteral("caja: ") + rechazo};
        QTest::newRow("nada que borrar") << QStringList{QString()} << QStringList();
    }
    void descripcionesAlLector() {
        QFETCH(QStringList, mensajes);
        QFETCH(QStringList, enviadas);
        CajaNumero caja;
        caja.setObjectName(QStringLiteral("caja"));
        DescripcionesEnviadas descripciones;
        for (const QString &mensaje : mensajes)
            caja.setMensaje(mensaje);
        QCOMPARE(descripciones.tomar(), DescripcionesEnviadas::esperadas(enviadas));
    }

    void listaDiceSuEntrada() {
        DescripcionesEnviadas descripciones;
        Lista lista;
        lista.setObjectName(QStringLiteral("lista"));
        lista.addItems({QStringLiteral("Continúa"), QStringLiteral("Alterna monofásica")});
        lista.setListIndex(0);
        lista.setFocus();
        QTest::keyClick(&lista, Qt::Key_Down);
        QTest::keyClick(&lista, Qt::Key_Up);
        QCOMPARE(descripciones.tomar(),
                 DescripcionesEnviadas::esperadas({QStringLiteral("lista: Continúa"),
                                                   QStringLiteral("lista: Alterna monofásica"),
                                                   QStringLiteral("lista: Continúa")}));
        lista.setListIndex(0); // the same entry again: nothing new to say
        QCOMPARE(descripciones.tomar(), QStringList());
        QAccessibleInterface *interfaz = QAccessible::queryAccessibleInterface(&lista);
        QCOMPARE(interfaz->text(QAccessible::Description),
                 Accesibilidad::PuenteIncompleto() ? QStringLiteral("Continúa") : QString());
    }

    void lectorLeeLaCajaEntera_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("220") << "220";
        QTest::newRow("9,1") << "9,1";
        QTest::newRow("2000") << "2000";
        QTest::newRow("6") << "6";
    }
    void lectorLeeLaCajaEntera() {
        if (!Accesibilidad::PuenteIncompleto())
            QSKIP("Qt's own bridge builds the line from the box's whole text");
        QFETCH(QString, texto);
        CajaNumero caja;
        caja.setText(Regional(texto));
        QAccessibleTextInterface *lector =
            QAccessible::queryAccessibleInterface(&caja)->textInterface();
        QVERIFY(lector);
        // The line a screen reader reads is put together from the attribute runs.
        QString leido;
        for (int i = 0; i < lector->characterCount();) {
            int inicio = -1, fin = -1;
            lector->attributes(i, &inicio, &fin);
            QVERIFY2(inicio <= i && fin > i,
                     qPrintable(QStringLiteral("%1: %2-%3").arg(i).arg(inicio).arg(fin)));
            leido += lector->text(i, fin);
            i = fin;
        }
        QCOMPARE(leido, Regional(texto));
        caja.selectAll();
        int inicio = -1, fin = -1;
        lector->selection(0, &inicio, &fin);
        QCOMPARE(lector->text(inicio, fin), Regional(texto));
    }

    void etiquetaChange() {
        Etiqueta etiqueta;
        QSignalSpy cambios(&etiqueta, &Etiqueta::Change);
        etiqueta.setCaption(QStringLiteral("uno"));
        etiqueta.setCaption(QStringLiteral("uno"));
        etiqueta.setCaption(QStringLiteral("dos"));
        QCOMPARE(cambios.count(), 2);
        QCOMPARE(etiqueta.text(), QStringLiteral("dos"));
    }

    void cerrarOcultaYConserva() {
        VentanaDePrueba ventana;
        MientrasSeMuestra(ventana, [&] {
            QVERIFY(ventana.isVisible());
            QVERIFY(ventana.isModal());
            QCOMPARE(QApplication::activeModalWidget(), &ventana);
            ventana.caja->setText(QStringLiteral("tecleado"));
            QTest::mouseClick(Control<QPushButton>(&ventana, "Command1"), Qt::LeftButton);
        });
        QVERIFY(!ventana.isVisible());
        QVERIFY(ventana.cargada());
        MientrasSeMuestra(ventana,
                          [&] { QCOMPARE(ventana.caja->text(), QStringLiteral("tecleado")); });
        QCOMPARE(ventana.cargas, 1);
    }

    void cajaDeCierreDescarga() {
        VentanaDePrueba ventana;
        MientrasSeMuestra(ventana, [&] {
            ventana.caja->setText(QStringLiteral("tecleado"));
            QVERIFY(ventana.close());
        });
        QVERIFY(!ventana.cargada());
        QVERIFY(!ventana.findChild<QLineEdit *>(QStringLiteral("caja")));
        MientrasSeMuestra(ventana,
                          [&] { QCOMPARE(ventana.caja->text(), QStringLiteral("inicial")); });
        QCOMPARE(ventana.cargas, 2);
    }

    void modalBloqueaLoDemas() {
        QWidget principal;
        auto *boton = new QPushButton(QStringLiteral("otro"), &principal);
        QSignalSpy pulsado(boton, &QPushButton::clicked);
        principal.show();
        VentanaDePrueba ventana;
        MientrasSeMuestra(ventana, [&] {
            QVERIFY(QApplication::activeModalWidget() == &ventana);
            // Through the window system, as a real click comes, so that modality applies.
            QTest::mouseClick(principal.windowHandle(), Qt::LeftButton, {},
                              boton->geometry().center());
        });
        QCOMPARE(pulsado.count(), 0);
        // The same click once the window is hidden reaches the button.
        QTest::mouseClick(principal.windowHandle(), Qt::LeftButton, {}, boton->geometry().center());
        QCOMPARE(pulsado.count(), 1);
    }

    void escapeYEnterNoCierran() {
        VentanaDePrueba ventana;
        MientrasSeMuestra(ventana, [&] {
            QTest::keyClick(&ventana, Qt::Key_Escape);
            QTest::keyClick(&ventana, Qt::Key_Return);
            QVERIFY(ventana.isVisible());
        });
    }
};

QTEST_MAIN(TstControles)
#include "tst_controles.moc"
