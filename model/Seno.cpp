#include "model/Seno.h"

#include "model/AcidoBase.h"
#include "model/Archivo.h"
#include "model/CambiosFase.h"
#include "model/Catalogo.h"
#include "model/Termica.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Moles of oxygen an open vessel can draw from the air in one step (see AvanceReaccion).
constexpr double kAireDisponible = 10.0;
// Heat a vessel gives to or takes from the room per sub-step, in the model's heat unit (the
// one in which water's specific heat is 1 per gram and degree: the calorie). The described
// program's cooling pace, not physical data: a vessel nears the room by 2 / C degrees a step.
constexpr double kCalorAmbiente = 2.0;
// A reaction's heat is given per unit of extent in thousands of the model's heat unit.
constexpr double kCalorPorUnidadReaccion = 1000.0;
} // namespace

CSeno::CSeno(const CCatalogo* pCatalogo)
    : m_faseLiquida(ESTADO_LIQUIDO, pCatalogo), m_faseSolida(ESTADO_SOLIDO, pCatalogo),
      m_faseGas(ESTADO_GAS, pCatalogo) {
    m_faseLiquida.m_pTemperatura = &m_dTemperatura;
}

void CSeno::Vincular(const CCatalogo* pCatalogo) {
    m_faseLiquida.m_pCatalogo = m_faseSolida.m_pCatalogo = m_faseGas.m_pCatalogo = pCatalogo;
    // What a vessel holds when it joins a practice is taken as it stands: its pH for the
    // engine, and no heat from the state it was in.
    if (AcidoBase::ConMotor(m_faseLiquida))
        AcidoBase::Equilibrar(m_faseLiquida, true);
}

void CSeno::Agregar(int32_t nComponente, double dCantidad, int32_t nUnidad) {
    const CComponentes* c = Cat().Componente(nComponente);
    if (!c)
        return;
    switch (c->m_nEstado) {
    case ESTADO_SOLIDO:
        m_faseSolida.Agregar(nComponente, dCantidad, nUnidad);
        break;
    case ESTADO_LIQUIDO:
        m_faseLiquida.Agregar(nComponente, dCantidad, nUnidad);
        break;
    case ESTADO_GAS:
        m_faseGas.Agregar(nComponente, dCantidad, nUnidad);
        break;
    default:
        break;
    }
}

int CSeno::Simular(int32_t nPasos) {
    int nCambio = 0;
    m_nReaccionEnLimite = -1;
    for (int32_t i = 0; i < nPasos; ++i) {
        nCambio |= DisolverSolidos(0.0);
        if (!m_bCalentado)
            nCambio |= AjustarTemperatura();
        nCambio |= Reaccionar();
        nCambio |= EquilibrioIonico();
        nCambio |= CambiosLatentes();
    }
    return nCambio;
}

bool CSeno::ConAmbiente() const {
    return Cat().m_termica.Tiene();
}

double CSeno::CapacidadTermica() const {
    if (!ConAmbiente())
        return m_faseSolida.CapacidadCalorifica() + m_faseLiquida.CapacidadCalorifica();
    const double dPropia =
        std::isfinite(m_dCapacidadPropia) ? std::max(m_dCapacidadPropia, 0.0) : 0.0;
    return m_faseSolida.CapacidadContenido() + m_faseLiquida.CapacidadContenido() + dPropia;
}

bool CSeno::EnfriarHaciaAmbiente() {
    const CTermicaPractica& t = Cat().m_termica;
    if (!t.m_bEnfriamiento)
        return false;
    const double C = CapacidadTermica();
    const double dAntes = m_dTemperatura;
    const double dDespues =
        std::clamp(Termica::Enfriar(dAntes, t.m_dTemperaturaAmbiente, C, m_dConductancia), 0.0,
                   kTemperaturaMaxima);
    if (dDespues == dAntes)
        return false;
    m_dTemperatura = dDespues;
    m_dCalorCedido += C * (dAntes - dDespues);
    return true;
}

