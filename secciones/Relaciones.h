// Arithmetic of the sections and voltage-drop calculator: cross-section from drop, drop
// from cross-section, the largest drop allowed and whether a drop exceeds it.
#pragma once

#include <QLocale>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace secciones {

// s = ((AUX * L) * P) / ((MAT * e) * U)
double CalcularSeccion(double AUX, double L, double P, double MAT, double e, double U);
// e = ((AUX * L) * P) / ((MAT * s) * U)
double CalcularCaida(double AUX, double L, double P, double MAT, double s, double U);
// 3 per cent of the voltage: (U * 3) / 100.
double CaidaMaxima(double U);
// True when the drop shown is strictly above the maximum for U.
bool CaidaExcedida(double caida, double U);
// "Caída máxima: 6,60V"
QString TextoCaidaMaxima(double U, const QLocale &locale);

struct Clase {
    double AUX;
    double U;
    const char16_t *textoTension;
};
std::optional<Clase> ClaseLinea(int indice);

inline constexpr const char16_t *kClases[] = {u"Continúa", u"Alterna monofásica",
                                              u"Alterna trifásica"};
inline constexpr const char16_t *kMateriales[] = {u"Cobre", u"Aluminio", u"Hierro"};

// Conductivity of the material at `indice` of the material list, in m/(Ω·mm²).
std::optional<double> Conductividad(int indice);

inline constexpr const char16_t *kMascaraSeccionDesdeCaida = u"0.0";
inline constexpr const char16_t *kMascaraResultado = u"0.00";
inline constexpr const char16_t *kMascaraCaidaMaxima = u"#0.00";

// Text colours of the maximum-drop caption, as 0xRRGGBB.
inline constexpr quint32 kColorExcedida = 0xFF0000;
inline constexpr quint32 kColorNormal = 0x404040;

} // namespace secciones
