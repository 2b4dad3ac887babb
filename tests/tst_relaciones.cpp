// The arithmetic of both calculators: results bit for bit, checks and their messages, and
// the kinds' and materials' tables.
#include "corrientes/Relaciones.h"
#include "input/NumeroRegional.h"
#include "secciones/Relaciones.h"
#include "tests/Apoyo.h"

#include <cmath>

class TstRelaciones : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { UsarLocaleDePrueba(); }

    void intensidad_data() {
        QTest::addColumn<int>("clase");
        QTest::addColumn<double>("P");
        QTest::addColumn<double>("cosfi");
        QTest::addColumn<QString>("texto");
        QTest::newRow("continua") << 0 << 2000.0 << 1.0 << "9,1";
        QTest::newRow("monofásica") << 1 << 2000.0 << 0.8 << "11,4";
        QTest::newRow("trifásica") << 2 << 2000.0 << 0.8 << "3,8";
    }
    void intensidad() {
        QFETCH(int, clase);
        QFETCH(double, P);
        QFETCH(double, cosfi);
        QFETCH(QString, texto);
        const corrientes::Clase k = *corrientes::ClaseCorriente(clase);
        const double I = corrientes::CalcularIntensidad(P, k.U, cosfi, k.raiz3);
        QCOMPARE(I, P / ((k.raiz3 * k.U) * cosfi));
        QCOMPARE(NumeroRegional::Formatear(I, corrientes::kMascara, QLocale()), Regional(texto));
    }

    void potencia() {
        const double raiz3 = corrientes::ClaseCorriente(2)->raiz3;
        QCOMPARE(raiz3, 1.7320508075688772);
        const double trifasica = corrientes::CalcularPotencia(10, 380, 0.8, raiz3);
        QCOMPARE(trifasica, ((10 * raiz3) * 380) * 0.8);
        QCOMPARE(NumeroRegional::Formatear(trifasica, corrientes::kMascara, QLocale()),
                 Regional(QStringLiteral("5265,4")));
        QCOMPARE(NumeroRegional::Formatear(corrientes::CalcularPotencia(10, 220, 0.8, 1),
                                           corrientes::kMascara, QLocale()),
                 Regional(QStringLiteral("1760,0")));
        // Direct current is single-phase with the power factor held at 1.
        QCOMPARE(
            corrientes::CalcularIntensidad(2000, 220, 1, 1),
            corrientes::CalcularIntensidad(2000, 220, 1, corrientes::ClaseCorriente(1)->raiz3));
    }

    void comprobaciones_data() {
        QTest::addColumn<bool>("coseno");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("cos 1") << true << "1"
                               << "";
        QTest::newRow("cos 0") << true << "0"
                               << "Valor no válido...";
        QTest::newRow("cos 1,01") << true << "1,01"
                                  << "Valor no válido...";
        QTest::newRow("cos 0,0001") << true << "0,0001"
                                    << "";
        QTest::newRow("cos negativo") << true << "-0,5"
                                      << "Valor no válido...";
        QTest::newRow("cos vacío") << true << ""
                                   << "Valor no númerico...";
        QTest::newRow("cos letra") << true << "x"
                                   << "Valor no númerico...";
        QTest::newRow("cero") << false << "0"
                              << "Valor no númerico...";
        QTest::newRow("vacío") << false << ""
                               << "Valor no númerico...";
        QTest::newRow("separador") << false << ","
                                   << "Valor no númerico...";
        QTest::newRow("negativo") << false << "-5"
                                  << "Valor no númerico...";
        QTest::newRow("positivo") << false << "0,5"
                                  << "";
        QTest::newRow("enorme") << false << "1e999"
                                << "Valor no númerico...";
    }
    void comprobaciones() {
        QFETCH(bool, coseno);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        const QString real = Regional(texto);
        const Comprobacion c = coseno ? corrientes::ComprobarCoseno(real, QLocale())
                                      : ComprobarPositivo(real, QLocale());
        QCOMPARE(c.mensaje, mensaje);
        if (c.aceptada())
            QCOMPARE(c.valor, *NumeroRegional::Convertir(real, QLocale()));
    }

    void clases() {
        QCOMPARE(corrientes::ClaseCorriente(0)->cosenoVisible, false);
        QCOMPARE(corrientes::ClaseCorriente(1)->cosfi, 0.8);
        QCOMPARE(corrientes::ClaseCorriente(2)->U, 380.0);
        QVERIFY(!corrientes::ClaseCorriente(-1));
        QVERIFY(!corrientes::ClaseCorriente(3));
        QCOMPARE(corrientes::TextoCosenoDefecto(QLocale()), Regional(QStringLiteral("0,8")));
        QCOMPARE(secciones::ClaseLinea(1)->AUX, 2.0);
        QCOMPARE(secciones::ClaseLinea(2)->AUX, 1.0);
        QVERIFY(!secciones::ClaseLinea(-1));
        QCOMPARE(*secciones::Conductividad(2), 8.5);
        QVERIFY(!secciones::Conductividad(3));
    }

    void seccion_data() {
        QTest::addColumn<int>("clase");
        QTest::addColumn<int>("material");
        QTest::addColumn<double>("e");
        QTest::addColumn<QString>("mascara");
        QTest::addColumn<QString>("texto");
        QTest::newRow("cobre continua") << 0 << 0 << 6.0 << "0.00"
                                        << "1,62";
        QTest::newRow("cobre trifásica") << 2 << 0 << 6.0 << "0.00"
                                         << "0,47";
        QTest::newRow("aluminio") << 0 << 1 << 6.0 << "0.00"
                                  << "2,60";
        QTest::newRow("hierro") << 0 << 2 << 6.0 << "0.00"
                                << "10,70";
        QTest::newRow("caída 7") << 0 << 0 << 7.0 << "0.0"
                                 << "1,4";
    }
    void seccion() {
        QFETCH(int, clase);
        QFETCH(int, material);
        QFETCH(double, e);
        QFETCH(QString, mascara);
        QFETCH(QString, texto);
        const secciones::Clase k = *secciones::ClaseLinea(clase);
        const double MAT = *secciones::Conductividad(material);
        const double s = secciones::CalcularSeccion(k.AUX, 30, 2000, MAT, e, k.U);
        QCOMPARE(s, ((k.AUX * 30) * 2000) / ((MAT * e) * k.U));
        QCOMPARE(NumeroRegional::Formatear(s, mascara, QLocale()), Regional(texto));
    }

    void caida_data() {
        QTest::addColumn<double>("s");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("excedida");
        QTest::newRow("2,5") << 2.5 << "3,90" << false;
        QTest::newRow("1") << 1.0 << "9,74" << true;
        QTest::newRow("1,4755 se muestra 6,60") << 1.4755 << "6,60" << false;
    }
    void caida() {
        QFETCH(double, s);
        QFETCH(QString, texto);
        QFETCH(bool, excedida);
        const double e = secciones::CalcularCaida(2, 30, 2000, 56, s, 220);
        const QString mostrada =
            NumeroRegional::Formatear(e, secciones::kMascaraResultado, QLocale());
        QCOMPARE(mostrada, Regional(texto));
        QCOMPARE(secciones::CaidaExcedida(*NumeroRegional::Convertir(mostrada, QLocale()), 220),
                 excedida);
    }

    void caidaMaxima() {
        QCOMPARE(secciones::CaidaMaxima(220), (220.0 * 3) / 100);
        QCOMPARE(secciones::TextoCaidaMaxima(220, QLocale()),
                 Regional(QStringLiteral("Caída máxima: 6,60V")));
        QCOMPARE(secciones::TextoCaidaMaxima(380, QLocale()),
                 Regional(QStringLiteral("Caída máxima: 11,40V")));
        QVERIFY(!secciones::CaidaExcedida(6.6, 220));
        QVERIFY(secciones::CaidaExcedida(6.61, 220));
        QVERIFY(!secciones::CaidaExcedida(6, 220));
    }
};

QTEST_GUILESS_MAIN(TstRelaciones)
#include "tst_relaciones.moc"
