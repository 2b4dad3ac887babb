#include "secciones/Relaciones.h"

#include "input/NumeroRegional.h"

namespace secciones {

double CalcularSeccion(double AUX, double L, double P, double MAT, double e, double U) {
    return ((AUX * L) * P) / ((MAT * e) * U);
}

double CalcularCaida(double AUX, double L, double P, double MAT, double s, double U) {
    return ((AUX * L) * P) / ((MAT * s) * U);
}

double CaidaMaxima(double U) {
    return (U * 3) / 100;
}

bool CaidaExcedida(double caida, double U) {
    return caida > CaidaMaxima(U);
}

QString TextoCaidaMaxima(double U, const QLocale &locale) {
    return QStringLiteral("Caída máxima: ") +
           NumeroRegional::Formatear(CaidaMaxima(U), kMascaraCaidaMaxima, locale) +
           QStringLiteral("V");
}

std::optional<Clase> ClaseLinea(int indice) {
    switch (indice) {
    case 0:
    case 1:
        return Clase{2, 220, u"220"};
    case 2:
        return Clase{1, 380, u"380"};
    default:
        return std::nullopt;
    }
}

std::optional<double> Conductividad(int indice) {
    static constexpr double kConductividades[] = {56, 35, 8.5};
    if (indice < 0 || indice > 2)
        return std::nullopt;
    return kConductividades[indice];
}

} // namespace secciones
