#include "model/Equilibrio.h"

#include <algorithm>
#include <cmath>

namespace Equilibrio {
namespace {

// pKw of water at 0.1 MPa, CRC Handbook of Chemistry and Physics, "Ionization constant of
// water as a function of temperature and pressure" (Marshall and Franck); linear between.
constexpr std::array<std::array<double, 2>, 12> kTablaPKw{{{0.0, 14.947},
                                                           {10.0, 14.535},
                                                           {20.0, 14.167},
                                                           {25.0, 13.995},
                                                           {30.0, 13.830},
                                                           {40.0, 13.535},
                                                           {50.0, 13.262},
                                                           {60.0, 13.017},
                                                           {70.0, 12.800},
                                                           {80.0, 12.598},
                                                           {90.0, 12.422},
                                                           {100.0, 12.265}}};

// Gas constant, J/(mol·K) (CODATA), and 0 °C in kelvin.
constexpr double kR = 8.314462618;
constexpr double kCeroKelvin = 273.15;
// The search's bounds on log10 [H+] and its iterations: halving 23 units 80 times leaves an
// interval far below a double's resolution of the logarithm.
constexpr double kLogHMinimo = -20.0;
constexpr double kLogHMaximo = 3.0;
constexpr int kIteraciones = 80;

struct Preparado {
    double dC = 0.0;
    int nPasos = 0;
    int nCedidos = 0;
    std::array<double, 3> dKa{};
};

// Fractions of a system at [H+] h: form j (j protons given up) weighs h^(n-j)·Ka1·…·Kaj.
void Fracciones(const Preparado& p, double h, std::array<double, 4>& a) {
    std::array<double, 4> w{};
    std::array<double, 4> potencias{1.0, h, h * h, h * h * h};
    double dProducto = 1.0;
    for (int j = 0; j <= p.nPasos; ++j) {
        if (j > 0)
            dProducto *= p.dKa[static_cast<size_t>(j - 1)];
        w[static_cast<size_t>(j)] = potencias[static_cast<size_t>(p.nPasos - j)] * dProducto;
    }
    double dSuma = 0.0;
    for (int j = 0; j <= p.nPasos; ++j)
        dSuma += w[static_cast<size_t>(j)];
    a = {0.0, 0.0, 0.0, 0.0};
    for (int j = 0; j <= p.nPasos; ++j)
        a[static_cast<size_t>(j)] = dSuma > 0.0 ? w[static_cast<size_t>(j)] / dSuma : 0.0;
}

double Finito(double v, double dSiNo) {
    return std::isfinite(v) ? v : dSiNo;
}

} // namespace

double PKw(double dTemperatura) {
    const double t = Finito(dTemperatura, 25.0);
    if (t <= kTablaPKw.front()[0])
        return kTablaPKw.front()[1];
    for (size_t i = 1; i < kTablaPKw.size(); ++i) {
        if (t <= kTablaPKw[i][0]) {
            const auto& a = kTablaPKw[i - 1];
            const auto& b = kTablaPKw[i];
            return a[1] + (b[1] - a[1]) * (t - a[0]) / (b[0] - a[0]);
        }
    }
    return kTablaPKw.back()[1];
}

double PKa(double dPKa25, double dEntalpiaKJ, double dTemperatura) {
    // ln K(T) = ln K(25 °C) - ΔH/R·(1/T - 1/298.15), and pKa = -log10 Ka.
    const double t = std::clamp(Finito(dTemperatura, 25.0), 0.0, 100.0) + kCeroKelvin;
    const double dCambio =
        Finito(dEntalpiaKJ, 0.0) * 1000.0 / (kR * std::log(10.0)) * (1.0 / t - 1.0 / 298.15);
    return Finito(dPKa25 + dCambio, dPKa25);
}

std::array<double, 4> Fracciones(int nPasos, const std::array<double, 3>& pKa, double dPH) {
    Preparado p;
    p.nPasos = std::clamp(nPasos, 0, 3);
    // Scaled by a power of ten so that h stays near 1 and no product under- or overflows.
    const double dRef = std::clamp(Finito(dPH, 7.0), -30.0, 30.0);
    for (int k = 0; k < p.nPasos; ++k) {
        const double d = Finito(pKa[static_cast<size_t>(k)], dRef);
        p.dKa[static_cast<size_t>(k)] = std::pow(10.0, std::clamp(dRef - d, -90.0, 90.0));
    }
    std::array<double, 4> a{};
    Fracciones(p, 1.0, a);
    return a;
}

Solucion Resolver(const std::vector<Sistema>& sistemas, double dCargaFija, double dTemperatura) {
    const double dKw = std::pow(10.0, -PKw(dTemperatura));
    std::vector<Preparado> preparados;
    preparados.reserve(sistemas.size());
    for (const Sistema& s : sistemas) {
        Preparado p;
        p.nPasos = std::clamp(s.datos.m_nPasos, 0, 3);
        p.nCedidos = std::clamp(s.datos.m_nCedidos, 0, p.nPasos);
        p.dC = std::max(0.0, Finito(s.dConcentracion, 0.0));
        // A constant that is no number makes no system (the checks refuse it before).
        for (int k = 0; k < p.nPasos; ++k)
            if (std::isnan(s.datos.m_pKa[static_cast<size_t>(k)]))
                p.nPasos = p.nCedidos = 0;
        for (int k = 0; k < p.nPasos; ++k) {
            const auto i = static_cast<size_t>(k);
            // Constants beyond what any aqueous system has would only under- or overflow.
            const double dPKa = std::clamp(
                PKa(s.datos.m_pKa[i], s.datos.m_dEntalpia[i], dTemperatura), -10.0, 30.0);
            p.dKa[i] = std::pow(10.0, -dPKa);
        }
        preparados.push_back(p);
    }
    const double dFija = Finito(dCargaFija, 0.0);
    // Net positive charge at [H+] = h: rises with h, since every system holds more protons
    // and OH- falls; its root is the solution.
    std::array<double, 4> a{};
    auto carga = [&](double h) {
        double q = h - dKw / h + dFija;
        for (const Preparado& p : preparados) {
            if (p.nPasos == 0 || p.dC == 0.0)
                continue;
            Fracciones(p, h, a);
            double dMedia = 0.0;
            for (int j = 1; j <= p.nPasos; ++j)
                dMedia += j * a[static_cast<size_t>(j)];
            q += p.dC * (p.nCedidos - dMedia);
        }
        return q;
    };
    double dBajo = kLogHMinimo, dAlto = kLogHMaximo;
    for (int i = 0; i < kIteraciones && dAlto - dBajo > 1e-14; ++i) {
        const double dMedio = 0.5 * (dBajo + dAlto);
        if (carga(std::pow(10.0, dMedio)) > 0.0)
            dAlto = dMedio;
        else
            dBajo = dMedio;
    }
    Solucion r;
    const double dLogH = 0.5 * (dBajo + dAlto);
    r.dH = std::pow(10.0, dLogH);
    r.dOH = dKw / r.dH;
    r.dPH = -dLogH;
    r.fracciones.resize(sistemas.size());
    for (size_t i = 0; i < preparados.size(); ++i)
        Fracciones(preparados[i], r.dH, r.fracciones[i]);
    return r;
}

} // namespace Equilibrio
