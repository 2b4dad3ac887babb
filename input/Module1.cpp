#include "input/Module1.h"

#include "input/NumeroRegional.h"

#include <QLocale>
#include <QString>

namespace Module1 {

qint16 SepDecimal = 0;
qint16 SepAjeno = 0;

namespace {
constexpr qint16 kComa = 44;
constexpr qint16 kPunto = 46;
constexpr qint16 kRetroceso = 8;
} // namespace

void DetectarSeparador() {
    const QLocale locale;
    const std::optional<double> prueba = NumeroRegional::Convertir(u"1.3", locale);
    // Where "." groups digits the text reads as 13. A locale that reads "1.3" neither way
    // (its grouping is another character) still has a decimal separator of its own: the
    // pair follows it then.
    const bool coma = prueba ? *prueba > 10 : locale.decimalPoint() == QLatin1String(",");
    SepDecimal = coma ? kComa : kPunto;
    SepAjeno = coma ? kPunto : kComa;
}

void FiltrarTecla(qint16 &KeyAscii) {
    if (KeyAscii == SepAjeno)
        KeyAscii = SepDecimal;
    if (KeyAscii == SepDecimal || KeyAscii == SepAjeno)
        return;
    const QString caracter{QChar(char16_t(quint16(KeyAscii)))};
    if (!NumeroRegional::EsNumero(caracter, QLocale()) && KeyAscii != kRetroceso)
        KeyAscii = 0;
}

} // namespace Module1
