#include "model/Cinetica.h"

#include "model/AcidoBase.h"
#include "model/Catalogo.h"
#include "model/Reversibles.h"
#include "model/Seno.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Cinetica {

namespace {

// The most the pseudo-first-order constant may change, relatively, over one sub-step; with
// the midpoint correction below the error per step is about its square.
constexpr double kCambioMaximo = 0.1;
// Sub-steps in one step at most: a tenth per sub-step covers some forty decades of a
// second-order decay; past that the last sub-step takes the time left.
constexpr int kSubpasos = 200;
// The largest exponent exp is given: e^700 is still a finite double.
constexpr double kExponenteMaximo = 700.0;

// The rate (extent per second) with x of extent made.
double Rapidez(const Reactivo* p, size_t n, double dLitros, double dK, double x) {
    double r = dK;
    for (size_t i = 0; i < n; ++i) {
        const double m = std::max(p[i].dMoles - p[i].dCoeficiente * x, 0.0);
        if (p[i].bDisuelto && p[i].dOrden == 0.0)
            continue;
        // A solid's surface grows with its factor at a given mass: the factor multiplies
        // the rate whatever the order of its shrinking.
        r *= p[i].bDisuelto ? std::pow(m / dLitros, p[i].dOrden)
                            : p[i].dFactor * std::pow(m, p[i].dOrden);
    }
    return r * dLitros;
}

} // namespace

double FactorSugerido(int32_t nForma) {
    switch (nForma) {
    case FORMA_POLVO:
        return kFactorPolvo;
    case FORMA_CINTA:
        return kFactorCinta;
    default:
        return kFactorTrozos;
    }
}

double Constante(const CCineticaDatos& d, double dTemperatura) {
    if (!(d.m_dK > 0.0) || !std::isfinite(d.m_dK))
        return 0.0;
    const double T = std::max(dTemperatura + Reversibles::kCeroKelvin, 1.0);
    const double T0 = std::isfinite(d.m_dTReferencia)
                          ? std::max(d.m_dTReferencia + Reversibles::kCeroKelvin, 1.0)
                          : Reversibles::kT25;
    const double Ea = std::isfinite(d.m_dEa) ? d.m_dEa : 0.0;
    const double e = -Ea * 1000.0 / Reversibles::kR * (1.0 / T - 1.0 / T0);
    const double k = d.m_dK * std::exp(std::clamp(e, -kExponenteMaximo, kExponenteMaximo));
    return std::isfinite(k) ? k : std::numeric_limits<double>::max();
}

double Avance(const Reactivo* p, size_t n, double dLitros, double dK, double dSegundos,
              double dMaximo) {
    if (!(dK > 0.0) || !(dSegundos > 0.0) || !(dMaximo > 0.0) || !std::isfinite(dMaximo))
        return 0.0;
    bool bDisuelto = false;
    double dTope = dMaximo;
    size_t nLimitante = n;
    for (size_t i = 0; i < n; ++i) {
        if (!(p[i].dCoeficiente > 0.0))
            continue;
        bDisuelto = bDisuelto || (p[i].bDisuelto && p[i].dOrden != 0.0);
        const double d = std::max(p[i].dMoles, 0.0) / p[i].dCoeficiente;
        if (d <= dTope) {
            dTope = d;
            nLimitante = i;
        }
    }
    if (!(dTope > 0.0))
        return 0.0;
    const double L = bDisuelto ? dLitros : 1.0;
    if (!(L > 0.0) || !std::isfinite(L))
        return 0.0;
    // What is left of the extent, rho, decays as d rho/dt = -R; lambda = R/rho is constant
    // in a first-order decay of the limiting reactant, which makes the exponential exact.
    const double dOrdenLimitante = nLimitante < n ? p[nLimitante].dOrden : 0.0;
    auto lambda = [&](double x) {
        const double rho = dTope - x;
        return rho > 0.0 ? Rapidez(p, n, L, dK, x) / rho : 0.0;
    };
    // How fast ln lambda changes with the extent at x.
    auto sensibilidad = [&](double x) {
        const double rho = dTope - x;
        double s = (dOrdenLimitante - 1.0) / rho;
        for (size_t i = 0; i < n; ++i) {
            if (i == nLimitante || p[i].dOrden == 0.0 || !(p[i].dCoeficiente > 0.0))
                continue;
            const double m = p[i].dMoles - p[i].dCoeficiente * x;
            if (m > 0.0)
                s += p[i].dOrden * p[i].dCoeficiente / m;
        }
        return std::fabs(s);
    };
    double x = 0.0, t = 0.0;
    for (int j = 0; j < kSubpasos && t < dSegundos; ++j) {
        const double rho = dTope - x;
        if (!(rho > 0.0))
            break;
        const double l0 = lambda(x);
        if (!std::isfinite(l0))
            return dTope; // faster than any step can show: all of it at once
        if (!(l0 > 0.0))
            break;
        double h = dSegundos - t;
        const double s = sensibilidad(x);
        if (j + 1 < kSubpasos && s * rho > kCambioMaximo) {
            const double hMax = -std::log1p(-kCambioMaximo / (s * rho)) / l0;
            h = std::min(h, hMax);
        }
        // Predictor to the middle of the sub-step, then the decay at the middle's constant.
        const double rho1 = rho * std::exp(-l0 * h);
        const double lm = lambda(x + 0.5 * (rho - rho1));
        const double l = std::isfinite(lm) && lm > 0.0 ? lm : l0;
        const double rhoN = rho * std::exp(-l * h);
        x = std::clamp(dTope - rhoN, x, dTope);
        t += h;
    }
    return std::isfinite(x) ? x : 0.0;
}

} // namespace Cinetica

double CSeno::AvanceCinetico(const CReacciones& R, double dMaximo) const {
    const CCatalogo& cat = Cat();
    const CCineticaDatos& d = R.m_cinetica;
    double k = Cinetica::Constante(d, m_dTemperatura);
    if (R.m_nCatalizador > 0 && MolesComponente(R.m_nCatalizador) > 0.0 &&
        std::isfinite(d.m_dFactorCatalizador) && d.m_dFactorCatalizador > 0.0)
        k = std::min(k * d.m_dFactorCatalizador, std::numeric_limits<double>::max());
    Cinetica::Reactivo r[3];
    size_t n = 0;
    for (int i = 0; i < 3; ++i) {
        const int32_t c = R.m_nReactivo[i];
        const int32_t nFase = R.m_nFaseReactivo[i];
        const int32_t nCoef = R.m_nCoefReactivo[i];
        const CComponentes* pC = cat.Componente(c);
        if (!pC || nCoef <= 0 || !FaseDeCodigo(nFase) || DelAire(c, nFase))
            continue;
        Cinetica::Reactivo& x = r[n++];
        x.dMoles = Disponible(c, nCoef, nFase) * nCoef;
        x.dCoeficiente = nCoef;
        x.dOrden = d.m_dOrden[static_cast<size_t>(i)];
        x.bDisuelto = nFase == FASE_IONIZADA || nFase == FASE_LIQUIDA;
        x.dFactor = pC->m_superficie.Tiene() ? pC->m_superficie.m_dFactor : 1.0;
    }
    const double L = m_faseLiquida.m_dVolumen * AcidoBase::kLitrosPorMl;
    return Cinetica::Avance(r, n, L, k, Cinetica::kSegundosPorPaso, dMaximo);
}
