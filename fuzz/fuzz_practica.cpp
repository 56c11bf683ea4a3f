// The saved-practice reader on any bytes: it refuses or reads, never crashes, hangs or leaks,
// and a refusal leaves the open practice exactly as it was.
#include "Comun.h"
#include "document/Practica.h"

#include <cmath>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Iniciar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p, size_t n) {
    CPractica practica;
    const std::vector<uint8_t> antes = practica.EscribirPractica();
    QString strError;
    if (practica.LeerPractica(fuzz::Vector(p, n), QStringLiteral("f.uak1"), &strError) ==
        CPractica::Resultado::Error) {
        if (strError.isEmpty())
            fuzz::Fallo("una lectura rechazada sin mensaje");
        if (practica.EscribirPractica() != antes)
            fuzz::Fallo("una lectura rechazada cambió la práctica abierta");
        return 0;
    }
    // What grading does with a file a student handed in: the draw and every formula, all
    // finite, and the judgement of each answer.
    const CTarea& t = practica.m_tarea;
    const std::vector<double> v = t.Valores();
    for (double d : v)
        if (!std::isfinite(d))
            fuzz::Fallo("una incógnita sorteada no finita");
    const CTarea::Nota nota = t.Calificar(t.m_respuestas, v);
    if (!std::isfinite(nota.Sobre10()))
        fuzz::Fallo("una nota no finita");
    return 0;
}
