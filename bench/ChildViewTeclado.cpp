// The bench from the keyboard. Every key goes through what the mouse already does: the same
// selection, the same end of a move, the same menu, the same commands and the same pour.
#include "bench/ChildView.h"

#include "document/Practica.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

// Where an item stands in bench order; -1 when it is not there.
int Indice(const CListaEquipo& lista, const CEquipo* pEquipo) {
    int i = 0;
    for (const CEquipo* e : lista) {
        if (e == pEquipo)
            return i;
        ++i;
    }
    return -1;
}

} // namespace

bool CChildView::MenuTiene(int nComando) const {
    if (!m_pSeleccion)
        return false;
    CMenu entradas;
    m_pSeleccion->BuildMenu(entradas);
    return std::any_of(entradas.begin(), entradas.end(),
                       [nComando](const CEntradaMenu& e) { return e.m_nComando == nComando; });
}

bool CChildView::focusNextPrevChild(bool bSiguiente) {
    // Only the view's own Tab walks the items; a child of it (the invitation's button) and
    // an empty bench move the focus on as usual.
    QWidget* pFoco = focusWidget();
    CListaEquipo& lista = m_practica.m_listaEquipo;
    if ((pFoco && pFoco != this) || lista.empty())
        return QWidget::focusNextPrevChild(bSiguiente);
    if (Vertiendo()) {
        MoverCandidato(bSiguiente ? 1 : -1);
        return true;
    }
    const int n = static_cast<int>(lista.size());
    const int i = Indice(lista, m_pSeleccion);
    const int j = bSiguiente ? i + 1 : (i < 0 ? n - 1 : i - 1);
    if (j >= 0 && j < n) {
        Seleccionar(*std::next(lista.begin(), j));
        MostrarEquipo(m_pSeleccion);
        return true;
    }
    // Past the last item (or before the first) the focus leaves the bench, and the next
    // visit starts again from the beginning.
    Seleccionar(nullptr);
    return QWidget::focusNextPrevChild(bSiguiente);
}

void CChildView::MoverCandidato(int nSentido) {
    // The vessels that can receive the pour, in bench order.
    std::vector<CEquipo*> candidatos;
    for (CEquipo* e : m_practica.m_listaEquipo)
        if (e != m_pSeleccion && e->Recipiente())
            candidatos.push_back(e);
    if (candidatos.empty())
        return;
    const auto it = std::find(candidatos.begin(), candidatos.end(), m_pCandidato);
    const int n = static_cast<int>(candidatos.size());
    int i = 0;
    if (it != candidatos.end())
        i = (static_cast<int>(it - candidatos.begin()) + nSentido + n) % n;
    else if (nSentido < 0)
        i = n - 1;
    m_pCandidato = candidatos[static_cast<size_t>(i)];
    MostrarEquipo(m_pCandidato);
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent ev(this, QAccessible::Focus);
        ev.setChild(Indice(m_practica.m_listaEquipo, m_pCandidato));
        QAccessible::updateAccessibility(&ev);
    }
}

