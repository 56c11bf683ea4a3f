// The head of a file as the practice browser reads it for every file of a folder: name and
// summary in file mode, and in the library up to the author, past the catalogue, whether the
// bytes are the whole file or only its first part.
#include "Comun.h"
#include "document/Biblioteca.h"
#include "document/Practica.h"

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
    const std::vector<uint8_t> datos = fuzz::Vector(p, n);
    for (bool bPlantilla : {true, false})
        for (bool bCompleto : {true, false}) {
            Biblioteca::Entrada e;
            if (!Biblioteca::LeerCabecera(datos, bCompleto, bPlantilla, QStringLiteral("f.akp"),
                                          e) &&
                e.m_strError.isEmpty())
                fuzz::Fallo("una cabecera de la biblioteca rechazada sin mensaje");
        }
    return 0;
}
