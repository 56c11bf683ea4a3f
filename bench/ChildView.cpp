#include "bench/ChildView.h"

#include "bench/AccesibleMesa.h"
#include "bench/DlgMateriales.h"
#include "bench/Mensajes.h"
#include "document/Practica.h"
#include "document/Registro.h"
#include "equipment/Dibujo.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "model/Catalogo.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
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

// The zoom scale of "Acercar" and "Alejar".
constexpr double kPasosZoom[] = {0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25,
                                 1.5, 1.75, 2.0,  2.5, 3.0, 3.5, 4.0};

int Redondear(double d) {
    return static_cast<int>(std::lround(d));
}

} // namespace

CChildView::CChildView(CPractica& practica, QWidget* pPadre)
    : QWidget(pPadre), m_practica(practica) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setMinimumSize(100, 100);
    Accesible::InstalarMesa();
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, &CChildView::Tick);
    m_nTick = 0;
    m_timer.start();
    // What the status bar explains is said too: a student who cannot see it must hear it.
    connect(this, &CChildView::Indicacion, this, &CChildView::AnunciarLectores);
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
    m_pCandidato = nullptr;
    AnunciarLectores(tr("Decantar: elija con las flechas el recipiente que recibe; Intro vierte, "
                        "Esc cancela"));
}

void CChildView::BeginTransfer() {
    setCursor(CursorVerter());
    m_bTransferir = true;
    m_pCandidato = nullptr;
    AnunciarLectores(tr("Transferir: elija con las flechas el recipiente que recibe; Intro "
                        "transfiere, Esc cancela"));
}

void CChildView::CancelarVertido() {
    if (!Vertiendo())
        return;
    m_bDecantar = m_bTransferir = false;
    m_pCandidato = nullptr;
    unsetCursor();
    update();
    AnunciarLectores(tr("Cancelado: no se vierte nada"));
    emit VertidoTerminado();
}

void CChildView::keyPressEvent(QKeyEvent* e) {
    if (Tecla(e))
        return;
    QWidget::keyPressEvent(e);
}

QPoint CChildView::ToBench(const QPoint& ptCliente) const {
    // Floor, so that the view's pixels left of or above the bench's origin are not folded
    // onto it.
    const QPoint d = ptCliente - m_ptOrigen;
    return QPoint(static_cast<int>(std::floor(d.x() / m_dZoom)),
                  static_cast<int>(std::floor(d.y() / m_dZoom)));
}

QPoint CChildView::ACliente(const QPoint& ptBanco) const {
    return m_ptOrigen + QPoint(Redondear(ptBanco.x() * m_dZoom), Redondear(ptBanco.y() * m_dZoom));
}

QRect CChildView::ACliente(const QRect& rcBanco) const {
    return QRect(ACliente(rcBanco.topLeft()),
                 ACliente(rcBanco.topLeft() + QPoint(rcBanco.width(), rcBanco.height())) -
                     QPoint(1, 1));
}

QRect CChildView::AreaVisible() const {
    return QRect(ToBench(QPoint(0, 0)), ToBench(QPoint(width() - 1, height() - 1)));
}

void CChildView::SetZoom(double dZoom, const QPoint& ptAncla) {
    dZoom = std::clamp(dZoom, kZoomMinimo, kZoomMaximo);
    if (dZoom == m_dZoom)
        return;
    // The bench point under the anchor, in exact (unrounded) bench coordinates, stays there.
    const QPointF ptBanco = QPointF(ptAncla - m_ptOrigen) / m_dZoom;
    m_dZoom = dZoom;
    m_ptOrigen = ptAncla - QPoint(Redondear(ptBanco.x() * dZoom), Redondear(ptBanco.y() * dZoom));
    ActualizarPuntoInsercion();
    update();
    emit ZoomCambiado(m_dZoom);
}

double CChildView::PasoZoom(int nSentido) const {
    if (nSentido > 0) {
        for (double d : kPasosZoom)
            if (d > m_dZoom + 1e-6)
                return d;
    } else {
        for (auto it = std::rbegin(kPasosZoom); it != std::rend(kPasosZoom); ++it)
            if (*it < m_dZoom - 1e-6)
                return *it;
    }
    return m_dZoom;
}

void CChildView::Acercar() {
    SetZoom(PasoZoom(1));
}

void CChildView::Alejar() {
    SetZoom(PasoZoom(-1));
}

