#include "corrientes/Relaciones.h"

#include "input/NumeroRegional.h"

#include <cmath>

namespace corrientes {

namespace {
constexpr double kCosenoAlterna = 0.8;
}

double CalcularIntensidad(double P, double U, double cosfi, double raiz3) {
    return P / ((raiz3 * U) * cosfi);
}

double CalcularPotencia(double I, double U, double cosfi, double raiz3) {
    return ((I * raiz3) * U) * cosfi;
}

Comprobacion ComprobarCoseno(QStringView texto, const QLocale &locale) {
    const std::optional<double> numero = NumeroRegional::Convertir(texto, locale);
    if (!numero)
        return {0.0, kValorNoNumerico};
    if (*numero <= 0 || *numero > 1)
        return {0.0, kValorNoValido};
    return {*numero, {}};
}

std::optional<Clase> ClaseCorriente(int indice) {
    switch (indice) {
    case 0:
        return Clase{220, u"220", 1, 1, false};
    case 1:
        return Clase{220, u"220", kCosenoAlterna, 1, true};
    case 2:
        return Clase{380, u"380", kCosenoAlterna, std::sqrt(3.0), true};
    default:
        return std::nullopt;
    }
}

QString TextoCosenoDefecto(const QLocale &locale) {
    return NumeroRegional::FormatoGeneral(kCosenoAlterna, locale);
}

} // namespace corrientes
