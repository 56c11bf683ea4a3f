// Rate laws: the step against the analytic first- and second-order decays from a slow
// reaction to an instantaneous one, Arrhenius over ten degrees, the order in a reactant in
// excess, marble chips against powder in hydrochloric acid with the reaction's heat given as
// it advances, and random data that must never leave a number that is not one.
#include "CatalogosPrueba.h"
#include "model/Catalogo.h"
#include "model/Cinetica.h"
#include "model/Reversibles.h"
#include "model/Seno.h"

#include <QtTest>

#include <cmath>
#include <random>

namespace {

// A single dissolved reactant A -> products at rate k [A]^n, n0 moles in a litre.
double Resto(double n0, double dOrden, double k, double dSegundos) {
    Cinetica::Reactivo a;
    a.dMoles = n0;
    a.dOrden = dOrden;
    return n0 - Cinetica::Avance(&a, 1, 1.0, k, dSegundos, n0);
}

// A component with the data the reaction needs (molar masses from the IUPAC atomic weights,
// densities from the CRC Handbook); the solubility line keeps CaCO3 undissolved and CaCl2
// in solution.
CComponentes Componente(int32_t nId, const char* pszFormula, double dMasaMolar, double dDensidad,
                        int32_t nEstado, double dSolubilidad) {
    CComponentes k;
    k.m_nId = nId;
    k.m_strNombre = k.m_strFormula = pszFormula;
    k.m_dMasaMolar = dMasaMolar;
    k.m_dDensidad = dDensidad;
    k.m_dCalorEspecifico = 0.2;
    k.m_crColor = 0xFEFEFE;
    k.m_nEstado = nEstado;
    k.m_dConstante = -1.0;
    k.m_dPuntoFusion = nEstado == ESTADO_GAS ? -78.5 : 800.0;
    k.m_dPuntoEbullicion = nEstado == ESTADO_GAS ? -78.4 : 1900.0;
    k.m_strCation = "X+";
    k.m_strAnion = "Y-";
    k.m_nSignoCation = 1;
    k.m_nSignoAnion = -1;
    k.m_dSolubilidad1 = k.m_dSolubilidad2 = dSolubilidad;
    k.m_dTemperatura2 = 100.0;
    return k;
}

// Water, HCl, marble as chips (factor 1) and as powder (factor 10), CaCl2, CO2, and for each
// marble CaCO3(s) + 2 HCl -> CaCl2 + H2O + CO2, first order in the acid and 2/3 in the
// solid (a shrinking grain), with dH = -14.5 kJ/mol from the enthalpies of formation (CRC
// Handbook): -1207.6 and 2 x -167.2 to -877.1, -285.8 and -393.5.
enum : int32_t { AGUA, HCL, TROZOS, POLVO, CACL2, CO2 };
CCatalogo Marmol() {
    CCatalogo cat;
    cat.m_componentes.push_back(prueba::Componente(1));
    cat.m_componentes.push_back(prueba::Componente(3));
    cat.m_componentes.push_back(Componente(601, "CaCO3", 100.0869, 2.71, ESTADO_SOLIDO, 0.0));
    cat.m_componentes.push_back(Componente(602, "CaCO3", 100.0869, 2.71, ESTADO_SOLIDO, 0.0));
    cat.m_componentes.push_back(Componente(603, "CaCl2", 110.984, 2.15, ESTADO_SOLIDO, 150.0));
    cat.m_componentes[TROZOS].m_superficie = {FORMA_TROZOS, Cinetica::kFactorTrozos};
    cat.m_componentes[POLVO].m_superficie = {FORMA_POLVO, Cinetica::kFactorPolvo};
    cat.m_componentes.push_back(Componente(604, "CO2", 44.0095, 0.00198, ESTADO_GAS, 0.0));
    for (int32_t nMarmol : {TROZOS, POLVO}) {
        CReacciones R;
        R.m_nReactivo[0] = nMarmol;
        R.m_nFaseReactivo[0] = FASE_SOLIDA;
        R.m_nReactivo[1] = HCL;
        R.m_nFaseReactivo[1] = FASE_IONIZADA;
        R.m_nReactivo[2] = 99;
        R.m_nCoefReactivo[0] = 1;
        R.m_nCoefReactivo[1] = 2;
        R.m_nProducto[0] = CACL2;
        R.m_nProducto[1] = AGUA;
        R.m_nFaseProducto[1] = FASE_LIQUIDA;
        R.m_nProducto[2] = CO2;
        R.m_nFaseProducto[2] = FASE_GAS;
        R.m_nCoefProducto[0] = R.m_nCoefProducto[1] = R.m_nCoefProducto[2] = 1;
        R.m_dCalor = 14.5 / 4.184;
        R.m_cinetica.m_dK = 2e-3;
        R.m_cinetica.m_dEa = 60.0;
        R.m_cinetica.m_dOrden = {2.0 / 3.0, 1.0, 0.0};
        cat.m_reacciones.push_back(R);
    }
    return cat;
}

// 100 ml of 1 M acid on 2 g of one marble; steps until half of the marble is gone.
long PasosHastaLaMitad(const CCatalogo& cat, int32_t nMarmol, double dMolar, double* pdCalor,
                       double dTemperatura = 25.0) {
    CSeno s(&cat);
    s.m_dTemperatura = s.m_dTemperaturaAmbiente = dTemperatura;
    s.Agregar(AGUA, 100.0, UNIDAD_ML);
    s.AgregarEn(ESTADO_LIQUIDO, HCL, 0.1 * dMolar, UNIDAD_MOLES);
    s.m_faseLiquida.Buscar(HCL)->m_bDisuelto = 1;
    s.m_faseLiquida.IonizarTodo();
    s.Agregar(nMarmol, 2.0, UNIDAD_GRAMOS);
    const double n0 = s.m_faseSolida.Moles(nMarmol);
    long n = 0;
    while (s.m_faseSolida.Moles(nMarmol) > 0.5 * n0 && n < 1000000) {
        s.m_bCalentado = 1; // no exchange with the room: all the heat stays
        s.Simular();
        ++n;
    }
    if (pdCalor) {
        // The heat given so far against what half the marble gives.
        const double C =
            s.m_faseLiquida.CapacidadCalorifica() + s.m_faseSolida.CapacidadCalorifica();
        *pdCalor = (s.m_dTemperatura - dTemperatura) * C / (0.5 * n0 * 14.5 / 4.184 * 1000.0);
    }
    return n;
}

} // namespace