void CChildView::AjustarAVentana() {
    QRect rcTodo;
    for (CEquipo* e : m_practica.m_listaEquipo)
        rcTodo |= e->m_rcArea;
    if (rcTodo.isEmpty())
        return;
    // 10 pixels of bench colour around, as "Mostrar todo el equipo" leaves.
    const double dCabe =
        std::min((width() - 20.0) / rcTodo.width(), (height() - 20.0) / rcTodo.height());
    double dZoom = kPasosZoom[0];
    for (double d : kPasosZoom)
        if (d <= dCabe + 1e-9)
            dZoom = d;
    SetZoom(dZoom);
    MostrarTodo();
}

QRect CChildView::Extension() const {
    QRect rc(Desplazamiento(), size());
    for (const CEquipo* e : m_practica.m_listaEquipo)
        rc |= ACliente(e->m_rcArea).translated(-m_ptOrigen).adjusted(-20, -20, 20, 20);
    return rc;
}

void CChildView::SetDesplazamiento(const QPoint& pt) {
    if (pt == Desplazamiento())
        return;
    m_ptOrigen = -pt;
    ActualizarPuntoInsercion();
    update();
}

void CChildView::MostrarEquipo(const CEquipo* pEquipo) {
    if (!pEquipo)
        return;
    const QRect rc = ACliente(pEquipo->m_rcArea).adjusted(-10, -10, 10, 10);
    int dx = 0, dy = 0;
    if (rc.width() > width() || rc.left() < 0)
        dx = rc.left();
    else if (rc.right() >= width())
        dx = rc.right() + 1 - width();
    if (rc.height() > height() || rc.top() < 0)
        dy = rc.top();
    else if (rc.bottom() >= height())
        dy = rc.bottom() + 1 - height();
    Desplazar(dx, dy);
}

void CChildView::wheelEvent(QWheelEvent* e) {
    if (!(e->modifiers() & Qt::ControlModifier)) {
        // The wheel scrolls the bench (Mayús: sideways), three lines of 20 pixels a notch; a
        // touchpad gives its pixels as they come.
        QPoint d = e->pixelDelta();
        if (d.isNull())
            d = e->angleDelta() * 60 / QWheelEvent::DefaultDeltasPerStep;
        if (e->modifiers() & Qt::ShiftModifier && d.x() == 0)
            d = QPoint(d.y(), 0);
        Desplazar(-d.x(), -d.y());
        e->accept();
        return;
    }
    // One step per notch about the point under the mouse; a touchpad's small deltas add up
    // to notches first, or zooming would race.
    m_nRueda += e->angleDelta().y();
    while (std::abs(m_nRueda) >= QWheelEvent::DefaultDeltasPerStep) {
        const int nSentido = m_nRueda > 0 ? 1 : -1;
        m_nRueda -= nSentido * QWheelEvent::DefaultDeltasPerStep;
        SetZoom(PasoZoom(nSentido), e->position().toPoint());
    }
    e->accept();
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
    const QPoint ptCentro = rcTodo.center();
    QPoint ptOrigen = QPoint(width() / 2 - Redondear(ptCentro.x() * m_dZoom),
                             height() / 2 - Redondear(ptCentro.y() * m_dZoom));
    if (rcTodo.width() * m_dZoom > width() - 20)
        ptOrigen.setX(10 - Redondear(rcTodo.left() * m_dZoom));
    if (rcTodo.height() * m_dZoom > height() - 20)
        ptOrigen.setY(10 - Redondear(rcTodo.top() * m_dZoom));
    m_ptOrigen = ptOrigen;
    ActualizarPuntoInsercion();
    update();
}

void CChildView::LimpiarSeleccion() {
    m_pSeleccion = nullptr;
    m_pCandidato = nullptr;
    m_bArrastrando = false;
    for (CEquipo* e : m_practica.m_listaEquipo)
        e->m_bSeleccionado = 0;
}

CRecipiente* CChildView::RecipienteSeleccionado() const {
    return m_pSeleccion ? m_pSeleccion->Recipiente() : nullptr;
}

void CChildView::SelectAt(const QPoint& ptBanco) {
    CEquipo* pEquipo = nullptr;
    CListaEquipo& lista = m_practica.m_listaEquipo;
    for (auto it = std::make_reverse_iterator(lista.end());
         it != std::make_reverse_iterator(lista.begin()); ++it) {
        if ((*it)->HitTestForma(ptBanco)) {
            pEquipo = *it;
            break;
        }
    }
    Seleccionar(pEquipo);
}

