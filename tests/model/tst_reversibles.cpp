// Reactions towards equilibrium: a complex formed from either side to the same state, a
// precipitate's solubility with and without a common ion and its dissolving back on
// dilution, K(T) against measured data, the enthalpy's heat, mass kept, and random data
// that must never hang nor leave a number that is not one.
#include "CatalogosPrueba.h"
#include "model/Catalogo.h"
#include "model/Reversibles.h"
#include "model/Seno.h"

#include <QtTest>

#include <cmath>
#include <random>

namespace {

// A strong electrolyte that is solid by nature and never dissolves or precipitates by the
// described solubility line (the reaction is what moves it).
CComponentes Sal(int32_t nId, const char* pszFormula, double dMasaMolar, const char* pszCation,
                 int32_t nCationes, int32_t nCargaCation, const char* pszAnion, int32_t nAniones,
                 int32_t nCargaAnion) {
    CComponentes k;
    k.m_nId = nId;
    k.m_strNombre = pszFormula;
    k.m_strFormula = pszFormula;
    k.m_dMasaMolar = dMasaMolar;
    k.m_dDensidad = 3.0;
    k.m_dCalorEspecifico = 0.2;
    k.m_crColor = 0xFEFEFE;
    k.m_nEstado = ESTADO_SOLIDO;
    k.m_dConstante = -1.0;
    k.m_dPuntoFusion = 2000.0;
    k.m_dPuntoEbullicion = 3000.0;
    k.m_strCation = pszCation;
    k.m_nCantidadCation = nCationes;
    k.m_nSignoCation = nCargaCation;
    k.m_strAnion = pszAnion;
    k.m_nCantidadAnion = nAniones;
    k.m_nSignoAnion = nCargaAnion;
    k.m_dTemperatura2 = 100.0;
    return k;
}

// Water, then A + B <=> C + D with C and D in the given phases and D outside Q.
CCatalogo Catalogo(const CComponentes& a, const CComponentes& b, const CComponentes& c,
                   int32_t nFaseC, const CComponentes& d, double dK25, double dEntalpia) {
    CCatalogo cat;
    cat.m_componentes.push_back(prueba::Componente(1));
    for (const CComponentes* k : {&a, &b, &c, &d})
        cat.m_componentes.push_back(*k);
    CReacciones R;
    R.m_nReactivo[0] = 1;
    R.m_nReactivo[1] = 2;
    R.m_nReactivo[2] = 5; // no component
    R.m_nProducto[0] = 3;
    R.m_nProducto[1] = 4;
    R.m_nProducto[2] = 5;
    R.m_nCoefReactivo[0] = R.m_nCoefReactivo[1] = 1;
    R.m_nCoefProducto[0] = R.m_nCoefProducto[1] = 1;
    R.m_nFaseProducto[0] = nFaseC;
    R.m_reversible.m_dK25 = dK25;
    R.m_reversible.m_dEntalpia = dEntalpia;
    R.m_reversible.m_nFueraDeQ = 1 << 4; // the second product, a spectator salt
    cat.m_reacciones.push_back(R);
    return cat;
}

// Silver nitrate and sodium chloride give silver chloride and sodium nitrate (molar masses
// from the IUPAC atomic weights); Ksp of AgCl at 25 °C 1.77e-10 (CRC Handbook, "Solubility
// product constants"), K = 1/Ksp.
CCatalogo CatalogoPlata() {
    return Catalogo(Sal(501, "AgNO3", 169.872, "Ag+", 1, 1, "NO3-", 1, -1),
                    Sal(502, "NaCl", 58.44, "Na+", 1, 1, "Cl-", 1, -1),
                    Sal(503, "AgCl", 143.318, "Ag+", 1, 1, "Cl-", 1, -1), FASE_SOLIDA,
                    Sal(504, "NaNO3", 84.994, "Na+", 1, 1, "NO3-", 1, -1), 1.0 / 1.77e-10, 0.0);
}

// Iron(III) nitrate and potassium thiocyanate give the red thiocyanatoiron(III) ion (as its
// nitrate) and potassium nitrate: Fe3+ + SCN- <=> FeSCN2+, K1 = 98 L/mol at 25 °C, ionic
// strength 0.5 M (de Berg, Maeder and Clifford, Inorganica Chimica Acta 445 (2016) 155).
CCatalogo CatalogoHierro() {
    return Catalogo(Sal(511, "Fe(NO3)3", 241.857, "Fe+3", 1, 3, "NO3-", 3, -1),
                    Sal(512, "KSCN", 97.176, "K+", 1, 1, "SCN-", 1, -1),
                    Sal(513, "FeSCN(NO3)2", 237.931, "FeSCN+2", 1, 2, "NO3-", 2, -1), FASE_IONIZADA,
                    Sal(514, "KNO3", 101.102, "K+", 1, 1, "NO3-", 1, -1), 98.0, 0.0);
}

// Moles of a salt as they stand in a solution made from it: dissolved.
void Disuelto(CSeno& s, int32_t nComponente, double dMoles) {
    s.AgregarEn(ESTADO_LIQUIDO, nComponente, dMoles, UNIDAD_MOLES);
    s.m_faseLiquida.Buscar(nComponente)->m_bDisuelto = 1;
}

double Masa(const CSeno& s) {
    double g = 0.0;
    for (const CFase* f : {&s.m_faseLiquida, &s.m_faseSolida, &s.m_faseGas})
        for (const CContenido& e : f->m_listaContenido)
            g += e.m_dGramos;
    return g;
}

bool Sano(const CSeno& s) {
    if (!std::isfinite(s.m_dTemperatura))
        return false;
    for (const CFase* f : {&s.m_faseLiquida, &s.m_faseSolida, &s.m_faseGas}) {
        if (!(f->m_dVolumen >= 0.0) || !std::isfinite(f->m_dMasa))
            return false;
        for (const CContenido& e : f->m_listaContenido)
            for (double d : {e.m_dMoles, e.m_dGramos, e.m_dMl, e.m_dMolesAnion, e.m_dMolesCation})
                if (!(d >= 0.0) || !std::isfinite(d))
                    return false;
    }
    return true;
}

bool Cerca(double a, double b, double dRelativo) {
    return std::fabs(a - b) <= dRelativo * std::fabs(b);
}

} // namespace