int CSeno::CambiosLatentes() {
    if (!ConAmbiente())
        return 0;
    int nCambio = 0;
    const double q = m_faseLiquida.m_dCalorCambios + m_faseSolida.m_dCalorCambios;
    m_faseLiquida.m_dCalorCambios = m_faseSolida.m_dCalorCambios = 0.0;
    if (q != 0.0 && CalorDeLaQuimica(q))
        nCambio = SIMULACION_CAMBIO;
    // Most vessels hold nothing with an enthalpy of fusion: their capacity is not summed.
    bool bLatente = false;
    for (const CFase* f : {&m_faseSolida, &m_faseLiquida})
        for (const CContenido& e : f->m_listaContenido)
            if (const CComponentes* c = Cat().Componente(e.m_nComponente))
                bLatente |= c->m_termica.m_dFusion > 0.0 && e.m_dMoles > 0.0;
    if (bLatente &&
        CambiosFase::FusionLatente(m_faseSolida, m_faseLiquida, m_dTemperatura, CapacidadTermica()))
        nCambio = SIMULACION_CAMBIO;
    return nCambio;
}

int CSeno::DisolverSolidos(double dRapidez) {
    if (m_faseLiquida.m_dVolumen == 0.0 || m_faseSolida.m_dVolumen == 0.0 || !m_faseLiquida.m_pAgua)
        return 0;
    const int nMovido = m_faseSolida.Disolver(m_faseLiquida, m_dTemperatura, dRapidez);
    return nMovido | CambiosLatentes();
}

int CSeno::NivelEbullicion(double dEbullicion) const {
    return CambiosFase::NivelEbullicion(m_dTemperatura, dEbullicion);
}

int CSeno::Calentar(double dCalor) {
    int nMovido = 0;
    const double C = CapacidadTermica();
    const double B = m_faseLiquida.TemperaturaEbullicion();
    const double dNueva = m_dTemperatura + dCalor / C;
    if (C > 0.0 && std::isfinite(dNueva))
        m_dTemperatura = std::clamp(dNueva, 0.0, kTemperaturaMaxima);
    const double H = CambiosFase::kInicioEbullicion * B;
    if (m_dTemperatura > H && m_faseLiquida.m_dVolumen != 0.0) {
        if (m_dTemperatura >= B) {
            m_dTemperatura = B;
            nMovido |= m_faseLiquida.Evaporar(m_faseGas, B);
        }
        const int nNivel = NivelEbullicion(B);
        if (nNivel >= 0)
            m_nEbullicion = nNivel;
    }
    if (dCalor > 0.0)
        nMovido |= m_faseSolida.Fundir(m_faseLiquida, m_dTemperatura);
    else if (dCalor < 0.0)
        nMovido |= m_faseLiquida.Congelar(m_faseSolida, m_dTemperatura);
    nMovido |= CambiosLatentes();
    m_bCalentado = 1;
    return nMovido;
}

int CSeno::AjustarTemperatura() {
    int nCambio = 1;
    if (ConAmbiente()) {
        // The room takes or gives heat in proportion to the difference; whatever the
        // temperature, what it holds precipitates or sets as the rules say.
        const double dAntes = m_dTemperatura;
        nCambio = EnfriarHaciaAmbiente() ? 1 : 0;
        if (m_dTemperatura > dAntes && m_faseSolida.MolesTotales() != 0.0)
            nCambio |= m_faseSolida.Fundir(m_faseLiquida, m_dTemperatura);
    } else {
        if (m_dTemperatura == m_dTemperaturaAmbiente)
            return 0;
        const double C = CapacidadTermica();
        const double d = C > 0.0 ? kCalorAmbiente / C : 0.0;
        if (m_dTemperatura < m_dTemperaturaAmbiente) {
            m_dTemperatura = std::min(m_dTemperatura + d, m_dTemperaturaAmbiente);
            if (m_faseSolida.MolesTotales() != 0.0)
                m_faseSolida.Fundir(m_faseLiquida, m_dTemperatura);
        } else {
            m_dTemperatura = std::max(m_dTemperatura - d, m_dTemperaturaAmbiente);
        }
    }
    if (m_faseLiquida.m_dVolumen != 0.0) {
        const double B = m_faseLiquida.TemperaturaEbullicion();
        if (m_dTemperatura < CambiosFase::kInicioEbullicion * B) {
            m_nEbullicion = 0;
        } else {
            const int nNivel = NivelEbullicion(B);
            if (nNivel >= 0)
                m_nEbullicion = nNivel;
        }
        nCambio |= m_faseLiquida.Precipitar(m_faseSolida, m_dTemperatura);
    }
    if (m_faseGas.m_dMasa > 0.0)
        nCambio |= m_faseGas.Condensar(m_faseLiquida, m_dTemperatura, m_dCondensacion);
    // The heat of what crystallised, and the freezing the cooling brought, are taken at the
    // end of the sub-step (Simular).
    return nCambio;
}

