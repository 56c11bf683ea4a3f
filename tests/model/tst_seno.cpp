// The vessel interior: the simulation step, heat, boiling, freezing, reactions with their
// limits, pouring, the record and resetting.
#include "CatalogosPrueba.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"
#include "model/Seno.h"

#include <QtTest>

#include <cmath>
#include <random>

using namespace prueba;

namespace {
bool Finito(const CSeno& s) {
    if (!std::isfinite(s.m_dTemperatura))
        return false;
    for (const CFase* f : {&s.m_faseLiquida, &s.m_faseSolida, &s.m_faseGas}) {
        if (!std::isfinite(f->m_dVolumen) || !std::isfinite(f->m_dMasa))
            return false;
        for (const CContenido& e : f->m_listaContenido)
            for (double d : {e.m_dMoles, e.m_dGramos, e.m_dMl, e.m_dMolesAnion, e.m_dMolesCation})
                if (!std::isfinite(d))
                    return false;
    }
    return true;
}

// A catalogue of water, A (solid), B (gas, index 1: the air's), C (liquid) and D (solid),
// for reactions built by each test.
CCatalogo CatalogoAbstracto(int32_t nReacciones) {
    CCatalogo cat;
    for (int32_t nId : {1, 14, 47, 152, 150}) {
        cat.m_componentes.push_back(Componente(nId));
        cat.m_componentes.back().AjustarSolubilidad();
    }
    cat.m_reacciones.resize(static_cast<size_t>(nReacciones));
    return cat;
}
} // namespace

