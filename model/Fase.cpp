#include "model/Fase.h"

#include "model/Archivo.h"
#include "model/Catalogo.h"

#include <algorithm>
#include <cmath>

namespace {
// The heat capacity of a phase with nothing that holds heat (see CapacidadCalorifica).
constexpr double kCapacidadFaseVacia = 31.0;
} // namespace

bool CFase::EsContado(const CContenido& e) const {
    const CComponentes* c = e.Componente(Cat());
    if (!c)
        return false;
    return c->m_nEstado == m_nEstado || (m_nEstado == ESTADO_LIQUIDO && e.m_bFundido) ||
           (m_nEstado == ESTADO_SOLIDO && e.m_bSolidificado);
}

CContenido* CFase::Buscar(int32_t nComponente) {
    for (CContenido& e : m_listaContenido)
        if (e.m_nComponente == nComponente)
            return &e;
    return nullptr;
}

const CContenido* CFase::Buscar(int32_t nComponente) const {
    for (const CContenido& e : m_listaContenido)
        if (e.m_nComponente == nComponente)
            return &e;
    return nullptr;
}

CContenido* CFase::AgregarEntrada(int32_t nComponente, double dCantidad, int32_t nUnidad) {
    // Whatever path an amount comes by (a dialog, a file, a rule), a negative or non-finite
    // one would make matter from nothing or poison every total.
    if (!Cat().Componente(nComponente) || !(dCantidad >= 0.0) || !std::isfinite(dCantidad))
        return nullptr;
    CContenido* e = Buscar(nComponente);
    if (!e) {
        e = &m_listaContenido.emplace_front(nComponente);
        if (nComponente == 0)
            m_pAgua = e;
    }
    double g = 0.0, ml = 0.0;
    e->Sumar(Cat(), dCantidad, nUnidad, g, ml);
    if (m_nEstado == ESTADO_LIQUIDO && m_pAgua)
        e->Ionizar(Cat(), m_pAgua->m_dMl);
    if (EsContado(*e))
        m_dVolumen += ml;
    m_dMasa += g;
    return e;
}

void CFase::Agregar(int32_t nComponente, double dCantidad, int32_t nUnidad) {
    AgregarEntrada(nComponente, dCantidad, nUnidad);
}

void CFase::Quitar(int32_t nComponente, double dCantidad, int32_t nUnidad) {
    CContenido* e = Buscar(nComponente);
    if (!e || !(dCantidad > 0.0) || !std::isfinite(dCantidad))
        return;
    double g = 0.0, ml = 0.0;
    e->Restar(Cat(), dCantidad, nUnidad, g, ml);
    // A rest far below anything a balance or a pipette could measure is nothing: left in
    // place, a 1e-12 g film of water would still divide the boiling-point rule.
    if (e->m_dMoles > 0.0 && e->m_dMoles <= kResiduoMoles) {
        g += e->m_dGramos;
        ml += e->m_dMl;
        e->m_dMoles = e->m_dGramos = e->m_dMl = 0.0;
    }
    if (EsContado(*e))
        m_dVolumen -= ml;
    if (m_nEstado == ESTADO_LIQUIDO && m_pAgua)
        e->Ionizar(Cat(), m_pAgua->m_dMl);
    if (!(e->m_dMoles > 0.0))
        e->m_dMolesAnion = e->m_dMolesCation = 0.0;
    m_dMasa -= g;
    // The running totals follow a counting rule that changes as entries melt, dissolve and
    // react; rounding and those changes must never show as a negative volume or mass.
    if (m_dVolumen < kResiduoMl)
        m_dVolumen = 0.0;
    if (m_dMasa < kResiduoMl)
        m_dMasa = 0.0;
}

void CFase::AgregarReactivo(int32_t nReactivo, double dUnidades) {
    const CReactivos* pReactivo = Cat().Reactivo(nReactivo);
    if (!pReactivo)
        return;
    for (const CContenido& e : pReactivo->m_listaComposicion)
        Agregar(e.m_nComponente, dUnidades * e.m_dMoles, UNIDAD_MOLES);
    IonizarTodo();
}

void CFase::AgregarIndicador(int32_t nIndicador) {
    if (!Cat().Indicador(nIndicador))
        return;
    m_listaIndicadores.push_front(nIndicador);
}

