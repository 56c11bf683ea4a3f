#include "model/Fase.h"

#include "model/AcidoBase.h"
#include "model/Archivo.h"
#include "model/CambiosFase.h"
#include "model/Catalogo.h"
#include "model/Equilibrio.h"

#include <algorithm>
#include <cmath>

namespace {
// The heat capacity of a phase with nothing that holds heat (see CapacidadCalorifica).
constexpr double kCapacidadFaseVacia = 31.0;
} // namespace

bool CFase::EsContado(const CContenido& e) const {
    const CComponentes* c = Cat().Componente(e.m_nComponente);
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
    // A liquid reagent poured into a liquid is a solution: its solids arrive dissolved, and
    // cooling it does not freeze them out as if they were melts (the solubility still holds
    // them, and precipitates what goes past it).
    const bool bDisolucion = m_nEstado == ESTADO_LIQUIDO && pReactivo->m_nEstado == 1;
    for (const CContenido& e : pReactivo->m_listaComposicion) {
        CContenido* d = AgregarEntrada(e.m_nComponente, dUnidades * e.m_dMoles, UNIDAD_MOLES);
        const CComponentes* c = d ? d->Componente(Cat()) : nullptr;
        if (bDisolucion && c && c->m_nEstado == ESTADO_SOLIDO)
            d->m_bDisuelto = 1;
    }
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
    return AcidoBase::MolesIonizados(*this, nComponente);
}

double CFase::MolesTotales() const {
    double d = 0.0;
    for (const CContenido& e : m_listaContenido)
        d += e.m_dMoles;
    return d;
}

double CFase::ConcentracionIones() const {
    return AcidoBase::ConcentracionIones(*this);
}

double CFase::CalcularPH() const {
    return AcidoBase::CalcularPH(*this);
}