int CSeno::Reaccionar() {
    if (m_faseSolida.m_dVolumen + m_faseLiquida.m_dVolumen <= 0.0 &&
        m_faseGas.MolesTotales() <= 0.0)
        return 0;
    int nCambio = 0;
    const int32_t nReacciones = Cat().NumReacciones();
    for (int32_t i = 0; i < nReacciones; ++i) {
        bool bEnLimite = false;
        // A reversible reaction runs either way towards its equilibrium; the rest as given.
        const bool bReversible = Cat().Reaccion(i)->m_reversible.Tiene();
        const double e =
            bReversible ? AvanceReversible(i, &bEnLimite) : AvanceReaccion(i, &bEnLimite);
        if (bEnLimite) {
            m_nReaccionEnLimite = i;
            nCambio |= SIMULACION_EN_LIMITE;
        }
        if (bReversible && e != 0.0) {
            AplicarReversible(i, e);
            nCambio |= SIMULACION_CAMBIO;
        } else if (e > 0.0) {
            AplicarReaccion(i, e);
            nCambio |= SIMULACION_CAMBIO;
        }
    }
    return nCambio;
}

int CSeno::EquilibrioIonico() {
    if (!AcidoBase::ConMotor(m_faseLiquida))
        return AcidoBase::EfectoIonComun(m_faseLiquida);
    // The engine solves every step: the temperature moves Kw and each constant.
    const double dAntes = m_faseLiquida.m_dPHEquilibrio;
    m_faseLiquida.IonizarTodo();
    int nCambio = m_faseLiquida.m_dPHEquilibrio != dAntes ? SIMULACION_CAMBIO : 0;
    const double q = m_faseLiquida.m_dCalorPendiente;
    m_faseLiquida.m_dCalorPendiente = 0.0;
    if (CalorDeLaQuimica(q))
        nCambio |= SIMULACION_CAMBIO;
    return nCambio;
}

void CSeno::Consumir(CFase& fase, int32_t nComponente, double dMoles) {
    fase.Quitar(nComponente, dMoles, UNIDAD_MOLES);
    if (CContenido* pEntrada = fase.Buscar(nComponente);
        pEntrada && std::fabs(pEntrada->m_dMoles) <= 1e-9 * std::fabs(dMoles)) {
        pEntrada->m_dMoles = 0.0;
        pEntrada->m_dGramos = 0.0;
        pEntrada->m_dMl = 0.0;
        pEntrada->m_dMolesAnion = 0.0;
        pEntrada->m_dMolesCation = 0.0;
    }
}

bool CSeno::CalorDeLaQuimica(double dCalor) {
    const double C = CapacidadTermica();
    const double t = m_dTemperatura + dCalor / C;
    if (dCalor == 0.0 || !(C > 0.0) || !std::isfinite(t))
        return false;
    m_dTemperatura = std::clamp(t, 0.0, kTemperaturaMaxima);
    return true;
}

CFase* CSeno::FaseDeCodigo(int32_t nFase) {
    return const_cast<CFase*>(static_cast<const CSeno*>(this)->FaseDeCodigo(nFase));
}

const CFase* CSeno::FaseDeCodigo(int32_t nFase) const {
    switch (nFase) {
    case FASE_IONIZADA:
    case FASE_LIQUIDA:
        return &m_faseLiquida;
    case FASE_SOLIDA:
        return &m_faseSolida;
    case FASE_GAS:
        return &m_faseGas;
    default:
        return nullptr;
    }
}