double CFase::Moles(int32_t nComponente) const {
    const CContenido* e = Buscar(nComponente);
    return e ? e->m_dMoles : 0.0;
}

double CFase::MolesIonizados(int32_t nComponente) const {
    const CContenido* e = Buscar(nComponente);
    const CComponentes* c = e ? e->Componente(Cat()) : nullptr;
    if (!c || c->m_nCantidadAnion == 0)
        return 0.0;
    return e->m_dMolesAnion / c->m_nCantidadAnion;
}

double CFase::MolesTotales() const {
    double d = 0.0;
    for (const CContenido& e : m_listaContenido)
        d += e.m_dMoles;
    return d;
}

double CFase::ConcentracionIones() const {
    if (m_dVolumen == 0.0)
        return 0.0;
    double d = 0.0;
    for (const CContenido& e : m_listaContenido)
        d += e.m_dMolesAnion + e.m_dMolesCation;
    return d / (m_dVolumen * 0.001);
}

double CFase::CalcularPH() const {
    if (m_nEstado != ESTADO_LIQUIDO || !m_pAgua || m_pAgua->m_dMl == 0.0 ||
        m_listaContenido.empty())
        return -1.0;
    double H = 0.0, OH = 0.0;
    for (const CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c)
            continue;
        if (c->m_strCation == "H+")
            H += e.m_dMolesCation;
        if (c->m_strAnion == "OH-")
            OH += e.m_dMolesAnion;
    }
    if (H == 0.0 && OH == 0.0)
        return -1.0;
    const double L = m_pAgua->m_dMl * 0.001;
    double pH;
    if (OH > H)
        pH = 14.0 + std::log10(OH / L);
    else
        pH = -std::log10(H / L);
    // Negative ion amounts or water would give no logarithm at all.
    if (std::isnan(pH))
        return -1.0;
    return std::clamp(pH, 0.0, 14.0);
}

double CFase::CapacidadCalorifica() const {
    double d = 0.0;
    for (const CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c)
            continue;
        if (c->m_dCalorEspecifico != 0.0)
            d += (EsContado(e) ? e.m_dMoles : 0.0) * c->m_dMasaMolar * c->m_dCalorEspecifico;
        else
            d += c->m_dMasaMolar * e.m_dMoles;
    }
    // Deliberate: a phase with nothing that holds heat still counts as 31 units (a vessel's
    // own glass, as the simulation was tuned), so that an empty phase never divides by zero
    // and the practices' heating times stay as they were designed.
    if (d == 0.0 || !std::isfinite(d))
        return kCapacidadFaseVacia;
    return d;
}

double CFase::TemperaturaEbullicion() const {
    if (m_nEstado != ESTADO_LIQUIDO || !(m_dVolumen > 0.0))
        return 1000.0;
    double t = 1000.0;
    double s = 0.0;
    const CComponentes* pAgua = Cat().Componente(0);
    for (const CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c)
            continue;
        if (c->m_nEstado == ESTADO_SOLIDO)
            s += e.m_dMoles;
        else if (c->m_nEstado == ESTADO_LIQUIDO && e.m_dMoles > 0.0)
            t = std::min(t, c->m_dPuntoEbullicion);
    }
    // Boiling-point elevation of 0.512 degrees per mole of solids per kilogram of water.
    // The rule is for solutions: with the water almost gone it would divide by next to
    // nothing and lift the boiling point (and the vessel) without bound, so below a last
    // film of water it is skipped.
    if (m_pAgua && pAgua && t == pAgua->m_dPuntoEbullicion &&
        m_pAgua->m_dGramos >= kAguaMinimaElevacion)
        t += s / m_pAgua->m_dGramos * 512.0;
    return t;
}

CContenido* CFase::Mover(CFase& destino, int32_t nComponente, double dMoles) {
    // A rule's portion can come out a little above what the entry holds (evaporation's
    // temperature factor passes 1 above a component's boiling point); what arrives is never
    // more than what leaves.
    dMoles = std::min(dMoles, Moles(nComponente));
    CContenido* pDestino = destino.AgregarEntrada(nComponente, dMoles, UNIDAD_MOLES);
    Quitar(nComponente, dMoles, UNIDAD_MOLES);
    return pDestino;
}

