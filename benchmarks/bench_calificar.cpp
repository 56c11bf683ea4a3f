// Grading a class: a folder of 500 students' files of the titration, each with its own
// unknown and four answers, read and judged against the teacher's practice.
#include "document/Calificacion.h"
#include "document/Plantillas.h"
#include "document/Practica.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void Profesor(CPractica& p) {
    const QByteArray b = Plantillas::Bytes(903);
    QString strError;
    p.LeerPlantilla({b.begin(), b.end()}, "903", &strError);
    CTarea& t = p.m_tarea;
    t.m_bProfesor = true;
    t.m_clave = Sorteo::SecretoNuevo();
    t.m_incognitas.push_back({"c1", 0, 1, 0.08, 0.12});
    CPregunta q;
    q.m_strTexto = "Concentración de HCl";
    q.m_strEsperado = "c1";
    q.m_dTolerancia = 2.0;
    q.m_bPorcentaje = 1;
    q.m_nCifras = 3;
    t.m_preguntas.push_back(q);
    q.m_strTexto = "Volumen de NaOH";
    q.m_strEsperado = "c1*25/0,1";
    q.m_bPorcentaje = 0;
    q.m_dTolerancia = 0.2;
    q.m_nCifras = 0;
    t.m_preguntas.push_back(q);
}

void BM_Calificar500(benchmark::State& state) {
    CPractica p;
    Profesor(p);
    QTemporaryDir dir;
    CPractica a;
    QString strError;
    {
        auto c = p.Copia(&strError);
        c->m_tarea = p.m_tarea.ParaAlumnos();
        a.LeerPractica(c->EscribirPractica(), "repartida", &strError);
    }
    for (int i = 0; i < 500; ++i) {
        a.m_tarea.Empezar("Alumno " + std::to_string(i), "2B", a.m_catalogo);
        a.m_tarea.m_respuestas = {"0.100", "25.0"};
        const std::vector<uint8_t> v = a.EscribirPractica();
        QFile f(dir.filePath(QStringLiteral("a%1.uak1").arg(i)));
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
    }
    for (auto _ : state) {
        const Calificacion::Clase c = Calificacion::Carpeta(p.m_tarea, dir.path());
        if (c.m_filas.size() != 500)
            state.SkipWithError("no se calificaron los 500 archivos");
        benchmark::DoNotOptimize(c.m_filas.data());
    }
}
BENCHMARK(BM_Calificar500)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
