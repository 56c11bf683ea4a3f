#include "model/AcidoBase.h"

#include "model/Catalogo.h"
#include "model/Equilibrio.h"
#include "model/Fase.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

bool ConMotor(const CFase& fase) {
    return fase.Cat().m_nMotor != MOTOR_DESCRITO;
}

CAcidoBaseDatos SistemaDe(const CComponentes& c) {
    if (c.m_acidoBase.Tiene())
        return c.m_acidoBase;
    CAcidoBaseDatos d;
    const double K = c.m_dConstante;
    if (!(K > 0.0) || !std::isfinite(K) || c.m_nCantidadCation != 1 || c.m_nCantidadAnion != 1)
        return d;
    if (c.m_strCation == kIonHidrogeno && c.m_strAnion != kIonHidroxido) {
        // HA, its constant the acid's: pKa = -log10 Ka.
        d.m_nPasos = 1;
        d.m_pKa[0] = -std::log10(K);
        d.m_nCargaAcida = 1 + c.m_nSignoAnion;
    } else if (c.m_strAnion == kIonHidroxido && c.m_strCation != kIonHidrogeno) {
        // BOH, its constant the base's: the acid BH+ has pKa = pKw - pKb at 25 °C.
        d.m_nPasos = 1;
        d.m_pKa[0] = Equilibrio::PKw(25.0) + std::log10(K);
        d.m_nCargaAcida = c.m_nSignoCation;
        d.m_nCedidos = 1;
    }
    return d;
}

namespace {

// One entry the solve accounts for: as a system (its index in the solve) or as a strong
// electrolyte (-1).
struct Cuenta {
    CContenido* pEntrada = nullptr;
    const CComponentes* pComp = nullptr;
    int nSistema = -1;
    CAcidoBaseDatos datos;
};

// The enthalpy of the phase's acid–base state, kJ, against every strong acid and base wholly
// dissociated and each system in the form it was added in: the water formed from the
// strong bases' OH- (what of it is no longer free) and each step each system crossed.
double Entalpia(const std::vector<Cuenta>& cuentas, const Equilibrio::Solucion& sol,
                double dOHFuerte, double dOHLibre) {
    double H = kEntalpiaNeutralizacion * (dOHFuerte - dOHLibre);
    for (const Cuenta& k : cuentas) {
        if (k.nSistema < 0)
            continue;
        const auto& a = sol.fracciones[static_cast<size_t>(k.nSistema)];
        for (int p = 1; p <= k.datos.m_nPasos; ++p) {
            double dMas = 0.0; // the fraction that has given up at least p protons
            for (int j = p; j <= k.datos.m_nPasos; ++j)
                dMas += a[static_cast<size_t>(j)];
            const double dAntes = k.datos.m_nCedidos >= p ? 1.0 : 0.0;
            H += k.datos.m_dEntalpia[static_cast<size_t>(p - 1)] * k.pEntrada->m_dMoles *
                 (dMas - dAntes);
        }
    }
    return std::isfinite(H) ? H : 0.0;
}

} // namespace