double CSeno::Disponible(int32_t r, int32_t c, int32_t nFase) const {
    // A coefficient of zero would make any amount an infinite supply.
    if (c <= 0)
        return 0.0;
    switch (nFase) {
    case FASE_IONIZADA:
        // The free ions are those of the last ionisation: with the water gone they are not
        // recomputed, and they must never stand for more than the entry holds.
        return std::min(m_faseLiquida.MolesIonizados(r), m_faseLiquida.Moles(r)) / c;
    case FASE_SOLIDA:
        return m_faseSolida.Moles(r) / c;
    case FASE_LIQUIDA:
        return m_faseLiquida.Moles(r) / c;
    case FASE_GAS:
        // An open vessel draws component 1 (oxygen) from the air without limit: the fixed
        // supply is deliberate, far above what any step of a practice can take.
        if (DelAire(r, nFase))
            return kAireDisponible;
        return m_faseGas.Moles(r) / c;
    default:
        return 0.0;
    }
}

bool CSeno::DelAire(int32_t r, int32_t nFase) const {
    return nFase == FASE_GAS && r == 1 && !m_bCerrado;
}

double CSeno::Holgura(const CReacciones& R) const {
    const CCatalogo& cat = Cat();
    // What one unit of extent changes, per entry (a component in a phase): a component named
    // on both sides, or twice on one, nets its slots.
    struct Cambio {
        const CFase* m_pFase;
        int32_t m_nComponente;
        double m_dMoles;
    };
    Cambio cambios[6];
    int nCambios = 0;
    auto anotar = [&](int32_t c, int32_t nFase, double dMoles) {
        const CFase* f = FaseDeCodigo(nFase);
        if (!f || !cat.Componente(c) || DelAire(c, nFase))
            return;
        for (int i = 0; i < nCambios; ++i)
            if (cambios[i].m_pFase == f && cambios[i].m_nComponente == c) {
                cambios[i].m_dMoles += dMoles;
                return;
            }
        cambios[nCambios++] = {f, c, dMoles};
    };
    for (int k = 0; k < 3; ++k) {
        anotar(R.m_nReactivo[k], R.m_nFaseReactivo[k], -R.m_nCoefReactivo[k]);
        anotar(R.m_nProducto[k], R.m_nFaseProducto[k], R.m_nCoefProducto[k]);
    }
    // Kept a hair below the bound, so that the rounding of a sum never lands above it.
    const double B = Limites::kCantidad * (1.0 - 1e-9);
    double x = std::numeric_limits<double>::infinity();
    auto limitar = [&](double dActual, double dPorAvance) {
        if (dPorAvance > 0.0)
            x = std::min(x, std::max(B - dActual, 0.0) / dPorAvance);
    };
    // One pass over the entries, each phase's totals summed in the entries' order; the
    // bound is a minimum, which does not depend on the order its terms come in.
    const CFase* fases[3] = {&m_faseLiquida, &m_faseSolida, &m_faseGas};
    double dMasa[3] = {0.0, 0.0, 0.0}, dVolumen[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < nCambios; ++i) {
        const Cambio& k = cambios[i];
        const CFase* f = k.m_pFase;
        const int j = f == fases[0] ? 0 : f == fases[1] ? 1 : 2;
        const CComponentes& c = *cat.Componente(k.m_nComponente);
        double g = 0.0, ml = 0.0;
        c.MasaVolumen(k.m_dMoles, g, ml);
        const CContenido* e = f->Buscar(k.m_nComponente);
        // The free ions of an entry are up to its moles times its ions per unit.
        const double dIones = std::max({1, c.m_nCantidadAnion, c.m_nCantidadCation});
        limitar(e ? e->m_dMoles * dIones : 0.0, k.m_dMoles * dIones);
        limitar(e ? e->m_dGramos : 0.0, g);
        limitar(e ? e->m_dMl : 0.0, ml);
        dMasa[j] += g;
        if (e ? f->EsContado(*e) : c.m_nEstado == f->m_nEstado)
            dVolumen[j] += ml;
    }
    for (int j = 0; j < 3; ++j) {
        limitar(fases[j]->m_dMasa, dMasa[j]);
        limitar(fases[j]->m_dVolumen, dVolumen[j]);
    }
    return x;
}

