#include "model/Reversibles.h"

#include "model/AcidoBase.h"
#include "model/Catalogo.h"
#include "model/Seno.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Reversibles {

namespace {

// A concentration that is zero enters ln Q as this one (mol/L), so that an empty entry
// weighs as the smallest amount there could be and the quotient stays a finite number.
constexpr double kConcentracionMinima = 1e-300;
// Halvings of the interval of the extent: 2^-200 of it is far below a double's resolution.
constexpr int kIteraciones = 200;
// |ln Q - ln K| under which the reaction is at its equilibrium: a relative 1e-9 in Q, well
// above the rounding of the amounts it is computed from.
constexpr double kToleranciaLnQ = 1e-9;

double LnQ(const Termino* t, size_t n, double dLitros, double x) {
    double s = 0.0;
    for (size_t i = 0; i < n; ++i) {
        if (t[i].dExponente == 0.0)
            continue;
        const double c = (t[i].dMoles + t[i].dCambio * x) / dLitros;
        s += t[i].dExponente * std::log(c > kConcentracionMinima ? c : kConcentracionMinima);
    }
    return s;
}

} // namespace

double LnK(const CReversibleDatos& datos, double dTemperatura) {
    if (!(datos.m_dK25 > 0.0) || !std::isfinite(datos.m_dK25))
        return 0.0;
    const double dEntalpia = std::isfinite(datos.m_dEntalpia) ? datos.m_dEntalpia : 0.0;
    const double T = std::isfinite(dTemperatura) ? std::max(dTemperatura + kCeroKelvin, 1.0) : kT25;
    return std::log(datos.m_dK25) - dEntalpia * 1000.0 / kR * (1.0 / T - 1.0 / kT25);
}

double Extension(const Termino* t, size_t n, double dLitros, double dLnK) {
    bool bEnQ = false;
    // The room each way: forward until an entry consumed forward is spent, backward until
    // one made forward is.
    double dAdelante = std::numeric_limits<double>::infinity();
    double dAtras = std::numeric_limits<double>::infinity();
    bool bConsume = false, bProduce = false;
    for (size_t i = 0; i < n; ++i) {
        if (!std::isfinite(t[i].dMoles) || !std::isfinite(t[i].dCambio) ||
            !std::isfinite(t[i].dExponente))
            return 0.0;
        const double m = std::max(t[i].dMoles, 0.0);
        if (t[i].dCambio < 0.0) {
            dAdelante = std::min(dAdelante, m / -t[i].dCambio);
            bConsume = true;
        } else if (t[i].dCambio > 0.0) {
            dAtras = std::min(dAtras, m / t[i].dCambio);
            bProduce = true;
        }
        bEnQ = bEnQ || t[i].dExponente != 0.0;
    }
    // A reaction that takes nothing (or makes nothing) would create matter going that way.
    if (!bConsume)
        dAdelante = 0.0;
    if (!bProduce)
        dAtras = 0.0;
    if (!std::isfinite(dLnK) || (bEnQ && !(dLitros > 0.0 && std::isfinite(dLitros))))
        return 0.0;
    const double L = bEnQ ? dLitros : 1.0;
    const double f0 = LnQ(t, n, L, 0.0) - dLnK;
    if (std::fabs(f0) <= kToleranciaLnQ)
        return 0.0;
    // Q below K goes forward, above it backward. Q grows with the extent, so the lower end
    // of the interval always lies on the side of Q < K and the upper end on the other: the
    // end kept is the one short of the equilibrium, which the move never oversteps.
    const bool bHaciaAdelante = f0 < 0.0;
    double a = bHaciaAdelante ? 0.0 : -dAtras;
    double b = bHaciaAdelante ? dAdelante : 0.0;
    if (!(b > a))
        return 0.0;
    for (int k = 0; k < kIteraciones; ++k) {
        const double m = a + (b - a) / 2.0;
        if (!(m > a && m < b))
            break;
        if (LnQ(t, n, L, m) - dLnK < 0.0)
            a = m;
        else
            b = m;
    }
    const double x = bHaciaAdelante ? a : b;
    return std::isfinite(x) ? x : 0.0;
}

} // namespace Reversibles

namespace {

// The same reaction read from right to left: what a backward move takes and makes.
CReacciones Invertida(const CReacciones& R) {
    CReacciones I = R;
    for (int k = 0; k < 3; ++k) {
        std::swap(I.m_nReactivo[k], I.m_nProducto[k]);
        std::swap(I.m_nCoefReactivo[k], I.m_nCoefProducto[k]);
        std::swap(I.m_nFaseReactivo[k], I.m_nFaseProducto[k]);
    }
    return I;
}

} // namespace