double CFase::CapacidadCalorifica() const {
    double d = 0.0;
    for (const CContenido& e : m_listaContenido) {
        const CComponentes* c = Cat().Componente(e.m_nComponente);
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

double CFase::CapacidadContenido() const {
    // A dilute aqueous solution holds about the heat of its water alone (0.5 mol/kg sodium
    // chloride: 4.07 J/(g K) for the solution's whole mass, CRC Handbook), so a dissolved
    // solute, or a gas held in the liquid, adds nothing; what stands in its own state adds its
    // own, or that of as much water when the catalogue gives none.
    double d = 0.0;
    for (const CContenido& e : m_listaContenido) {
        const CComponentes* c = Cat().Componente(e.m_nComponente);
        if (!c || !EsContado(e) || !(e.m_dMoles > 0.0))
            continue;
        const double cp = c->m_dCalorEspecifico != 0.0 ? c->m_dCalorEspecifico : 1.0;
        d += e.m_dMoles * c->m_dMasaMolar * cp;
    }
    return std::isfinite(d) && d > 0.0 ? d : 0.0;
}

double CFase::TemperaturaEbullicion() const {
    return CambiosFase::TemperaturaEbullicion(*this);
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
    return CambiosFase::Fundir(*this, destino, dTemperatura);
}

int CFase::Congelar(CFase& destino, double dTemperatura) {
    return CambiosFase::Congelar(*this, destino, dTemperatura);
}

int CFase::Evaporar(CFase& destino, double dTemperatura) {
    return CambiosFase::Evaporar(*this, destino, dTemperatura);
}

int CFase::Condensar(CFase& destino, double dTemperatura, double dCantidad) {
    return CambiosFase::Condensar(*this, destino, dTemperatura, dCantidad);
}

int CFase::CondensarEn(CFase& destino, double dMaximo) {
    return CambiosFase::CondensarEn(*this, destino, dMaximo);
}

int CFase::Disolver(CFase& destino, double dTemperatura, double dRapidez) {
    return CambiosFase::Disolver(*this, destino, dTemperatura, dRapidez);
}

int CFase::Precipitar(CFase& destino, double dTemperatura) {
    return CambiosFase::Precipitar(*this, destino, dTemperatura);
}

void CFase::TransferirFraccion(CFase* pDestino, double dFraccion) {
    // The acid–base state goes with its share of the liquid, so that only what happens
    // where it arrives gives heat.
    if (m_dEntalpiaIonica != 0.0 && dFraccion > 0.0) {
        const double h = std::min(dFraccion, 1.0) * m_dEntalpiaIonica;
        m_dEntalpiaIonica -= h;
        if (pDestino)
            pDestino->m_dEntalpiaIonica += h;
    }
    for (CContenido& e : m_listaContenido) {
        const double q = dFraccion * e.m_dMoles;
        if (!(q > 0.0))
            continue;
        if (pDestino) {
            CContenido* d = pDestino->AgregarEntrada(e.m_nComponente, q, UNIDAD_MOLES);
            // What was dissolved arrives dissolved.
            if (d && e.m_bDisuelto && pDestino->m_nEstado == m_nEstado)
                d->m_bDisuelto = 1;
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
    // Poured out whole, the phase keeps no entries of nothing (a file written after holds
    // none); the drawn colour and the indicators stay as they were.
    if (dFraccion >= 1.0 && std::none_of(m_listaContenido.begin(), m_listaContenido.end(),
                                         [](const CContenido& e) { return e.m_dMoles > 0.0; })) {
        m_listaContenido.clear();
        m_pAgua = nullptr;
        m_dVolumen = m_dMasa = 0.0;
        m_dPHEquilibrio = AcidoBase::kSinPH;
        m_ultimo.m_bValido = false;
    }
    if (pDestino)
        pDestino->IonizarTodo();
}

void CFase::IonizarTodo() {
    AcidoBase::IonizarTodo(*this);
}

int CFase::EfectoIonComun() {
    return AcidoBase::EfectoIonComun(*this);
}

namespace {

// A channel's share of light that passes, 0 to 1, from a colour's 0–255 value; never quite
// 0, so that a logarithm of it exists.
double Paso(int nCanal) {
    return std::max(nCanal, 1) / 255.0;
}

COLORREF DePasos(double r, double g, double b) {
    auto canal = [](double t) {
        return static_cast<int>(std::lround(std::clamp(t, 0.0, 1.0) * 255.0));
    };
    return RGBColor(canal(r), canal(g), canal(b));
}

} // namespace

COLORREF ColorFormas(const CIndicadorDatos& d, double dPH) {
    // Each form absorbs its own share of the light, in proportion to how much of the
    // indicator it is: the colours mix as filters do, by a weighted geometric mean, so that
    // yellow and blue forms give green, not grey.
    const auto a = Equilibrio::Fracciones(d.m_nTransiciones, d.m_pKa, dPH);
    double r = 0.0, g = 0.0, b = 0.0;
    for (int j = 0; j <= std::clamp(d.m_nTransiciones, 0, 3); ++j) {
        const auto i = static_cast<size_t>(j);
        r += a[i] * std::log(Paso(RojoDe(d.m_crFormas[i])));
        g += a[i] * std::log(Paso(VerdeDe(d.m_crFormas[i])));
        b += a[i] * std::log(Paso(AzulDe(d.m_crFormas[i])));
    }
    return DePasos(std::exp(r), std::exp(g), std::exp(b));
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
            v = Moles(pInd->m_nComponente) / (m_dVolumen * AcidoBase::kLitrosPorMl);
        const COLORREF crInd = pInd->m_acidoBase.Tiene() && pInd->m_nComponente < 0
                                   ? ColorFormas(pInd->m_acidoBase, v)
                                   : pInd->Color(v);
        crColor = RGBColor(static_cast<int>((RojoDe(crColor) + RojoDe(crInd)) * 0.5),
                           static_cast<int>((VerdeDe(crColor) + VerdeDe(crInd)) * 0.5),
                           static_cast<int>((AzulDe(crColor) + AzulDe(crInd)) * 0.5));
    }
    return crColor;
}

COLORREF CFase::ColorAbsorcion() const {
    // Beer–Lambert: a component at concentration c lets through (its colour's share)^(c/c0)
    // of each channel, c0 being the concentration at which it shows its catalogue colour;
    // the solvent's own colour is where the light starts. What has no c0 absorbs nothing.
    const CComponentes* pAgua = m_pAgua->Componente(Cat());
    const COLORREF crAgua = pAgua ? pAgua->m_crColor : RGBColor(255, 255, 255);
    double r = std::log(Paso(RojoDe(crAgua))), g = std::log(Paso(VerdeDe(crAgua))),
           b = std::log(Paso(AzulDe(crAgua)));
    const double L = m_dVolumen * AcidoBase::kLitrosPorMl;
    for (const CContenido& e : m_listaContenido) {
        const CComponentes* c = e.Componente(Cat());
        if (!c || !(c->m_dConcentracionColor > 0.0) || !(e.m_dMoles > 0.0) || !(L > 0.0))
            continue;
        const double x = std::min(e.m_dMoles / L / c->m_dConcentracionColor, 1e6);
        r += x * std::log(Paso(RojoDe(c->m_crColor)));
        g += x * std::log(Paso(VerdeDe(c->m_crColor)));
        b += x * std::log(Paso(AzulDe(c->m_crColor)));
    }
    return DePasos(std::exp(r), std::exp(g), std::exp(b));
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
    if (m_nEstado == ESTADO_LIQUIDO && m_pAgua && Cat().ColorPorConcentracion())
        res.m_crColor = ColorAbsorcion();
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
    m_dPHEquilibrio = AcidoBase::kSinPH;
    m_ultimo.m_bValido = false;
    m_dEntalpiaIonica = 0.0;
    m_dCalorPendiente = 0.0;
    m_dCalorCambios = 0.0;
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
