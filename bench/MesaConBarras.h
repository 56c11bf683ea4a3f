// CMesaConBarras: the bench view with its scroll bars. The bench has no edge of its own; the
// bars span every item (and the part of the bench in view), at the present zoom, and follow
// the view however it moves (dragged, zoomed, "Mostrar todo el equipo"). A bar is shown only
// while there is something to scroll to in its direction.
#pragma once

#include <QWidget>

class CChildView;
class QScrollBar;

class CMesaConBarras : public QWidget {
    Q_OBJECT
public:
    CMesaConBarras(CChildView* pVista, QWidget* pPadre = nullptr);

    CChildView* Vista() const { return m_pVista; }
    QScrollBar* BarraHorizontal() const { return m_pHorizontal; }
    QScrollBar* BarraVertical() const { return m_pVertical; }
    // The bars again, from where the view stands now.
    void Sincronizar();

private:
    CChildView* m_pVista;
    QScrollBar* m_pHorizontal;
    QScrollBar* m_pVertical;
    bool m_bSincronizando = false;
};
