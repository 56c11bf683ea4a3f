#include "model/Gases.h"

#include <algorithm>
#include <cmath>

namespace Gases {

namespace {
// The saturation-pressure equation of IAPWS-IF97 (the International Association for the
// Properties of Water and Steam, 1997), from which the CRC Handbook's table of the vapour
// pressure of water is computed: 2.3393 kPa at 20 °C, 101.42 kPa at 100 °C.
constexpr double kN[11] = {0.0,
                           0.11670521452767e4,
                           -0.72421316703206e6,
                           -0.17073846940092e2,
                           0.12020824702470e5,
                           -0.32325550322333e7,
                           0.14915108613530e2,
                           -0.48232657361591e4,
                           0.40511340542057e6,
                           -0.23855557567849,
                           0.65017534844798e3};
constexpr double kPascalesPorMegapascal = 1.0e6;

// Kelvin of a temperature in °C, or nothing when it is not a temperature a vessel can have.
double Kelvin(double dCelsius) {
    const double t = dCelsius + kCeroCelsius;
    // Far above the hottest flame (kTemperaturaMaxima) is no temperature either.
    return std::isfinite(t) && t > 0.0 && t < 1.0e4 ? t : 0.0;
}
} // namespace

double PresionVaporAgua(double dCelsius) {
    const double t =
        (std::isfinite(dCelsius) ? std::clamp(dCelsius, 0.0, 100.0) : 20.0) + kCeroCelsius;
    const double th = t + kN[9] / (t - kN[10]);
    const double a = th * th + kN[1] * th + kN[2];
    const double b = kN[3] * th * th + kN[4] * th + kN[5];
    const double c = kN[6] * th * th + kN[7] * th + kN[8];
    const double x = 2.0 * c / (-b + std::sqrt(b * b - 4.0 * a * c));
    return kPascalesPorMegapascal * x * x * x * x;
}

double VolumenMl(double dMoles, double dCelsius, double dPresion) {
    const double t = Kelvin(dCelsius);
    if (!(dMoles > 0.0) || !std::isfinite(dMoles) || t == 0.0 || !(dPresion > 0.0) ||
        !std::isfinite(dPresion))
        return 0.0;
    // m³ to ml
    const double v = dMoles * kR * t / dPresion * 1.0e6;
    return std::isfinite(v) ? v : 0.0;
}

double MolesEnVolumen(double dMl, double dCelsius, double dPresion) {
    const double t = Kelvin(dCelsius);
    if (!(dMl > 0.0) || !std::isfinite(dMl) || t == 0.0 || !(dPresion > 0.0) ||
        !std::isfinite(dPresion))
        return 0.0;
    const double n = dPresion * dMl * 1.0e-6 / (kR * t);
    return std::isfinite(n) ? n : 0.0;
}

} // namespace Gases
