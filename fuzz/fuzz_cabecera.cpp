// The head of a file as the practice browser reads it for every file of a folder.
#include "Comun.h"
#include "Practica.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Iniciar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p, size_t n) {
    std::string strNombre, strResumen;
    QString strError;
    if (CPractica::LeerCabecera(fuzz::Vector(p, n), QStringLiteral("f.uak1"), strNombre, strResumen,
                                &strError) == CPractica::Resultado::Error &&
        strError.isEmpty())
        fuzz::Fallo("una cabecera rechazada sin mensaje");
    return 0;
}
