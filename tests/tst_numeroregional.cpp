// The regional-number layer and the key filter, under the locale of the run.
#include "input/Module1.h"
#include "input/NumeroRegional.h"
#include "tests/Apoyo.h"

#include <cmath>
#include <limits>

using NumeroRegional::Convertir;
using NumeroRegional::EsNumero;
using NumeroRegional::Formatear;

namespace {
// Texts written with D for the decimal separator and G for the digit grouping of the locale.
QString Plantilla(QString texto) {
    const QLocale locale;
    return texto.replace(u'D', locale.decimalPoint()).replace(u'G', locale.groupSeparator());
}
} // namespace

class TstNumeroRegional : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { UsarLocaleDePrueba(); }

    void conversion_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("numero");
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("nombreLocale"); // empty: the locale of the run
        QTest::newRow("entero") << "4400" << true << 4400.0 << QString();
        QTest::newRow("decimal") << "2D5" << true << 2.5 << QString();
        QTest::newRow("separador al principio") << "D5" << true << 0.5 << QString();
        QTest::newRow("separador al final") << "5D" << true << 5.0 << QString();
        QTest::newRow("agrupado") << "1G300D5" << true << 1300.5 << QString();
        QTest::newRow("agrupado sin tres cifras") << "1G3" << true << 13.0 << QString();
        QTest::newRow("negativo") << "-5" << true << -5.0 << QString();
        QTest::newRow("positivo") << "+5" << true << 5.0 << QString();
        QTest::newRow("signo detrás") << "5-" << true << -5.0 << QString();
        QTest::newRow("exponente") << "1e3" << true << 1000.0 << QString();
        QTest::newRow("exponente D") << "25d-1" << true << 2.5 << QString();
        QTest::newRow("blancos alrededor") << "  7 " << true << 7.0 << QString();
        QTest::newRow("cero") << "0" << true << 0.0 << QString();
        QTest::newRow("diminuto") << "1e-400" << true << 0.0 << QString();
        QTest::newRow("vacío") << "" << false << 0.0 << QString();
        QTest::newRow("blancos") << "   " << false << 0.0 << QString();
        QTest::newRow("solo separador") << "D" << false << 0.0 << QString();
        QTest::newRow("solo signo") << "-" << false << 0.0 << QString();
        QTest::newRow("dos separadores") << "1D2D3" << false << 0.0 << QString();
        QTest::newRow("grupo al principio") << "G5" << false << 0.0 << QString();
        QTest::newRow("grupo al final") << "5G" << false << 0.0 << QString();
        QTest::newRow("grupo tras el separador") << "1D2G3" << false << 0.0 << QString();
        QTest::newRow("letra") << "a" << false << 0.0 << QString();
        QTest::newRow("cifra y letra") << "12a" << false << 0.0 << QString();
        QTest::newRow("exponente sin cifras") << "1e" << false << 0.0 << QString();
        QTest::newRow("exponente solo") << "e5" << false << 0.0 << QString();
        QTest::newRow("dos signos") << "--5" << false << 0.0 << QString();
        QTest::newRow("signo y blanco en medio") << "5 5" << false << 0.0 << QString();
        QTest::newRow("demasiado grande") << "1e400" << false << 0.0 << QString();
        QTest::newRow("demasiadas cifras") << QString(400, u'9') << false << 0.0 << QString();
        QTest::newRow("cifras árabes")
            << QString::fromUtf16(u"\u0661\u0662") << false << 0.0 << QString();
        QTest::newRow("infinito") << "inf" << false << 0.0 << QString();
        QTest::newRow("nan") << "nan" << false << 0.0 << QString();
        QTest::newRow("control") << QString::fromUtf16(u"5\u0007") << false << 0.0 << QString();
        // Arabic: its own separator "٫" and digit grouping "٬", and its own digits beside ours.
        QTest::newRow("ar_EG") << QString::fromUtf16(u"\u0661G\u06602\u0662D5") << true << 1022.5
                               << "ar_EG";
    }
    void conversion() {
        QFETCH(QString, texto);
        QFETCH(bool, numero);
        QFETCH(double, valor);
        QFETCH(QString, nombreLocale);
        const LocaleDeFila enVigor(nombreLocale);
        const QLocale locale;
        const QString real = Plantilla(texto);
        QCOMPARE(EsNumero(real, locale), numero);
        const std::optional<double> convertido = Convertir(real, locale);
        QCOMPARE(convertido.has_value(), numero);
        if (numero)
            QCOMPARE(*convertido, valor);
    }

    void moneda() {
        const QLocale locale;
        const QString simbolo = locale.currencySymbol();
        QCOMPARE(Convertir(simbolo + QStringLiteral("5"), locale), std::optional<double>(5));
        QCOMPARE(Convertir(QStringLiteral("5 ") + simbolo, locale), std::optional<double>(5));
        QCOMPARE(Convertir(QStringLiteral("-") + simbolo + QStringLiteral("5"), locale),
                 std::optional<double>(-5));
        QVERIFY(!EsNumero(simbolo, locale));
        QVERIFY(!EsNumero(simbolo + simbolo + QStringLiteral("5"), locale));
    }

    void unoPuntoTres() {
        // Where "." groups digits, "1.3" reads as thirteen.
        const std::optional<double> valor = Convertir(u"1.3", QLocale());
        QVERIFY(valor);
        QCOMPARE(*valor, LocaleConComa() ? 13.0 : 1.3);
    }

    void mascaras_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("mascara");
        QTest::addColumn<QString>("texto");
        QTest::newRow("9,09 a una cifra") << 2000.0 / 220 << "0.0"
                                          << "9D1";
        QTest::newRow("entero con decimal") << 1760.0 << "0.0"
                                            << "1760D0";
        QTest::newRow("sin agrupar") << 5265.434 << "0.0"
                                     << "5265D4";
        QTest::newRow("mitad hacia arriba") << 1.25 << "0.0"
                                            << "1D3";
        QTest::newRow("2,675 a dos cifras") << 2.675 << "0.00"
                                            << "2D68";
        QTest::newRow("1,005 a dos cifras") << 1.005 << "0.00"
                                            << "1D01";
        QTest::newRow("acarreo") << 9.96 << "0.0"
                                 << "10D0";
        QTest::newRow("acarreo largo") << 999.999 << "0.00"
                                       << "1000D00";
        QTest::newRow("cero a la izquierda") << 0.4699248 << "0.00"
                                             << "0D47";
        QTest::newRow("almohadilla") << 6.6 << "#0.00"
                                     << "6D60";
        QTest::newRow("once con cuarenta") << 11.4 << "#0.00"
                                           << "11D40";
        QTest::newRow("diminuto") << 1e-300 << "0.00"
                                  << "0D00";
        QTest::newRow("casi la mitad") << 0.049999 << "0.0"
                                       << "0D0";
        QTest::newRow("redondeo a cero sin signo") << -0.01 << "0.0"
                                                   << "0D0";
        QTest::newRow("negativo") << -2.25 << "0.0"
                                  << "-2D3";
        QTest::newRow("grande") << 1e20 << "0.0"
                                << "100000000000000000000D0";
        QTest::newRow("sin decimales") << 2.5 << "0"
                                       << "3";
    }
    void mascaras() {
        QFETCH(double, valor);
        QFETCH(QString, mascara);
        QFETCH(QString, texto);
        QCOMPARE(Formatear(valor, mascara, QLocale()), Plantilla(texto));
    }

    void formatoGeneral() {
        QCOMPARE(NumeroRegional::FormatoGeneral(0.8, QLocale()), Regional(QStringLiteral("0,8")));
        QCOMPARE(NumeroRegional::FormatoGeneral(220, QLocale()), QStringLiteral("220"));
    }

    void deteccion() {
        Module1::DetectarSeparador();
        QCOMPARE(Module1::SepDecimal, qint16(LocaleConComa() ? 44 : 46));
        QCOMPARE(Module1::SepAjeno, qint16(LocaleConComa() ? 46 : 44));
    }

    void deteccionSinPuntoNiComa() {
        // French groups digits with a narrow blank: "1.3" is no number there, and the pair
        // follows the locale's own decimal comma.
        const QLocale antes;
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        Module1::DetectarSeparador();
        QCOMPARE(Module1::SepDecimal, qint16(44));
        QCOMPARE(Module1::SepAjeno, qint16(46));
        QLocale::setDefault(antes);
        Module1::DetectarSeparador();
    }

    void filtro_data() {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("resultado");        // -1: the decimal separator; -2: unchanged
        QTest::addColumn<QString>("nombreLocale"); // empty: the locale of the run
        for (char c = '0'; c <= '9'; ++c)
            QTest::newRow(qPrintable(QStringLiteral("cifra %1").arg(c)))
                << int(c) << -2 << QString();
        QTest::newRow("coma") << 44 << -1 << QString();
        QTest::newRow("punto") << 46 << -1 << QString();
        QTest::newRow("retroceso") << 8 << -2 << QString();
        QTest::newRow("menos") << int('-') << 0 << QString();
        QTest::newRow("más") << int('+') << 0 << QString();
        QTest::newRow("blanco") << int(' ') << 0 << QString();
        QTest::newRow("a") << int('a') << 0 << QString();
        QTest::newRow("e") << int('e') << 0 << QString();
        QTest::newRow("E") << int('E') << 0 << QString();
        QTest::newRow("d") << int('d') << 0 << QString();
        QTest::newRow("D") << int('D') << 0 << QString();
        QTest::newRow("eñe") << 0xF1 << 0 << QString();
        QTest::newRow("a acentuada") << 0xE1 << 0 << QString();
        QTest::newRow("dólar") << int('$') << 0 << QString();
        QTest::newRow("euro") << 0x80 << 0 << QString();
        QTest::newRow("barra") << int('/') << 0 << QString();
        QTest::newRow("retorno") << 13 << 0 << QString();
        QTest::newRow("escape") << 27 << 0 << QString();
        QTest::newRow("tabulador") << 9 << 0 << QString();
        QTest::newRow("superíndice dos") << 0xB2 << 0 << QString();
        // Arabic reads only its own separator "٫": the comma key types it as well.
        QTest::newRow("ar_EG coma") << 44 << 0x066B << "ar_EG";
    }
    void filtro() {
        QFETCH(int, tecla);
        QFETCH(int, resultado);
        QFETCH(QString, nombreLocale);
        const LocaleDeFila enVigor(nombreLocale);
        qint16 KeyAscii = qint16(tecla);
        Module1::FiltrarTecla(KeyAscii);
        const int esperado =
            resultado == -1 ? Module1::SepDecimal : (resultado == -2 ? tecla : resultado);
        QCOMPARE(int(KeyAscii), esperado);
    }
};

QTEST_GUILESS_MAIN(TstNumeroRegional)
#include "tst_numeroregional.moc"
