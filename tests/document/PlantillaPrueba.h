#pragma once
// The catalogue of a built-in practice, read from its template as "Iniciar práctica" reads it.

#include "document/Plantillas.h"
#include "document/Practica.h"

#include <vector>

namespace prueba {

inline bool Plantilla(int nNumero, CCatalogo& cat) {
    const QByteArray b = Plantillas::Bytes(nNumero);
    CPractica p;
    if (p.LeerPlantilla(std::vector<uint8_t>(b.begin(), b.end()), "plantilla.akp", nullptr) !=
        CPractica::Resultado::Correcto)
        return false;
    cat = p.m_catalogo;
    return true;
}

} // namespace prueba