class TestReversibles : public QObject {
    Q_OBJECT
private slots:
    // 1 mmol of Fe3+ and 1 mmol of SCN- in a litre: K = x / (1e-3 - x)^2 is the quadratic
    // 98 x^2 - 1.196 x + 9.8e-5 = 0, x = 8.25e-5 mol/L. The complex alone dissociates to
    // the same state: an equilibrium is one whichever side it is reached from.
    void complejoDesdeAmbosLados() {
        const CCatalogo cat = CatalogoHierro();
        const double x = (1.196 - std::sqrt(1.196 * 1.196 - 4.0 * 98.0 * 9.8e-5)) / (2.0 * 98.0);
        QVERIFY(Cerca(x, 8.25e-5, 1e-3));
        CSeno a(&cat), b(&cat);
        for (CSeno* s : {&a, &b}) {
            s->m_dTemperatura = 25.0;
            s->Agregar(0, 1000.0, UNIDAD_ML);
        }
        Disuelto(a, 1, 1e-3);
        Disuelto(a, 2, 1e-3);
        Disuelto(b, 3, 1e-3);
        Disuelto(b, 4, 1e-3);
        QVERIFY(a.AvanceReversible(0) > 0.0);
        QVERIFY(b.AvanceReversible(0) < 0.0);
        QCOMPARE(a.Reaccionar(), int(SIMULACION_CAMBIO));
        QCOMPARE(b.Reaccionar(), int(SIMULACION_CAMBIO));
        for (const CSeno* s : {&a, &b}) {
            const CFase& l = s->m_faseLiquida;
            QVERIFY(Cerca(l.Moles(3), x, 1e-9));
            QVERIFY(Cerca(l.Moles(1), 1e-3 - x, 1e-9));
            QVERIFY(Cerca(l.Moles(2), 1e-3 - x, 1e-9));
            QVERIFY(Cerca(l.Moles(4), x, 1e-9));
        }
        // At equilibrium nothing moves, nor is reported as moving.
        QCOMPARE(a.Reaccionar(), 0);
        QCOMPARE(a.AvanceReversible(0), 0.0);
        // More Fe3+ (Le Chatelier): more of the red complex, less free thiocyanate.
        const double dAntes = a.m_faseLiquida.Moles(3);
        Disuelto(a, 1, 1e-3);
        a.Reaccionar();
        QVERIFY(a.m_faseLiquida.Moles(3) > 1.5 * dAntes);
        // Half the way each step: the rest halves.
        CCatalogo lento = cat;
        lento.m_reacciones[0].m_reversible.m_dRapidez = 0.5;
        CSeno c(&lento);
        c.m_dTemperatura = 25.0;
        c.Agregar(0, 1000.0, UNIDAD_ML);
        Disuelto(c, 1, 1e-3);
        Disuelto(c, 2, 1e-3);
        c.Reaccionar();
        QVERIFY(Cerca(c.m_faseLiquida.Moles(3), x / 2.0, 1e-9));
    }

