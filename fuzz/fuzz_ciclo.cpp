// A student's round: open a practice from any bytes, paint the bench, run the timer a few
// ticks, save. Nothing may crash, and what was saved must open again.
#include "Comun.h"
#include "document/Practica.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Iniciar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p, size_t n) {
    CPractica practica;
    QString strError;
    if (practica.LeerPractica(fuzz::Vector(p, n), QStringLiteral("f.uak1"), &strError) !=
        CPractica::Resultado::Correcto)
        return 0;
    QImage imagen(640, 480, QImage::Format_RGB32);
    for (int nTick = 0; nTick < 4; ++nTick) {
        imagen.fill(Qt::white);
        QPainter pintor(&imagen);
        for (CEquipo* e : practica.m_listaEquipo)
            e->Draw(pintor);
        pintor.end();
        practica.m_listaEquipo.PasoSimulacion();
    }
    std::vector<uint8_t> guardado;
    try {
        guardado = practica.EscribirPractica();
    } catch (const CErrorArchivo&) {
        // A number that went wrong is refused by the writer, as saving does.
        return 0;
    }
    CPractica otra;
    if (otra.LeerPractica(guardado, QStringLiteral("g.uak1"), &strError) !=
        CPractica::Resultado::Correcto) {
        std::fprintf(stderr, "%s\n", strError.toUtf8().constData());
        fuzz::Fallo("una práctica guardada no se puede abrir");
    }
    return 0;
}
