// Arithmetic of the currents and powers calculator: current from power and power from
// current for a supply kind, the check of a power factor, and each kind's defaults.
#pragma once

#include "input/Comprobacion.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace corrientes {

// I = P / ((raiz3 * U) * cosfi), in that order.
double CalcularIntensidad(double P, double U, double cosfi, double raiz3);
// P = ((I * raiz3) * U) * cosfi, in that order.
double CalcularPotencia(double I, double U, double cosfi, double raiz3);

// A power factor: greater than 0 and not greater than 1.
Comprobacion ComprobarCoseno(QStringView texto, const QLocale &locale);

// What choosing a supply kind brings.
struct Clase {
    double U;
    const char16_t *textoTension;
    double cosfi;
    double raiz3;
    bool cosenoVisible;
};

// Index of the list "Continúa", "Alterna monofásica", "Alterna trifásica"; nothing for no
// entry chosen.
std::optional<Clase> ClaseCorriente(int indice);

// Entries of the supply-kind list, in order.
inline constexpr const char16_t *kClases[] = {u"Continúa", u"Alterna monofásica",
                                              u"Alterna trifásica"};

// The mask of every result written into a box.
inline constexpr const char16_t *kMascara = u"0.0";

// The power factor that an alternating-current kind puts into its box (0,8 or 0.8).
QString TextoCosenoDefecto(const QLocale &locale);

} // namespace corrientes
