// Timings of a busy bench of 40 items: a distillation on a burner, twenty vessels with
// reacting mixtures, instruments dipping into some of them and heat sources under others.
// One simulation step must stay well inside the 100 ms tick, and so must one frame of the
// bench drawn off-screen at full HD.
#include "CatalogosPrueba.h"
#include "equipment/Calentadores.h"
#include "equipment/Destilacion.h"
#include "equipment/Dibujo.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"

#include "bench/ChildView.h"
#include "document/Historial.h"
#include "document/Plantillas.h"
#include "document/Practica.h"
#include "document/Registro.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kAncho = 1920;
constexpr int kAlto = 1080;
constexpr size_t kEquipos = 40;

// Reagents of the mass-conservation practice (prueba::Catalogo900).
enum : int32_t { SULFURICO, HIDROXIDO, NITRICO, ZINC, COBRE };
constexpr int32_t kAgua = -1; // water, added as a component

struct CPorcion {
    int32_t nReactivo; // kAgua for water
    double dCantidad;  // millilitres of a liquid, grams of a solid
};

template <class T> T* Poner(CListaEquipo& lista, int xCentro, int yFondo) {
    T* e = new T;
    e->ColocarEn(QPoint(xCentro, yFondo));
    lista.AgregarAlFinal(e);
    return e;
}

void Llenar(CRecipiente& r, std::initializer_list<CPorcion> porciones) {
    for (const CPorcion& p : porciones) {
        const int32_t nOk = p.nReactivo == kAgua ? r.AddComponent(0, p.dCantidad, UNIDAD_ML)
                                                 : r.AddReagent(p.nReactivo, p.dCantidad);
        if (!nOk) {
            std::fprintf(stderr, "no cabe en %s\n", r.GetNombre().c_str());
            std::abort();
        }
    }
}

// An instrument whose probe point lies at (x, y) of the bench.
template <class T> T* Sonda(CListaEquipo& lista, int x, int y) {
    T* e = Poner<T>(lista, 0, 0);
    e->SetPosition(x - e->m_ptSonda.x(), y - e->m_ptSonda.y());
    return e;
}

// The probe point a little below the centre of the vessel's mouth.
QPoint Boca(const CEquipo& r, int nProfundidad) {
    return {r.m_x + r.m_cx / 2, r.m_y + nProfundidad};
}

