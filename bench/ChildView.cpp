#include "ChildView.h"

#include "Calentadores.h"
#include "Calorimetro.h"
#include "Catalogo.h"
#include "Destilacion.h"
#include "Dibujo.h"
#include "DlgMateriales.h"
#include "Erlenmeyer250.h"
#include "Instrumentos.h"
#include "ListaEquipo.h"
#include "Mensajes.h"
#include "Practica.h"
#include "Recipientes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <vector>

namespace {

// The pour cursor: a tilted beaker whose stream ends at the lower-left corner.
QCursor CursorVerter() {
    static const QCursor cursor = [] {
        QSvgRenderer r(QStringLiteral(":/imagenes/verter.svg"));
        if (!r.isValid())
            return QCursor(Qt::PointingHandCursor);
        QPixmap px(32, 32);
        px.fill(Qt::transparent);
        QPainter p(&px);
        r.render(&p, QRectF(0, 0, 32, 32));
        p.end();
        return QCursor(px, 0, 31);
    }();
    return cursor;
}

} // namespace

CChildView::CChildView(CPractica& practica, QWidget* pPadre)
    : QWidget(pPadre), m_practica(practica) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setMinimumSize(100, 100);
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, &CChildView::Tick);
    m_nTick = 0;
    m_timer.start();
}

void CChildView::StopTimer() {
    m_timer.stop();
}

void CChildView::StartTimer() {
    m_timer.start(100);
    update();
}

void CChildView::BeginDecant() {
    setCursor(CursorVerter());
    m_bDecantar = true;
}

void CChildView::BeginTransfer() {
    setCursor(CursorVerter());
    m_bTransferir = true;
}

void CChildView::CancelarVertido() {
    if (!Vertiendo())
        return;
    m_bDecantar = m_bTransferir = false;
    unsetCursor();
    emit VertidoTerminado();
}

void CChildView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && Vertiendo()) {
        CancelarVertido();
        return;
    }
    QWidget::keyPressEvent(e);
}

void CChildView::ColocarLibre(CEquipo* pEquipo) const {
    const QRect rcVista = AreaVisible();
    const QRect rc = pEquipo->m_rcArea;
    auto libre = [&](const QRect& r) {
        for (CEquipo* e : m_practica.m_listaEquipo)
            if (e != pEquipo && e->m_rcArea.intersects(r))
                return false;
        return true;
    };
    if (libre(rc))
        return;
    // Spots on an 8-pixel grid over the view, nearest first.
    constexpr int kPaso = 8;
    std::vector<QPoint> desplazamientos;
    for (int y = rcVista.top(); y + rc.height() <= rcVista.bottom() + 1; y += kPaso)
        for (int x = rcVista.left(); x + rc.width() <= rcVista.right() + 1; x += kPaso)
            desplazamientos.emplace_back(x - rc.x(), y - rc.y());
    std::stable_sort(desplazamientos.begin(), desplazamientos.end(),
                     [](const QPoint& a, const QPoint& b) {
                         return QPoint::dotProduct(a, a) < QPoint::dotProduct(b, b);
                     });
    for (const QPoint& d : desplazamientos)
        if (libre(rc.translated(d))) {
            pEquipo->MoveBy(d.x(), d.y());
            return;
        }
    // A full view: the insertion point it is.
}

void CChildView::TraerALaVista(CEquipo* pEquipo) const {
    const QRect rcVista = AreaVisible();
    const QRect rc = pEquipo->m_rcArea;
    const QRect comun = rc.intersected(rcVista);
    // Enough of it in view to be grabbed again: it stays where it was put.
    if (comun.width() >= std::min(20, rc.width()) && comun.height() >= std::min(20, rc.height()))
        return;
    const int x = std::max(rcVista.left(), std::min(rc.x(), rcVista.right() + 1 - rc.width()));
    const int y = std::max(rcVista.top(), std::min(rc.y(), rcVista.bottom() + 1 - rc.height()));
    pEquipo->MoveBy(x - rc.x(), y - rc.y());
}

void CChildView::MostrarTodo() {
    QRect rcTodo;
    for (CEquipo* e : m_practica.m_listaEquipo)
        rcTodo |= e->m_rcArea;
    if (rcTodo.isEmpty())
        return;
    // Centred when it fits; otherwise its top left corner in view, 10 pixels in.
    QPoint ptOrigen = QPoint(width() / 2, height() / 2) - rcTodo.center();
    if (rcTodo.width() > width() - 20)
        ptOrigen.setX(10 - rcTodo.left());
    if (rcTodo.height() > height() - 20)
        ptOrigen.setY(10 - rcTodo.top());
    m_ptOrigen = ptOrigen;
    ActualizarPuntoInsercion();
    update();
}