double CSeno::AvanceReaccion(int32_t nReaccion, bool* pbEnLimite) const {
    if (pbEnLimite)
        *pbEnLimite = false;
    const CCatalogo& cat = Cat();
    const CReacciones* pR = cat.Reaccion(nReaccion);
    if (!pR)
        return 0.0;
    const CReacciones& R = *pR;
    const int32_t nComponentes = cat.NumComponentes();
    if (R.m_bTempMinima && m_dTemperatura < R.m_dTempMinima)
        return 0.0;
    // A product with no phase to go to would vanish: such a reaction does not run.
    for (int k = 0; k < 3; ++k)
        if (cat.Componente(R.m_nProducto[k]) && R.m_nCoefProducto[k] > 0 &&
            !FaseDeCodigo(R.m_nFaseProducto[k]))
            return 0.0;
    double x = Disponible(R.m_nReactivo[0], R.m_nCoefReactivo[0], R.m_nFaseReactivo[0]);
    for (int k = 1; k < 3; ++k) {
        if (R.m_nReactivo[k] >= nComponentes)
            continue;
        const double d = Disponible(R.m_nReactivo[k], R.m_nCoefReactivo[k], R.m_nFaseReactivo[k]);
        if (d < x)
            x = d;
    }
    // A component named in two slots of one phase gives to both from the same entry.
    for (int k = 0; k < 3; ++k) {
        const int32_t r = R.m_nReactivo[k];
        const CFase* f = FaseDeCodigo(R.m_nFaseReactivo[k]);
        if (!f || !cat.Componente(r) || DelAire(r, R.m_nFaseReactivo[k]))
            continue;
        int32_t nSuma = 0;
        for (int j = 0; j < 3; ++j)
            if (R.m_nReactivo[j] == r && FaseDeCodigo(R.m_nFaseReactivo[j]) == f)
                nSuma += R.m_nCoefReactivo[j];
        if (nSuma > R.m_nCoefReactivo[k])
            x = std::min(x, f->Moles(r) / nSuma);
    }
    if (x <= 0.0)
        return x;
    const double x0 = x;

    if (R.m_cinetica.Tiene()) {
        // A rate law sets the pace; the per-step amounts of the record do not apply.
        x = AvanceCinetico(R, x0);
    } else if (R.m_nCatalizador > 0 && R.m_dLimiteCatalizado > 0.0 &&
               MolesComponente(R.m_nCatalizador) > 0.0) {
        x = x0 < R.m_dLimiteCatalizado ? x0 : R.m_dLimiteCatalizado;
    } else if (R.m_bEquilibrio && R.m_dConstanteEquilibrio != 0.0) {
        const double K = R.m_dConstanteEquilibrio;
        const double L = m_faseLiquida.m_dVolumen * AcidoBase::kLitrosPorMl;
        const int32_t n = R.m_nCoefProducto[0] + R.m_nCoefProducto[1] + R.m_nCoefProducto[2];
        // Without liquid, products or a positive quotient the equilibrium has no extent.
        if (!(L > 0.0) || n <= 0 || !(x0 * K / L > 0.0))
            return 0.0;
        x = L * std::pow(x0 * K / L, 1.0 / n);
        bool bSaturado[3] = {false, false, false};
        for (int k = 0; k < 3; ++k) {
            const int32_t p = R.m_nProducto[k];
            if (p >= nComponentes) {
                bSaturado[k] = k > 0; // an empty first slot is never saturated
                continue;
            }
            const double d = R.m_nCoefProducto[k] * x - m_faseLiquida.Moles(p);
            if (d <= 0.0)
                bSaturado[k] = true;
            else if (k == 0 || d <= x)
                x = d;
        }
        if (bSaturado[0] && bSaturado[1] && bSaturado[2])
            return 0.0;
        if (!std::isfinite(x))
            return 0.0;
        // The formula knows the volume and the constant, not what the reactants hold: a
        // weak solution's extent can come out far above it, and what is not there cannot
        // react.
        x = std::min(x, x0);
    } else if (!R.m_bSinLimite && R.m_dLimitePaso != 0.0 && x >= R.m_dLimitePaso) {
        x = R.m_dLimitePaso;
    }
    if (!(x > 0.0))
        return x;
    // A reaction that makes more than it takes (its own reactant, or matter from nothing)
    // grows without end; held here, every amount stays one a file can keep.
    const double h = Holgura(R);
    if (x > h) {
        x = h;
        if (pbEnLimite)
            *pbEnLimite = true;
    }
    return x;
}