void ArmarBanco(CListaEquipo& lista) {
    // The distillation: flask on a burner, head, condenser and elbow over a beaker.
    auto* matraz = Poner<CMatrazBalon>(lista, 100, 330);
    Llenar(*matraz, {{kAgua, 120}, {NITRICO, 20}, {COBRE, 2}});
    // Just under boiling, so that the timed minute distils rather than warms up.
    matraz->m_seno.m_dTemperatura = 98.0;
    matraz->PonerCabeza(lista);
    matraz->PonerCondensador(lista);
    CCodoDestilacion* codo = matraz->PonerCodo(lista);
    auto* recibidor = Poner<CVaso250>(lista, codo->m_x + 46, 460);
    auto* mechero = Poner<CMechero>(lista, 100, 330 + 80); // its top at the flask's bottom

    // Twenty vessels in three rows; every mixture has something to do for a while.
    std::vector<CRecipiente*> v;
    auto vaso = [&](CRecipiente* r, std::initializer_list<CPorcion> porciones) {
        Llenar(*r, porciones);
        v.push_back(r);
        return r;
    };
    // Row 1, standing at y = 460.
    vaso(Poner<CVaso250>(lista, 520, 460), {{kAgua, 80}, {SULFURICO, 30}, {ZINC, 3}});
    vaso(Poner<CErlenmeyer250>(lista, 660, 460), {{kAgua, 60}, {NITRICO, 40}, {COBRE, 2}});
    vaso(Poner<CVaso600>(lista, 820, 460), {{kAgua, 200}, {HIDROXIDO, 50}, {NITRICO, 40}});
    vaso(Poner<CVaso100>(lista, 970, 460), {{kAgua, 40}, {SULFURICO, 20}});
    vaso(Poner<CErlenmeyer100>(lista, 1100, 460), {{kAgua, 30}, {HIDROXIDO, 20}, {ZINC, 1}});
    vaso(Poner<CProbeta100>(lista, 1220, 460), {{kAgua, 50}, {NITRICO, 10}});
    vaso(Poner<CTuboEnsaye>(lista, 1320, 460), {{kAgua, 10}, {SULFURICO, 10}, {ZINC, 1}});
    vaso(Poner<CCrisol>(lista, 1460, 460), {{kAgua, 20}, {COBRE, 5}});
    vaso(Poner<CVaso250>(lista, 1640, 445), {{kAgua, 150}, {HIDROXIDO, 10}});
    // Row 2, standing at y = 760.
    vaso(Poner<CVaso250>(lista, 520, 760), {{kAgua, 100}, {NITRICO, 30}, {HIDROXIDO, 25}});
    vaso(Poner<CVaso600>(lista, 700, 760), {{kAgua, 300}, {SULFURICO, 50}, {ZINC, 5}});
    vaso(Poner<CErlenmeyer250>(lista, 880, 760), {{kAgua, 100}, {HIDROXIDO, 30}});
    vaso(Poner<CMatrazGases>(lista, 1040, 760), {{kAgua, 50}, {NITRICO, 20}, {COBRE, 3}});
    vaso(Poner<CVaso100>(lista, 1200, 760), {{kAgua, 50}, {HIDROXIDO, 20}, {SULFURICO, 10}});
    vaso(Poner<CProbeta10>(lista, 1320, 760), {{kAgua, 5}, {NITRICO, 3}});
    vaso(Poner<CVidrioReloj>(lista, 1440, 760), {{kAgua, 10}, {ZINC, 2}});
    vaso(Poner<CErlenmeyer100>(lista, 1600, 760), {{kAgua, 40}, {SULFURICO, 20}, {ZINC, 2}});
    // Row 3, standing at y = 1030 (the balance goes under the first).
    vaso(Poner<CVaso250>(lista, 520, 1030), {{kAgua, 120}, {COBRE, 4}, {NITRICO, 30}});
    vaso(Poner<CVaso600>(lista, 760, 1030), {{kAgua, 250}, {HIDROXIDO, 40}, {NITRICO, 60}});
    vaso(Poner<CVaso100>(lista, 1000, 1030), {{kAgua, 60}, {SULFURICO, 10}, {ZINC, 2}});

    // Heat sources under four of them (the ice bath takes whatever stands inside it).
    auto bajo = [&](CRecipiente* r, auto* fuente) {
        fuente->SetPosition(r->m_x + r->m_cx / 2 - fuente->m_cx / 2, r->m_y + r->m_cy);
    };
    bajo(v[0], Poner<CParrilla>(lista, 0, 0));
    bajo(v[2], Poner<CParrilla>(lista, 0, 0));
    bajo(v[7], Poner<CMechero>(lista, 0, 0));
    Poner<CBanoHielo>(lista, v[8]->m_x + v[8]->m_cx / 2, 460);

    // Instruments: five thermometers, two pH meters, a conductimeter, a balance and a
    // stirrer.
    Sonda<CTermometro>(lista, Boca(*matraz, 80).x(), Boca(*matraz, 80).y());
    Sonda<CTermometro>(lista, Boca(*recibidor, 70).x() - 20, Boca(*recibidor, 70).y());
    Sonda<CTermometro>(lista, Boca(*v[0], 70).x() + 20, Boca(*v[0], 70).y());
    Sonda<CTermometro>(lista, Boca(*v[7], 30).x(), Boca(*v[7], 30).y());
    Sonda<CTermometro>(lista, Boca(*v[8], 80).x(), Boca(*v[8], 80).y());
    Sonda<CPHmetro>(lista, Boca(*v[9], 80).x() - 20, Boca(*v[9], 80).y());
    Sonda<CPHmetro>(lista, Boca(*v[11], 110).x(), Boca(*v[11], 110).y());
    Sonda<CConductimetro>(lista, Boca(*v[13], 80).x(), Boca(*v[13], 80).y());
    auto* balanza = Poner<CBalanza>(lista, 0, 0);
    balanza->SetPosition(v[17]->m_x + v[17]->m_cx / 2 - balanza->m_ptSonda.x(),
                         v[17]->m_y + v[17]->m_cy);
    Sonda<CAgitador>(lista, Boca(*v[18], 60).x() + 30, Boca(*v[18], 60).y());

    if (lista.size() != kEquipos) {
        std::fprintf(stderr, "el banco tiene %zu equipos\n", lista.size());
        std::abort();
    }
    for (const CEquipo* e : lista) {
        if (!QRect(0, 0, kAncho, kAlto).contains(e->m_rcArea)) {
            std::fprintf(stderr, "%s se sale del banco\n", e->GetNombre().c_str());
            std::abort();
        }
    }
    // The set-up the timings are about: the flask sits on its burner, the elbow drips into
    // the beaker, and every instrument has a vessel under its probe.
    if (lista.FindVesselOnSource(mechero, false) != matraz ||
        lista.FindVesselBelow(codo) != recibidor) {
        std::fprintf(stderr, "la destilación no está armada\n");
        std::abort();
    }
    for (const CEquipo* e : lista) {
        const bool bCalentador = e->GetCategoria() == CATEGORIA_CALENTADOR;
        if (bCalentador && !lista.FindVesselOnSource(e, e->m_nTipo == 47)) {
            std::fprintf(stderr, "%s no calienta nada\n", e->GetNombre().c_str());
            std::abort();
        }
        if (e->GetCategoria() == CATEGORIA_INSTRUMENTO && !lista.FindVesselAtProbe(e)) {
            std::fprintf(stderr, "%s no toca ningún recipiente\n", e->GetNombre().c_str());
            std::abort();
        }
    }
}