void CChildView::LimpiarSeleccion() {
    m_pSeleccion = nullptr;
    m_bArrastrando = false;
    for (CEquipo* e : m_practica.m_listaEquipo)
        e->m_bSeleccionado = 0;
}

CRecipiente* CChildView::RecipienteSeleccionado() const {
    return dynamic_cast<CRecipiente*>(m_pSeleccion);
}

void CChildView::SelectAt(const QPoint& ptBanco) {
    m_pSeleccion = nullptr;
    for (CEquipo* e : m_practica.m_listaEquipo)
        e->m_bSeleccionado = 0;
    CListaEquipo& lista = m_practica.m_listaEquipo;
    for (auto it = std::make_reverse_iterator(lista.end());
         it != std::make_reverse_iterator(lista.begin()); ++it) {
        if ((*it)->HitTestForma(ptBanco)) {
            (*it)->m_bSeleccionado = 1;
            m_pSeleccion = *it;
            break;
        }
    }
    update();
}

void CChildView::Tick() {
    if (m_practica.m_bOcupado)
        return;
    ++m_nTick;
    bool bCambio = false;
    if (m_nTick >= m_nTicksPorPaso) {
        bCambio = m_practica.m_listaEquipo.PasoSimulacion();
        m_nTick = 0;
    }
    if (bCambio)
        update();
    emit UM_TICK();
}

QImage CChildView::Pintar() {
    QImage img(size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.translate(m_ptOrigen);
    Dibujo::PrepararPintor(p);
    for (CEquipo* e : m_practica.m_listaEquipo)
        e->Draw(p);
    return img;
}

void CChildView::paintEvent(QPaintEvent*) {
    QElapsedTimer reloj;
    reloj.start();
    const QImage img = Pintar();
    QPainter p(this);
    p.drawImage(0, 0, img);
    p.end();
    emit Pintado(reloj.nsecsElapsed());
}

void CChildView::ActualizarPuntoInsercion() {
    const QPoint c = ToBench(QPoint(width() / 2, height() / 2));
    CEquipo::SetInsertionPoint(c.x(), c.y());
}

void CChildView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    ActualizarPuntoInsercion();
}

void CChildView::TerminarVertido(const QPoint& ptBanco) {
    CEquipo* pDestino = nullptr;
    // The topmost item drawn under the click receives the pour.
    CListaEquipo& lista = m_practica.m_listaEquipo;
    for (auto it = std::make_reverse_iterator(lista.end());
         it != std::make_reverse_iterator(lista.begin()); ++it)
        if (*it != m_pSeleccion && (*it)->HitTestForma(ptBanco)) {
            pDestino = *it;
            break;
        }
    if (!pDestino)
        return; // empty bench or the source itself: the mode stays armed
    // Pouring needs a vessel on both sides; a click on anything else is ignored.
    auto* pFuente = RecipienteSeleccionado();
    auto* pRecipiente = dynamic_cast<CRecipiente*>(pDestino);
    if (!pFuente || !pRecipiente)
        return;
    pFuente->PourLiquid(*pRecipiente, 0.0);
    if (m_bTransferir)
        pFuente->PourSolid(*pRecipiente);
    pFuente->m_bSeleccionado = 0;
    pRecipiente->m_bSeleccionado = 1;
    m_pSeleccion = pRecipiente;
    unsetCursor();
    m_bDecantar = m_bTransferir = false;
    update();
    emit Modificado();
    emit VertidoTerminado();
}

void CChildView::mousePressEvent(QMouseEvent* e) {
    setFocus();
    if (e->button() == Qt::RightButton) {
        MenuContextual(e->position().toPoint());
        return;
    }
    if (e->button() != Qt::LeftButton)
        return;
    if (e->modifiers() & Qt::ControlModifier) {
        m_bDesplazando = true;
        setCursor(Qt::ClosedHandCursor);
        grabMouse();
        m_ptUltimo = e->position().toPoint();
        return;
    }
    const QPoint p = ToBench(e->position().toPoint());
    if (m_bDecantar || m_bTransferir) {
        TerminarVertido(p);
        return;
    }
    SelectAt(p);
    if (m_pSeleccion) {
        m_bArrastrando = true;
        grabMouse();
        m_ptUltimo = p;
        m_ptInicioArrastre = m_pSeleccion->m_rcArea.topLeft();
    }
}

