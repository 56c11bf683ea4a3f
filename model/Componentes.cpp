#include "Componentes.h"

#include "Archivo.h"

#include <cmath>

double CComponentes::AMoles(double dCantidad, int32_t nUnidad) const {
    if (!(m_dMasaMolar > 0.0))
        return 0.0;
    switch (nUnidad) {
    case UNIDAD_GRAMOS:
        return dCantidad / m_dMasaMolar;
    case UNIDAD_ML:
        return dCantidad * m_dDensidad / m_dMasaMolar;
    case UNIDAD_MOLES:
        return dCantidad;
    default:
        return 0.0;
    }
}

void CComponentes::MasaVolumen(double dMoles, double& dGramos, double& dMl) const {
    dGramos = dMoles * m_dMasaMolar;
    dMl = m_dDensidad > 0.0 ? dGramos / m_dDensidad : 0.0;
}

void CComponentes::AjustarSolubilidad() {
    const double dRango = m_dTemperatura2 - m_dTemperatura1;
    m_dPendiente = 0.0;
    m_dOrdenada = 0.0;
    if (dRango != 0.0) {
        const double dPendiente = (m_dSolubilidad2 - m_dSolubilidad1) / dRango;
        const double dOrdenada = m_dSolubilidad1 - m_dTemperatura1 * dPendiente;
        // Two temperatures a denormal apart make an infinite slope; such a line is no
        // line at all and is treated as two equal temperatures are.
        if (std::isfinite(dPendiente) && std::isfinite(dOrdenada)) {
            m_dPendiente = dPendiente;
            m_dOrdenada = dOrdenada;
        }
    }
}

double CComponentes::Solubilidad(double dMlAgua, double dTemperatura) const {
    if (m_dSolubilidad1 == 0.0 || !(m_dMasaMolar > 0.0))
        return 0.0;
    if (dTemperatura >= m_dTemperatura2)
        return dMlAgua * m_dSolubilidad2 * 0.01 / m_dMasaMolar;
    // The line is extended below its first temperature too, so it may go negative.
    return (dTemperatura * m_dPendiente + m_dOrdenada) * dMlAgua * 0.01 / m_dMasaMolar;
}

double CComponentes::FactorTemperatura(double dTemperatura) const {
    const double dAbsoluta = m_dPuntoEbullicion + 273.6;
    if (dAbsoluta == 0.0)
        return 0.0;
    return (dTemperatura + 273.6) / dAbsoluta;
}

void CComponentes::Serialize(CArchivo& ar) {
    if (ar.IsStoring()) {
        ar << m_nId << m_strNombre << m_strDescripcion << m_strFormula;
        ar << m_dMasaMolar << m_dDensidad << m_dCalorEspecifico;
        ar << m_crColor << m_nEstado;
        ar << m_dConstante << m_dPuntoFusion << m_dPuntoEbullicion;
        ar << m_nCantidadAnion << m_strCation << m_nCantidadCation << m_strAnion;
        ar << m_nSignoCation << m_nSignoAnion;
        ar << m_dSolubilidad1 << m_dSolubilidad2 << m_dTemperatura1 << m_dTemperatura2;
        ar << m_dPendiente << m_dOrdenada << m_nTextura;
    } else {
        using namespace Limites;
        auto valor = [&ar] { return ar.LeerDoubleEntre(-kValorCatalogo, kValorCatalogo); };
        ar >> m_nId >> m_strNombre >> m_strDescripcion >> m_strFormula;
        m_dMasaMolar = valor();
        m_dDensidad = valor();
        m_dCalorEspecifico = valor();
        ar >> m_crColor;
        m_nEstado = ar.LeerInt32Entre(ESTADO_SOLIDO, ESTADO_NINGUNO);
        m_dConstante = valor();
        m_dPuntoFusion = valor();
        m_dPuntoEbullicion = valor();
        m_nCantidadAnion = ar.LeerInt32Entre(0, kCuentaIones);
        ar >> m_strCation;
        m_nCantidadCation = ar.LeerInt32Entre(0, kCuentaIones);
        ar >> m_strAnion;
        m_nSignoCation = ar.LeerInt32Entre(-kCuentaIones, kCuentaIones);
        m_nSignoAnion = ar.LeerInt32Entre(-kCuentaIones, kCuentaIones);
        m_dSolubilidad1 = valor();
        m_dSolubilidad2 = valor();
        m_dTemperatura1 = valor();
        m_dTemperatura2 = valor();
        m_dPendiente = valor();
        m_dOrdenada = valor();
        m_nTextura = ar.LeerInt32Entre(0, kTextura);
    }
}