void CChildView::Seleccionar(CEquipo* pEquipo) {
    m_pSeleccion = nullptr;
    for (CEquipo* e : m_practica.m_listaEquipo)
        e->m_bSeleccionado = 0;
    if (pEquipo && m_practica.m_listaEquipo.Contiene(pEquipo)) {
        pEquipo->m_bSeleccionado = 1;
        m_pSeleccion = pEquipo;
    }
    update();
    AvisarSeleccion();
}

void CChildView::Tick() {
    // Whatever put an item on the bench, the invitation has been taken up.
    if (InvitacionVisible() && !m_practica.m_listaEquipo.empty())
        MostrarInvitacion(false);
    if (m_practica.m_bOcupado)
        return;
    ++m_nTick;
    bool bCambio = false;
    if (m_nTick >= m_nTicksPorPaso) {
        bCambio = m_practica.m_listaEquipo.PasoSimulacion();
        m_practica.m_registro.Paso(m_practica.m_listaEquipo);
        m_nTick = 0;
        AvisarLimite();
    }
    if (bCambio)
        update();
    // Screen readers hear of changed contents and readings once a second at most.
    if (++m_nTicksLectores >= 10) {
        m_nTicksLectores = 0;
        AvisarLectores();
    }
    emit UM_TICK();
}

void CChildView::AvisarLimite() {
    const CRecipiente* pRecipiente = nullptr;
    for (const CEquipo* e : m_practica.m_listaEquipo)
        if (const CRecipiente* r = e->Recipiente(); r && r->m_seno.EnLimite()) {
            pRecipiente = r;
            break;
        }
    // Told once while it lasts: the vessel stays held at the bound step after step, and a
    // box every 300 ms would leave the student no way to save.
    if (!pRecipiente || m_bLimiteAvisado) {
        m_bLimiteAvisado = pRecipiente != nullptr;
        return;
    }
    m_bLimiteAvisado = true;
    const CReacciones* pReaccion =
        m_practica.m_catalogo.Reaccion(pRecipiente->m_seno.ReaccionEnLimite());
    // The clock waits for the student while the box is up.
    const bool bActivo = m_timer.isActive();
    m_timer.stop();
    Mensajes::Aviso(
        this, tr("La reacción «%1» da más materia de la que toma, y en «%2» ha llegado a la "
                 "mayor cantidad que una práctica puede guardar. La simulación la detiene "
                 "ahí: la práctica, con sus notas y resultados, se puede guardar como está.\n\n"
                 "Revise la reacción en el editor de la práctica.")
                  .arg(QString::fromStdString(pReaccion ? pReaccion->m_strTexto1 : std::string()),
                       QString::fromStdString(pRecipiente->m_strNombre)));
    if (bActivo)
        m_timer.start(100);
}

QImage CChildView::Pintar() {
    return Pintar(devicePixelRatioF());
}

QImage CChildView::Pintar(double dRelacion) {
    QImage img(Redondear(width() * dRelacion), Redondear(height() * dRelacion),
               QImage::Format_RGB32);
    img.setDevicePixelRatio(dRelacion);
    QPainter p(&img);
    Pintar(p);
    return img;
}

void CChildView::Pintar(QPainter& p) {
    p.fillRect(rect(), Qt::white);
    p.save();
    // The zoom goes into the painter's transform, where the items find it (with the screen's
    // pixel ratio) to take their pictures at that scale, one to one (Imagenes::Dibujar).
    p.translate(m_ptOrigen);
    p.scale(m_dZoom, m_dZoom);
    Dibujo::PrepararPintor(p);
    for (CEquipo* e : m_practica.m_listaEquipo)
        e->Draw(p);
    p.restore();
}

QString CChildView::TextoAyudaEn(const QPoint& ptCliente) const {
    const QPoint pt = ToBench(ptCliente);
    const CListaEquipo& lista = m_practica.m_listaEquipo;
    for (auto it = std::make_reverse_iterator(lista.end());
         it != std::make_reverse_iterator(lista.begin()); ++it)
        if ((*it)->HitTestForma(pt)) {
            const QString strDescripcion = (*it)->Descripcion();
            return strDescripcion.isEmpty()
                       ? Accesible::Nombre(**it)
                       : QStringLiteral("%1: %2").arg(Accesible::Nombre(**it), strDescripcion);
        }
    return {};
}

