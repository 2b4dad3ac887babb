// Order statistics of a set of timings, shared by the benchmarks.
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <vector>

namespace estadistica {

// The median; the mean of the two middle values for an even count, 0 for none.
inline double Mediana(std::vector<double> valores) {
    if (valores.empty())
        return 0;
    std::sort(valores.begin(), valores.end());
    const std::size_t n = valores.size();
    return n % 2 ? valores[n / 2] : (valores[n / 2 - 1] + valores[n / 2]) / 2;
}

// The nearest-rank percentile `p` (0 to 100): the smallest value that at least p per cent of
// the values do not exceed.
inline double Percentil(std::vector<double> valores, double p) {
    if (valores.empty())
        return 0;
    std::sort(valores.begin(), valores.end());
    const auto rango = static_cast<std::size_t>(std::ceil(p / 100.0 * double(valores.size())));
    return valores[std::clamp<std::size_t>(rango, 1, valores.size()) - 1];
}

inline double Maximo(const std::vector<double> &valores) {
    return valores.empty() ? 0 : *std::max_element(valores.begin(), valores.end());
}

} // namespace estadistica
