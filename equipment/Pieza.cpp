#include "equipment/Pieza.h"

#include "equipment/ListaEquipo.h"

void CPieza::BuildMenu(CMenu& menu) {
    menu.push_back({ID_PROPIEDADES, "Propiedades"});
}

void CPieza::MoveBy(int32_t dx, int32_t dy) {
    if (m_pPadre)
        m_pPadre->MoveBy(dx, dy);
    else
        Desplazar(dx, dy);
}

void CPieza::Olvidar(CEquipo* pEquipo) {
    CRecipiente::Olvidar(pEquipo);
    if (m_pPadre == pEquipo)
        m_pPadre = nullptr;
}

void CPieza::Relink(CListaEquipo& lista) {
    const QPoint pt = QPoint(m_x, m_y) + PosicionPadre();
    for (CEquipo* e : lista) {
        if (e != this && e->m_nTipo == TipoPadre() && e->m_x == pt.x() && e->m_y == pt.y()) {
            Enlazar(*static_cast<CRecipiente*>(e));
            return;
        }
    }
}
