// The check that a typed quantity must pass before a calculator stores it: the number it
// holds, or the message that the window shows instead.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

inline const QString kValorNoNumerico = QStringLiteral("Valor no númerico...");
inline const QString kValorNoValido = QStringLiteral("Valor no válido...");

struct Comprobacion {
    double valor = 0.0;
    QString mensaje; // empty when the value is accepted

    bool aceptada() const { return mensaje.isEmpty(); }
};

// A computed quantity that a calculator may store and show: one that a double holds and that
// has not vanished to 0 (both possible with pasted extremes).
bool ResultadoValido(double valor);

// A voltage, current, power, length, drop or section: a number strictly greater than 0. A
// zero is reported with the same words as a text that is not a number.
Comprobacion ComprobarPositivo(QStringView texto, const QLocale &locale);
