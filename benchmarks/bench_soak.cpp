// Soak: each of the five built-in practices on a 60-item bench (vessels holding every reagent
// of its catalogue, burners and hot plates under some, an ice bath, instruments and
// pipettes) run for a million steps, about 28 hours of bench time. Every 10,000 steps the
// whole bench is checked: no amount that is not finite or is negative, no temperature
// beyond the physical bound, and the memory the process holds stays flat.
//
//   ./build/benchmarks/bench_soak               a million steps per practice
//   ALKOR_SOAK_PASOS=20000 ./bench_soak         a shorter run (CTest uses 2,000)
#include "document/Plantillas.h"
#include "document/Practica.h"
#include "equipment/Calentadores.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "model/Catalogo.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr int kVasos = 30;

// Resident memory of the process in megabytes.
double MemoriaMb() {
    std::ifstream f("/proc/self/statm");
    long nPaginas = 0, nResidentes = 0;
    f >> nPaginas >> nResidentes;
    return static_cast<double>(nResidentes) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

template <class T> T* Poner(CListaEquipo& lista, int x, int y) {
    T* e = new T;
    e->SetPosition(x, y);
    lista.AgregarAlFinal(e);
    return e;
}

void ArmarBanco(CPractica& p) {
    CListaEquipo& l = p.m_listaEquipo;
    const int tipos[] = {1, 2, 3, 4, 5, 6, 8, 9, 11, 13};
    std::vector<CRecipiente*> v;
    for (int i = 0; i < kVasos; ++i) {
        auto* r = static_cast<CRecipiente*>(CListaEquipo::CrearEquipo(tipos[i % 10]));
        r->SetPosition(220 * (i % 10), 400 * (i / 10) + 150);
        l.AgregarAlFinal(r);
        v.push_back(r);
        r->AddComponent(0, r->m_dCapacidad * 0.4, UNIDAD_ML);
        // Every reagent somewhere, and two in each vessel so that they react.
        const CCatalogo& cat = p.m_catalogo;
        for (int k = 0; k < 2 && cat.NumReactivos() > 0; ++k) {
            const int32_t n = (i + k * 7) % cat.NumReactivos();
            const double d = cat.Reactivo(n)->m_nEstado == 1 ? r->m_dCapacidad * 0.1 : 1.0;
            r->AddReagent(n, d);
        }
    }
    // Twelve heat sources: burners and hot plates at full power, and one ice bath.
    for (int i = 0; i < 12; ++i) {
        CRecipiente* r = v[static_cast<size_t>(i * 2)];
        CCalentador* c = nullptr;
        if (i == 11)
            c = Poner<CBanoHielo>(l, 0, 0);
        else if (i % 2)
            c = Poner<CMechero>(l, 0, 0);
        else
            c = Poner<CParrilla>(l, 0, 0);
        if (auto* pParrilla = dynamic_cast<CParrilla*>(c))
            pParrilla->SetNivel(5);
        c->SetPosition(r->m_x + r->m_cx / 2 - c->m_cx / 2, r->m_y + r->m_cy);
    }
    // Twelve instruments dipping into vessels, six pipettes over others.
    for (int i = 0; i < 12; ++i) {
        CRecipiente* r = v[static_cast<size_t>(i * 2 + 1)];
        CEquipo* e = i % 3 == 0   ? static_cast<CEquipo*>(Poner<CTermometro>(l, 0, 0))
                     : i % 3 == 1 ? static_cast<CEquipo*>(Poner<CPHmetro>(l, 0, 0))
                                  : static_cast<CEquipo*>(Poner<CConductimetro>(l, 0, 0));
        e->SetPosition(r->m_x + r->m_cx / 2 - e->m_ptSonda.x(),
                       r->m_y + r->m_cy - 10 - e->m_ptSonda.y());
    }
    for (int i = 0; i < 6; ++i) {
        CRecipiente* r = v[static_cast<size_t>(i * 4 + 3)];
        auto* pipeta = static_cast<CRecipiente*>(CListaEquipo::CrearEquipo(22));
        pipeta->SetPosition(r->m_x + r->m_cx / 2 - pipeta->m_cx / 2, r->m_y - pipeta->m_cy - 20);
        pipeta->AddComponent(0, pipeta->m_dCapacidad * 0.5, UNIDAD_ML);
        l.AgregarAlFinal(pipeta);
    }
}

// The first thing wrong on the bench, or empty.
std::string Revisar(const CListaEquipo& l) {
    auto mal = [](double d) { return !std::isfinite(d) || d < 0.0; };
    for (const CEquipo* e : l) {
        const auto* r = dynamic_cast<const CRecipiente*>(e);
        if (!r)
            continue;
        const CSeno& s = r->m_seno;
        if (!(s.m_dTemperatura >= -273.15 && s.m_dTemperatura <= kTemperaturaMaxima))
            return r->GetNombre() + ": temperatura " + std::to_string(s.m_dTemperatura);
        for (const CFase* f : {&s.m_faseLiquida, &s.m_faseSolida, &s.m_faseGas}) {
            if (mal(f->m_dVolumen) || mal(f->m_dMasa))
                return r->GetNombre() + ": volumen o masa " + std::to_string(f->m_dVolumen);
            for (const CContenido& c : f->m_listaContenido)
                if (mal(c.m_dMoles) || mal(c.m_dGramos) || mal(c.m_dMl) || mal(c.m_dMolesAnion) ||
                    mal(c.m_dMolesCation))
                    return r->GetNombre() + ": cantidad " + std::to_string(c.m_dMoles);
        }
    }
    return {};
}

void BM_Soak(benchmark::State& state) {
    const int nPractica = static_cast<int>(state.range(0));
    CPractica p;
    const QByteArray b = Plantillas::Bytes(nPractica);
    QString strError;
    if (p.LeerPlantilla({b.begin(), b.end()}, QStringLiteral("soak"), &strError) !=
        CPractica::Resultado::Correcto) {
        state.SkipWithError("la plantilla no se pudo leer");
        return;
    }
    ArmarBanco(p);
    double dMemoriaInicio = 0.0, dMemoriaMaxima = 0.0;
    double dTemperaturaMaxima = 0.0;
    int64_t nPasos = 0;
    for (auto _ : state) {
        p.m_listaEquipo.PasoSimulacion();
        if (++nPasos % 10'000 == 0 || nPasos == 1) {
            state.PauseTiming();
            const std::string strMal = Revisar(p.m_listaEquipo);
            if (!strMal.empty()) {
                state.SkipWithError(strMal.c_str());
                break;
            }
            for (const CEquipo* e : p.m_listaEquipo)
                if (const auto* r = dynamic_cast<const CRecipiente*>(e))
                    dTemperaturaMaxima = std::max(dTemperaturaMaxima, r->m_seno.m_dTemperatura);
            const double m = MemoriaMb();
            if (nPasos == 1)
                dMemoriaInicio = m;
            dMemoriaMaxima = std::max(dMemoriaMaxima, m);
            state.ResumeTiming();
        }
    }
    if (const std::string strMal = Revisar(p.m_listaEquipo); !strMal.empty())
        state.SkipWithError(strMal.c_str());
    state.counters["equipos"] = static_cast<double>(p.m_listaEquipo.size());
    state.counters["pasos_por_s"] =
        benchmark::Counter(static_cast<double>(nPasos), benchmark::Counter::kIsRate);
    state.counters["t_max_C"] = dTemperaturaMaxima;
    state.counters["mem_inicio_mb"] = dMemoriaInicio;
    state.counters["mem_max_mb"] = dMemoriaMaxima;
    p.ClearBench();
}

} // namespace

int main(int argc, char** argv) {
    long nPasos = 1'000'000;
    if (const char* psz = std::getenv("ALKOR_SOAK_PASOS"))
        nPasos = std::max(1L, std::strtol(psz, nullptr, 10));
    for (int n = Plantillas::kPrimera; n <= Plantillas::kUltima; ++n)
        benchmark::RegisterBenchmark(("BM_Soak/" + std::to_string(n)).c_str(), BM_Soak)
            ->Arg(n)
            ->Iterations(nPasos)
            ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
