#pragma once
// What a headless test does to follow a practice's procedure on the bench: find a reagent or
// an indicator by its name, run the timer, move items as the mouse would, dip a probe, look
// at a liquid's colour.

#include "equipment/Equipo.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "model/Catalogo.h"

#include <cstdint>

namespace prueba {

// The reagent of that name, found the way the reagent dialog finds it; -1 when none.
inline int32_t Reactivo(const CCatalogo& cat, const char* pszNombre) {
    const int32_t n = cat.BuscarReactivo(pszNombre);
    return n < cat.NumReactivos() ? n : -1;
}

inline int32_t Indicador(const CCatalogo& cat, const char* pszNombre) {
    const int32_t n = cat.BuscarIndicador(pszNombre);
    return n < cat.NumIndicadores() ? n : -1;
}

inline void Pasos(CListaEquipo& lista, int n) {
    for (int i = 0; i < n; ++i)
        lista.PasoSimulacion();
}

// Drags an item (and whatever is mounted on it) so that its corner ends at (x, y).
inline void Arrastrar(CEquipo& e, int x, int y) {
    e.MoveBy(x - e.m_x, y - e.m_y);
}

// Stands a vessel on a heat source or on the balance pan: centred, its bottom on the top.
inline void PonerSobre(CEquipo& r, const CEquipo& base) {
    Arrastrar(r, base.m_x + base.m_cx / 2 - r.m_cx / 2, base.m_y - r.m_cy);
}

// Dips an instrument into a vessel: its probe a few pixels above the vessel's bottom,
// a little right of the middle.
inline void Sumergir(CEquipo& i, const CRecipiente& r) {
    Arrastrar(i, r.m_x + r.m_cx / 2 + 4 - i.m_ptSonda.x(), r.m_y + r.m_cy - 6 - i.m_ptSonda.y());
}

inline COLORREF ColorLiquido(const CRecipiente& r) {
    return r.m_seno.m_faseLiquida.ColorFase().m_crColor;
}

} // namespace prueba