void CChildView::mouseMoveEvent(QMouseEvent* e) {
    if (m_bDesplazando) {
        const QPoint pt = e->position().toPoint();
        m_ptOrigen += pt - m_ptUltimo;
        m_ptUltimo = pt;
        ActualizarPuntoInsercion();
        update();
    } else if (m_bArrastrando && m_pSeleccion) {
        const QPoint p = ToBench(e->position().toPoint());
        const QPoint d = p - m_ptUltimo;
        m_ptUltimo = p;
        m_pSeleccion->MoveBy(d.x(), d.y());
        update();
    }
}

void CChildView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return;
    if (m_bDesplazando) {
        m_bDesplazando = false;
        if (m_bDecantar || m_bTransferir)
            setCursor(CursorVerter());
        else
            unsetCursor();
        releaseMouse();
    } else if (m_bArrastrando) {
        m_bArrastrando = false;
        releaseMouse();
        if (m_pSeleccion) {
            // Dropped out of sight (onto the notes pane, past an edge): back to the edge.
            TraerALaVista(m_pSeleccion);
            if (m_pSeleccion->m_rcArea.topLeft() != m_ptInicioArrastre)
                emit Modificado();
            CListaEquipo& lista = m_practica.m_listaEquipo;
            // Instruments go on top of what they dip into; the ice bath beneath what
            // stands in it.
            if (m_pSeleccion->m_nCategoria == CATEGORIA_INSTRUMENTO)
                lista.MoverAlFinal(m_pSeleccion);
            else if (m_pSeleccion->VaDebajo())
                lista.MoverAlFrente(m_pSeleccion);
            update();
        }
    }
}