double CSeno::AvanceReversible(int32_t nReaccion, bool* pbEnLimite) const {
    if (pbEnLimite)
        *pbEnLimite = false;
    const CCatalogo& cat = Cat();
    const CReacciones* pR = cat.Reaccion(nReaccion);
    if (!pR)
        return 0.0;
    const CReacciones& R = *pR;
    const CReversibleDatos& d = R.m_reversible;
    if (!(d.m_dK25 > 0.0) || !std::isfinite(d.m_dK25) || !(d.m_dRapidez > 0.0))
        return 0.0;
    // One term per entry: a component named in two slots of one phase nets them.
    Reversibles::Termino terminos[6];
    const CFase* fases[6] = {};
    int32_t componentes[6] = {};
    size_t n = 0;
    for (int nLado = 0; nLado < 2; ++nLado) {
        const bool bProducto = nLado == 1;
        for (int k = 0; k < 3; ++k) {
            const int32_t c = bProducto ? R.m_nProducto[k] : R.m_nReactivo[k];
            const int32_t nCoef = bProducto ? R.m_nCoefProducto[k] : R.m_nCoefReactivo[k];
            const int32_t nFase = bProducto ? R.m_nFaseProducto[k] : R.m_nFaseReactivo[k];
            if (!cat.Componente(c) || nCoef <= 0)
                continue;
            const CFase* f = FaseDeCodigo(nFase);
            // A slot with no phase to take from or to go to: the reaction does not run.
            if (!f)
                return 0.0;
            if (DelAire(c, nFase))
                continue;
            const bool bFuera = (d.m_nFueraDeQ >> (bProducto ? 3 + k : k)) & 1;
            const double dSigno = bProducto ? 1.0 : -1.0;
            size_t i = 0;
            while (i < n && !(fases[i] == f && componentes[i] == c))
                ++i;
            if (i == n) {
                fases[n] = f;
                componentes[n] = c;
                terminos[n].dMoles = f->Moles(c);
                ++n;
            }
            terminos[i].dCambio += dSigno * nCoef;
            if (nFase == FASE_IONIZADA && !bFuera)
                terminos[i].dExponente += dSigno * nCoef;
        }
    }
    const double L = m_faseLiquida.m_dVolumen * AcidoBase::kLitrosPorMl;
    double x = Reversibles::Extension(terminos, n, L, Reversibles::LnK(d, m_dTemperatura));
    x *= std::min(d.m_dRapidez, 1.0);
    // As for any reaction, a move that would take an amount past the file's bound is held.
    if (x != 0.0) {
        const double h = x > 0.0 ? Holgura(R) : Holgura(Invertida(R));
        if (std::fabs(x) > h) {
            x = x > 0.0 ? h : -h;
            if (pbEnLimite)
                *pbEnLimite = true;
        }
    }
    return std::isfinite(x) ? x : 0.0;
}

void CSeno::AplicarReversible(int32_t nReaccion, double dAvance) {
    const CCatalogo& cat = Cat();
    const CReacciones* pR = cat.Reaccion(nReaccion);
    if (!pR || dAvance == 0.0 || !std::isfinite(dAvance))
        return;
    const CReacciones& R = *pR;
    // The net change of each entry: a component named on both sides, or twice on one, moves
    // only the difference, which the extent was bounded by.
    CFase* fases[6] = {};
    int32_t componentes[6] = {};
    double cambios[6] = {};
    bool disueltos[6] = {};
    int n = 0;
    for (int nLado = 0; nLado < 2; ++nLado) {
        const bool bProducto = nLado == 1;
        for (int k = 0; k < 3; ++k) {
            const int32_t c = bProducto ? R.m_nProducto[k] : R.m_nReactivo[k];
            const int32_t nCoef = bProducto ? R.m_nCoefProducto[k] : R.m_nCoefReactivo[k];
            const int32_t nFase = bProducto ? R.m_nFaseProducto[k] : R.m_nFaseReactivo[k];
            CFase* f = FaseDeCodigo(nFase);
            if (!cat.Componente(c) || nCoef <= 0 || !f || DelAire(c, nFase))
                continue;
            int i = 0;
            while (i < n && !(fases[i] == f && componentes[i] == c))
                ++i;
            if (i == n) {
                fases[n] = f;
                componentes[n] = c;
                ++n;
            }
            cambios[i] += (bProducto ? 1.0 : -1.0) * nCoef * dAvance;
            disueltos[i] = disueltos[i] || nFase == FASE_IONIZADA;
        }
    }
    // What the move takes first, then what it makes.
    for (int i = 0; i < n; ++i) {
        if (!(cambios[i] < 0.0))
            continue;
        Consumir(*fases[i], componentes[i], -cambios[i]);
    }
    // What it makes in solution is dissolved, as if it had dissolved there: cooling does not
    // set it apart as a solid.
    for (int i = 0; i < n; ++i) {
        if (!(cambios[i] > 0.0))
            continue;
        CContenido* pEntrada = fases[i]->Buscar(componentes[i]);
        fases[i]->Agregar(componentes[i], cambios[i], UNIDAD_MOLES);
        if (!pEntrada)
            pEntrada = fases[i]->Buscar(componentes[i]);
        if (pEntrada && disueltos[i] && cat.Componente(componentes[i])->m_nEstado == ESTADO_SOLIDO)
            pEntrada->m_bDisuelto = 1;
    }
    // The reaction's enthalpy, kJ per mole of extent forward: an endothermic move cools what
    // the vessel holds.
    const double dEntalpia = R.m_reversible.m_dEntalpia;
    if (std::isfinite(dEntalpia))
        CalorDeLaQuimica(-dAvance * dEntalpia * 1000.0 / AcidoBase::kJuliosPorCaloria);
    m_faseLiquida.IonizarTodo();
}
