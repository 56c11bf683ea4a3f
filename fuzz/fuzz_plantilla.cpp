// The template reader on any bytes: it refuses or reads, never crashes, hangs or leaks.
#include "Comun.h"
#include "document/Practica.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Iniciar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p, size_t n) {
    CPractica practica;
    QString strError;
    if (practica.LeerPlantilla(fuzz::Vector(p, n), QStringLiteral("f.akp"), &strError) ==
            CPractica::Resultado::Error &&
        strError.isEmpty())
        fuzz::Fallo("una plantilla rechazada sin mensaje");
    return 0;
}