void CChildView::MenuContextual(const QPoint& ptCliente) {
    const QPoint p = ToBench(ptCliente);
    SelectAt(p);
    if (!m_pSeleccion)
        return;
    CMenu entradas;
    m_pSeleccion->BuildMenu(entradas);
    QMenu menu(this);
    for (const CEntradaMenu& e : entradas) {
        if (e.EsSeparador()) {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(QString::fromStdString(e.m_strTexto));
        a->setData(e.m_nComando);
        // A practice may keep the contents to the instruments (calorimetry): the entry is
        // shown greyed rather than doing nothing.
        if (e.m_nComando == ID_PROPIEDADES && !m_practica.m_bPropiedades)
            a->setEnabled(false);
    }
    QAction* pElegida = menu.exec(mapToGlobal(ptCliente));
    if (pElegida)
        Comando(pElegida->data().toInt());
}

void CChildView::Comando(int nComando) {
    CEquipo* s = m_pSeleccion;
    if (!s || !m_practica.m_listaEquipo.Contiene(s))
        return;
    CListaEquipo& lista = m_practica.m_listaEquipo;
    auto* r = dynamic_cast<CRecipiente*>(s);
    bool bModifica = true; // false when a dialog was cancelled or refused
    switch (nComando) {
    case ID_ELIMINAR:
        LimpiarSeleccion();
        m_practica.RemoveEquipment(s);
        break;
    case ID_ELIMINAR_CONTENIDO:
        if (r)
            r->EmptyContents();
        break;
    case ID_PROPIEDADES:
        emit UM_PROPIEDADES();
        return;
    case ID_TITULAR:
        emit UM_TITULAR();
        return;
    case ID_TARAR:
        if (auto* b = dynamic_cast<CBalanza*>(s))
            b->Tarar();
        break;
    case ID_APAGAR:
    case ID_NIVEL1:
    case ID_NIVEL2:
    case ID_NIVEL3:
    case ID_NIVEL4:
    case ID_NIVEL5:
        if (auto* p = dynamic_cast<CParrilla*>(s))
            p->Comando(nComando);
        break;
    case ID_CABEZA_DESTILACION:
    case ID_CONDENSADOR:
    case ID_CODO_DESTILACION:
    case ID_CONDENSADOR_REFLUJO:
    case ID_ELIMINAR_DESTILACION:
    case ID_ELIMINAR_REFLUJO:
        if (auto* m = dynamic_cast<CMatrazBalon*>(s)) {
            if (nComando == ID_CABEZA_DESTILACION)
                m->PonerCabeza(lista);
            else if (nComando == ID_CONDENSADOR)
                m->PonerCondensador(lista);
            else if (nComando == ID_CODO_DESTILACION)
                m->PonerCodo(lista);
            else if (nComando == ID_CONDENSADOR_REFLUJO)
                m->PonerReflujo(lista);
            else if (nComando == ID_ELIMINAR_REFLUJO)
                m->QuitarReflujo(lista);
            else {
                StopTimer();
                m->QuitarDestilacion(lista);
                StartTimer();
            }
        }
        break;
    case ID_EMBUDO_BUCHNER:
    case ID_ELIMINAR_EMBUDO:
    case ID_ELIMINAR_TUBO:
        if (auto* f = dynamic_cast<CErlenmeyer250*>(s)) {
            if (nComando == ID_EMBUDO_BUCHNER)
                f->PonerEmbudo(lista);
            else if (nComando == ID_ELIMINAR_TUBO)
                f->QuitarTubo(lista);
            else if (!f->EmbudoConPrecipitado() ||
                     Mensajes::Pregunta(this, QString::fromUtf8(kTextoPrecipitado)) ==
                         QMessageBox::Yes)
                f->QuitarEmbudo(lista);
        }
        break;
    case ID_TAPAR_CALORIMETRO:
    case ID_DESTAPAR_CALORIMETRO:
        if (auto* c = dynamic_cast<CCalorimetro*>(s)) {
            if (nComando == ID_TAPAR_CALORIMETRO)
                c->Tapar(lista);
            else
                c->Destapar(lista);
        }
        break;
    case ID_LLENAR_DESDE:
    case ID_VACIAR_EN:
        if (auto* pipeta = dynamic_cast<CPipeta*>(s)) {
            // A vessel deleted since the last step is not poured into or from.
            CRecipiente* abajo = pipeta->m_pConectado;
            if (!abajo || !lista.Contiene(abajo))
                break;
            const bool bLlenar = nComando == ID_LLENAR_DESDE;
            double dMl = CPipetaVolumetrica::kVolumen; // the volumetric pipette's fixed 10 ml
            if (!dynamic_cast<CPipetaVolumetrica*>(pipeta)) {
                CDlgMililitros dlg(bLlenar ? pipeta->m_dCapacidad : pipeta->VolumenLiquido(), this);
                if (dlg.exec() != QDialog::Accepted || !lista.Contiene(abajo)) {
                    bModifica = false;
                    break;
                }
                dMl = dlg.m_dMililitros;
            }
            if (bLlenar)
                abajo->PourLiquid(*pipeta, dMl);
            else
                pipeta->PourLiquid(*abajo, dMl);
        }
        break;
    case ID_AGREGAR_AGUA:
        if (r) {
            CDlgAgua dlg(this);
            dlg.m_dCapacidadVaso = r->m_dCapacidad;
            // The dialog counts what the vessel holds, so that "Aforar a:" fills to the mark.
            dlg.m_dVolumenVaso = r->VolumenOcupado();
            bModifica = dlg.exec() == QDialog::Accepted && lista.Contiene(r);
            if (bModifica && !r->AddComponent(0, dlg.m_dAgua, UNIDAD_ML)) {
                bModifica = false;
                Mensajes::Aviso(this, QString::fromUtf8(kTextoNoCabe));
            }
        }
        break;
    case ID_AGREGAR_REACTIVO:
        if (r && g_nReactivos == 0) {
            Mensajes::Aviso(this, QStringLiteral("Esta práctica no tiene reactivos."));
            bModifica = false;
        } else if (r) {
            CDlgReactivo dlg(this);
            bModifica = dlg.exec() == QDialog::Accepted && lista.Contiene(r);
            if (bModifica && !r->AddReagent(dlg.m_nIndiceReactivo, dlg.m_dCantidad)) {
                bModifica = false;
                Mensajes::Aviso(this, QString::fromUtf8(kTextoNoCabe));
            }
        }
        break;
    case ID_AGREGAR_INDICADOR:
        if (r && g_nIndicadores == 0) {
            Mensajes::Aviso(this, QStringLiteral("Esta práctica no tiene indicadores."));
            bModifica = false;
        } else if (r) {
            CDlgIndicador dlg(this);
            bModifica = dlg.exec() == QDialog::Accepted && lista.Contiene(r);
            if (bModifica)
                r->m_seno.m_faseLiquida.AgregarIndicador(dlg.m_nIndiceIndicador);
        }
        break;
    case ID_TUBO_DESPRENDIMIENTO:
        if (auto* f = dynamic_cast<CErlenmeyer250*>(s)) {
            CDlgSalida dlg(this);
            dlg.exec();
            // The tube goes on however the dialog closes, with the side it showed.
            if (lista.Contiene(f))
                f->PonerTubo(lista, dlg.Salida());
        }
        break;
    default:
        emit ComandoPendiente(nComando);
        return;
    }
    update();
    if (bModifica)
        emit Modificado();
}
