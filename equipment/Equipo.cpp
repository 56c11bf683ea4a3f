#include "equipment/Equipo.h"

#include "equipment/Imagenes.h"
#include "model/Archivo.h"

#include <QPainter>

#include <algorithm>

CEquipo::~CEquipo() = default;

void CEquipo::ColocarEn(const QPoint& ptInsercion) {
    SetPosition(ptInsercion.x() - m_cx / 2, ptInsercion.y() - m_cy);
}

void CEquipo::Colocar(int32_t cx, int32_t cy) {
    m_cx = cx;
    m_cy = cy;
    m_x = -cx / 2;
    m_y = -cy;
    ActualizarArea();
}

void CEquipo::Iniciar(TipoEquipo eTipo, int32_t cx, int32_t cy) {
    m_nTipo = static_cast<int32_t>(eTipo);
    if (const CTipoEquipo* t = BuscarTipo(m_nTipo)) {
        m_strNombre = t->pszNombre;
        m_nRecurso = t->nRecurso;
        m_nCategoria = t->nCategoria;
    }
    Colocar(cx, cy);
}

void CEquipo::ActualizarArea() {
    m_rcArea = QRect(m_x, m_y, m_cx, m_cy);
}

void CEquipo::Desplazar(int32_t dx, int32_t dy) {
    m_x += dx;
    m_y += dy;
    ActualizarArea();
}

void CEquipo::SetPosition(int32_t x, int32_t y) {
    m_x = x;
    m_y = y;
    ActualizarArea();
}

bool CEquipo::HitTest(const QPoint& pt) const {
    // QRect::contains counts the last pixel row and column as inside, as intended.
    return m_rcArea.contains(pt);
}

bool CEquipo::HitTestForma(const QPoint& pt) {
    if (!HitTest(pt))
        return false;
    const QImage& tira = Tira();
    // Without a picture strip the rectangle is all there is.
    if (tira.isNull() || tira.width() < m_cx || tira.height() < 2 * m_cy)
        return true;
    constexpr int kTolerancia = 2;
    const int x0 = pt.x() - m_x, y0 = pt.y() - m_y;
    // A vessel's strip holds, in its second cell, the hollow its contents fill (black):
    // a dish drawn as a thin rim of glass is held anywhere over its hollow, not only on the
    // rim.
    const bool bHueco = m_nCategoria == CATEGORIA_RECIPIENTE && tira.width() >= 3 * m_cx;
    for (int y = std::max(0, y0 - kTolerancia); y <= std::min(m_cy - 1, y0 + kTolerancia); ++y)
        for (int x = std::max(0, x0 - kTolerancia); x <= std::min(m_cx - 1, x0 + kTolerancia); ++x)
            // The mask row is white where the picture is transparent.
            if (qGray(tira.pixel(x, m_cy + y)) < 128 ||
                (bHueco && qGray(tira.pixel(m_cx + x, y)) < 128))
                return true;
    return false;
}

void CEquipo::Serialize(CArchivo& ar) {
    // Corners far off any bench would overflow the item's rectangle.
    ar.Entero(m_x, -Limites::kCoordenada, Limites::kCoordenada);
    ar.Entero(m_y, -Limites::kCoordenada, Limites::kCoordenada);
    if (ar.IsLoading())
        ActualizarArea();
}

void CEquipo::Draw(QPainter&) {}

void CEquipo::BuildMenu(CMenu& menu) {
    if (m_nCategoria == CATEGORIA_RECIPIENTE)
        menu.push_back({ID_PROPIEDADES, "Propiedades"});
    menu.push_back({ID_ELIMINAR, "Eliminar"});
    menu.push_back({});
}

CPeticion CEquipo::Pide(int) const {
    return {};
}

ResultadoComando CEquipo::Ejecutar(int, CListaEquipo&, const CArgumento&) {
    return ResultadoComando::NoEsSuyo;
}

void CEquipo::MoveBy(int32_t dx, int32_t dy) {
    Desplazar(dx, dy);
}

void CEquipo::Relink(CListaEquipo&) {}

void CEquipo::Olvidar(CEquipo*) {}

const QImage& CEquipo::Tira() {
    if (!m_bTiraCargada) {
        m_tira = Imagenes::Tira(m_nRecurso);
        m_bTiraCargada = true;
    }
    return m_tira;
}

void CEquipo::DibujarFigura(QPainter& p) {
    if (Tira().isNull())
        return;
    Imagenes::DibujarRecorte(p, QPoint(m_x, m_y), m_nRecurso, QRect(0, 0, m_cx, m_cy));
}

void CEquipo::DibujarSeleccion(QPainter& p) const {
    if (!m_bSeleccionado)
        return;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    QPen pen(QColor(0, 0, 0), 1, Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // The frame runs 2 pixels outside the bounds on every side.
    const QRect r = m_rcArea.adjusted(-2, -2, 2, 2);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}