class TestCinetica : public QObject {
    Q_OBJECT
private slots:
    // c = c0 exp(-k t) for a first-order decay and 1/c = 1/c0 + k t for a second-order one,
    // in one step of any length, from k t = 1e-6 to 1e6; and over many steps.
    void decaimientosAnaliticos() {
        for (double kt = 1e-6; kt <= 1e6; kt *= 10.0) {
            const double c = Resto(0.1, 1.0, kt, 1.0);
            QVERIFY2(std::fabs(c - 0.1 * std::exp(-kt)) <= 1e-9 * 0.1 + 1e-9 * c,
                     qPrintable(QString::number(kt)));
            // k c0 t from 1e-6 to 1e6 for the second order.
            const double c2 = Resto(0.1, 2.0, kt * 10.0, 1.0);
            const double e2 = 1.0 / (1.0 / 0.1 + kt * 10.0 * 0.1 * 10.0);
            QVERIFY2(c2 >= 0.0 && std::fabs(c2 - e2) <= 0.01 * e2, qPrintable(QString::number(kt)));
        }
        // 100 steps of the bench's clock, k = 0.3 /s and 3 L/(mol s): 30 s of each decay.
        double a = 0.1, b = 0.1;
        for (int i = 0; i < 100; ++i) {
            a = Resto(a, 1.0, 0.3, Cinetica::kSegundosPorPaso);
            b = Resto(b, 2.0, 3.0, Cinetica::kSegundosPorPaso);
        }
        const double t = 100 * Cinetica::kSegundosPorPaso;
        QVERIFY(std::fabs(a - 0.1 * std::exp(-0.3 * t)) <= 1e-9);
        QVERIFY(std::fabs(b - 1.0 / (10.0 + 3.0 * t)) <= 1e-4 / (10.0 + 3.0 * t));
    }

