#include "model/CambiosFase.h"

#include "model/Catalogo.h"
#include "model/Fase.h"
#include "model/Termica.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace CambiosFase {

// Every rule here runs over every entry on every step: components are looked up in the
// catalogue itself, whose lookup is inline.

namespace {

// Particles a dissolved formula unit counts for: never more than the file admits (10), so that
// data that came some other way cannot raise a boiling point to infinity.
double Particulas(const CComponentes& c) {
    constexpr double kMaximo = 10.0;
    return c.m_disolucion.m_dVantHoff > 0.0 ? std::min(c.m_disolucion.m_dVantHoff, kMaximo) : 1.0;
}

// The liquid as the vapour equilibrium sees it (Vapor.h), with the catalogue places of its
// volatile components: only when the practice gives vapour data for every liquid it holds
// (otherwise false, and the described rules apply). The dissolved solids are particles that
// do not evaporate; like the boiling-point rule, they stop counting with the last film of water.
bool LiquidoVapor(const CFase& fase, Vapor::Liquido& l,
                  std::array<int32_t, Vapor::kMaxComponentes>& lugares) {
    if (fase.m_nEstado != ESTADO_LIQUIDO || !(fase.m_dVolumen > 0.0))
        return false;
    const CCatalogo& cat = fase.Cat();
    if (cat.m_paresVapor.empty() &&
        std::none_of(cat.m_componentes.begin(), cat.m_componentes.end(),
                     [](const CComponentes& c) { return c.m_disolucion.TieneVapor(); }))
        return false;
    const bool bSolutos = fase.m_pAgua && fase.m_pAgua->m_dGramos >= CFase::kAguaMinimaElevacion;
    double dParticulas = 0.0;
    l.n = 0;
    for (const CContenido& e : fase.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c || !(e.m_dMoles > 0.0))
            continue;
        if (c->m_nEstado == ESTADO_LIQUIDO) {
            if (!c->m_disolucion.TieneVapor() || l.n == Vapor::kMaxComponentes)
                return false;
            const auto i = static_cast<size_t>(l.n++);
            l.x[i] = e.m_dMoles;
            l.d[i] = &c->m_disolucion;
            lugares[i] = e.m_nComponente;
        } else if (c->m_nEstado == ESTADO_SOLIDO && bSolutos) {
            dParticulas += e.m_dMoles * Particulas(*c);
        }
    }
    if (l.n == 0)
        return false;
    double dTotal = dParticulas;
    for (int i = 0; i < l.n; ++i)
        dTotal += l.x[static_cast<size_t>(i)];
    for (int i = 0; i < l.n; ++i) {
        const auto ui = static_cast<size_t>(i);
        l.x[ui] /= dTotal;
        for (int j = 0; j < l.n; ++j) {
            const auto uj = static_cast<size_t>(j);
            const int32_t a = lugares[ui], b = lugares[uj];
            if (a < b) {
                if (const CParVapor* p = cat.ParVapor(a, b)) {
                    l.a[ui][uj] = p->m_dAB;
                    l.a[uj][ui] = p->m_dBA;
                    l.bPar[ui][uj] = l.bPar[uj][ui] = true;
                }
            }
        }
    }
    return true;
}

// A component's latent heats act in a practice with a room (Termica.h), and only there.
bool Latente(const CCatalogo& cat, const CComponentes& c) {
    return c.m_termica.m_dFusion > 0.0 && cat.m_termica.Tiene();
}

double CalorDisolucion(const CCatalogo& cat, const CComponentes& c, double dMoles) {
    return cat.m_termica.Tiene() ? Termica::Calorias(dMoles, c.m_termica.m_dDisolucion) : 0.0;
}

// Moves dMoles of an entry across its melting point and marks it as the crossing does.
void Cruzar(CFase& origen, CFase& destino, const CComponentes& c, int32_t nComponente,
            double dMoles, bool bFundir) {
    const int32_t nEstadoCambiado = bFundir ? ESTADO_SOLIDO : ESTADO_LIQUIDO;
    int32_t CContenido::*pMarca = bFundir ? &CContenido::m_bFundido : &CContenido::m_bSolidificado;
    CContenido* d = origen.Mover(destino, nComponente, dMoles);
    if (d && c.m_nEstado == nEstadoCambiado && !(d->*pMarca)) {
        d->*pMarca = 1;
        double g = 0.0, ml = 0.0;
        c.MasaVolumen(dMoles, g, ml);
        destino.m_dVolumen += ml;
    }
}