    // AgCl, Ksp 1.77e-10: from equal amounts of silver and chloride, sqrt(Ksp) = 1.33e-5 M
    // stays in solution; with 0.01 M chloride left over, Ksp / 0.01 = 1.77e-8 M (the common
    // ion). Diluting the saturated solution to twice its volume dissolves precipitate back.
    void precipitadoYIonComun() {
        const CCatalogo cat = CatalogoPlata();
        for (double dCloruro : {0.01, 0.02}) {
            CSeno s(&cat);
            s.m_dTemperatura = 25.0;
            s.Agregar(0, 1000.0, UNIDAD_ML);
            Disuelto(s, 1, 0.01);
            Disuelto(s, 2, dCloruro);
            const double dMasa = Masa(s);
            s.Reaccionar();
            const double dPlata = s.m_faseLiquida.Moles(1);
            QVERIFY2(Cerca(dPlata, dCloruro == 0.01 ? 1.33e-5 : 1.77e-8, 3e-3),
                     qPrintable(QString::number(dPlata)));
            QVERIFY(Cerca(s.m_faseSolida.Moles(3), 0.01 - dPlata, 1e-12));
            QVERIFY(std::fabs(Masa(s) - dMasa) < 1e-12 * dMasa);
            if (dCloruro != 0.01)
                continue;
            s.Agregar(0, 1000.0, UNIDAD_ML);
            QVERIFY(s.AvanceReversible(0) < 0.0);
            s.Reaccionar();
            QVERIFY(Cerca(s.m_faseLiquida.Moles(1), 2.0 * std::sqrt(1.77e-10), 3e-3));
            QVERIFY(Cerca(s.m_faseSolida.Moles(3), 0.01 - 2.0 * std::sqrt(1.77e-10), 1e-9));
            QVERIFY(std::fabs(Masa(s) - dMasa - 1000.0) < 1e-9 * dMasa);
        }
    }

    // Water's ion product as a reaction H2O <=> H+ + OH-: pKw 13.995 at 25 °C and the
    // enthalpy of ionisation 55.84 kJ/mol (CRC Handbook) give by van 't Hoff, whose constant
    // enthalpy ignores the heat capacity, pKw 13.24 at 50 °C and 14.89 at 0 °C, against
    // 13.262 and 14.947 measured (CRC, Marshall and Franck): within 0.06.
    void constanteConLaTemperatura() {
        CReversibleDatos d;
        d.m_dK25 = std::pow(10.0, -13.995);
        d.m_dEntalpia = 55.84;
        const double ln10 = std::log(10.0);
        QCOMPARE(-Reversibles::LnK(d, 25.0) / ln10, 13.995);
        QVERIFY(std::fabs(-Reversibles::LnK(d, 50.0) / ln10 - 13.262) < 0.06);
        QVERIFY(std::fabs(-Reversibles::LnK(d, 0.0) / ln10 - 14.947) < 0.06);
        // Data that are no reaction, and temperatures out of any range, stay finite.
        for (double T : {-1e300, -273.15, 1e300, std::nan("")})
            QVERIFY(std::isfinite(Reversibles::LnK(d, T)));
        d.m_dK25 = -1.0;
        QCOMPARE(Reversibles::LnK(d, 25.0), 0.0);
    }

    // An endothermic step takes its heat from the vessel: 50 kJ/mol over 8.25e-5 mol is
    // 4.125 J, 0.986 cal (1 cal = 4.184 J), about a thousandth of a degree in a litre.
    void calorDeLaReaccion() {
        CCatalogo cat = CatalogoHierro();
        cat.m_reacciones[0].m_reversible.m_dEntalpia = 50.0;
        cat.m_reacciones[0].m_reversible.m_dK25 =
            98.0 * std::exp(50.0e3 / Reversibles::kR * (1.0 / 293.15 - 1.0 / 298.15));
        CSeno s(&cat);
        s.Agregar(0, 1000.0, UNIDAD_ML);
        Disuelto(s, 1, 1e-3);
        Disuelto(s, 2, 1e-3);
        const double C =
            s.m_faseLiquida.CapacidadCalorifica() + s.m_faseSolida.CapacidadCalorifica();
        const double T0 = s.m_dTemperatura;
        QCOMPARE(T0, 20.0); // where K is 98 by construction
        const double e = s.AvanceReversible(0);
        QVERIFY(Cerca(e, 8.25e-5, 1e-3));
        s.AplicarReversible(0, e);
        QVERIFY(Cerca(T0 - s.m_dTemperatura, e * 50.0e3 / 4.184 / C, 1e-6));
        // Backward gives it back.
        s.AplicarReversible(0, -e);
        QVERIFY2(std::fabs(s.m_dTemperatura - T0) < 1e-9,
                 qPrintable(QString::number(s.m_dTemperatura - T0)));
    }