// A minute of bench time (600 ticks) and the bench is set up again, so that the timings are
// of a bench that is still busy: reacting, boiling and distilling.
constexpr int kPasosPorBanco = 600;

// The busy bench in a practice of the mass-conservation catalogue, after 50 ticks, so that
// contents, readings and flames are those of a running bench.
void ArmarPractica(CPractica& practica) {
    practica.m_catalogo = prueba::Catalogo900();
    ArmarBanco(practica.m_listaEquipo);
    for (int i = 0; i < 50; ++i)
        practica.m_listaEquipo.PasoSimulacion();
}

// The argument is the practice's MOTOR_*: 0 the described model, 2 the equilibrium engine
// solving every vessel's liquid on every tick.
void BM_PasoBanco(benchmark::State& state) {
    CCatalogo cat = prueba::Catalogo900();
    cat.m_nMotor = static_cast<int32_t>(state.range(0));
    auto lista = std::make_unique<CListaEquipo>(&cat);
    ArmarBanco(*lista);
    int nPasos = 0;
    int64_t nCambios = 0;
    for (auto _ : state) {
        nCambios += lista->PasoSimulacion() ? 1 : 0;
        if (++nPasos == kPasosPorBanco) {
            state.PauseTiming();
            lista = std::make_unique<CListaEquipo>(&cat);
            ArmarBanco(*lista);
            nPasos = 0;
            state.ResumeTiming();
        }
    }
    state.counters["equipos"] = static_cast<double>(kEquipos);
    state.counters["con_cambios"] =
        benchmark::Counter(static_cast<double>(nCambios), benchmark::Counter::kAvgIterations);
    lista.reset();
}