// Melting and freezing are one rule run in two directions: every entry past its melting
// point moves a portion across, and a component that arrives in the other state for the
// first time is marked (molten or solidified), so that its volume now counts there.
int CruzarFusion(CFase& origen, CFase& destino, double dTemperatura, bool bFundir) {
    const CCatalogo& cat = origen.Cat();
    const int32_t nEstadoCambiado = bFundir ? ESTADO_SOLIDO : ESTADO_LIQUIDO;
    int32_t CContenido::*pMarca = bFundir ? &CContenido::m_bFundido : &CContenido::m_bSolidificado;
    const double dDescenso = bFundir || !origen.m_pAgua ? 0.0
                             : cat.Componente(0)
                                 ? cat.Componente(0)->m_dPuntoFusion - CongelacionAgua(origen)
                                 : 0.0;
    int nMovido = 0;
    for (CContenido& e : origen.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c || !(e.m_dMoles > 0.0) || Latente(cat, *c))
            continue;
        // Written so that a melting point that is no number melts and never freezes.
        const double dFusion = c->m_dPuntoFusion - (e.m_nComponente == 0 ? dDescenso : 0.0);
        const bool bCruza = bFundir ? !(c->m_dPuntoFusion > dTemperatura)
                                    : dFusion > dTemperatura && !e.m_bDisuelto;
        if (!bCruza)
            continue;
        const double x = std::min(e.m_dMoles, kPorcionFusion);
        CContenido* d = origen.Mover(destino, e.m_nComponente, x);
        if (d && c->m_nEstado == nEstadoCambiado && !(d->*pMarca)) {
            d->*pMarca = 1;
            double g = 0.0, ml = 0.0;
            c->MasaVolumen(x, g, ml);
            destino.m_dVolumen += ml;
        }
        nMovido = 1;
    }
    return nMovido;
}

} // namespace

int Fundir(CFase& origen, CFase& destino, double dTemperatura) {
    return CruzarFusion(origen, destino, dTemperatura, true);
}

int Congelar(CFase& origen, CFase& destino, double dTemperatura) {
    return CruzarFusion(origen, destino, dTemperatura, false);
}

int Evaporar(CFase& origen, CFase& destino, double dTemperatura) {
    const CCatalogo& cat = origen.Cat();
    int nMovido = 0;
    Vapor::Liquido l;
    std::array<int32_t, Vapor::kMaxComponentes> lugares{};
    if (LiquidoVapor(origen, l, lugares)) {
        // One portion of vapour, shared out as the partial pressures are: at the bubble point
        // they add up to the bench's pressure, so the portion leaves with the vapour's
        // composition; below it, less leaves.
        const auto p = Vapor::Parciales(l, dTemperatura + Vapor::kCeroCelsius);
        for (int i = 0; i < l.n; ++i) {
            const auto ui = static_cast<size_t>(i);
            const double x = std::min(kPorcionEvaporacion * p[ui] / Vapor::kAtmosfera,
                                      origen.Moles(lugares[ui]));
            if (!(x > 0.0) || !std::isfinite(x))
                continue;
            origen.Mover(destino, lugares[ui], x);
            nMovido = 1;
        }
        return nMovido;
    }
    const double dMolesFase = origen.MolesTotales();
    for (CContenido& e : origen.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c || !(e.m_dMoles > 0.0) || c->m_nEstado != ESTADO_LIQUIDO)
            continue;
        double x = std::min(e.m_dMoles, kPorcionEvaporacion);
        if (dTemperatura != c->m_dPuntoEbullicion) {
            if (!(dMolesFase > 0.0))
                continue;
            x *= c->FactorTemperatura(dTemperatura) * (e.m_dMoles / dMolesFase);
        }
        if (!(x > 0.0) || !std::isfinite(x))
            continue;
        origen.Mover(destino, e.m_nComponente, x);
        nMovido = 1;
    }
    return nMovido;
}