    // The bisection on its own: no room, no liquid, or non-finite data give no move; a side
    // that holds nothing gives no room that way.
    void extensionAcotada() {
        using Reversibles::Termino;
        const Termino t[2] = {{1.0, -1.0, -1.0}, {0.0, 1.0, 1.0}};
        const double x = Reversibles::Extension(t, 2, 1.0, 0.0);
        QVERIFY(Cerca(x, 0.5, 1e-12)); // 1 - x = x
        QCOMPARE(Reversibles::Extension(t, 2, 0.0, 0.0), 0.0);
        QCOMPARE(Reversibles::Extension(t, 2, 1.0, std::nan("")), 0.0);
        const Termino u[1] = {{1.0, -1.0, -1.0}}; // takes, makes nothing
        QVERIFY(Reversibles::Extension(u, 1, 1.0, 100.0) > 0.999);
        QCOMPARE(Reversibles::Extension(u, 1, 1.0, -100.0), 0.0);
        const Termino v[2] = {{std::nan(""), -1.0, -1.0}, {0.0, 1.0, 1.0}};
        QCOMPARE(Reversibles::Extension(v, 2, 1.0, 0.0), 0.0);
    }

    // Random catalogues (each reaction balanced in mass) with reversible data of every kind
    // on their reactions: closed vessels heated and left to cool keep their mass to the
    // rounding, every number finite and none negative, and every step ends.
    void datosAleatorios() {
        for (uint32_t nSemilla = 1; nSemilla <= 300; ++nSemilla) {
            CCatalogo cat = prueba::CatalogoAleatorio(nSemilla);
            std::mt19937 rng(nSemilla);
            auto u = [&](double a, double b) {
                return std::uniform_real_distribution<double>(a, b)(rng);
            };
            for (CReacciones& R : cat.m_reacciones) {
                if (rng() % 4 == 0)
                    continue;
                R.m_reversible.m_dK25 = std::pow(10.0, u(-40.0, 40.0));
                R.m_reversible.m_dEntalpia = u(-500.0, 500.0);
                R.m_reversible.m_dRapidez = rng() % 3 == 0 ? 1.0 : u(1e-3, 1.0);
                R.m_reversible.m_nFueraDeQ = static_cast<int32_t>(rng() % 64);
            }
            CSeno s(&cat);
            s.m_bCerrado = 1;
            s.Agregar(0, u(0.0, 200.0), UNIDAD_ML);
            for (int32_t c = 1; c < cat.NumComponentes(); ++c) {
                if (rng() % 3 == 0)
                    continue;
                CFase* fases[3] = {&s.m_faseSolida, &s.m_faseLiquida, &s.m_faseGas};
                fases[rng() % 3]->Agregar(c, u(1e-4, 0.5), UNIDAD_MOLES);
            }
            s.m_faseLiquida.IonizarTodo();
            const int nCalor = static_cast<int>(rng() % 100);
            for (int i = 0; i < 150; ++i) {
                const double antes = Masa(s);
                s.m_bCalentado = 0;
                if (i < nCalor)
                    s.Calentar(20.0);
                s.Simular();
                QVERIFY2(Sano(s),
                         qPrintable(QStringLiteral("semilla %1 paso %2").arg(nSemilla).arg(i)));
                // The molar masses of a random reaction balance to 1e-12 of its reactants.
                QVERIFY2(std::fabs(Masa(s) - antes) <= 1e-9 * antes + 1e-12,
                         qPrintable(QStringLiteral("semilla %1 paso %2: %3 -> %4")
                                        .arg(nSemilla)
                                        .arg(i)
                                        .arg(antes, 0, 'g', 12)
                                        .arg(Masa(s), 0, 'g', 12)));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestReversibles)
#include "tst_reversibles.moc"
