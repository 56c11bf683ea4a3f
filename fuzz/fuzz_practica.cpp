// The saved-practice reader on any bytes: it refuses or reads, never crashes, hangs or leaks,
// and a refusal leaves the open practice exactly as it was.
#include "Comun.h"
#include "document/Practica.h"

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
    }
    return 0;
}
