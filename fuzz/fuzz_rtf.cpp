// The notes' RTF reader on any bytes, then the writer: what the writer writes must read back
// to the same text, and a second write must give the same bytes.
#include "Comun.h"
#include "document/Rtf.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Iniciar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p, size_t n) {
    const std::string strRtf(reinterpret_cast<const char*>(p), n);
    QTextDocument doc;
    Rtf::Leer(strRtf, doc);
    const std::string strEscrito = Rtf::Escribir(doc);
    QTextDocument otro;
    Rtf::Leer(strEscrito, otro);
    if (otro.toPlainText() != doc.toPlainText())
        fuzz::Fallo("el texto escrito no se lee igual");
    if (Rtf::Escribir(otro) != strEscrito)
        fuzz::Fallo("escribir lo leído no da los mismos bytes");
    return 0;
}
