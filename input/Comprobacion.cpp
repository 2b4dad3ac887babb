#include "input/Comprobacion.h"

#include "input/NumeroRegional.h"

#include <cmath>

bool ResultadoValido(double valor) {
    return std::isfinite(valor) && valor > 0;
}

Comprobacion ComprobarPositivo(QStringView texto, const QLocale &locale) {
    const std::optional<double> numero = NumeroRegional::Convertir(texto, locale);
    if (!numero || !(*numero > 0))
        return {0.0, kValorNoNumerico};
    return {*numero, {}};
}