class TestSeno : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void cleanup() { cat = CCatalogo(); }

    void aguaEnReposo() {
        cat = CCatalogo::Inicial();
        CSeno s(&cat);
        s.Agregar(0, 100.0, UNIDAD_ML);
        QCOMPARE(s.AjustarTemperatura(), 0);
        QCOMPARE(s.Simular(), 0);
        QCOMPARE(s.m_dTemperatura, 20.0);
    }

    void hidroxidoDeSodioSeDisuelve() {
        cat = CCatalogo::Inicial();
        CSeno s(&cat);
        s.Agregar(0, 100.0, UNIDAD_ML);
        s.Agregar(1, 4.0, UNIDAD_GRAMOS);
        QCOMPARE(s.m_faseSolida.Moles(1), 0.1);
        QCOMPARE(s.m_faseSolida.m_dVolumen, 4.0 / 2.163);
        s.Simular();
        QCOMPARE(s.m_faseLiquida.Moles(1), 0.002);
        QCOMPARE(s.m_faseLiquida.Buscar(1)->m_dMolesAnion, 0.002);
        for (int i = 1; i < 50; ++i)
            s.Simular();
        QVERIFY(std::fabs(s.m_faseSolida.Moles(1)) < 1e-12);
        QVERIFY(std::fabs(s.m_faseLiquida.Moles(1) - 0.1) < 1e-12);
        s.Simular();
        QCOMPARE(s.m_faseLiquida.CalcularPH(), 14.0);
        QVERIFY(Finito(s));
    }

    void calentarAguaHastaHervir() {
        cat = CCatalogo::Inicial();
        CSeno s(&cat);
        s.Agregar(0, 100.0, UNIDAD_ML);
        // 100 ml of water and the empty solid phase (31) have a heat capacity of 131.
        int nUltimo = 0;
        double tAnterior = 20.0;
        for (int i = 0; i < 1100; ++i) {
            s.m_bCalentado = 0;
            s.Calentar(10.0);
            QVERIFY(s.m_dTemperatura >= tAnterior);
            QVERIFY(s.m_dTemperatura <= 100.0);
            tAnterior = s.m_dTemperatura;
            if (s.m_dTemperatura <= 60.0) {
                QCOMPARE(s.m_nEbullicion, 0);
            } else if (s.m_dTemperatura < 100.0) {
                const int esperado = static_cast<int>((s.m_dTemperatura - 60.0) * 30.0 / 40.0);
                QCOMPARE(s.m_nEbullicion, std::min(esperado, 30));
                QVERIFY(s.m_nEbullicion >= nUltimo);
                nUltimo = s.m_nEbullicion;
            }
        }
        QCOMPARE(s.m_dTemperatura, 100.0);
        QCOMPARE(s.m_nEbullicion, 30);
        QCOMPARE(s.m_bCalentado, 1);
        // At the plateau each call boils off at most 0.001 mol.
        const double antes = s.m_faseLiquida.Moles(0);
        s.Calentar(10.0);
        QCOMPARE(antes - s.m_faseLiquida.Moles(0), 0.001);
        QVERIFY(s.m_faseGas.Moles(0) > 0.0);
        // Left alone it cools by 2 / C per step and the bubbles calm down below 60.
        for (int i = 0; i < 10000 && s.m_dTemperatura > 20.0; ++i)
            s.AjustarTemperatura();
        QCOMPARE(s.m_dTemperatura, 20.0);
        QCOMPARE(s.m_nEbullicion, 0);
        QVERIFY(Finito(s));
    }

    void elevacionDelPuntoDeEbullicion() {
        cat = CCatalogo::Inicial();
        CSeno s(&cat);
        s.Agregar(0, 100.0, UNIDAD_GRAMOS);
        s.m_faseLiquida.Agregar(1, 0.5, UNIDAD_MOLES);
        const double B = 100.0 + 0.5 / 100.0 * 512.0;
        QCOMPARE(s.m_faseLiquida.TemperaturaEbullicion(), B);
        s.m_dTemperatura = 61.0; // above 60 but below 0.6 B
        s.Calentar(0.0);
        QCOMPARE(s.m_nEbullicion, 0);
        for (int i = 0; i < 5000 && s.m_dTemperatura < B; ++i)
            s.Calentar(50.0);
        QCOMPARE(s.m_dTemperatura, B);
        // Boiling off water concentrates the solution and raises the plateau with it.
        for (int i = 0; i < 1000; ++i) {
            const double antes = s.m_faseLiquida.TemperaturaEbullicion();
            s.Calentar(50.0);
            QCOMPARE(s.m_dTemperatura, antes);
        }
        QVERIFY(s.m_dTemperatura > B);
        // Boiled dry: as the last grams of water go, the elevation no longer divides by next
        // to nothing, the film left is cleared, and nothing runs away or goes negative.
        for (int i = 0; i < 20000; ++i) {
            s.Calentar(50.0);
            s.Simular();
            const double dAgua = s.m_faseLiquida.m_pAgua->m_dGramos;
            QVERIFY(std::isfinite(s.m_dTemperatura) && s.m_dTemperatura <= kTemperaturaMaxima);
            QVERIFY(dAgua < CFase::kAguaMinimaElevacion ||
                    s.m_dTemperatura <= 100.0 + 0.5 / CFase::kAguaMinimaElevacion * 512.0);
            QVERIFY(s.m_faseLiquida.m_dVolumen >= 0.0 && s.m_faseSolida.m_dVolumen >= 0.0 &&
                    s.m_faseGas.m_dMasa >= 0.0 && dAgua >= 0.0);
        }
        QCOMPARE(s.m_faseLiquida.m_pAgua->m_dGramos, 0.0);
    }

    void congelarYFundir() {
        cat = CCatalogo::Inicial();
        CSeno s(&cat);
        s.Agregar(0, 9.0, UNIDAD_GRAMOS); // 0.5 mol
        s.m_dTemperatura = 0.5;
        s.Calentar(-100.0); // down to 0: water freezes 0.1 mol per call
        QCOMPARE(s.m_dTemperatura, 0.0);
        QCOMPARE(s.m_faseSolida.Moles(0), 0.0); // melting point not above 0
        cat.m_componentes[0].m_dPuntoFusion = 4.0;
        s.Calentar(-1.0);
        QCOMPARE(s.m_faseSolida.Moles(0), 0.1);
        s.Calentar(-1.0);
        QCOMPARE(s.m_faseSolida.Moles(0), 0.2);
        // Relaxation alone never freezes a liquid...
        s.m_dTemperaturaAmbiente = 0.0;
        const double solido = s.m_faseSolida.Moles(0);
        s.AjustarTemperatura();
        QCOMPARE(s.m_faseSolida.Moles(0), solido);
        // ...but warming towards the ambient melts, 0.1 mol per step.
        s.m_dTemperaturaAmbiente = 20.0;
        s.AjustarTemperatura();
        QVERIFY(s.m_dTemperatura < 4.0);
        QCOMPARE(s.m_faseSolida.Moles(0), solido);
        for (int i = 0; i < 200 && s.m_dTemperatura < 4.0; ++i)
            s.AjustarTemperatura();
        QCOMPARE(s.m_faseSolida.Moles(0), solido - 0.1);
        s.AjustarTemperatura();
        QCOMPARE(s.m_faseSolida.Moles(0), solido - 0.2);
        QVERIFY(Finito(s));
    }

    // A solution cooled to its freezing point keeps its solute: 903's 0.1 M hydroxide in an
    // ice bath, and poured into another beaker first, loses nothing to the solid.
    void disolucionEnfriada() {
        cat = prueba::Catalogo903();
        CSeno a(&cat), b(&cat);
        a.m_faseLiquida.AgregarReactivo(R_NAOH, 0.05); // 50 ml
        a.VerterLiquido(b, 25.0);
        for (CSeno* s : {&a, &b}) {
            s->m_dTemperatura = 0.5;
            for (int i = 0; i < 5; ++i)
                s->Calentar(-100.0);
            QCOMPARE(s->m_faseSolida.Moles(NAOH), 0.0);
            QVERIFY(std::fabs(s->m_faseLiquida.Moles(NAOH) - 0.0025) < 1e-12);
        }
    }

    void calorCeroTambienCalienta() {
        cat = CCatalogo::Inicial();
        CSeno s(&cat);
        s.Agregar(0, 100.0, UNIDAD_ML);
        s.m_dTemperatura = 50.0;
        s.Calentar(0.0);
        QCOMPARE(s.m_bCalentado, 1);
        s.Simular();
        QCOMPARE(s.m_dTemperatura, 50.0); // no relaxation in a heated tick
        s.m_bCalentado = 0;
        s.Simular();
        QCOMPARE(s.m_dTemperatura, 50.0 - 2.0 / 131.0);
    }

    void reaccionConTemperaturaMinimaYTope() {
        cat = prueba::Catalogo902();
        // Indices: water 0, O2 1, CuSO4 2, CuSO4·5H2O 3, NaOH 4, HCl 5.
        CSeno s(&cat);
        s.m_faseSolida.Agregar(3, 0.01, UNIDAD_MOLES);
        QCOMPARE(s.AvanceReaccion(1), 0.0); // below 35 degrees
        s.m_dTemperatura = 35.0;
        QCOMPARE(s.AvanceReaccion(1), 0.001); // capped
        s.Reaccionar();
        QCOMPARE(s.m_faseSolida.Moles(3), 0.009);
        QCOMPARE(s.m_faseSolida.Moles(2), 0.001);
        QCOMPARE(s.m_faseGas.Moles(0), 0.005);
        // Hydration has no cap: it takes all the water it can at once and warms the vessel.
        CSeno h(&cat);
        h.m_faseSolida.Agregar(2, 0.01, UNIDAD_MOLES);
        h.Agregar(0, 18.01528, UNIDAD_GRAMOS);
        QCOMPARE(h.AvanceReaccion(0), 0.01);
        h.Reaccionar();
        QCOMPARE(h.m_faseSolida.Moles(3), 0.01);
        QVERIFY(h.m_dTemperatura > 20.0);
        QCOMPARE(h.m_bCalentado, 1);
    }

    void equilibrioYCatalizador() {
        cat = CatalogoAbstracto(1);
        CReacciones& R = cat.m_reacciones[0];
        // C (liquid, index 3) -> D (index 4, put in the liquid)
        R.m_nReactivo[0] = 3;
        R.m_nCoefReactivo[0] = 1;
        R.m_nFaseReactivo[0] = FASE_LIQUIDA;
        R.m_nReactivo[1] = R.m_nReactivo[2] = 5;
        R.m_nProducto[0] = 4;
        R.m_nCoefProducto[0] = 1;
        R.m_nFaseProducto[0] = FASE_LIQUIDA;
        R.m_nProducto[1] = R.m_nProducto[2] = 5;
        R.m_bEquilibrio = 1;
        R.m_dConstanteEquilibrio = 0.25;
        R.m_bSinLimite = 0;
        R.m_dLimitePaso = 0.0001;
        CSeno s(&cat);
        s.Agregar(0, 1000.0, UNIDAD_ML);
        s.m_faseLiquida.Agregar(3, 1.0, UNIDAD_MOLES);
        // x = L (x0 K / L)^(1/n) with n the sum of product coefficients: 1 l, 1 mol, K 0.25.
        QCOMPARE(s.AvanceReaccion(0), 0.25);
        s.Reaccionar();
        QCOMPARE(s.m_faseLiquida.Moles(4), 0.25);
        // Now the product meets coefficient times the equilibrium extent: the reaction stops.
        QCOMPARE(s.AvanceReaccion(0), 0.0);
        QCOMPARE(s.Reaccionar(), 0);
        // A catalyst present anywhere ignores both the equilibrium and the cap.
        R.m_nCatalizador = 2;
        R.m_dLimiteCatalizado = 0.05;
        s.m_faseGas.Agregar(2, 1e-6, UNIDAD_MOLES);
        QCOMPARE(s.AvanceReaccion(0), 0.05);
        R.m_dLimiteCatalizado = 5.0;
        QCOMPARE(s.AvanceReaccion(0), 0.75);
        // Without the equilibrium, the cap rules.
        R.m_nCatalizador = 0;
        R.m_bEquilibrio = 0;
        QCOMPARE(s.AvanceReaccion(0), 0.0001);
        // Two product units and half a litre: x = 2 L (x0 K / L)^(1/2). At 1 l, 1 mol and
        // n = 1 the formula's powers cancel; here a wrong root or a missing L shows.
        R.m_bEquilibrio = 1;
        R.m_nCoefProducto[0] = 2;
        R.m_dConstanteEquilibrio = 0.01;
        CSeno m(&cat);
        m.Agregar(0, 500.0, UNIDAD_ML);
        m.m_faseLiquida.Agregar(3, 0.2, UNIDAD_MOLES);
        const double L = m.m_faseLiquida.m_dVolumen * 0.001;
        QVERIFY(L > 0.49 && L < 0.6);
        QCOMPARE(m.AvanceReaccion(0), 2.0 * L * std::sqrt(0.2 * 0.01 / L));
        // With K = 0.25 the formula gives 0.32 mol, more than the 0.2 mol of C there are:
        // the extent is what the reactant holds, and no matter comes from nothing.
        R.m_dConstanteEquilibrio = 0.25;
        QVERIFY(2.0 * L * std::sqrt(0.2 * 0.25 / L) > 0.3);
        QCOMPARE(m.AvanceReaccion(0), 0.2);
        const double dMasa = m.m_faseLiquida.m_dMasa;
        m.Reaccionar();
        QCOMPARE(m.m_faseLiquida.Moles(3), 0.0);
        QCOMPARE(m.m_faseLiquida.Moles(4), 0.4);
        // 0.2 mol of C (63.01284 g/mol) became 0.4 mol of D (65.38 g/mol): the catalogue's
        // equation is not balanced, and the mass changes by exactly its difference.
        QCOMPARE(m.m_faseLiquida.m_dMasa - dMasa, 0.4 * 65.38 - 0.2 * 63.01284);
        R.m_nCoefProducto[0] = 1;
        // An equilibrium without liquid has nothing to stand on: no extent, no NaN.
        R.m_bEquilibrio = 1;
        CSeno seco(&cat);
        seco.m_faseGas.Agregar(3, 1.0, UNIDAD_MOLES);
        R.m_nFaseReactivo[0] = FASE_GAS;
        QCOMPARE(seco.AvanceReaccion(0), 0.0);
        QCOMPARE(seco.Reaccionar(), 0);
        QVERIFY(Finito(seco));
    }

    void vasoAbiertoYVasoCerrado() {
        cat = CatalogoAbstracto(1);
        CReacciones& R = cat.m_reacciones[0];
        // B (gas, index 1) + A (solid, index 2) -> C in the liquid.
        R.m_nReactivo[0] = 1;
        R.m_nCoefReactivo[0] = 1;
        R.m_nFaseReactivo[0] = FASE_GAS;
        R.m_nReactivo[1] = 2;
        R.m_nCoefReactivo[1] = 2;
        R.m_nFaseReactivo[1] = FASE_SOLIDA;
        R.m_nReactivo[2] = 5;
        R.m_nProducto[0] = 3;
        R.m_nCoefProducto[0] = 1;
        R.m_nFaseProducto[0] = FASE_LIQUIDA;
        R.m_nProducto[1] = R.m_nProducto[2] = 5;
        R.m_bSinLimite = 1;
        CSeno abierto(&cat);
        abierto.m_faseSolida.Agregar(2, 0.4, UNIDAD_MOLES);
        QCOMPARE(abierto.AvanceReaccion(0), 0.2); // the air gives all the B needed
        abierto.Reaccionar();
        QCOMPARE(abierto.m_faseSolida.Moles(2), 0.0);
        QCOMPARE(abierto.m_faseLiquida.Moles(3), 0.2);
        QVERIFY(!abierto.m_faseGas.Buscar(1)); // none consumed from the gas
        CSeno cerrado(&cat);
        cerrado.m_bCerrado = 1;
        cerrado.m_faseSolida.Agregar(2, 0.4, UNIDAD_MOLES);
        QCOMPARE(cerrado.AvanceReaccion(0), 0.0);
        cerrado.m_faseGas.Agregar(1, 0.05, UNIDAD_MOLES);
        cerrado.Reaccionar();
        QCOMPARE(cerrado.m_faseGas.Moles(1), 0.0);
        QCOMPARE(cerrado.m_faseSolida.Moles(2), 0.3);
        // A vessel with nothing in it runs no reaction.
        CSeno vacio(&cat);
        QCOMPARE(vacio.Reaccionar(), 0);
    }

    void coeficienteCeroNoDaInfinito() {
        cat = CatalogoAbstracto(1);
        CReacciones& R = cat.m_reacciones[0];
        R.m_nReactivo[0] = 3;
        R.m_nCoefReactivo[0] = 0;
        R.m_nFaseReactivo[0] = FASE_LIQUIDA;
        R.m_nReactivo[1] = R.m_nReactivo[2] = 5;
        R.m_nProducto[0] = 4;
        R.m_nCoefProducto[0] = 1;
        R.m_nFaseProducto[0] = 7; // not a phase code: nowhere to put it
        R.m_nProducto[1] = R.m_nProducto[2] = 5;
        R.m_bSinLimite = 1;
        CSeno s(&cat);
        s.Agregar(0, 10.0, UNIDAD_ML);
        s.m_faseLiquida.Agregar(3, 0.1, UNIDAD_MOLES);
        QCOMPARE(s.AvanceReaccion(0), 0.0);
        // A product with nowhere to go would take its matter out of the world: the reaction
        // does not run.
        R.m_nCoefReactivo[0] = 1;
        QCOMPARE(s.AvanceReaccion(0), 0.0);
        s.Reaccionar();
        QVERIFY(Finito(s));
        QCOMPARE(s.m_faseLiquida.Moles(3), 0.1);
    }

    void neutralizacionExactaDaPH7() {
        cat = prueba::Catalogo903();
        CSeno s(&cat);
        // 10 ml of problem solution 1 and 1.654 ml of 0.1 M NaOH: exactly equivalent.
        s.m_faseLiquida.AgregarReactivo(R_PROBLEMA1,
                                        10.0 / cat.m_reactivos[R_PROBLEMA1].MlPorUnidad(cat));
        s.m_faseLiquida.AgregarReactivo(R_NAOH, 1.654 / cat.m_reactivos[R_NAOH].MlPorUnidad(cat));
        for (int i = 0; i < 200; ++i) {
            s.m_bCalentado = 0;
            s.Simular();
            QCOMPARE(QString::number(s.m_faseLiquida.CalcularPH(), 'f', 2), QString("7.00"));
        }
        QCOMPARE(s.m_faseLiquida.Moles(NAOH), 0.0);
        QCOMPARE(s.m_faseLiquida.Moles(HCL), 0.0);
        QVERIFY(std::fabs(s.m_faseLiquida.Moles(NACL) - 1.654e-4) < 1e-12);
        // Short of the equivalence the excess acid shows, past it the base.
        CSeno acido(&cat);
        acido.m_faseLiquida.AgregarReactivo(R_PROBLEMA1, 0.01);
        acido.m_faseLiquida.AgregarReactivo(R_NAOH, 0.0015);
        // The reaction's heat is negative: the first step cools and freezes the salts out
        // for a moment, the next ones dissolve them back.
        for (int i = 0; i < 5; ++i)
            acido.Simular();
        QVERIFY(acido.m_faseLiquida.CalcularPH() < 4.0);
        CSeno base(&cat);
        base.m_faseLiquida.AgregarReactivo(R_PROBLEMA1, 0.01);
        base.m_faseLiquida.AgregarReactivo(R_NAOH, 0.0018);
        for (int i = 0; i < 5; ++i)
            base.Simular();
        QVERIFY(base.m_faseLiquida.CalcularPH() > 10.0);
    }

    void verterLiquidoMezclaElCalor() {
        cat = CCatalogo::Inicial();
        CSeno a(&cat), b(&cat);
        a.Agregar(0, 100.0, UNIDAD_ML);
        a.m_dTemperatura = 80.0;
        b.Agregar(0, 100.0, UNIDAD_ML);
        a.VerterLiquido(b, 10.0);
        QCOMPARE(QString::number(b.m_dTemperatura, 'f', 2), QString("25.45"));
        QCOMPARE(b.m_faseLiquida.m_dVolumen, 110.0);
        QCOMPARE(a.m_faseLiquida.m_dVolumen, 90.0);
        QCOMPARE(a.m_dTemperatura, 80.0);
        // Into an empty vessel the liquid brings its own temperature.
        CSeno c(&cat);
        a.VerterLiquido(c, 30.0);
        QCOMPARE(c.m_dTemperatura, 80.0);
        // Pouring from nothing or nothing at all changes nothing.
        CSeno vacio(&cat);
        vacio.VerterLiquido(c, 10.0);
        a.VerterLiquido(c, 0.0);
        QCOMPARE(c.m_faseLiquida.m_dVolumen, 30.0);
        QVERIFY(Finito(c));
    }

    void verterSolido() {
        cat = CCatalogo::Inicial();
        CSeno a(&cat), b(&cat);
        a.Agregar(2, 0.02, UNIDAD_MOLES);
        a.m_dTemperatura = 60.0;
        b.Agregar(0, 100.0, UNIDAD_ML);
        a.VerterSolido(b, a.m_faseSolida.m_dVolumen / 2.0);
        QCOMPARE(b.m_faseSolida.Moles(2), 0.01);
        const double ca = 0.01 * 159.63;
        QCOMPARE(b.m_dTemperatura, (ca * 60.0 + 100.0 * 20.0) / (ca + 100.0));
    }

    void registroYReinicio() {
        cat = prueba::Catalogo903();
        CSeno s(&cat);
        s.m_faseLiquida.AgregarReactivo(R_PROBLEMA2, 0.02);
        s.m_faseLiquida.AgregarIndicador(1);
        s.m_faseSolida.Agregar(NACL, 0.5, UNIDAD_MOLES);
        s.m_faseGas.Agregar(HCL, 0.001, UNIDAD_MOLES);
        s.m_dTemperatura = 42.5;
        s.m_dTemperaturaAmbiente = 30.0;
        CArchivo ar;
        s.Serialize(ar);
        CSeno t(&cat);
        CArchivo lee(ar.Datos());
        t.Serialize(lee);
        QVERIFY(lee.AlFinal());
        QCOMPARE(t.m_dTemperatura, 42.5);
        QCOMPARE(t.m_dTemperaturaAmbiente, 20.0); // not stored
        QCOMPARE(t.m_faseLiquida.Moles(HCL), s.m_faseLiquida.Moles(HCL));
        QCOMPARE(t.m_faseGas.Moles(HCL), 0.001);
        const std::vector<CEntradaFase> r1 = s.Contenido(), r2 = t.Contenido();
        QCOMPARE(r1.size(), r2.size());
        for (size_t i = 0; i < r1.size(); ++i) {
            const CEntradaFase &a = r1[i], &b = r2[i];
            QCOMPARE(b.m_nComponente, a.m_nComponente);
            QCOMPARE(b.m_nEstado, a.m_nEstado);
            QCOMPARE(b.m_nFase, a.m_nFase);
            QCOMPARE(b.m_bVolumen, a.m_bVolumen);
            for (auto m : {&CEntradaFase::m_dMoles, &CEntradaFase::m_dGramos, &CEntradaFase::m_dMl,
                           &CEntradaFase::m_dMolesCation, &CEntradaFase::m_dMolesAnion})
                QCOMPARE(b.*m, a.*m);
        }
        QCOMPARE(t.Indicadores(ESTADO_LIQUIDO), std::vector<int32_t>{1});
        QCOMPARE(r1[0].m_nFase, ESTADO_LIQUIDO);
        QCOMPARE(r1.back().m_nFase, ESTADO_GAS);
        QCOMPARE(t.MolesLiquidoSolido(), s.MolesLiquidoSolido());
        QCOMPARE(t.MolesComponente(HCL), s.MolesComponente(HCL));

        // Phases swapped in a record are damage, and so is every truncation.
        auto d = ar.Datos();
        d[16] = ESTADO_SOLIDO;
        CArchivo malo(d);
        CSeno u(&cat);
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, u.Serialize(malo));
        QCOMPARE(u.m_faseLiquida.m_nEstado, ESTADO_LIQUIDO);
        std::mt19937 rng(9);
        for (int vuelta = 0; vuelta < 400; ++vuelta) {
            auto dano = ar.Datos();
            if (vuelta % 2)
                dano.resize(rng() % dano.size());
            else
                dano[rng() % dano.size()] = static_cast<uint8_t>(rng());
            CArchivo lee2(dano);
            CSeno v(&cat);
            try {
                v.Serialize(lee2);
            } catch (const CErrorArchivo&) {
                continue;
            }
            for (int i = 0; i < 20; ++i)
                v.Simular();
        }

        s.m_nEbullicion = 12;
        s.Reiniciar();
        QCOMPARE(s.MolesLiquidoSolido(), 0.0);
        QVERIFY(s.m_faseGas.m_listaContenido.empty());
        QVERIFY(s.m_faseLiquida.m_listaIndicadores.empty());
        QCOMPARE(s.m_dTemperatura, 20.0);
        QCOMPARE(s.m_dTemperaturaAmbiente, 20.0);
        QCOMPARE(s.m_nEbullicion, 0);
    }

    void conservacionDeLaMateria() {
        // Template 900's copper cycle: nitric acid dissolves copper, giving copper nitrate
        // in the liquid and nitric oxide in the gas.
        cat = prueba::Catalogo900();
        const int32_t cobre = cat.BuscarComponente(47), nitrato = cat.BuscarComponente(159),
                      no = cat.BuscarComponente(154);
        CSeno s(&cat);
        s.m_faseLiquida.AgregarReactivo(2, 0.05);  // 50 ml of 1 M nitric acid
        s.m_faseSolida.AgregarReactivo(4, 0.0001); // 0.01 mol of copper
        for (int i = 0; i < 10; ++i)
            s.Simular();
        QCOMPARE(s.m_faseSolida.Moles(cobre), 0.0);
        QVERIFY(std::fabs(s.m_faseLiquida.Moles(nitrato) - 0.01) < 1e-12);
        QVERIFY(std::fabs(s.m_faseGas.Moles(no) - 0.02 / 3.0) < 1e-12);
        QVERIFY(Finito(s));
    }

    void pasosDeSimulacion() {
        cat = CCatalogo::Inicial();
        CSeno s(&cat);
        s.Agregar(0, 100.0, UNIDAD_ML);
        s.Agregar(1, 1.0, UNIDAD_GRAMOS);
        s.Simular(3);
        QCOMPARE(s.m_faseLiquida.Moles(1), 0.006);
        // The stirrer dissolves faster.
        QCOMPARE(s.DisolverSolidos(0.02), 1);
        QCOMPARE(s.m_faseLiquida.Moles(1), 0.025);
    }
};

QTEST_APPLESS_MAIN(TestSeno)
#include "tst_seno.moc"