int Condensar(CFase& origen, CFase& destino, double dTemperatura, double dCantidad) {
    const CCatalogo& cat = origen.Cat();
    int nMovido = 0;
    for (CContenido& e : origen.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c || !(e.m_dMoles > 0.0) ||
            !(dTemperatura + kMargenCondensacion < c->m_dPuntoEbullicion))
            continue;
        origen.Mover(destino, e.m_nComponente, std::min(e.m_dMoles, dCantidad));
        nMovido = 1;
    }
    return nMovido;
}

int CondensarEn(CFase& origen, CFase& destino, double dMaximo) {
    const CCatalogo& cat = origen.Cat();
    int nMovido = 0;
    for (CContenido& e : origen.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c || !(e.m_dMoles > 0.0) || c->m_nEstado != ESTADO_LIQUIDO)
            continue;
        origen.Mover(destino, e.m_nComponente, std::min(e.m_dMoles, dMaximo));
        nMovido = 1;
    }
    return nMovido;
}

int Disolver(CFase& origen, CFase& destino, double dTemperatura, double dRapidez) {
    const CCatalogo& cat = origen.Cat();
    if (!destino.m_pAgua)
        return 0;
    if (dRapidez == 0.0)
        dRapidez = kRapidezDisolucion;
    int nMovido = 0;
    for (CContenido& e : origen.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c || !(e.m_dMoles > 0.0))
            continue;
        double s = e.Solubilidad(cat, destino.m_pAgua->m_dMl, dTemperatura) -
                   destino.Moles(e.m_nComponente);
        s = std::min(s, e.m_dMoles);
        if (!(s > 0.0))
            continue;
        const double x = std::min(s, dRapidez);
        CContenido* d = origen.Mover(destino, e.m_nComponente, x);
        if (d && c->m_nEstado == ESTADO_SOLIDO) {
            d->m_bDisuelto = 1;
            destino.m_dCalorCambios += CalorDisolucion(cat, *c, x);
        }
        nMovido = 1;
    }
    if (!(origen.m_dVolumen > 0.0))
        origen.m_dVolumen = 0.0;
    return nMovido;
}

int Precipitar(CFase& origen, CFase& destino, double dTemperatura) {
    const CCatalogo& cat = origen.Cat();
    int nMovido = 0;
    if (origen.m_pAgua) {
        for (CContenido& e : origen.m_listaContenido) {
            const CComponentes* c = cat.Componente(e.m_nComponente);
            if (!c || !(e.m_dMoles > 0.0) || c->m_nEstado != ESTADO_SOLIDO)
                continue;
            const double d = e.Solubilidad(cat, origen.m_pAgua->m_dMl, dTemperatura) -
                             origen.Moles(e.m_nComponente);
            if (d < 0.0) {
                const double x = std::min(-d, kPorcionPrecipitacion);
                origen.Mover(destino, e.m_nComponente, x);
                // What crystallises gives back the heat its dissolving took.
                origen.m_dCalorCambios -= CalorDisolucion(cat, *c, x);
                nMovido = 1;
            }
        }
    }
    // A molten solid cooled below its melting point sets again at the melting pace.
    for (CContenido& e : origen.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c || !(e.m_dMoles > 0.0) || !(c->m_dPuntoFusion > dTemperatura) || !e.m_bFundido ||
            Latente(cat, *c))
            continue;
        origen.Mover(destino, e.m_nComponente, std::min(e.m_dMoles, kPorcionFusion));
        nMovido = 1;
    }
    return nMovido;
}