void CSeno::AplicarReaccion(int32_t nReaccion, double e) {
    const CCatalogo& cat = Cat();
    const CReacciones* pR = cat.Reaccion(nReaccion);
    if (!pR || !(e > 0.0) || !std::isfinite(e))
        return;
    const CReacciones& R = *pR;
    const int32_t nComponentes = cat.NumComponentes();
    for (int k = 0; k < 3; ++k) {
        const int32_t r = R.m_nReactivo[k];
        if (k > 0 && r >= nComponentes)
            continue;
        const int32_t nFase = R.m_nFaseReactivo[k];
        if (DelAire(r, nFase))
            continue;
        CFase* pFase = FaseDeCodigo(nFase);
        if (!pFase)
            continue;
        Consumir(*pFase, r, R.m_nCoefReactivo[k] * e);
    }
    for (int k = 0; k < 3; ++k) {
        const int32_t p = R.m_nProducto[k];
        if (p >= nComponentes)
            continue;
        if (CFase* pFase = FaseDeCodigo(R.m_nFaseProducto[k]))
            pFase->Agregar(p, R.m_nCoefProducto[k] * e, UNIDAD_MOLES);
    }
    if (R.m_dCalor != 0.0)
        Calentar(e * R.m_dCalor * kCalorPorUnidadReaccion);
    m_faseLiquida.IonizarTodo();
}

void CSeno::VerterLiquido(CSeno& destino, double dMl) {
    const double V = m_faseLiquida.m_dVolumen;
    if (!(V > 0.0) || !(dMl > 0.0) || &destino == this)
        return;
    const double v = std::min(dMl, V);
    const double VD = destino.m_faseLiquida.m_dVolumen;
    // The heat that arrives is that of the millilitres actually poured.
    if (v + VD > 0.0)
        destino.m_dTemperatura = (v * m_dTemperatura + VD * destino.m_dTemperatura) / (v + VD);
    m_faseLiquida.TransferirFraccion(&destino.m_faseLiquida, v / V);
}

void CSeno::VerterSolido(CSeno& destino, double dMl) {
    const double V = m_faseSolida.m_dVolumen;
    if (!(V > 0.0) || !(dMl > 0.0) || &destino == this)
        return;
    m_faseSolida.TransferirFraccion(&destino.m_faseSolida, std::min(dMl, V) / V);
    const double a = destino.m_faseSolida.CapacidadCalorifica();
    const double b = destino.m_faseLiquida.CapacidadCalorifica();
    if (a + b != 0.0) {
        const double t = (a * m_dTemperatura + b * destino.m_dTemperatura) / (a + b);
        if (std::isfinite(t))
            destino.m_dTemperatura = t;
    }
}

double CSeno::MolesLiquidoSolido() const {
    return m_faseLiquida.MolesTotales() + m_faseSolida.MolesTotales();
}

double CSeno::MolesComponente(int32_t nComponente) const {
    return m_faseLiquida.Moles(nComponente) + m_faseSolida.Moles(nComponente) +
           m_faseGas.Moles(nComponente);
}

void CSeno::Reiniciar() {
    m_faseGas.Vaciar();
    m_faseLiquida.Vaciar();
    m_faseSolida.Vaciar();
    m_dReserva = 0.0;
    m_dTemperatura = kTemperaturaInicial;
    m_dTemperaturaAmbiente = kTemperaturaInicial;
    m_nEbullicion = 0;
}

void CSeno::Serialize(CArchivo& ar) {
    if (ar.IsStoring()) {
        ar.Valor(m_dReserva, -Limites::kCantidad, Limites::kCantidad);
        ar.Valor(m_dTemperatura, -Limites::kTemperaturaLeida, Limites::kTemperaturaLeida);
        m_faseLiquida.Serialize(ar);
        m_faseSolida.Serialize(ar);
        m_faseGas.Serialize(ar);
        return;
    }
    m_dReserva = std::max(ar.LeerDoubleEntre(-Limites::kCantidad, Limites::kCantidad), 0.0);
    m_dTemperatura =
        std::clamp(ar.LeerDoubleEntre(-Limites::kTemperaturaLeida, Limites::kTemperaturaLeida),
                   Limites::kTemperaturaMinima, kTemperaturaMaxima);
    CFase* fases[3] = {&m_faseLiquida, &m_faseSolida, &m_faseGas};
    const int32_t estados[3] = {ESTADO_LIQUIDO, ESTADO_SOLIDO, ESTADO_GAS};
    for (int i = 0; i < 3; ++i) {
        fases[i]->Serialize(ar);
        // Each phase keeps its own kind; a record that swaps them is damaged.
        if (fases[i]->m_nEstado != estados[i]) {
            fases[i]->m_nEstado = estados[i];
            throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                                "fase fuera de su lugar en el interior de un recipiente");
        }
    }
    // A saved liquid was in equilibrium: its pH, and no heat from reading it.
    if (AcidoBase::ConMotor(m_faseLiquida))
        AcidoBase::Equilibrar(m_faseLiquida, true);
}