int CFase::Fundir(CFase& destino, double dTemperatura) {
    int nMovido = 0;
    for (CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c || c->m_dPuntoFusion > dTemperatura || !(e.m_dMoles > 0.0))
            continue;
        const double x = std::min(e.m_dMoles, 0.1);
        CContenido* d = Mover(destino, e.m_nComponente, x);
        if (d && c->m_nEstado == ESTADO_SOLIDO && !d->m_bFundido) {
            // The molten solid now counts as liquid: its first portion's volume joins too.
            d->m_bFundido = 1;
            double g = 0.0, ml = 0.0;
            c->MasaVolumen(x, g, ml);
            destino.m_dVolumen += ml;
        }
        nMovido = 1;
    }
    return nMovido;
}

int CFase::Congelar(CFase& destino, double dTemperatura) {
    int nMovido = 0;
    for (CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c || !(c->m_dPuntoFusion > dTemperatura) || !(e.m_dMoles > 0.0) || e.m_bDisuelto)
            continue;
        const double x = std::min(e.m_dMoles, 0.1);
        CContenido* d = Mover(destino, e.m_nComponente, x);
        if (d && c->m_nEstado == ESTADO_LIQUIDO && !d->m_bSolidificado) {
            d->m_bSolidificado = 1;
            double g = 0.0, ml = 0.0;
            c->MasaVolumen(x, g, ml);
            destino.m_dVolumen += ml;
        }
        nMovido = 1;
    }
    return nMovido;
}

int CFase::Evaporar(CFase& destino, double dTemperatura) {
    int nMovido = 0;
    const double dMolesFase = MolesTotales();
    for (CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c || !(e.m_dMoles > 0.0) || c->m_nEstado != ESTADO_LIQUIDO)
            continue;
        double x = std::min(e.m_dMoles, 0.001);
        if (dTemperatura != c->m_dPuntoEbullicion) {
            if (!(dMolesFase > 0.0))
                continue;
            x *= c->FactorTemperatura(dTemperatura) * (e.m_dMoles / dMolesFase);
        }
        if (!(x > 0.0) || !std::isfinite(x))
            continue;
        Mover(destino, e.m_nComponente, x);
        nMovido = 1;
    }
    return nMovido;
}

int CFase::Condensar(CFase& destino, double dTemperatura, double dCantidad) {
    int nMovido = 0;
    for (CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c || !(e.m_dMoles > 0.0) || !(dTemperatura + 1.0 < c->m_dPuntoEbullicion))
            continue;
        Mover(destino, e.m_nComponente, std::min(e.m_dMoles, dCantidad));
        nMovido = 1;
    }
    return nMovido;
}

int CFase::CondensarEn(CFase& destino, double dMaximo) {
    int nMovido = 0;
    for (CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c || !(e.m_dMoles > 0.0) || c->m_nEstado != ESTADO_LIQUIDO)
            continue;
        Mover(destino, e.m_nComponente, std::min(e.m_dMoles, dMaximo));
        nMovido = 1;
    }
    return nMovido;
}

int CFase::Disolver(CFase& destino, double dTemperatura, double dRapidez) {
    if (!destino.m_pAgua)
        return 0;
    if (dRapidez == 0.0)
        dRapidez = 0.002;
    int nMovido = 0;
    for (CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c || !(e.m_dMoles > 0.0))
            continue;
        double s = e.Solubilidad(Cat(), destino.m_pAgua->m_dMl, dTemperatura) -
                   destino.Moles(e.m_nComponente);
        s = std::min(s, e.m_dMoles);
        if (!(s > 0.0))
            continue;
        CContenido* d = Mover(destino, e.m_nComponente, std::min(s, dRapidez));
        if (d && c->m_nEstado == ESTADO_SOLIDO)
            d->m_bDisuelto = 1;
        nMovido = 1;
    }
    if (!(m_dVolumen > 0.0))
        m_dVolumen = 0.0;
    return nMovido;
}

