// The readable sources of the templates: the catalogue table, a NUL byte, then one template
// source. Whatever they say, building a template fails with a message or gives a file that
// the template reader takes or refuses cleanly. The same texts as a practice source
// ("componentes.txt" and "practica.txt"): compiled into either kind of file, the file opens,
// the editor's checks on it are told at the source, and its exported source compiles to the
// same bytes.
#include "Comun.h"
#include "document/Fuente.h"
#include "document/Plantillas.h"
#include "document/Practica.h"

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Iniciar();
    return 0;
}

namespace {

void Plantilla(const uint8_t* p, size_t n) {
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
        return;
    }
    CPractica practica;
    practica.LeerPlantilla({bytes.begin(), bytes.end()}, QStringLiteral("f.akp"), &strError);
}

void IdaYVuelta(const QString& strComponentes, const QString& strPractica, Fuente::Tipo tipo) {
    Fuente::Archivos fuente;
    fuente.insert(QLatin1String(Fuente::kComponentes), strComponentes.toUtf8());
    fuente.insert(QLatin1String(Fuente::kPractica), strPractica.toUtf8());
    QString strError;
    Fuente::Mapa mapa;
    const QByteArray bytes = Fuente::Compilar(fuente, tipo, &strError, nullptr, {}, &mapa);
    if (bytes.isEmpty()) {
        if (strError.isEmpty())
            fuzz::Fallo("una fuente rechazada sin mensaje");
        return;
    }
    // What the editor's checks find in it is told at the source.
    CPractica practica;
    const std::vector<uint8_t> datos(bytes.begin(), bytes.end());
    const CPractica::Resultado r =
        tipo == Fuente::Tipo::Practica
            ? practica.LeerPractica(datos, QStringLiteral("f"), &strError)
            : practica.LeerPlantilla(datos, QStringLiteral("f"), &strError);
    if (r != CPractica::Resultado::Correcto)
        fuzz::Fallo("un archivo compilado que no se abre");
    for (const QString& s : Fuente::Revisar(practica, mapa))
        if (!s.startsWith(QLatin1String(Fuente::kPractica)))
            fuzz::Fallo("un problema que no dice en qué fuente está");
    Fuente::Archivos exportada;
    if (!Fuente::Exportar({bytes.begin(), bytes.end()}, QStringLiteral("f"), exportada, &strError))
        fuzz::Fallo("un archivo compilado que no se abre");
    if (Fuente::Compilar(exportada, tipo, &strError) != bytes)
        fuzz::Fallo("la fuente exportada no da el mismo archivo");
}

void Practicas(const uint8_t* p, size_t n) {
    const uint8_t* pFin = p + n;
    const uint8_t* pCorte = std::find(p, pFin, uint8_t(0));
    const QString strComponentes =
        QString::fromUtf8(reinterpret_cast<const char*>(p), static_cast<qsizetype>(pCorte - p));
    const QString strPractica = pCorte == pFin
                                    ? QString()
                                    : QString::fromUtf8(reinterpret_cast<const char*>(pCorte + 1),
                                                        static_cast<qsizetype>(pFin - pCorte - 1));
    IdaYVuelta(strComponentes, strPractica, Fuente::Tipo::Plantilla);
    IdaYVuelta(strComponentes, strPractica, Fuente::Tipo::Practica);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p, size_t n) {
    Plantilla(p, n);
    Practicas(p, n);
    return 0;
}
