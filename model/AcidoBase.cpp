#include "model/AcidoBase.h"

#include "model/Catalogo.h"
#include "model/Fase.h"

#include <algorithm>
#include <cmath>

namespace AcidoBase {

// Every rule here runs over every entry on every step: components are looked up in the
// catalogue itself, whose lookup is inline.

void Ionizar(CContenido& e, const CCatalogo& cat, double dMlAgua) {
    const CComponentes* c = cat.Componente(e.m_nComponente);
    if (!c)
        return;
    const double K = c->m_dConstante;
    if (K == 0.0 || !(dMlAgua > 0.0))
        return;
    double f = 0.0;
    if (e.m_nComponente == 0) {
        f = dMlAgua * kLitrosPorMl * kIonesAgua;
    } else if (e.m_dMoles > 0.0) {
        // An entry used up or overdrawn has no ions: the formulas below would give
        // negative ions or the power of a negative number.
        if (K == kElectrolitoFuerte) {
            f = e.m_dMoles;
        } else {
            const double L = dMlAgua * kLitrosPorMl;
            const int32_t nIones = c->m_nCantidadCation + c->m_nCantidadAnion;
            const double dBase = K * e.m_dMoles / L;
            if (nIones > 0 && dBase > 0.0) {
                f = L * std::pow(dBase, 1.0 / nIones);
                if (!std::isfinite(f) || f >= e.m_dMoles)
                    f = 0.0;
            }
        }
    }
    e.m_dMolesAnion = f * c->m_nCantidadAnion;
    e.m_dMolesCation = f * c->m_nCantidadCation;
}

void IonizarTodo(CFase& fase) {
    if (fase.m_nEstado != ESTADO_LIQUIDO || !fase.m_pAgua)
        return;
    const double w = fase.m_pAgua->m_dMl;
    const CCatalogo& cat = fase.Cat();
    for (CContenido& e : fase.m_listaContenido)
        if (e.m_dMoles > 0.0)
            Ionizar(e, cat, w);
}

double MolesIonizados(const CFase& fase, int32_t nComponente) {
    const CContenido* e = fase.Buscar(nComponente);
    const CComponentes* c = e ? fase.Cat().Componente(e->m_nComponente) : nullptr;
    if (!c || c->m_nCantidadAnion == 0)
        return 0.0;
    return e->m_dMolesAnion / c->m_nCantidadAnion;
}

double ConcentracionIones(const CFase& fase) {
    if (fase.m_dVolumen == 0.0)
        return 0.0;
    double d = 0.0;
    for (const CContenido& e : fase.m_listaContenido)
        d += e.m_dMolesAnion + e.m_dMolesCation;
    return d / (fase.m_dVolumen * kLitrosPorMl);
}

double CalcularPH(const CFase& fase) {
    if (fase.m_nEstado != ESTADO_LIQUIDO || !fase.m_pAgua || fase.m_pAgua->m_dMl == 0.0 ||
        fase.m_listaContenido.empty())
        return kSinPH;
    const CCatalogo& cat = fase.Cat();
    double H = 0.0, OH = 0.0;
    for (const CContenido& e : fase.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c)
            continue;
        if (c->m_strCation == kIonHidrogeno)
            H += e.m_dMolesCation;
        if (c->m_strAnion == kIonHidroxido)
            OH += e.m_dMolesAnion;
    }
    if (H == 0.0 && OH == 0.0)
        return kSinPH;
    // Per litre of water, not of solution, as the described rule has it.
    const double L = fase.m_pAgua->m_dMl * kLitrosPorMl;
    double pH;
    if (OH > H)
        pH = kPKw + std::log10(OH / L);
    else
        pH = -std::log10(H / L);
    // Negative ion amounts or water would give no logarithm at all.
    if (std::isnan(pH))
        return kSinPH;
    return std::clamp(pH, 0.0, kPKw);
}

int EfectoIonComun(CFase& fase) {
    const double L = fase.m_dVolumen * kLitrosPorMl;
    if (!(L > 0.0))
        return 0;
    const CCatalogo& cat = fase.Cat();
    int nCorregido = 0;
    for (CContenido& e : fase.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c || e.m_dMoles == 0.0 || !(c->m_dConstante > 0.0))
            continue;
        const double K = c->m_dConstante;
        // The ion looked for: an acid's anion (its cation is H+), any other's cation.
        const std::string& strComun =
            c->m_strCation == kIonHidrogeno ? c->m_strAnion : c->m_strCation;
        double t = 0.0;
        for (const CContenido& o : fase.m_listaContenido)
            if (&o != &e)
                t += o.MolesIon(cat, strComun);
        if (t > 0.0) {
            t += e.MolesIon(cat, strComun);
            // Ionised per litre K c / (K + [common ion]): below c, and K c / [ion] once the
            // common ion dominates.
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

} // namespace AcidoBase