bool CChildView::event(QEvent* e) {
    // Resting the mouse on an item tells what screen readers hear: what it holds, what it
    // reads, whether a heat source is on.
    if (e->type() == QEvent::ToolTip) {
        auto* h = static_cast<QHelpEvent*>(e);
        const QString str = TextoAyudaEn(h->pos());
        if (str.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(h->globalPos(), str, this);
        return true;
    }
    return QWidget::event(e);
}

void CChildView::paintEvent(QPaintEvent*) {
    QElapsedTimer reloj;
    reloj.start();
    // Straight into the window's backing store, which is already an off-screen buffer:
    // a buffer of our own would only add one more copy of every pixel, the largest part of
    // a paint on a dense screen.
    QPainter p(this);
    Pintar(p);
    PintarFoco(p);
    p.end();
    emit Pintado(reloj.nsecsElapsed());
}

void CChildView::ActualizarPuntoInsercion() {
    m_ptInsercion = ToBench(QPoint(width() / 2, height() / 2));
}

void CChildView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    ActualizarPuntoInsercion();
    ColocarInvitacion();
}

void CChildView::MostrarInvitacion(bool bMostrar) {
    if (!bMostrar) {
        if (m_pInvitacion)
            m_pInvitacion->hide();
        return;
    }
    if (!m_pInvitacion) {
        m_pInvitacion = new QFrame(this);
        m_pInvitacion->setObjectName(QStringLiteral("invitacion"));
        m_pInvitacion->setStyleSheet(QStringLiteral(
            "#invitacion { background: #f4f8fb; border: 1px solid #9aa5b1; border-radius: 10px; }"
            "#invitacion QLabel { color: #2f3b47; }"
            "#invitacion QPushButton { padding: 5px 16px; }"));
        auto* pTexto = new QLabel(QStringLiteral("Comience con Archivo > Iniciar práctica…"));
        QFont f = pTexto->font();
        f.setPointSizeF(f.pointSizeF() * 1.3);
        pTexto->setFont(f);
        pTexto->setAlignment(Qt::AlignCenter);
        auto* pBoton = new QPushButton(QStringLiteral("Iniciar práctica…"));
        pBoton->setObjectName(QStringLiteral("botonIniciar"));
        pBoton->setDefault(true);
        connect(pBoton, &QPushButton::clicked, this, &CChildView::IniciarPracticaPedida);
        auto* pCapa = new QVBoxLayout(m_pInvitacion);
        pCapa->setContentsMargins(28, 20, 28, 20);
        pCapa->setSpacing(14);
        pCapa->addWidget(pTexto);
        pCapa->addWidget(pBoton, 0, Qt::AlignCenter);
    }
    m_pInvitacion->adjustSize();
    ColocarInvitacion();
    m_pInvitacion->show();
}

bool CChildView::InvitacionVisible() const {
    return m_pInvitacion && m_pInvitacion->isVisible();
}

void CChildView::ColocarInvitacion() {
    if (!m_pInvitacion)
        return;
    QRect r(QPoint(0, 0), m_pInvitacion->sizeHint());
    r.moveCenter(rect().center());
    m_pInvitacion->setGeometry(r);
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
    TerminarVertido(pDestino);
}

void CChildView::TerminarVertido(CEquipo* pDestino) {
    if (!pDestino || pDestino == m_pSeleccion)
        return; // empty bench or the source itself: the mode stays armed
    // Pouring needs a vessel on both sides; a click on anything else is ignored.
    auto* pFuente = RecipienteSeleccionado();
    CRecipiente* pRecipiente = pDestino->Recipiente();
    if (!pFuente || !pRecipiente)
        return;
    pFuente->PourLiquid(*pRecipiente, 0.0);
    const bool bTransferir = m_bTransferir;
    if (bTransferir)
        pFuente->PourSolid(*pRecipiente);
    pFuente->m_bSeleccionado = 0;
    pRecipiente->m_bSeleccionado = 1;
    m_pSeleccion = pRecipiente;
    m_pCandidato = nullptr;
    unsetCursor();
    m_bDecantar = m_bTransferir = false;
    update();
    AvisarSeleccion();
    emit Modificado(bTransferir ? QStringLiteral("Transferir") : QStringLiteral("Decantar"));
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
    } else {
        // A drag on the bare bench pans it, as with Ctrl on an item.
        m_bDesplazando = true;
        setCursor(Qt::ClosedHandCursor);
        grabMouse();
        m_ptUltimo = e->position().toPoint();
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
        if (m_pSeleccion)
            SoltarEquipo(m_ptInicioArrastre);
    }
}

