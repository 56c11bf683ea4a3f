// CPieza: a piece of glass attached to a parent vessel (distillation head, condensers,
// elbow, Buchner filter, delivery tube). It moves with its parent, offers only
// "Propiedades", and finds its parent again after a practice is read.
#pragma once

#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"

#include <utility>

class CPieza : public CRecipiente {
public:
    CRecipiente* m_pPadre = nullptr;
    CRecipiente* Montaje() const override { return m_pPadre; }

    void BuildMenu(CMenu& menu) override;
    bool AdmiteMateriales() const override { return false; }
    // Moving a piece moves the whole assembly; a piece without parent moves alone.
    void MoveBy(int32_t dx, int32_t dy) override;
    void Olvidar(CEquipo* pEquipo) override;
    void Relink(CListaEquipo& lista) override;

protected:
    // Where the parent stands relative to this piece, and its type code.
    virtual QPoint PosicionPadre() const = 0;
    virtual int32_t TipoPadre() const = 0;
    // Sets the links between this piece and its parent, once found.
    virtual void Enlazar(CRecipiente& padre) = 0;
};

// A new piece of class T mounted on its parent: added at the end of the bench list (drawn
// above everything), placed at the offset from the parent's corner, and linked to it.
template <class T, class... Args>
T* MontarPieza(CListaEquipo& lista, CRecipiente& padre, int dx, int dy, Args&&... args) {
    auto* p = new T(std::forward<Args>(args)...);
    lista.AgregarAlFinal(p);
    p->SetPosition(padre.m_x + dx, padre.m_y + dy);
    p->m_pPadre = &padre;
    return p;
}