// One tick of practice 901's distillation: 50 ml of its mixture boiling on a hot plate into a
// beaker. The argument 1 runs it with the practice's vapour data (the bubble point solved on
// every tick), 0 with them removed (every liquid boiling at its own temperature).
void BM_PasoDestilacion(benchmark::State& state) {
    const QByteArray b = Plantillas::Bytes(901);
    CPractica practica;
    if (practica.LeerPlantilla(std::vector<uint8_t>(b.begin(), b.end()), QStringLiteral("901.akp"),
                               nullptr) != CPractica::Resultado::Correcto)
        std::abort();
    CCatalogo& cat = practica.m_catalogo;
    if (state.range(0) == 0) {
        cat.m_paresVapor.clear();
        for (CComponentes& c : cat.m_componentes)
            c.m_disolucion = CDisolucionDatos();
    }
    auto armar = [&cat] {
        auto lista = std::make_unique<CListaEquipo>(&cat);
        auto* matraz = Poner<CMatrazBalon>(*lista, 300, 330);
        if (!matraz->AddReagent(0, 50.0))
            std::abort();
        matraz->m_seno.m_dTemperatura = 75.0; // boiling from the first tick
        matraz->PonerCabeza(*lista);
        matraz->PonerCondensador(*lista);
        CCodoDestilacion* codo = matraz->PonerCodo(*lista);
        Poner<CVaso250>(*lista, codo->m_x + 46, 460);
        auto* parrilla = Poner<CParrilla>(*lista, 300, 330 + 60);
        parrilla->Comando(ID_NIVEL5);
        return lista;
    };
    auto lista = armar();
    int nPasos = 0;
    for (auto _ : state) {
        lista->PasoSimulacion();
        if (++nPasos == kPasosPorBanco) {
            state.PauseTiming();
            lista = armar();
            nPasos = 0;
            state.ResumeTiming();
        }
    }
}

// The same bench with a rate law on every reaction of the catalogue (first order in each
// reactant slot, Ea 50 kJ/mol, the solids at order 2/3), so that every reacting vessel
// integrates its rate on every tick: the cost the rate laws add to BM_PasoBanco/0.
void BM_PasoBancoCinetica(benchmark::State& state) {
    CCatalogo cat = prueba::Catalogo900();
    for (CReacciones& R : cat.m_reacciones) {
        R.m_cinetica.m_dK = 0.05;
        R.m_cinetica.m_dEa = 50.0;
        for (size_t k = 0; k < 3; ++k)
            R.m_cinetica.m_dOrden[k] = R.m_nFaseReactivo[k] == FASE_SOLIDA ? 2.0 / 3.0 : 1.0;
    }
    auto lista = std::make_unique<CListaEquipo>(&cat);
    ArmarBanco(*lista);
    int nPasos = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lista->PasoSimulacion());
        if (++nPasos == kPasosPorBanco) {
            state.PauseTiming();
            lista = std::make_unique<CListaEquipo>(&cat);
            ArmarBanco(*lista);
            nPasos = 0;
            state.ResumeTiming();
        }
    }
    state.counters["equipos"] = static_cast<double>(kEquipos);
    lista.reset();
}