void CChildView::SoltarEquipo(const QPoint& ptInicio) {
    // Dropped out of sight (onto the notes pane, past an edge): back to the edge.
    TraerALaVista(m_pSeleccion);
    if (m_pSeleccion->m_rcArea.topLeft() != ptInicio)
        emit Modificado(
            QStringLiteral("Mover %1").arg(QString::fromStdString(m_pSeleccion->GetNombre())));
    CListaEquipo& lista = m_practica.m_listaEquipo;
    // Instruments go on top of what they dip into; the ice bath beneath what
    // stands in it.
    if (m_pSeleccion->m_nCategoria == CATEGORIA_INSTRUMENTO)
        lista.MoverAlFinal(m_pSeleccion);
    else if (m_pSeleccion->VaDebajo())
        lista.MoverAlFrente(m_pSeleccion);
    update();
}

void CChildView::MenuContextual(const QPoint& ptCliente) {
    const QPoint p = ToBench(ptCliente);
    SelectAt(p);
    if (m_pSeleccion)
        MostrarMenu(ptCliente);
}

void CChildView::MostrarMenu(const QPoint& ptCliente) {
    CMenu entradas;
    m_pSeleccion->BuildMenu(entradas);
    QMenu menu(this);
    QSet<QChar> usadas;
    for (const CEntradaMenu& e : entradas) {
        if (e.EsSeparador()) {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(ConTeclaDeAcceso(QString::fromStdString(e.m_strTexto), usadas));
        a->setData(e.m_nComando);
        if (e.m_bMarcada) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        // A practice may keep the contents to the instruments (calorimetry): the entry is
        // shown greyed rather than doing nothing.
        if (e.m_nComando == ID_PROPIEDADES &&
            (!m_practica.m_bPropiedades || m_practica.m_tarea.Bloqueada()))
            a->setEnabled(false);
    }
    // Anything with a reading can go into the lab log.
    constexpr int kRegistrar = -1;
    if (CRegistro::Registrable(*m_pSeleccion)) {
        QAction* a = menu.addAction(ConTeclaDeAcceso(tr("Registrar"), usadas));
        a->setData(kRegistrar);
        a->setCheckable(true);
        a->setChecked(m_practica.m_registro.Serie(m_pSeleccion) >= 0);
    }
    QAction* pElegida = menu.exec(mapToGlobal(ptCliente));
    if (pElegida && pElegida->data().toInt() == kRegistrar) {
        if (m_pSeleccion && m_practica.m_listaEquipo.Contiene(m_pSeleccion) &&
            !m_practica.m_registro.Registrar(*m_pSeleccion, m_practica.m_listaEquipo))
            Mensajes::Aviso(this, tr("El registro de datos está lleno: borre sus lecturas para "
                                     "registrar más."));
        emit UM_REGISTRO();
    } else if (pElegida) {
        Comando(pElegida->data().toInt());
    }
}

QString CChildView::ConTeclaDeAcceso(const QString& strTexto, QSet<QChar>& usadas) {
    if (const int n = strTexto.indexOf(QLatin1Char('&')); n >= 0 && n + 1 < strTexto.size()) {
        usadas.insert(strTexto[n + 1].toLower());
        return strTexto;
    }
    auto libre = [&](int i) {
        const QChar c = strTexto[i];
        return c.isLetterOrNumber() && !usadas.contains(c.toLower());
    };
    auto marcar = [&](int i) {
        usadas.insert(strTexto[i].toLower());
        return strTexto.left(i) + QLatin1Char('&') + strTexto.mid(i);
    };
    // The first free initial of a word ("Nivel &2" after "&Nivel 1"), else any free letter.
    for (int i = 0; i < strTexto.size(); ++i)
        if ((i == 0 || strTexto[i - 1].isSpace()) && libre(i))
            return marcar(i);
    for (int i = 0; i < strTexto.size(); ++i)
        if (libre(i))
            return marcar(i);
    return strTexto;
}

QString CChildView::TextoDeComando(CEquipo& e, int nComando) {
    CMenu menu;
    e.BuildMenu(menu);
    for (const CEntradaMenu& m : menu)
        if (m.m_nComando == nComando) {
            QString str = QString::fromStdString(m.m_strTexto).remove(QLatin1Char('&'));
            while (str.endsWith(QLatin1Char('.')) || str.endsWith(QChar(0x2026)))
                str.chop(1);
            return str.trimmed();
        }
    return QString::fromStdString(e.GetNombre());
}

void CChildView::Comando(int nComando) {
    CEquipo* s = m_pSeleccion;
    if (!s || !m_practica.m_listaEquipo.Contiene(s))
        return;
    CListaEquipo& lista = m_practica.m_listaEquipo;
    // What belongs to the bench and the windows is routed here; every other command runs
    // through the item, after the dialog that gathers what it asks for.
    switch (nComando) {
    case ID_ELIMINAR: {
        LimpiarSeleccion();
        const QString strNombre = QString::fromStdString(s->GetNombre());
        m_practica.RemoveEquipment(s);
        update();
        AvisarSeleccion();
        AvisarLectores(); // said now, not at the next second
        emit Modificado(QStringLiteral("Eliminar %1").arg(strNombre));
        return;
    }
    case ID_PROPIEDADES:
        emit UM_PROPIEDADES();
        return;
    case ID_TITULAR:
        emit UM_TITULAR();
        return;
    default:
        break;
    }
    CArgumento a;
    if (!Preguntar(s->Pide(nComando), a) || !lista.Contiene(s))
        return; // cancelled, or the item left the bench meanwhile
    // Taking a distillation set apart runs with the clock stopped, and starts it again.
    const bool bReloj = nComando == ID_ELIMINAR_DESTILACION;
    if (bReloj)
        StopTimer();
    const QString strAccion = TextoDeComando(*s, nComando);
    const ResultadoComando r = s->Ejecutar(nComando, lista, a);
    if (bReloj)
        StartTimer();
    switch (r) {
    case ResultadoComando::NoEsSuyo:
        emit ComandoPendiente(nComando);
        return;
    case ResultadoComando::NoCabe:
        Mensajes::Aviso(this, QString::fromUtf8(kTextoNoCabe));
        break;
    case ResultadoComando::Hecho:
        emit Modificado(strAccion);
        break;
    case ResultadoComando::SinEfecto:
        break;
    }
    update();
}

bool CChildView::Preguntar(const CPeticion& p, CArgumento& a) {
    switch (p.m_eTipo) {
    case CPeticion::Tipo::Nada:
        return true;
    case CPeticion::Tipo::Confirmar:
        return Mensajes::Pregunta(this, QString::fromStdString(p.m_strPregunta)) ==
               QMessageBox::Yes;
    case CPeticion::Tipo::Mililitros: {
        CDlgMililitros dlg(p.m_dMaximo, this);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        a.m_dCantidad = dlg.m_dMililitros;
        return true;
    }
    case CPeticion::Tipo::Salida: {
        CDlgSalida dlg(this);
        dlg.exec();
        // The tube goes on however the dialog closes, with the side it showed.
        a.m_nOpcion = dlg.Salida();
        return true;
    }
    case CPeticion::Tipo::Agua: {
        CDlgAgua dlg(this);
        dlg.m_dCapacidadVaso = p.m_dMaximo;
        dlg.m_dVolumenVaso = p.m_dOcupado;
        if (dlg.exec() != QDialog::Accepted)
            return false;
        a.m_dCantidad = dlg.m_dAgua;
        return true;
    }
    case CPeticion::Tipo::Reactivo: {
        if (m_practica.m_catalogo.m_reactivos.empty()) {
            Mensajes::Aviso(this, QStringLiteral("Esta práctica no tiene reactivos."));
            return false;
        }
        CDlgReactivo dlg(m_practica.m_catalogo, this);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        a.m_nIndice = dlg.m_nIndiceReactivo;
        a.m_dCantidad = dlg.m_dCantidad;
        return true;
    }
    case CPeticion::Tipo::Indicador: {
        if (m_practica.m_catalogo.m_indicadores.empty()) {
            Mensajes::Aviso(this, QStringLiteral("Esta práctica no tiene indicadores."));
            return false;
        }
        CDlgIndicador dlg(m_practica.m_catalogo, this);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        a.m_nIndice = dlg.m_nIndiceIndicador;
        return true;
    }
    }
    return false;
}
