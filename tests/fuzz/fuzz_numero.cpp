// The number test and the number conversion on arbitrary texts: the input read as UTF-8
// and, when it has an even number of bytes, as UTF-16, each under a comma locale, a point
// locale and one with a separator, digits and signs of its own (Arabic). Whatever the text, the
// test and the conversion agree, a number read is finite, blanks around it do not change it, and
// its general form reads back as the same double.
#include "input/NumeroRegional.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

void Exigir(bool condicion) {
    if (!condicion)
        __builtin_trap();
}

void Probar(const QString &texto) {
    static const QLocale locales[] = {QLocale(QStringLiteral("es_ES")),
                                      QLocale(QStringLiteral("en_US")),
                                      QLocale(QStringLiteral("ar_EG"))};
    for (const QLocale &locale : locales) {
        const std::optional<double> valor = NumeroRegional::Convertir(texto, locale);
        Exigir(NumeroRegional::EsNumero(texto, locale) == valor.has_value());
        if (!valor)
            continue;
        Exigir(std::isfinite(*valor));

        const QString rodeado = QStringLiteral(" ") + texto + QStringLiteral("\t ");
        const std::optional<double> conBlancos = NumeroRegional::Convertir(rodeado, locale);
        Exigir(conBlancos && *conBlancos == *valor);

        const QString general = NumeroRegional::FormatoGeneral(*valor, locale);
        const std::optional<double> vuelta = NumeroRegional::Convertir(general, locale);
        Exigir(vuelta && *vuelta == *valor && std::signbit(*vuelta) == std::signbit(*valor));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano) {
    Probar(QString::fromUtf8(reinterpret_cast<const char *>(datos), qsizetype(tamano)));
    if (tamano % 2 == 0) {
        QString utf16(qsizetype(tamano / 2), Qt::Uninitialized);
        if (tamano > 0)
            std::memcpy(utf16.data(), datos, tamano);
        Probar(utf16);
    }
    return 0;
}
