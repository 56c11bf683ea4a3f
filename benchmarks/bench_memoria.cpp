// What a large bench costs in memory, and how long a large note takes to show.
//
// - BM_MemoriaMesaLeida: a practice of 20,000 items (every type of the "Equipo" menu in
//   turn, each vessel with 5 ml of water) read from its bytes, as the command-line tool
//   reads a file: the heap it takes per item.
// - BM_MemoriaMesaPintada: 12,000 of those items in the bench view, painted once at full HD
//   as the window paints them: the heap per item after the paint, and the paint's time.
// - BM_PrimerPintadoNota: the notes pane showing a 4 MB note, from the click on its section
//   to the first paint of the editor.
//
// The heap is glibc's count of bytes handed out (small blocks and mapped ones), before and
// after, so the figures do not depend on what the allocator kept from earlier runs; VmHWM
// (the process's peak resident memory) is given beside it. ALKOR_MEMORIA_UAK1=RUTA saves the
// 20,000-item practice there, to be measured in the programs themselves
// (/usr/bin/time -v alkor-cli simular RUTA --pasos 10; alkor --medir RUTA).
#include "Nota4MB.h"
#include "app/NotasView.h"
#include "bench/ChildView.h"
#include "document/Practica.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "equipment/TiposEquipo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

double HeapBytes() {
    const struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd);
}

// A line of /proc/self/status, in kB.
double Estado(const char* pszClave) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0.0;
    const QByteArray clave = QByteArray(pszClave) + ':';
    for (const QByteArray& linea : f.readAll().split('\n'))
        if (linea.startsWith(clave))
            return linea.mid(clave.size()).trimmed().split(' ').value(0).toDouble();
    return 0.0;
}

// The bytes of a practice of n items in rows of 150, each vessel with a little water.
std::vector<uint8_t> BytesDeMesa(int n) {
    CPractica p;
    std::vector<int32_t> tipos;
    for (const CTipoEquipo& t : TiposEquipo())
        if (t.nIdOrden != 0)
            tipos.push_back(t.Codigo());
    for (int i = 0; i < n; ++i) {
        CEquipo* e = CListaEquipo::CrearEquipo(tipos[static_cast<size_t>(i) % tipos.size()]);
        e->SetPosition(90 * (i % 150), 220 * (i / 150));
        p.m_listaEquipo.AgregarAlFinal(e);
        if (auto* r = dynamic_cast<CRecipiente*>(e))
            r->AddComponent(0, 5.0, UNIDAD_ML);
    }
    return p.EscribirPractica();
}

bool Leer(CPractica& p, const std::vector<uint8_t>& datos) {
    QString strError;
    return p.LeerPractica(datos, QStringLiteral("mesa.uak1"), &strError) ==
           CPractica::Resultado::Correcto;
}

void BM_MemoriaMesaLeida(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<uint8_t> datos = BytesDeMesa(n);
    if (const char* pszRuta = std::getenv("ALKOR_MEMORIA_UAK1")) {
        QFile f(QString::fromLocal8Bit(pszRuta));
        if (f.open(QIODevice::WriteOnly))
            f.write(reinterpret_cast<const char*>(datos.data()), static_cast<qint64>(datos.size()));
    }
    double dBytes = 0.0;
    for (auto _ : state) {
        auto p = std::make_unique<CPractica>();
        const double dAntes = HeapBytes();
        if (!Leer(*p, datos)) {
            state.SkipWithError("la mesa no se pudo leer");
            break;
        }
        dBytes = HeapBytes() - dAntes;
        state.PauseTiming();
        p.reset();
        state.ResumeTiming();
    }
    state.counters["equipos"] = n;
    state.counters["KB_por_equipo"] = dBytes / 1024.0 / n;
    state.counters["VmHWM_MB"] = Estado("VmHWM") / 1024.0;
}
BENCHMARK(BM_MemoriaMesaLeida)->Arg(20'000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MemoriaMesaPintada(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<uint8_t> datos = BytesDeMesa(n);
    double dBytes = 0.0;
    double dMs = 0.0;
    for (auto _ : state) {
        CPractica p;
        const double dAntes = HeapBytes();
        if (!Leer(p, datos)) {
            state.SkipWithError("la mesa no se pudo leer");
            break;
        }
        CChildView vista(p);
        vista.StopTimer();
        vista.resize(1920, 1080);
        QElapsedTimer reloj;
        reloj.start();
        const QImage img = vista.Pintar(1.0);
        dMs = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
        benchmark::DoNotOptimize(img.constBits());
        dBytes = HeapBytes() - dAntes;
        state.PauseTiming();
        p.ClearBench();
        state.ResumeTiming();
    }
    state.counters["equipos"] = n;
    state.counters["KB_por_equipo"] = dBytes / 1024.0 / n;
    state.counters["primer_pintado_ms"] = dMs;
    state.counters["VmHWM_MB"] = Estado("VmHWM") / 1024.0;
}
BENCHMARK(BM_MemoriaMesaPintada)->Arg(12'000)->Iterations(1)->Unit(benchmark::kMillisecond);

// From the click on "Marco teórico" to the editor painted, as the student waits for it.
void BM_PrimerPintadoNota(benchmark::State& state) {
    CPractica p;
    p.m_strMarcoTeorico = prueba::Nota4MB();
    for (auto _ : state) {
        CNotasView notas(p);
        notas.resize(420, 800);
        notas.show();
        notas.MostrarSeccion(CNotasView::SECCION_NINGUNA);
        QApplication::processEvents();
        QElapsedTimer reloj;
        reloj.start();
        notas.MostrarSeccion(CNotasView::SECCION_MARCO);
        const double dMostrada = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
        benchmark::DoNotOptimize(notas.Editor()->viewport()->grab());
        state.counters["mostrar_ms"] = dMostrada;
        state.counters["hasta_pintar_ms"] = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
        state.PauseTiming();
        notas.hide();
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(p.m_strMarcoTeorico.size());
}
BENCHMARK(BM_PrimerPintadoNota)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
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
