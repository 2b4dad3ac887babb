#include "input/NumeroRegional.h"

#include <charconv>
#include <cmath>
#include <string>

namespace NumeroRegional {
namespace {

// What the scanner makes of a text: the number in plain ASCII ("-12.5e3"), ready for
// std::from_chars, and the decimal magnitude of its first significant digit, which tells an
// overflow (a text too large for a double) from an underflow (a text that is just tiny).
struct Lectura {
    std::string ascii;
    long long magnitud = 0;
    bool todoCeros = true;
};

// The value of a digit, 0 to 9, or -1 for a character that is none. Besides "0" to "9",
// the digits of the locale's own number system count ("٢" where `cero` is "٠").
int cifra(QChar c, QChar cero) {
    for (const char16_t base : {u'0', cero.unicode()}) {
        if (c.unicode() >= base && c.unicode() - base <= 9)
            return c.unicode() - base;
    }
    return -1;
}

// Reads `prefijo` at `pos`, if it stands there and is not empty.
bool tomar(QStringView texto, qsizetype &pos, QStringView prefijo) {
    if (prefijo.isEmpty() || !texto.mid(pos).startsWith(prefijo))
        return false;
    pos += prefijo.size();
    return true;
}

void saltarBlancos(QStringView texto, qsizetype &pos) {
    while (pos < texto.size() && texto[pos].isSpace())
        ++pos;
}

// A sign at `pos`: +1 or -1, and 0 where there is none.
int tomarSigno(QStringView texto, qsizetype &pos, const QLocale &locale) {
    if (tomar(texto, pos, locale.negativeSign()) || tomar(texto, pos, u"-"))
        return -1;
    if (tomar(texto, pos, locale.positiveSign()) || tomar(texto, pos, u"+"))
        return 1;
    return 0;
}

std::optional<Lectura> leer(QStringView texto, const QLocale &locale) {
    const QString decimal = locale.decimalPoint();
    const QString grupo = locale.groupSeparator();
    const QString moneda = locale.currencySymbol();
    // A number system whose digits lie beyond 16 bits has none of its own here.
    const QString ceroLocal = locale.zeroDigit();
    const QChar cero = ceroLocal.size() == 1 ? ceroLocal.front() : QChar(u'0');
    const auto esDigito = [cero](QChar c) { return cifra(c, cero) >= 0; };

    qsizetype pos = 0;
    qsizetype fin = texto.size();
    while (fin > 0 && texto[fin - 1].isSpace())
        --fin;
    texto = texto.first(fin);
    saltarBlancos(texto, pos);

    // Before the digits: a sign and a currency sign, in either order.
    int signo = tomarSigno(texto, pos, locale);
    saltarBlancos(texto, pos);
    bool conMoneda = tomar(texto, pos, moneda);
    saltarBlancos(texto, pos);
    if (signo == 0 && conMoneda) {
        signo = tomarSigno(texto, pos, locale);
        saltarBlancos(texto, pos);
    }

    Lectura lectura;
    if (signo < 0)
        lectura.ascii += '-';
    long long digitosEnteros = 0; // whole-part digits after the leading zeros
    long long cerosTrasComa = 0;  // zeros between the separator and the first significant digit
    bool hayDigito = false;
    bool enFraccion = false;
    while (pos < texto.size()) {
        const QChar c = texto[pos];
        if (const int valor = cifra(c, cero); valor >= 0) {
            hayDigito = true;
            if (valor != 0)
                lectura.todoCeros = false;
            if (!enFraccion && !lectura.todoCeros)
                ++digitosEnteros;
            if (enFraccion && lectura.todoCeros)
                ++cerosTrasComa;
            lectura.ascii += char('0' + valor);
            ++pos;
        } else if (!enFraccion && tomar(texto, pos, decimal)) {
            enFraccion = true;
            lectura.ascii += '.';
        } else if (!enFraccion && hayDigito && !grupo.isEmpty() &&
                   texto.mid(pos).startsWith(grupo) && pos + grupo.size() < texto.size() &&
                   esDigito(texto[pos + grupo.size()])) {
            // Digit grouping counts only between digits of the whole part.
            pos += grupo.size();
        } else {
            break;
        }
    }
    if (!hayDigito)
        return std::nullopt;
    lectura.magnitud =
        lectura.todoCeros ? 0 : (digitosEnteros > 0 ? digitosEnteros : -cerosTrasComa);

    // An exponent, only right after the digits.
    if (pos < texto.size()) {
        const QChar c = texto[pos];
        if (c == u'e' || c == u'E' || c == u'd' || c == u'D') {
            qsizetype p = pos + 1;
            int signoExp = 1;
            if (p < texto.size() && (texto[p] == u'+' || texto[p] == u'-')) {
                signoExp = texto[p] == u'-' ? -1 : 1;
                ++p;
            }
            if (p < texto.size() && esDigito(texto[p])) {
                long long exponente = 0;
                std::string digitos;
                for (int valor; p < texto.size() && (valor = cifra(texto[p], cero)) >= 0;) {
                    exponente = std::min<long long>(exponente * 10 + valor, 1'000'000'000LL);
                    digitos += char('0' + valor);
                    ++p;
                }
                lectura.ascii += signoExp < 0 ? "e-" : "e";
                lectura.ascii += digitos;
                lectura.magnitud += signoExp * exponente;
                pos = p;
            }
        }
    }

    // After the digits: a currency sign and, where none came first, a sign.
    saltarBlancos(texto, pos);
    if (!conMoneda && tomar(texto, pos, moneda))
        saltarBlancos(texto, pos);
    if (signo == 0) {
        const int detras = tomarSigno(texto, pos, locale);
        if (detras < 0)
            lectura.ascii = '-' + lectura.ascii;
        saltarBlancos(texto, pos);
        if (detras != 0 && !conMoneda && tomar(texto, pos, moneda))
            saltarBlancos(texto, pos);
    }
    if (pos != texto.size())
        return std::nullopt;
    return lectura;
}

} // namespace

std::optional<double> Convertir(QStringView texto, const QLocale &locale) {
    const std::optional<Lectura> lectura = leer(texto, locale);
    if (!lectura)
        return std::nullopt;
    const std::string &s = lectura->ascii;
    double valor = 0.0;
#if __cpp_lib_to_chars >= 201611L
    const auto [fin, error] = std::from_chars(s.data(), s.data() + s.size(), valor);
    const bool fueraDeRango = error == std::errc::result_out_of_range;
    if (!fueraDeRango && (error != std::errc() || fin != s.data() + s.size()))
        return std::nullopt;
#else
    // The browser's C++ library has no std::from_chars for doubles yet. Qt's C-locale reading
    // rounds as exactly; the text is already plain ASCII of the form read above, so whatever
    // it refuses lies out of a double's range.
    bool ok = false;
    valor = QLocale::c().toDouble(QLatin1StringView(s.data(), qsizetype(s.size())), &ok);
    const bool fueraDeRango = !ok;
#endif
    if (fueraDeRango) {
        if (lectura->magnitud > 0)
            return std::nullopt; // too large for a double
        valor = 0.0;             // too small: it reads as zero
    }
    if (!std::isfinite(valor))
        return std::nullopt;
    return valor;
}

bool EsNumero(QStringView texto, const QLocale &locale) {
    return Convertir(texto, locale).has_value();
}

QString Formatear(double valor, QStringView mascara, const QLocale &locale) {
    if (!std::isfinite(valor))
        return QString();

    // The mask: '0' digits before the point are always shown, '#' only when significant;
    // after the point, '0' places are always shown and '#' places only when not zero.
    const qsizetype punto = mascara.indexOf(u'.');
    const QStringView entera = punto < 0 ? mascara : mascara.first(punto);
    const QStringView fraccion = punto < 0 ? QStringView() : mascara.mid(punto + 1);
    const int minEnteros = int(entera.count(u'0'));
    const int maxDecimales = int(fraccion.size());
    const int minDecimales = int(fraccion.count(u'0'));

    // The shortest decimal digits that read back as this double, and where the point goes.
    char buffer[64];
    const auto res = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(valor),
                                   std::chars_format::scientific);
    const std::string cientifico(buffer, res.ptr);
    const auto e = cientifico.find('e');
    std::string digitos;
    for (char c : cientifico.substr(0, e))
        if (c != '.')
            digitos += c;
    const int exponente = std::stoi(cientifico.substr(e + 1));
    int puntoEn = exponente + 1; // digits before the decimal point

