#include "bench/MesaConBarras.h"

#include "bench/ChildView.h"

#include <QGridLayout>
#include <QScrollBar>

#include <algorithm>

CMesaConBarras::CMesaConBarras(CChildView* pVista, QWidget* pPadre)
    : QWidget(pPadre), m_pVista(pVista), m_pHorizontal(new QScrollBar(Qt::Horizontal, this)),
      m_pVertical(new QScrollBar(Qt::Vertical, this)) {
    auto* l = new QGridLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    pVista->setParent(this);
    l->addWidget(pVista, 0, 0);
    l->addWidget(m_pVertical, 0, 1);
    l->addWidget(m_pHorizontal, 1, 0);
    for (QScrollBar* b : {m_pHorizontal, m_pVertical}) {
        b->setSingleStep(20);
        // The keyboard has the view's own keys; the bars are for the mouse.
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
    }
    m_pHorizontal->setAccessibleName(tr("Desplazamiento horizontal de la mesa"));
    m_pVertical->setAccessibleName(tr("Desplazamiento vertical de la mesa"));
    connect(m_pHorizontal, &QScrollBar::valueChanged, this, [this](int x) {
        if (!m_bSincronizando)
            m_pVista->SetDesplazamiento(QPoint(x, m_pVista->Desplazamiento().y()));
    });
    connect(m_pVertical, &QScrollBar::valueChanged, this, [this](int y) {
        if (!m_bSincronizando)
            m_pVista->SetDesplazamiento(QPoint(m_pVista->Desplazamiento().x(), y));
    });
    // Whatever moved the view, it paints afterwards: the bars follow its paints.
    connect(pVista, &CChildView::Pintado, this, &CMesaConBarras::Sincronizar);
}

void CMesaConBarras::Sincronizar() {
    if (m_bSincronizando)
        return;
    m_bSincronizando = true;
    const QRect rc = m_pVista->Extension();
    const QPoint pt = m_pVista->Desplazamiento();
    auto poner = [](QScrollBar* b, int nMin, int nMax, int nValor, int nPagina) {
        b->setRange(nMin, std::max(nMin, nMax));
        b->setPageStep(std::max(1, nPagina));
        b->setValue(nValor);
        b->setVisible(nMax > nMin);
    };
    poner(m_pHorizontal, rc.left(), rc.right() + 1 - m_pVista->width(), pt.x(), m_pVista->width());
    poner(m_pVertical, rc.top(), rc.bottom() + 1 - m_pVista->height(), pt.y(), m_pVista->height());
    m_bSincronizando = false;
}
