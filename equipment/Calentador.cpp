#include "equipment/Calentador.h"

#include "equipment/Imagenes.h"

#include <QPainter>

CCalentador::CCalentador() {
    m_nCategoria = CATEGORIA_CALENTADOR;
}

void CCalentador::Iniciar(TipoEquipo eTipo, int32_t cx, int32_t cy, double dPotencia) {
    CEquipo::Iniciar(eTipo, cx, cy);
    m_dPotencia = dPotencia;
}

int32_t CCalentador::AdvanceFrame() {
    if (m_nAnimacion == 0 || m_nFrames <= 0)
        return 0;
    if (++m_nFrame >= m_nFrames)
        m_nFrame = 0;
    return 1;
}

void CCalentador::Draw(QPainter& p) {
    DibujarFigura(p);
    if (m_nAnimacion != 0 && !Tira().isNull()) {
        const QImage& tira = Imagenes::Tira(m_nAnimacion);
        if (!tira.isNull())
            Imagenes::DibujarRecorte(p, QPoint(m_x + m_ptAnimacion.x(), m_y + m_ptAnimacion.y()),
                                     m_nAnimacion,
                                     QRect(m_nFrame * m_cxFrame, 0, m_cxFrame, m_cyFrame));
    }
    DibujarSeleccion(p);
}
