// Small helpers shared by the equipment tests.
#pragma once

#include "equipment/Equipo.h"
#include "equipment/ListaEquipo.h"

#include <vector>

namespace prueba {

// A new item of class T with its corner at (x, y), appended to the bench.
template <class T> T* Nuevo(CListaEquipo& lista, int x, int y) {
    auto* p = new T;
    p->SetPosition(x, y);
    lista.AgregarAlFinal(p);
    return p;
}

// The command identifiers of an item's menu; separators as 0 unless bSinSeparadores.
inline std::vector<int> Comandos(CEquipo& e, bool bSinSeparadores = false) {
    CMenu m;
    e.BuildMenu(m);
    std::vector<int> v;
    for (const CEntradaMenu& entrada : m)
        if (!bSinSeparadores || !entrada.EsSeparador())
            v.push_back(entrada.m_nComando);
    return v;
}

} // namespace prueba
