// The readable sources of the templates: the catalogue table, a NUL byte, then one template
// source. Whatever they say, building a template fails with a message or gives a file that
// the template reader takes or refuses cleanly.
#include "Comun.h"
#include "Plantillas.h"
#include "Practica.h"

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Iniciar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p, size_t n) {
    const uint8_t* pFin = p + n;
    const uint8_t* pCorte = std::find(p, pFin, uint8_t(0));
    const QString strComponentes =
        QString::fromUtf8(reinterpret_cast<const char*>(p), static_cast<qsizetype>(pCorte - p));
    const QString strPlantilla = pCorte == pFin
                                     ? QString()
                                     : QString::fromUtf8(reinterpret_cast<const char*>(pCorte + 1),
                                                         static_cast<qsizetype>(pFin - pCorte - 1));
    QString strError;
    const QByteArray bytes = Plantillas::DesdeFuentes(strComponentes, strPlantilla, &strError);
    if (bytes.isEmpty()) {
        if (strError.isEmpty())
            fuzz::Fallo("unas fuentes rechazadas sin mensaje");
        return 0;
    }
    CPractica practica;
    practica.LeerPlantilla({bytes.begin(), bytes.end()}, QStringLiteral("f.akp"), &strError);
    return 0;
}
