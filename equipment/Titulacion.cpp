#include "equipment/Titulacion.h"

#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"

#include <QRect>

#include <algorithm>
#include <cmath>
#include <iterator>

CEquipo* CTitulacion::BuscarReceptor(const CListaEquipo& lista, const CEquipo& bureta) {
    const QRect punta(bureta.m_x, bureta.m_y + bureta.m_cy - 5, bureta.m_cx, 10);
    for (CEquipo* e : lista) {
        if (e == &bureta)
            continue;
        if (QRect(e->m_x, e->m_y - 5, e->m_cx, 10).intersects(punta))
            return e;
    }
    return nullptr;
}

void CTitulacion::Iniciar(CRecipiente* pBureta, CRecipiente* pReceptor) {
    m_pBureta = pBureta;
    m_pReceptor = pReceptor;
    m_nApertura = 0;
    m_nGota = 0;
    m_nContador = 0;
    m_nGotasPedidas = 0;
}

void CTitulacion::Olvidar(const CEquipo* pEquipo) {
    if (pEquipo == m_pBureta)
        m_pBureta = nullptr;
    if (pEquipo == m_pReceptor)
        m_pReceptor = nullptr;
}

int CTitulacion::TicksPorGota(int nApertura) {
    return nApertura <= kCerrada ? 0 : (kAbierta - std::min(nApertura, int(kAbierta))) / 2 + 1;
}

double CTitulacion::Gotear() {
    double d = 0.0;
    const int nTicks = TicksPorGota(m_nApertura);
    if (m_nGotasPedidas > 0) {
        --m_nGotasPedidas;
        m_nContador = 0;
        d = kGota;
    } else if (nTicks == 0) {
        // Closed, the count starts again: a stopcock opened for a moment lets a drop go only
        // if it stays open as long as one drop takes.
        m_nGota = 0;
        m_nContador = 0;
    } else if (++m_nContador >= nTicks) {
        m_nContador = 0;
        d = kGota;
    } else {
        m_nGota = 0;
    }
    if (d > 0.0) {
        m_nGotaAnterior = m_nGota;
        m_nGota = m_nGota == 1 ? 2 : 1;
    }
    return d;
}

bool CTitulacion::Paso() {
    // The drops need a burette and a vessel under it, both still on the bench.
    if (!m_pBureta || !m_pReceptor || !(m_pBureta->VolumenLiquido() > 0.0)) {
        // A drop asked for when none can fall is not kept to fall later.
        m_nGotasPedidas = 0;
        return false;
    }
    const double d = Gotear();
    if (d == 0.0)
        return false;
    const double dVertido = m_pBureta->PourLiquid(*m_pReceptor, d);
    m_pReceptor->Step();
    // What was actually poured counts; a drop that moved nothing leaves no point.
    if (dVertido > 0.0) {
        m_pBureta->m_dTitulado += dVertido;
        m_pBureta->m_lstTitulacion.emplace_front(m_pBureta->m_dTitulado, m_pReceptor->PH());
    }
    return true;
}

double CTitulacion::Lectura() const {
    return m_pBureta ? m_pBureta->m_dCapacidad - m_pBureta->VolumenLiquido() : 0.0;
}

bool CTitulacion::MaximaPendiente(const CRecipiente& bureta, double& dVol, double& dPH) {
    const auto& puntos = bureta.m_lstTitulacion; // newest first
    double dMejor = -1.0;
    for (auto it = puntos.rbegin(); it != puntos.rend() && std::next(it) != puntos.rend(); ++it) {
        const CPuntoTitulacion& a = *it;
        const CPuntoTitulacion& b = *std::next(it);
        // A point recorded with no pH (below zero) says nothing about the slope.
        if (a.m_dPH < 0.0 || b.m_dPH < 0.0)
            continue;
        const double dV = b.m_dVol - a.m_dVol;
        if (!(dV > 0.0))
            continue;
        const double dPendiente = std::fabs(b.m_dPH - a.m_dPH) / dV;
        if (std::isfinite(dPendiente) && dPendiente > dMejor) {
            dMejor = dPendiente;
            dVol = (a.m_dVol + b.m_dVol) / 2.0;
            dPH = (a.m_dPH + b.m_dPH) / 2.0;
        }
    }
    return dMejor >= 0.0;
}
