// Regional-number layer: reads a whole text as one number and prints a number through a
// format mask, the way a desktop spreadsheet does under the user's regional settings.
// The locale is always passed in, so that callers and tests decide which one is in force.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

namespace NumeroRegional {

// The number test: true when the whole text reads as one finite number under `locale`.
// Digits are "0" to "9" or the locale's own ("٢" in Arabic), and may carry the locale's digit
// grouping in their whole part, one decimal separator, an exponent (e, E, d or D with optional
// sign), a sign before or after them and the locale's currency sign beside them; surrounding blanks
// are ignored. An empty text, a lone separator or sign, and a value that a double cannot hold are
// not numbers.
bool EsNumero(QStringView texto, const QLocale &locale);

// The number conversion: the value of the text when EsNumero holds, nothing otherwise.
std::optional<double> Convertir(QStringView texto, const QLocale &locale);

// Formats with a mask made of '#', '0' and at most one '.': "0.0", "0.00", "#0.00".
// Rounds to the mask's decimals, half away from zero judged on the shortest decimal text
// that reads back as the same double; the locale's decimal separator, no grouping.
QString Formatear(double valor, QStringView mascara, const QLocale &locale);

// The general number form, without a mask: the shortest text that reads back as the same
// double (0.8 prints as "0,8" or "0.8").
QString FormatoGeneral(double valor, const QLocale &locale);

} // namespace NumeroRegional
