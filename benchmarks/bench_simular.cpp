// One simulation step of a busy vessel: a dozen components spread over the three phases and
// six reactions that run on every step (three pairs that undo each other, capped so that
// they never run out).
#include "model/Catalogo.h"
#include "model/Equilibrio.h"
#include "model/Seno.h"

#include <benchmark/benchmark.h>

namespace {

enum : int32_t { AGUA, O2, A, C, D, E, F, G, H, NACL, DEBIL, ARENA, N };

void Componente(CCatalogo& cat, int32_t i, const char* formula, double masa, double densidad,
                int32_t estado, double constante, const char* cation, const char* anion,
                double solubilidad, double ebullicion, double calor = 1.0) {
    CComponentes& c = cat.m_componentes[static_cast<size_t>(i)];
    c.m_nId = i + 1;
    c.m_strNombre = formula;
    c.m_strFormula = formula;
    c.m_dMasaMolar = masa;
    c.m_dDensidad = densidad;
    c.m_dCalorEspecifico = calor;
    c.m_crColor = 0x102030u * static_cast<uint32_t>(i + 1) & 0xFEFEFEu;
    c.m_nEstado = estado;
    c.m_dConstante = constante;
    c.m_dPuntoFusion = estado == ESTADO_SOLIDO ? 500.0 : -50.0;
    c.m_dPuntoEbullicion = ebullicion;
    c.m_strCation = cation;
    c.m_strAnion = anion;
    c.m_nCantidadCation = c.m_nCantidadAnion = constante != 0.0 ? 1 : 0;
    c.m_dSolubilidad1 = c.m_dSolubilidad2 = solubilidad;
    c.m_dTemperatura1 = 0.0;
    c.m_dTemperatura2 = 100.0;
    c.m_nTextura = estado == ESTADO_SOLIDO ? 1 : 0;
    c.AjustarSolubilidad();
}

void Reaccion(CCatalogo& cat, int32_t i, std::initializer_list<int32_t> r,
              std::initializer_list<int32_t> p, double calor) {
    CReacciones& R = cat.m_reacciones[static_cast<size_t>(i)];
    // Slots are (component, coefficient, phase code) triples.
    for (int k = 0; k < 3; ++k) {
        R.m_nReactivo[k] = R.m_nProducto[k] = N;
        R.m_nCoefReactivo[k] = R.m_nCoefProducto[k] = 0;
    }
    int k = 0;
    for (auto it = r.begin(); it != r.end(); it += 3, ++k) {
        R.m_nReactivo[k] = it[0];
        R.m_nCoefReactivo[k] = it[1];
        R.m_nFaseReactivo[k] = it[2];
    }
    k = 0;
    for (auto it = p.begin(); it != p.end(); it += 3, ++k) {
        R.m_nProducto[k] = it[0];
        R.m_nCoefProducto[k] = it[1];
        R.m_nFaseProducto[k] = it[2];
    }
    R.m_bSinLimite = 0;
    R.m_dLimitePaso = 1e-7;
    R.m_dCalor = calor;
}

CCatalogo CrearCatalogo() {
    CCatalogo cat;
    cat.m_componentes.resize(N);
    Componente(cat, AGUA, "H2O", 18.01528, 1.0, ESTADO_LIQUIDO, 1e-14, "H+", "OH-", 100, 100);
    Componente(cat, O2, "O2", 32.0, 1.0, ESTADO_GAS, 0, "", "", 4.0, -183, 0);
    Componente(cat, A, "A", 60.0, 2.0, ESTADO_SOLIDO, 0, "", "", 0, 900);
    Componente(cat, C, "C", 80.0, 1.2, ESTADO_LIQUIDO, -1, "H+", "C-", 100, 120);
    Componente(cat, D, "D", 44.0, 1.0, ESTADO_GAS, 0, "", "", 0, -50, 0);
    Componente(cat, E, "E", 46.0, 0.8, ESTADO_LIQUIDO, 0, "", "", 100, 78);
    Componente(cat, F, "F", 40.0, 2.1, ESTADO_SOLIDO, -1, "Na+", "OH-", 40, 1390, 0);
    Componente(cat, G, "G", 36.5, 1.3, ESTADO_GAS, -1, "H+", "Cl-", 80, -85, 0);
    Componente(cat, H, "H", 58.4, 2.2, ESTADO_SOLIDO, -1, "Na+", "Cl-", 36, 1413, 0);
    Componente(cat, NACL, "KNO3", 101.1, 2.1, ESTADO_SOLIDO, -1, "K+", "NO3-", 30, 400);
    Componente(cat, DEBIL, "HAc", 60.05, 1.05, ESTADO_LIQUIDO, 1.8e-5, "H+", "Ac-", 100, 118);
    Componente(cat, ARENA, "SiO2", 60.08, 2.65, ESTADO_SOLIDO, 0, "", "", 0, 2230);
    cat.m_reacciones.resize(6);
    Reaccion(cat, 0, {A, 1, FASE_SOLIDA, AGUA, 1, FASE_LIQUIDA}, {C, 1, FASE_LIQUIDA}, 0.01);
    Reaccion(cat, 1, {C, 1, FASE_LIQUIDA}, {A, 1, FASE_SOLIDA, AGUA, 1, FASE_LIQUIDA}, -0.01);
    Reaccion(cat, 2, {D, 1, FASE_GAS}, {E, 1, FASE_LIQUIDA}, 0.0);
    Reaccion(cat, 3, {E, 1, FASE_LIQUIDA}, {D, 1, FASE_GAS}, 0.0);
    Reaccion(cat, 4, {F, 1, FASE_IONIZADA, G, 1, FASE_IONIZADA},
             {H, 1, FASE_IONIZADA, AGUA, 1, FASE_LIQUIDA}, 0.0);
    Reaccion(cat, 5, {H, 1, FASE_IONIZADA}, {F, 1, FASE_IONIZADA, G, 1, FASE_IONIZADA}, 0.0);
    return cat;
}

void Llenar(CSeno& s) {
    s.Agregar(AGUA, 150.0, UNIDAD_ML);
    s.m_faseLiquida.Agregar(C, 0.05, UNIDAD_MOLES);
    s.m_faseLiquida.Agregar(E, 0.05, UNIDAD_MOLES);
    s.m_faseLiquida.Agregar(F, 0.02, UNIDAD_MOLES);
    s.m_faseLiquida.Agregar(G, 0.02, UNIDAD_MOLES);
    s.m_faseLiquida.Agregar(H, 0.02, UNIDAD_MOLES);
    s.m_faseLiquida.Agregar(DEBIL, 0.01, UNIDAD_MOLES);
    s.m_faseSolida.Agregar(A, 0.5, UNIDAD_MOLES);
    s.m_faseSolida.Agregar(NACL, 2.0, UNIDAD_MOLES); // more than dissolves: keeps dissolving
    s.m_faseSolida.Agregar(ARENA, 0.3, UNIDAD_MOLES);
    s.m_faseGas.Agregar(D, 0.01, UNIDAD_MOLES);
    s.m_faseGas.Agregar(O2, 0.001, UNIDAD_MOLES);
    s.m_dTemperatura = 35.0;
}

void BM_Simular(benchmark::State& state) {
    const CCatalogo cat = CrearCatalogo();
    CSeno s(&cat);
    Llenar(s);
    int nCambios = 0;
    for (auto _ : state) {
        s.m_bCalentado = 0; // as the bench does before each vessel's step
        nCambios += s.Simular();
        benchmark::DoNotOptimize(s.m_dTemperatura);
    }
    state.counters["componentes"] = cat.NumComponentes();
    state.counters["reacciones"] = cat.NumReacciones();
    state.counters["entradas"] = static_cast<double>(s.m_faseLiquida.m_listaContenido.size() +
                                                     s.m_faseSolida.m_listaContenido.size() +
                                                     s.m_faseGas.m_listaContenido.size());
    benchmark::DoNotOptimize(nCambios);
}
BENCHMARK(BM_Simular);

// The same vessel on a burner: heat every step, so boiling and melting run too.
void BM_SimularCalentando(benchmark::State& state) {
    const CCatalogo cat = CrearCatalogo();
    CSeno s(&cat);
    Llenar(s);
    for (auto _ : state) {
        s.m_bCalentado = 0;
        s.Calentar(5.0);
        s.Simular();
        if (s.m_faseLiquida.m_dVolumen < 50.0) { // keep the vessel from boiling dry
            state.PauseTiming();
            s.Reiniciar();
            Llenar(s);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_SimularCalentando);

} // namespace

// The acid–base solve of one liquid with ten systems: weak acids of one to three steps, their
// salts and a weak base, with sodium and chloride as the fixed charge.
void BM_ResolverEquilibrio(benchmark::State& state) {
    std::vector<Equilibrio::Sistema> sistemas;
    for (int i = 0; i < 10; ++i) {
        Equilibrio::Sistema s;
        s.dConcentracion = 0.01 * (i + 1);
        s.datos.m_nPasos = 1 + i % 3;
        s.datos.m_pKa = {2.0 + i * 0.5, 7.0 + i * 0.2, 12.0};
        s.datos.m_dEntalpia = {-1.0, 3.0, 10.0};
        s.datos.m_nCedidos = i % (s.datos.m_nPasos + 1);
        sistemas.push_back(s);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(Equilibrio::Resolver(sistemas, 0.05, 37.0));
}
BENCHMARK(BM_ResolverEquilibrio)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