// The step of a bench made of several copies of the busy bench side by side (40 items each),
// for the cost of finding which vessel sits on which source and under which probe as the
// bench grows: 1, 6, 24 and 300 copies are 40, 240, 960 and 12,000 items.
void BM_PasoBancoEscala(benchmark::State& state) {
    const CCatalogo cat = prueba::Catalogo900();
    const auto nCopias = static_cast<int>(state.range(0));
    auto armar = [nCopias, &cat] {
        auto lista = std::make_unique<CListaEquipo>(&cat);
        for (int i = 0; i < nCopias; ++i) {
            CListaEquipo copia(&cat);
            ArmarBanco(copia);
            // Copies in rows of 20 benches, each bench in its own 2000 x 1200 square.
            for (CEquipo* e : copia)
                e->Desplazar(2000 * (i % 20), 1200 * (i / 20));
            lista->Trasladar(copia);
        }
        return lista;
    };
    auto lista = armar();
    int nPasos = 0;
    for (auto _ : state) {
        lista->PasoSimulacion();
        if (++nPasos == kPasosPorBanco) {
            state.PauseTiming();
            lista = armar();
            nPasos = 0;
            state.ResumeTiming();
        }
    }
    state.counters["equipos"] = static_cast<double>(lista->size());
    state.counters["pasos_por_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    lista.reset();
}

// One frame: the bench drawn in list order over a white buffer, as the view paints it.
void BM_DibujarBanco(benchmark::State& state) {
    const CCatalogo cat = prueba::Catalogo900();
    CListaEquipo lista(&cat);
    ArmarBanco(lista);
    // A few ticks first, so that contents, readings and flames are those of a running bench.
    for (int i = 0; i < 50; ++i)
        lista.PasoSimulacion();
    QImage buffer(kAncho, kAlto, QImage::Format_RGB32);
    for (auto _ : state) {
        buffer.fill(Qt::white);
        QPainter p(&buffer);
        Dibujo::PrepararPintor(p);
        for (CEquipo* e : lista)
            e->Draw(p);
        p.end();
        benchmark::DoNotOptimize(buffer.constBits());
    }
    // The last frame, to look at.
    if (const char* pszRuta = std::getenv("ALKOR_BANCO_PNG"))
        buffer.save(QString::fromLocal8Bit(pszRuta));
    state.counters["equipos"] = static_cast<double>(lista.size());
    lista.Limpiar();
}

// The same bench painted by the bench view itself, a full widget paint at full HD.
void BM_PintarMesa(benchmark::State& state) {
    CPractica practica;
    ArmarPractica(practica);
    CChildView vista(practica);
    vista.StopTimer();
    vista.resize(kAncho, kAlto);
    vista.show();
    // grab() runs the view's own paint into a pixmap, as a paint on screen does.
    for (auto _ : state)
        benchmark::DoNotOptimize(vista.grab());
    vista.hide();
    practica.ClearBench();
}

// The view's paint of a full HD view at a zoom (per cent) and a device pixel ratio (per
// cent), into a window buffer of that ratio, as into the screen's backing store. At 200 % the view
// shows the bench's top left quarter, which the set-up fills; at a ratio of 2 every picture comes
// from its strip rendered at twice the size.
void BM_PintarMesaZoom(benchmark::State& state) {
    CPractica practica;
    ArmarPractica(practica);
    CChildView vista(practica);
    vista.StopTimer();
    vista.resize(kAncho, kAlto);
    const double dZoom = static_cast<double>(state.range(0)) / 100.0;
    const double dRelacion = static_cast<double>(state.range(1)) / 100.0;
    vista.SetZoom(dZoom, QPoint(0, 0));
    QImage ventana(static_cast<int>(kAncho * dRelacion), static_cast<int>(kAlto * dRelacion),
                   QImage::Format_RGB32);
    ventana.setDevicePixelRatio(dRelacion);
    // The pictures' strips at this scale are rendered once, at the first paint.
    vista.Pintar(dRelacion);
    for (auto _ : state) {
        QPainter p(&ventana);
        vista.Pintar(p);
        p.end();
        benchmark::DoNotOptimize(ventana.constBits());
    }
    if (const char* pszCarpeta = std::getenv("ALKOR_MESA_PNG"))
        ventana.save(QStringLiteral("%1/mesa-%2-%3.png")
                         .arg(QString::fromLocal8Bit(pszCarpeta))
                         .arg(state.range(0))
                         .arg(state.range(1)));
    practica.ClearBench();
}

} // namespace

