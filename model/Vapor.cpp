#include "model/Vapor.h"

#include <algorithm>
#include <cmath>

namespace Vapor {

namespace {

// Bounds that keep every intermediate finite whatever the data: a vapour pressure of 1e100
// bar or an activity coefficient of e^50 is already far past anything that boils on a bench.
constexpr double kExponenteMaximo = 100.0;
constexpr double kLnGammaMaximo = 50.0;
constexpr double kSinPresion = -1.0e3; // ln of the vapour pressure of a liquid that has none

double Finito(double d, double dSiNo) {
    return std::isfinite(d) ? d : dSiNo;
}

// A mole fraction that is no number or not positive counts as none.
double Fraccion(const Liquido& l, int i) {
    const double x = l.x[static_cast<size_t>(i)];
    return x > 0.0 && std::isfinite(x) ? x : 0.0;
}

} // namespace

double Presion(const std::array<double, 3>& antoine, double T) {
    const double d = T + antoine[2];
    if (!(d > 0.0) || !(antoine[1] > 0.0))
        return 0.0;
    const double e = std::clamp(Finito(antoine[0] - antoine[1] / d, -kExponenteMaximo),
                                -kExponenteMaximo, kExponenteMaximo);
    return std::pow(10.0, e);
}

std::array<double, kMaxComponentes> Actividades(const Liquido& l, double T) {
    std::array<double, kMaxComponentes> g;
    g.fill(1.0);
    const int n = std::clamp(l.n, 0, kMaxComponentes);
    double s = 0.0;
    for (int i = 0; i < n; ++i)
        s += Fraccion(l, i);
    if (!(s > 0.0) || !std::isfinite(s) || !(T > 0.0))
        return g;
    std::array<double, kMaxComponentes> z{};
    for (int i = 0; i < n; ++i)
        z[static_cast<size_t>(i)] = Fraccion(l, i) / s;
    // Λ[i][j] = (Vj/Vi) exp(-a_ij/RT); 1 for a pair without data and on the diagonal.
    std::array<std::array<double, kMaxComponentes>, kMaxComponentes> L{};
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const auto ui = static_cast<size_t>(i), uj = static_cast<size_t>(j);
            double v = 1.0;
            if (i != j && l.bPar[ui][uj] && l.d[ui] && l.d[uj]) {
                const double r = l.d[uj]->m_dVolumenMolar / l.d[ui]->m_dVolumenMolar;
                const double e = std::clamp(Finito(-l.a[ui][uj] / (kR * T), 0.0), -kExponenteMaximo,
                                            kExponenteMaximo);
                v = Finito(r, 1.0) * std::exp(e);
                if (!(v > 0.0) || !std::isfinite(v))
                    v = 1.0;
            }
            L[ui][uj] = v;
        }
    std::array<double, kMaxComponentes> S{}; // Σj zj Λkj for each k
    for (int k = 0; k < n; ++k) {
        const auto uk = static_cast<size_t>(k);
        for (int j = 0; j < n; ++j)
            S[uk] += z[static_cast<size_t>(j)] * L[uk][static_cast<size_t>(j)];
    }
    for (int i = 0; i < n; ++i) {
        const auto ui = static_cast<size_t>(i);
        double t = 0.0;
        for (int k = 0; k < n; ++k) {
            const auto uk = static_cast<size_t>(k);
            if (S[uk] > 0.0)
                t += z[uk] * L[uk][ui] / S[uk];
        }
        const double lnG = S[ui] > 0.0 ? 1.0 - std::log(S[ui]) - t : 0.0;
        g[ui] = std::exp(std::clamp(Finito(lnG, 0.0), -kLnGammaMaximo, kLnGammaMaximo));
    }
    return g;
}

std::array<double, kMaxComponentes> Parciales(const Liquido& l, double T) {
    std::array<double, kMaxComponentes> p{};
    const std::array<double, kMaxComponentes> g = Actividades(l, T);
    for (int i = 0; i < std::clamp(l.n, 0, kMaxComponentes); ++i) {
        const auto ui = static_cast<size_t>(i);
        if (l.d[ui])
            p[ui] = Finito(Fraccion(l, i) * g[ui] * Presion(l.d[ui]->m_antoine, T), 0.0);
    }
    return p;
}

namespace {

double Total(const std::array<double, kMaxComponentes>& p) {
    double s = 0.0;
    for (double v : p)
        s += v;
    return s;
}

// ln(total vapour pressure / wanted pressure): negative below the bubble point.
double Exceso(const Liquido& l, double T, double lnP) {
    const double s = Total(Parciales(l, T));
    return s > 0.0 && std::isfinite(s) ? std::log(s) - lnP : kSinPresion;
}

} // namespace

Burbuja PuntoBurbuja(const Liquido& l, double dPresion) {
    if (!(dPresion > 0.0) || !std::isfinite(dPresion))
        dPresion = kAtmosfera;
    const double lnP = std::log(dPresion);
    double a = kTMinima, b = kTMaxima;
    double fa = Exceso(l, a, lnP), fb = Exceso(l, b, lnP);
    double T;
    if (fa >= 0.0) {
        T = a;
    } else if (fb <= 0.0) {
        T = b;
    } else {
        // Regula falsi with the Illinois halving, and a bisection whenever a step does not
        // shrink the bracket by half: a bracket that always holds the root, so it ends.
        T = 0.5 * (a + b);
        int nLado = 0;
        for (int i = 0; i < 200 && b - a > 1e-9; ++i) {
            const double ancho = b - a;
            double t = a - fa * (b - a) / (fb - fa);
            if (!(t > a && t < b))
                t = 0.5 * (a + b);
            const double ft = Exceso(l, t, lnP);
            T = t;
            if (std::fabs(ft) < 1e-13)
                break;
            if (ft < 0.0) {
                a = t;
                fa = ft;
                if (nLado == -1)
                    fb *= 0.5;
                nLado = -1;
            } else {
                b = t;
                fb = ft;
                if (nLado == 1)
                    fa *= 0.5;
                nLado = 1;
            }
            if (b - a > 0.5 * ancho) {
                const double m = 0.5 * (a + b);
                const double fm = Exceso(l, m, lnP);
                T = m;
                if (fm < 0.0) {
                    a = m;
                    fa = fm;
                } else {
                    b = m;
                    fb = fm;
                }
                nLado = 0;
            }
        }
    }
    Burbuja r;
    r.dTemperatura = T - kCeroCelsius;
    const std::array<double, kMaxComponentes> p = Parciales(l, T);
    const double s = Total(p);
    const int n = std::clamp(l.n, 0, kMaxComponentes);
    double sx = 0.0;
    for (int i = 0; i < n; ++i)
        sx += Fraccion(l, i);
    for (int i = 0; i < n; ++i) {
        const auto ui = static_cast<size_t>(i);
        if (s > 0.0 && std::isfinite(s))
            r.y[ui] = p[ui] / s;
        else if (sx > 0.0)
            r.y[ui] = Fraccion(l, i) / sx;
    }
    return r;
}

} // namespace Vapor
