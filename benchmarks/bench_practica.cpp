// Saving and opening a large practice: 200 vessels holding mixtures, through real files.
#include "Nota4MB.h"
#include "document/Practica.h"
#include "document/Rtf.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "model/Catalogo.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

void Llenar(CPractica& p) {
    const int tipos[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 20, 21};
    for (int i = 0; i < 200; ++i) {
        CEquipo* e = CListaEquipo::CrearEquipo(tipos[i % 12]);
        e->SetPosition(40 * (i % 40), 150 * (i / 40));
        p.m_listaEquipo.AgregarAlFinal(e);
        auto* r = static_cast<CRecipiente*>(e);
        r->AddComponent(0, r->m_dCapacidad / 2.0, UNIDAD_ML);
        r->AddComponent(1, 0.01 * (i % 5 + 1), UNIDAD_MOLES);
        r->AddComponent(2, 0.002, UNIDAD_MOLES);
        r->m_seno.DisolverSolidos(1.0);
        r->m_seno.m_faseGas.Agregar(0, 0.001, UNIDAD_MOLES);
    }
}

void BM_GuardarYAbrir(benchmark::State& state) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("grande.uak1");
    CPractica p;
    Llenar(p);
    CPractica q;
    for (auto _ : state) {
        if (p.GuardarPractica(ruta) != CPractica::Resultado::Correcto ||
            q.AbrirPractica(ruta) != CPractica::Resultado::Correcto) {
            state.SkipWithError("no se pudo guardar o abrir");
            break;
        }
    }
    state.counters["equipos"] = static_cast<double>(q.m_listaEquipo.size());
    state.counters["bytes"] = static_cast<double>(QFileInfo(ruta).size());
}
BENCHMARK(BM_GuardarYAbrir)->Unit(benchmark::kMillisecond);

// A damaged file of 20,000 items (the most a file may declare) whose last item has an
// unknown type code: everything read so far is torn down before the file is refused. This
// took seconds per file when every deleted item made every other forget it.
void BM_RechazarBancoDanado(benchmark::State& state) {
    CPractica p;
    std::vector<uint8_t> datos = p.EscribirPractica();
    datos.resize(datos.size() - 4);
    auto int32 = [&datos](int32_t n) {
        for (int k = 0; k < 4; ++k)
            datos.push_back(static_cast<uint8_t>(static_cast<uint32_t>(n) >> (8 * k)));
    };
    const int32_t nEquipos = 20'000;
    int32(nEquipos);
    for (int32_t i = 0; i + 1 < nEquipos; ++i) {
        int32(43); // a thermometer: type code and corner
        int32(i % 1000);
        int32(i / 1000);
    }
    int32(999); // no such item
    for (int k = 0; k < 8; ++k)
        int32(0);
    for (auto _ : state) {
        QString strError;
        if (p.LeerPractica(datos, QStringLiteral("x.uak1"), &strError) !=
            CPractica::Resultado::Error) {
            state.SkipWithError("el archivo dañado se aceptó");
            break;
        }
    }
    state.counters["equipos"] = nEquipos;
}
BENCHMARK(BM_RechazarBancoDanado)->Unit(benchmark::kMillisecond);

void BM_LeerNota4MB(benchmark::State& state) {
    const std::string nota = prueba::Nota4MB();
    for (auto _ : state) {
        QTextDocument doc;
        Rtf::Leer(nota, doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.counters["bytes"] = static_cast<double>(nota.size());
}
BENCHMARK(BM_LeerNota4MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
