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
    if (const std::optional<double> prueba = NumeroRegional::Convertir(u"1.3", locale)) {
        // Where "." groups digits the text reads as 13.
        const bool coma = *prueba > 10;
        SepDecimal = coma ? kComa : kPunto;
        SepAjeno = coma ? kPunto : kComa;
        return;
    }
    // A locale that reads "1.3" neither way groups digits with another character, and its
    // decimal separator may be neither "," nor "." either (the Arabic "٫"): the pair follows
    // the separator that its conversion takes, so that the keys type what it reads.
    const QString propio = locale.decimalPoint();
    const char16_t codigo = propio.size() == 1 ? propio.front().unicode() : u'.';
    SepDecimal = codigo <= 0x7FFF ? qint16(codigo) : kPunto;
    SepAjeno = SepDecimal == kPunto ? kComa : kPunto;
}

void FiltrarTecla(qint16 &KeyAscii) {
    // Both separator keys type the decimal separator: the one that is not it is SepAjeno,
    // and where the separator is neither of them, the comma key is turned too.
    const bool separadorPropio = SepDecimal != kComa && SepDecimal != kPunto;
    if (KeyAscii == SepAjeno || (separadorPropio && KeyAscii == kComa))
        KeyAscii = SepDecimal;
    if (KeyAscii == SepDecimal || KeyAscii == SepAjeno)
        return;
    const QString caracter{QChar(char16_t(quint16(KeyAscii)))};
    if (!NumeroRegional::EsNumero(caracter, QLocale()) && KeyAscii != kRetroceso)
        KeyAscii = 0;
}

} // namespace Module1