int CFase::Precipitar(CFase& destino, double dTemperatura) {
    int nMovido = 0;
    if (m_pAgua) {
        for (CContenido& e : m_listaContenido) {
            const CComponentes* c = e.Componente(Cat());
            if (!c || !(e.m_dMoles > 0.0) || c->m_nEstado != ESTADO_SOLIDO)
                continue;
            const double d =
                e.Solubilidad(Cat(), m_pAgua->m_dMl, dTemperatura) - Moles(e.m_nComponente);
            if (d < 0.0) {
                Mover(destino, e.m_nComponente, std::min(-d, 0.001));
                nMovido = 1;
            }
        }
    }
    for (CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c || !(e.m_dMoles > 0.0) || !(c->m_dPuntoFusion > dTemperatura) || !e.m_bFundido)
            continue;
        Mover(destino, e.m_nComponente, std::min(e.m_dMoles, 0.1));
        nMovido = 1;
    }
    return nMovido;
}

void CFase::TransferirFraccion(CFase* pDestino, double dFraccion) {
    for (CContenido& e : m_listaContenido) {
        const double q = dFraccion * e.m_dMoles;
        if (!(q > 0.0))
            continue;
        if (pDestino) {
            CContenido* d = pDestino->AgregarEntrada(e.m_nComponente, q, UNIDAD_MOLES);
            if (d && e.m_bFundido && !d->m_bFundido) {
                d->m_bFundido = 1;
                double g = 0.0, ml = 0.0;
                if (const CComponentes* c = e.Componente(Cat()))
                    c->MasaVolumen(q, g, ml);
                pDestino->m_dVolumen += ml;
            }
        }
        Quitar(e.m_nComponente, q, UNIDAD_MOLES);
    }
    if (pDestino)
        pDestino->IonizarTodo();
}

void CFase::IonizarTodo() {
    if (m_nEstado != ESTADO_LIQUIDO || !m_pAgua)
        return;
    const double w = m_pAgua->m_dMl;
    for (CContenido& e : m_listaContenido)
        if (e.m_dMoles > 0.0)
            e.Ionizar(Cat(), w);
}

int CFase::EfectoIonComun() {
    const double L = m_dVolumen * 0.001;
    if (!(L > 0.0))
        return 0;
    int nCorregido = 0;
    for (CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c || e.m_dMoles == 0.0 || !(c->m_dConstante > 0.0))
            continue;
        const double K = c->m_dConstante;
        const std::string& strComun = c->m_strCation == "H+" ? c->m_strAnion : c->m_strCation;
        double t = 0.0;
        for (const CContenido& o : m_listaContenido)
            if (&o != &e)
                t += o.MolesIon(Cat(), strComun);
        if (t > 0.0) {
            t += e.MolesIon(Cat(), strComun);
            const double f = L * (e.m_dMoles * K / L) / (K + t / L);
            if (std::isfinite(f)) {
                e.m_dMolesAnion = f;
                e.m_dMolesCation = f;
                nCorregido = 1;
            }
        }
    }
    return nCorregido;
}

COLORREF CFase::ColorIndicadores(COLORREF crColor) const {
    for (int32_t nInd : m_listaIndicadores) {
        const CIndicadores* pInd = Cat().Indicador(nInd);
        if (!pInd)
            continue;
        double v;
        if (pInd->m_nComponente < 0)
            v = CalcularPH();
        else
            v = Moles(pInd->m_nComponente) / (m_dVolumen * 0.001);
        const COLORREF crInd = pInd->Color(v);
        crColor = RGBColor(static_cast<int>((RojoDe(crColor) + RojoDe(crInd)) * 0.5),
                           static_cast<int>((VerdeDe(crColor) + VerdeDe(crInd)) * 0.5),
                           static_cast<int>((AzulDe(crColor) + AzulDe(crInd)) * 0.5));
    }
    return crColor;
}

CColorFase CFase::ColorFase() const {
    CColorFase res;
    if (m_dVolumen == 0.0)
        return res;
    double r = 0.0, g = 0.0, b = 0.0, w = 0.0;
    for (const CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c || !(e.m_dMoles > 0.0))
            continue;
        const double dPeso = e.m_dMoles * (c->m_nEstado == ESTADO_SOLIDO ? 100.0 : 1.0);
        r += dPeso * RojoDe(c->m_crColor);
        g += dPeso * VerdeDe(c->m_crColor);
        b += dPeso * AzulDe(c->m_crColor);
        w += dPeso;
        res.m_nTextura += c->m_nTextura;
    }
    if (w > 0.0)
        res.m_crColor =
            RGBColor(static_cast<int>(r / w), static_cast<int>(g / w), static_cast<int>(b / w));
    if (m_nEstado == ESTADO_LIQUIDO)
        res.m_crColor = ColorIndicadores(res.m_crColor);
    return res;
}

