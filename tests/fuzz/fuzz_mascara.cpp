// Printing through a format mask, on arbitrary doubles: the first 8 input bytes are the
// value (non-finite ones are skipped). For each mask the windows use and under a comma
// locale, a point locale and the Arabic one, the text has no digit grouping, an optional minus
// sign, at least one whole digit and exactly the mask's decimals after the locale's separator, and
// it reads back within half a unit of the mask's last decimal of the value (plus a few ulps for
// values too large to hold that many decimals). The general form reads back exactly.
#include "input/NumeroRegional.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

void Exigir(bool condicion) {
    if (!condicion)
        __builtin_trap();
}

bool SoloCifras(QStringView texto) {
    for (const QChar c : texto) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !texto.isEmpty();
}

struct Mascara {
    const char16_t *texto;
    int decimales;
};
const Mascara kMascaras[] = {{u"0.0", 1}, {u"0.00", 2}, {u"#0.00", 2}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano) {
    if (tamano < sizeof(double))
        return 0;
    double valor;
    std::memcpy(&valor, datos, sizeof valor);
    if (!std::isfinite(valor))
        return 0;

    static const QLocale locales[] = {QLocale(QStringLiteral("es_ES")),
                                      QLocale(QStringLiteral("en_US")),
                                      QLocale(QStringLiteral("ar_EG"))};
    for (const QLocale &locale : locales) {
        const QString decimal = locale.decimalPoint();
        for (const Mascara &m : kMascaras) {
            const QString texto = NumeroRegional::Formatear(valor, QStringView(m.texto), locale);
            Exigir(!texto.contains(locale.groupSeparator()));

            QStringView resto(texto);
            if (resto.startsWith(locale.negativeSign()))
                resto = resto.mid(locale.negativeSign().size());
            const qsizetype punto = resto.indexOf(decimal);
            Exigir(punto > 0);
            Exigir(SoloCifras(resto.first(punto)));
            const QStringView fraccion = resto.mid(punto + decimal.size());
            Exigir(fraccion.size() == m.decimales && SoloCifras(fraccion));

            const std::optional<double> leido = NumeroRegional::Convertir(texto, locale);
            Exigir(leido.has_value());
            const double tolerancia =
                0.5 * std::pow(10.0, -m.decimales) + std::fabs(valor) * 4 * DBL_EPSILON;
            Exigir(std::fabs(*leido - valor) <= tolerancia);
        }

        const std::optional<double> general =
            NumeroRegional::Convertir(NumeroRegional::FormatoGeneral(valor, locale), locale);
        Exigir(general && *general == valor);
    }
    return 0;
}