    // Round to maxDecimales, half away from zero on those digits.
    const int conservar = puntoEn + maxDecimales;
    if (conservar < 0) {
        digitos.clear();
        digitos.push_back('0');
        puntoEn = 1;
    } else if (conservar < int(digitos.size())) {
        const bool arriba = digitos[std::size_t(conservar)] >= '5';
        digitos.resize(std::size_t(conservar));
        if (arriba) {
            int i = conservar - 1;
            while (i >= 0 && digitos[std::size_t(i)] == '9')
                digitos[std::size_t(i--)] = '0';
            if (i >= 0) {
                ++digitos[std::size_t(i)];
            } else {
                digitos = '1' + digitos;
                ++puntoEn;
            }
        }
    }

    std::string parteEntera;
    std::string parteDecimal;
    for (int i = 0; i < puntoEn; ++i)
        parteEntera += i < int(digitos.size()) ? digitos[std::size_t(i)] : '0';
    for (int i = puntoEn; i < puntoEn + maxDecimales; ++i)
        parteDecimal += (i >= 0 && i < int(digitos.size())) ? digitos[std::size_t(i)] : '0';
    parteEntera.erase(0, std::min(parteEntera.find_first_not_of('0'), parteEntera.size()));
    if (int(parteEntera.size()) < minEnteros)
        parteEntera = std::string(std::size_t(minEnteros) - parteEntera.size(), '0') + parteEntera;
    while (int(parteDecimal.size()) > minDecimales && parteDecimal.back() == '0')
        parteDecimal.pop_back();

    const bool cero = parteEntera.find_first_not_of('0') == std::string::npos &&
                      parteDecimal.find_first_not_of('0') == std::string::npos;
    QString texto;
    if (valor < 0 && !cero)
        texto += locale.negativeSign();
    texto += QString::fromLatin1(parteEntera);
    if (!parteDecimal.empty())
        texto += locale.decimalPoint() + QString::fromLatin1(parteDecimal);
    return texto;
}

QString FormatoGeneral(double valor, const QLocale &locale) {
    if (!std::isfinite(valor))
        return QString();
    char buffer[64];
    const auto res = std::to_chars(buffer, buffer + sizeof buffer, valor);
    QString texto;
    for (const char *c = buffer; c != res.ptr; ++c) {
        if (*c == '.')
            texto += locale.decimalPoint();
        else if (*c == '-' && c == buffer)
            texto += locale.negativeSign(); // the exponent keeps its plain sign, as it is read
        else if (*c == 'e')
            texto += u'E';
        else
            texto += QChar::fromLatin1(*c);
    }
    return texto;
}

} // namespace NumeroRegional