std::vector<CEntradaFase> CFase::Entradas(bool bTodas) const {
    std::vector<CEntradaFase> v;
    for (const CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!bTodas && (e.m_dMoles == 0.0 || !c))
            continue;
        CEntradaFase r;
        r.m_nComponente = e.m_nComponente;
        r.m_nFase = m_nEstado;
        r.m_dMoles = e.m_dMoles;
        r.m_dGramos = e.m_dGramos;
        r.m_dMl = e.m_dMl;
        r.m_dMolesCation = e.m_dMolesCation;
        r.m_dMolesAnion = e.m_dMolesAnion;
        if (c) {
            if (m_nEstado == c->m_nEstado)
                r.m_nEstado = m_nEstado;
            else if (m_nEstado == ESTADO_GAS)
                r.m_nEstado = ESTADO_GAS;
            else if (e.m_bFundido)
                r.m_nEstado = ESTADO_LIQUIDO;
            else if (e.m_bSolidificado)
                r.m_nEstado = ESTADO_SOLIDO;
            else
                r.m_nEstado = ESTADO_DISUELTO;
            r.m_bVolumen =
                (m_nEstado == ESTADO_LIQUIDO && c->m_nEstado == ESTADO_LIQUIDO) || e.m_bFundido;
        }
        v.push_back(r);
    }
    return v;
}

void CFase::Vaciar() {
    m_listaContenido.clear();
    m_listaIndicadores.clear();
    m_pAgua = nullptr;
    m_dVolumen = 0.0;
    m_dMasa = 0.0;
    m_crColorDibujado = 0;
    m_nTexturaDibujada = 0;
}

void CFase::Serialize(CArchivo& ar) {
    if (ar.IsStoring()) {
        ar << m_nEstado << m_crColorDibujado;
        ar.Valor(m_dVolumen, -Limites::kCantidad, Limites::kCantidad);
        ar.Valor(m_dMasa, -Limites::kCantidad, Limites::kCantidad);
        ar << static_cast<int32_t>(m_listaContenido.size());
        for (auto it = m_listaContenido.rbegin(); it != m_listaContenido.rend(); ++it)
            it->Serialize(ar);
        ar << static_cast<int32_t>(m_listaIndicadores.size());
        for (auto it = m_listaIndicadores.rbegin(); it != m_listaIndicadores.rend(); ++it) {
            const CIndicadores* pInd = Cat().Indicador(*it);
            ar << (pInd ? pInd->m_nId : 0);
        }
        return;
    }
    Vaciar();
    int32_t nEstado = 0;
    ar >> nEstado;
    if (nEstado < ESTADO_SOLIDO || nEstado > ESTADO_NINGUNO)
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto, "fase de tipo desconocido");
    m_nEstado = nEstado;
    // The colour the phase was last drawn in comes back as it was written, so that what
    // is read writes again byte for byte (an undo puts back exactly what was there).
    ar >> m_crColorDibujado;
    m_dVolumen = std::max(ar.LeerDoubleEntre(-Limites::kCantidad, Limites::kCantidad), 0.0);
    m_dMasa = std::max(ar.LeerDoubleEntre(-Limites::kCantidad, Limites::kCantidad), 0.0);
    const int32_t nEntradas = ar.LeerCuenta(CContenido::kBytesMinimos);
    for (int32_t i = 0; i < nEntradas; ++i) {
        CContenido& e = m_listaContenido.emplace_front();
        e.Serialize(ar);
        // Every rule looks the component up; an entry that names none cannot be real.
        if (!e.Componente(Cat()))
            throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                                "componente fuera del catálogo: " +
                                    std::to_string(e.m_nComponente));
    }
    m_pAgua = Buscar(0);
    const int32_t nIndicadores = ar.LeerCuenta(4);
    for (int32_t i = 0; i < nIndicadores; ++i) {
        const int32_t nId = ar.LeerInt32();
        if (const int32_t k = Cat().IndicadorPorId(nId); k >= 0)
            m_listaIndicadores.push_front(k);
    }
    m_nTexturaDibujada = 0;
}