// Undo on the busy bench: taking the snapshot that precedes every action, recording an
// action (two snapshots compressed), undoing it, and the memory of a full history of 100
// actions, each a few ticks of simulation and a drop of water.
void BM_Instantanea(benchmark::State& state) {
    CPractica practica;
    ArmarPractica(practica);
    size_t nBytes = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> d = CHistorial::Instantanea(practica);
        nBytes = d.size();
        benchmark::DoNotOptimize(d.data());
    }
    state.counters["bytes"] = static_cast<double>(nBytes);
}
BENCHMARK(BM_Instantanea)->Unit(benchmark::kMicrosecond);

void BM_RegistrarYDeshacer(benchmark::State& state) {
    CPractica practica;
    ArmarPractica(practica);
    CHistorial historial(practica);
    // The memory of a history filled to its limit.
    for (int i = 0; i < CHistorial::kLimite; ++i) {
        for (int k = 0; k < 3; ++k)
            practica.m_listaEquipo.PasoSimulacion();
        historial.Tomar();
        for (CEquipo* e : practica.m_listaEquipo)
            if (auto* v = dynamic_cast<CRecipiente*>(e)) {
                v->AddComponent(0, 0.05, UNIDAD_ML);
                break;
            }
        historial.Registrar(QStringLiteral("Agregar agua"));
    }
    state.counters["pasos"] = historial.Pila().count();
    state.counters["bytes_historial"] = static_cast<double>(historial.Bytes());
    state.counters["bytes_por_paso"] =
        static_cast<double>(historial.Bytes()) / std::max(1, historial.Pila().count());
    for (auto _ : state) {
        historial.Pila().undo();
        historial.Pila().redo();
    }
}
BENCHMARK(BM_RegistrarYDeshacer)->Unit(benchmark::kMillisecond);

// The lab log's share of a step: ten readings of the busy bench recorded once a simulated
// second, an hour (12,000 steps) and then the log is emptied and begun again, with the
// bench itself not stepped, so that the time is the log's alone; compare it with
// BM_PasoBanco/0. The memory counter is what an hour's log holds.
void BM_RegistroPaso(benchmark::State& state) {
    CCatalogo cat = prueba::Catalogo900();
    CListaEquipo lista(&cat);
    ArmarBanco(lista);
    for (int i = 0; i < 5; ++i)
        lista.PasoSimulacion();
    CRegistro registro;
    auto empezar = [&] {
        registro = CRegistro();
        int n = 0;
        for (CEquipo* e : lista)
            if (n < 10 && CRegistro::Registrable(*e) && registro.Registrar(*e, lista))
                ++n;
        return n;
    };
    const int nSeries = empezar();
    constexpr int kPasosHora = 12'000;
    int nPasos = 0;
    size_t nBytes = 0;
    for (auto _ : state) {
        registro.Paso(lista);
        if (++nPasos == kPasosHora) {
            state.PauseTiming();
            nBytes = registro.Valores() * sizeof(double);
            empezar();
            nPasos = 0;
            state.ResumeTiming();
        }
    }
    state.counters["series"] = nSeries;
    state.counters["bytes_hora"] = static_cast<double>(nBytes);
}
BENCHMARK(BM_RegistroPaso)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_PasoBanco)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PasoDestilacion)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PasoBancoCinetica)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PasoBancoEscala)->Arg(1)->Arg(6)->Arg(24)->Arg(300)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DibujarBanco)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PintarMesa)->Unit(benchmark::kMillisecond);
// The painter spreads large fills and blends over a pool of threads: the CPU time of the
// whole process is the work of a paint, whatever else the machine is doing meanwhile.
BENCHMARK(BM_PintarMesaZoom)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->ArgNames({"zoom", "relacion"})
    ->Args({100, 100})
    ->Args({200, 100})
    ->Args({100, 200})
    ->Args({300, 100})
    ->Args({150, 100});

int main(int argc, char** argv) {
    // The pictures need a GUI application for their text, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