CFase& CSeno::FaseDe(int32_t nFase) {
    return const_cast<CFase&>(static_cast<const CSeno*>(this)->FaseDe(nFase));
}

const CFase& CSeno::FaseDe(int32_t nFase) const {
    switch (nFase) {
    case ESTADO_SOLIDO:
        return m_faseSolida;
    case ESTADO_GAS:
        return m_faseGas;
    default:
        return m_faseLiquida;
    }
}

double CSeno::PH() const {
    return m_faseLiquida.CalcularPH();
}

double CSeno::ConcentracionIones() const {
    return m_faseLiquida.ConcentracionIones();
}

double CSeno::Masa() const {
    return m_faseSolida.m_dMasa + m_faseLiquida.m_dMasa;
}

double CSeno::VolumenDe(int32_t nFase) const {
    return FaseDe(nFase).m_dVolumen;
}

double CSeno::MasaDe(int32_t nFase) const {
    return FaseDe(nFase).m_dMasa;
}

double CSeno::MolesDe(int32_t nFase) const {
    return FaseDe(nFase).MolesTotales();
}

int32_t CSeno::EstadoDe(int32_t nFase) const {
    return FaseDe(nFase).m_nEstado;
}

std::vector<CEntradaFase> CSeno::Contenido(int32_t nFase, bool bTodas) const {
    return FaseDe(nFase).Entradas(bTodas);
}

std::vector<CEntradaFase> CSeno::Contenido() const {
    std::vector<CEntradaFase> v = m_faseLiquida.Entradas();
    for (const CFase* f : {&m_faseSolida, &m_faseGas}) {
        const std::vector<CEntradaFase> w = f->Entradas();
        v.insert(v.end(), w.begin(), w.end());
    }
    return v;
}

std::vector<int32_t> CSeno::Indicadores(int32_t nFase) const {
    const std::list<int32_t>& l = FaseDe(nFase).m_listaIndicadores;
    return {l.begin(), l.end()};
}

CColorFase CSeno::ColorDe(int32_t nFase) const {
    return FaseDe(nFase).ColorFase();
}

CColorFase CSeno::ColorDibujado(int32_t nFase) const {
    const CFase& f = FaseDe(nFase);
    return {f.m_crColorDibujado, f.m_nTexturaDibujada};
}

void CSeno::AnotarColorDibujado(int32_t nFase, const CColorFase& color) {
    CFase& f = FaseDe(nFase);
    f.m_crColorDibujado = color.m_crColor;
    f.m_nTexturaDibujada = color.m_nTextura;
}

void CSeno::AgregarEn(int32_t nFase, int32_t nComponente, double dCantidad, int32_t nUnidad) {
    FaseDe(nFase).Agregar(nComponente, dCantidad, nUnidad);
}

void CSeno::AgregarReactivoEn(int32_t nFase, int32_t nReactivo, double dUnidades) {
    FaseDe(nFase).AgregarReactivo(nReactivo, dUnidades);
}

void CSeno::AgregarIndicador(int32_t nIndicador) {
    m_faseLiquida.AgregarIndicador(nIndicador);
}

void CSeno::PasarGas(CSeno* pDestino, double dFraccion) {
    m_faseGas.TransferirFraccion(pDestino ? &pDestino->m_faseGas : nullptr, dFraccion);
}

void CSeno::PasarLiquido(CSeno* pDestino, double dFraccion) {
    m_faseLiquida.TransferirFraccion(pDestino ? &pDestino->m_faseLiquida : nullptr, dFraccion);
}

int CSeno::CondensarGas(double dMaximo) {
    return m_faseGas.CondensarEn(m_faseLiquida, dMaximo);
}