int FusionLatente(CFase& solido, CFase& liquido, double& dTemperatura, double dCapacidad,
                  double* pCalor) {
    if (!(dCapacidad > 0.0) || !std::isfinite(dTemperatura))
        return 0;
    const CCatalogo& cat = solido.Cat();
    int nMovido = 0;
    // bFundir: the solid's entries above their point; else the liquid's below it.
    auto cruzar = [&](CFase& origen, CFase& destino, bool bFundir) {
        // Mover adds to the destination's list only: this one can be walked as it changes.
        for (CContenido& e : origen.m_listaContenido) {
            const CComponentes* c = cat.Componente(e.m_nComponente);
            if (!c || !(e.m_dMoles > 0.0) || !Latente(cat, *c) || (!bFundir && e.m_bDisuelto))
                continue;
            const double dPunto = c->m_dPuntoFusion;
            const double dExceso = bFundir ? dTemperatura - dPunto : dPunto - dTemperatura;
            if (!(dExceso > 0.0))
                continue;
            const double dPorMol = -Termica::Calorias(1.0, c->m_termica.m_dFusion);
            const double dHay = e.m_dMoles;
            const double x = std::min(dHay, dExceso * dCapacidad / dPorMol);
            if (!(x > 0.0) || !std::isfinite(x))
                continue;
            Cruzar(origen, destino, *c, e.m_nComponente, x, bFundir);
            const double q = x * dPorMol * (bFundir ? -1.0 : 1.0);
            // Where the heat sufficed, the change stops exactly at the point.
            dTemperatura = x < dHay ? dPunto : dTemperatura + q / dCapacidad;
            if (pCalor)
                *pCalor += q;
            nMovido = 1;
        }
    };
    cruzar(solido, liquido, true);
    cruzar(liquido, solido, false);
    return nMovido;
}

double TemperaturaEbullicion(const CFase& fase) {
    if (fase.m_nEstado != ESTADO_LIQUIDO || !(fase.m_dVolumen > 0.0))
        return kSinEbullicion;
    Vapor::Liquido l;
    std::array<int32_t, Vapor::kMaxComponentes> lugares{};
    if (LiquidoVapor(fase, l, lugares))
        return Vapor::PuntoBurbuja(l).dTemperatura;
    double t = kSinEbullicion;
    double s = 0.0;
    const CCatalogo& cat = fase.Cat();
    const CComponentes* pAgua = cat.Componente(0);
    for (const CContenido& e : fase.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c)
            continue;
        if (c->m_nEstado == ESTADO_SOLIDO)
            s += e.m_dMoles * Particulas(*c);
        else if (c->m_nEstado == ESTADO_LIQUIDO && e.m_dMoles > 0.0)
            t = std::min(t, c->m_dPuntoEbullicion);
    }
    // The elevation is a rule for solutions: with the water almost gone it would divide by
    // next to nothing and lift the boiling point (and the vessel) without bound, so below a
    // last film of water it is skipped.
    const CContenido* pEntradaAgua = fase.m_pAgua;
    if (pEntradaAgua && pAgua && t == pAgua->m_dPuntoEbullicion &&
        pEntradaAgua->m_dGramos >= CFase::kAguaMinimaElevacion)
        t += s / pEntradaAgua->m_dGramos * kElevacionEbullicion;
    return t;
}

double CongelacionAgua(const CFase& fase) {
    const CCatalogo& cat = fase.Cat();
    const CComponentes* pAgua = cat.Componente(0);
    const double dFusion = pAgua ? pAgua->m_dPuntoFusion : 0.0;
    const CContenido* w = fase.m_pAgua;
    if (fase.m_nEstado != ESTADO_LIQUIDO || !w || !(w->m_dGramos >= CFase::kAguaMinimaElevacion))
        return dFusion;
    double s = 0.0;
    bool bDatos = false;
    for (const CContenido& e : fase.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c || c->m_nEstado != ESTADO_SOLIDO || !(e.m_dMoles > 0.0))
            continue;
        s += e.m_dMoles * Particulas(*c);
        bDatos = bDatos || c->m_disolucion.m_dVantHoff > 0.0;
    }
    if (!bDatos)
        return dFusion;
    const double d = s / w->m_dGramos * kDescensoCongelacion;
    return std::isfinite(d) ? dFusion - d : dFusion;
}

int NivelEbullicion(double dTemperatura, double B) {
    const double H = kInicioEbullicion * B;
    if (!(B - H > 0.0))
        return -1;
    const double d = (dTemperatura - H) * kNivelesEbullicion / (B - H);
    return d >= kNivelesEbullicion ? kNivelesEbullicion : d > 0.0 ? static_cast<int>(d) : 0;
}

} // namespace CambiosFase