    // 10 °C more shortens a time by exp(Ea/R (1/T1 - 1/T2)): for Ea = 50 kJ/mol near room
    // temperature, about twice (1.92 from 25 to 35 °C), the textbook rule.
    void arrhenius() {
        CCineticaDatos d;
        d.m_dK = 1.0;
        d.m_dEa = 50.0;
        const double r = Cinetica::Constante(d, 35.0) / Cinetica::Constante(d, 25.0);
        QVERIFY(std::fabs(r - 1.924) < 0.005);
        // Through a vessel: the marble at 25 and at 35 °C (Ea 60 kJ/mol: 2.19 times).
        const CCatalogo cat = Marmol();
        const long n25 = PasosHastaLaMitad(cat, POLVO, 1.0, nullptr);
        const long n35 = PasosHastaLaMitad(cat, POLVO, 1.0, nullptr, 35.0);
        const double e = std::exp(60e3 / Reversibles::kR * (1.0 / 298.15 - 1.0 / 308.15));
        QVERIFY2(std::fabs(double(n25) / n35 - e) <= 0.05 * e,
                 qPrintable(QStringLiteral("%1 %2").arg(n25).arg(n35)));
    }

    // First order in the acid: twice the concentration, half the time to the same extent;
    // powder reacts ten times faster than chips of the same mass; the heat goes in as the
    // reaction advances (half the marble, half the heat), and nothing goes below zero.
    void marmol() {
        const CCatalogo cat = Marmol();
        double q = 0.0;
        const long nTrozos = PasosHastaLaMitad(cat, TROZOS, 2.0, &q);
        QVERIFY(std::fabs(q - 1.0) < 0.02);
        const long nTrozos4 = PasosHastaLaMitad(cat, TROZOS, 4.0, nullptr);
        QVERIFY2(std::fabs(2.0 * nTrozos4 - nTrozos) <= 0.05 * nTrozos,
                 qPrintable(QStringLiteral("%1 %2").arg(nTrozos).arg(nTrozos4)));
        const long nPolvo = PasosHastaLaMitad(cat, POLVO, 2.0, nullptr);
        QVERIFY2(nTrozos >= 5 * nPolvo,
                 qPrintable(QStringLiteral("%1 %2").arg(nTrozos).arg(nPolvo)));
    }

    // Any data: a finite extent between 0 and what the reactants allow.
    void datosCualesquiera() {
        std::mt19937 g(21);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        auto escala = [&] { return std::pow(10.0, -300.0 + 600.0 * u(g)); };
        for (int i = 0; i < 20000; ++i) {
            Cinetica::Reactivo r[3];
            const double dTope = escala();
            double dMax = dTope;
            for (auto& x : r) {
                x.dMoles = u(g) < 0.1 ? 0.0 : escala();
                x.dCoeficiente = 1 + static_cast<int>(3 * u(g));
                x.dOrden = u(g) < 0.2 ? 0.0 : 3.0 * u(g);
                x.dFactor = escala();
                x.bDisuelto = u(g) < 0.5;
                dMax = std::min(dMax, x.dMoles / x.dCoeficiente);
            }
            CCineticaDatos d;
            d.m_dK = escala();
            d.m_dEa = 1000.0 * u(g);
            d.m_dTReferencia = -273.0 + 2000.0 * u(g);
            const double k = Cinetica::Constante(d, -273.15 + 1800.0 * u(g));
            QVERIFY(std::isfinite(k) && k >= 0.0);
            const double x = Cinetica::Avance(r, 3, escala(), k, 10.0 * u(g), dTope);
            QVERIFY(std::isfinite(x) && x >= 0.0);
            QVERIFY(x <= dMax * (1.0 + 1e-12));
        }
    }
};

QTEST_APPLESS_MAIN(TestCinetica)
#include "tst_cinetica.moc"