void Equilibrar(CFase& fase, bool bSoloEstado) {
    const CCatalogo& cat = fase.Cat();
    const double L = fase.m_dVolumen * kLitrosPorMl;
    if (fase.m_nEstado != ESTADO_LIQUIDO || !fase.m_pAgua ||
        !(fase.m_pAgua->m_dMl >= CFase::kResiduoMl) || !(fase.m_dVolumen >= CFase::kResiduoMl)) {
        fase.m_dPHEquilibrio = kSinPH;
        return;
    }
    std::vector<Cuenta> cuentas;
    std::vector<Equilibrio::Sistema> sistemas;
    double dCarga = 0.0, dHFuerte = 0.0, dOHFuerte = 0.0; // moles
    for (CContenido& e : fase.m_listaContenido) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (&e == fase.m_pAgua || !c || !(e.m_dMoles > 0.0))
            continue;
        Cuenta k{&e, c, -1, Equilibrio::Normalizar(SistemaDe(*c))};
        if (k.datos.Tiene()) {
            k.nSistema = static_cast<int>(sistemas.size());
            sistemas.push_back({e.m_dMoles / L, k.datos});
        } else if (c->m_dConstante == kElectrolitoFuerte) {
            // H+ and OH- are the solve's own; the other ions carry a charge it cannot change.
            const double dCationes = c->m_nCantidadCation * e.m_dMoles;
            const double dAniones = c->m_nCantidadAnion * e.m_dMoles;
            if (c->m_strCation == kIonHidrogeno)
                dHFuerte += dCationes;
            else
                dCarga += dCationes * c->m_nSignoCation;
            if (c->m_strAnion == kIonHidroxido)
                dOHFuerte += dAniones;
            else
                dCarga += dAniones * c->m_nSignoAnion;
        } else {
            continue;
        }
        cuentas.push_back(k);
    }
    CFase::UltimoEquilibrio& u = fase.m_ultimo;
    const double dFija = dCarga / L, t = fase.Temperatura();
    const bool bIgual =
        u.m_bValido && u.m_dCarga == dFija && u.m_dTemperatura == t &&
        std::equal(sistemas.begin(), sistemas.end(), u.m_sistemas.begin(), u.m_sistemas.end(),
                   [](const Equilibrio::Sistema& a, const Equilibrio::Sistema& b) {
                       return a.dConcentracion == b.dConcentracion && a.datos == b.datos;
                   });
    if (!bIgual) {
        u.m_solucion = Equilibrio::Resolver(sistemas, dFija, t);
        u.m_sistemas = sistemas;
        u.m_dCarga = dFija;
        u.m_dTemperatura = t;
        u.m_bValido = true;
    }
    const Equilibrio::Solucion& sol = u.m_solucion;
    // -1 itself marks "no pH"; a solve that lands on it exactly reads a hair above.
    fase.m_dPHEquilibrio = sol.dPH == kSinPH ? std::nextafter(kSinPH, 0.0) : sol.dPH;
    const double dHLibre = sol.dH * L, dOHLibre = sol.dOH * L;
    if (cat.m_nMotor == MOTOR_NEUTRALIZACION) {
        const double H = Entalpia(cuentas, sol, dOHFuerte, dOHLibre);
        if (!bSoloEstado) {
            const double q = (fase.m_dEntalpiaIonica - H) * 1000.0 / kJuliosPorCaloria;
            if (std::isfinite(q))
                fase.m_dCalorPendiente += q;
        }
        fase.m_dEntalpiaIonica = H;
    }
    if (bSoloEstado)
        return;

    // Ions per entry, for the conductimeter and the reactions that take only the ionised
    // part: a system's charged forms (a salt's counter-ions are always free); the H+ and OH-
    // that entries claim are scaled down to what is free, so that none is counted twice.
    std::vector<double> dCargado(cuentas.size(), 1.0);
    double dHPedido = dHFuerte, dOHPedido = dOHFuerte;
    for (size_t i = 0; i < cuentas.size(); ++i) {
        const Cuenta& k = cuentas[i];
        if (k.nSistema >= 0 && k.datos.m_nCargaAcida == k.datos.m_nCedidos) {
            const auto& a = sol.fracciones[static_cast<size_t>(k.nSistema)];
            double f = 0.0;
            for (int j = 0; j <= k.datos.m_nPasos; ++j)
                if (k.datos.m_nCargaAcida - j != 0)
                    f += a[static_cast<size_t>(j)];
            dCargado[i] = f;
        }
        if (k.nSistema >= 0) {
            const double m = k.pEntrada->m_dMoles * dCargado[i];
            if (k.pComp->m_strCation == kIonHidrogeno)
                dHPedido += m * k.pComp->m_nCantidadCation;
            if (k.pComp->m_strAnion == kIonHidroxido)
                dOHPedido += m * k.pComp->m_nCantidadAnion;
        }
    }
    const double fH = dHPedido > dHLibre ? dHLibre / dHPedido : 1.0;
    const double fOH = dOHPedido > dOHLibre ? dOHLibre / dOHPedido : 1.0;
    for (size_t i = 0; i < cuentas.size(); ++i) {
        const Cuenta& k = cuentas[i];
        const double m = k.pEntrada->m_dMoles * dCargado[i];
        k.pEntrada->m_dMolesCation =
            m * k.pComp->m_nCantidadCation * (k.pComp->m_strCation == kIonHidrogeno ? fH : 1.0);
        k.pEntrada->m_dMolesAnion =
            m * k.pComp->m_nCantidadAnion * (k.pComp->m_strAnion == kIonHidroxido ? fOH : 1.0);
    }
    // Water's own ions, and the described rule for what the solve does not hold.
    fase.m_pAgua->m_dMolesCation = fase.m_pAgua->m_dMolesAnion = std::min(dHLibre, dOHLibre);
    for (CContenido& e : fase.m_listaContenido) {
        if (&e == fase.m_pAgua || !(e.m_dMoles > 0.0))
            continue;
        const bool bContado = std::any_of(cuentas.begin(), cuentas.end(),
                                          [&](const Cuenta& k) { return k.pEntrada == &e; });
        if (!bContado)
            Ionizar(e, cat, fase.m_pAgua->m_dMl);
    }
}

void IonizarTodo(CFase& fase) {
    if (ConMotor(fase)) {
        Equilibrar(fase);
        return;
    }
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
    // A liquid below a residue has no concentration: dividing by a volume that small (a
    // rounding rest, a denormal) would give infinities.
    if (!(fase.m_dVolumen >= CFase::kResiduoMl))
        return 0.0;
    double d = 0.0;
    for (const CContenido& e : fase.m_listaContenido)
        d += e.m_dMolesAnion + e.m_dMolesCation;
    return d / (fase.m_dVolumen * kLitrosPorMl);
}

double CalcularPH(const CFase& fase) {
    if (ConMotor(fase))
        return fase.m_dPHEquilibrio;
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
    if (ConMotor(fase))
        return 0;
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