bool CChildView::Tecla(QKeyEvent* e) {
    const int k = e->key();
    const Qt::KeyboardModifiers m = e->modifiers() & ~Qt::KeypadModifier;
    const bool bIntro = k == Qt::Key_Return || k == Qt::Key_Enter;
    const bool bFlecha =
        k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down;
    if (Vertiendo()) {
        if (k == Qt::Key_Escape) {
            CancelarVertido();
            return true;
        }
        if (bFlecha && (m == Qt::NoModifier || m == Qt::ShiftModifier)) {
            MoverCandidato(k == Qt::Key_Left || k == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (bIntro && m == Qt::NoModifier) {
            if (m_pCandidato && m_practica.m_listaEquipo.Contiene(m_pCandidato))
                TerminarVertido(m_pCandidato);
            return true;
        }
        return false;
    }
    if (m_bArrastrando || m_bDesplazando)
        return false;
    // Re Pág and Av Pág scroll the bench a view at a time (Mayús: sideways); with nothing
    // selected the arrows scroll it too, 20 pixels a press (Mayús: 100).
    if ((k == Qt::Key_PageUp || k == Qt::Key_PageDown) &&
        (m == Qt::NoModifier || m == Qt::ShiftModifier)) {
        const int nSentido = k == Qt::Key_PageUp ? -1 : 1;
        if (m == Qt::ShiftModifier)
            Desplazar(nSentido * width() * 9 / 10, 0);
        else
            Desplazar(0, nSentido * height() * 9 / 10);
        return true;
    }
    if (!m_pSeleccion) {
        if (!bFlecha || (m != Qt::NoModifier && m != Qt::ShiftModifier))
            return false;
        const int d = m == Qt::ShiftModifier ? 100 : 20;
        Desplazar(k == Qt::Key_Left    ? -d
                  : k == Qt::Key_Right ? d
                                       : 0,
                  k == Qt::Key_Up     ? -d
                  : k == Qt::Key_Down ? d
                                      : 0);
        return true;
    }
    if (bFlecha && (m == Qt::NoModifier || m == Qt::ShiftModifier)) {
        // One press, one move, ended as a drop of the mouse ends it.
        const int d = m == Qt::ShiftModifier ? 10 : 1;
        const QPoint ptInicio = m_pSeleccion->m_rcArea.topLeft();
        m_pSeleccion->MoveBy(k == Qt::Key_Left    ? -d
                             : k == Qt::Key_Right ? d
                                                  : 0,
                             k == Qt::Key_Up     ? -d
                             : k == Qt::Key_Down ? d
                                                 : 0);
        SoltarEquipo(ptInicio);
        MostrarEquipo(m_pSeleccion);
        if (QAccessible::isActive()) {
            QAccessibleEvent ev(this, QAccessible::LocationChanged);
            ev.setChild(Indice(m_practica.m_listaEquipo, m_pSeleccion));
            QAccessible::updateAccessibility(&ev);
        }
        return true;
    }
    if (k == Qt::Key_Menu || (k == Qt::Key_F10 && m == Qt::ShiftModifier)) {
        MostrarMenu(ACliente(m_pSeleccion->m_rcArea).center());
        return true;
    }
    // The item's own keys (the stopwatch's space bar and zero), as its menu entries.
    if (const int nComando = m == Qt::NoModifier ? m_pSeleccion->ComandoDeTecla(k) : 0;
        nComando != 0 && MenuTiene(nComando)) {
        Comando(nComando);
        return true;
    }
    if (k == Qt::Key_Delete && m == Qt::NoModifier) {
        if (MenuTiene(ID_ELIMINAR))
            Comando(ID_ELIMINAR);
        else
            ExplicarQueNoSeElimina();
        return true;
    }
    if (bIntro && m == Qt::NoModifier) {
        // As the menu's "Propiedades": shown greyed where the practice keeps it closed.
        if (MenuTiene(ID_PROPIEDADES) && m_practica.m_bPropiedades &&
            !m_practica.m_tarea.Bloqueada())
            Comando(ID_PROPIEDADES);
        else
            QApplication::beep();
        return true;
    }
    return false;
}

void CChildView::ExplicarQueNoSeElimina() {
    // A piece of an assembly has no "Eliminar" of its own: its parent's menu takes the
    // assembly apart as a whole. Supr does what the menus allow, and says where to look.
    QApplication::beep();
    const QString strNombre = QString::fromStdString(m_pSeleccion->GetNombre());
    CRecipiente* pPadre = m_pSeleccion->Montaje();
    if (!pPadre || !m_practica.m_listaEquipo.Contiene(pPadre)) {
        emit Indicacion(tr("%1 no se puede eliminar por separado.").arg(strNombre));
        return;
    }
    const QString strPadre = QString::fromStdString(pPadre->GetNombre());
    CMenu entradas;
    pPadre->BuildMenu(entradas);
    for (const CEntradaMenu& e : entradas)
        if (e.m_nComando == ID_ELIMINAR_DESTILACION || e.m_nComando == ID_ELIMINAR_REFLUJO ||
            e.m_nComando == ID_ELIMINAR_EMBUDO || e.m_nComando == ID_ELIMINAR_TUBO) {
            emit Indicacion(
                tr("%1 forma parte del montaje de %2: se retira con «%3», en el menú de este.")
                    .arg(strNombre, strPadre, TextoDeComando(*pPadre, e.m_nComando)));
            return;
        }
    // A set not yet complete (a distillation head without its elbow) comes off with its
    // parent only.
    emit Indicacion(
        tr("%1 forma parte del montaje de %2 y se retira con él.").arg(strNombre, strPadre));
}

void CChildView::PintarFoco(QPainter& p) {
    auto marco = [&](const CEquipo* e, const QPen& pluma) {
        if (!e || !m_practica.m_listaEquipo.Contiene(e))
            return;
        p.save();
        p.setPen(pluma);
        p.setBrush(Qt::NoBrush);
        // Outside the item's own dotted selection frame, which runs 2 pixels out.
        p.drawRect(ACliente(e->m_rcArea).adjusted(-5, -5, 4, 4));
        p.restore();
    };
    if (hasFocus())
        marco(m_pSeleccion, QPen(QColor(26, 111, 208), 1, Qt::DashLine));
    if (Vertiendo())
        marco(m_pCandidato, QPen(QColor(224, 112, 0), 2, Qt::DashLine));
}

void CChildView::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    update();
    AvisarSeleccion();
}

void CChildView::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    update();
}
